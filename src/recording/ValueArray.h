#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace telmora {

// The main values of a recording, one float per sample, in chunks of a million
// values, so that growing never copies what is there and ten million values cost
// forty megabytes. Chunks are aligned so that the system may back them with large
// pages: filling one then costs a handful of page faults instead of a thousand.
class ValueArray {
public:
    static constexpr std::size_t kChunkValues = std::size_t{1} << 20;

    ValueArray() = default;
    ValueArray(ValueArray&&) noexcept = default;
    ValueArray& operator=(ValueArray&&) noexcept = default;

    std::size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    float operator[](std::size_t i) const {
        return m_chunks[i / kChunkValues].get()[i % kChunkValues];
    }

    // Throw std::bad_alloc when memory runs out; push_back then changes nothing,
    // append may have taken some of the values.
    void push_back(float value);
    void append(std::span<const float> values);
    // Empties the array and gives its memory back.
    void clear();

private:
    struct ChunkDeleter {
        void operator()(float* chunk) const;
    };
    using Chunk = std::unique_ptr<float, ChunkDeleter>;
    // Room for one more chunk when the last one is full.
    void makeRoom();

    std::vector<Chunk> m_chunks;
    std::size_t m_size = 0;
};

} // namespace telmora
