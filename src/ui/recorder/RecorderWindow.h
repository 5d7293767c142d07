#pragma once

#include "recording/RecorderController.h"
#include "ui/chart/ChartWidget.h"
#include "ui/chart/GraphPrinter.h"
#include "ui/common/BusyCursor.h"
#include "ui/common/LabelHolder.h"

#include <QMainWindow>

#include <cstdint>
#include <memory>
#include <optional>
#include <utility>

class QLabel;
class QTimer;

namespace telmora {

class UserDialogs;
class ChartWidget;
class CountdownNotice;
class ExportDialog;
class IntervalDialog;
class MarkerCommands;
class MathChannelDialog;
class TriggerDialog;
class MeterStatisticsPanels;
class PageProgressBar;
class ProgressWindow;
class RecorderCommandBar;
class RecorderGraph;
class RecorderReadouts;
class RecorderStatusBar;
class StatisticsPanel;
enum class RecorderCommand;

// The graphical recorder's window over its RecorderController: shows the recording
// as a graph of pages of 200 points with cursor and max/min read-outs and the
// statistics of the whole recording and of the shown page or zoom, runs the
// dialogs of the file, export and interval commands and shows the controller's
// messages. It lives from start-up to shut-down; closing it only hides it.
class RecorderWindow : public QMainWindow {
    Q_OBJECT

public:
    // `printer` is the printer shared by every window (pages print and the
    // printer set-up configures it); without one the window makes its own.
    RecorderWindow(UserDialogs& dialogs, RecorderController& controller,
                   QPrinter* printer = nullptr, QWidget* parent = nullptr);
    ~RecorderWindow() override;

    // --- what the owner calls ---
    // The recording holds samples that were not saved to a file.
    bool hasUnsavedData() const { return m_controller.hasUnsavedData(); }
    // Runs the recorder's Save: the file dialog, then the save as the controller's
    // job (the window stays responsive). Ends in saveCommandFinished, at once when
    // no file was chosen.
    void saveCommand();
    // A save started by saveCommand() is still running.
    bool saveCommandRunning() const { return m_saveCommandRunning; }
    // Keeps the window's smallest size below a window of `height` at the top.
    void fitBelow(int height);

    RecorderController& controller() { return m_controller; }
    const Recording& recording() const { return m_controller.recording(); }
    // The printer pages print on and the printer set-up configures.
    QPrinter& printer() const { return m_printer.get(); }

    // --- the commands of the tool buttons and menus ---
    void startRecording();
    void stopRecording();
    void takeManualSample();
    void chooseInterval();
    void openRecording();
    // Opens `path` as the Open command does after its file dialog (the file
    // given on the command line or by the desktop).
    void openRecordingFile(const QString& path);
    // The same by the bytes the system knows the file by.
    void openRecordingFile(const QByteArray& nativePath);
    // Starts loading `path` with the progress window, asking nothing first (the
    // recording it replaces is empty or saved). False when the load did not start.
    bool loadRecording(const QString& path);
    bool loadRecording(const QByteArray& nativePath);
    void saveRecordingAs();
    void printPage();
    void setUpPrinter();
    void clearRecording();
    void requestImport();
    void requestOverview();
    void exportRecording();
    void showFirstPage();
    void showPreviousPage();
    void showNextPage();
    void showLastPage();
    void undoZoom();
    void chooseLineColor();
    // The math channel's expression, through its dialog.
    void chooseMathChannel();
    // When recordings start and stop, through the trigger dialog.
    void chooseTrigger();
    // Shows the page of sample `index` with the cursor on it.
    void goToSample(std::int64_t index);
    MarkerCommands& markerCommands() const { return *m_markers; }

    // The graph's line colour (remembered between runs).
    QColor lineColor() const;
    void setLineColor(const QColor& color);

    // The progress window of an open (created on first use).
    ProgressWindow& progressWindow();
    // The export dialog (created on first use).
    ExportDialog& exportDialog();
    // The low-battery notice (created on first use).
    CountdownNotice& lowBatteryNotice();
    // The math channel's dialog (created on first use).
    MathChannelDialog& mathChannelDialog();

signals:
    // The import window is wanted (the owner shows it modally after unlinking).
    void importRequested();
    // The whole recording is to be shown in the overview.
    void overviewRequested();
    // The Save of saveCommand() has ended; `saved` when the data are now in a file.
    void saveCommandFinished(bool saved);
    // The markers panel is wanted.
    void markersPanelRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // The import button depends on whether anyone listens for importRequested().
    void connectNotify(const QMetaMethod& signal) override;

private:
    void buildControls();
    // The marker commands' menu and button (RecorderWindowMarkers.cpp).
    void buildMarkerCommands();
    void bindController();
    void bindChart();
    void runCommand(RecorderCommand command);
    void applySizeRules(int heightAbove);
    void showClock();
    void showSample(qsizetype index);
    void showPage();
    void resetGraph();
    void showCursorReading();
    void followFileJob(bool busy);
    void showFileJobProgress();
    void showExtremes();
    // The statistics of the group of the reading under the cursor (or the newest),
    // for the whole recording and for what the graph shows.
    void showStatistics();
    void refreshControls();
    void refreshStatus();
    void pageWithKey(int key);
    void showRecordingState(bool recording);
    // The page bar and the sample count follow an opened recording being taken over.
    void followLoadProgress(const JobProgress& progress);
    void finishLoad();
    // The end of a save or a text export: the error when the file was not written.
    void reportFileWritten(bool written, const QString& path, const QString& reason);
    void showLowBatteryNotice();
    // The meters or the math channel changed: headings, panels and traces again.
    void showMeters();

    UserDialogs& m_dialogs;
    RecorderController& m_controller;
    GraphPrinter m_printer;
    std::int32_t m_pointsPerPage = 200;
    RecorderCommandBar* m_commands = nullptr;
    MarkerCommands* m_markers = nullptr;
    RecorderReadouts* m_readouts = nullptr;
    ChartWidget* m_chart = nullptr;
    MeterStatisticsPanels* m_meterStatistics = nullptr;
    StatisticsPanel* m_statistics = nullptr; // the first meter's
    QLabel* m_traceReadings = nullptr;       // every meter's reading at the cursor
    // Holds m_traceReadings: a new reading of the same digits repaints the line
    // without laying out the window again.
    LabelHolder* m_traceRow = nullptr;
    std::unique_ptr<RecorderGraph> m_graph;
    PageProgressBar* m_pageProgress = nullptr;
    RecorderStatusBar* m_status = nullptr;
    CountdownNotice* m_countdown = nullptr;
    IntervalDialog* m_intervalDialog = nullptr;
    ExportDialog* m_exportDialog = nullptr;
    MathChannelDialog* m_mathDialog = nullptr;
    TriggerDialog* m_triggerDialog = nullptr;
    ProgressWindow* m_progress = nullptr;
    // A save or export running: its progress window appears after a delay.
    static constexpr int kFileJobProgressDelayMs = 500;
    QTimer* m_fileJobTimer = nullptr;
    bool m_fileJobAborted = false;
    bool m_loading = false; // an open runs (it shows its own progress)
    bool m_saveCommandRunning = false;
    std::optional<BusyCursor> m_busyCursor; // while the controller is busy
};

} // namespace telmora
