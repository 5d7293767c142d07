#include "model/SampleLists.h"

namespace telmora {

std::size_t SampleList::append(const SampleEntry& entry) {
    const std::size_t chunk = m_size >> kChunkShift;
    if (chunk == m_chunks.size()) {
        m_chunks.reserve(m_chunks.size() + 1);
        m_chunks.push_back(std::make_unique<Chunk>());
    }
    (*m_chunks[chunk])[m_size & (kChunkSize - 1)] = entry;
    return m_size++;
}

void SampleList::clear() {
    m_chunks.clear();
    m_chunks.shrink_to_fit();
    m_size = 0;
}

std::array<SampleList, kSampleListCount>& SampleLists() {
    static std::array<SampleList, kSampleListCount> lists;
    return lists;
}

} // namespace telmora
