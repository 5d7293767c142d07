#include "recording/ValueArray.h"

#include <algorithm>
#include <new>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace telmora {

namespace {
constexpr std::size_t kChunkBytes = ValueArray::kChunkValues * sizeof(float);
constexpr std::align_val_t kChunkAlignment{std::size_t{2} << 20}; // a large page
} // namespace

void ValueArray::ChunkDeleter::operator()(float* chunk) const {
    ::operator delete(chunk, kChunkAlignment);
}

void ValueArray::makeRoom() {
    if (m_size < m_chunks.size() * kChunkValues)
        return;
    m_chunks.reserve(m_chunks.size() + 1);
    auto* memory = static_cast<float*>(::operator new(kChunkBytes, kChunkAlignment));
    Chunk chunk(memory);
#ifdef __linux__
    // Only a hint: without large pages the chunk works the same.
    ::madvise(memory, kChunkBytes, MADV_HUGEPAGE);
#endif
    m_chunks.push_back(std::move(chunk));
}

void ValueArray::push_back(float value) {
    makeRoom();
    m_chunks.back().get()[m_size % kChunkValues] = value;
    ++m_size;
}

void ValueArray::append(std::span<const float> values) {
    while (!values.empty()) {
        makeRoom();
        const std::size_t at = m_size % kChunkValues;
        const std::size_t take = std::min(values.size(), kChunkValues - at);
        std::copy_n(values.begin(), take, m_chunks.back().get() + at);
        m_size += take;
        values = values.subspan(take);
    }
}

void ValueArray::clear() {
    m_chunks.clear();
    m_chunks.shrink_to_fit();
    m_size = 0;
}

} // namespace telmora
