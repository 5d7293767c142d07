#include "sim/SimulatedCableDevice.h"

#include <cstring>

namespace telmora {

void QueueDataReports(std::deque<sim::Report>& out,
                      const std::array<std::uint8_t, kDataBytes>& data, int reports) {
    for (int r = 0; r < reports && r < 3; ++r) {
        sim::Report report{};
        std::memcpy(report.data() + 1, data.data() + 8 * r, 8);
        out.push_back(report);
    }
}

} // namespace telmora
