#pragma once

#include "model/ReadingRecord.h"
#include "recording/RecordStore.h"
#include "recording/SampleGaps.h"
#include "recording/ValueArray.h"
#include "recording/WallClock.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <vector>

namespace telmora {

// The recorder's sample store. The records stay in their file (the temporary file
// of the acquisition, or the opened file) and are decoded when a page, the list, an
// export or a read-out needs them; memory holds the main value of every sample for
// drawing, the smallest and largest value of each block of samples for the whole
// view, the date and time each live sample was taken, the count, extremes, vertical
// scale and the empty/unsaved flags. A value type that a load job can fill on a
// worker thread and hand over whole.
class Recording {
public:
    static constexpr float kScaleFactor = 1.33f;
    static constexpr double kInverseScaleFactor = 0.7518796992481203; // 1 / 1.33
    // Samples per block of the block extremes.
    static constexpr std::int64_t kBlockSamples = 256;

    // First smallest and first largest value of a block; NaN values are left out
    // (-1 when every value of the block is NaN).
    struct BlockExtremes {
        std::int64_t minIndex = -1;
        std::int64_t maxIndex = -1;
    };

    Recording() = default;
    Recording(const Recording&) = delete;
    Recording& operator=(const Recording&) = delete;
    Recording(Recording&&) noexcept = default;
    Recording& operator=(Recording&&) noexcept = default;

    std::size_t size() const { return m_values.size(); }
    bool empty() const { return m_values.empty(); }
    // Main value of sample `index` (below size()).
    float valueAt(std::int64_t index) const { return m_values[static_cast<std::size_t>(index)]; }
    // Sample `index` decoded from its file; nothing outside the recording or when its
    // file no longer holds it (the file was cut short under the recording). Reads
    // through a cache of the owner's thread; other threads use their own reader.
    std::optional<SampleEntry> readSample(std::int64_t index) const;
    // The same with an empty sample in place of nothing (texts only: an empty sample
    // shows nothing, but its value 0 is no reading).
    SampleEntry sampleAt(std::int64_t index) const {
        return readSample(index).value_or(SampleEntry{});
    }
    // Called on the owner's thread the first time a sample cannot be read because its
    // file has become shorter (again after clear()). Stays with the recording when
    // it is moved.
    void setUnreadableHandler(std::function<void()> handler) {
        m_unreadableHandler = std::move(handler);
    }
    // Whether a sample could not be read since the recording was filled.
    bool hasUnreadableSamples() const { return m_reader.failed(); }
    const RecordStore& records() const { return m_store; }
    const std::vector<BlockExtremes>& blockExtremes() const { return m_blocks; }

    // Tracks the scale, appends the sample, tracks the extremes, counts it and marks
    // the recording non-empty and unsaved, and keeps `clock`, the date and time the
    // sample was taken, beside it. Returns the sample's index. The record is
    // read back from `file` at `offset` (169-byte .TMP layout) or, without a file,
    // kept in memory. Throws std::bad_alloc when memory runs out, with nothing changed.
    std::size_t addSample(const SampleEntry& entry, std::optional<WallClock> clock = std::nullopt,
                          std::shared_ptr<RecordFile> file = nullptr, std::int64_t offset = 0);

    // The date and time sample `index` was taken; nothing when it is not known: the
    // recorder files hold only the time of day, so samples read from a file (and
    // samples added without a clock) have none.
    std::optional<WallClock> wallClock(std::size_t index) const;

    // Appends the value of a sample read from a file without counting it; recount()
    // counts them. Throws std::bad_alloc when memory runs out.
    void appendLoadedValue(float value);
    // Appends the values of samples read from a file and counts them at once (scale,
    // extremes and count as if each had just been taken). When memory runs out
    // (std::bad_alloc), the loader drops the recording.
    void appendCountedValues(std::span<const float> values);
    // The same for a sample whose record is kept in memory.
    void appendLoaded(const SampleEntry& entry);
    // The records of the values appended by appendLoadedValue: `count` records of
    // `format` from byte `offset` of `file`.
    void attachLoadedRecords(std::shared_ptr<RecordFile> file, RecorderFormat format,
                             std::int64_t offset, std::int64_t count) {
        m_store.appendStored(std::move(file), format, offset, count);
    }
    // Counts the samples appended by appendLoadedValue: scale, extremes and count as
    // if each had just been taken. `progress` is called with each counted index.
    template <typename Progress> void recount(Progress progress);

    // Empties the recording and resets count, extremes, scale and flags.
    void clear();

    std::int32_t sampleCount() const { return m_sampleCount; }
    std::int32_t maxIndex() const { return m_maxIndex; }
    std::int32_t minIndex() const { return m_minIndex; }
    float scaleMax() const { return m_scaleMax; }
    float scaleMin() const { return m_scaleMin; }
    bool isEmpty() const { return m_empty; }
    bool isUnsaved() const { return m_unsaved; }
    void setUnsaved(bool on) { m_unsaved = on; }
    // The sample the extremes read-outs show: the index, kept inside the recording.
    ReadingRecord mainAt(std::int32_t index) const;

    // Where the readings stopped for a while during the recording.
    const SampleGaps& gaps() const { return m_gaps; }
    // The readings stop after the newest sample; nothing when there is none yet.
    void markGapAfterLast() {
        if (!m_values.empty())
            m_gaps.markAfter(m_values.size() - 1);
    }

private:
    // The two trackers, with the sample count before the new sample is counted.
    void updateScale(float x);
    void updateExtremes(float x);
    void countSample();
    // Appends a value and takes it into its block's extremes.
    void pushValue(float value);
    // Takes value `index` into the extremes of the last block.
    void takeIntoBlock(std::int64_t index, float value);

    ValueArray m_values;
    std::vector<BlockExtremes> m_blocks;
    // The smallest and largest value of the last block, as its extremes point at.
    float m_lastBlockMin = 0.0f;
    float m_lastBlockMax = 0.0f;
    RecordStore m_store;
    mutable RecordReader m_reader;
    std::function<void()> m_unreadableHandler;
    // Wall clocks of the samples from index m_clockedFrom on (loaded samples come
    // first and have none); kUnknownClock marks a sample added without one.
    std::vector<WallClock> m_wallClocks;
    std::size_t m_clockedFrom = 0;
    SampleGaps m_gaps;
    std::int32_t m_sampleCount = 0;
    std::int32_t m_maxIndex = 0;
    std::int32_t m_minIndex = 0;
    float m_maxValue = 0.0f; // the value at m_maxIndex
    float m_minValue = 0.0f; // the value at m_minIndex
    float m_scaleMax = 100.0f;
    float m_scaleMin = -100.0f;
    // A sample with a value has set the scale, and the extremes (gap samples have none).
    bool m_scaled = false;
    bool m_hasExtremes = false;
    bool m_empty = true;
    bool m_unsaved = false;
};

template <typename Progress> void Recording::recount(Progress progress) {
    for (std::size_t j = 0; j < m_values.size(); ++j) {
        const float value = m_values[j];
        updateScale(value);
        updateExtremes(value);
        countSample();
        progress(static_cast<std::int64_t>(j));
    }
}

} // namespace telmora
