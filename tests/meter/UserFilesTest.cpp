#include "meter/UserFiles.h"

#include "UserDirectories.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

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
