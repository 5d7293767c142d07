#pragma once

#include "text/texts.h"
#include "ui/chart/ChartWidget.h"
#include "ui/chart/GraphPrinter.h"
#include "ui/common/BusyCursor.h"

#include <QMainWindow>

#include <memory>
#include <optional>

class QAction;
class QToolButton;

namespace telmora {

class UserDialogs;
class ExportDialog;
class LineColorDialog;
class LoggerSessions;
class ProgressWindow;
class SessionGraphView;
class SessionTabs;
class StatisticsPanel;

// "Data Logger": the sessions downloaded from the meter's logger memory or read
// from a session file, one tab with a table per session and a graph of one
// session at a time with cursor, current and extreme read-outs. It draws what
// its LoggerSessions hold and asks the user what they need; the work is theirs.
// A panel of the main window that the recorder's Import brings up; while a
// download reads the meter's memory the live polling of that cable pauses.
// Closing it discards the sessions.
class LoggerWindow : public QMainWindow {
    Q_OBJECT

public:
    // The export and line colour dialogs and the printer are shared with the
    // recorder; without them the window makes its own.
    LoggerWindow(UserDialogs& dialogs, LoggerSessions& sessions,
                 ExportDialog* exportDialog = nullptr, LineColorDialog* lineColors = nullptr,
                 QPrinter* printer = nullptr, QWidget* parent = nullptr);
    ~LoggerWindow() override;

    LoggerSessions& sessions() const { return m_sessions; }
    SessionTabs& tabs() const { return *m_tabs; }
    SessionGraphView& graph() const { return *m_graph; }
    ProgressWindow& progressWindow() const { return *m_progress; }
    // The printer the graph prints on and the printer set-up configures.
    QPrinter& printer() const { return m_printer.get(); }

    // The commands of the tool buttons and menus.
    void importFromMeter();
    void openFile();
    // Reads `path` as Open does after its file dialog (a file given on the
    // command line or by the desktop).
    void openSessionFile(const QString& path);
    void openSessionFile(const QByteArray& nativePath);
    void saveFile(); // the outcome comes with LoggerSessions::fileSaved
    void exportData();
    void clearData();
    void chooseLineColors();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildToolBar();
    void buildMenu();
    void buildCentre();
    void bindSessions();
    void updateControls();
    void showSessions();
    // The statistics of the current session and of all sessions.
    void showStatistics();
    void endProgress();
    void askToDownload();
    void showFailure(TextId message, const QString& wording);
    void showNotice(const QString& notice);
    void savedBeforeClose(bool saved);

    UserDialogs& m_dialogs;
    LoggerSessions& m_sessions;
    GraphPrinter m_printer;
    std::unique_ptr<ExportDialog> m_ownExportDialog;
    std::unique_ptr<LineColorDialog> m_ownLineColors;
    ExportDialog* m_exportDialog = nullptr;
    LineColorDialog* m_lineColors = nullptr;
    std::unique_ptr<ProgressWindow> m_progress;
    SessionTabs* m_tabs = nullptr;
    SessionGraphView* m_graph = nullptr;
    StatisticsPanel* m_statistics = nullptr;
    std::optional<BusyCursor> m_busyCursor;
    bool m_closeAfterSave = false;

    QToolButton* m_importButton = nullptr;
    QToolButton* m_exportButton = nullptr;
    QToolButton* m_openButton = nullptr;
    QToolButton* m_saveButton = nullptr;
    QToolButton* m_clearButton = nullptr;
    QAction* m_openAction = nullptr;
    QAction* m_saveAction = nullptr;
    QAction* m_importAction = nullptr;
    QAction* m_exportAction = nullptr;
    QAction* m_printAction = nullptr;
    QAction* m_printerSetupAction = nullptr;
    QAction* m_clearAction = nullptr;
    QAction* m_lineColorAction = nullptr;
};

} // namespace telmora
