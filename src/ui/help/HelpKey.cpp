#include "ui/help/HelpKey.h"

#include "ui/help/helpanchors.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

namespace telmora {

HelpKey::HelpKey(Opener open, QObject* parent) : QObject(parent), m_open(std::move(open)) {
    if (QCoreApplication* application = QCoreApplication::instance())
        application->installEventFilter(this);
}

bool HelpKey::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return QObject::eventFilter(watched, event);
    const auto* key = static_cast<const QKeyEvent*>(event);
    if (key->key() != Qt::Key_F1 || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return QObject::eventFilter(watched, event);
    // A key held down opens the manual once; the repeats are dropped.
    if (!key->isAutoRepeat() && m_open)
        m_open(HelpAnchorFor(static_cast<QWidget*>(watched)));
    return true;
}

} // namespace telmora
