#pragma once

#include "recording/RecorderController.h"

#include <QMainWindow>

#include <array>
#include <cstdint>

class QAction;
class QLabel;
class QMenu;
class QProgressBar;
class QStatusBar;
class QTimer;
class QToolButton;

namespace telmora {

class ChartWidget;
class CountdownNotice;
class ExportDialog;
class IntervalDialog;
class ProgressWindow;

// The graphical recorder's window over its RecorderController: shows the recording
// as a graph of pages of 200 points with cursor and max/min read-outs, runs the
// dialogs of the file, export and interval commands and shows the controller's
// messages. It lives from start-up to shut-down; closing it only hides it.
class RecorderWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit RecorderWindow(RecorderController& controller, QWidget* parent = nullptr);
    ~RecorderWindow() override;

    // --- what the owner calls ---
    // The recording holds samples that were not saved to a file.
    bool hasUnsavedData() const { return m_controller.hasUnsavedData(); }
    // Runs the recorder's Save and waits for it; true when the data are saved.
    bool saveCommand();
    // Keeps the window's smallest size below a window of `height` at the top.
    void fitBelow(int height);

    RecorderController& controller() { return m_controller; }
    const Recording& recording() const { return m_controller.recording(); }

    // --- handlers, named after their controls ---
    void sbtnRecordStartClick();
    void sbtnRecordStopClick();
    void sbtnManualLoggingClick();
    void sbtnOptionClick();
    void sbtnOpenFileClick();
    void sbtnSaveFileClick();
    void sbtnPrintGraphicClick();
    void sbtnClearClick();
    void sbtnImportClick();
    void sbtnExportClick();
    void sbtnFirstPageClick();
    void sbtnPageUpClick();
    void sbtnPageDownClick();
    void sbtnLastPageClick();
    void sbtnUndoZoomClick();
    void sbtnFitViewClick();
    void mnuPrinterSetupClick();
    void mnuGraphLineColorClick();
    void TimerTimeTimer();
    void ChartWidgetCursorMoved();
    void ChartWidgetZoomIn();
    void ChartWidgetKeyDown(int key, Qt::KeyboardModifiers modifiers);

    // --- drawing ---
    void DrawPage();
    void ResetGraph();
    void CursorReadout();
    void RefreshControls();
    void RefreshStatus();
    void ShowExtremes();

    // --- controls, named as in the window's description ---
    QWidget* ToolPanel = nullptr;
    QLabel* ToolPanelCaption = nullptr;
    QToolButton* sbtnRecordStart = nullptr;
    QToolButton* sbtnRecordStop = nullptr;
    QToolButton* sbtnManualLogging = nullptr;
    QToolButton* sbtnOption = nullptr;
    QToolButton* sbtnOpenFile = nullptr;
    QToolButton* sbtnSaveFile = nullptr;
    QToolButton* sbtnPrintGraphic = nullptr;
    QToolButton* sbtnClear = nullptr;
    QToolButton* sbtnImport = nullptr;
    QToolButton* sbtnExport = nullptr;
    QToolButton* sbtnFirstPage = nullptr;
    QToolButton* sbtnPageUp = nullptr;
    QToolButton* sbtnPageDown = nullptr;
    QToolButton* sbtnLastPage = nullptr;
    QToolButton* sbtnUndoZoom = nullptr;
    QToolButton* sbtnFitView = nullptr;

    QWidget* DisplayPanel = nullptr;
    QLabel* TimePanel = nullptr;
    QLabel* ReadingDataPanel = nullptr;
    QLabel* ReadingUnitPanel = nullptr;
    QLabel* ReadingFuncPanel = nullptr;
    QLabel* MaxLabel = nullptr;
    QLabel* MaxDataPanel = nullptr;
    QLabel* MaxUnitPanel = nullptr;
    QLabel* MaxFuncPanel = nullptr;
    QLabel* MinLabel = nullptr;
    QLabel* MinDataPanel = nullptr;
    QLabel* MinUnitPanel = nullptr;
    QLabel* MinFuncPanel = nullptr;

    QStatusBar* StatusBar = nullptr;
    std::array<QLabel*, 5> StatusPanels{};
    QProgressBar* ProgressBar = nullptr;
    telmora::ChartWidget* ChartWidget = nullptr;
    QTimer* TimerTime = nullptr;

    QAction* mnuOpen = nullptr;
    QAction* mnuSaveAs = nullptr;
    QAction* mnuClear = nullptr;
    QAction* mnuImport = nullptr;
    QAction* mnuExport = nullptr;
    QAction* mnuPrint = nullptr;
    QAction* mnuPrinterSetup = nullptr;
    QAction* mnuExit = nullptr;
    QAction* mnuStart = nullptr;
    QAction* mnuStop = nullptr;
    QAction* mnuManual = nullptr;
    QAction* mnuInterval = nullptr;
    QAction* mnuFirstPage = nullptr;
    QAction* mnuPageUp = nullptr;
    QAction* mnuPageDown = nullptr;
    QAction* mnuLastPage = nullptr;
    QAction* mnuFitView = nullptr;
    QAction* mnuUndoZoom = nullptr;
    QAction* mnuLineColor = nullptr;

    // The progress window of an open (created on first use).
    ProgressWindow& progressWindow();
    // The export dialog (created on first use).
    ExportDialog& exportDialog();

signals:
    // The import window is wanted (the owner shows it modally after unlinking).
    void importRequested();
    // The whole recording is to be shown in the overview.
    void overviewRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void bindController();
    void buildToolPanel(QWidget* central);
    void buildDisplayPanel(QWidget* central);
    void buildStatusBar(QWidget* central);
    void buildControls();
    void buildMenus();
    void setUpGraph();
    void refreshGraph();
    void showRecord(const telmora::ReadingRecord& record, QLabel* data, QLabel* unit, QLabel* func);
    void applySizeRules(int heightAbove);
    void appendSample(qsizetype index);
    void syncRecordingButtons(bool recording);
    void showLoadProgress(LoadStage stage, qint64 done, qint64 total);
    void finishLoad();
    void reportSave(bool saved, const QString& path, const QString& reason);
    bool lowBatteryPrompt();

    RecorderController& m_controller;
    std::int32_t m_pointsPerPage = 200;
    CountdownNotice* m_countdown = nullptr;
    IntervalDialog* m_intervalDialog = nullptr;
    ExportDialog* m_exportDialog = nullptr;
    ProgressWindow* m_progress = nullptr;
};

} // namespace telmora
