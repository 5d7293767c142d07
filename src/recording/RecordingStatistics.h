#pragma once

#include "model/GroupedStatistics.h"
#include "model/ReadingRecord.h"
#include "recording/RecordStore.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <stop_token>
#include <vector>

namespace telmora {

// The statistics of a recording's main readings, kept up to date sample by sample:
// the whole recording, and the figures of each block of kBlockSize consecutive
// samples, so that the statistics of any range (a page, a zoomed stretch, what the
// overview shows) are the merged blocks inside it plus at most two partial blocks
// read sample by sample - never a scan of the whole recording.
class RecordingStatistics {
public:
    static constexpr std::size_t kBlockSize = 1024;

    // Counts the next sample of the recording (index size()).
    void add(const SampleEntry& entry) { add(entry.main); }
    // The same with only the sample's main record.
    void add(const ReadingRecord& main);
    // Passes over the next sample: it could not be read, so it keeps its place but
    // counts in no figure.
    void skip();
    void clear();

    std::size_t size() const { return m_size; }
    // The samples passed over by skip().
    std::size_t unreadable() const { return m_unreadable; }
    const GroupedStatistics& whole() const { return m_whole; }

    // The statistics of samples first .. end - 1 (kept inside the counted ones).
    // `sampleAt(i)` gives the recording's sample i, or an empty optional for one that
    // cannot be read (left out of the figures).
    template <typename SampleAt>
    GroupedStatistics range(std::size_t first, std::size_t end, SampleAt sampleAt) const;

private:
    GroupedStatistics m_whole;
    StoredValueCache m_lastValue;            // a recording repeats its readings
    std::vector<GroupedStatistics> m_blocks; // the last one may still be filling
    std::size_t m_size = 0;
    std::size_t m_unreadable = 0;
};

namespace detail {
// The sample a range reads, whether it comes as a sample or as one that may be missing.
inline const SampleEntry* presentSample(const SampleEntry& entry) {
    return &entry;
}
// A main record handed on its own is always there.
inline const ReadingRecord* presentSample(const ReadingRecord& record) {
    return &record;
}
inline const SampleEntry* presentSample(const std::optional<SampleEntry>& entry) {
    return entry ? &*entry : nullptr;
}
} // namespace detail

// The statistics group a recorder sample belongs to.
inline TypedReading RecorderMainReading(const ReadingRecord& main) {
    return ReadingOfRecord(main, RecordOrigin::Recorder);
}
inline TypedReading RecorderMainReading(const SampleEntry& entry) {
    return RecorderMainReading(entry.main);
}

template <typename SampleAt>
GroupedStatistics RecordingStatistics::range(std::size_t first, std::size_t end,
                                             SampleAt sampleAt) const {
    GroupedStatistics out;
    end = std::min(end, m_size);
    std::size_t i = first;
    while (i < end) {
        const std::size_t block = i / kBlockSize;
        const std::size_t blockEnd = (block + 1) * kBlockSize;
        // A whole block, or the block still filling when the range runs to the newest
        // sample (it holds exactly the samples from its start on).
        if (i % kBlockSize == 0 && (blockEnd <= end || end == m_size)) {
            out.merge(m_blocks[block]);
            i = blockEnd;
            continue;
        }
        const std::size_t stop = std::min(blockEnd, end);
        for (; i < stop; ++i) {
            const auto& sample = sampleAt(i);
            if (const auto* present = detail::presentSample(sample))
                out.add(RecorderMainReading(*present));
        }
    }
    return out;
}

// The statistics of samples 0 .. count - 1 of `records`, decoded from their files
// (a sample its file no longer holds is passed over, see unreadable()); nothing when
// `stop` was requested first. Reading every record of a large file takes far longer
// than reading its values, so an opened recording is shown first and this runs as
// a job afterwards.
std::optional<RecordingStatistics>
CountRecordingStatistics(const RecordStore& records, std::int64_t count, std::stop_token stop = {});

} // namespace telmora
