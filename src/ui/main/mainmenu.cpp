#include "ui/main/mainmenu.h"

#include "text/texts.h"
#include "ui/common/standardshortcuts.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace telmora {

namespace {

// Runs `command` when `action` is triggered.
void onTriggered(QAction* action, const std::function<void()>& command) {
    QObject::connect(action, &QAction::triggered, action, [command] { command(); });
}

void buildWindowMenu(QMenuBar& bar, const MainMenuCommands& commands, MainMenu& menu) {
    QMenu* windowMenu = bar.addMenu(text(TextId::MenuWindow));
    onTriggered(windowMenu->addAction(text(TextId::MenuWindowTile)), commands.tile);
    windowMenu->addSeparator();
    onTriggered(windowMenu->addAction(text(TextId::MenuWindowDigitalMeter)),
                commands.showDigitalMeter);
    onTriggered(windowMenu->addAction(text(TextId::MenuWindowAnalogMeter)),
                commands.showAnalogMeter);
    onTriggered(windowMenu->addAction(text(TextId::MenuWindowComparator)), commands.showComparator);
    onTriggered(windowMenu->addAction(text(TextId::MenuWindowRecorder)), commands.showRecorder);
    onTriggered(windowMenu->addAction(text(TextId::MenuWindowDataList)), commands.showDataList);
    onTriggered(windowMenu->addAction(translate("MainWindow", "Graphical &viewer")),
                commands.showOverview);
    onTriggered(windowMenu->addAction(translate("MainWindow", "Data L&ogger")),
                commands.showLogger);
    onTriggered(windowMenu->addAction(translate("MainWindow", "&Intervals")),
                commands.showIntervals);
    windowMenu->addSeparator();
    menu.notifications = windowMenu->addAction(translate("MainWindow", "Desktop &notifications"));
    menu.notifications->setCheckable(true);
    menu.notifications->setChecked(commands.notifications);
    QObject::connect(menu.notifications, &QAction::toggled, menu.notifications,
                     [set = commands.setNotifications](bool on) { set(on); });
}

} // namespace

MainMenu BuildMainMenu(QMainWindow& window, const MainMenuCommands& commands) {
    MainMenu menu;
    QMenuBar* bar = window.menuBar();
    QMenu* fileMenu = bar->addMenu(text(TextId::MenuFile));
    QAction* exit = fileMenu->addAction(text(TextId::MenuFileExit));
    onTriggered(exit, commands.exit);
    // The desktop's usual quit keys, from whichever window has the focus.
    exit->setShortcutContext(Qt::ApplicationShortcut);

    // The Link menu: the link command, whether a lost link is waited for and where
    // the readings are published.
    menu.link = bar->addMenu(text(TextId::MenuLink));
    menu.linkAction = menu.link->addAction(text(TextId::MenuLink));
    onTriggered(menu.linkAction, commands.toggleLink);
    menu.linkSeparator = menu.link->addSeparator();
    menu.reconnect = menu.link->addAction(translate("MainWindow", "&Reconnect automatically"));
    menu.reconnect->setCheckable(true);
    menu.reconnect->setChecked(commands.reconnect);
    QObject::connect(menu.reconnect, &QAction::toggled, menu.reconnect,
                     [set = commands.setReconnect](bool on) { set(on); });
    menu.publish = menu.link->addAction(translate("MainWindow", "&Publish readings..."));
    onTriggered(menu.publish, commands.showPublish);

    buildWindowMenu(*bar, commands, menu);

    menu.port = bar->addMenu(text(TextId::MenuPort));
    menu.usbPort = menu.port->addAction(text(TextId::MenuPortUsb));
    menu.usbPort->setCheckable(true);
    menu.usbPort->setChecked(true);
    // The check mark only shows which port is in use; choosing it changes nothing.
    QObject::connect(menu.usbPort, &QAction::triggered, menu.usbPort,
                     [a = menu.usbPort] { a->setChecked(true); });
    menu.port->addAction(text(TextId::MenuPortCom))->setEnabled(false);

    menu.help = bar->addMenu(text(TextId::MenuHelp));
    menu.helpAction = menu.help->addAction(translate("MainWindow", "Telmora &Help"));
    onTriggered(menu.helpAction, commands.showHelp);
    // The menu shows the key; the key itself is HelpKey's in every window.
    menu.helpAction->setShortcut(QKeySequence(Qt::Key_F1));
    menu.helpAction->setShortcutContext(Qt::WidgetShortcut);
    menu.help->addSeparator();
    onTriggered(menu.help->addAction(text(TextId::MenuHelpAbout)), commands.showAbout);
    AddStandardShortcut(window, *exit, QKeySequence::Quit);
    return menu;
}

} // namespace telmora
