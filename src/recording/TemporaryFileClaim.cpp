#include "recording/TemporaryFileClaim.h"

#include <QCoreApplication>
#include <QFile>
#include <QSysInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace telmora {

QString TemporaryFileLockPath(const QString& temporaryFilePath) {
    return temporaryFilePath + QStringLiteral(".lock");
}

#ifdef Q_OS_UNIX

namespace {

// What a lock file says about its holder, for people who look at it: process
// number, program and host, one a line. Only the system's lock counts.
QByteArray holderLines() {
    return QByteArray::number(QCoreApplication::applicationPid()) + '\n' +
           QCoreApplication::applicationName().toUtf8() + '\n' +
           QSysInfo::machineHostName().toUtf8() + '\n';
}

bool sameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// True when the name `native` still leads to the file open as `descriptor`.
bool nameLeadsTo(const QByteArray& native, int descriptor) {
    struct stat opened {};
    struct stat named {};
    return ::fstat(descriptor, &opened) == 0 && ::lstat(native.constData(), &named) == 0 &&
           sameFile(opened, named);
}

// Opens a lock file that is already there, when it is one this user's programs
// make: a regular file of this user with no second name. -1 otherwise (a link, a
// device, another user's file: left alone); errno is ENOENT when it went away.
int openExistingLock(const QByteArray& native) {
    const int descriptor =
        ::open(native.constData(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0)
        return -1;
    struct stat info {};
    if (::fstat(descriptor, &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::geteuid() ||
        info.st_nlink != 1) {
        ::close(descriptor);
        errno = EEXIST;
        return -1;
    }
    return descriptor;
}

void tell(TemporaryFileClaim::Outcome* outcome, TemporaryFileClaim::Outcome value,
          QString* reason = nullptr, const QString& text = {}) {
    if (outcome != nullptr)
        *outcome = value;
    if (reason != nullptr)
        *reason = text;
}

} // namespace

std::unique_ptr<TemporaryFileClaim>
TemporaryFileClaim::tryClaim(const QString& temporaryFilePath, Outcome* outcome, QString* reason) {
    const QString lockPath = TemporaryFileLockPath(temporaryFilePath);
    const QByteArray native = QFile::encodeName(lockPath);
    // A holder may remove its lock file between two of our steps: then look again.
    for (int round = 0; round < 4; ++round) {
        bool created = true;
        int descriptor =
            ::open(native.constData(),
                   O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC, 0600);
        if (descriptor < 0) {
            if (errno != EEXIST) {
                tell(outcome, Outcome::Failed, reason, qt_error_string(errno));
                return nullptr;
            }
            created = false;
            descriptor = openExistingLock(native);
            if (descriptor < 0 && errno == ENOENT)
                continue;
            if (descriptor < 0)
                break; // not a lock file of ours: the number is taken
        }
        if (::flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            ::close(descriptor);
            if (error == EWOULDBLOCK)
                break; // a running program holds it
            // The file system keeps no locks: no claim can be made here.
            if (created)
                ::unlink(native.constData());
            tell(outcome, Outcome::Failed, reason, qt_error_string(error));
            return nullptr;
        }
        // The claim counts only while the name still leads to the file we lock: a
        // holder that ended meanwhile removed it first.
        if (!nameLeadsTo(native, descriptor)) {
            ::close(descriptor);
            continue;
        }
        // The lines are for people; a full disk that refuses them does not matter.
        if (const QByteArray lines = holderLines(); ::ftruncate(descriptor, 0) == 0) {
            [[maybe_unused]] const ssize_t written =
                ::pwrite(descriptor, lines.constData(), std::size_t(lines.size()), 0);
        }
        tell(outcome, Outcome::Claimed, reason);
        return std::make_unique<TemporaryFileClaim>(Key{}, lockPath, descriptor);
    }
    tell(outcome, Outcome::Taken, reason);
    return nullptr;
}

TemporaryFileClaim::~TemporaryFileClaim() {
    // Removed while it is still held, so nobody takes over a name about to vanish;
    // only when the name still leads to our lock file.
    const QByteArray native = QFile::encodeName(m_lockPath);
    if (nameLeadsTo(native, m_descriptor))
        ::unlink(native.constData());
    ::close(m_descriptor);
}

#else

std::unique_ptr<TemporaryFileClaim>
TemporaryFileClaim::tryClaim(const QString& temporaryFilePath, Outcome* outcome, QString* reason) {
    auto claim =
        std::make_unique<TemporaryFileClaim>(Key{}, TemporaryFileLockPath(temporaryFilePath));
    // Only a dead holder makes a claim stale, never its age: a recording may run for days.
    claim->m_lock.setStaleLockTime(0);
    if (claim->m_lock.tryLock(0)) {
        if (outcome != nullptr)
            *outcome = Outcome::Claimed;
        return claim;
    }
    const bool taken = claim->m_lock.error() == QLockFile::LockFailedError;
    if (outcome != nullptr)
        *outcome = taken ? Outcome::Taken : Outcome::Failed;
    if (reason != nullptr && !taken)
        *reason = QStringLiteral("no lock file can be made beside %1").arg(temporaryFilePath);
    return nullptr;
}

TemporaryFileClaim::~TemporaryFileClaim() = default;

#endif

} // namespace telmora
