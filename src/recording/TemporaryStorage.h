#pragma once

#include "model/ReadingRecord.h"
#include "recording/RecordStore.h"
#include "recording/TemporaryFileClaim.h"

#include <QFile>
#include <QString>

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace telmora {

// Full path of temporary file number `number` of this run: the application
// directory, the native separator, "~ODMDL", the number and ".TMP".
QString TemporaryFilePath(const QString& applicationDirectory, int number);

// The crash-safe mirror of one recording: 169 bytes per sample, no header. Each
// sample is handed to the operating system the moment it is appended (the file is
// opened unbuffered), so a killed process loses no sample that was appended.
class TemporaryFile {
public:
    TemporaryFile() = default;
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    // Creates the file. A name that is already there (a file another run left, a
    // link someone planted) is never opened, followed or replaced: false then, and
    // nameTaken() tells so. False with errorString() on any other failure.
    bool create(const QString& path);
    bool nameTaken() const { return m_nameTaken; }
    // Takes up a file an earlier run left that holds `samples` whole samples (and
    // perhaps a torn last one), closed; reopen() goes on writing it. False when the
    // name does not lead to a regular file holding exactly that many.
    bool takeOver(const QString& path, std::int64_t samples);
    // Opens the file of create() or takeOver() again to write more samples after the
    // ones it holds (a torn last sample is cut off). False, with errorString(), when
    // the name no longer leads to that same file or it no longer holds its samples.
    bool reopen();
    bool isOpen() const { return m_file.isOpen(); }
    QString path() const { return m_path; }
    // The whole samples the file holds.
    std::int64_t sampleCount() const { return m_size / static_cast<qint64>(kSampleSize); }

    // Writes one sample; `offset` receives the byte it starts at. On a failed or
    // short write (disk full) the file is cut back to its last whole sample and false
    // is returned, with the system's reason in errorString(). A file found shorter
    // than what was written to it (cut under the recording) takes nothing more:
    // false, and wasCut() says why.
    bool append(const SampleEntry& entry, std::int64_t* offset = nullptr);
    // The file was found cut short by someone else since it was created.
    bool wasCut() const { return m_cut; }
    // Writes samples first .. end - 1 of `store` after the file's samples, in the
    // file's layout. On a failure the file keeps the whole samples written and false
    // is returned with the reason.
    bool appendFrom(const RecordStore& store, std::int64_t first, std::int64_t end);
    // Cuts off the newest sample (it could not be taken into the recording).
    void removeLast();
    // The file opened for reading, so the recording reads its samples back from it;
    // it stays readable after close(). Null when it could not be opened.
    const std::shared_ptr<RecordFile>& records() const { return m_records; }
    // Why the last create, reopen or write failed (the system's words).
    const QString& errorString() const { return m_error; }

    void close();

private:
    // Hands an open descriptor (or, without one, the file name) to m_file.
    bool openDevice(int descriptor, QIODevice::OpenMode mode);
    // Writes `bytes` bytes; on a failure keeps the whole samples written.
    bool writeSamples(const char* data, qint64 bytes);
    void openReader();

    QString m_path;
    QFile m_file;
    qint64 m_size = 0;
    bool m_cut = false;
    std::shared_ptr<RecordFile> m_records;
    QString m_error;
    bool m_nameTaken = false;
    // Which file the name led to when it was created or taken up (device, inode).
    std::pair<std::uint64_t, std::uint64_t> m_identity{0, 0};
};

// Claims a temporary file for this run; null when a running program holds it or
// no lock file can be made beside it.
inline std::unique_ptr<TemporaryFileClaim> ClaimTemporaryFile(const QString& temporaryFilePath) {
    return TemporaryFileClaim::tryClaim(temporaryFilePath);
}

// The temporary files of one run. A recording keeps one file from its first sample
// to its last: it goes on in the same file when it is stopped and started again,
// and a recording taken up from a file an earlier run left goes on in that file.
// Every file of the run is deleted when the series ends.
//
// Several programs may share the directory, and files of a run that ended
// unexpectedly stay in it until the user decides about them: a number is only
// taken when no running program holds it and no file of that name is there, so
// no other run's file is ever replaced or deleted. A directory that another user
// owns or that others may write to is not used at all.
class TemporaryFileSeries {
public:
    explicit TemporaryFileSeries(QString directory) : m_directory(std::move(directory)) {}
    ~TemporaryFileSeries();
    TemporaryFileSeries(const TemporaryFileSeries&) = delete;
    TemporaryFileSeries& operator=(const TemporaryFileSeries&) = delete;

    const QString& directory() const { return m_directory; }
    // Creates a new file under the next free number. False, with errorString(),
    // when none can be created.
    bool startNext();
    // Opens the current file again to go on writing it. False when there is none
    // or it cannot be (see TemporaryFile::reopen).
    bool reopenCurrent();
    // Takes over a file left by an earlier run, with its claim: from now on it
    // belongs to this run and is deleted with the run's own files.
    void adopt(const QString& path, std::unique_ptr<TemporaryFileClaim> claim);
    // Makes an adopted file holding `samples` samples the current one (closed), so
    // that reopenCurrent() goes on writing it. False when it does not hold them.
    bool continueIn(const QString& path, std::int64_t samples);
    bool append(const SampleEntry& entry, std::int64_t* offset = nullptr) {
        return m_file.append(entry, offset);
    }
    bool appendFrom(const RecordStore& store, std::int64_t first, std::int64_t end) {
        return m_file.appendFrom(store, first, end);
    }
    void removeLast() { m_file.removeLast(); }
    bool wasCut() const { return m_file.wasCut(); }
    const std::shared_ptr<RecordFile>& records() const { return m_file.records(); }
    void close() { m_file.close(); }
    bool isOpen() const { return m_file.isOpen(); }
    QString currentPath() const { return m_file.path(); }
    std::int64_t sampleCount() const { return m_file.sampleCount(); }
    int counter() const { return m_counter; }
    // Why the last start, reopen or write failed.
    const QString& errorString() const {
        return m_error.isEmpty() ? m_file.errorString() : m_error;
    }
    // Deletes the files of this run (and the adopted ones) and releases their claims.
    void deleteAll();

private:
    struct OwnedFile {
        QString path;
        std::unique_ptr<TemporaryFileClaim> claim; // null when the directory allows no lock
    };

    QString m_directory;
    TemporaryFile m_file;
    int m_counter = 0;
    std::vector<OwnedFile> m_owned;
    QString m_error;
};

// Deletes a file; when that fails, `closeHandle` is run (it closes the file if it is
// the open one) and the deletion is tried once more. True when the file is gone.
template <typename CloseHandle> bool DeleteWithRetry(const QString& path, CloseHandle closeHandle) {
    if (!QFile::exists(path) || QFile::remove(path))
        return true;
    closeHandle();
    return QFile::remove(path) || !QFile::exists(path);
}

} // namespace telmora
