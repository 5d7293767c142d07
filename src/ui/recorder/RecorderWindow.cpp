#include "ui/recorder/RecorderWindow.h"

#include "meter/AppState.h"
#include "meter/SharedState.h"
#include "model/sampleconversion.h"
#include "recording/recorderpages.h"
#include "recording/recorderrules.h"
#include "recording/recordertext.h"
#include "text/texts.h"
#include "ui/chart/ChartWidget.h"
#include "ui/common/AppIcon.h"
#include "ui/common/CountdownNotice.h"
#include "ui/common/MessageBox.h"
#include "ui/common/WindowMessages.h"
#include "ui/main/AppWindows.h"
#include "ui/main/MainWindow.h"
#include "ui/recorder/DataListWindow.h"
#include "ui/recorder/IntervalDialog.h"
#include "ui/recorder/RecorderCommands.h"

#include "ui/logger/LoggerWindow.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QColorDialog>
#include <QDateTime>
#include <QDir>
#include <QEventLoop>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPainterPath>
#include <QProgressBar>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <memory>
#include <new>

namespace telmora {

namespace {

constexpr float kNull = -99999.0f;

// Hourglass cursor for the lifetime of the guard.
struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

enum class Glyph {
    Start,
    Stop,
    Manual,
    Option,
    Open,
    Save,
    Print,
    Clear,
    Import,
    Export,
    First,
    PageUp,
    PageDown,
    Last,
    UndoZoom,
    Fit
};

// The tool buttons' pictures, drawn in code so they scale and need no files.
QIcon makeGlyph(Glyph g) {
    const int s = 24;
    QPixmap pm(s * 2, s * 2);
    pm.setDevicePixelRatio(2.0);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink(40, 40, 40);
    const QPen pen(ink, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    auto triangle = [&](QPointF a, QPointF b, QPointF c, const QColor& fill) {
        QPainterPath path;
        path.moveTo(a);
        path.lineTo(b);
        path.lineTo(c);
        path.closeSubpath();
        p.fillPath(path, fill);
    };
    auto magnifier = [&] {
        p.setBrush(QColor(220, 235, 250));
        p.drawEllipse(QPointF(10, 10), 6, 6);
        p.setPen(QPen(ink, 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(14.5, 14.5), QPointF(20, 20));
        p.setPen(pen);
    };
    switch (g) {
    case Glyph::Start:
        p.setBrush(QColor(210, 30, 30));
        p.setPen(QPen(QColor(120, 0, 0), 1.2));
        p.drawEllipse(QPointF(12, 12), 7, 7);
        break;
    case Glyph::Stop:
        p.setBrush(QColor(50, 50, 50));
        p.drawRect(QRectF(6, 6, 12, 12));
        break;
    case Glyph::Manual:
        p.setBrush(QColor(250, 250, 250));
        p.drawRect(QRectF(5, 4, 14, 16));
        p.setPen(QPen(QColor(0, 110, 0), 2.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(12, 8), QPointF(12, 16));
        p.drawLine(QPointF(10, 10), QPointF(12, 8));
        break;
    case Glyph::Option:
        p.setBrush(QColor(250, 250, 250));
        p.drawEllipse(QPointF(12, 12), 8, 8);
        p.drawLine(QPointF(12, 12), QPointF(12, 7));
        p.drawLine(QPointF(12, 12), QPointF(16, 14));
        break;
    case Glyph::Open:
        p.setBrush(QColor(240, 200, 90));
        p.drawRect(QRectF(3, 7, 15, 11));
        p.setBrush(QColor(250, 220, 120));
        triangle(QPointF(6, 11), QPointF(21, 11), QPointF(18, 18), QColor(250, 220, 120));
        p.drawLine(QPointF(6, 11), QPointF(21, 11));
        break;
    case Glyph::Save:
        p.setBrush(QColor(70, 100, 170));
        p.drawRect(QRectF(4, 4, 16, 16));
        p.setBrush(QColor(240, 240, 240));
        p.drawRect(QRectF(7, 4, 10, 6));
        p.drawRect(QRectF(7, 13, 10, 7));
        break;
    case Glyph::Print:
        p.setBrush(QColor(250, 250, 250));
        p.drawRect(QRectF(7, 3, 10, 7));
        p.setBrush(QColor(170, 170, 170));
        p.drawRoundedRect(QRectF(3, 9, 18, 8), 2, 2);
        p.setBrush(QColor(250, 250, 250));
        p.drawRect(QRectF(7, 14, 10, 7));
        break;
    case Glyph::Clear:
        p.setPen(QPen(QColor(200, 30, 30), 2.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(6, 6), QPointF(18, 18));
        p.drawLine(QPointF(18, 6), QPointF(6, 18));
        break;
    case Glyph::Import:
        p.setBrush(QColor(255, 230, 120));
        p.drawRoundedRect(QRectF(3, 3, 11, 18), 2, 2);
        p.setBrush(QColor(160, 200, 160));
        p.drawRect(QRectF(5, 5, 7, 5));
        p.setPen(QPen(QColor(0, 90, 180), 2.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(15, 12), QPointF(21, 12));
        triangle(QPointF(21, 8), QPointF(21, 16), QPointF(23.5, 12), QColor(0, 90, 180));
        break;
    case Glyph::Export:
        p.setBrush(QColor(250, 250, 250));
        p.drawRect(QRectF(3, 6, 12, 14));
        p.setPen(QPen(QColor(0, 130, 60), 2.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(9, 13), QPointF(19, 13));
        triangle(QPointF(18, 9), QPointF(18, 17), QPointF(22.5, 13), QColor(0, 130, 60));
        break;
    case Glyph::First:
        p.fillRect(QRectF(5, 6, 2.5, 12), ink);
        triangle(QPointF(8, 12), QPointF(14, 6), QPointF(14, 18), ink);
        triangle(QPointF(13, 12), QPointF(19, 6), QPointF(19, 18), ink);
        break;
    case Glyph::PageUp:
        triangle(QPointF(8, 12), QPointF(16, 5), QPointF(16, 19), ink);
        break;
    case Glyph::PageDown:
        triangle(QPointF(16, 12), QPointF(8, 5), QPointF(8, 19), ink);
        break;
    case Glyph::Last:
        triangle(QPointF(11, 12), QPointF(5, 6), QPointF(5, 18), ink);
        triangle(QPointF(16, 12), QPointF(10, 6), QPointF(10, 18), ink);
        p.fillRect(QRectF(16.5, 6, 2.5, 12), ink);
        break;
    case Glyph::UndoZoom:
        magnifier();
        p.drawLine(QPointF(7, 10), QPointF(13, 10));
        break;
    case Glyph::Fit:
        magnifier();
        p.drawRect(QRectF(7.5, 7.5, 5, 5));
        break;
    }
    p.end();
    return QIcon(pm);
}

QLabel* makeValuePanel(QWidget* parent, const char* name, int minWidth) {
    auto* l = new QLabel(parent);
    l->setObjectName(QLatin1String(name));
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    l->setAutoFillBackground(true);
    QPalette pal = l->palette();
    pal.setColor(QPalette::Window, Qt::black);
    pal.setColor(QPalette::WindowText, QColor(0, 255, 0)); // lime
    l->setPalette(pal);
    QFont f(QStringLiteral("Airal"));
    f.setPointSize(11);
    f.setBold(true);
    l->setFont(f);
    l->setAlignment(Qt::AlignCenter);
    l->setMinimumWidth(minWidth);
    l->setMinimumHeight(QFontMetrics(f).height() + 8);
    return l;
}

QString fillFormat(TextId id, std::initializer_list<long long> numbers) {
    return FillFormat(text(id), numbers);
}

} // namespace

RecorderWindow::RecorderWindow(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("GraphicalForm"));
    setWindowTitle(text(TextId::RecorderCaption));
    setWindowIcon(AppIcon());
    buildControls();
    buildMenus();
    setUpGraph();

    TimerLogger = new QTimer(this);
    TimerLogger->setObjectName(QStringLiteral("TimerLogger"));
    TimerLogger->setInterval(m_sampleInterval);
    connect(TimerLogger, &QTimer::timeout, this, &RecorderWindow::TimerLoggerTimer);
    TimerTime = new QTimer(this);
    TimerTime->setObjectName(QStringLiteral("TimerTime"));
    TimerTime->setInterval(1000);
    connect(TimerTime, &QTimer::timeout, this, &RecorderWindow::TimerTimeTimer);
    TimerTime->start();

    applySizeRules();
    resize(std::max(minimumWidth(), 900), std::max(minimumHeight(), 560));
    ResetGraph();
    ShowExtremes();
    TimerTimeTimer();
    RefreshControls();
    RefreshStatus();
}

RecorderWindow::~RecorderWindow() {
    TimerLogger->stop();
    TimerTime->stop();
    // m_state deletes the temporary files of the run and releases the buffer.
}

// --- construction --------------------------------------------------------------

void RecorderWindow::buildControls() {
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    setCentralWidget(central);

    ToolPanel = new QWidget(central);
    ToolPanel->setObjectName(QStringLiteral("ToolPanel"));
    auto* tools = new QHBoxLayout(ToolPanel);
    tools->setContentsMargins(4, 2, 4, 2);
    tools->setSpacing(1);
    auto button = [&](const char* name, TextId hint, Glyph glyph,
                      void (RecorderWindow::*handler)()) {
        auto* b = new QToolButton(ToolPanel);
        b->setObjectName(QLatin1String(name));
        b->setToolTip(text(hint));
        b->setIcon(makeGlyph(glyph));
        b->setIconSize(QSize(22, 22));
        b->setAutoRaise(true);
        connect(b, &QToolButton::clicked, this, handler);
        tools->addWidget(b);
        return b;
    };
    auto gap = [&] { tools->addSpacing(10); };
    sbtnRecordStart = button("sbtnRecordStart", TextId::HintAcquisitionStart, Glyph::Start,
                             &RecorderWindow::sbtnRecordStartClick);
    sbtnRecordStop = button("sbtnRecordStop", TextId::HintAcquisitionStop, Glyph::Stop,
                            &RecorderWindow::sbtnRecordStopClick);
    for (QToolButton* b : {sbtnRecordStart, sbtnRecordStop})
        b->setCheckable(true);
    auto* group = new QButtonGroup(this);
    group->setExclusive(true);
    group->addButton(sbtnRecordStart);
    group->addButton(sbtnRecordStop);
    sbtnRecordStop->setChecked(true);
    sbtnManualLogging = button("sbtnManualLogging", TextId::HintManualAcquisition, Glyph::Manual,
                               &RecorderWindow::sbtnManualLoggingClick);
    sbtnOption = button("sbtnOption", TextId::HintIntervalOption, Glyph::Option,
                        &RecorderWindow::sbtnOptionClick);
    gap();
    sbtnOpenFile = button("sbtnOpenFile", TextId::HintOpenFile, Glyph::Open,
                          &RecorderWindow::sbtnOpenFileClick);
    sbtnSaveFile = button("sbtnSaveFile", TextId::HintSaveFile, Glyph::Save,
                          &RecorderWindow::sbtnSaveFileClick);
    sbtnPrintGraphic = button("sbtnPrintGraphic", TextId::HintPrintPage, Glyph::Print,
                              &RecorderWindow::sbtnPrintGraphicClick);
    sbtnClear =
        button("sbtnClear", TextId::HintClearRecord, Glyph::Clear, &RecorderWindow::sbtnClearClick);
    sbtnImport =
        button("sbtnImport", TextId::HintImport, Glyph::Import, &RecorderWindow::sbtnImportClick);
    sbtnExport =
        button("sbtnExport", TextId::HintExport, Glyph::Export, &RecorderWindow::sbtnExportClick);
    gap();
    sbtnFirstPage = button("sbtnFirstPage", TextId::HintFirstPage, Glyph::First,
                           &RecorderWindow::sbtnFirstPageClick);
    sbtnPageUp =
        button("sbtnPageUp", TextId::HintPageUp, Glyph::PageUp, &RecorderWindow::sbtnPageUpClick);
    sbtnPageDown = button("sbtnPageDown", TextId::HintPageDown, Glyph::PageDown,
                          &RecorderWindow::sbtnPageDownClick);
    sbtnLastPage = button("sbtnLastPage", TextId::HintLastPage, Glyph::Last,
                          &RecorderWindow::sbtnLastPageClick);
    gap();
    sbtnUndoZoom = button("sbtnUndoZoom", TextId::HintUndoZoom, Glyph::UndoZoom,
                          &RecorderWindow::sbtnUndoZoomClick);
    sbtnUndoZoom->setEnabled(false);
    sbtnFitView =
        button("sbtnFitView", TextId::HintFitAll, Glyph::Fit, &RecorderWindow::sbtnFitViewClick);
    tools->addStretch(1);
    ToolPanelCaption = new QLabel(windowTitle() + QStringLiteral("   "), ToolPanel);
    QFont italic = ToolPanelCaption->font();
    italic.setItalic(true);
    italic.setBold(true);
    ToolPanelCaption->setFont(italic);
    ToolPanelCaption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    tools->addWidget(ToolPanelCaption);
    layout->addWidget(ToolPanel);

    auto* line = new QFrame(central);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    layout->addWidget(line);

    DisplayPanel = new QWidget(central);
    DisplayPanel->setObjectName(QStringLiteral("DisplayPanel"));
    auto* display = new QHBoxLayout(DisplayPanel);
    display->setContentsMargins(6, 4, 6, 4);
    display->setSpacing(3);
    TimePanel = makeValuePanel(DisplayPanel, "TimePanel", 110);
    ReadingDataPanel = makeValuePanel(DisplayPanel, "ReadingDataPanel", 90);
    ReadingUnitPanel = makeValuePanel(DisplayPanel, "ReadingUnitPanel", 34);
    ReadingFuncPanel = makeValuePanel(DisplayPanel, "ReadingFuncPanel", 40);
    MaxLabel = new QLabel(QStringLiteral("Max."), DisplayPanel);
    MaxLabel->setStyleSheet(QStringLiteral("color: red; font-weight: bold;"));
    MaxDataPanel = makeValuePanel(DisplayPanel, "MaxDataPanel", 90);
    MaxUnitPanel = makeValuePanel(DisplayPanel, "MaxUnitPanel", 34);
    MaxFuncPanel = makeValuePanel(DisplayPanel, "MaxFuncPanel", 40);
    MinLabel = new QLabel(QStringLiteral("Min."), DisplayPanel);
    MinLabel->setStyleSheet(QStringLiteral("color: fuchsia; font-weight: bold;"));
    MinDataPanel = makeValuePanel(DisplayPanel, "MinDataPanel", 90);
    MinUnitPanel = makeValuePanel(DisplayPanel, "MinUnitPanel", 34);
    MinFuncPanel = makeValuePanel(DisplayPanel, "MinFuncPanel", 40);
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
    layout->addWidget(DisplayPanel);

    ChartWidget = new telmora::ChartWidget(central);
    ChartWidget->setObjectName(QStringLiteral("ChartWidget"));
    layout->addWidget(ChartWidget, 1);
    connect(ChartWidget, &telmora::ChartWidget::cursorMoved, this,
            &RecorderWindow::ChartWidgetCursorMoved);
    connect(ChartWidget, &telmora::ChartWidget::zoomed, this, &RecorderWindow::ChartWidgetZoomIn);
    connect(ChartWidget, &telmora::ChartWidget::keyPressed, this,
            &RecorderWindow::ChartWidgetKeyDown);

    ProgressBar = new QProgressBar(central);
    ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
    ProgressBar->setRange(0, m_pointsPerPage);
    ProgressBar->setValue(0);
    ProgressBar->setTextVisible(false);
    ProgressBar->setMaximumHeight(12);
    layout->addWidget(ProgressBar);

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
    g->setYRange(m_state.scaleMin(), m_state.scaleMax());
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

void RecorderWindow::applySizeRules() {
    // Smallest tracking size: three quarters of the screen wide, the height below
    // the main window down to the task bar.
    const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    if (s == nullptr)
        return;
    const QRect area = s->geometry();
    const int taskbar = std::max(0, area.bottom() - s->availableGeometry().bottom());
    int mainHeight = 0;
    if (MainWindow* main = Windows().FormMain)
        mainHeight = main->frameGeometry().height();
    setMinimumSize(std::min(area.width() - area.width() / 4, 1200),
                   std::clamp(area.height() - mainHeight - taskbar, 300, 700));
}

void RecorderWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    ChartWidget->setFocus();
}

// --- contract for other windows ----------------------------------------------------

bool RecorderWindow::hasUnsavedData() const {
    return !m_state.isEmpty() && m_state.isUnsaved();
}

bool RecorderWindow::saveCommand() {
    sbtnSaveFileClick();
    return !hasUnsavedData();
}

void RecorderWindow::linkEnded() {
    if (m_recording) {
        sbtnRecordStop->setChecked(true);
        sbtnRecordStopClick();
    }
}

void RecorderWindow::setAcquisition(std::uint8_t mode, std::int32_t intervalMs) {
    if (mode != m_acquisitionMode && !m_recording)
        m_state.closeTemporaryFile(); // a manual series ends with its mode
    m_acquisitionMode = mode;
    m_sampleInterval = intervalMs > 0 ? intervalMs : 500;
    RefreshControls();
    RefreshStatus();
}

bool RecorderWindow::linked() const {
    return Shared().linkActive();
}

// --- acquisition ---------------------------------------------------------------

void RecorderWindow::sbtnRecordStartClick() {
    if (m_recording)
        return; // already running: pressing the down button again changes nothing
    if (!linked()) {
        showError(this, TextId::LinkBeforeLogging);
        sbtnRecordStop->setChecked(true);
        return;
    }
    TimerLogger->setInterval(m_sampleInterval);
    if (sbtnRecordStart->isChecked())
        TimerLogger->start();
    else
        TimerLogger->stop();
    m_recording = TimerLogger->isActive();
    if (!m_state.startTemporaryFile(App().applicationDirectory)) {
        showError(this, TextId::TempFileCreateFailed);
        sbtnRecordStop->setChecked(true);
        sbtnRecordStopClick();
        return;
    }
    RefreshControls();
    RefreshStatus();
}

void RecorderWindow::sbtnRecordStopClick() {
    m_state.closeTemporaryFile();
    if (sbtnRecordStop->isChecked())
        TimerLogger->stop();
    else
        TimerLogger->start();
    m_recording = TimerLogger->isActive();
    RefreshControls();
    RefreshStatus();
}

void RecorderWindow::stopAcquisition() {
    sbtnRecordStop->setChecked(true);
    sbtnRecordStopClick();
}

void RecorderWindow::sbtnManualLoggingClick() {
    if (!linked()) {
        showError(this, TextId::LinkBeforeLogging);
        sbtnRecordStop->setChecked(true);
        return;
    }
    TakeSample();
}

void RecorderWindow::TimerLoggerTimer() {
    if (Shared().readingValid())
        TakeSample();
}

void RecorderWindow::TimerTimeTimer() {
    const QTime now = QTime::currentTime();
    StatusPanels[4]->setText(RecorderClockText(now.hour(), now.minute(), now.second()));
}

void RecorderWindow::sbtnOptionClick() {
    IntervalDialog* dialog = Windows().DialogOption;
    std::unique_ptr<IntervalDialog> own;
    if (dialog == nullptr) {
        own = std::make_unique<IntervalDialog>(this);
        dialog = own.get();
    }
    const std::int32_t seconds = m_sampleInterval == 500 ? 0 : m_sampleInterval / 1000;
    if (dialog->execFor(m_acquisitionMode, seconds) != QDialog::Accepted)
        return;
    setAcquisition(dialog->mode, dialog->seconds != 0 ? dialog->seconds * 1000 : 500);
}

void RecorderWindow::TakeSample() {
    if (m_inLowBattery)
        return;
    // 1. Back to the newest page first.
    if (m_currentPage != m_lastPage) {
        m_currentPage = m_lastPage;
        DrawPage();
    }
    // 2-3. Time, then the reading (copied under its lock).
    const QTime now = QTime::currentTime();
    const std::string timeText =
        FormatSampleTime(now.hour(), now.minute(), now.second(), now.msec());
    const RecorderReading reading = CopyRecorderReading(Shared().copyReading());

    // 4. Low battery: warn with a countdown; Abort stops the acquisition.
    if (reading.lowBattery) {
        const bool timerWasOn = TimerLogger->isActive();
        TimerLogger->stop();
        int result = CountdownNotice::mrYes;
        if (CountdownNotice* box = Windows().AutoMsgForm) {
            m_inLowBattery = true;
            result = box->showCountdown(CaptionKind::Warning, TextId::MeterBatteryLow,
                                        text(TextId::MeterBatteryLow),
                                        text(TextId::ContinueInThreeSeconds), QString());
            m_inLowBattery = false;
        }
        if (result == CountdownNotice::mrAbort) {
            stopAcquisition();
            return;
        }
        if (timerWasOn && !m_recording)
            return; // the recording was stopped meanwhile (link ended)
        if (timerWasOn)
            TimerLogger->start();
    }

    // 5-6, 8. Convert; a reading that cannot be stored changes nothing.
    const auto entry = BuildSample(reading, timeText);
    if (!entry)
        return;

    // Manual samples are mirrored to disk too: a manual series gets its own file.
    if (m_acquisitionMode != 0 && !m_recording && !m_state.temporaryFileOpen() &&
        !m_state.startTemporaryFile(App().applicationDirectory)) {
        showError(this, TextId::TempFileCreateFailed);
        return;
    }

    // 7, 9, 10. Scale, buffer and file, extremes.
    RecorderState::AddResult added;
    try {
        added = m_state.addSample(*entry);
    } catch (const std::bad_alloc&) {
        stopAcquisition();
        showError(this, TextId::OutOfMemory);
        return;
    }

    // 11. The window follows the new sample.
    ChartWidget->setYRange(m_state.scaleMin(), m_state.scaleMax());
    ChartWidget->appendPoint(QString::fromStdString(timeText), entry->main.value);
    refreshGraph();
    m_lastPage = PageOfIndex(static_cast<std::int64_t>(added.index), m_pointsPerPage);
    m_currentPage = m_lastPage;
    ChartWidget->setCursorPoint(m_pointsPerPage - 1);
    CursorReadout();
    if (DataListWindow* list = Windows().DataStringGridForm)
        QCoreApplication::postEvent(list,
                                    new WindowMessageEvent(WindowMessage::SampleAdded,
                                                           static_cast<long long>(added.index)));
    ProgressBar->setValue(
        ProgressBar->value() >= ProgressBar->maximum() ? 0 : ProgressBar->value() + 1);
    ShowExtremes();
    RefreshStatus();
    RefreshControls();

    if (added.storageFailed) {
        // The disk refused the sample (full?): keep the buffer, stop recording.
        m_state.closeTemporaryFile();
        if (m_recording)
            stopAcquisition();
        showError(this, TextId::TempFileCreateFailed);
    }
}

// --- pages ---------------------------------------------------------------------

void RecorderWindow::DrawPage() {
    const auto& buffer = m_state.buffer();
    const std::int64_t n = static_cast<std::int64_t>(buffer.size());
    const PageContents c = ContentsOfPage(n, m_lastPage, m_currentPage, m_pointsPerPage);
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
    ChartWidget->setYRange(m_state.scaleMin(), m_state.scaleMax());
    refreshGraph();
    CursorReadout();
    RefreshControls();
    RefreshStatus();
}

void RecorderWindow::ResetGraph() {
    ChartWidget->setPointCount(m_pointsPerPage);
    ChartWidget->setVisiblePoints(m_pointsPerPage);
    ChartWidget->setYRange(m_state.scaleMin(), m_state.scaleMax());
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
    m_currentPage = 1;
    DrawPage();
}

void RecorderWindow::sbtnPageUpClick() {
    if (m_currentPage <= 1) {
        showWarning(this, TextId::AtFirstPage);
        return;
    }
    --m_currentPage;
    DrawPage();
}

void RecorderWindow::sbtnPageDownClick() {
    if (m_currentPage >= m_lastPage) {
        showWarning(this, TextId::AtLastPage);
        return;
    }
    ++m_currentPage;
    DrawPage();
}

void RecorderWindow::sbtnLastPageClick() {
    m_currentPage = m_lastPage;
    DrawPage();
}

void RecorderWindow::ChartWidgetKeyDown(int key, Qt::KeyboardModifiers) {
    if (m_recording || App().busy != 0)
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
    if (m_state.isEmpty()) {
        clear();
    } else {
        const auto& buffer = m_state.buffer();
        const std::int64_t i =
            IndexOfPoint(ChartWidget->cursorPoint(), static_cast<std::int64_t>(buffer.size()),
                         m_lastPage, m_currentPage, m_pointsPerPage);
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
    const auto& buffer = m_state.buffer();
    const bool show = m_state.sampleCount() > 1 && buffer.size() > 1;
    if (!show) {
        for (QLabel* l :
             {MaxDataPanel, MaxUnitPanel, MaxFuncPanel, MinDataPanel, MinUnitPanel, MinFuncPanel})
            l->clear();
        return;
    }
    const auto at = [&](std::int32_t i) -> const ReadingRecord& {
        return buffer[std::min<std::size_t>(static_cast<std::size_t>(std::max(0, i)),
                                            buffer.size() - 1)]
            .main;
    };
    showRecord(at(m_state.maxIndex()), MaxDataPanel, MaxUnitPanel, MaxFuncPanel);
    showRecord(at(m_state.minIndex()), MinDataPanel, MinUnitPanel, MinFuncPanel);
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
    RecorderFitView(*this);
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

void RecorderWindow::sbtnSaveFileClick() {
    RecorderSave(*this);
}

void RecorderWindow::sbtnOpenFileClick() {
    RecorderOpen(*this);
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

void RecorderWindow::sbtnClearClick() {
    if (m_state.isEmpty())
        return;
    if (m_state.isUnsaved() &&
        showDirectBox(this, text(TextId::AskClearBuffer), CaptionKind::Warning,
                      TextId::AskClearBuffer, BoxIcon::Question, {BoxButton::Ok, BoxButton::Cancel},
                      BoxButton::Cancel) != BoxButton::Ok)
        return;
    if (!m_recording)
        m_state.closeTemporaryFile(); // a manual series ends with its buffer
    m_lastPage = m_currentPage = 1;
    TimerLogger->setInterval(m_sampleInterval);
    m_state.clearBuffer();
    ProgressBar->setValue(0);
    ResetGraph();
    if (DataListWindow* list = Windows().DataStringGridForm) {
        WindowMessageEvent cleared(WindowMessage::BufferCleared);
        QCoreApplication::sendEvent(list, &cleared);
    }
    ShowExtremes();
    RefreshControls();
    RefreshStatus();
}

namespace {
// Shows a window modally and returns when it is closed.
[[maybe_unused]] void showModal(QWidget* window) {
    if (auto* dialog = qobject_cast<QDialog*>(window)) {
        dialog->exec();
        return;
    }
    window->setWindowModality(Qt::ApplicationModal);
    window->show();
    QEventLoop loop;
    while (window->isVisible())
        loop.processEvents(QEventLoop::WaitForMoreEvents);
    window->setWindowModality(Qt::NonModal);
}
} // namespace

void RecorderWindow::sbtnImportClick() {
    LoggerWindow* import = Windows().FormImport;
    if (import == nullptr)
        return;
    {
        WaitCursor wait;
        // The acquisition thread must not run during an import.
        if (MainWindow* main = Windows().FormMain; main != nullptr && main->isLinked())
            main->unlinkRequest();
    }
    showModal(import);
}

void RecorderWindow::sbtnExportClick() {
    RecorderExport(*this);
}

// --- controls and status -----------------------------------------------------------

void RecorderWindow::RefreshControls() {
    RecorderControlInput in;
    in.recording = m_recording;
    in.busy = App().busy != 0;
    in.empty = m_state.isEmpty();
    in.manualMode = m_acquisitionMode != 0;
    in.lastPage = m_lastPage;
    in.currentPage = m_currentPage;
    in.importAvailable = Windows().FormImport != nullptr;
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
    StatusPanels[0]->setText(m_recording ? text(TextId::StatusDataLogging) : QString());
    StatusPanels[1]->setText(fillFormat(TextId::StatusBufferCountFormat, {m_state.sampleCount()}));
    StatusPanels[2]->setText(fillFormat(TextId::StatusPageFormat, {m_currentPage, m_lastPage}));
    if (m_acquisitionMode != 0)
        StatusPanels[3]->setText(text(TextId::IntervalManual));
    else if (m_sampleInterval == 500)
        StatusPanels[3]->setText(text(TextId::IntervalFullSpeed));
    else
        StatusPanels[3]->setText(text(TextId::IntervalSeconds) + QLatin1Char(':') +
                                 QString::number(m_sampleInterval / 1000) + QLatin1Char('S'));
}

// --- window ----------------------------------------------------------------------

void RecorderWindow::closeEvent(QCloseEvent* event) {
    // Closing only hides the window. A running recording ends cleanly (file closed,
    // buttons and status consistent) rather than silently pausing its timer.
    if (m_recording)
        stopAcquisition();
    TimerLogger->stop();
    event->accept();
}

bool RecorderWindow::event(QEvent* e) {
    if (e->type() == WindowMessage::eventType(WindowMessage::LinkEnded)) {
        linkEnded();
        return true;
    }
    return QMainWindow::event(e);
}

} // namespace telmora
