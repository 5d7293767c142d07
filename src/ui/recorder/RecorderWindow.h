#pragma once

#include "recording/RecorderState.h"

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

// The graphical recorder: logs the meter's readings into the recorder buffer,
// mirrors them to the temporary file, and shows them as a graph of pages of 200
// points with cursor and max/min read-outs. It lives from start-up to shut-down;
// closing it only hides it.
class RecorderWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit RecorderWindow(QWidget* parent = nullptr);
    ~RecorderWindow() override;

    // --- what other windows call ---
    // The buffer holds samples that were not saved to a file.
    bool hasUnsavedData() const;
    // Runs the recorder's Save; true when the data are saved afterwards.
    bool saveCommand();
    // Message 1029: the link ended; a running recording stops.
    void linkEnded();

    // Read access for the viewer, the files and the export.
    telmora::RecorderState& recorder() { return m_state; }
    const telmora::RecorderState& recorder() const { return m_state; }
    std::int32_t lastPage() const { return m_lastPage; }
    std::int32_t currentPage() const { return m_currentPage; }
    // Sets the page numbers (the file and export commands draw pages with them).
    void setPages(std::int32_t last, std::int32_t current) {
        m_lastPage = last;
        m_currentPage = current;
    }
    std::int32_t sampleInterval() const { return m_sampleInterval; }
    std::uint8_t acquisitionMode() const { return m_acquisitionMode; }
    bool isRecording() const { return m_recording; }
    void setAcquisition(std::uint8_t mode, std::int32_t intervalMs);

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
    void TimerLoggerTimer();
    void TimerTimeTimer();
    void ChartWidgetCursorMoved();
    void ChartWidgetZoomIn();
    void ChartWidgetKeyDown(int key, Qt::KeyboardModifiers modifiers);

    // --- the recorder's steps ---
    void TakeSample();
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
    QTimer* TimerLogger = nullptr;
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

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    void buildMenus();
    void setUpGraph();
    void stopAcquisition();
    void refreshGraph();
    void showRecord(const telmora::ReadingRecord& record, QLabel* data, QLabel* unit, QLabel* func);
    void applySizeRules();
    bool linked() const;

    telmora::RecorderState m_state;
    std::uint8_t m_acquisitionMode = 0;  // 0 automatic, 1 manual
    std::int32_t m_sampleInterval = 500; // ms; 500 is full speed
    std::int32_t m_pointsPerPage = 200;
    bool m_recording = false;
    std::int32_t m_lastPage = 1;
    std::int32_t m_currentPage = 1;
    bool m_inLowBattery = false;
};

} // namespace telmora
