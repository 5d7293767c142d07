#pragma once
// What happens when the main window closes: unsaved recordings are offered for
// saving, then the settings and the desktop state are written.

#include <functional>

class QWidget;

namespace telmora {

class Application;
class RecorderWindow;
class UserDialogs;
struct DesktopWindows;

// True when closing may go on now: the recorder holds no unsaved data or the user
// chose not to save it. Cancel keeps the program open. When the user chooses to
// save, the save runs as a job while the windows stay responsive and this returns
// false; `closeAgain` is called once the data really are saved (a failed save keeps
// the program open).
bool ConfirmClose(UserDialogs& dialogs, QWidget* owner, RecorderWindow* recorder,
                  const std::function<void()>& closeAgain);

// Writes the settings file and the desktop state; a failure is told in one box
// (the program closes anyway).
void SaveAtExit(UserDialogs& dialogs, QWidget* owner, const Application& app,
                const DesktopWindows& windows);

} // namespace telmora
