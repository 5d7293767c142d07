#pragma once

#include "model/ReadingRecord.h"
#include "model/SampleLists.h"
#include "recording/SampleGaps.h"
#include "recording/WallClock.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace telmora {

// The recorder's sample store: the samples of the recording with their count,
// extremes, vertical scale and the empty/unsaved flags, and beside the samples the
// date and time each live sample was taken. A plain value type that a load job can
// fill on a worker thread and hand over whole.
class Recording {
public:
    static constexpr float kScaleFactor = 1.33f;
    static constexpr double kInverseScaleFactor = 0.7518796992481203; // 1 / 1.33

    Recording() = default;
    Recording(const Recording&) = delete;
    Recording& operator=(const Recording&) = delete;
    Recording(Recording&&) noexcept = default;
    Recording& operator=(Recording&&) noexcept = default;

    const SampleList& buffer() const { return m_buffer; }
    std::size_t size() const { return m_buffer.size(); }

    // Tracks the scale, appends the sample, tracks the extremes, counts it and marks
    // the recording non-empty and unsaved. Returns the sample's index. Throws
    // std::bad_alloc when memory runs out, with nothing changed.
    std::size_t addSample(const SampleEntry& entry);
    // The same for a sample taken at `clock`, which is kept beside it.
    std::size_t addSample(const SampleEntry& entry, const WallClock& clock);

    // The date and time sample `index` was taken; nothing when it is not known: the
    // recorder files hold only the time of day, so samples read from a file (and
    // samples added without a clock) have none.
    std::optional<WallClock> wallClock(std::size_t index) const;

    // Appends a sample read from a file without counting it; recount() counts them.
    // Throws std::bad_alloc when memory runs out.
    void appendLoaded(const SampleEntry& entry) { m_buffer.append(entry); }
    // Counts the samples appended by appendLoaded: scale, extremes and count as if
    // each had just been taken. `progress` is called with each counted index.
    template <typename Progress> void recount(Progress progress);

    // Empties the buffer and resets count, extremes, scale and flags.
    void clear();

    std::int32_t sampleCount() const { return m_sampleCount; }
    std::int32_t maxIndex() const { return m_maxIndex; }
    std::int32_t minIndex() const { return m_minIndex; }
    float scaleMax() const { return m_scaleMax; }
    float scaleMin() const { return m_scaleMin; }
    bool isEmpty() const { return m_empty; }
    bool isUnsaved() const { return m_unsaved; }
    void setUnsaved(bool on) { m_unsaved = on; }
    // The sample the extremes read-outs show: the index, kept inside the buffer.
    const ReadingRecord& mainAt(std::int32_t index) const;

    // Where the readings stopped for a while during the recording.
    const SampleGaps& gaps() const { return m_gaps; }
    // The readings stop after the newest sample; nothing when there is none yet.
    void markGapAfterLast() {
        if (!m_buffer.empty())
            m_gaps.markAfter(m_buffer.size() - 1);
    }

private:
    // The two trackers, with the sample count before the new sample is counted.
    void updateScale(float x);
    void updateExtremes(float x);
    void countSample();

    SampleList m_buffer;
    // Wall clocks of the samples from index m_clockedFrom on (loaded samples come
    // first and have none); kUnknownClock marks a sample added without one.
    std::vector<WallClock> m_wallClocks;
    std::size_t m_clockedFrom = 0;
    SampleGaps m_gaps;
    std::int32_t m_sampleCount = 0;
    std::int32_t m_maxIndex = 0;
    std::int32_t m_minIndex = 0;
    float m_scaleMax = 100.0f;
    float m_scaleMin = -100.0f;
    bool m_empty = true;
    bool m_unsaved = false;
};

template <typename Progress> void Recording::recount(Progress progress) {
    const std::size_t n = m_buffer.size();
    for (std::size_t j = 0; j < n; ++j) {
        const float value = m_buffer[j].main.value;
        updateScale(value);
        updateExtremes(value);
        countSample();
        progress(static_cast<std::int64_t>(j));
    }
}

} // namespace telmora
