// RecorderWindow's files: clearing, saving, opening, printing, importing and exporting.
#include "ui/recorder/RecorderWindow.h"

#include "app/UserDialogs.h"
#include "model/fileaccess.h"
#include "recording/recorderrules.h"
#include "recording/recordertext.h"
#include "text/texts.h"
#include "ui/chart/ChartWidget.h"
#include "ui/common/AppIcon.h"
#include "ui/common/CountdownNotice.h"
#include "ui/common/ProgressWindow.h"
#include "ui/common/StatisticsPanel.h"
#include "ui/export/ExportDialog.h"
#include "ui/recorder/IntervalDialog.h"
#include "ui/recorder/MarkerCommands.h"
#include "ui/recorder/MathChannelDialog.h"
#include "ui/recorder/MeterStatisticsPanels.h"
#include "ui/recorder/PageProgressBar.h"
#include "ui/recorder/RecorderCommandBar.h"
#include "ui/recorder/RecorderExportFlow.h"
#include "ui/recorder/RecorderGraph.h"
#include "ui/recorder/recorderfiles.h"
#include "ui/recorder/recorderpanels.h"
#include "ui/recorder/recordertraces.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMetaMethod>
#include <QScreen>
#include <QStyle>
#include <QTime>
#include <QTimer>
#include <QVBoxLayout>

#include <utility>

namespace telmora {

// --- files, print, import, export --------------------------------------------------------

void RecorderWindow::clearRecording() {
    if (m_controller.recording().isEmpty())
        return;
    if (m_controller.recording().isUnsaved() &&
        m_dialogs.showDirectBox(this, text(TextId::AskClearBuffer), CaptionKind::Warning,
                                TextId::AskClearBuffer, BoxIcon::Question,
                                {BoxButton::Ok, BoxButton::Cancel},
                                BoxButton::Cancel) != BoxButton::Ok)
        return;
    m_controller.clear();
}

void RecorderWindow::saveRecordingAs() {
    const std::optional<QString> path =
        askRecordingSaveName(m_dialogs, this, m_controller.meterCount() > 1);
    if (!path)
        return;
    m_controller.startSave(*path);
}

void RecorderWindow::saveCommand() {
    const std::optional<QString> path =
        askRecordingSaveName(m_dialogs, this, m_controller.meterCount() > 1);
    if (!path || !m_controller.startSave(*path)) {
        emit saveCommandFinished(!hasUnsavedData());
        return;
    }
    m_saveCommandRunning = true;
}

void RecorderWindow::reportFileWritten(bool written, const QString& path, const QString& reason) {
    const bool stoppedByUser = std::exchange(m_fileJobAborted, false) && reason.isEmpty();
    if (!written && !stoppedByUser)
        showFileSaveError(m_dialogs, this, path, reason);
}

// A save or export that is still running after half a second shows the progress
// window with Abort, so a long one never leaves the windows grey without a word.
// An open shows its own progress from the start.
void RecorderWindow::followFileJob(bool busy) {
    if (!busy) {
        if (m_fileJobTimer != nullptr)
            m_fileJobTimer->stop();
        if (m_progress != nullptr && m_progress->isVisible() && !m_loading)
            m_progress->end();
        m_loading = false;
        return;
    }
    if (m_loading)
        return;
    m_fileJobAborted = false;
    progressWindow().bind(m_controller.job(), ProgressWindow::Appearance::OnRequest);
    if (m_fileJobTimer == nullptr) {
        m_fileJobTimer = new QTimer(this);
        m_fileJobTimer->setSingleShot(true);
        m_fileJobTimer->setInterval(kFileJobProgressDelayMs);
        connect(m_fileJobTimer, &QTimer::timeout, this, &RecorderWindow::showFileJobProgress);
    }
    m_fileJobTimer->start();
}

void RecorderWindow::showFileJobProgress() {
    if (!m_controller.isBusy() || m_loading)
        return;
    // Until a save reports its samples the bar only says that work goes on.
    progressWindow().appear({JobStage::WritingFile, 0, 0});
}

ProgressWindow& RecorderWindow::progressWindow() {
    if (m_progress == nullptr) {
        m_progress = new ProgressWindow(this);
        m_progress->bind(m_controller.job(), ProgressWindow::Appearance::OnRequest);
        // Abort cancels the bound job; a save or export stopped so ends without a word.
        connect(m_progress, &ProgressWindow::abortRequested, this,
                [this] { m_fileJobAborted = !m_loading; });
    }
    return *m_progress;
}

void RecorderWindow::openRecording() {
    clearRecording();
    if (!m_controller.recording().isEmpty())
        return;
    if (const std::optional<QString> path = askRecordingToOpen(m_dialogs, this))
        loadRecording(*path);
}

void RecorderWindow::openRecordingFile(const QString& path) {
    openRecordingFile(NativePath(path));
}

void RecorderWindow::openRecordingFile(const QByteArray& nativePath) {
    clearRecording();
    if (m_controller.recording().isEmpty())
        loadRecording(nativePath);
}

bool RecorderWindow::loadRecording(const QString& path) {
    return loadRecording(NativePath(path));
}

bool RecorderWindow::loadRecording(const QByteArray& nativePath) {
    m_loading = true;
    // The window appears with the load's first report, reading with Abort on.
    progressWindow().bind(m_controller.job(), ProgressWindow::Appearance::ModelessAtFirstReport);
    m_pageProgress->setRange(0, m_pointsPerPage);
    m_pageProgress->setValue(0);
    if (!m_controller.startLoad(nativePath)) {
        m_loading = false;
        return false;
    }
    return true;
}

void RecorderWindow::followLoadProgress(const JobProgress& progress) {
    if (progress.stage != JobStage::AddingToRecording)
        return;
    const qint64 done = progress.done;
    m_pageProgress->setValue(static_cast<int>(done % m_pointsPerPage));
    m_status->showSampleCount(done);
}

void RecorderWindow::finishLoad() {
    progressWindow().end();
    m_pageProgress->setValue(static_cast<int>(
        static_cast<std::int64_t>(m_controller.recording().size()) % m_pointsPerPage));
    m_chart->setCursorPoint(m_pointsPerPage - 1);
    showCursorReading();
    refreshControls();
    refreshStatus();
}

void RecorderWindow::printPage() {
    m_graph->printPage();
}

void RecorderWindow::setUpPrinter() {
    m_dialogs.setUpPage(this, m_printer.get());
}

void RecorderWindow::requestImport() {
    emit importRequested();
}

void RecorderWindow::requestOverview() {
    emit overviewRequested();
}

ExportDialog& RecorderWindow::exportDialog() {
    if (m_exportDialog == nullptr)
        m_exportDialog = new ExportDialog(m_dialogs, ExportDialog::PrinterPages::Any, this);
    return *m_exportDialog;
}

void RecorderWindow::exportRecording() {
    RecorderExportFlow(m_dialogs, m_controller, *m_chart, m_printer.get(), exportDialog(), this)
        .run();
}

// --- controls and status -----------------------------------------------------------------

void RecorderWindow::refreshControls() {
    RecorderControlInput in;
    in.recording = m_controller.isRecording();
    in.busy = m_controller.isBusy();
    in.empty = m_controller.recording().isEmpty();
    in.manualMode = m_controller.acquisitionMode() == AcquisitionMode::Manual;
    in.lastPage = m_controller.lastPage();
    in.currentPage = m_controller.currentPage();
    in.importAvailable =
        isSignalConnected(QMetaMethod::fromSignal(&RecorderWindow::importRequested));
    in.exportAvailable = true;
    in.viewerAvailable = true;
    RecorderControlState state = ComputeRecorderControls(in);
    // The overview is worth opening from two samples on, a recording within one
    // page too.
    state.fitView = !in.recording && !in.busy && m_controller.recording().sampleCount() >= 2;
    if (m_markers != nullptr)
        m_markers->setEnabled(!in.busy && !in.empty);
    m_commands->apply(state);
}

void RecorderWindow::refreshStatus() {
    if (m_controller.waitingForTrigger())
        m_status->showWaiting(QString::fromStdString(m_controller.trigger().awaitedText()));
    else
        m_status->showLogging(m_controller.isRecording());
    m_status->showSampleCount(m_controller.recording().sampleCount());
    m_status->showPage(m_controller.currentPage(), m_controller.lastPage());
    const std::int32_t interval = m_controller.sampleInterval();
    if (m_controller.acquisitionMode() == AcquisitionMode::Manual)
        m_status->showInterval(RecorderStatusBar::Interval::Manual);
    else if (interval == RecorderController::kFullSpeedMs)
        m_status->showInterval(RecorderStatusBar::Interval::FullSpeed);
    else
        m_status->showInterval(RecorderStatusBar::Interval::Seconds, interval / 1000);
}

} // namespace telmora
