#pragma once
// The menu bar of the main window.

#include <functional>

class QAction;
class QMainWindow;
class QMenu;

namespace telmora {

// What the menu commands do; the main window fills these in.
struct MainMenuCommands {
    std::function<void()> exit;
    std::function<void()> toggleLink;
    std::function<void(bool)> setReconnect;
    std::function<void()> showPublish;
    std::function<void()> tile;
    std::function<void()> showDigitalMeter;
    std::function<void()> showAnalogMeter;
    std::function<void()> showComparator;
    std::function<void()> showRecorder;
    std::function<void()> showDataList;
    std::function<void()> showOverview;
    std::function<void()> showLogger;
    std::function<void()> showIntervals;
    std::function<void(bool)> setNotifications;
    std::function<void()> showHelp;
    std::function<void()> showAbout;
    bool reconnect = false;     // "Reconnect automatically" checked at start
    bool notifications = false; // "Desktop notifications" checked at start
};

// The menus and actions the main window updates later.
struct MainMenu {
    QMenu* link = nullptr;
    QAction* linkAction = nullptr;
    QAction* linkSeparator = nullptr; // the cables' entries go before it
    QAction* reconnect = nullptr;
    QAction* publish = nullptr;
    QMenu* port = nullptr;
    QAction* usbPort = nullptr;
    QMenu* help = nullptr;
    QAction* helpAction = nullptr;
    QAction* notifications = nullptr;
};

// Fills the menu bar of `window`: File, Link, Window, Port and Help.
MainMenu BuildMainMenu(QMainWindow& window, const MainMenuCommands& commands);

} // namespace telmora
