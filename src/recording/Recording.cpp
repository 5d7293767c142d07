#include "recording/Recording.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace telmora {

namespace {
constexpr WallClock kUnknownClock{std::numeric_limits<std::int64_t>::min(), 0};
constexpr std::size_t kFirstClockCapacity = 1024;
} // namespace

std::size_t Recording::addSample(const SampleEntry& entry) {
    // Append first: if memory runs out nothing has changed yet.
    const float scaleMax = m_scaleMax, scaleMin = m_scaleMin;
    updateScale(entry.main.value);
    std::size_t index = 0;
    try {
        index = m_buffer.append(entry);
    } catch (...) {
        m_scaleMax = scaleMax;
        m_scaleMin = scaleMin;
        throw;
    }
    updateExtremes(entry.main.value);
    countSample();
    return index;
}

std::size_t Recording::addSample(const SampleEntry& entry, const WallClock& clock) {
    if (m_wallClocks.empty())
        m_clockedFrom = m_buffer.size();
    // Room for the clock first: if memory runs out nothing has changed yet.
    const std::size_t needed = m_buffer.size() + 1 - m_clockedFrom;
    if (needed > m_wallClocks.capacity())
        m_wallClocks.reserve(std::max({needed, 2 * m_wallClocks.capacity(), kFirstClockCapacity}));
    const std::size_t index = addSample(entry);
    m_wallClocks.resize(needed - 1, kUnknownClock); // samples added without a clock
    m_wallClocks.push_back(clock);
    return index;
}

std::optional<WallClock> Recording::wallClock(std::size_t index) const {
    if (index < m_clockedFrom || index - m_clockedFrom >= m_wallClocks.size())
        return std::nullopt;
    const WallClock& clock = m_wallClocks[index - m_clockedFrom];
    if (clock == kUnknownClock)
        return std::nullopt;
    return clock;
}

void Recording::countSample() {
    ++m_sampleCount;
    m_empty = false;
    m_unsaved = true;
}

void Recording::clear() {
    m_buffer.clear();
    m_wallClocks = {};
    m_clockedFrom = 0;
    m_gaps.clear();
    m_sampleCount = 0;
    m_maxIndex = 0;
    m_minIndex = 0;
    m_scaleMax = 100.0f;
    m_scaleMin = -100.0f;
    m_empty = true;
    m_unsaved = false;
}

const ReadingRecord& Recording::mainAt(std::int32_t index) const {
    const std::size_t i =
        std::min<std::size_t>(static_cast<std::size_t>(std::max(0, index)), m_buffer.size() - 1);
    return m_buffer[i].main;
}

void Recording::updateScale(float x) {
    const float magnitude = std::fabs(x) * kScaleFactor;
    if (m_sampleCount == 0) {
        m_scaleMax = magnitude != 0.0f ? magnitude : 1.0f;
        m_scaleMin = magnitude != 0.0f ? -magnitude : -1.0f;
        return;
    }
    if (m_scaleMax * kInverseScaleFactor <= x)
        m_scaleMax = magnitude != 0.0f ? magnitude : 1.0f;
    if (m_scaleMin * kInverseScaleFactor >= x)
        m_scaleMin = magnitude != 0.0f ? -magnitude : -1.0f;
}

void Recording::updateExtremes(float x) {
    const std::int32_t n = m_sampleCount;
    if (n == 0 || m_buffer.empty()) {
        m_maxIndex = m_minIndex = 0;
        return;
    }
    const auto valueAt = [&](std::int32_t i) {
        return i >= 0 && static_cast<std::size_t>(i) < m_buffer.size() ? m_buffer[i].main.value : x;
    };
    if (valueAt(m_maxIndex) > x) {
        if (x <= valueAt(m_minIndex))
            m_minIndex = n;
    } else {
        m_maxIndex = n;
    }
}

} // namespace telmora
