#include "recording/Recording.h"

#include <algorithm>
#include <cmath>

namespace telmora {

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

void Recording::countSample() {
    ++m_sampleCount;
    m_empty = false;
    m_unsaved = true;
}

void Recording::clear() {
    m_buffer.clear();
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
