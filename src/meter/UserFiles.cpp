#include "meter/UserFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace telmora {

UserFiles UserFilesIn(const QString& configDirectory, const QString& dataDirectory,
                      const QString& startDirectory) {
    UserFiles files;
    files.settingsFile = SettingsFilePath(configDirectory);
    files.startDirectorySettingsFile = SettingsFilePath(startDirectory);
    files.desktopStateFile = QDir(configDirectory).filePath(QLatin1String(kDesktopStateFileName));
    files.temporaryDirectory = QDir::toNativeSeparators(dataDirectory);
    return files;
}

UserFiles LocateUserFiles(const QString& startDirectory) {
    const QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    QDir().mkpath(config);
    QDir().mkpath(data);
    return UserFilesIn(config, data, startDirectory);
}

SettingsValues ReadUserSettings(const UserFiles& files) {
    if (QFileInfo::exists(QDir::fromNativeSeparators(files.settingsFile)))
        return ReadSettingsFile(files.settingsFile);
    return ReadSettingsFile(files.startDirectorySettingsFile);
}

} // namespace telmora
