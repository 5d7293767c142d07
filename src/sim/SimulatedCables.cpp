#include "sim/SimulatedCables.h"

#include "meter/HidapiBackend.h"

#include <string>

namespace telmora {

SimulatedCables::SimulatedCables(std::vector<std::shared_ptr<SimulatedMeter>> meters)
    : m_meters(std::move(meters)) {}

void SimulatedCables::nameCables(int firstSerial) {
    for (std::size_t i = 0; i < m_meters.size(); ++i) {
        SimulatedMeter& meter = *m_meters[i];
        meter.setCablePath(i == 0 ? std::string("sim:cable") : "sim:cable" + std::to_string(i + 1));
        meter.setCableIdentity(0x0105, SerialBytes(std::to_wstring(firstSerial + int(i))));
        if (i > 0) {
            meter.setForeignInterfaces(0);
            meter.setRandomSeed(20261208u + static_cast<std::uint32_t>(i));
        }
    }
}

std::vector<HidInterfaceInfo> SimulatedCables::interfaces() {
    std::vector<HidInterfaceInfo> list;
    for (const auto& meter : m_meters) {
        std::vector<HidInterfaceInfo> own = meter->interfaces();
        list.insert(list.end(), own.begin(), own.end());
    }
    return list;
}

std::unique_ptr<CableDevice> SimulatedCables::open(const std::string& path) {
    for (const auto& meter : m_meters)
        for (const HidInterfaceInfo& info : meter->interfaces())
            if (info.path == path)
                return meter->open(path);
    return nullptr;
}

void SimulatedCables::pause(std::chrono::milliseconds duration) {
    // Every meter keeps the same clock; the first one's pause stands for all.
    if (!m_meters.empty())
        m_meters.front()->pause(duration);
}

} // namespace telmora
