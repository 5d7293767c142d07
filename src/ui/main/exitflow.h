#pragma once
// What happens when the main window closes: unsaved recordings are offered for
// saving, then the settings and the desktop state are written.

class QWidget;

namespace telmora {

class Application;
class RecorderWindow;
class UserDialogs;
struct DesktopWindows;

// True when closing may go on: the recorder holds no unsaved data, the user
// chose not to save it, or it was saved now. Cancel keeps the program open.
bool ConfirmClose(UserDialogs& dialogs, QWidget* owner, RecorderWindow* recorder);

// Writes the settings file and the desktop state; a failure is told in one box
// (the program closes anyway).
void SaveAtExit(UserDialogs& dialogs, QWidget* owner, const Application& app,
                const DesktopWindows& windows);

} // namespace telmora
