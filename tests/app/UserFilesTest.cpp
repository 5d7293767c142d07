#include "app/UserFiles.h"
#include "model/foldersafety.h"

#include "UserDirectories.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace telmora;

namespace {

void writeText(const QString& path, const char* text) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
}

} // namespace

TEST(UserFiles, FollowXdgDirectoriesAndCreateThem) {
    UserDirectories dirs;
    QTemporaryDir start;
    ASSERT_TRUE(dirs.isValid() && start.isValid());
    const UserFiles files = LocateUserFiles(start.path());
    EXPECT_TRUE(files.settingsFile.startsWith(dirs.configHome()));
    EXPECT_TRUE(files.settingsFile.endsWith(QStringLiteral("/ORLANDL.ini")));
    EXPECT_EQ(QFileInfo(files.desktopStateFile).path(), QFileInfo(files.settingsFile).path());
    EXPECT_TRUE(files.temporaryDirectory.startsWith(dirs.dataHome()));
    EXPECT_TRUE(QFileInfo(QFileInfo(files.settingsFile).path()).isDir());
    EXPECT_TRUE(QFileInfo(files.temporaryDirectory).isDir());
    EXPECT_EQ(files.startDirectorySettingsFile, start.filePath(QStringLiteral("ORLANDL.ini")));
    EXPECT_TRUE(QDir(start.path()).isEmpty()) << "nothing is written to the start directory";
    EXPECT_TRUE(files.refusedFolders.empty());
#ifdef Q_OS_UNIX
    struct stat made {};
    ASSERT_EQ(::stat(QFile::encodeName(files.temporaryDirectory).constData(), &made), 0);
    EXPECT_EQ(made.st_mode & 07777, 0700u) << "the user's alone";
#endif
}

TEST(UserFiles, StartDirectorySettingsAreReadOnlyWhileThePerUserFileIsMissing) {
    QTemporaryDir config, data, start;
    const UserFiles files = UserFilesIn(config.path(), data.path(), start.path());
    EXPECT_EQ(ReadUserSettings(files).iPort, kSettingsDefaults.iPort) << "neither file";
    writeText(files.startDirectorySettingsFile, "iPort=7\nfHiLimit=1\nfLowLimit=2\n");
    EXPECT_EQ(ReadUserSettings(files).iPort, 7);
    writeText(files.settingsFile, "iPort=4\nfHiLimit=1\nfLowLimit=2\n");
    EXPECT_EQ(ReadUserSettings(files).iPort, 4) << "the per-user file wins once it exists";
    // Even a damaged per-user file wins: it gives the defaults, not the old file.
    writeText(files.settingsFile, "garbage");
    EXPECT_EQ(ReadUserSettings(files).iPort, kSettingsDefaults.iPort);
}

#ifdef Q_OS_UNIX
namespace {

bool setMode(const QString& path, mode_t mode) {
    return ::chmod(QFile::encodeName(path).constData(), mode) == 0;
}

bool setOwner(const QString& path, uid_t user, gid_t group) {
    return ::chown(QFile::encodeName(path).constData(), user, group) == 0;
}

} // namespace

// A folder is used only when it is the user's and nobody else may change names in
// it; the sticky bit and the user's own private group are no danger.
TEST(UserFiles, FoldersOthersMayChangeAreRefused) {
    QTemporaryDir config, data, start;
    ASSERT_TRUE(config.isValid() && data.isValid() && start.isValid());
    EXPECT_EQ(FolderRefusal(config.path()), QString());
    EXPECT_EQ(FolderRefusal(config.filePath(QStringLiteral("absent"))),
              QString::fromLocal8Bit(std::strerror(ENOENT)));

    ASSERT_TRUE(setMode(config.path(), 0777));
    ASSERT_TRUE(setMode(data.path(), 0707));
    UserFiles files = UserFilesIn(config.path(), data.path(), start.path());
    ASSERT_EQ(files.refusedFolders.size(), 2u);
    EXPECT_EQ(files.refusedFolders[0].use, RefusedFolder::Use::Settings);
    EXPECT_EQ(files.refusedFolders[0].reason, QStringLiteral("every user may write to it"));
    EXPECT_EQ(files.refusedFolders[1].use, RefusedFolder::Use::Recordings);
    EXPECT_EQ(files.refusedFolders[1].path, data.path());
    EXPECT_TRUE(files.settingsFile.isEmpty() && files.desktopStateFile.isEmpty())
        << "nothing is written there";
    EXPECT_EQ(files.temporaryDirectory, data.path()) << "named, so the recorder can say why not";
    writeText(config.filePath(QStringLiteral("ORLANDL.ini")), "iPort=7\nfHiLimit=1\nfLowLimit=2\n");
    EXPECT_EQ(ReadUserSettings(files).iPort, kSettingsDefaults.iPort) << "nor read from there";

    // Others may add names to a sticky folder but not touch ours.
    ASSERT_TRUE(setMode(config.path(), 01777));
    EXPECT_EQ(FolderRefusal(config.path()), QString());
    ASSERT_TRUE(setMode(config.path(), 0700));

    if (::geteuid() != 0)
        GTEST_SKIP() << "handing folders to other users needs the superuser";
    // The superuser's primary group is its private group: nobody else in it.
    ASSERT_TRUE(setMode(data.path(), 0770));
    ASSERT_TRUE(setOwner(data.path(), 0, ::getegid()));
    EXPECT_EQ(FolderRefusal(data.path()), QString());
    ASSERT_TRUE(setOwner(data.path(), 0, 4242));
    EXPECT_EQ(FolderRefusal(data.path()),
              QStringLiteral("the members of its group (group id 4242) may write to it"));
    ASSERT_TRUE(setMode(config.path(), 0700));
    ASSERT_TRUE(setOwner(config.path(), 4242, 4242));
    EXPECT_EQ(FolderRefusal(config.path()),
              QStringLiteral("it belongs to another user (user id 4242)"));
    setOwner(config.path(), 0, 0);
    setOwner(data.path(), 0, 0);
}
#endif
