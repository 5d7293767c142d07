#pragma once

#include "model/viewreduction.h"

#include <QDialog>

class QLabel;
class QStatusBar;
class QToolButton;
class QPushButton;

namespace telmora {

class ChartWidget;
class ExportDialog;

class Recording;

// "Graphical viewer": the whole recorder buffer in one full-screen graph, reduced
// to the largest and smallest sample of each block when the recording is long,
// with the time and reading of the recording's largest and smallest sample. Shown
// modally by the recorder's "Fit all data".
class RecordingOverview : public QDialog {
    Q_OBJECT
public:
    explicit RecordingOverview(QWidget* parent = nullptr);
    ~RecordingOverview() override;

    // Shows `recording` modally until the user closes the viewer.
    void viewRecording(const telmora::Recording& recording);

    // Fills the graph and the panels from `recording` (the viewer's "shown" step;
    // viewRecording runs it before the window appears).
    void FormShow(const telmora::Recording& recording);
    // Releases the point list and resets the graph to the first 100 samples.
    void FormClose();

    void MaxDataPanelClick();
    void MinDataPanelClick();
    void sbtnPrintClick();
    void sbtnUndoZoomClick();
    void sbtnExportClick();
    void ChartWidgetViewZoomIn();

    // The export dialog (created on first use).
    ExportDialog& exportDialog();

    // The state the graph was filled from.
    const telmora::ViewReduction& reduction() const { return m_reduction; }
    bool isDirect() const { return m_reduction.direct; }
    std::int32_t pointCount() const { return m_pointCount; }

    telmora::ChartWidget* ChartWidgetView = nullptr;
    QWidget* DisplayPanel = nullptr;
    QToolButton* sbtnPrint = nullptr;
    QToolButton* sbtnUndoZoom = nullptr;
    QToolButton* sbtnExport = nullptr;
    QPushButton* bbtnClose = nullptr;
    QLabel* MaxLabel = nullptr;
    QLabel* MinLabel = nullptr;
    QLabel* MaxTimePanel = nullptr;
    QLabel* MaxDataPanel = nullptr;
    QLabel* MaxUnitPanel = nullptr;
    QLabel* MaxFuncPanel = nullptr;
    QLabel* MinTimePanel = nullptr;
    QLabel* MinDataPanel = nullptr;
    QLabel* MinUnitPanel = nullptr;
    QLabel* MinFuncPanel = nullptr;
    QLabel* MaxPFPanel = nullptr;
    QLabel* MinPFPanel = nullptr;
    QLabel* LabelPFMain = nullptr;
    QLabel* LabelPFSub = nullptr;
    QStatusBar* StatusBar1 = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void done(int result) override;

private:
    void buildControls();
    void setUpGraph();
    void refreshGraph();

    const telmora::Recording* m_recording = nullptr;
    telmora::ViewReduction m_reduction;
    std::int32_t m_pointCount = 0;
    ExportDialog* m_exportDialog = nullptr;
    float m_scaleMax = 100.0f;
    float m_scaleMin = -100.0f;
};

} // namespace telmora
