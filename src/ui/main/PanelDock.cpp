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
    // It is shown and hidden with the dock (and the dock with it).
    const bool hidden = panel->isHidden();
    panel->setWindowFlags(Qt::Widget);
    panel->hide();
    // A largest size a window gave itself would leave a hole in the dock.
    panel->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    setWidget(panel);
    setVisible(!hidden);
    keyToPanel();
    connect(panel, &QWidget::windowTitleChanged, this, &QDockWidget::setWindowTitle);
    // A panel in a window of its own shows its icon there.
    setWindowIcon(panel->windowIcon());
    connect(panel, &QWidget::windowIconChanged, this, &QWidget::setWindowIcon);
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
    if (!around->isActiveWindow())
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

void PanelDock::setVisible(bool visible) {
    QDockWidget::setVisible(visible);
    QWidget* panel = widget();
    if (panel == nullptr || m_following)
        return;
    m_following = true;
    panel->setVisible(visible);
    m_following = false;
}

bool PanelDock::eventFilter(QObject* watched, QEvent* event) {
    if (watched == widget() && !m_following) {
        // The panel was asked to show (its window command, an open file) or hid
        // itself (its Close command): the dock comes or goes with it.
        const QEvent::Type type = event->type();
        if ((type == QEvent::ShowToParent && isHidden()) ||
            (type == QEvent::HideToParent && !isHidden())) {
            m_following = true;
            setVisible(type == QEvent::ShowToParent);
            m_following = false;
        }
    }
    return QDockWidget::eventFilter(watched, event);
}

} // namespace telmora
