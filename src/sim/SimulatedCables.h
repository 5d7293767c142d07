#pragma once

#include "meter/CableBackend.h"
#include "sim/SimulatedMeter.h"

#include <memory>
#include <vector>

namespace telmora {

// Several simulated cables plugged in at once, each with a meter of its own
// behind it: one backend that lists every cable's interfaces and opens each at its
// own meter. The first meter also lists the other devices of the machine.
class SimulatedCables final : public CableBackend {
public:
    // Takes the meters as they are; call nameCables() to give them paths and
    // serial numbers of their own.
    explicit SimulatedCables(std::vector<std::shared_ptr<SimulatedMeter>> meters);

    // Meter i's cable is listed at "sim:cable" (the first) or "sim:cable<i+1>" and
    // reports the serial number "<firstSerial + i>"; the meters after the first
    // list no other devices. Readings of the demo meters differ by their seeds.
    void nameCables(int firstSerial = 5310);

    std::vector<HidInterfaceInfo> interfaces() override;
    std::unique_ptr<CableDevice> open(const std::string& path) override;
    void pause(std::chrono::milliseconds duration) override;

    std::size_t size() const { return m_meters.size(); }
    SimulatedMeter& meter(std::size_t index) const { return *m_meters.at(index); }

private:
    std::vector<std::shared_ptr<SimulatedMeter>> m_meters;
};

} // namespace telmora
