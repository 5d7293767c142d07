#include "ui/common/SelectableOnHover.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>

namespace telmora {

SelectableOnHover::SelectableOnHover(QLabel* label) : QObject(label) {
    label->installEventFilter(this);
}

void SelectableOnHover::apply(QLabel* label) {
    new SelectableOnHover(label);
}

bool SelectableOnHover::eventFilter(QObject* watched, QEvent* event) {
    auto* label = qobject_cast<QLabel*>(watched);
    if (label != nullptr && event->type() == QEvent::Enter)
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    else if (label != nullptr && event->type() == QEvent::Leave && !label->hasSelectedText() &&
             QApplication::activePopupWidget() == nullptr)
        label->setTextInteractionFlags(Qt::LinksAccessibleByMouse); // a label's default
    return QObject::eventFilter(watched, event);
}

} // namespace telmora
