#pragma once
// The records of a text export, read in large blocks straight from their files:
// one read per block of neighbouring records, and each record handed on as the
// bytes of its file image, so that an export of millions of samples neither looks
// up its run nor copies a decoded sample per record.

#include "recording/RecordStore.h"

#include <cstdint>
#include <span>
#include <vector>

namespace telmora {

class ExportRecords {
public:
    explicit ExportRecords(const RecordStore& store) : m_store(store) {}

    // Hands samples begin .. end - 1 of the store on, in order: those kept in the
    // 169-byte layout (.TMP, .g53, memory) to `image(index, bytes)`, those of the
    // older layouts decoded to `entry(index, sample)`. False, with failed() set, when
    // a file no longer holds one of them; the samples before it were handed on.
    template <typename Image, typename Entry>
    bool forEach(std::int64_t begin, std::int64_t end, Image&& image, Entry&& entry) {
        for (std::int64_t j = begin; j < end;) {
            const RecordStore::Run& run = m_store.runOf(j);
            const std::int64_t runEnd = std::min(end, run.firstIndex + run.count);
            const std::size_t bytes = run.recordBytes();
            while (j < runEnd) {
                const std::int64_t records = std::min(runEnd - j, kBlockRecords);
                const std::uint8_t* p = block(run, j - run.firstIndex, records);
                if (p == nullptr)
                    return false;
                for (const std::int64_t blockEnd = j + records; j < blockEnd; ++j, p += bytes) {
                    if (bytes == kSampleSize)
                        image(j, p);
                    else
                        entry(j, decoded(run, p));
                }
            }
        }
        return true;
    }

    // Whether a record could not be read.
    bool failed() const { return m_failed; }

private:
    // Records read at once: sequential reads of about 170 kB, which stay in the
    // processor's cache while they are formatted.
    static constexpr std::int64_t kBlockRecords = 1024;

    // The images of `records` records of `run` from record `first` of the run: in
    // the run's memory, or read into the block. Null when the file is too short.
    const std::uint8_t* block(const RecordStore::Run& run, std::int64_t first,
                              std::int64_t records);
    static SampleEntry decoded(const RecordStore::Run& run, const std::uint8_t* image);

    const RecordStore& m_store;
    std::vector<std::uint8_t> m_block;
    bool m_failed = false;
};

} // namespace telmora
