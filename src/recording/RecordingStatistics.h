#pragma once

#include "model/GroupedStatistics.h"
#include "model/ReadingRecord.h"

#include <algorithm>
#include <cstddef>
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
    void clear();

    std::size_t size() const { return m_size; }
    const GroupedStatistics& whole() const { return m_whole; }

    // The statistics of samples first .. end - 1 (kept inside the counted ones).
    // `sampleAt(i)` gives the recording's sample i.
    template <typename SampleAt>
    GroupedStatistics range(std::size_t first, std::size_t end, SampleAt sampleAt) const;

private:
    GroupedStatistics m_whole;
    std::vector<GroupedStatistics> m_blocks; // the last one may still be filling
    std::size_t m_size = 0;
};

// The statistics group a recorder sample belongs to.
inline SiReading RecorderMainReading(const ReadingRecord& main) {
    return ReadSi(main, RecordOrigin::Recorder);
}
inline SiReading RecorderMainReading(const SampleEntry& entry) {
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
        for (; i < stop; ++i)
            out.add(RecorderMainReading(sampleAt(i)));
    }
    return out;
}

} // namespace telmora
