#pragma once

#include "app/Application.h"
#include "ui/main/LiveWindowSet.h"
#include "ui/main/LongLivedWindows.h"
#include "ui/main/mainmenu.h"
#include "ui/main/toolrow.h"

#include <QMainWindow>

#include <memory>

class QAction;
class QLabel;
class QMenu;
class QPrinter;
class QToolButton;

namespace telmora {

class Application;
class DesktopAlerts;
class DesktopNotifier;
class HelpWindow;
class IniSettings;
class LinkCommands;
class PublishCommands;
class MeterStrip;
class MeterWindowSets;
class RecorderController;
class UserDialogs;
class Workspace;

// The main window: the menu, a row of tool buttons, the meter strip and the
// workspace, where every meter's live displays, the recorder, the data list, the
// overview and the logger are panels the user docks, tabs and floats. It binds the application's
// link and controllers to its controls and to the panels; what happens lives in the application and
// in the helpers it is handed.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    MainWindow(Application& app, UserDialogs& dialogs, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Creates the panels and the other long-lived windows once and puts back what
    // the desktop state file remembers of them.
    void createWindows();
    // True when createWindows put back the arrangement of the panels the last run
    // left.
    bool restoredWindowPlaces() const { return m_restoredWindowPlaces; }
    // Opens a file given from outside: a session file (.slr) in the logger
    // window, anything else as a recording in the recorder.
    void openFile(const QString& path);
    // The same by the bytes the system knows the file by.
    void openFile(const QByteArray& nativePath);

    // Links when unlinked and unlinks when linked (the link button and menu); with
    // several cables listed, all of them.
    void toggleLink();
    // Puts the panels back in their default arrangement (Window -> Tile).
    void tileWindows();
    // Whether any meter is linked.
    bool isLinked() const;
    // Updates the link caption and hint and what may be used now.
    void refreshControls();
    // Whether a lost link is waited for instead of ended (the Link menu's
    // "Reconnect automatically").
    void setReconnectAutomatically(bool on);
    // Offers the recordings that a run which ended unexpectedly left behind in the
    // recorder's temporary directory (after createWindows()).
    void offerOrphanedRecordings();
    RecordingRecovery* recordingRecovery() const {
        return m_windows ? &m_windows->recovery() : nullptr;
    }
    // Where desktop notifications go (null: nowhere); it outlives this window.
    void setDesktopNotifier(DesktopNotifier* notifier);
    DesktopAlerts& desktopAlerts() const { return *m_alerts; }
    // Opens the user manual at the element with id `anchor`.
    void showHelp(const QString& anchor);
    HelpWindow* helpWindow() const { return m_help.get(); }

    Application& application() const { return m_app; }
    UserDialogs& dialogs() const { return m_dialogs; }
    const SettingsValues& settings() const { return m_app.settings(); }
    const UserFiles& userFiles() const { return m_app.userFiles(); }
    IniSettings& desktopState() const { return m_app.desktopState(); }

    // The controls tests look at.
    QToolButton* linkButton() const { return m_tools.link; }
    QAction* linkAction() const { return m_menu.linkAction; }
    QMenu* linkMenu() const { return m_menu.link; }
    QAction* reconnectAction() const { return m_menu.reconnect; }
    QToolButton* aboutButton() const { return m_tools.about; }
    QToolButton* portButton() const { return m_tools.port; }
    QAction* usbPortAction() const { return m_menu.usbPort; }
    QMenu* portMenu() const { return m_menu.port; }
    QMenu* helpMenu() const { return m_menu.help; }
    QAction* helpAction() const { return m_menu.helpAction; }
    QAction* notificationsAction() const { return m_menu.notifications; }
    LinkCommands& linkCommands() const { return *m_linkCommands; }
    PublishCommands& publishCommands() const { return *m_publishCommands; }
    QLabel* statusPanel(int index) const {
        return m_tools.statusPanels[static_cast<std::size_t>(index)];
    }

    DigitalMeterWindow* digitalMeter() const { return m_windows ? m_windows->digital() : nullptr; }
    AnalogMeterWindow* analogMeter() const { return m_windows ? m_windows->analog() : nullptr; }
    ComparatorWindow* comparator() const { return m_windows ? m_windows->comparator() : nullptr; }
    RecorderWindow* recorder() const { return m_windows ? m_windows->recorder() : nullptr; }
    RecorderController& recording() const { return m_app.recording(); }
    DataListWindow* dataList() const { return m_windows ? m_windows->dataList() : nullptr; }
    // The live windows of every meter (after createWindows()).
    MeterWindowSets* meterWindows() const {
        return m_windows ? &m_windows->meterWindows() : nullptr;
    }
    QWidget* loggerWindow() const;
    RecordingOverview* overview() const { return m_windows ? m_windows->overview() : nullptr; }
    // The panels and their arrangement (after createWindows()).
    Workspace* workspace() const { return m_workspace.get(); }
    MeterStrip* meterStrip() const { return m_strip; }
    // The one printer every window prints through (after createWindows()).
    QPrinter& printer() const { return m_windows->printer(); }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void buildMenu();
    void bindWindows();
    // Brings up the logger panel (the recorder's import).
    void showLoggerWindow();

    void onLinkedChanged(bool linked);
    // The link button shows whether a meter is linked (without asking for a change).
    void showLinkState();
    void onWaitingForCableChanged(bool waiting);
    // A meter was added, linked, unlinked or renamed.
    void onMetersChanged();
    void updateLinkStatus();
    void setLiveWindowsLinked(bool linked);

    void bringUp(QWidget* panel);
    // The window commands; each makes the panels first when they are not there
    // yet (a command given before they came up).
    void bringUpLive(LiveWindowKind kind);
    template <typename Window> void showWindow(Window* (MainWindow::*window)() const);
    void showAbout();
    // Makes panels of the meters that have live windows and none yet.
    void addMeterPanels();

    Application& m_app;
    UserDialogs& m_dialogs;
    bool m_restoredWindowPlaces = false;

    ToolRow m_tools;
    MeterStrip* m_strip = nullptr;
    LinkCommands* m_linkCommands = nullptr;
    PublishCommands* m_publishCommands = nullptr;

    MainMenu m_menu;
    DesktopAlerts* m_alerts = nullptr;
    std::unique_ptr<HelpWindow> m_help;
    std::unique_ptr<LongLivedWindows> m_windows;
    // After the windows: its docks hold them and go with the main window.
    std::unique_ptr<Workspace> m_workspace;
};

} // namespace telmora
