#include "model/fileaccess.h"

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace telmora {

namespace {

void setReason(QString* reason, const QString& text) {
    if (reason != nullptr)
        *reason = text;
}

#ifdef Q_OS_UNIX

// What a file of this mode is, when it is not a regular file; empty for one.
QString kindProblem(mode_t mode) {
    if (S_ISREG(mode))
        return {};
    if (S_ISDIR(mode))
        return qt_error_string(EISDIR);
    const char* kind = S_ISFIFO(mode)   ? "a FIFO"
                       : S_ISCHR(mode)  ? "a character device"
                       : S_ISBLK(mode)  ? "a block device"
                       : S_ISSOCK(mode) ? "a socket"
                       : S_ISLNK(mode)  ? "a symbolic link"
                                        : "something else";
    return QStringLiteral("is %1, not a regular file").arg(QLatin1String(kind));
}

#endif

} // namespace

QByteArray NativePath(const QString& path) {
    return QFile::encodeName(path);
}

QString PathText(const QByteArray& nativePath) {
    return QFile::decodeName(nativePath);
}

bool PathTextIsExact(const QByteArray& nativePath) {
    return NativePath(PathText(nativePath)) == nativePath;
}

bool OpenRegularFile(QFile& file, const QByteArray& nativePath, QString* reason) {
    return OpenRegularFile(file, nativePath, FileLinks::Follow, reason);
}

bool OpenRegularFile(QFile& file, const QByteArray& nativePath, FileLinks links, QString* reason) {
#ifdef Q_OS_UNIX
    const bool follow = links == FileLinks::Follow;
    // Looked at before opening, so that no device is ever opened; looked at again
    // through the descriptor, in case the name was replaced in between.
    struct stat before {};
    if ((follow ? ::stat(nativePath.constData(), &before)
                : ::lstat(nativePath.constData(), &before)) != 0) {
        setReason(reason, qt_error_string(errno));
        return false;
    }
    if (QString kind = kindProblem(before.st_mode); !kind.isEmpty()) {
        setReason(reason, kind);
        return false;
    }
    const int fd = ::open(nativePath.constData(),
                          O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | (follow ? 0 : O_NOFOLLOW));
    if (fd < 0) {
        // A link put in place of the file after it was looked at.
        setReason(reason,
                  !follow && errno == ELOOP ? kindProblem(S_IFLNK) : qt_error_string(errno));
        return false;
    }
    struct stat opened {};
    QString problem;
    if (::fstat(fd, &opened) != 0)
        problem = qt_error_string(errno);
    else
        problem = kindProblem(opened.st_mode);
    if (problem.isEmpty() && !follow &&
        (opened.st_dev != before.st_dev || opened.st_ino != before.st_ino))
        problem = QStringLiteral("was replaced while it was opened");
    // Reads of the regular file block as usual from here on.
    if (const int flags = ::fcntl(fd, F_GETFL);
        problem.isEmpty() && (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0)) {
        problem = qt_error_string(errno);
    }
    if (problem.isEmpty() && !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        problem = file.errorString();
    }
    if (!problem.isEmpty()) {
        if (!file.isOpen())
            ::close(fd);
        setReason(reason, problem);
        return false;
    }
    return true;
#else
    const QString path = PathText(nativePath);
    const QFileInfo info(path);
    if (links == FileLinks::Refuse && info.isSymLink()) {
        setReason(reason, QStringLiteral("is a symbolic link, not a regular file"));
        return false;
    }
    if (info.exists() && !info.isFile()) {
        setReason(reason, info.isDir() ? QStringLiteral("is a directory")
                                       : QStringLiteral("is not a regular file"));
        return false;
    }
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly)) {
        setReason(reason, file.errorString());
        return false;
    }
    return true;
#endif
}

bool OpenRegularFile(QFile& file, const QString& path, QString* reason) {
    file.setFileName(path);
    return OpenRegularFile(file, NativePath(path), reason);
}

QString ReplaceTargetProblem(const QString& path) {
#ifdef Q_OS_UNIX
    struct stat target {};
    // A missing target is fine; other failures are left to the save itself,
    // which reports them when it cannot create its file.
    if (::stat(NativePath(path).constData(), &target) != 0)
        return {};
    return kindProblem(target.st_mode);
#else
    const QFileInfo info(path);
    if (!info.exists() || info.isFile())
        return {};
    return info.isDir() ? QStringLiteral("is a directory")
                        : QStringLiteral("is not a regular file");
#endif
}

} // namespace telmora
