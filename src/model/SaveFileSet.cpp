#include "model/SaveFileSet.h"

#include "model/fileaccess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStringList>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace telmora {

namespace {

// Links followed at most, as many as the system itself follows.
constexpr int kMaxLinks = 40;
// Names tried for a staged file before giving up (each one is random).
constexpr int kStagingAttempts = 64;

enum class Made { Made, Exists, Failed };

// Creates the empty file `path`, never following a link and never taking an
// existing file. A new file has the permissions a new file gets (0666 less the
// umask), or those of `permissionsOf` when that file exists.
Made makeNewFile(const QString& path, const QString& permissionsOf, QString& reason) {
#ifdef Q_OS_UNIX
    const int fd = ::open(NativePath(path).constData(),
                          O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) {
        const int error = errno;
        if (error == EEXIST)
            return Made::Exists;
        reason = qt_error_string(error);
        return Made::Failed;
    }
    struct stat target {};
    bool done = true;
    if (!permissionsOf.isEmpty() && ::stat(NativePath(permissionsOf).constData(), &target) == 0 &&
        ::fchmod(fd, target.st_mode & 07777) != 0) {
        reason = qt_error_string(errno);
        done = false;
    }
    ::close(fd);
    if (!done) {
        ::unlink(NativePath(path).constData());
        return Made::Failed;
    }
    return Made::Made;
#else
    QFile file(path);
    if (QFileInfo(path).exists() || QFileInfo(path).isSymLink())
        return Made::Exists;
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        reason = file.errorString();
        return QFileInfo(path).exists() ? Made::Exists : Made::Failed;
    }
    file.close();
    if (!permissionsOf.isEmpty() && QFileInfo::exists(permissionsOf))
        file.setPermissions(QFile::permissions(permissionsOf));
    return Made::Made;
#endif
}

// Moves `from` onto `to`, replacing what is there in one step.
bool moveOnto(const QString& from, const QString& to, QString& reason) {
#ifdef Q_OS_UNIX
    if (::rename(NativePath(from).constData(), NativePath(to).constData()) == 0)
        return true;
    reason = qt_error_string(errno);
    return false;
#else
    QFile::remove(to);
    QFile file(from);
    if (file.rename(to))
        return true;
    reason = file.errorString();
    return false;
#endif
}

// Makes the names in the folders of `paths` lasting on the disk: the renames and
// new files there survive a power cut from now on. A folder that cannot be synced
// is left as the system keeps it.
void syncFolders(const QStringList& paths) {
#ifdef Q_OS_UNIX
    QStringList folders;
    for (const QString& path : paths)
        folders.append(QFileInfo(path).absolutePath());
    folders.removeDuplicates();
    for (const QString& folder : folders) {
        const int fd = ::open(NativePath(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd >= 0) {
            ::fsync(fd);
            ::close(fd);
        }
    }
#else
    (void)paths;
#endif
}

QString randomSuffix() {
    static constexpr char kLetters[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QString suffix;
    for (int i = 0; i < 6; ++i)
        suffix += QLatin1Char(
            kLetters[QRandomGenerator::global()->bounded(static_cast<int>(sizeof kLetters - 1))]);
    return suffix;
}

bool samePath(const QString& a, const QString& b) {
    return QFileInfo(a).absoluteFilePath() == QFileInfo(b).absoluteFilePath();
}

} // namespace

SaveFileSet::~SaveFileSet() {
    discard();
}

QString SaveFileSet::ReplacedFile(const QString& target) {
    QFileInfo info(target);
    for (int depth = 0; info.isSymLink(); ++depth) {
        if (depth == kMaxLinks)
            return target; // a loop: the save itself reports it
        info.setFile(info.symLinkTarget());
    }
    return info.filePath();
}

QString SaveFileSet::stageReplacement(const QString& target) {
    const QString replaced = ReplacedFile(target);
    if (const QString problem = ReplaceTargetProblem(replaced); !problem.isEmpty()) {
        fail(replaced, problem);
        return {};
    }
    const bool exists = QFileInfo::exists(replaced);
    for (int attempt = 0; attempt < kStagingAttempts; ++attempt) {
        const QString staged = replaced + QStringLiteral(".new-") + randomSuffix();
        QString reason;
        switch (makeNewFile(staged, exists ? replaced : QString(), reason)) {
        case Made::Made:
            m_files.push_back({staged, replaced});
            return staged;
        case Made::Exists:
            continue;
        case Made::Failed:
            fail(replaced, reason);
            return {};
        }
    }
    fail(replaced, QStringLiteral("no new file can be made beside it"));
    return {};
}

SaveFileSet::NewFile SaveFileSet::claimNew(const QString& path) {
    QString reason;
    switch (makeNewFile(path, QString(), reason)) {
    case Made::Made:
        m_files.push_back({path, QString()});
        return NewFile::Claimed;
    case Made::Exists:
        return NewFile::Taken;
    case Made::Failed:
        break;
    }
    fail(path, reason);
    return NewFile::Failed;
}

void SaveFileSet::removeAfterCommit(const QString& path) {
    m_removals.push_back(path);
}

bool SaveFileSet::commit() {
    if (m_committed)
        return true;
    QStringList made;
    for (const Staged& file : m_files)
        made.append(file.path);
    // The new files' names reach the disk before any of them replaces an old one.
    syncFolders(made);
    QStringList replaced;
    for (std::size_t i = 0; i < m_files.size(); ++i) {
        const Staged& file = m_files[i];
        if (file.target.isEmpty())
            continue;
        QString reason;
        if (!moveOnto(file.path, file.target, reason)) {
            if (!replaced.isEmpty())
                reason += QStringLiteral(" (already replaced: %1)")
                              .arg(QDir::toNativeSeparators(replaced.join(QStringLiteral(", "))));
            // The files moved so far are targets now; the rest are discarded.
            const QString failed = file.target;
            std::vector<Staged> left;
            for (std::size_t k = 0; k < m_files.size(); ++k)
                if (k >= i || m_files[k].target.isEmpty())
                    left.push_back(m_files[k]);
            m_files = std::move(left);
            discard();
            return fail(failed, reason);
        }
        replaced.append(file.target);
    }
    syncFolders(replaced);
    m_committed = true;
    for (const QString& path : m_removals)
        if (!isPartOfSet(path))
            QFile::remove(path);
    syncFolders(m_removals);
    return true;
}

void SaveFileSet::discard() {
    if (m_committed)
        return;
    for (const Staged& file : m_files)
        QFile::remove(file.path);
    m_files.clear();
    m_removals.clear();
}

bool SaveFileSet::fail(const QString& file, const QString& reason) {
    m_failedFile = file;
    m_reason = reason;
    return false;
}

bool SaveFileSet::isPartOfSet(const QString& path) const {
    return std::any_of(m_files.begin(), m_files.end(), [&path](const Staged& file) {
        return samePath(file.path, path) || (!file.target.isEmpty() && samePath(file.target, path));
    });
}

} // namespace telmora
