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
#include "ui/recorder/TriggerDialog.h"
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

RecorderWindow::RecorderWindow(UserDialogs& dialogs, RecorderController& controller,
                               QPrinter* printer, QWidget* parent)
    : QMainWindow(parent), m_dialogs(dialogs), m_controller(controller), m_printer(printer) {
    setObjectName(QStringLiteral("recorderWindow"));
    setWindowTitle(text(TextId::RecorderCaption));
    setWindowIcon(AppIcon());
    buildControls();
    m_graph = std::make_unique<RecorderGraph>(m_dialogs, *m_chart, m_controller, m_pointsPerPage,
                                              m_printer.get());
    m_graph->setUp();
    buildMarkerCommands();

    auto* clock = new QTimer(this);
    clock->setObjectName(QStringLiteral("clockTimer"));
    connect(clock, &QTimer::timeout, this, &RecorderWindow::showClock);
    clock->start(1000);

    applySizeRules(0);
    resize(std::max(minimumWidth(), 900), std::max(minimumHeight(), 560));
    bindController();
    bindChart();
    showMeters();
    resetGraph();
    showExtremes();
    showClock();
    refreshControls();
    refreshStatus();
}

RecorderWindow::~RecorderWindow() {
    m_controller.disconnect(this);
}

// --- construction --------------------------------------------------------------------

void RecorderWindow::buildControls() {
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    setCentralWidget(central);

    m_commands = new RecorderCommandBar(*this);
    connect(m_commands, &RecorderCommandBar::commandTriggered, this, &RecorderWindow::runCommand);
    layout->addWidget(m_commands->toolPanel());
    auto* line = new QFrame(central);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    layout->addWidget(line);
    m_readouts = new RecorderReadouts(central);
    layout->addWidget(m_readouts);
    m_traceRow = HeldTraceReadings(central, m_traceReadings);
    m_traceRow->hide(); // only while several lines are drawn
    layout->addWidget(m_traceRow);
    auto* graphRow = new QHBoxLayout;
    graphRow->setSpacing(4);
    m_chart = new ChartWidget(central);
    m_chart->setObjectName(QStringLiteral("ChartWidget"));
    graphRow->addWidget(m_chart, 1);
    m_meterStatistics = new MeterStatisticsPanels(central);
    m_statistics = &m_meterStatistics->first();
    m_meterStatistics->watch(m_controller);
    graphRow->addWidget(m_meterStatistics);
    layout->addLayout(graphRow, 1);

    m_pageProgress = new PageProgressBar(central);
    m_pageProgress->setObjectName(QStringLiteral("progressBar"));
    m_pageProgress->setRange(0, m_pointsPerPage);
    m_pageProgress->setMaximumHeight(12);
    layout->addWidget(m_pageProgress);
    m_status = new RecorderStatusBar(this);
    setStatusBar(m_status);
}

void RecorderWindow::bindController() {
    RecorderController* c = &m_controller;
    connect(c, &RecorderController::sampleAdded, this, &RecorderWindow::showSample);
    connect(c, &RecorderController::metersChanged, this, &RecorderWindow::showMeters);
    connect(c, &RecorderController::triggerWaitingChanged, this, &RecorderWindow::refreshStatus);
    connect(c, &RecorderController::cleared, this, [this] {
        m_pageProgress->setValue(0);
        resetGraph();
    });
    connect(c, &RecorderController::pageChanged, this, &RecorderWindow::showPage);
    connect(c, &RecorderController::markersChanged, this, [this] { m_graph->drawMarkers(); });
    connect(c, &RecorderController::extremesChanged, this, &RecorderWindow::showExtremes);
    connect(c, &RecorderController::statisticsChanged, this, &RecorderWindow::showStatistics);
    connect(c, &RecorderController::recordingStateChanged, this,
            &RecorderWindow::showRecordingState);
    for (auto changed :
         {&RecorderController::acquisitionChanged, &RecorderController::unsavedChanged})
        connect(c, changed, this, [this] {
            refreshControls();
            refreshStatus();
        });
    connect(c, &RecorderController::busyChanged, this, [this](bool busy) {
        // The hourglass while a file is opened, saved or exported.
        if (!busy)
            m_busyCursor.reset();
        else if (!m_busyCursor)
            m_busyCursor.emplace();
        followFileJob(busy);
        refreshControls();
    });
    connect(&c->job(), &Job::progressed, this, &RecorderWindow::followLoadProgress);
    connect(c, &RecorderController::loadFinished, this, &RecorderWindow::finishLoad);
    connect(c, &RecorderController::saveFinished, this, &RecorderWindow::reportFileWritten);
    // After the error message, if any: the Save command has ended.
    connect(c, &RecorderController::saveFinished, this, [this] {
        if (std::exchange(m_saveCommandRunning, false))
            emit saveCommandFinished(!hasUnsavedData());
    });
    connect(c, &RecorderController::textExportFinished, this, &RecorderWindow::reportFileWritten);
    connect(c, &RecorderController::textExportedPerMeter, this,
            [this](const QStringList& files) { showExportedPerMeter(m_dialogs, this, files); });
    connect(
        c, &RecorderController::errorRaised, this, [this](TextId textId, const QString& reason) {
            if (reason.isEmpty()) {
                m_dialogs.showError(this, textId);
                return;
            }
            // The reason goes on a line of its own below the message.
            m_dialogs.showDirectBox(this, text(textId) + QLatin1Char('\n') + reason,
                                    CaptionKind::Error, textId, BoxIcon::Error, {BoxButton::Ok});
        });
    connect(c, &RecorderController::noticeRaised, this,
            [this](TextId textId) { m_dialogs.showWarning(this, textId); });
    connect(c, &RecorderController::metersMissing, this, [this](const QStringList& names) {
        const TextId id = TextId::MetersRecordGaps;
        m_dialogs.showDirectBox(this,
                                text(id) + QLatin1Char('\n') + names.join(QStringLiteral(", ")),
                                CaptionKind::Warning, id, BoxIcon::Warning, {BoxButton::Ok});
    });
    connect(c, &RecorderController::lowBatteryAppeared, this,
            &RecorderWindow::showLowBatteryNotice);
    // The page is drawn again without the samples that can no longer be read.
    connect(c, &RecorderController::recordingDamaged, this, &RecorderWindow::showPage);
}

void RecorderWindow::bindChart() {
    connect(m_chart, &ChartWidget::cursorMoved, this, &RecorderWindow::showCursorReading);
    connect(m_chart, &ChartWidget::zoomed, this, [this] {
        m_commands->setUndoZoomEnabled(true);
        showStatistics();
    });
    connect(m_chart, &ChartWidget::keyPressed, this, &RecorderWindow::pageWithKey);
}

void RecorderWindow::runCommand(RecorderCommand command) {
    using C = RecorderCommand;
    using W = RecorderWindow;
    if (command == C::Exit) {
        close();
        return;
    }
    static constexpr std::pair<C, void (W::*)()> kHandlers[] = {
        {C::Start, &W::startRecording},
        {C::Stop, &W::stopRecording},
        {C::Manual, &W::takeManualSample},
        {C::Interval, &W::chooseInterval},
        {C::Open, &W::openRecording},
        {C::SaveAs, &W::saveRecordingAs},
        {C::Print, &W::printPage},
        {C::PrinterSetup, &W::setUpPrinter},
        {C::Clear, &W::clearRecording},
        {C::Import, &W::requestImport},
        {C::Export, &W::exportRecording},
        {C::FirstPage, &W::showFirstPage},
        {C::PageUp, &W::showPreviousPage},
        {C::PageDown, &W::showNextPage},
        {C::LastPage, &W::showLastPage},
        {C::UndoZoom, &W::undoZoom},
        {C::FitView, &W::requestOverview},
        {C::LineColor, &W::chooseLineColor},
        {C::MathChannel, &W::chooseMathChannel},
        {C::Trigger, &W::chooseTrigger}};
    for (const auto& [handled, handler] : kHandlers)
        if (handled == command)
            (this->*handler)();
}

void RecorderWindow::applySizeRules(int heightAbove) {
    // Smallest tracking size: three quarters of the screen wide, the height below
    // the main window down to the task bar.
    const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    if (s == nullptr)
        return;
    // The sizes are of the framed window: the caption and frame come off, or the
    // status bar would end below the screen.
    const QRect area = s->geometry();
    const int taskbar = std::max(0, area.bottom() - s->availableGeometry().bottom());
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth) + 1;
    const int caption = style()->pixelMetric(QStyle::PM_TitleBarHeight);
    setMinimumSize(
        std::min(area.width() - area.width() / 4, 1200) - 2 * frame,
        std::clamp(area.height() - heightAbove - taskbar - caption - 2 * frame, 300, 700));
}

void RecorderWindow::fitBelow(int height) {
    applySizeRules(height);
}

void RecorderWindow::showEvent(QShowEvent* event) {
    // Whatever happened while the window was hidden, it shows the state of now.
    refreshControls();
    refreshStatus();
    QMainWindow::showEvent(event);
    m_chart->setFocus();
}

void RecorderWindow::connectNotify(const QMetaMethod& signal) {
    QMainWindow::connectNotify(signal);
    // The owner connects the import after the window was built: offer it at once.
    if (signal == QMetaMethod::fromSignal(&RecorderWindow::importRequested) && m_commands)
        refreshControls();
}

void RecorderWindow::closeEvent(QCloseEvent* event) {
    // Closing only hides the window. A running recording is the user's to decide:
    // it may go on in the background (the status panel shows it when the window is
    // shown again), end cleanly, or the window stays open.
    if (!m_controller.isRecording() || !isVisible()) {
        event->accept();
        return;
    }
    const BoxButton answer =
        m_dialogs.showDirectBox(this, text(TextId::RecorderStillRecording), CaptionKind::Warning,
                                TextId::RecorderStillRecording, BoxIcon::Question,
                                {BoxButton::Yes, BoxButton::No, BoxButton::Cancel}, BoxButton::Yes);
    if (answer == BoxButton::No && m_controller.isRecording())
        stopRecording();
    if (answer == BoxButton::Yes || answer == BoxButton::No)
        event->accept();
    else
        event->ignore();
}

// --- acquisition ---------------------------------------------------------------------

void RecorderWindow::startRecording() {
    m_commands->showRecording(true);
    m_controller.startRecording();
}

void RecorderWindow::stopRecording() {
    m_commands->showRecording(false);
    m_controller.stopRecording();
}

void RecorderWindow::showRecordingState(bool recording) {
    m_commands->showRecording(recording);
    refreshControls();
    refreshStatus();
}

void RecorderWindow::takeManualSample() {
    m_controller.takeManualSample();
}

CountdownNotice& RecorderWindow::lowBatteryNotice() {
    if (m_countdown == nullptr) {
        m_countdown = new CountdownNotice(this);
        // Abort stops the recording; Continue and the end of the countdown let it go on.
        connect(m_countdown, &CountdownNotice::countdownEnded, this,
                [this](CountdownNotice::Result result) {
                    if (result == CountdownNotice::Result::Aborted && m_controller.isRecording())
                        stopRecording();
                });
    }
    return *m_countdown;
}

void RecorderWindow::showLowBatteryNotice() {
    // The notice does not wait: the sampling timer keeps its pace while it is up.
    lowBatteryNotice().startCountdown(CaptionKind::Warning, TextId::MeterBatteryLow,
                                      text(TextId::MeterBatteryLow),
                                      text(TextId::ContinueInThreeSeconds), QString());
}

void RecorderWindow::showClock() {
    const QTime now = QTime::currentTime();
    m_status->showClock(now.hour(), now.minute(), now.second());
}

void RecorderWindow::chooseInterval() {
    if (m_intervalDialog == nullptr)
        m_intervalDialog = new IntervalDialog(m_dialogs, this);
    const std::int32_t interval = m_controller.sampleInterval();
    const std::int32_t seconds = interval == RecorderController::kFullSpeedMs ? 0 : interval / 1000;
    if (m_intervalDialog->execFor(m_controller.acquisitionMode(), seconds) != QDialog::Accepted)
        return;
    const std::int32_t chosenSeconds = m_intervalDialog->seconds();
    m_controller.setAcquisition(m_intervalDialog->mode(), chosenSeconds != 0
                                                              ? chosenSeconds * 1000
                                                              : RecorderController::kFullSpeedMs);
}

void RecorderWindow::showSample(qsizetype index) {
    m_graph->appendSample(index);
    showCursorReading();
    const int filled = m_pageProgress->value();
    m_pageProgress->setValue(filled >= m_pointsPerPage ? 0 : filled + 1);
    refreshStatus();
    refreshControls();
}

// --- pages and read-outs ---------------------------------------------------------------

void RecorderWindow::showPage() {
    m_graph->drawPage();
    showCursorReading();
    refreshControls();
    refreshStatus();
}

void RecorderWindow::resetGraph() {
    m_graph->reset();
    showCursorReading();
}

void RecorderWindow::showFirstPage() {
    m_controller.showFirstPage();
}

void RecorderWindow::showPreviousPage() {
    m_controller.showPreviousPage();
}

void RecorderWindow::showNextPage() {
    m_controller.showNextPage();
}

void RecorderWindow::showLastPage() {
    m_controller.showLastPage();
}

void RecorderWindow::pageWithKey(int key) {
    if (m_controller.isRecording() || m_controller.isBusy())
        return;
    if (key == Qt::Key_PageUp)
        showPreviousPage();
    else if (key == Qt::Key_PageDown)
        showNextPage();
}

void RecorderWindow::showCursorReading() {
    showStatistics();
    const QStringList readings = m_graph->readingsAtCursor();
    m_traceReadings->setText(readings.join(QStringLiteral("    ")));
    m_traceRow->setVisible(HasSeveralTraces(m_controller));
    if (m_controller.recording().isEmpty()) {
        m_readouts->clearCursorSample();
        m_graph->showUnitOf(nullptr);
        return;
    }
    const std::optional<SampleEntry> sample = m_graph->sampleAtCursor();
    if (!sample) {
        m_readouts->clearCursorSample(); // an empty point keeps the axis label
        return;
    }
    m_readouts->showCursorSample(RecordText(sample->main.timeText).trimmed(), sample->main);
    m_graph->showUnitOf(&*sample);
}

void RecorderWindow::showExtremes() {
    const Recording& recording = m_controller.recording();
    if (recording.sampleCount() > 1 && recording.size() > 1)
        m_readouts->showExtremes(recording.mainAt(recording.maxIndex()),
                                 recording.mainAt(recording.minIndex()));
    else
        m_readouts->clearExtremes();
}

void RecorderWindow::showStatistics() {
    const auto [first, end] = m_graph->shownSamples();
    const QString shownTitle =
        m_chart->isZoomed()
            ? translate("RecorderWindow", "Zoom")
            : translate("RecorderWindow", "Page %1").arg(m_controller.currentPage());
    if (m_meterStatistics->meterCount() > 1)
        m_meterStatistics->showFurtherMeters(m_controller, m_graph->cursorIndex(), {first, end},
                                             shownTitle);
    const Recording& recording = m_controller.recording();
    std::optional<SampleEntry> sample = m_graph->sampleAtCursor();
    if (!sample && recording.size() > 0)
        sample = recording.readSample(static_cast<std::int64_t>(recording.size()) - 1);
    if (!sample) {
        m_statistics->clear();
        return;
    }
    const TypedReading reading = RecorderMainReading(*sample);
    const GroupedStatistics shown = m_controller.rangeStatistics(first, end);
    m_statistics->setColumnTitle(StatisticsPanel::Column::Shown, shownTitle);
    m_statistics->showGroups(m_controller.wholeStatistics().find(reading.function, reading.unit),
                             shown.find(reading.function, reading.unit),
                             StatisticsPanel::Resolution{reading.prefixExponent, reading.decimals});
}

void RecorderWindow::undoZoom() {
    m_chart->resetZoom();
    m_commands->setUndoZoomEnabled(false);
    showStatistics();
}

void RecorderWindow::showMeters() {
    QStringList names;
    for (int m = 0; m < m_controller.meterCount(); ++m)
        names << MeterLabel(m_controller, m);
    m_meterStatistics->setMeters(names);
    showPage();
}

MathChannelDialog& RecorderWindow::mathChannelDialog() {
    if (m_mathDialog == nullptr)
        m_mathDialog = new MathChannelDialog(m_dialogs, m_controller, this);
    return *m_mathDialog;
}

void RecorderWindow::chooseMathChannel() {
    MathChannelDialog& dialog = mathChannelDialog();
    dialog.prepare();
    dialog.exec();
}

void RecorderWindow::chooseTrigger() {
    if (m_triggerDialog == nullptr)
        m_triggerDialog = new TriggerDialog(m_dialogs, this);
    QStringList meters;
    for (int m = 0; m < m_controller.meterCount(); ++m)
        meters << QStringLiteral("M%1 = %2").arg(m + 1).arg(MeterLabel(m_controller, m));
    m_triggerDialog->prepare(m_controller.trigger(), meters);
    if (m_dialogs.runDialog(*m_triggerDialog))
        m_controller.setTrigger(m_triggerDialog->trigger());
}

void RecorderWindow::chooseLineColor() {
    if (const std::optional<QColor> chosen = m_dialogs.pickColor(
            this, m_chart->lineColor(), text(TextId::MenuViewLineColor).remove('&')))
        setLineColor(*chosen);
}

QColor RecorderWindow::lineColor() const {
    return m_chart->lineColor();
}

void RecorderWindow::setLineColor(const QColor& color) {
    if (!color.isValid())
        return;
    m_chart->setLineColor(color);
    m_chart->refresh();
}

} // namespace telmora
