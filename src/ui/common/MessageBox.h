#pragma once
// The message boxes of the widget set: what WidgetDialogs shows for a BoxRequest.

#include "app/UserDialogs.h"

#include <QString>

class QStyle;

namespace telmora {

// The smallest width (pixels) at which a box shows `caption` uncut in its title
// bar, beside the window icon and the title-bar buttons.
int MessageBoxCaptionWidth(const QString& caption, const QStyle* style);

// Shows the box modally and returns the button the user pressed. Called from a
// worker thread, it runs on the user-interface thread and blocks the caller until
// the box is closed; without an application it writes the box to stderr.
BoxButton ShowMessageBox(const BoxRequest& request);

} // namespace telmora
