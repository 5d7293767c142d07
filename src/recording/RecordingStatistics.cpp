#include "recording/RecordingStatistics.h"

namespace telmora {

namespace {
// Records read at once while counting.
constexpr std::size_t kCountBlockRecords = 4096;
} // namespace

std::optional<RecordingStatistics>
CountRecordingStatistics(const RecordStore& records, std::int64_t count, std::stop_token stop) {
    RecordingStatistics statistics;
    RecordReader reader(kCountBlockRecords);
    count = std::min(count, records.size());
    for (std::int64_t i = 0; i < count; ++i) {
        if (i % static_cast<std::int64_t>(kCountBlockRecords) == 0 && stop.stop_requested())
            return std::nullopt;
        if (const std::optional<SampleEntry> sample = reader.tryRead(records, i))
            statistics.add(*sample);
        else
            statistics.skip(); // its file was cut short: it counts in no figure
    }
    return statistics;
}

void RecordingStatistics::add(const ReadingRecord& main) {
    // The figures need no display shape.
    const TypedReading reading = ReadingOfRecord(main, RecordOrigin::Recorder, DisplayKind::Main,
                                                 &m_lastValue, DisplayShape::Skip);
    if (m_size % kBlockSize == 0)
        m_blocks.emplace_back();
    m_blocks.back().add(reading);
    m_whole.add(reading);
    ++m_size;
}

void RecordingStatistics::skip() {
    if (m_size % kBlockSize == 0)
        m_blocks.emplace_back();
    ++m_size;
    ++m_unreadable;
}

void RecordingStatistics::clear() {
    m_whole.clear();
    m_blocks.clear();
    m_size = 0;
    m_unreadable = 0;
}

} // namespace telmora
