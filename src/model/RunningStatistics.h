#pragma once

#include <cstdint>

namespace telmora {

// Count, mean, standard deviation, minimum and maximum of a series of numbers in one
// pass. The mean and the sum of squared deviations are updated with each number
// (Welford's method), so a long series of nearly equal numbers - a million readings
// of 1.000000 V with microvolt noise - keeps its spread instead of losing it to the
// cancellation of a sum of squares. Two accumulators merge exactly (Chan's pairwise
// update), so the figures of a range can be put together from those of its parts.
class RunningStatistics {
public:
    void add(double x);
    void merge(const RunningStatistics& other);

    std::int64_t count() const { return m_count; }
    bool empty() const { return m_count == 0; }
    // 0 when empty.
    double mean() const { return m_mean; }
    // The sample standard deviation (divided by count - 1); 0 for fewer than two.
    double standardDeviation() const;
    double variance() const;
    // Only meaningful when not empty.
    double minimum() const { return m_min; }
    double maximum() const { return m_max; }

private:
    std::int64_t m_count = 0;
    double m_mean = 0.0;
    double m_squaredDeviations = 0.0; // sum of (x - mean)^2
    double m_min = 0.0;
    double m_max = 0.0;
};

} // namespace telmora
