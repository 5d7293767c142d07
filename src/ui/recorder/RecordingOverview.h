#pragma once

#include "model/viewreduction.h"
#include "recording/RecordingStatistics.h"
#include "ui/chart/ChartWidget.h"
#include "ui/chart/GraphPrinter.h"

#include <QColor>
#include <QDialog>

#include <vector>

class QHBoxLayout;
class QLabel;
class QStatusBar;
class QToolButton;
class QPushButton;

namespace telmora {

class UserDialogs;
class ChartWidget;
class ExportDialog;
class StatisticsPanel;

class Recording;
class RecorderController;

// "Graphical viewer": the whole recorder buffer in one large graph, reduced
// to the largest and smallest sample of each block when the recording is long,
// with the time and reading of the recording's largest and smallest sample. A
// panel of the main window that the recorder's "Fit all data" fills and brings up,
// or a window of its own shown modally by viewRecording and viewRecorder.
class RecordingOverview : public QDialog {
    Q_OBJECT
public:
    // The graph prints on `printer`, the printer shared by every window;
    // without one the viewer makes its own.
    explicit RecordingOverview(UserDialogs& dialogs, QPrinter* printer = nullptr,
                               QWidget* parent = nullptr);
    ~RecordingOverview() override;

    // Shows `recording`, whose statistics are `statistics`, modally until the user
    // closes the viewer.
    // What printed pages name in their header (the recording's file).
    void setDocumentName(const QString& name) { m_documentName = name; }
    void viewRecording(const telmora::Recording& recording,
                       const telmora::RecordingStatistics& statistics);

    // Shows the recorder's recording: its first meter as above, with every further
    // meter and the math channel as lines over the same samples.
    void viewRecorder(const telmora::RecorderController& controller);
    void showRecorder(const telmora::RecorderController& controller);

    // Fills the graph and the panels from `recording` and its `statistics` (the
    // viewer's "shown" step; viewRecording runs it before the window appears). Both
    // must outlive the viewer's showing them.
    void showRecording(const telmora::Recording& recording,
                       const telmora::RecordingStatistics& statistics);
    // The same for a recording without counted statistics: the viewer counts them.
    void showRecording(const telmora::Recording& recording);
    // Shows the statistics again (they have just been counted).
    void refreshStatistics();
    // Releases the point list and resets the graph to the first 100 samples.
    void releaseRecording();

    // The export dialog (created on first use).
    ExportDialog& exportDialog();

    // The state the graph was filled from.
    const telmora::ViewReduction& reduction() const { return m_reduction; }
    bool isDirect() const { return m_reduction.direct; }
    std::int32_t pointCount() const { return m_pointCount; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void done(int result) override;

private:
    // The caption and read-outs of the largest or the smallest sample.
    struct ExtremePanels {
        QLabel* caption = nullptr;
        QLabel* time = nullptr;
        QLabel* data = nullptr;
        QLabel* prefix = nullptr;
        QLabel* unit = nullptr;
        QLabel* powerFactor = nullptr; // kept hidden
    };

    void buildControls();
    void buildToolButtons(QHBoxLayout* row);
    ExtremePanels buildExtremePanels(QHBoxLayout* row, const char* prefix,
                                     std::vector<QColor> colours, const QString& dataHint);
    void connectControls();
    void setUpGraph();
    void plotReduction();
    // The further meters' and the math channel's lines at the reduction's samples.
    void plotTraces();
    // Point `point` of the graph shows sample `index`: its value and time, or nothing
    // when its file no longer holds it.
    void plotSample(int point, std::int64_t index);
    void showExtreme(const ExtremePanels& panels, std::int64_t index);
    void pointAtLargest();
    void pointAtSmallest();
    void enableUndoZoom();
    // The statistics of the group of the sample under the cursor, for the whole
    // recording and for what the graph shows.
    void showStatistics();
    void undoZoom();
    void printGraph();
    void exportGraph();

    const telmora::Recording* m_recording = nullptr;
    // The recorder whose further meters are drawn; none for a plain recording.
    const telmora::RecorderController* m_recorder = nullptr;
    UserDialogs& m_dialogs;
    GraphPrinter m_printer;
    telmora::ViewReduction m_reduction;
    std::int32_t m_pointCount = 0;
    ExportDialog* m_exportDialog = nullptr;

    telmora::ChartWidget* m_chart = nullptr;
    StatisticsPanel* m_statisticsPanel = nullptr;
    const telmora::RecordingStatistics* m_statistics = nullptr; // of the recording shown
    telmora::RecordingStatistics m_ownStatistics;               // counted here when none were given
    QWidget* m_displayPanel = nullptr;
    QToolButton* m_printButton = nullptr;
    QToolButton* m_undoZoomButton = nullptr;
    QToolButton* m_exportButton = nullptr;
    QPushButton* m_closeButton = nullptr;
    ExtremePanels m_largest;
    ExtremePanels m_smallest;
    QLabel* m_powerFactorMain = nullptr; // kept hidden
    QLabel* m_powerFactorSub = nullptr;  // kept hidden
    QStatusBar* m_statusBar = nullptr;
    QString m_documentName; // the recording's until told otherwise: unsaved
};

} // namespace telmora
