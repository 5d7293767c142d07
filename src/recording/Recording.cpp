#include "recording/Recording.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace telmora {

namespace {
constexpr WallClock kUnknownClock{std::numeric_limits<std::int64_t>::min(), 0};
constexpr std::size_t kFirstClockCapacity = 1024;
} // namespace

void Recording::pushValue(float value) {
    const auto index = static_cast<std::int64_t>(m_values.size());
    if (index % kBlockSamples == 0)
        m_blocks.emplace_back();
    try {
        m_values.push_back(value);
    } catch (...) {
        if (index % kBlockSamples == 0)
            m_blocks.pop_back();
        throw;
    }
    takeIntoBlock(index, value);
}

void Recording::takeIntoBlock(std::int64_t index, float value) {
    if (std::isnan(value))
        return;
    BlockExtremes& block = m_blocks.back();
    if (block.minIndex < 0) {
        block.minIndex = block.maxIndex = index;
        m_lastBlockMin = m_lastBlockMax = value;
        return;
    }
    if (value < m_lastBlockMin) {
        block.minIndex = index;
        m_lastBlockMin = value;
    }
    if (value > m_lastBlockMax) {
        block.maxIndex = index;
        m_lastBlockMax = value;
    }
}

std::size_t Recording::addSample(const SampleEntry& entry, std::optional<WallClock> clock,
                                 std::shared_ptr<RecordFile> file, std::int64_t offset) {
    const std::size_t index = m_values.size();
    // Room for the clock first, then the record: if memory runs out nothing has
    // changed yet.
    if (clock) {
        const std::size_t clockedFrom = m_wallClocks.empty() ? index : m_clockedFrom;
        const std::size_t needed = index + 1 - clockedFrom;
        if (needed > m_wallClocks.capacity())
            m_wallClocks.reserve(
                std::max({needed, 2 * m_wallClocks.capacity(), kFirstClockCapacity}));
        m_clockedFrom = clockedFrom;
    }
    if (file)
        m_store.appendStored(std::move(file), RecorderFormat::Tmp, offset, 1);
    else
        m_store.appendInMemory(entry);
    try {
        pushValue(entry.main.value);
    } catch (...) {
        m_store.removeLast();
        throw;
    }
    if (clock) {
        m_wallClocks.resize(index - m_clockedFrom, kUnknownClock); // samples added without one
        m_wallClocks.push_back(*clock);
    }
    updateScale(entry.main.value);
    updateExtremes(entry.main.value);
    countSample();
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

void Recording::appendLoadedValue(float value) {
    pushValue(value);
}

void Recording::appendCountedValues(std::span<const float> values) {
    auto index = static_cast<std::int64_t>(m_values.size());
    m_values.append(values);
    for (const float value : values) {
        if (index % kBlockSamples == 0)
            m_blocks.emplace_back();
        takeIntoBlock(index++, value);
        updateScale(value);
        updateExtremes(value);
        countSample();
    }
}

void Recording::appendLoaded(const SampleEntry& entry) {
    m_store.appendInMemory(entry);
    try {
        pushValue(entry.main.value);
    } catch (...) {
        m_store.removeLast();
        throw;
    }
}

void Recording::countSample() {
    ++m_sampleCount;
    m_empty = false;
    m_unsaved = true;
}

void Recording::clear() {
    m_values.clear();
    m_blocks.clear();
    m_blocks.shrink_to_fit();
    m_store.clear();
    m_reader.forget();
    m_wallClocks = {};
    m_clockedFrom = 0;
    m_gaps.clear();
    m_sampleCount = 0;
    m_maxIndex = 0;
    m_minIndex = 0;
    m_scaleMax = 100.0f;
    m_scaleMin = -100.0f;
    m_scaled = false;
    m_hasExtremes = false;
    m_empty = true;
    m_unsaved = false;
}

std::optional<SampleEntry> Recording::readSample(std::int64_t index) const {
    const bool failedBefore = m_reader.failed();
    std::optional<SampleEntry> sample = m_reader.tryRead(m_store, index);
    if (!sample && !failedBefore && m_reader.failed() && m_unreadableHandler)
        m_unreadableHandler();
    return sample;
}

ReadingRecord Recording::mainAt(std::int32_t index) const {
    if (m_values.empty())
        return {};
    const std::int64_t i =
        std::min<std::int64_t>(std::max(0, index), static_cast<std::int64_t>(m_values.size()) - 1);
    return sampleAt(i).main;
}

void Recording::updateScale(float x) {
    if (std::isnan(x))
        return; // a gap sample has no value to show
    const float magnitude = std::fabs(x) * kScaleFactor;
    if (!m_scaled) {
        m_scaled = true;
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
    // The extremes' values are kept beside their indexes, so that this costs the same
    // whatever the recording's size.
    if (std::isnan(x))
        return; // a gap sample is never an extreme
    if (!m_hasExtremes) {
        m_hasExtremes = true;
        m_maxIndex = m_minIndex = m_sampleCount;
        m_maxValue = m_minValue = x;
        return;
    }
    if (m_maxValue > x) {
        if (x <= m_minValue) {
            m_minIndex = m_sampleCount;
            m_minValue = x;
        }
    } else {
        m_maxIndex = m_sampleCount;
        m_maxValue = x;
    }
}

} // namespace telmora
