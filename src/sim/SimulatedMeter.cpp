#include "sim/SimulatedMeter.h"

#include "meter/cablelist.h"

#include "meter/CableProtocol.h"
#include "meter/CableResult.h"
#include "sim/DemoLoggerMemory.h"
#include "sim/DemoReadings.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <mutex>
#include <random>
#include <thread>

namespace telmora {

namespace {

using Report = std::array<std::uint8_t, kInputReportSize>;
using Clock = std::chrono::steady_clock;

constexpr const char* kCablePath = "sim:cable";
constexpr std::uint16_t kForeignVendor = 0x046D;
constexpr int kUnplugAfterPolls = 25;
// The replug scenario: away for three seconds, back for about ten seconds of readings.
constexpr std::chrono::milliseconds kReplugAfter{3000};
constexpr int kReplugEveryPolls = 60;
constexpr std::uint8_t kDemoStatus =
    MemoryStatus::LoggerReady; // logger memory present and readable
constexpr std::size_t kStatusIndex = 19;

} // namespace

struct SimulatedMeter::Core {
    mutable std::mutex lock;
    SimScenario scenario;
    bool realTime;
    std::mt19937 rng{20261208u};
    Clock::time_point start = Clock::now();
    std::chrono::milliseconds virtualClock{0}; // the sum of the reply times (not real time)

    int foreign = 1;
    bool cablePresent = true;
    bool meterOn = true;
    int unplugAfter = -1;
    std::chrono::milliseconds replugAfter{0}; // how long an unplugged cable stays away; 0: for good
    std::optional<Clock::time_point> backAt;  // when the unplugged cable returns
    std::optional<std::array<std::uint8_t, kDataBytes>> displayData;
    std::uint8_t statusByte = kDemoStatus;
    std::vector<std::uint8_t> memory;
    std::size_t memoryPosition = 0;
    std::uint16_t versionNumber = 0x0105;
    std::string cablePath = kCablePath;
    std::array<std::uint8_t, kSerialBytes> serial{0x35, 0x00, 0x33, 0x00, 0x31, 0x00, 0x30, 0x00};
    bool serialReadable = true;

    int ignorePolls = 0;
    int cutReplies = 0;
    int cutReports = 2;
    int corruptSums = 0;
    int ignoreMemory = 0;
    std::deque<std::int32_t> writeResults;
    std::deque<std::pair<std::int32_t, Report>> readResults;

    int opens = 0;
    int closes = 0;
    int polls = 0;
    int answeredPolls = 0;
    std::vector<std::array<std::uint8_t, 2>> commands;
    std::vector<std::chrono::milliseconds> pauses;

    Core(SimScenario s, bool rt) : scenario(s), realTime(rt) {}

    bool demoLike() const {
        return scenario == SimScenario::Demo || scenario == SimScenario::LowBatt ||
               scenario == SimScenario::Flaky || scenario == SimScenario::Unplug ||
               scenario == SimScenario::Replug;
    }

    // The cable goes away now; it comes back after replugAfter (lock held).
    void unplug() {
        cablePresent = false;
        unplugAfter = -1;
        backAt.reset();
        if (replugAfter.count() > 0)
            backAt = Clock::now() + replugAfter;
    }

    // One look for the cable (lock held): an unplugged cable may be back.
    void look() {
        if (cablePresent || !backAt || Clock::now() < *backAt)
            return;
        cablePresent = true;
        backAt.reset();
        if (scenario == SimScenario::Replug)
            unplugAfter = answeredPolls + kReplugEveryPolls;
    }

    double clockSeconds() const {
        return realTime ? std::chrono::duration<double>(Clock::now() - start).count()
                        : std::chrono::duration<double>(virtualClock).count();
    }

    // The display image of the current reading (lock held).
    std::array<std::uint8_t, kDataBytes> displayNow() {
        std::array<std::uint8_t, kDataBytes> data{};
        if (displayData) {
            data = *displayData;
        } else if (scenario == SimScenario::Cycle) {
            data = CycleDisplayData(clockSeconds(), rng(), false);
        } else {
            data = DemoDisplayData(clockSeconds(), rng(), scenario == SimScenario::LowBatt);
        }
        data[kStatusIndex] = statusByte;
        return data;
    }
};

namespace {

// Splits 24 data bytes into three input reports with report number 0.
void queueDataReports(std::deque<Report>& out, const std::array<std::uint8_t, kDataBytes>& data,
                      int reports) {
    for (int r = 0; r < reports && r < 3; ++r) {
        Report report{};
        std::memcpy(report.data() + 1, data.data() + 8 * r, 8);
        out.push_back(report);
    }
}

class SimDevice final : public CableDevice {
public:
    SimDevice(std::shared_ptr<SimulatedMeter::Core> core, bool isCable)
        : m_core(std::move(core)), m_isCable(isCable) {}

    ~SimDevice() override {
        std::lock_guard lock(m_core->lock);
        ++m_core->closes;
    }

    std::int32_t write(std::span<const std::uint8_t, kOutputReportSize> report,
                       std::chrono::milliseconds) override {
        std::lock_guard lock(m_core->lock);
        Core& c = *m_core;
        if (!m_isCable)
            return CableResult::Done; // nobody answers on a foreign interface
        if (c.unplugAfter >= 0 && c.answeredPolls >= c.unplugAfter)
            c.unplug();
        if (!c.cablePresent)
            return CableResult::Failed;
        c.commands.push_back({report[2], report[3]});
        if (!c.writeResults.empty()) {
            const std::int32_t result = c.writeResults.front();
            c.writeResults.pop_front();
            if (result != CableResult::Done)
                return result;
        }
        m_pending.clear();
        m_readyAt = Clock::now();
        if (report[2] == CommandByte(CableCommand::Poll) &&
            report[3] == CommandByte(CableCommand::PollArgument))
            answerPoll(c);
        else if (report[2] == CommandByte(CableCommand::MemoryGroup))
            answerMemoryCommand(c, report[3]);
        return CableResult::Done;
    }

    ReadOutcome read(std::span<std::uint8_t, kInputReportSize> report,
                     std::chrono::milliseconds timeout) override {
        if (m_cancelled.load())
            return {CableResult::Abandoned, 0};
        bool realTime = false;
        {
            std::lock_guard lock(m_core->lock);
            Core& c = *m_core;
            if (m_isCable && !c.cablePresent)
                return {CableResult::Failed, 0};
            if (!c.readResults.empty()) {
                auto [result, bytes] = c.readResults.front();
                c.readResults.pop_front();
                std::copy(bytes.begin(), bytes.end(), report.begin());
                return {result, result == CableResult::Done ? kInputReportSize : 0};
            }
            realTime = c.realTime;
        }
        if (m_pending.empty()) {
            if (realTime && !waitUnlessCancelled(timeout))
                return {CableResult::Abandoned, 0};
            return {CableResult::TimedOut, 0};
        }
        if (realTime) {
            const auto wait = m_readyAt - Clock::now();
            if (wait > timeout) {
                if (!waitUnlessCancelled(timeout))
                    return {CableResult::Abandoned, 0};
                return {CableResult::TimedOut, 0};
            }
            if (wait > Clock::duration::zero() && !waitUnlessCancelled(wait))
                return {CableResult::Abandoned, 0};
        }
        {
            // Unplugged while the reply was on its way.
            std::lock_guard lock(m_core->lock);
            if (!m_core->cablePresent)
                return {CableResult::Failed, 0};
        }
        std::copy(m_pending.front().begin(), m_pending.front().end(), report.begin());
        m_pending.pop_front();
        return {CableResult::Done, kInputReportSize};
    }

    void cancel() override {}

    void cancelReads() override {
        {
            std::lock_guard lock(m_cancelLock);
            m_cancelled = true;
        }
        m_cancelWake.notify_all();
    }

    std::optional<HidAttributes> attributes() override {
        std::lock_guard lock(m_core->lock);
        if (!m_isCable)
            return HidAttributes{kForeignVendor, 0xC31C, 0x0110};
        if (!m_core->cablePresent)
            return std::nullopt;
        return HidAttributes{kCableVendorId, kCableProductId, m_core->versionNumber};
    }

    std::optional<std::array<std::uint8_t, kSerialBytes>> serialNumber() override {
        std::lock_guard lock(m_core->lock);
        if (!m_isCable || !m_core->cablePresent || !m_core->serialReadable)
            return std::nullopt;
        return m_core->serial;
    }

private:
    using Core = SimulatedMeter::Core;

    void answerPoll(Core& c) {
        ++c.polls;
        if (!c.meterOn)
            return;
        if (c.ignorePolls > 0) {
            --c.ignorePolls;
            return;
        }
        int reports = 3;
        if (c.cutReplies > 0) {
            --c.cutReplies;
            reports = c.cutReports;
        } else if (c.scenario == SimScenario::Flaky && c.rng() % 12 == 0) {
            reports = 1 + static_cast<int>(c.rng() % 2);
        }
        queueDataReports(m_pending, c.displayNow(), reports);
        ++c.answeredPolls;
        // A real meter takes 100 to 250 ms to answer.
        const std::chrono::milliseconds replyTime(100 + c.rng() % 151);
        if (c.realTime)
            m_readyAt = Clock::now() + replyTime;
        else
            c.virtualClock += replyTime;
    }

    void answerMemoryCommand(Core& c, std::uint8_t command) {
        switch (static_cast<CableCommand>(command)) {
        case CableCommand::MemoryHeader:
            c.memoryPosition = 0;
            break;
        case CableCommand::NextBlock:
            c.memoryPosition += kDataBytes;
            break;
        case CableCommand::RepeatBlock:
            break;
        default:
            return;
        }
        if (!c.meterOn)
            return;
        if (c.ignoreMemory > 0) {
            --c.ignoreMemory;
            return;
        }
        std::array<std::uint8_t, kDataBytes> block{};
        if (c.memoryPosition < c.memory.size()) {
            const std::size_t n = std::min(kDataBytes, c.memory.size() - c.memoryPosition);
            std::memcpy(block.data(), c.memory.data() + c.memoryPosition, n);
        }
        unsigned sum = 0;
        for (std::uint8_t b : block)
            sum += b;
        bool corrupt = false;
        if (c.corruptSums > 0) {
            --c.corruptSums;
            corrupt = true;
        } else if (c.scenario == SimScenario::Flaky &&
                   command == CommandByte(CableCommand::NextBlock) && c.rng() % 10 == 0) {
            // Only the first attempt at a block goes wrong, so a download always succeeds.
            corrupt = true;
        }
        if (corrupt)
            sum += 1 + c.rng() % 200;
        // Now and then the flaky cable delivers a block cut short: a report or two
        // and no checksum.
        if (c.scenario == SimScenario::Flaky && command == CommandByte(CableCommand::NextBlock) &&
            c.rng() % 40 == 0) {
            queueDataReports(m_pending, block, 1 + static_cast<int>(c.rng() % 2));
            if (c.realTime)
                m_readyAt = Clock::now() + std::chrono::milliseconds(5);
            return;
        }
        queueDataReports(m_pending, block, 3);
        Report trailer{};
        trailer[1] = static_cast<std::uint8_t>(sum & 0xFF);
        trailer[2] = static_cast<std::uint8_t>((sum >> 8) & 0xFF);
        m_pending.push_back(trailer);
        if (c.realTime)
            m_readyAt = Clock::now() + std::chrono::milliseconds(5);
    }

    // Waits as a real read would; false when the reads were cancelled meanwhile.
    template <class Duration> bool waitUnlessCancelled(Duration duration) {
        std::unique_lock lock(m_cancelLock);
        return !m_cancelWake.wait_for(lock, duration, [this] { return m_cancelled.load(); });
    }

    std::shared_ptr<Core> m_core;
    bool m_isCable;
    std::deque<Report> m_pending;
    Clock::time_point m_readyAt = Clock::now();
    std::mutex m_cancelLock;
    std::condition_variable m_cancelWake;
    std::atomic<bool> m_cancelled{false};
};

std::string foreignPath(int i) {
    return "sim:hid-" + std::to_string(i);
}

} // namespace

std::optional<SimScenario> ParseSimScenario(std::string_view name) {
    if (name == "demo")
        return SimScenario::Demo;
    if (name == "cycle")
        return SimScenario::Cycle;
    if (name == "silent")
        return SimScenario::Silent;
    if (name == "nocable")
        return SimScenario::NoCable;
    if (name == "unplug")
        return SimScenario::Unplug;
    if (name == "replug")
        return SimScenario::Replug;
    if (name == "lowbatt")
        return SimScenario::LowBatt;
    if (name == "flaky")
        return SimScenario::Flaky;
    return std::nullopt;
}

std::string_view SimScenarioName(SimScenario scenario) {
    switch (scenario) {
    case SimScenario::Demo:
        return "demo";
    case SimScenario::Cycle:
        return "cycle";
    case SimScenario::Silent:
        return "silent";
    case SimScenario::NoCable:
        return "nocable";
    case SimScenario::Unplug:
        return "unplug";
    case SimScenario::Replug:
        return "replug";
    case SimScenario::LowBatt:
        return "lowbatt";
    case SimScenario::Flaky:
        return "flaky";
    }
    return "demo";
}

SimulatedMeter::SimulatedMeter(SimScenario scenario, bool realTime)
    : m_core(std::make_shared<Core>(scenario, realTime)) {
    Core& c = *m_core;
    c.memory = DemoLoggerImage();
    switch (scenario) {
    case SimScenario::Silent:
        c.meterOn = false;
        break;
    case SimScenario::NoCable:
        c.cablePresent = false;
        break;
    case SimScenario::Unplug:
        c.unplugAfter = kUnplugAfterPolls;
        break;
    case SimScenario::Replug:
        c.unplugAfter = kUnplugAfterPolls;
        c.replugAfter = kReplugAfter;
        break;
    default:
        break;
    }
}

SimulatedMeter::~SimulatedMeter() = default;

std::vector<HidInterfaceInfo> SimulatedMeter::interfaces() {
    std::lock_guard lock(m_core->lock);
    m_core->look();
    std::vector<HidInterfaceInfo> list;
    for (int i = 0; i < m_core->foreign; ++i)
        list.push_back(
            {foreignPath(i), {kForeignVendor, static_cast<std::uint16_t>(0xC31C + i), 0x0110}});
    if (m_core->cablePresent)
        list.push_back({m_core->cablePath,
                        {kCableVendorId, kCableProductId, m_core->versionNumber},
                        m_core->serialReadable ? SerialText(m_core->serial) : std::string()});
    return list;
}

std::unique_ptr<CableDevice> SimulatedMeter::open(const std::string& path) {
    std::lock_guard lock(m_core->lock);
    m_core->look();
    const bool isCable = path == m_core->cablePath;
    if (isCable && !m_core->cablePresent)
        return nullptr;
    if (!isCable) {
        bool known = false;
        for (int i = 0; i < m_core->foreign; ++i)
            known = known || path == foreignPath(i);
        if (!known)
            return nullptr;
    }
    ++m_core->opens;
    return std::make_unique<SimDevice>(m_core, isCable);
}

void SimulatedMeter::pause(std::chrono::milliseconds duration) {
    bool realTime = false;
    {
        std::lock_guard lock(m_core->lock);
        m_core->pauses.push_back(duration);
        realTime = m_core->realTime;
    }
    if (realTime)
        std::this_thread::sleep_for(duration);
}

void SimulatedMeter::setCablePath(std::string path) {
    std::lock_guard lock(m_core->lock);
    m_core->cablePath = std::move(path);
}

void SimulatedMeter::setForeignInterfaces(int count) {
    std::lock_guard lock(m_core->lock);
    m_core->foreign = std::max(0, count);
}

void SimulatedMeter::setCablePresent(bool present) {
    std::lock_guard lock(m_core->lock);
    if (!present) {
        m_core->unplug();
        return;
    }
    m_core->cablePresent = true;
    m_core->unplugAfter = -1;
}

bool SimulatedMeter::cablePresent() const {
    std::lock_guard lock(m_core->lock);
    return m_core->cablePresent;
}

void SimulatedMeter::setMeterOn(bool on) {
    std::lock_guard lock(m_core->lock);
    m_core->meterOn = on;
}

void SimulatedMeter::setRandomSeed(std::uint32_t seed) {
    std::lock_guard lock(m_core->lock);
    m_core->rng.seed(seed);
}

void SimulatedMeter::unplugAfterPolls(int polls) {
    std::lock_guard lock(m_core->lock);
    m_core->unplugAfter = m_core->answeredPolls + polls;
}

void SimulatedMeter::replugAfter(std::chrono::milliseconds away) {
    std::lock_guard lock(m_core->lock);
    m_core->replugAfter = std::max(away, std::chrono::milliseconds(0));
}

void SimulatedMeter::setDisplayData(const std::array<std::uint8_t, kDataBytes>& data) {
    std::lock_guard lock(m_core->lock);
    m_core->displayData = data;
}

void SimulatedMeter::setStatusByte(std::uint8_t status) {
    std::lock_guard lock(m_core->lock);
    m_core->statusByte = status;
}

void SimulatedMeter::setMemory(std::vector<std::uint8_t> image) {
    std::lock_guard lock(m_core->lock);
    m_core->memory = std::move(image);
}

void SimulatedMeter::setCableIdentity(std::uint16_t versionNumber,
                                      std::array<std::uint8_t, kSerialBytes> serial,
                                      bool serialReadable) {
    std::lock_guard lock(m_core->lock);
    m_core->versionNumber = versionNumber;
    m_core->serial = serial;
    m_core->serialReadable = serialReadable;
}

void SimulatedMeter::ignoreNextPolls(int count) {
    std::lock_guard lock(m_core->lock);
    m_core->ignorePolls = count;
}

void SimulatedMeter::cutNextReplies(int count, int reports) {
    std::lock_guard lock(m_core->lock);
    m_core->cutReplies = count;
    m_core->cutReports = std::clamp(reports, 0, 3);
}

void SimulatedMeter::corruptNextChecksums(int count) {
    std::lock_guard lock(m_core->lock);
    m_core->corruptSums = count;
}

void SimulatedMeter::ignoreNextMemoryCommands(int count) {
    std::lock_guard lock(m_core->lock);
    m_core->ignoreMemory = count;
}

void SimulatedMeter::queueWriteResult(std::int32_t result) {
    std::lock_guard lock(m_core->lock);
    m_core->writeResults.push_back(result);
}

void SimulatedMeter::queueReadResult(std::int32_t result,
                                     const std::array<std::uint8_t, kInputReportSize>& report) {
    std::lock_guard lock(m_core->lock);
    m_core->readResults.emplace_back(result, report);
}

int SimulatedMeter::opens() const {
    std::lock_guard lock(m_core->lock);
    return m_core->opens;
}

int SimulatedMeter::closes() const {
    std::lock_guard lock(m_core->lock);
    return m_core->closes;
}

int SimulatedMeter::openDevices() const {
    std::lock_guard lock(m_core->lock);
    return m_core->opens - m_core->closes;
}

int SimulatedMeter::polls() const {
    std::lock_guard lock(m_core->lock);
    return m_core->polls;
}

std::vector<std::array<std::uint8_t, 2>> SimulatedMeter::commands() const {
    std::lock_guard lock(m_core->lock);
    return m_core->commands;
}

std::vector<std::chrono::milliseconds> SimulatedMeter::pauses() const {
    std::lock_guard lock(m_core->lock);
    return m_core->pauses;
}

double SimulatedMeter::clockSeconds() const {
    std::lock_guard lock(m_core->lock);
    return m_core->clockSeconds();
}

} // namespace telmora
