#include "recording/RecordingStatistics.h"

namespace telmora {

void RecordingStatistics::add(const ReadingRecord& main) {
    const SiReading reading = RecorderMainReading(main);
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
