#include "model/RunningStatistics.h"

#include <algorithm>
#include <cmath>

namespace telmora {

void RunningStatistics::add(double x) {
    if (m_count == 0) {
        m_min = m_max = x;
    } else {
        m_min = std::min(m_min, x);
        m_max = std::max(m_max, x);
    }
    ++m_count;
    const double delta = x - m_mean;
    m_mean += delta / static_cast<double>(m_count);
    m_squaredDeviations += delta * (x - m_mean);
}

void RunningStatistics::merge(const RunningStatistics& other) {
    if (other.m_count == 0)
        return;
    if (m_count == 0) {
        *this = other;
        return;
    }
    const double n = static_cast<double>(m_count);
    const double m = static_cast<double>(other.m_count);
    const double total = n + m;
    const double delta = other.m_mean - m_mean;
    m_mean += delta * (m / total);
    m_squaredDeviations += other.m_squaredDeviations + delta * delta * (n * m / total);
    m_count += other.m_count;
    m_min = std::min(m_min, other.m_min);
    m_max = std::max(m_max, other.m_max);
}

double RunningStatistics::variance() const {
    if (m_count < 2)
        return 0.0;
    return std::max(0.0, m_squaredDeviations / static_cast<double>(m_count - 1));
}

double RunningStatistics::standardDeviation() const {
    return std::sqrt(variance());
}

} // namespace telmora
