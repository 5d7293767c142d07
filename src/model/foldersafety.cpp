#include "model/foldersafety.h"

#include <QFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>
#endif

namespace telmora {

#ifdef Q_OS_UNIX

namespace {

// Buffer size for the reentrant user and group look-ups.
std::size_t lookupBufferSize(int name) {
    const long size = ::sysconf(name);
    return size > 0 ? static_cast<std::size_t>(size) : 16384;
}

// True when `gid` is the private group of the effective user: the user's primary
// group, named after the user, with no other member listed.
bool isOwnPrivateGroup(gid_t gid) {
    passwd user{};
    passwd* userFound = nullptr;
    std::vector<char> userBuffer(lookupBufferSize(_SC_GETPW_R_SIZE_MAX));
    if (::getpwuid_r(::geteuid(), &user, userBuffer.data(), userBuffer.size(), &userFound) != 0 ||
        userFound == nullptr || user.pw_gid != gid)
        return false;
    group members{};
    group* groupFound = nullptr;
    std::vector<char> groupBuffer(lookupBufferSize(_SC_GETGR_R_SIZE_MAX));
    // Member lists of large groups may need more room than the system suggests.
    int status = ERANGE;
    while ((status = ::getgrgid_r(gid, &members, groupBuffer.data(), groupBuffer.size(),
                                  &groupFound)) == ERANGE &&
           groupBuffer.size() < (std::size_t(1) << 24))
        groupBuffer.resize(groupBuffer.size() * 2);
    if (status != 0 || groupFound == nullptr || std::strcmp(members.gr_name, user.pw_name) != 0)
        return false;
    for (char** member = members.gr_mem; member != nullptr && *member != nullptr; ++member)
        if (std::strcmp(*member, user.pw_name) != 0)
            return false;
    return true;
}

} // namespace

QString FolderRefusal(const QString& path) {
    if (path.isEmpty())
        return QStringLiteral("no folder is given");
    struct stat folder {};
    // A link to the folder is followed: what counts is who may change the folder itself.
    if (::stat(QFile::encodeName(path).constData(), &folder) != 0)
        return qt_error_string(errno);
    if (!S_ISDIR(folder.st_mode))
        return QStringLiteral("it is not a folder");
    if (folder.st_uid != ::geteuid())
        return QStringLiteral("it belongs to another user (user id %1)").arg(folder.st_uid);
    if ((folder.st_mode & S_ISVTX) != 0)
        return {};
    if ((folder.st_mode & S_IWOTH) != 0)
        return QStringLiteral("every user may write to it");
    if ((folder.st_mode & S_IWGRP) != 0 && !isOwnPrivateGroup(folder.st_gid))
        return QStringLiteral("the members of its group (group id %1) may write to it")
            .arg(folder.st_gid);
    return {};
}

#else

QString FolderRefusal(const QString& path) {
    // Other systems keep per-user folders private through their own access lists.
    return path.isEmpty() ? QStringLiteral("no folder is given") : QString();
}

#endif

} // namespace telmora
