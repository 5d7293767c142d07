#include "ui/recorder/RecorderWindow.h"

#include "model/sampleconversion.h"
#include "recording/recorderpages.h"
#include "recording/recorderrules.h"
#include "recording/recordertext.h"
#include "text/texts.h"
#include "ui/chart/ChartWidget.h"
#include "ui/common/AppIcon.h"
#include "ui/common/CountdownNotice.h"
#include "ui/common/FileDialogs.h"
#include "ui/common/MessageBox.h"
#include "ui/common/ProgressWindow.h"
#include "ui/export/ExportDialog.h"
#include "ui/recorder/IntervalDialog.h"
#include "ui/recorder/RecorderExportFlow.h"
#include "ui/recorder/recorderwidgets.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QColorDialog>
#include <QDir>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMetaMethod>
#include <QPageSetupDialog>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTime>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace telmora {

namespace {

constexpr float kNull = -99999.0f;
const QString kRecorderFilter = QStringLiteral("Data Logger files(*.g53)|*.g53");

QString fillFormat(TextId id, std::initializer_list<long long> numbers) {
    return FillFormat(text(id), numbers);
}

} // namespace

RecorderWindow::RecorderWindow(RecorderController& controller, QWidget* parent)
    : QMainWindow(parent), m_controller(controller) {
    setObjectName(QStringLiteral("GraphicalForm"));
    setWindowTitle(text(TextId::RecorderCaption));
    setWindowIcon(AppIcon());
    buildControls();
    buildMenus();
    setUpGraph();

    TimerTime = new QTimer(this);
    TimerTime->setObjectName(QStringLiteral("TimerTime"));
    TimerTime->setInterval(1000);
    connect(TimerTime, &QTimer::timeout, this, &RecorderWindow::TimerTimeTimer);
    TimerTime->start();

    applySizeRules(0);
    resize(std::max(minimumWidth(), 900), std::max(minimumHeight(), 560));
    bindController();
    ResetGraph();
    ShowExtremes();
    TimerTimeTimer();
    RefreshControls();
    RefreshStatus();
}

RecorderWindow::~RecorderWindow() {
    m_controller.setLowBatteryPrompt({});
    m_controller.disconnect(this);
}

void RecorderWindow::bindController() {
    RecorderController* c = &m_controller;
    connect(c, &RecorderController::sampleAdded, this, &RecorderWindow::appendSample);
    connect(c, &RecorderController::cleared, this, [this] {
        ProgressBar->setValue(0);
        ResetGraph();
    });
    connect(c, &RecorderController::pageChanged, this, [this] { DrawPage(); });
    connect(c, &RecorderController::extremesChanged, this, &RecorderWindow::ShowExtremes);
    connect(c, &RecorderController::recordingStateChanged, this,
            &RecorderWindow::syncRecordingButtons);
    for (auto changed :
         {&RecorderController::acquisitionChanged, &RecorderController::unsavedChanged})
        connect(c, changed, this, [this] {
            RefreshControls();
            RefreshStatus();
        });
    connect(c, &RecorderController::busyChanged, this, [this] { RefreshControls(); });
    connect(c, &RecorderController::loadProgress, this, &RecorderWindow::showLoadProgress);
    connect(c, &RecorderController::loadFinished, this, &RecorderWindow::finishLoad);
    connect(c, &RecorderController::saveFinished, this, &RecorderWindow::reportSave);
    connect(c, &RecorderController::errorRaised, this,
            [this](TextId textId) { showError(this, textId); });
    connect(c, &RecorderController::noticeRaised, this,
            [this](TextId textId) { showWarning(this, textId); });
    c->setLowBatteryPrompt([this] { return lowBatteryPrompt(); });
}

// --- construction --------------------------------------------------------------

void RecorderWindow::buildControls() {
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    setCentralWidget(central);

    buildToolPanel(central);
    buildDisplayPanel(central);
    ChartWidget = new telmora::ChartWidget(central);
    ChartWidget->setObjectName(QStringLiteral("ChartWidget"));
    layout->addWidget(ChartWidget, 1);
    connect(ChartWidget, &telmora::ChartWidget::cursorMoved, this,
            &RecorderWindow::ChartWidgetCursorMoved);
    connect(ChartWidget, &telmora::ChartWidget::zoomed, this, &RecorderWindow::ChartWidgetZoomIn);
    connect(ChartWidget, &telmora::ChartWidget::keyPressed, this, &RecorderWindow::ChartWidgetKeyDown);

    buildStatusBar(central);
}

void RecorderWindow::buildToolPanel(QWidget* central) {
    ToolPanel = new QWidget(central);
    ToolPanel->setObjectName(QStringLiteral("ToolPanel"));
    auto* tools = new QHBoxLayout(ToolPanel);
    tools->setContentsMargins(4, 2, 4, 2);
    tools->setSpacing(1);
    auto button = [&](const char* name, TextId hint, RecorderGlyph glyph,
                      void (RecorderWindow::*handler)()) {
        auto* b = new QToolButton(ToolPanel);
        b->setObjectName(QLatin1String(name));
        b->setToolTip(text(hint));
        b->setIcon(MakeRecorderGlyph(glyph));
        b->setIconSize(QSize(22, 22));
        b->setAutoRaise(true);
        connect(b, &QToolButton::clicked, this, handler);
        tools->addWidget(b);
        return b;
    };
    auto gap = [&] { tools->addSpacing(10); };
    sbtnRecordStart = button("sbtnRecordStart", TextId::HintAcquisitionStart, RecorderGlyph::Start,
                             &RecorderWindow::sbtnRecordStartClick);
    sbtnRecordStop = button("sbtnRecordStop", TextId::HintAcquisitionStop, RecorderGlyph::Stop,
                            &RecorderWindow::sbtnRecordStopClick);
    for (QToolButton* b : {sbtnRecordStart, sbtnRecordStop})
        b->setCheckable(true);
    auto* group = new QButtonGroup(this);
    group->setExclusive(true);
    group->addButton(sbtnRecordStart);
    group->addButton(sbtnRecordStop);
    sbtnRecordStop->setChecked(true);
    sbtnManualLogging = button("sbtnManualLogging", TextId::HintManualAcquisition,
                               RecorderGlyph::Manual, &RecorderWindow::sbtnManualLoggingClick);
    sbtnOption = button("sbtnOption", TextId::HintIntervalOption, RecorderGlyph::Option,
                        &RecorderWindow::sbtnOptionClick);
    gap();
    sbtnOpenFile = button("sbtnOpenFile", TextId::HintOpenFile, RecorderGlyph::Open,
                          &RecorderWindow::sbtnOpenFileClick);
    sbtnSaveFile = button("sbtnSaveFile", TextId::HintSaveFile, RecorderGlyph::Save,
                          &RecorderWindow::sbtnSaveFileClick);
    sbtnPrintGraphic = button("sbtnPrintGraphic", TextId::HintPrintPage, RecorderGlyph::Print,
                              &RecorderWindow::sbtnPrintGraphicClick);
    sbtnClear = button("sbtnClear", TextId::HintClearRecord, RecorderGlyph::Clear,
                       &RecorderWindow::sbtnClearClick);
    sbtnImport = button("sbtnImport", TextId::HintImport, RecorderGlyph::Import,
                        &RecorderWindow::sbtnImportClick);
    sbtnExport = button("sbtnExport", TextId::HintExport, RecorderGlyph::Export,
                        &RecorderWindow::sbtnExportClick);
    gap();
    sbtnFirstPage = button("sbtnFirstPage", TextId::HintFirstPage, RecorderGlyph::First,
                           &RecorderWindow::sbtnFirstPageClick);
    sbtnPageUp = button("sbtnPageUp", TextId::HintPageUp, RecorderGlyph::PageUp,
                        &RecorderWindow::sbtnPageUpClick);
    sbtnPageDown = button("sbtnPageDown", TextId::HintPageDown, RecorderGlyph::PageDown,
                          &RecorderWindow::sbtnPageDownClick);
    sbtnLastPage = button("sbtnLastPage", TextId::HintLastPage, RecorderGlyph::Last,
                          &RecorderWindow::sbtnLastPageClick);
    gap();
    sbtnUndoZoom = button("sbtnUndoZoom", TextId::HintUndoZoom, RecorderGlyph::UndoZoom,
                          &RecorderWindow::sbtnUndoZoomClick);
    sbtnUndoZoom->setEnabled(false);
    sbtnFitView = button("sbtnFitView", TextId::HintFitAll, RecorderGlyph::Fit,
                         &RecorderWindow::sbtnFitViewClick);
    tools->addStretch(1);
    ToolPanelCaption = new QLabel(windowTitle() + QStringLiteral("   "), ToolPanel);
    QFont italic = ToolPanelCaption->font();
    italic.setItalic(true);
    italic.setBold(true);
    ToolPanelCaption->setFont(italic);
    ToolPanelCaption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    tools->addWidget(ToolPanelCaption);
    central->layout()->addWidget(ToolPanel);
}

void RecorderWindow::buildDisplayPanel(QWidget* central) {
    auto* line = new QFrame(central);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    central->layout()->addWidget(line);

    DisplayPanel = new QWidget(central);
    DisplayPanel->setObjectName(QStringLiteral("DisplayPanel"));
    auto* display = new QHBoxLayout(DisplayPanel);
    display->setContentsMargins(6, 4, 6, 4);
    display->setSpacing(3);
    TimePanel = MakeValuePanel(DisplayPanel, "TimePanel", 110);
    ReadingDataPanel = MakeValuePanel(DisplayPanel, "ReadingDataPanel", 90);
    ReadingUnitPanel = MakeValuePanel(DisplayPanel, "ReadingUnitPanel", 34);
    ReadingFuncPanel = MakeValuePanel(DisplayPanel, "ReadingFuncPanel", 40);
    MaxLabel = new QLabel(QStringLiteral("Max."), DisplayPanel);
    MaxLabel->setStyleSheet(QStringLiteral("color: red; font-weight: bold;"));
    MaxDataPanel = MakeValuePanel(DisplayPanel, "MaxDataPanel", 90);
    MaxUnitPanel = MakeValuePanel(DisplayPanel, "MaxUnitPanel", 34);
    MaxFuncPanel = MakeValuePanel(DisplayPanel, "MaxFuncPanel", 40);
    MinLabel = new QLabel(QStringLiteral("Min."), DisplayPanel);
    MinLabel->setStyleSheet(QStringLiteral("color: fuchsia; font-weight: bold;"));
    MinDataPanel = MakeValuePanel(DisplayPanel, "MinDataPanel", 90);
    MinUnitPanel = MakeValuePanel(DisplayPanel, "MinUnitPanel", 34);
    MinFuncPanel = MakeValuePanel(DisplayPanel, "MinFuncPanel", 40);
    display->addWidget(TimePanel, 3);
    display->addWidget(ReadingDataPanel, 3);
    display->addWidget(ReadingUnitPanel, 1);
    display->addWidget(ReadingFuncPanel, 1);
    display->addSpacing(14);
    display->addWidget(MaxLabel);
    display->addWidget(MaxDataPanel, 3);
    display->addWidget(MaxUnitPanel, 1);
    display->addWidget(MaxFuncPanel, 1);
    display->addSpacing(14);
    display->addWidget(MinLabel);
    display->addWidget(MinDataPanel, 3);
    display->addWidget(MinUnitPanel, 1);
    display->addWidget(MinFuncPanel, 1);
    central->layout()->addWidget(DisplayPanel);
}

void RecorderWindow::buildStatusBar(QWidget* central) {
    ProgressBar = new QProgressBar(central);
    ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
    ProgressBar->setRange(0, m_pointsPerPage);
    ProgressBar->setValue(0);
    ProgressBar->setTextVisible(false);
    ProgressBar->setMaximumHeight(12);
    central->layout()->addWidget(ProgressBar);

    StatusBar = new QStatusBar(this);
    StatusBar->setObjectName(QStringLiteral("StatusBar"));
    StatusBar->setSizeGripEnabled(true);
    const int widths[] = {130, 170, 130, 190, 130};
    for (int i = 0; i < 5; ++i) {
        auto* panel = new QLabel(StatusBar);
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        panel->setMinimumWidth(widths[i]);
        panel->setContentsMargins(4, 0, 4, 0);
        StatusBar->addWidget(panel, i == 4 ? 1 : 0);
        StatusPanels[i] = panel;
    }
    setStatusBar(StatusBar);
}

void RecorderWindow::buildMenus() {
    QMenuBar* bar = menuBar();
    auto item = [&](QMenu* menu, TextId id, auto handler, const QKeySequence& key = {}) {
        QAction* a = menu->addAction(text(id));
        if (!key.isEmpty())
            a->setShortcut(key);
        connect(a, &QAction::triggered, this, handler);
        return a;
    };
    QMenu* file = bar->addMenu(text(TextId::MenuFile));
    mnuOpen = item(file, TextId::MenuFileOpen, &RecorderWindow::sbtnOpenFileClick);
    mnuSaveAs = item(file, TextId::MenuFileSaveAs, &RecorderWindow::sbtnSaveFileClick);
    mnuClear = item(file, TextId::MenuFileClear, &RecorderWindow::sbtnClearClick);
    file->addSeparator();
    mnuImport = item(file, TextId::MenuFileImport, &RecorderWindow::sbtnImportClick);
    mnuExport = item(file, TextId::MenuFileExport, &RecorderWindow::sbtnExportClick);
    mnuPrint = item(file, TextId::MenuFilePrintPage, &RecorderWindow::sbtnPrintGraphicClick);
    mnuPrinterSetup =
        item(file, TextId::MenuFilePrinterSetup, &RecorderWindow::mnuPrinterSetupClick);
    file->addSeparator();
    mnuExit = item(file, TextId::MenuFileExit, [this] { close(); });

    QMenu* acquisition = bar->addMenu(text(TextId::MenuAcquisition));
    mnuStart = item(
        acquisition, TextId::MenuAcquisitionStart,
        [this] {
            sbtnRecordStart->setChecked(true);
            sbtnRecordStartClick();
        },
        QKeySequence(Qt::Key_F9));
    mnuStop = item(
        acquisition, TextId::MenuAcquisitionStop,
        [this] {
            sbtnRecordStop->setChecked(true);
            sbtnRecordStopClick();
        },
        QKeySequence(Qt::Key_F3));
    mnuManual = item(acquisition, TextId::MenuAcquisitionManual,
                     &RecorderWindow::sbtnManualLoggingClick, QKeySequence(Qt::Key_F7));
    acquisition->addSeparator();
    mnuInterval =
        item(acquisition, TextId::MenuAcquisitionInterval, &RecorderWindow::sbtnOptionClick);

    QMenu* view = bar->addMenu(text(TextId::MenuView));
    mnuFirstPage = item(view, TextId::MenuViewFirstPage, &RecorderWindow::sbtnFirstPageClick,
                        QKeySequence(Qt::CTRL | Qt::Key_PageUp));
    mnuPageUp = item(view, TextId::MenuViewPageUp, &RecorderWindow::sbtnPageUpClick);
    mnuPageDown = item(view, TextId::MenuViewPageDown, &RecorderWindow::sbtnPageDownClick);
    mnuLastPage = item(view, TextId::MenuViewLastPage, &RecorderWindow::sbtnLastPageClick,
                       QKeySequence(Qt::CTRL | Qt::Key_PageDown));
    view->addSeparator();
    mnuFitView = item(view, TextId::MenuViewFitAll, &RecorderWindow::sbtnFitViewClick,
                      QKeySequence(Qt::CTRL | Qt::Key_F));
    mnuUndoZoom = item(view, TextId::MenuViewUndoZoom, &RecorderWindow::sbtnUndoZoomClick,
                       QKeySequence(Qt::CTRL | Qt::Key_Z));
    mnuUndoZoom->setEnabled(false);
    view->addSeparator();
    mnuLineColor = item(view, TextId::MenuViewLineColor, &RecorderWindow::mnuGraphLineColorClick);
}

void RecorderWindow::setUpGraph() {
    telmora::ChartWidget* g = ChartWidget;
    g->setMainTitle(QStringLiteral("Data Logger"));
    g->setSubTitle(QString());
    g->setYAxisLabel(QStringLiteral("Reading"));
    g->setXAxisLabel(QStringLiteral("Time"));
    g->setNullValue(kNull);
    g->setPointCount(m_pointsPerPage);
    g->setVisiblePoints(m_pointsPerPage);
    g->setLineType(telmora::ChartWidget::LineWeight::Thin, telmora::ChartWidget::LineStyle::Solid);
    g->setPlotStyle(telmora::ChartWidget::PlotStyle::Line);
    g->setWidestValueText(QStringLiteral("00000000.000"));
    g->setWidestPointLabel(QStringLiteral("00:00:00.000"));
    g->setDecimals(3);
    g->setDeskColor(palette().color(QPalette::Button));
    g->setGraphBackColor(Qt::black);
    g->setGraphForeColor(QColor(128, 0, 128));
    g->setLineColor(QColor(192, 192, 192));
    g->setYRange(m_controller.recording().scaleMin(), m_controller.recording().scaleMax());
    g->setViewStart(telmora::ChartWidget::ViewStart::LastPoint);
    g->setPointSize(telmora::ChartWidget::PointSize::Large);
    g->setPointLabel(m_pointsPerPage - 1, QStringLiteral(" "));
    for (int i = 0; i < m_pointsPerPage; ++i)
        g->setValue(i, kNull);
    g->setGridLines(telmora::ChartWidget::GridLines::Both);
    g->setCursorMode(telmora::ChartWidget::CursorMode::VerticalLine);
    g->setMouseMovesCursor(true);
    g->setGridStyle(telmora::ChartWidget::GridStyle::Dotted);
    g->setZoomMode(telmora::ChartWidget::ZoomMode::Both);
    refreshGraph();
}

void RecorderWindow::applySizeRules(int heightAbove) {
    // Smallest tracking size: three quarters of the screen wide, the height below
    // the main window down to the task bar.
    const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    if (s == nullptr)
        return;
    const QRect area = s->geometry();
    const int taskbar = std::max(0, area.bottom() - s->availableGeometry().bottom());
    setMinimumSize(std::min(area.width() - area.width() / 4, 1200),
                   std::clamp(area.height() - heightAbove - taskbar, 300, 700));
}

void RecorderWindow::fitBelow(int height) {
    applySizeRules(height);
}

void RecorderWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    ChartWidget->setFocus();
}

void RecorderWindow::closeEvent(QCloseEvent* event) {
    // Closing only hides the window. A running recording ends cleanly (file closed,
    // buttons and status consistent) rather than silently pausing its timer.
    if (m_controller.isRecording())
        m_controller.stopRecording();
    event->accept();
}

// --- acquisition ---------------------------------------------------------------

void RecorderWindow::sbtnRecordStartClick() {
    if (sbtnRecordStart->isChecked())
        m_controller.startRecording();
    else
        m_controller.stopRecording();
}

void RecorderWindow::sbtnRecordStopClick() {
    if (sbtnRecordStop->isChecked())
        m_controller.stopRecording();
    else
        m_controller.startRecording();
}

void RecorderWindow::syncRecordingButtons(bool recording) {
    (recording ? sbtnRecordStart : sbtnRecordStop)->setChecked(true);
    RefreshControls();
    RefreshStatus();
}

void RecorderWindow::sbtnManualLoggingClick() {
    m_controller.takeManualSample();
}

bool RecorderWindow::lowBatteryPrompt() {
    if (m_countdown == nullptr)
        m_countdown = new CountdownNotice(this);
    return m_countdown->showCountdown(
               CaptionKind::Warning, TextId::MeterBatteryLow, text(TextId::MeterBatteryLow),
               text(TextId::ContinueInThreeSeconds), QString()) != CountdownNotice::mrAbort;
}

void RecorderWindow::TimerTimeTimer() {
    const QTime now = QTime::currentTime();
    StatusPanels[4]->setText(RecorderClockText(now.hour(), now.minute(), now.second()));
}

void RecorderWindow::sbtnOptionClick() {
    if (m_intervalDialog == nullptr)
        m_intervalDialog = new IntervalDialog(this);
    const std::int32_t interval = m_controller.sampleInterval();
    const std::int32_t seconds = interval == RecorderController::kFullSpeedMs ? 0 : interval / 1000;
    const bool manual = m_controller.acquisitionMode() == AcquisitionMode::Manual;
    if (m_intervalDialog->execFor(manual ? 1 : 0, seconds) != QDialog::Accepted)
        return;
    m_controller.setAcquisition(m_intervalDialog->mode != 0 ? AcquisitionMode::Manual
                                                            : AcquisitionMode::Automatic,
                                m_intervalDialog->seconds != 0 ? m_intervalDialog->seconds * 1000
                                                               : RecorderController::kFullSpeedMs);
}

void RecorderWindow::appendSample(qsizetype index) {
    const SampleEntry& entry = m_controller.recording().buffer()[static_cast<std::size_t>(index)];
    ChartWidget->setYRange(m_controller.recording().scaleMin(), m_controller.recording().scaleMax());
    ChartWidget->appendPoint(RecordText(entry.main.timeText), entry.main.value);
    refreshGraph();
    ChartWidget->setCursorPoint(m_pointsPerPage - 1);
    CursorReadout();
    ProgressBar->setValue(
        ProgressBar->value() >= ProgressBar->maximum() ? 0 : ProgressBar->value() + 1);
    RefreshStatus();
    RefreshControls();
}

// --- pages ---------------------------------------------------------------------

void RecorderWindow::DrawPage() {
    const Recording& recording = m_controller.recording();
    const auto& buffer = recording.buffer();
    const std::int64_t n = static_cast<std::int64_t>(buffer.size());
    const PageContents c =
        ContentsOfPage(n, m_controller.lastPage(), m_controller.currentPage(), m_pointsPerPage);
    for (int p = 0; p < m_pointsPerPage; ++p) {
        const std::int64_t i = c.firstIndex + (p - c.firstPoint);
        if (p < c.firstPoint || i < 0 || i >= n) {
            ChartWidget->setValue(p, kNull);
            ChartWidget->setPointLabel(p, QStringLiteral(" "));
        } else {
            const SampleEntry& e = buffer[static_cast<std::size_t>(i)];
            ChartWidget->setValue(p, e.main.value);
            ChartWidget->setPointLabel(p, RecordText(e.main.timeText));
        }
    }
    ChartWidget->setYRange(recording.scaleMin(), recording.scaleMax());
    refreshGraph();
    CursorReadout();
    RefreshControls();
    RefreshStatus();
}

void RecorderWindow::ResetGraph() {
    ChartWidget->setPointCount(m_pointsPerPage);
    ChartWidget->setVisiblePoints(m_pointsPerPage);
    ChartWidget->setYRange(m_controller.recording().scaleMin(), m_controller.recording().scaleMax());
    for (int i = 0; i < m_pointsPerPage; ++i) {
        ChartWidget->setPointLabel(i, QStringLiteral(" "));
        ChartWidget->setValue(i, kNull);
    }
    refreshGraph();
    ChartWidget->setCursorPoint(m_pointsPerPage - 1);
    CursorReadout();
}

void RecorderWindow::refreshGraph() {
    ChartWidget->refresh();
}

void RecorderWindow::sbtnFirstPageClick() {
    m_controller.showFirstPage();
}

void RecorderWindow::sbtnPageUpClick() {
    m_controller.showPreviousPage();
}

void RecorderWindow::sbtnPageDownClick() {
    m_controller.showNextPage();
}

void RecorderWindow::sbtnLastPageClick() {
    m_controller.showLastPage();
}

void RecorderWindow::ChartWidgetKeyDown(int key, Qt::KeyboardModifiers) {
    if (m_controller.isRecording() || m_controller.isBusy())
        return;
    if (key == Qt::Key_PageUp)
        sbtnPageUpClick();
    else if (key == Qt::Key_PageDown)
        sbtnPageDownClick();
}

// --- read-outs -------------------------------------------------------------------

void RecorderWindow::showRecord(const ReadingRecord& r, QLabel* data, QLabel* unit, QLabel* func) {
    const std::uint32_t code = r.function();
    const bool degree = code == 0x20 || code == 0x40;
    data->setText(RecordText(r.displayText).trimmed());
    unit->setText(RecordText(r.prefixText));
    unit->setAlignment(degree ? (Qt::AlignRight | Qt::AlignVCenter) : Qt::AlignCenter);
    // The stored unit letter "W" of a resistance is the ohm sign.
    QString unitText = RecordText(r.unitText);
    if (IsOhmCode(code) && unitText == QStringLiteral("W"))
        unitText = QString(QChar(0x03A9));
    func->setText(unitText);
    func->setAlignment(degree ? (Qt::AlignLeft | Qt::AlignVCenter) : Qt::AlignCenter);
}

void RecorderWindow::CursorReadout() {
    auto clear = [&] {
        for (QLabel* l : {TimePanel, ReadingDataPanel, ReadingUnitPanel, ReadingFuncPanel})
            l->clear();
    };
    QString label = QStringLiteral("Reading");
    if (m_controller.recording().isEmpty()) {
        clear();
    } else {
        const auto& buffer = m_controller.recording().buffer();
        const std::int64_t i =
            IndexOfPoint(ChartWidget->cursorPoint(), static_cast<std::int64_t>(buffer.size()),
                         m_controller.lastPage(), m_controller.currentPage(), m_pointsPerPage);
        if (i < 0 || i >= static_cast<std::int64_t>(buffer.size())) {
            clear();
            return;
        }
        const ReadingRecord& main = buffer[static_cast<std::size_t>(i)].main;
        TimePanel->setText(RecordText(main.timeText).trimmed());
        showRecord(main, ReadingDataPanel, ReadingUnitPanel, ReadingFuncPanel);
        label += YAxisUnitSuffix(main);
    }
    if (ChartWidget->yAxisLabel() != label) {
        ChartWidget->setYAxisLabel(label);
        ChartWidget->restyle();
    }
}

void RecorderWindow::ChartWidgetCursorMoved() {
    CursorReadout();
}

void RecorderWindow::ShowExtremes() {
    const Recording& recording = m_controller.recording();
    const bool show = recording.sampleCount() > 1 && recording.size() > 1;
    if (!show) {
        for (QLabel* l :
             {MaxDataPanel, MaxUnitPanel, MaxFuncPanel, MinDataPanel, MinUnitPanel, MinFuncPanel})
            l->clear();
        return;
    }
    showRecord(recording.mainAt(recording.maxIndex()), MaxDataPanel, MaxUnitPanel, MaxFuncPanel);
    showRecord(recording.mainAt(recording.minIndex()), MinDataPanel, MinUnitPanel, MinFuncPanel);
}

// --- zoom, view ------------------------------------------------------------------

void RecorderWindow::ChartWidgetZoomIn() {
    sbtnUndoZoom->setEnabled(true);
    mnuUndoZoom->setEnabled(true);
}

void RecorderWindow::sbtnUndoZoomClick() {
    ChartWidget->resetZoom();
    sbtnUndoZoom->setEnabled(false);
    mnuUndoZoom->setEnabled(false);
}

void RecorderWindow::sbtnFitViewClick() {
    emit overviewRequested();
}

void RecorderWindow::mnuGraphLineColorClick() {
    const QColor chosen = QColorDialog::getColor(ChartWidget->lineColor(), this,
                                                 text(TextId::MenuViewLineColor).remove('&'));
    if (!chosen.isValid())
        return;
    ChartWidget->setLineColor(chosen);
    refreshGraph();
}

// --- files, print, import, export ----------------------------------------------------

void RecorderWindow::sbtnClearClick() {
    if (m_controller.recording().isEmpty())
        return;
    if (m_controller.recording().isUnsaved() &&
        showDirectBox(this, text(TextId::AskClearBuffer), CaptionKind::Warning,
                      TextId::AskClearBuffer, BoxIcon::Question, {BoxButton::Ok, BoxButton::Cancel},
                      BoxButton::Cancel) != BoxButton::Ok)
        return;
    m_controller.clear();
}

void RecorderWindow::sbtnSaveFileClick() {
    FileDialogRequest request;
    request.mode = FileDialogRequest::Mode::Save;
    request.owner = this;
    request.caption = text(TextId::MenuFileSaveAs).remove(QLatin1Char('&'));
    request.defaultExt = QStringLiteral("g53");
    request.fileName = QStringLiteral("Untitled.g53");
    request.filter = kRecorderFilter;
    request.overwritePrompt = true;
    const std::optional<QString> path = RunFileDialog(request);
    if (!path)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor); // restored in reportSave
    m_controller.startSave(*path);
}

bool RecorderWindow::saveCommand() {
    sbtnSaveFileClick();
    m_controller.waitForJob();
    return !hasUnsavedData();
}

void RecorderWindow::reportSave(bool saved, const QString& path, const QString& reason) {
    QApplication::restoreOverrideCursor();
    if (saved)
        return;
    QString message = text(TextId::FileSaveError);
    message += QStringLiteral("\n%1").arg(QDir::toNativeSeparators(path));
    if (!reason.isEmpty())
        message += QStringLiteral("\n(%1)").arg(reason);
    showDirectBox(this, message, CaptionKind::Error, TextId::FileSaveError, BoxIcon::Error,
                  {BoxButton::Ok});
}

ProgressWindow& RecorderWindow::progressWindow() {
    if (m_progress == nullptr) {
        m_progress = new ProgressWindow(this);
        connect(m_progress->bbtnAbort, &QPushButton::clicked, &m_controller,
                &RecorderController::abortLoad);
    }
    return *m_progress;
}

void RecorderWindow::sbtnOpenFileClick() {
    sbtnClearClick();
    if (!m_controller.recording().isEmpty())
        return;
    FileDialogRequest request;
    request.mode = FileDialogRequest::Mode::Open;
    request.owner = this;
    request.caption = text(TextId::MenuFileOpen).remove(QLatin1Char('&'));
    request.defaultExt = QStringLiteral("g53");
    request.filter = kRecorderFilter + QStringLiteral("|Temporary files(*.TMP)|*.tmp");
    request.filterIndex = 1;
    request.overwritePrompt = false;
    const std::optional<QString> path = RunFileDialog(request);
    if (!path)
        return;
    ProgressWindow& progress = progressWindow();
    progress.setMessage(noticeLine(TextId::ReadingSelectedFile), Qt::red);
    progress.Label1->clear();
    progress.ProgressBar->setRange(0, 64);
    progress.ProgressBar->setValue(0);
    progress.bbtnAbort->setEnabled(true);
    ProgressBar->setRange(0, m_pointsPerPage);
    ProgressBar->setValue(0);
    QApplication::setOverrideCursor(Qt::WaitCursor); // restored in finishLoad
    if (!m_controller.startLoad(*path))
        QApplication::restoreOverrideCursor();
}

void RecorderWindow::showLoadProgress(LoadStage stage, qint64 done, qint64 total) {
    ProgressWindow& progress = progressWindow();
    if (!progress.isVisible())
        progress.show();
    if (stage == LoadStage::Reading) {
        progress.ProgressBar->setValue(total > 0 ? static_cast<int>(done * 64 / total) : 64);
        progress.Label1->setText(FillFormat(text(TextId::ReadingDataFormat), {done, total}));
        return;
    }
    if (progress.bbtnAbort->isEnabled()) {
        // Counting cannot be aborted: the reading is complete.
        progress.ProgressBar->setValue(64);
        progress.Label1->setText(FillFormat(text(TextId::ReadingDataFormat), {total, total}));
        progress.bbtnAbort->setEnabled(false);
        progress.setMessage(noticeLine(TextId::AddingDataToBuffer), Qt::blue);
    }
    ProgressBar->setValue(static_cast<int>(done % m_pointsPerPage));
    StatusPanels[1]->setText(fillFormat(TextId::StatusBufferCountFormat, {done}));
}

void RecorderWindow::finishLoad() {
    ProgressWindow& progress = progressWindow();
    progress.bbtnAbort->setEnabled(true);
    progress.hide();
    QApplication::restoreOverrideCursor();
    ProgressBar->setValue(static_cast<int>(
        static_cast<std::int64_t>(m_controller.recording().size()) % m_pointsPerPage));
    ChartWidget->setCursorPoint(m_pointsPerPage - 1);
    CursorReadout();
    RefreshControls();
    RefreshStatus();
}

void RecorderWindow::sbtnPrintGraphicClick() {
    ChartWidget->setViewingStyle(telmora::ChartWidget::ViewingStyle::Monochrome);
    ChartWidget->restyle();
    ChartWidget->printWithDialog(telmora::ChartWidget::printer());
    ChartWidget->setViewingStyle(telmora::ChartWidget::ViewingStyle::Colour);
    refreshGraph();
}

void RecorderWindow::mnuPrinterSetupClick() {
    QPageSetupDialog dialog(&telmora::ChartWidget::printer(), this);
    dialog.exec();
}

void RecorderWindow::sbtnImportClick() {
    emit importRequested();
}

ExportDialog& RecorderWindow::exportDialog() {
    if (m_exportDialog == nullptr)
        m_exportDialog = new ExportDialog(ExportDialog::PrinterPages::Any, this);
    return *m_exportDialog;
}

void RecorderWindow::sbtnExportClick() {
    RecorderExportFlow(m_controller, *ChartWidget, exportDialog(), this).run();
}

// --- controls and status -----------------------------------------------------------

void RecorderWindow::RefreshControls() {
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
    const RecorderControlState s = ComputeRecorderControls(in);

    sbtnRecordStart->setEnabled(s.start);
    sbtnRecordStop->setEnabled(s.stop);
    sbtnManualLogging->setEnabled(s.manual);
    sbtnOption->setEnabled(s.option);
    sbtnOpenFile->setEnabled(s.openFile);
    sbtnImport->setEnabled(s.import);
    sbtnSaveFile->setEnabled(s.saveFile);
    sbtnPrintGraphic->setEnabled(s.print);
    sbtnClear->setEnabled(s.clear);
    sbtnExport->setEnabled(s.exportData);
    sbtnFirstPage->setEnabled(s.firstPage);
    sbtnPageUp->setEnabled(s.pageUp);
    sbtnPageDown->setEnabled(s.pageDown);
    sbtnLastPage->setEnabled(s.lastPage);
    sbtnFitView->setEnabled(s.fitView);

    mnuOpen->setEnabled(s.openFile);
    mnuImport->setEnabled(s.import);
    mnuPrinterSetup->setEnabled(s.menuPrinterSetup);
    mnuInterval->setEnabled(s.option);
    mnuSaveAs->setEnabled(s.saveFile);
    mnuClear->setEnabled(s.clear);
    mnuPrint->setEnabled(s.print);
    mnuExport->setEnabled(s.exportData);
    mnuStart->setEnabled(s.menuStart);
    mnuStop->setEnabled(s.menuStop);
    mnuManual->setEnabled(s.menuManual);
    mnuFirstPage->setEnabled(s.firstPage);
    mnuPageUp->setEnabled(s.pageUp);
    mnuPageDown->setEnabled(s.pageDown);
    mnuLastPage->setEnabled(s.lastPage);
    mnuFitView->setEnabled(s.fitView);
}

void RecorderWindow::RefreshStatus() {
    const std::int32_t interval = m_controller.sampleInterval();
    StatusPanels[0]->setText(m_controller.isRecording() ? text(TextId::StatusDataLogging)
                                                        : QString());
    StatusPanels[1]->setText(
        fillFormat(TextId::StatusBufferCountFormat, {m_controller.recording().sampleCount()}));
    StatusPanels[2]->setText(fillFormat(TextId::StatusPageFormat,
                                        {m_controller.currentPage(), m_controller.lastPage()}));
    if (m_controller.acquisitionMode() == AcquisitionMode::Manual)
        StatusPanels[3]->setText(text(TextId::IntervalManual));
    else if (interval == RecorderController::kFullSpeedMs)
        StatusPanels[3]->setText(text(TextId::IntervalFullSpeed));
    else
        StatusPanels[3]->setText(text(TextId::IntervalSeconds) + QLatin1Char(':') +
                                 QString::number(interval / 1000) + QLatin1Char('S'));
}

} // namespace telmora
