#pragma once

#include "model/ReadingRecord.h"
#include "recording/RecorderFile.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <stop_token>
#include <vector>

#include <QFileDevice>
#include <QIODevice>

namespace telmora {

// A file the records of a recording are read from: the temporary file of an
// acquisition or an opened recorder file. The user-interface thread and a job's
// threads may read at the same time: a file's reads are positioned reads, any other
// device's one locked seek and read.
class RecordFile {
public:
    explicit RecordFile(std::unique_ptr<QIODevice> device);
    ~RecordFile();
    RecordFile(const RecordFile&) = delete;
    RecordFile& operator=(const RecordFile&) = delete;

    // Opens a regular file for reading; nullptr when it cannot be opened.
    static std::shared_ptr<RecordFile> open(const QString& path);

    // Reads up to out.size() bytes from byte `offset`. Returns the bytes read: fewer
    // when the file has become shorter than the recording expects.
    std::size_t readAt(std::int64_t offset, std::span<std::uint8_t> out);

    enum class CopyOutcome { Copied, Unsupported, Failed };
    // Copies `bytes` bytes from byte `offset` to the current position of `out` inside
    // the operating system, without passing them through this process, and moves
    // `out` past them. Unsupported (nothing written) where the system cannot do that
    // for these two files; Failed, with the reason, when the copy broke off or the
    // source is too short.
    // `copied`, when given, hears the bytes copied so far after each piece and may
    // stop the copy by answering false (Failed with an empty reason then).
    CopyOutcome copyTo(QFileDevice& out, std::int64_t offset, std::int64_t bytes, QString& reason,
                       const std::function<bool(std::int64_t)>& copied = {});

private:
    std::mutex m_lock;
    std::unique_ptr<QIODevice> m_device;
    int m_handle = -1; // the descriptor of an open file device, for positioned reads
};

// Where each sample of a recording is kept: runs of records back to back in a file
// (a temporary file, an opened file) and, for samples no file took (no temporary
// file, or the disk refused them), their 169-byte images in memory. Memory holds
// only the list of runs, so ten million samples in one file cost a few bytes.
class RecordStore {
public:
    struct Run {
        std::int64_t firstIndex = 0; // index of the run's first sample in the recording
        std::int64_t count = 0;
        std::shared_ptr<RecordFile> file; // null: the images are in `memory`
        RecorderFormat format = RecorderFormat::Tmp;
        std::int64_t offset = 0;          // byte of the first record in the file
        std::vector<std::uint8_t> memory; // kSampleSize bytes per sample
        // The records were not checked when the file was opened: every read checks
        // them, and a record no writer makes reads as a failure.
        bool unchecked = false;
        std::size_t recordBytes() const { return file ? RecorderSampleBytes(format) : kSampleSize; }
    };

    std::int64_t size() const { return m_size; }
    std::span<const Run> runs() const { return m_runs; }
    // The run that holds sample `index` (which must be below size()).
    const Run& runOf(std::int64_t index) const;

    // Appends `count` samples stored back to back from byte `offset` of `file`. A
    // record that continues the last run is added to it. Throws std::bad_alloc with
    // nothing changed.
    // `unchecked`: see Run (a command that exports a file as it reads it).
    void appendStored(std::shared_ptr<RecordFile> file, RecorderFormat format, std::int64_t offset,
                      std::int64_t count, bool unchecked = false);
    // Appends a sample that is kept in memory. Throws std::bad_alloc with nothing changed.
    void appendInMemory(const SampleEntry& entry);
    // Removes the newest sample (undoing an append whose other half failed).
    void removeLast();
    void clear();

private:
    std::vector<Run> m_runs;
    std::int64_t m_size = 0;
};

// Decodes samples of a store through a small cache of neighbouring records, so a
// page, a list screen or an export reads the file in blocks. Not shared between
// threads: each reader of a recording has its own.
class RecordReader {
public:
    explicit RecordReader(std::size_t blockRecords = 64) : m_blockRecords(blockRecords) {}

    // Sample `index` of `store`; nothing outside the store or when its file no longer
    // holds the record (the file was cut under us).
    std::optional<SampleEntry> tryRead(const RecordStore& store, std::int64_t index);
    // The same with an empty sample in place of nothing, for readers that check
    // failed() before they use what they read.
    SampleEntry read(const RecordStore& store, std::int64_t index) {
        return tryRead(store, index).value_or(SampleEntry{});
    }
    // Drops the cache and the failure mark (the store was cleared or replaced).
    void forget();
    // Whether a record could not be read since the reader was made: its file had
    // become shorter than the recording.
    bool failed() const { return m_failed; }

private:
    std::size_t m_blockRecords;
    std::shared_ptr<RecordFile> m_file;
    std::int64_t m_blockOffset = 0;
    std::vector<std::uint8_t> m_block;
    std::size_t m_blockValid = 0;
    std::int64_t m_lastIndex = -2; // the index read last
    bool m_failed = false;
};

// Writes every sample of `store` as a .g53 file through SaveFile: the records of a
// .TMP or .g53 run are copied as they are, those of older formats are converted.
// False with a reason in `error` when the file cannot be written or a source file
// no longer holds its records; false with no reason when `stop` was requested.
// `progress` hears, from the saving thread, how many of the samples are written.
using SaveProgress = std::function<void(std::int64_t done, std::int64_t total)>;
bool SaveRecordStore(const QString& path, const RecordStore& store, QString* error = nullptr,
                     std::stop_token stop = {}, const SaveProgress& progress = {});

} // namespace telmora
