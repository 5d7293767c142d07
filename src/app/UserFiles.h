#pragma once

#include "app/Settings.h"

#include <QString>

#include <vector>

namespace telmora {

// A per-user folder that is not used because other users could change the files
// in it (it belongs to another user, or others may write to it).
struct RefusedFolder {
    enum class Use { Settings, Recordings };
    QString path;
    QString reason; // one line: why the folder is refused
    Use use = Use::Settings;
};

// Where one user's files live. The settings file and the desktop state sit in the
// per-user configuration directory, the temporary recordings in the per-user data
// directory; both follow XDG_CONFIG_HOME / XDG_DATA_HOME, so tests and scripts can
// point them anywhere.
struct UserFiles {
    // ORLANDL.ini: the three values of the settings file. Empty when the
    // configuration directory is refused: the settings are then not written.
    QString settingsFile;
    // ORLANDL.ini in the directory the program was started from. Earlier versions kept
    // the file there; it is read once while the per-user file does not exist yet.
    QString startDirectorySettingsFile;
    // Window places, open windows and other preferences (a QSettings ini file),
    // kept apart so that ORLANDL.ini keeps its exact three lines. Empty when the
    // configuration directory is refused: the preferences then last one run.
    QString desktopStateFile;
    // Where the ~ODMDL<n>.TMP files of the acquisitions are written. A refused
    // directory stays named here; the recorder refuses to record in it and says why.
    QString temporaryDirectory;
    // The directories above that are not used, to be told to the user once.
    std::vector<RefusedFolder> refusedFolders;
};

// The name of the desktop state file beside the settings file.
inline constexpr char kDesktopStateFileName[] = "desktop-state.ini";

// The per-user files of this application (its name as set on the application
// object), creating the two directories when they are missing (readable by the
// user alone). A directory that cannot be created is still returned: writing there
// later fails with the usual messages. `startDirectory` is where an older settings
// file may lie.
UserFiles LocateUserFiles(const QString& startDirectory);

// The files inside the given directories (no lookup, nothing created). A directory
// that another user owns or others may write to is refused (see FolderRefusal).
UserFiles UserFilesIn(const QString& configDirectory, const QString& dataDirectory,
                      const QString& startDirectory);

// The settings to start with: the per-user file when it exists, otherwise the
// file in the start directory, otherwise the defaults.
SettingsValues ReadUserSettings(const UserFiles& files);

} // namespace telmora
