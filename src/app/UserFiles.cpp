#include "app/UserFiles.h"

#include "model/foldersafety.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace telmora {

namespace {

// Creates `path` when it is missing; the folder itself is the user's alone.
void makeFolder(const QString& path) {
    const QFileInfo folder(path);
    if (path.isEmpty() || folder.exists() || folder.isSymLink())
        return;
    QDir().mkpath(folder.absolutePath());
    QDir().mkdir(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

} // namespace

UserFiles UserFilesIn(const QString& configDirectory, const QString& dataDirectory,
                      const QString& startDirectory) {
    UserFiles files;
    files.startDirectorySettingsFile = SettingsFilePath(startDirectory);
    files.temporaryDirectory = QDir::toNativeSeparators(dataDirectory);
    if (const QString reason = FolderRefusal(configDirectory); reason.isEmpty()) {
        files.settingsFile = SettingsFilePath(configDirectory);
        files.desktopStateFile =
            QDir(configDirectory).filePath(QLatin1String(kDesktopStateFileName));
    } else {
        files.refusedFolders.push_back(
            {QDir::toNativeSeparators(configDirectory), reason, RefusedFolder::Use::Settings});
    }
    if (const QString reason = FolderRefusal(dataDirectory); !reason.isEmpty())
        files.refusedFolders.push_back(
            {files.temporaryDirectory, reason, RefusedFolder::Use::Recordings});
    return files;
}

UserFiles LocateUserFiles(const QString& startDirectory) {
    const QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    makeFolder(config);
    makeFolder(data);
    return UserFilesIn(config, data, startDirectory);
}

SettingsValues ReadUserSettings(const UserFiles& files) {
    if (!files.settingsFile.isEmpty() &&
        QFileInfo::exists(QDir::fromNativeSeparators(files.settingsFile)))
        return ReadSettingsFile(files.settingsFile);
    return ReadSettingsFile(files.startDirectorySettingsFile);
}

} // namespace telmora
