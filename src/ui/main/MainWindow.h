#pragma once

#include <QMainWindow>

#include <memory>
#include <vector>

class QAction;
class QLabel;
class QMenu;
class QToolButton;
class QFrame;

namespace telmora {

class AcquisitionWorker;
class RecorderController;
class LinkLossWatcher;

// The main window: a narrow tool bar across the top of the screen with the menu
// and a row of tool buttons. It owns the start-up and shut-down of the program:
// settings, the shared acquisition objects, the long-lived windows, link/unlink.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // Creates the other long-lived windows once, in their fixed order.
    void createWindows();

    // Link/unlink on the button's new state (programmatic callers set the state first).
    void sbtnLinkClick();
    // Message 1030: set the link button up and unlink.
    void unlinkRequest();
    void refreshControls();
    bool isLinked() const;

    void sbtnWinTileClick();

    // Controls, named as in the window's description.
    QFrame* Bevel1 = nullptr;
    QToolButton* sbtnLink = nullptr;
    QToolButton* sbtnDigitMeter = nullptr;
    QToolButton* sbtnAnalogMeter = nullptr;
    QToolButton* sbtnDataList = nullptr;
    QToolButton* sbtnGraphical = nullptr;
    QToolButton* sbtnComparator = nullptr;
    QToolButton* sbtnWinTile = nullptr;
    QToolButton* sbtnPort = nullptr;
    QToolButton* sbtnAbout = nullptr;
    QLabel* Panel1 = nullptr;
    QLabel* Panel2 = nullptr;
    QLabel* Panel3 = nullptr;

    QMenu* mnuFile = nullptr;
    QAction* mnuExit = nullptr;
    QAction* mnuLink = nullptr;
    QMenu* mnuWindow = nullptr;
    QMenu* mnuPort = nullptr;
    QAction* mnuUsbPort = nullptr;
    QAction* mnuComPort = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuAbout = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:
    void buildControls();
    void FormCreate();
    bool FormCloseQuery();
    void FormClose();
    void FormDestroy();

    void sbtnDigitMeterClick();
    void sbtnAnalogMeterClick();
    void sbtnDataListClick();
    void sbtnGraphicalClick();
    void sbtnComparatorClick();
    void sbtnAboutClick();

    // Shows a long-lived window: restored if minimised, made visible when
    // `makeVisible`, brought to the front.
    static void bringUp(QWidget* window, bool makeVisible);
    // Applies the fixed position and height of the main window.
    void placeMainWindow();
    int taskbarHeight() const;

    template <class T> void adoptWindow(T*& registrySlot, T* window, QWidget*& widgetSlot) {
        registrySlot = window;
        widgetSlot = window;
        m_windows.emplace_back(window);
    }

    // The recorder's controller outlives the windows bound to it.
    std::unique_ptr<RecorderController> m_recorder;
    // The long-lived windows, destroyed in reverse order of creation.
    std::vector<std::unique_ptr<QWidget>> m_windows;
    QWidget* m_wAbout = nullptr;
    QWidget* m_wAutoMsg = nullptr;
    QWidget* m_wDigital = nullptr;
    QWidget* m_wAnalog = nullptr;
    QWidget* m_wHiLow = nullptr;
    QWidget* m_wComparator = nullptr;
    QWidget* m_wGraphical = nullptr;
    QWidget* m_wOption = nullptr;
    QWidget* m_wViewGraphic = nullptr;
    QWidget* m_wFitExport = nullptr;
    QWidget* m_wMsg = nullptr;
    QWidget* m_wExport = nullptr;
    QWidget* m_wLineColor = nullptr;
    QWidget* m_wDataList = nullptr;
    QWidget* m_wImport = nullptr;

    bool m_destroyed = false;

    // Link and unlink.
    bool linkOn();
    void linkOff();
    // The link-loss watcher's step: message CableNotFound, then unlink.
    void linkLostStep();
    // Ends the acquisition thread and the watcher before anything they use goes.
    void shutdownLink();

    std::unique_ptr<telmora::AcquisitionWorker> m_korrelThread; // empty while unlinked
    std::unique_ptr<telmora::LinkLossWatcher> m_waitOffLineThread;
    bool m_linkChanging = false;    // an unlink is waiting for the acquisition thread
    bool m_linkLostPending = false; // the watcher's step arrived during that wait
    bool m_shuttingDown = false;
};

} // namespace telmora
