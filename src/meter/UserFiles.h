#pragma once

#include "meter/Settings.h"

#include <QString>

namespace telmora {

// Where one user's files live. The settings file and the desktop state sit in the
// per-user configuration directory, the temporary recordings in the per-user data
// directory; both follow XDG_CONFIG_HOME / XDG_DATA_HOME, so tests and scripts can
// point them anywhere.
struct UserFiles {
    // ORLANDL.ini: the three values of the settings file.
    QString settingsFile;
    // ORLANDL.ini in the directory the program was started from. Earlier versions kept
    // the file there; it is read once while the per-user file does not exist yet.
    QString startDirectorySettingsFile;
    // Window places, open windows and other preferences (a QSettings ini file),
    // kept apart so that ORLANDL.ini keeps its exact three lines.
    QString desktopStateFile;
    // Where the ~ODMDL<n>.TMP files of the acquisitions are written.
    QString temporaryDirectory;
};

// The name of the desktop state file beside the settings file.
inline constexpr char kDesktopStateFileName[] = "desktop-state.ini";

// The per-user files of this application (its name as set on the application
// object), creating the two directories when they are missing. A directory that
// cannot be created is still returned: writing there later fails with the usual
// messages. `startDirectory` is where an older settings file may lie.
UserFiles LocateUserFiles(const QString& startDirectory);

// The files inside the given directories (no lookup, nothing created).
UserFiles UserFilesIn(const QString& configDirectory, const QString& dataDirectory,
                      const QString& startDirectory);

// The settings to start with: the per-user file when it exists, otherwise the
// file in the start directory, otherwise the defaults.
SettingsValues ReadUserSettings(const UserFiles& files);

} // namespace telmora
