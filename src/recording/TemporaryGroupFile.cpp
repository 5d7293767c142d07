#include "recording/TemporaryGroupFile.h"

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include "model/SaveFile.h"
#endif

namespace telmora {

QString GroupFilePath(const QString& firstTemporaryPath) {
    QString path = firstTemporaryPath;
    if (path.endsWith(QStringLiteral(".TMP"), Qt::CaseInsensitive))
        path.chop(4);
    return path + QStringLiteral(".telmora");
}

#ifdef Q_OS_UNIX

bool NameIsTaken(const QString& path) {
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 || errno != ENOENT;
}

namespace {

bool failWithErrno(QString* error) {
    if (error != nullptr)
        *error = qt_error_string(errno);
    return false;
}

// Makes `path` as a new file holding `bytes`, synced; nothing is left at the name
// when that fails.
bool createExclusively(const QString& path, const QByteArray& bytes, QString* error) {
    const QByteArray name = QFile::encodeName(path);
    const int descriptor = ::open(
        name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC, 0600);
    if (descriptor < 0)
        return failWithErrno(error);
    const char* data = bytes.constData();
    auto left = static_cast<std::size_t>(bytes.size());
    bool written = true;
    while (written && left > 0) {
        const ssize_t n = ::write(descriptor, data, left);
        if (n < 0 && errno == EINTR)
            continue;
        written = n > 0;
        if (written) {
            data += n;
            left -= static_cast<std::size_t>(n);
        }
    }
    if (written && ::fsync(descriptor) == 0 && ::close(descriptor) == 0)
        return true;
    const int reason = errno != 0 ? errno : ENOSPC;
    ::close(descriptor);
    ::unlink(name.constData());
    errno = reason;
    return failWithErrno(error);
}

} // namespace

bool WriteTemporaryGroupFile(const QString& path, const QByteArray& bytes, bool create,
                             QString* error) {
    if (create)
        return createExclusively(path, bytes, error);
    const QString fresh = path + QStringLiteral(".new");
    const QByteArray freshName = QFile::encodeName(fresh);
    ::unlink(freshName.constData()); // one a crash left (a link there goes, not its target)
    if (!createExclusively(fresh, bytes, error))
        return false;
    if (::rename(freshName.constData(), QFile::encodeName(path).constData()) == 0)
        return true;
    const bool failed = failWithErrno(error);
    ::unlink(freshName.constData());
    return failed;
}

#else

bool NameIsTaken(const QString& path) {
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

bool WriteTemporaryGroupFile(const QString& path, const QByteArray& bytes, bool create,
                             QString* error) {
    if (create && NameIsTaken(path)) {
        if (error != nullptr)
            *error = QStringLiteral("a file of that name is already there");
        return false;
    }
    return SaveFile::writeWhole(path, bytes, error);
}

#endif

} // namespace telmora
