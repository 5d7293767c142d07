#pragma once

#include "model/ReadingRecord.h"

#include <QFile>
#include <QString>

#include <utility>

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

    // Writes one sample. On a failed or short write (disk full) the file is cut back
    // to its last whole sample and false is returned.
    bool append(const SampleEntry& entry);

    void close();

private:
    QFile m_file;
    qint64 m_size = 0;
};

// The temporary files of one run: each acquisition (and each manual series) gets
// the next number; every file of the run is deleted when the series ends.
class TemporaryFileSeries {
public:
    explicit TemporaryFileSeries(QString directory) : m_directory(std::move(directory)) {}
    ~TemporaryFileSeries();
    TemporaryFileSeries(const TemporaryFileSeries&) = delete;
    TemporaryFileSeries& operator=(const TemporaryFileSeries&) = delete;

    // Counts a new acquisition and creates its file. False when it cannot be created.
    bool startNext();
    bool append(const SampleEntry& entry) { return m_file.append(entry); }
    void close() { m_file.close(); }
    bool isOpen() const { return m_file.isOpen(); }
    QString currentPath() const { return m_file.path(); }
    int counter() const { return m_counter; }
    // Deletes files 1..counter of the directory.
    void deleteAll();

private:
    QString m_directory;
    TemporaryFile m_file;
    int m_counter = 0;
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
