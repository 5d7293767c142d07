#include "logger/SessionGraph.h"

#include "model/viewreduction.h"

#include <cmath>

namespace telmora {

namespace {
constexpr float kGrowth = 1.33f;
constexpr double kReach = 0.7518796992481203; // 1 / 1.33

float widened(float y, float sign) {
    const float v = kGrowth * std::fabs(y);
    return v == 0.0f ? sign : sign * v;
}
} // namespace

void SessionPlot::reset() {
    points = kSessionGraphBlankPoints;
    direct = true;
    indexes.clear();
    indexes.shrink_to_fit();
    upper = 100.0f;
    lower = -100.0f;
    mainMax = mainMin = subMax = subMin = 0;
}

std::int64_t SessionPlot::sampleOfPoint(std::int64_t point) const {
    if (point < 0 || point >= points)
        return -1;
    if (direct)
        return point;
    if (point >= static_cast<std::int64_t>(indexes.size()))
        return -1;
    return indexes[static_cast<std::size_t>(point)];
}

void SessionPlot::extendRange(float y, int j) {
    if (j == 0) {
        upper = widened(y, 1.0f);
        lower = widened(y, -1.0f);
        return;
    }
    if (static_cast<double>(y) >= kReach * static_cast<double>(upper))
        upper = widened(y, 1.0f);
    if (static_cast<double>(y) <= kReach * static_cast<double>(lower))
        lower = widened(y, -1.0f);
}

float PlottedValue(const SampleEntry& entry, bool sub) {
    return sub ? entry.sub.value : entry.main.value;
}

void ChooseSessionPoints(SessionPlot& plot, const SampleList& samples, bool sub) {
    const auto n = static_cast<std::int64_t>(samples.size());
    const ViewReduction r = ReduceForView(n, 0, 0, [&](std::int64_t i) {
        return PlottedValue(samples[static_cast<std::size_t>(i)], sub);
    });
    plot.direct = r.direct;
    plot.indexes = r.indexes;
    plot.points = static_cast<int>(r.pointCount());
}

void TrackExtreme(std::int64_t& maxIndex, std::int64_t& minIndex, std::int64_t r, float x,
                  float maxValue, float minValue) {
    if (r == 0) {
        maxIndex = 0;
        minIndex = 0;
    } else if (x >= maxValue) {
        maxIndex = r;
    } else if (x <= minValue) {
        minIndex = r;
    }
}

} // namespace telmora
