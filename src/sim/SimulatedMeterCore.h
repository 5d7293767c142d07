#pragma once
// The state a simulated meter shares with the cable devices it opens: its scenario,
// its clock, its cable's presence, the faults a test asked for and what it counts.
// Every member is guarded by `lock`.

#include "meter/CableBackend.h"
#include "meter/CableProtocol.h"
#include "meter/CableResult.h"
#include "sim/DemoReadings.h"
#include "sim/SimulatedMeter.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace telmora {

namespace sim {

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

} // namespace sim

struct SimulatedMeter::Core {
    using Report = sim::Report;
    using Clock = sim::Clock;
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
    std::uint8_t statusByte = sim::kDemoStatus;
    std::vector<std::uint8_t> memory;
    std::size_t memoryPosition = 0;
    std::uint16_t versionNumber = 0x0105;
    std::string cablePath = sim::kCablePath;
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
            unplugAfter = answeredPolls + sim::kReplugEveryPolls;
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
        data[sim::kStatusIndex] = statusByte;
        return data;
    }
};

} // namespace telmora
