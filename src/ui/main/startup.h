#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class QWidget;

namespace telmora {

class MainWindow;
struct RefusedFolder;
class UserDialogs;

// The file named on the command line (the first argument that is not an option),
// or an empty text. Desktop launchers pass the file a user opened this way.
QString FileArgument(const QStringList& arguments);
// The same from the program's own arguments, as the bytes the system knows the file
// by (a file name need not be valid UTF-8).
QByteArray FileArgument(int argc, const char* const* argv);

// Brings the main window up as a run starts: shows it, and once it has been
// painted creates the other windows, shows them, lays them out side by side
// unless remembered places were restored, opens `file` when one is given and
// then calls `windowsReady`.
void StartMainWindow(MainWindow& mainWindow, const QString& file,
                     std::function<void()> windowsReady = {});
void StartMainWindow(MainWindow& mainWindow, const QByteArray& nativeFile,
                     std::function<void()> windowsReady = {});

// Tells once, in one message box, which per-user folders are not used and what
// that means for this run (settings not saved, no recording). Nothing when all
// folders are used.
void ReportRefusedFolders(UserDialogs& dialogs, QWidget* owner,
                          const std::vector<RefusedFolder>& folders);

// What follows once the windows are up: the refused folders are told, then the
// recordings a run that ended unexpectedly left behind are offered.
void FinishStart(MainWindow& mainWindow);

} // namespace telmora
