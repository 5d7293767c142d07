#include "meter/HidapiBackend.h"

#include "meter/CableResult.h"

#include <QString>

#include <hidapi/hidapi.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <climits>
#include <cstring>
#include <cwchar>
#include <mutex>

namespace telmora {

namespace {

void initHidapiOnce() {
    static std::once_flag once;
    std::call_once(once, [] { hid_init(); });
}

// hidapi keeps process-wide state for enumeration and opening; several threads
// (acquisition, About box, download) may look for the cable at the same time.
std::mutex& enumerationLock() {
    static std::mutex lock;
    return lock;
}

int toMilliseconds(std::chrono::milliseconds timeout) {
    return static_cast<int>(std::clamp<long long>(timeout.count(), 0, INT_MAX));
}

// Room for a longer report than expected, so that the kernel never has to
// truncate; only the first report bytes are used.
using RawReport = std::array<std::uint8_t, 64>;

// A read waits in slices of this length, so that a cancel takes effect within one.
constexpr std::chrono::milliseconds kReadSlice{50};

// hidraw keeps every input report until it is read; more than this many left
// over from earlier exchanges cannot be (the kernel queues 64 per reader).
constexpr int kMaxStaleReports = 64;

class HidapiDevice final : public CableDevice {
public:
    explicit HidapiDevice(hid_device* dev) : m_dev(dev) {}
    ~HidapiDevice() override { hid_close(m_dev); }

    std::int32_t write(std::span<const std::uint8_t, kOutputReportSize> report,
                       std::chrono::milliseconds) override {
        discardStaleReports();
        // The first byte is the report number (0): hidraw takes it as such and
        // sends the remaining bytes as the report of an unnumbered device. The
        // kernel bounds the transfer with its own USB time-out.
        const int n = hid_write(m_dev, report.data(), report.size());
        return n < 0 ? CableResult::Failed : CableResult::Done;
    }

    ReadOutcome read(std::span<std::uint8_t, kInputReportSize> report,
                     std::chrono::milliseconds timeout) override {
        using Clock = std::chrono::steady_clock;
        const Clock::time_point deadline = Clock::now() + timeout;
        std::chrono::milliseconds left = timeout;
        for (;;) {
            if (m_cancelled.load())
                return {CableResult::Abandoned, 0};
            RawReport raw{};
            const int n = hid_read_timeout(m_dev, raw.data(), raw.size(),
                                           toMilliseconds(std::min(left, kReadSlice)));
            if (n < 0)
                return {CableResult::Failed, 0};
            if (n > 0)
                return {CableResult::Done,
                        ToInputReport(std::span(raw).first(static_cast<std::size_t>(n)), report)};
            // hidapi also gives 0 when a slice passed or it woke up and found no
            // report after all; only the end of the whole wait is a time-out.
            left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            if (left.count() <= 0)
                return {CableResult::TimedOut, 0};
        }
    }

    void cancel() override {
        // hidapi reads and writes are synchronous: nothing stays outstanding.
    }

    void cancelReads() override { m_cancelled = true; }

    std::optional<HidAttributes> attributes() override {
        const hid_device_info* info = hid_get_device_info(m_dev);
        if (info == nullptr)
            return std::nullopt;
        return HidAttributes{info->vendor_id, info->product_id, info->release_number};
    }

    std::optional<std::array<std::uint8_t, kSerialBytes>> serialNumber() override {
        wchar_t text[64] = {};
        if (hid_get_serial_number_string(m_dev, text, std::size(text)) < 0)
            return std::nullopt;
        return SerialBytes(std::wstring_view(text, wcsnlen(text, std::size(text))));
    }

private:
    // A report that arrived after its reader had given up (or that nobody read)
    // waits in the kernel's queue and would be taken for the first report of the
    // next reply, shifting every reply after it. Each command starts afresh.
    void discardStaleReports() {
        RawReport raw{};
        for (int i = 0; i < kMaxStaleReports; ++i)
            if (hid_read_timeout(m_dev, raw.data(), raw.size(), 0) <= 0)
                return;
    }

    hid_device* m_dev;
    std::atomic<bool> m_cancelled{false};
};

} // namespace

std::size_t ToInputReport(std::span<const std::uint8_t> raw,
                          std::span<std::uint8_t, kInputReportSize> report) {
    std::fill(report.begin(), report.end(), std::uint8_t{0});
    if (raw.empty())
        return 0;
    if (raw.size() < kInputReportSize)
        std::copy_n(raw.begin(), std::min(raw.size(), kInputReportSize - 1), report.begin() + 1);
    else
        std::copy_n(raw.begin(), kInputReportSize, report.begin());
    return kInputReportSize;
}

std::array<std::uint8_t, kSerialBytes> SerialBytes(std::wstring_view serial) {
    std::array<std::uint8_t, kSerialBytes> bytes{};
    std::size_t out = 0;
    const auto put = [&](std::uint16_t unit) {
        for (int shift : {0, 8})
            if (out < kSerialBytes)
                bytes[out++] = static_cast<std::uint8_t>((unit >> shift) & 0xFF);
    };
    for (wchar_t c : serial) {
        if (out >= kSerialBytes)
            break;
        const auto code = static_cast<std::uint32_t>(c);
        if (code >= 0x10000 && code <= 0x10FFFF) {
            const std::uint32_t v = code - 0x10000;
            put(static_cast<std::uint16_t>(0xD800 + (v >> 10)));
            put(static_cast<std::uint16_t>(0xDC00 + (v & 0x3FF)));
        } else {
            put(static_cast<std::uint16_t>(code));
        }
    }
    return bytes;
}

HidapiBackend::HidapiBackend() {
    initHidapiOnce();
}

std::vector<HidInterfaceInfo> HidapiBackend::interfaces() {
    std::vector<HidInterfaceInfo> list;
    std::lock_guard lock(enumerationLock());
    hid_device_info* all = hid_enumerate(0, 0);
    for (const hid_device_info* d = all; d != nullptr; d = d->next) {
        if (d->path == nullptr)
            continue;
        const std::string serial = d->serial_number
                                       ? QString::fromWCharArray(d->serial_number).toStdString()
                                       : std::string();
        list.push_back({d->path, {d->vendor_id, d->product_id, d->release_number}, serial});
    }
    hid_free_enumeration(all);
    return list;
}

std::unique_ptr<CableDevice> HidapiBackend::open(const std::string& path) {
    hid_device* dev = nullptr;
    {
        std::lock_guard lock(enumerationLock());
        dev = hid_open_path(path.c_str());
    }
    if (dev == nullptr)
        return nullptr;
    return std::make_unique<HidapiDevice>(dev);
}

} // namespace telmora
