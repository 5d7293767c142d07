#include "model/SaveFile.h"

#include "model/fileaccess.h"

#ifdef Q_OS_UNIX
#include <cerrno>
#include <unistd.h>
#endif

namespace telmora {

namespace {

// Said when the file system took fewer bytes than asked without saying why.
const char* const kShortWrite = "the file system took only part of the data";

#ifdef Q_OS_UNIX
// Syncs the file's data to the disk; empty when done or when this file system
// has no sync (nothing more can be done then), the system's reason otherwise.
QString syncToDisk(int handle) {
    if (handle < 0 || ::fsync(handle) == 0)
        return {};
    const int error = errno;
    if (error == EINVAL || error == ENOTSUP)
        return {};
    return qt_error_string(error);
}
#endif

} // namespace

SaveFile::SaveFile(const QString& path) : m_file(path) {}

SaveFile::~SaveFile() {
    if (m_state == State::Open)
        discard();
}

bool SaveFile::open() {
    if (m_state != State::Closed)
        return false;
    if (const QString problem = ReplaceTargetProblem(m_file.fileName()); !problem.isEmpty())
        return failWith(problem);
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failWith(m_file.errorString());
    m_state = State::Open;
    return true;
}

bool SaveFile::write(std::span<const char> bytes) {
    if (m_state != State::Open)
        return false;
    // A short count is no failure by itself: the next write of the rest either
    // goes on or fails with the system's reason.
    while (!bytes.empty()) {
        const qint64 n = m_file.write(bytes.data(), static_cast<qint64>(bytes.size()));
        if (n <= 0 || m_file.error() != QFileDevice::NoError)
            return failWithFileError();
        bytes = bytes.subspan(static_cast<std::size_t>(n));
    }
    return true;
}

bool SaveFile::write(std::span<const std::uint8_t> bytes) {
    return write(std::span(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

bool SaveFile::commit() {
    if (m_state != State::Open)
        return false;
    // Writers on the descriptor leave their failures as the file's error.
    if (m_file.error() != QFileDevice::NoError || !m_file.flush())
        return failWithFileError();
#ifdef Q_OS_UNIX
    if (const QString problem = syncToDisk(m_file.handle()); !problem.isEmpty())
        return failWith(problem);
#endif
    if (m_file.error() != QFileDevice::NoError)
        return failWithFileError();
    if (!m_file.commit()) {
        // QSaveFile removed its temporary file; the target is untouched.
        m_reason = m_file.errorString();
        m_state = State::Failed;
        return false;
    }
    m_state = State::Committed;
    return true;
}

void SaveFile::cancel() {
    if (m_state == State::Open)
        discard();
    if (m_state != State::Committed)
        m_state = State::Failed;
}

void SaveFile::fail(const QString& reason) {
    if (m_state == State::Committed)
        return;
    if (m_reason.isEmpty())
        m_reason = reason;
    cancel();
}

bool SaveFile::writeWhole(const QString& path, std::span<const char> bytes, QString* reason) {
    SaveFile file(path);
    const bool saved = file.open() && file.write(bytes) && file.commit();
    if (!saved && reason != nullptr)
        *reason = file.errorString();
    return saved;
}

bool SaveFile::failWithFileError() {
    return failWith(m_file.error() == QFileDevice::NoError ? QString::fromLatin1(kShortWrite)
                                                           : m_file.errorString());
}

bool SaveFile::failWith(const QString& reason) {
    fail(reason.isEmpty() ? QString::fromLatin1(kShortWrite) : reason);
    return false;
}

void SaveFile::discard() {
    // A cancelled QSaveFile removes its temporary file when it is committed.
    m_file.cancelWriting();
    m_file.commit();
    m_state = State::Failed;
}

} // namespace telmora
