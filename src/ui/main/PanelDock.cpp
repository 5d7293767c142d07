#include "ui/main/PanelDock.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QShortcut>

#include <utility>

namespace telmora {

PanelDock::PanelDock(QWidget* panel, const QString& objectName, bool closable, QWidget* parent)
    : QDockWidget(panel->windowTitle(), parent) {
    setObjectName(objectName);
    DockWidgetFeatures features = DockWidgetMovable | DockWidgetFloatable;
    if (closable)
        features |= DockWidgetClosable;
    setFeatures(features);
    // A window until now: from here on a part of the dock, whatever it was built as.
    const bool hidden = panel->isHidden();
    panel->setWindowFlags(Qt::Widget);
    // A largest size a window gave itself would leave a hole in the dock.
    panel->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    setWidget(panel);
    panel->setVisible(true);
    if (hidden)
        hide();
    keyToPanel();
    connect(panel, &QWidget::windowTitleChanged, this, &QDockWidget::setWindowTitle);
    panel->installEventFilter(this);
}

PanelDock::~PanelDock() {
    // The panel belongs to whoever made it; it leaves before the dock goes.
    if (QWidget* panel = widget()) {
        panel->removeEventFilter(this);
        disconnect(panel, nullptr, this, nullptr);
    }
}

void PanelDock::keyToPanel() {
    QWidget* panel = widget();
    for (QAction* action : panel->findChildren<QAction*>()) {
        if (action->shortcuts().isEmpty() || action->shortcutContext() != Qt::WindowShortcut)
            continue;
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        if (!panel->actions().contains(action))
            panel->addAction(action);
    }
    for (QShortcut* shortcut : panel->findChildren<QShortcut*>())
        if (shortcut->context() == Qt::WindowShortcut)
            shortcut->setContext(Qt::WidgetWithChildrenShortcut);
}

void PanelDock::bringUp() {
    show();
    raise();
    // The window it is in comes forward too, as far as the desktop lets it.
    QWidget* around = window();
    if (around->isMinimized())
        around->showNormal();
    around->activateWindow();
    if (QWidget* panel = widget()) {
        QWidget* focus = panel->focusWidget() != nullptr ? panel->focusWidget() : panel;
        focus->setFocus(Qt::OtherFocusReason);
    }
}

void PanelDock::closeEvent(QCloseEvent* event) {
    // The panel has its say first: a recorder still recording asks what to do.
    if (QWidget* panel = widget()) {
        QCloseEvent asked;
        m_following = true;
        QCoreApplication::sendEvent(panel, &asked);
        m_following = false;
        if (!asked.isAccepted()) {
            event->ignore();
            return;
        }
    }
    QDockWidget::closeEvent(event);
}

bool PanelDock::eventFilter(QObject* watched, QEvent* event) {
    if (watched == widget() && !m_following) {
        if (event->type() == QEvent::ShowToParent && isHidden()) {
            // The panel was asked to show (its window command, a test, an open
            // file): the dock comes with it.
            show();
        } else if (event->type() == QEvent::HideToParent) {
            QMetaObject::invokeMethod(this, &PanelDock::followPanelHidden, Qt::QueuedConnection);
        }
    }
    return QDockWidget::eventFilter(watched, event);
}

void PanelDock::followPanelHidden() {
    QWidget* panel = widget();
    if (panel == nullptr || !panel->isHidden())
        return;
    m_following = true;
    hide();
    panel->setVisible(true);
    m_following = false;
}

} // namespace telmora
