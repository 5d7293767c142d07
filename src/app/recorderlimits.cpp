#include "app/recorderlimits.h"

#include "app/Meter.h"
#include "recording/RecorderController.h"

namespace telmora {

namespace {

std::optional<LimitTest> limitsOf(const Meter& meter) {
    double low = meter.lowLimit();
    double high = meter.highLimit();
    if (low == 0.0 && high == 0.0)
        return std::nullopt;
    if (low > high)
        std::swap(low, high);
    return LimitTest(low, high, LimitUnits::Comparator);
}

} // namespace

std::vector<std::optional<LimitTest>> RecorderLimitsOf(const RecorderController& recorder,
                                                       const std::vector<const Meter*>& meters) {
    std::vector<std::optional<LimitTest>> limits(static_cast<std::size_t>(recorder.meterCount()));
    for (int k = 0; k < recorder.meterCount(); ++k) {
        const QString serial = recorder.meterSerial(k);
        const Meter* owner = nullptr;
        if (!serial.isEmpty()) {
            for (const Meter* meter : meters)
                if (meter->serial() == serial)
                    owner = meter;
        } else if (recorder.meterCount() == 1 && meters.size() == 1) {
            owner = meters.front();
        }
        if (owner != nullptr)
            limits[static_cast<std::size_t>(k)] = limitsOf(*owner);
    }
    return limits;
}

} // namespace telmora
