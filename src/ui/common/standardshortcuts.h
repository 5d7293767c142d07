#pragma once

#include <QKeySequence>

class QAction;
class QWidget;

namespace telmora {

// Gives `action` the desktop's usual key bindings for `key` (Open, Save, Print,
// Quit, Close window), leaving out every binding that an action of `window`
// already has: a window's own shortcuts always win. Call it after the window's
// own shortcuts are set.
void AddStandardShortcut(QWidget& window, QAction& action, QKeySequence::StandardKey key);

} // namespace telmora
