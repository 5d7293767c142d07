#pragma once

#include "meter/CableBackend.h"
#include "model/DecodedReply.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace telmora {

// How the simulated meter behaves.
enum class SimScenario {
    Demo,    // a meter staying a minute on each function, readings changing slowly
    Cycle,   // the quick tour: every function for a few seconds
    Silent,  // cable present, meter switched off
    NoCable, // no cable present
    Unplug,  // the cable disappears after some polls
    Replug, // demo whose cable disappears after some polls and comes back a little later, again and
            // again
    LowBatt, // demo with the low-battery annunciator lit
    Flaky,   // now and then a reply cut short or a logger block with a bad checksum
};

std::optional<SimScenario> ParseSimScenario(std::string_view name);
std::string_view SimScenarioName(SimScenario scenario);

// A CableBackend that behaves like the adapter cable with a meter behind it.
// It answers the poll with display images, the logger commands with blocks of
// its memory image (the demo meter's memory unless set) and correct checksums, and misbehaves on
// purpose where the scenario says so. Tests drive it without real waits (`realTime` false: a read
// with nothing to deliver times out at once and pauses are only recorded) and
// program single calls with the scripting functions below.
class SimulatedMeter final : public CableBackend {
public:
    explicit SimulatedMeter(SimScenario scenario = SimScenario::Demo, bool realTime = true);
    ~SimulatedMeter() override;

    std::vector<HidInterfaceInfo> interfaces() override;
    std::unique_ptr<CableDevice> open(const std::string& path) override;
    void pause(std::chrono::milliseconds duration) override;

    // --- set-up ---
    // The device path the cable is listed at ("sim:cable" unless set), so that
    // several simulated cables can be listed side by side.
    void setCablePath(std::string path);
    // Other HID interfaces listed before the cable (keyboards and the like).
    void setForeignInterfaces(int count);
    void setCablePresent(bool present);
    bool cablePresent() const;
    // A switched-off meter answers nothing.
    void setMeterOn(bool on);
    // Restarts the random choices of the demo readings and of the flaky meter's
    // misbehaviour from `seed`, so a test can pick a run with a known outcome.
    void setRandomSeed(std::uint32_t seed);
    // Unplugs the cable once this many polls have been answered.
    void unplugAfterPolls(int polls);
    // An unplugged cable comes back once it has been away this long (found by the
    // next look for it); zero leaves it away.
    void replugAfter(std::chrono::milliseconds away);
    // The 24 data bytes of every poll reply (instead of the scenario's readings).
    void setDisplayData(const std::array<std::uint8_t, kDataBytes>& data);
    // Data byte D19 of the poll reply (the memory status).
    void setStatusByte(std::uint8_t status);
    void setMemory(std::vector<std::uint8_t> image);
    void setCableIdentity(std::uint16_t versionNumber,
                          std::array<std::uint8_t, kSerialBytes> serial,
                          bool serialReadable = true);

    // --- scripted misbehaviour (each counts down per event) ---
    void ignoreNextPolls(int count);                 // the meter stays silent for these polls
    void cutNextReplies(int count, int reports = 2); // replies stop after `reports` reports
    void corruptNextChecksums(int count);            // logger blocks with a wrong trailer sum
    void ignoreNextMemoryCommands(int count);        // no answer to these logger commands
    // Results of the next write calls (before the meter sees them).
    void queueWriteResult(std::int32_t result);
    // Results of the next read calls, delivered instead of the meter's reports.
    void queueReadResult(std::int32_t result,
                         const std::array<std::uint8_t, kInputReportSize>& report = {});

    // --- what happened ---
    int opens() const;
    int closes() const;
    int openDevices() const;
    int polls() const; // poll commands received
    // Every command written, as its two command bytes.
    std::vector<std::array<std::uint8_t, 2>> commands() const;
    std::vector<std::chrono::milliseconds> pauses() const;
    // Seconds on the meter's clock, which sets what the demo displays show: the
    // time since it was made, or (not in real time) the sum of its reply times.
    double clockSeconds() const;

    struct Core;

private:
    std::shared_ptr<Core> m_core;
};

} // namespace telmora
