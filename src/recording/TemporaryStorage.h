#pragma once

#include "model/ReadingRecord.h"
#include "recording/RecordStore.h"

#include <QFile>
#include <QLockFile>
#include <QString>

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace telmora {

// Full path of temporary file number `number` of this run: the application
// directory, the native separator, "~ODMDL", the number and ".TMP".
QString TemporaryFilePath(const QString& applicationDirectory, int number);

// The crash-safe mirror of one acquisition: 169 bytes per sample, no header. Each
// sample is handed to the operating system the moment it is appended (the file is
// opened unbuffered), so a killed process loses no sample that was appended.
class TemporaryFile {
public:
    TemporaryFile() = default;
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    // Creates the file (an existing one is replaced). False when it cannot be created.
    bool create(const QString& path);
    bool isOpen() const { return m_file.isOpen(); }
    QString path() const { return m_file.fileName(); }

    // Writes one sample; `offset` receives the byte it starts at. On a failed or
    // short write (disk full) the file is cut back to its last whole sample and false
    // is returned. A file found shorter than what was written to it (cut under the
    // recording) takes nothing more: false, and wasCut() says why.
    bool append(const SampleEntry& entry, std::int64_t* offset = nullptr);
    // The file was found cut short by someone else since it was created.
    bool wasCut() const { return m_cut; }
    // Cuts off the newest sample (it could not be taken into the recording).
    void removeLast();
    // The file opened for reading, so the recording reads its samples back from it;
    // it stays readable after close(). Null when it could not be opened.
    const std::shared_ptr<RecordFile>& records() const { return m_records; }

    void close();

private:
    QFile m_file;
    qint64 m_size = 0;
    bool m_cut = false;
    std::shared_ptr<RecordFile> m_records;
};

// The claim of one temporary file: a lock file beside it ("~ODMDL<n>.TMP.lock")
// held as long as a running program owns the file. A program that dies leaves a
// stale lock that the next run recognises (the process is gone), so the file can
// be told apart from one that another running program is still writing.
QString TemporaryFileLockPath(const QString& temporaryFilePath);
std::unique_ptr<QLockFile> ClaimTemporaryFile(const QString& temporaryFilePath);

// The temporary files of one run: each acquisition (and each manual series) gets
// the next number; every file of the run is deleted when the series ends.
//
// Several programs may share the directory, and files of a run that ended
// unexpectedly stay in it until the user decides about them: a number is only
// taken when no running program holds it and no file of that name is there, so
// no other run's file is ever replaced or deleted.
class TemporaryFileSeries {
public:
    explicit TemporaryFileSeries(QString directory) : m_directory(std::move(directory)) {}
    ~TemporaryFileSeries();
    TemporaryFileSeries(const TemporaryFileSeries&) = delete;
    TemporaryFileSeries& operator=(const TemporaryFileSeries&) = delete;

    const QString& directory() const { return m_directory; }
    // Counts a new acquisition and creates its file under the next free number.
    // False when it cannot be created.
    bool startNext();
    // Takes over a file left by an earlier run, with its claim: from now on it
    // belongs to this run and is deleted with the run's own files.
    void adopt(const QString& path, std::unique_ptr<QLockFile> claim);
    bool append(const SampleEntry& entry, std::int64_t* offset = nullptr) {
        return m_file.append(entry, offset);
    }
    void removeLast() { m_file.removeLast(); }
    bool wasCut() const { return m_file.wasCut(); }
    const std::shared_ptr<RecordFile>& records() const { return m_file.records(); }
    void close() { m_file.close(); }
    bool isOpen() const { return m_file.isOpen(); }
    QString currentPath() const { return m_file.path(); }
    int counter() const { return m_counter; }
    // Deletes the files of this run (and the adopted ones) and releases their claims.
    void deleteAll();

private:
    struct OwnedFile {
        QString path;
        std::unique_ptr<QLockFile> claim; // null when the directory allows no lock
    };

    QString m_directory;
    TemporaryFile m_file;
    int m_counter = 0;
    std::vector<OwnedFile> m_owned;
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
