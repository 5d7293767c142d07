#include "recording/recorderexportrecords.h"

namespace telmora {

const std::uint8_t* ExportRecords::block(const RecordStore::Run& run, std::int64_t first,
                                         std::int64_t records) {
    const std::size_t bytes = run.recordBytes();
    if (!run.file)
        return run.memory.data() + static_cast<std::size_t>(first) * bytes;
    const std::size_t size = static_cast<std::size_t>(records) * bytes;
    if (m_block.size() < size)
        m_block.resize(size);
    const std::span<std::uint8_t> into(m_block.data(), size);
    if (run.file->readAt(run.offset + first * static_cast<std::int64_t>(bytes), into) != size) {
        m_failed = true; // the file no longer holds these records
        return nullptr;
    }
    if (run.unchecked &&
        FirstUnsoundRecord(RecordLayoutOf(run.format), into) != static_cast<std::size_t>(records)) {
        m_failed = true; // a record no writer makes
        return nullptr;
    }
    return m_block.data();
}

SampleEntry ExportRecords::decoded(const RecordStore::Run& run, const std::uint8_t* image) {
    return DecodeRecorderSample(run.format,
                                std::span<const std::uint8_t>(image, run.recordBytes()));
}

} // namespace telmora
