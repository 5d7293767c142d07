#include "sim/SimulatedMeter.h"

#include "sim/SimulatedCableDevice.h"
#include "sim/SimulatedMeterCore.h"

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
        c.unplugAfter = sim::kUnplugAfterPolls;
        break;
    case SimScenario::Replug:
        c.unplugAfter = sim::kUnplugAfterPolls;
        c.replugAfter = sim::kReplugAfter;
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
        list.push_back({foreignPath(i),
                        {sim::kForeignVendor, static_cast<std::uint16_t>(0xC31C + i), 0x0110}});
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
    return std::make_unique<SimulatedCableDevice>(m_core, isCable);
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
