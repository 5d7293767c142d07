// The hid_* functions of the test stand-in for hidapi (see HidStub.h).
#include "HidStub.h"

#include "meter/CableResult.h"

#include <hidapi/hidapi.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <vector>

using telmora::CableBackend;
using telmora::CableDevice;

// One open handle.
struct hid_device_ {
    std::unique_ptr<CableDevice> device; // null for an interface of another device
    bool isCable = false;
    std::string path;
    hid_device_info info{};
    std::deque<std::vector<unsigned char>> reports; // input reports not read yet
    bool lateReport = false; // the next report arrives after the reader's wait
    std::chrono::steady_clock::time_point readyAt{}; // queued reports are readable from then
};

namespace {

// Interfaces of other devices, listed before the meter's.
struct ForeignInterface {
    const char* path;
    unsigned short vendor;
    unsigned short product;
    bool opens; // false: held exclusively by the system
};
constexpr ForeignInterface kForeign[] = {
    {"stub:keyboard", 0x046D, 0xC31C, true},
    {"stub:mouse", 0x1532, 0x0084, false},
    {"stub:same-vendor", telmora::kCableVendorId, 0x0002, true},
    {"stub:same-product", 0x1A86, telmora::kCableProductId, true},
};
constexpr std::string_view kMeterPrefix = "stub:meter/";

struct ScriptedFault {
    hidstub::Fault fault;
    int bytes;
};

struct State {
    std::mutex lock;
    std::condition_variable changed;
    CableBackend* meter = nullptr;
    int foreign = 4;
    bool pulled = false;
    bool serialSet = false;
    bool serialReadable = true;
    std::wstring serial;
    std::map<int, ScriptedFault> faults; // by cable report number
    int reports = 0;                     // cable reports sent so far
    int handles = 0;
    bool used = false;
    std::chrono::milliseconds shortestReply{0};
    std::chrono::milliseconds longestReply{0};
    std::uint32_t replySeed = 1;
};

State& state() {
    static State s;
    return s;
}

bool isCableId(unsigned short vendor, unsigned short product) {
    return vendor == telmora::kCableVendorId && product == telmora::kCableProductId;
}

struct Listed {
    std::string path;
    unsigned short vendor;
    unsigned short product;
    unsigned short release;
    bool opens;
    std::wstring serial = {};
};

// Every interface present now, in list order (lock held).
std::vector<Listed> listInterfaces(State& s) {
    std::vector<Listed> list;
    for (int i = 0; i < s.foreign; ++i) {
        const ForeignInterface& f = kForeign[static_cast<std::size_t>(i) % std::size(kForeign)];
        std::string path = f.path;
        if (i >= static_cast<int>(std::size(kForeign)))
            path += '-' + std::to_string(i);
        list.push_back({path, f.vendor, f.product, 0x0100, f.opens});
    }
    if (s.meter == nullptr)
        return list;
    for (const telmora::HidInterfaceInfo& i : s.meter->interfaces()) {
        const telmora::HidAttributes& a = i.attributes;
        if (s.pulled && isCableId(a.vendorId, a.productId))
            continue;
        // A serial number set for the test stands for every cable's (so that two
        // cables can share one).
        const bool cable = isCableId(a.vendorId, a.productId);
        std::wstring serial(i.serial.begin(), i.serial.end()); // serial numbers are ASCII
        if (cable && s.serialSet)
            serial = s.serialReadable ? s.serial : std::wstring();
        list.push_back({std::string(kMeterPrefix) + i.path, a.vendorId, a.productId,
                        a.versionNumber, true, serial});
    }
    return list;
}

char* copyText(const std::string& text) {
    char* copy = static_cast<char*>(std::malloc(text.size() + 1));
    std::memcpy(copy, text.c_str(), text.size() + 1);
    return copy;
}

// Applies the scripted fault of the cable report that `dev` has queued next, if
// any (lock held). Returns what the read gives back when the fault ends it
// early; otherwise nothing, and `shortTo` is set when the report arrives cut short.
std::optional<int> applyFault(State& s, hid_device* dev, std::optional<int>& shortTo) {
    const auto found = s.faults.find(s.reports + 1);
    if (dev->reports.empty() || found == s.faults.end())
        return std::nullopt;
    const ScriptedFault scripted = found->second;
    s.faults.erase(found);
    switch (scripted.fault) {
    case hidstub::Fault::Empty:
        return 0;
    case hidstub::Fault::Error:
        return -1;
    case hidstub::Fault::Pull:
        s.pulled = true;
        s.changed.notify_all();
        return -1;
    case hidstub::Fault::Late:
        dev->lateReport = true;
        return std::nullopt;
    case hidstub::Fault::Lost:
        dev->reports.pop_front();
        ++s.reports;
        return std::nullopt;
    case hidstub::Fault::Short:
        shortTo = scripted.bytes;
        return std::nullopt;
    }
    return std::nullopt;
}

// Whether the handle has a report to hand out now (lock held).
bool reportReady(const hid_device* dev) {
    return !dev->reports.empty() && std::chrono::steady_clock::now() >= dev->readyAt;
}

// Waits until a report is ready, the cable is pulled or the time-out is over
// (a negative time-out waits as long as it takes).
void waitForReport(State& s, hid_device* dev, int milliseconds,
                   std::unique_lock<std::mutex>& lock) {
    using Clock = std::chrono::steady_clock;
    const bool forever = milliseconds < 0;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(milliseconds);
    for (;;) {
        if ((dev->isCable && s.pulled) || reportReady(dev))
            return;
        const Clock::time_point now = Clock::now();
        if (!forever && now >= deadline)
            return;
        // A queued report that is not due yet wakes the reader when it is.
        const bool due = !dev->reports.empty();
        if (forever && !due)
            s.changed.wait(lock);
        else if (forever)
            s.changed.wait_until(lock, dev->readyAt);
        else
            s.changed.wait_until(lock, due ? std::min(deadline, dev->readyAt) : deadline);
    }
}

// The time the next reply takes (lock held).
std::chrono::milliseconds nextReplyTime(State& s) {
    const auto spread = (s.longestReply - s.shortestReply).count();
    if (spread <= 0)
        return s.shortestReply;
    s.replySeed = s.replySeed * 1103515245u + 12345u;
    return s.shortestReply + std::chrono::milliseconds((s.replySeed >> 16) % (spread + 1));
}

// Moves the reports the meter has ready into the handle's queue, each without
// the report number 0 in front, as hidraw hands them to a reader (lock held).
void collectReports(hid_device* dev) {
    for (;;) {
        std::array<std::uint8_t, telmora::kInputReportSize> report{};
        const telmora::ReadOutcome out = dev->device->read(report, std::chrono::milliseconds(0));
        if (out.result != telmora::CableResult::Done || out.transferred == 0)
            return;
        dev->reports.emplace_back(report.begin() + 1, report.begin() + out.transferred);
    }
}

// UTF-16LE bytes (zero-terminated or full) as a wide string.
std::wstring wideText(const std::array<std::uint8_t, telmora::kSerialBytes>& bytes) {
    std::wstring text;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const unsigned unit = bytes[i] | (bytes[i + 1] << 8);
        if (unit == 0)
            break;
        text += static_cast<wchar_t>(unit);
    }
    return text;
}

} // namespace

namespace hidstub {

void reset(CableBackend* meter, int foreign) {
    State& s = state();
    std::lock_guard lock(s.lock);
    s.meter = meter;
    s.foreign = std::max(0, foreign);
    s.pulled = false;
    s.serialSet = false;
    s.serialReadable = true;
    s.serial.clear();
    s.faults.clear();
    s.reports = 0;
    s.used = false;
    s.shortestReply = s.longestReply = std::chrono::milliseconds(0);
    s.replySeed = 1;
}

void setReplyTime(std::chrono::milliseconds shortest, std::chrono::milliseconds longest) {
    State& s = state();
    std::lock_guard lock(s.lock);
    s.shortestReply = shortest;
    s.longestReply = std::max(shortest, longest);
}

void faultOnReport(int nth, Fault fault, int bytes) {
    State& s = state();
    std::lock_guard lock(s.lock);
    s.faults[s.reports + nth] = {fault, bytes};
}

void setSerial(const std::wstring& serial, bool readable) {
    State& s = state();
    std::lock_guard lock(s.lock);
    s.serialSet = true;
    s.serial = serial;
    s.serialReadable = readable;
}

void pullCable() {
    State& s = state();
    std::lock_guard lock(s.lock);
    s.pulled = true;
    s.changed.notify_all();
}

void plugCable() {
    State& s = state();
    std::lock_guard lock(s.lock);
    s.pulled = false;
}

int openHandles() {
    State& s = state();
    std::lock_guard lock(s.lock);
    return s.handles;
}

int cableReports() {
    State& s = state();
    std::lock_guard lock(s.lock);
    return s.reports;
}

int pendingFaults() {
    State& s = state();
    std::lock_guard lock(s.lock);
    return static_cast<int>(s.faults.size());
}

bool used() {
    State& s = state();
    std::lock_guard lock(s.lock);
    return s.used;
}

} // namespace hidstub

extern "C" {

int hid_init(void) {
    return 0;
}

int hid_exit(void) {
    return 0;
}

hid_device_info* hid_enumerate(unsigned short vendor_id, unsigned short product_id) {
    State& s = state();
    std::lock_guard lock(s.lock);
    s.used = true;
    hid_device_info* first = nullptr;
    hid_device_info** link = &first;
    for (const Listed& i : listInterfaces(s)) {
        if ((vendor_id != 0 && vendor_id != i.vendor) ||
            (product_id != 0 && product_id != i.product))
            continue;
        auto* info = static_cast<hid_device_info*>(std::calloc(1, sizeof(hid_device_info)));
        info->path = copyText(i.path);
        if (!i.serial.empty()) {
            info->serial_number =
                static_cast<wchar_t*>(std::calloc(i.serial.size() + 1, sizeof(wchar_t)));
            std::wmemcpy(info->serial_number, i.serial.c_str(), i.serial.size());
        }
        info->vendor_id = i.vendor;
        info->product_id = i.product;
        info->release_number = i.release;
        info->interface_number = -1;
        info->bus_type = HID_API_BUS_USB;
        *link = info;
        link = &info->next;
    }
    return first;
}

void hid_free_enumeration(hid_device_info* devs) {
    while (devs != nullptr) {
        hid_device_info* next = devs->next;
        std::free(devs->path);
        std::free(devs->serial_number);
        std::free(devs);
        devs = next;
    }
}

hid_device* hid_open_path(const char* path) {
    State& s = state();
    std::lock_guard lock(s.lock);
    s.used = true;
    for (const Listed& i : listInterfaces(s)) {
        if (path == nullptr || i.path != path || !i.opens)
            continue;
        auto dev = std::make_unique<hid_device>();
        if (i.path.starts_with(kMeterPrefix)) {
            dev->device = s.meter->open(i.path.substr(kMeterPrefix.size()));
            if (!dev->device)
                return nullptr;
        }
        dev->isCable = isCableId(i.vendor, i.product);
        dev->path = i.path;
        dev->info.path = dev->path.data();
        dev->info.vendor_id = i.vendor;
        dev->info.product_id = i.product;
        dev->info.release_number = i.release;
        dev->info.interface_number = -1;
        dev->info.bus_type = HID_API_BUS_USB;
        ++s.handles;
        return dev.release();
    }
    return nullptr;
}

void hid_close(hid_device* dev) {
    if (dev == nullptr)
        return;
    State& s = state();
    std::lock_guard lock(s.lock);
    --s.handles;
    delete dev;
}

int hid_write(hid_device* dev, const unsigned char* data, size_t length) {
    State& s = state();
    std::lock_guard lock(s.lock);
    if (dev->isCable && s.pulled)
        return -1;
    // The first byte is the report number; the cable has unnumbered reports only.
    if (length != telmora::kOutputReportSize || data[0] != 0)
        return -1;
    if (!dev->device)
        return static_cast<int>(length);
    const std::span<const std::uint8_t, telmora::kOutputReportSize> report(data, length);
    if (dev->device->write(report, std::chrono::milliseconds(0)) != telmora::CableResult::Done)
        return -1;
    dev->lateReport = false;
    if (dev->isCable)
        dev->readyAt = std::chrono::steady_clock::now() + nextReplyTime(s);
    collectReports(dev);
    s.changed.notify_all();
    return static_cast<int>(length);
}

int hid_read_timeout(hid_device* dev, unsigned char* data, size_t length, int milliseconds) {
    State& s = state();
    std::unique_lock lock(s.lock);
    std::optional<int> shortTo;
    if (dev->isCable) {
        if (s.pulled)
            return -1;
        if (const std::optional<int> early = applyFault(s, dev, shortTo))
            return *early;
        if (dev->lateReport && milliseconds != 0) {
            // A reader waiting in slices never sees the report before its time is up.
            s.changed.wait_for(lock, std::chrono::milliseconds(std::max(milliseconds, 0)),
                               [&] { return s.pulled; });
            return s.pulled ? -1 : 0;
        }
        dev->lateReport = false;
    }
    waitForReport(s, dev, milliseconds, lock);
    if (dev->isCable && s.pulled)
        return -1;
    if (!reportReady(dev))
        return 0;
    std::vector<unsigned char> report = std::move(dev->reports.front());
    dev->reports.pop_front();
    if (dev->isCable)
        ++s.reports;
    if (shortTo)
        report.resize(std::min(report.size(), static_cast<std::size_t>(std::max(*shortTo, 0))));
    const std::size_t n = std::min(length, report.size());
    std::memcpy(data, report.data(), n);
    return static_cast<int>(n);
}

int hid_read(hid_device* dev, unsigned char* data, size_t length) {
    return hid_read_timeout(dev, data, length, -1);
}

hid_device_info* hid_get_device_info(hid_device* dev) {
    return dev == nullptr ? nullptr : &dev->info;
}

int hid_get_serial_number_string(hid_device* dev, wchar_t* string, size_t maxlen) {
    if (dev == nullptr || string == nullptr || maxlen == 0)
        return -1;
    State& s = state();
    std::lock_guard lock(s.lock);
    if (dev->isCable && s.pulled)
        return -1;
    std::wstring text = L"0001";
    if (dev->isCable && s.serialSet) {
        if (!s.serialReadable)
            return -1;
        text = s.serial;
    } else if (dev->device) {
        const auto bytes = dev->device->serialNumber();
        if (!bytes)
            return -1;
        text = wideText(*bytes);
    }
    std::wcsncpy(string, text.c_str(), maxlen);
    string[maxlen - 1] = L'\0';
    return 0;
}

const wchar_t* hid_error(hid_device*) {
    return L"hidapi stand-in";
}

} // extern "C"
