#pragma once

#include "meter/Settings.h"
#include "meter/UserFiles.h"
#include "app/mainwindowrules.h"
#include "ui/main/DesktopLayout.h"
#include "ui/main/toolrow.h"

#include <QMainWindow>

#include <memory>
#include <vector>

class QAction;
class QLabel;
class QMenu;
class QPrinter;
class QScreen;
class QToolButton;

namespace telmora {

class MeterLink;
class DigitalMeterWindow;
class AnalogMeterWindow;
class ComparatorWindow;
class RecorderWindow;
class DataListWindow;
class RecorderController;
class RecordingRecovery;
class LoggerSessions;
struct DesktopWindows;
class LoggerWindow;
class LineColorDialog;
class DesktopAlerts;
class DesktopNotifier;
class HelpWindow;
class IniSettings;

// The main window: a narrow tool bar across the top of the screen with the menu
// and a row of tool buttons. It reads and writes the settings, creates the other
// long-lived windows, connects them to the meter link and to each other, and
// switches the link on and off. Its per-user files are chosen by the caller.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    MainWindow(MeterLink& link, UserFiles files, QWidget* parent = nullptr);
    // The per-user files of LocateUserFiles, with the current directory as the
    // start directory.
    explicit MainWindow(MeterLink& link, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Creates the other long-lived windows once, in their fixed order, and puts
    // back what the desktop state file remembers of them.
    void createWindows();
    // True when createWindows put at least one window back in its remembered place
    // (then the start-up tiling is not wanted).
    bool restoredWindowPlaces() const { return m_restoredWindowPlaces; }
    // Opens a file given from outside: a session file (.slr) in the logger
    // window, anything else as a recording in the recorder.
    void openFile(const QString& path);
    // The same by the bytes the system knows the file by.
    void openFile(const QByteArray& nativePath);

    // Links when unlinked and unlinks when linked (the link button and menu).
    void toggleLink();
    // Places the shown windows side by side below the main window.
    void tileWindows();
    bool isLinked() const;
    // Updates the link caption and hint and what may be used now.
    void refreshControls();
    // A long recorder or logger operation runs: no link changes meanwhile.
    void setBusy(bool busy);
    // Whether a lost link is waited for instead of ended (the Link menu's
    // "Reconnect automatically").
    void setReconnectAutomatically(bool on);
    // Offers the recordings that a run which ended unexpectedly left behind in the
    // recorder's temporary directory (after createWindows()).
    void offerOrphanedRecordings();
    RecordingRecovery* recordingRecovery() const { return m_recovery.get(); }
    // Where desktop notifications go (null: nowhere); it outlives this window.
    void setDesktopNotifier(DesktopNotifier* notifier);
    DesktopAlerts& desktopAlerts() const { return *m_alerts; }
    // Opens the user manual at the element with id `anchor`.
    void showHelp(const QString& anchor);
    HelpWindow* helpWindow() const { return m_help.get(); }

    // The values of the settings file, as they are now.
    const SettingsValues& settings() const { return m_settings; }
    const UserFiles& userFiles() const { return m_files; }
    // The desktop state file (window places and preferences), beside the
    // settings file; kept apart so that the settings file keeps its three lines.
    IniSettings& desktopState() const { return *m_desktopState; }

    // The controls tests look at.
    QToolButton* linkButton() const { return m_tools.link; }
    QAction* linkAction() const { return m_linkAction; }
    QMenu* linkMenu() const { return m_linkMenu; }
    QAction* reconnectAction() const { return m_reconnectAction; }
    QToolButton* aboutButton() const { return m_tools.about; }
    QToolButton* portButton() const { return m_tools.port; }
    QAction* usbPortAction() const { return m_usbPortAction; }
    QMenu* portMenu() const { return m_portMenu; }
    QMenu* helpMenu() const { return m_helpMenu; }
    QAction* helpAction() const { return m_helpAction; }
    QAction* notificationsAction() const { return m_notificationsAction; }
    QLabel* statusPanel(int index) const {
        return m_tools.statusPanels[static_cast<std::size_t>(index)];
    }

    DigitalMeterWindow* digitalMeter() const { return m_digital; }
    AnalogMeterWindow* analogMeter() const { return m_analog; }
    ComparatorWindow* comparator() const { return m_comparator; }
    RecorderWindow* recorder() const { return m_recorder; }
    RecorderController& recording() const { return *m_recording; }
    DataListWindow* dataList() const { return m_dataList; }
    QWidget* loggerWindow() const;
    // The one printer every window prints through.
    QPrinter& printer() const { return *m_printer; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    void buildControls();
    void connectToolButtons();
    void buildMenu();
    void readSettings();
    bool confirmClose();
    void writeSettings();
    DesktopWindows desktopWindows() const;
    void connectLiveWindows();
    // Ends the link and shows the logger window modally (the recorder's import).
    void showLoggerWindow();

    void showDigitalMeter();
    void showAnalogMeter();
    void showDataList();
    void showRecorder();
    void showComparator();
    void showAbout();

    void onLinkedChanged(bool linked);
    void answerNoDataNotice();
    void showLinkLostNotice();
    void onWaitingForCableChanged(bool waiting);
    // The live windows show a link (readings may come) or none.
    void setLiveWindowsLinked(bool linked);

    // Shows a long-lived window: restored if minimised, made visible when
    // `makeVisible` (in a free place when it was hidden), brought to the front.
    void bringUp(QWidget* window, bool makeVisible);
    // Applies the fixed position and height of the main window.
    void placeMainWindow();
    // Makes the main window, frame included, exactly as wide as the screen's free
    // area (the frame is known once the desktop has framed the window).
    void fitToScreenWidth();

    template <class T> T* adopt(T* window) {
        m_windows.emplace_back(window);
        return window;
    }

    MeterLink& m_link;
    SettingsValues m_settings;
    UserFiles m_files;
    std::unique_ptr<IniSettings> m_desktopState;
    bool m_busy = false;
    bool m_restoredWindowPlaces = false;
    int m_fittedFrameWidth = 0; // the frame width the window's width allows for

    ToolRow m_tools;
    std::unique_ptr<DesktopLayout> m_layout;

    QMenu* m_linkMenu = nullptr;
    QAction* m_linkAction = nullptr;
    QAction* m_reconnectAction = nullptr;
    QMenu* m_portMenu = nullptr;
    QAction* m_usbPortAction = nullptr;
    QMenu* m_helpMenu = nullptr;
    QAction* m_helpAction = nullptr;
    QAction* m_notificationsAction = nullptr;
    DesktopAlerts* m_alerts = nullptr;
    std::unique_ptr<HelpWindow> m_help;

    // The controllers outlive the windows bound to them (members end in reverse order).
    std::unique_ptr<RecorderController> m_recording;
    std::unique_ptr<LoggerSessions> m_loggerSessions;
    std::unique_ptr<RecordingRecovery> m_recovery;
    // The long-lived windows, destroyed in reverse order of creation.
    // Declared before the windows that print through it, so it outlives them.
    std::unique_ptr<QPrinter> m_printer;
    std::vector<std::unique_ptr<QWidget>> m_windows;
    QWidget* m_about = nullptr;
    DigitalMeterWindow* m_digital = nullptr;
    AnalogMeterWindow* m_analog = nullptr;
    ComparatorWindow* m_comparator = nullptr;
    RecorderWindow* m_recorder = nullptr;
    DataListWindow* m_dataList = nullptr;
    LineColorDialog* m_lineColors = nullptr;
    LoggerWindow* m_logger = nullptr;
};

} // namespace telmora
