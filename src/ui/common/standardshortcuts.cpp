#include "ui/common/standardshortcuts.h"

#include <QAction>
#include <QWidget>

namespace telmora {

void AddStandardShortcut(QWidget& window, QAction& action, QKeySequence::StandardKey key) {
    QList<QKeySequence> taken;
    for (const QAction* other : window.findChildren<QAction*>())
        if (other != &action)
            taken += other->shortcuts();
    QList<QKeySequence> bindings = action.shortcuts();
    for (const QKeySequence& binding : QKeySequence::keyBindings(key))
        if (!taken.contains(binding) && !bindings.contains(binding))
            bindings += binding;
    action.setShortcuts(bindings);
}

} // namespace telmora
