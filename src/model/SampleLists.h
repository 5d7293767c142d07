#pragma once

#include "model/ReadingRecord.h"

#include <array>
#include <cstddef>
#include <memory>
#include <vector>

namespace telmora {

// A list of samples that only grows at the end or is emptied at once. Entries live
// in fixed-size chunks, so appending never moves earlier entries (no copy of the
// whole buffer when it grows), indexing is O(1) and a million samples cost little
// more than their own 172 bytes each. Chunks are small (256 entries, about 44 KB)
// so that a short list - an imported session of a few samples, of which there may
// be 999 - costs little more than what it holds.
class SampleList {
public:
    static constexpr std::size_t kChunkShift = 8;
    static constexpr std::size_t kChunkSize = std::size_t{1} << kChunkShift; // entries per chunk

    SampleList() = default;
    SampleList(const SampleList&) = delete;
    SampleList& operator=(const SampleList&) = delete;
    SampleList(SampleList&&) noexcept = default;
    SampleList& operator=(SampleList&&) noexcept = default;

    std::size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }

    const SampleEntry& operator[](std::size_t i) const {
        return (*m_chunks[i >> kChunkShift])[i & (kChunkSize - 1)];
    }
    SampleEntry& operator[](std::size_t i) {
        return (*m_chunks[i >> kChunkShift])[i & (kChunkSize - 1)];
    }
    const SampleEntry& back() const { return (*this)[m_size - 1]; }

    // Appends a copy of `entry` and returns its index. Throws std::bad_alloc when
    // memory runs out; the list is then unchanged.
    std::size_t append(const SampleEntry& entry);

    // Removes every entry and releases the memory.
    void clear();

private:
    using Chunk = std::array<SampleEntry, kChunkSize>;
    std::vector<std::unique_ptr<Chunk>> m_chunks;
    std::size_t m_size = 0;
};

// The process-wide array of 1000 sample lists: slots 0 to 998 hold imported
// sessions, slot 999 is the recorder buffer. User-interface thread only.
constexpr std::size_t kSampleListCount = 1000;
constexpr std::size_t kRecorderSlot = 999;
constexpr std::size_t kMaxSessions = 999;

std::array<SampleList, kSampleListCount>& SampleLists();

// Slot 999.
inline SampleList& RecorderBuffer() {
    return SampleLists()[kRecorderSlot];
}

} // namespace telmora
