#pragma once
// The one way this program writes a file. The bytes go to a temporary file beside
// the target; the target is replaced only when every byte has been accepted by the
// file system and synced to the disk. A failure at any step (opening, any write,
// the sync, the rename) removes the temporary file, leaves the old target exactly
// as it was and keeps the system's reason ("No space left on device").
//
// The temporary file is written without a buffer of its own, so a write that the
// disk refuses fails at once rather than at the end, where a failed flush could
// otherwise pass unnoticed.

#include <QByteArray>
#include <QSaveFile>
#include <QString>

#include <cstdint>
#include <span>
#include <string_view>

namespace telmora {

class SaveFile {
public:
    explicit SaveFile(const QString& path);
    // A save that was not committed is discarded: the target stays as it was.
    ~SaveFile();
    SaveFile(const SaveFile&) = delete;
    SaveFile& operator=(const SaveFile&) = delete;

    // Checks the target (a device, FIFO or directory is refused, see
    // ReplaceTargetProblem) and creates the temporary file. False with the reason
    // in errorString() otherwise.
    bool open();

    // Writes all of `bytes`; false with the reason when the file system took fewer.
    // After a failure the save is discarded and every later write or commit fails.
    bool write(std::span<const char> bytes);
    bool write(std::span<const std::uint8_t> bytes);
    bool write(std::string_view bytes) { return write(std::span(bytes.data(), bytes.size())); }
    bool write(const QByteArray& bytes) {
        return write(std::span(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    }

    // The open temporary file, for writers that work on its descriptor (a copy
    // inside the operating system). Whatever they leave as the file's error makes
    // commit() fail.
    QFileDevice& fileDevice() { return m_file; }

    // Makes the written bytes the target: flushes, syncs the data to the disk and
    // replaces the target. False with the reason when any of that failed; the old
    // target is then untouched and the temporary file removed.
    bool commit();

    // Discards the save without a reason (the user stopped it).
    void cancel();

    // Discards the save because of `reason`, a failure found by the writer itself
    // (its source ran short, for example).
    void fail(const QString& reason);

    // Why the save failed; empty while nothing failed.
    const QString& errorString() const { return m_reason; }
    QString fileName() const { return m_file.fileName(); }

    // Writes `bytes` as the whole of `path` through a SaveFile. False with the
    // reason in `reason`, the old file kept, when that failed.
    static bool writeWhole(const QString& path, std::span<const char> bytes,
                           QString* reason = nullptr);
    static bool writeWhole(const QString& path, const QByteArray& bytes,
                           QString* reason = nullptr) {
        return writeWhole(
            path, std::span(bytes.constData(), static_cast<std::size_t>(bytes.size())), reason);
    }

private:
    enum class State { Closed, Open, Committed, Failed };

    bool failWithFileError();
    bool failWith(const QString& reason);
    void discard();

    QSaveFile m_file;
    QString m_reason;
    State m_state = State::Closed;
};

} // namespace telmora
