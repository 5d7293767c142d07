#include "ui/logger/LoggerWindow.h"

#include "logger/LoggerDownload.h"
#include "logger/sessiontext.h"
#include "meter/AppState.h"
#include "text/texts.h"
#include "ui/chart/ChartWidget.h"
#include "ui/common/FileDialogs.h"
#include "ui/common/MessageBox.h"
#include "ui/common/ProgressWindow.h"
#include "ui/common/WindowMessages.h"
#include "ui/export/ExportDialog.h"
#include "ui/export/pictureexport.h"
#include "ui/main/AppWindows.h"
#include "ui/recorder/LineColorDialog.h"

#include <QAbstractTableModel>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPageSetupDialog>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <new>

namespace telmora {

namespace {

struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

QString menuText(TextId id) {
    return text(id);
}

QString hintText(TextId id) {
    return text(id).remove(QLatin1Char('&')).remove(QStringLiteral("...")).trimmed();
}

constexpr const char* kSessionFilter = "session logger data files(*.slr)|*.slr";

// The table of one session: row 0 of the grid is the title row (the header), row
// r + 1 holds entry r, and one empty row always follows the last entry.
class SessionGridModel : public QAbstractTableModel {
public:
    SessionGridModel(const ImportSessions& data, int session, QObject* parent)
        : QAbstractTableModel(parent), m_data(data), m_session(session) {}

    int rowCount(const QModelIndex& parent = {}) const override {
        if (parent.isValid() || m_session >= m_data.sessionCount())
            return 1;
        return static_cast<int>(m_data.session(m_session).size()) + 1;
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : 4;
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole || !index.isValid())
            return {};
        return text(index.row(), index.column());
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
            return QAbstractTableModel::headerData(section, orientation, role);
        static const char* const titles[] = {"No.", "Time", "Main-Data", "Sub-Data"};
        return section >= 0 && section < 4 ? QString::fromLatin1(titles[section]) : QString();
    }
    // Cell text of entry row `row` (0-based entry index); empty past the entries.
    QString text(int row, int column) const {
        if (m_session >= m_data.sessionCount() || row < 0)
            return {};
        const SampleList& list = m_data.session(m_session);
        if (static_cast<std::size_t>(row) >= list.size())
            return {};
        const SessionGridRow cells =
            SessionGridRowTexts(list[static_cast<std::size_t>(row)], static_cast<std::size_t>(row));
        switch (column) {
        case 0:
            return QString::fromStdString(cells.number);
        case 1:
            return QString::fromLatin1(cells.time.c_str());
        case 2:
            return QString::fromLatin1(cells.mainData.c_str());
        case 3:
            return QString::fromLatin1(cells.subData.c_str());
        default:
            return {};
        }
    }

private:
    const ImportSessions& m_data;
    int m_session;
};

QLabel* readoutPanel(QWidget* parent, const char* name, bool reading, const QColor& colour) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setAutoFillBackground(true);
    label->setAlignment(Qt::AlignCenter);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setTextFormat(Qt::PlainText);
    QPalette p = label->palette();
    p.setColor(QPalette::Window, Qt::black);
    p.setColor(QPalette::WindowText, reading ? colour : QColor(Qt::white));
    label->setPalette(p);
    if (reading) {
        QFont f(QStringLiteral("Times New Roman"));
        f.setPixelSize(16);
        f.setBold(true);
        label->setFont(f);
    }
    // The panels share the width of the graph column; none forces it wider.
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    label->setMinimumHeight(reading ? 26 : 20);
    return label;
}

QGroupBox* extremeGroup(QWidget* parent, const char* name, const QString& caption, QLabel*& time,
                        const char* timeName, QLabel*& rdg, const char* rdgName,
                        const QColor& colour) {
    auto* box = new QGroupBox(caption, parent);
    box->setObjectName(QString::fromLatin1(name));
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(4, 2, 4, 4);
    column->setSpacing(2);
    time = readoutPanel(box, timeName, false, colour);
    rdg = readoutPanel(box, rdgName, true, colour);
    column->addWidget(time);
    column->addWidget(rdg);
    return box;
}

} // namespace

// --- construction ------------------------------------------------------------

LoggerWindow::LoggerWindow(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("FormImport"));
    setWindowTitle(text(TextId::ImportWindowCaption));
    setWindowFlags(windowFlags() & ~Qt::WindowMinimizeButtonHint);
    buildControls();
    buildMenu();
    m_data.reset();
    m_plot.reset();
    rbtnMainData->setChecked(true);
    for (QToolButton* b : {sbtnFirstPage, sbtnPageUp, sbtnPageDown, sbtnLastPage})
        b->setEnabled(false);
    rbtnMainData->setEnabled(false);
    rbtnSubData->setEnabled(false);
    setUpGraph();
    sbtnUndoZoom->setVisible(false);
    sbtnUndoZoom->setEnabled(false);
    UpdateControls();
    resize(1100, 720);
}

LoggerWindow::~LoggerWindow() {
    // The sessions live in the process-wide lists: leave them empty.
    m_grids.clear();
    m_data.clear();
}

void LoggerWindow::buildControls() {
    QStyle* st = style();
    ToolBar1 = addToolBar(QStringLiteral("ToolBar1"));
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setMovable(false);
    ToolBar1->setIconSize(QSize(24, 24));
    auto tool = [&](const char* name, QStyle::StandardPixmap icon, TextId hint,
                    void (LoggerWindow::*f)()) {
        auto* b = new QToolButton(ToolBar1);
        b->setObjectName(QString::fromLatin1(name));
        b->setIcon(st->standardIcon(icon));
        b->setToolTip(hintText(hint));
        b->setAutoRaise(true);
        ToolBar1->addWidget(b);
        connect(b, &QToolButton::clicked, this, [this, f] { (this->*f)(); });
        return b;
    };
    sbtnImport = tool("sbtnImport", QStyle::SP_ArrowDown, TextId::MenuFileImport,
                      &LoggerWindow::sbtnImportClick);
    sbtnExport = tool("sbtnExport", QStyle::SP_FileDialogDetailedView, TextId::MenuFileExport,
                      &LoggerWindow::sbtnExportClick);
    sbtnOpen = tool("sbtnOpen", QStyle::SP_DialogOpenButton, TextId::MenuFileOpen,
                    &LoggerWindow::sbtnOpenClick);
    sbtnSave = new QToolButton(ToolBar1);
    sbtnSave->setObjectName(QStringLiteral("sbtnSave"));
    sbtnSave->setIcon(st->standardIcon(QStyle::SP_DialogSaveButton));
    sbtnSave->setToolTip(hintText(TextId::MenuFileSaveAs));
    sbtnSave->setAutoRaise(true);
    ToolBar1->addWidget(sbtnSave);
    connect(sbtnSave, &QToolButton::clicked, this, [this] { sbtnSaveClick(); });
    sbtnClear = tool("sbtnClear", QStyle::SP_TrashIcon, TextId::MenuEditClearAll,
                     &LoggerWindow::sbtnClearClick);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    setStatusBar(StatusBar1);

    auto* central = new QWidget(this);
    auto* outer = new QVBoxLayout(central);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    auto* Bevel1 = new QFrame(central);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameShape(QFrame::HLine);
    Bevel1->setFrameShadow(QFrame::Sunken);
    Bevel1->setFixedHeight(2);
    outer->addWidget(Bevel1);

    PanelClient = new QWidget(central);
    PanelClient->setObjectName(QStringLiteral("PanelClient"));
    outer->addWidget(PanelClient, 1);
    auto* client = new QHBoxLayout(PanelClient);
    client->setContentsMargins(2, 2, 2, 2);

    PageControl = new QTabWidget(PanelClient);
    PageControl->setObjectName(QStringLiteral("PageControl"));
    PageControl->setUsesScrollButtons(true);
    const int scrollWidth = st->pixelMetric(QStyle::PM_ScrollBarExtent);
    PageControl->setFixedWidth(4 * 96 + scrollWidth + 20);
    client->addWidget(PageControl);

    PanelGraph = new QWidget(PanelClient);
    PanelGraph->setObjectName(QStringLiteral("PanelGraph"));
    client->addWidget(PanelGraph, 1);
    auto* graphColumn = new QVBoxLayout(PanelGraph);
    graphColumn->setContentsMargins(0, 0, 0, 0);
    graphColumn->setSpacing(4);

    const QColor lime(0x00, 0xFF, 0x00), red(0xFF, 0x00, 0x00), fuchsia(0xFF, 0x00, 0xFF);
    auto display = [&](QGroupBox*& box, const char* name, const QString& caption,
                       const char* currentName, QLabel*& time, const char* timeName, QLabel*& rdg,
                       const char* rdgName, QGroupBox*& maxBox, const char* maxName,
                       QLabel*& maxTime, const char* maxTimeName, QLabel*& maxRdg,
                       const char* maxRdgName, QGroupBox*& minBox, const char* minName,
                       QLabel*& minTime, const char* minTimeName, QLabel*& minRdg,
                       const char* minRdgName) {
        box = new QGroupBox(caption, PanelGraph);
        box->setObjectName(QString::fromLatin1(name));
        auto* row = new QHBoxLayout(box);
        row->setContentsMargins(4, 2, 4, 4);
        auto* current =
            extremeGroup(box, currentName, QStringLiteral(" "), time, timeName, rdg, rdgName, lime);
        row->addWidget(current, 1);
        maxBox = extremeGroup(box, maxName, QStringLiteral("Max."), maxTime, maxTimeName, maxRdg,
                              maxRdgName, red);
        row->addWidget(maxBox, 1);
        minBox = extremeGroup(box, minName, QStringLiteral("Min."), minTime, minTimeName, minRdg,
                              minRdgName, fuchsia);
        row->addWidget(minBox, 1);
        graphColumn->addWidget(box);
    };
    display(grbxMainDisplay, "grbxMainDisplay", QStringLiteral("Main-Data"), "pnlMainData",
            pnlMainDataTime, "pnlMainDataTime", pnlMainDataRdg, "pnlMainDataRdg", grbxMaxMainData,
            "grbxMaxMainData", pnlMaxMainDataTime, "pnlMaxMainDataTime", pnlMaxMainDataRdg,
            "pnlMaxMainDataRdg", grbxMinMainData, "grbxMinMainData", pnlMinMainDataTime,
            "pnlMinMainDataTime", pnlMinMainDataRdg, "pnlMinMainDataRdg");
    display(grbxSubDisplay, "grbxSubDisplay", QStringLiteral("Sub-Data"), "pnlSubData",
            pnlSubDataTime, "pnlSubDataTime", pnlSubDataRdg, "pnlSubDataRdg", grbxMaxSubData,
            "grbxMaxSubData", pnlMaxSubDataTime, "pnlMaxSubDataTime", pnlMaxSubDataRdg,
            "pnlMaxSubDataRdg", grbxMinSubData, "grbxMinSubData", pnlMinSubDataTime,
            "pnlMinSubDataTime", pnlMinSubDataRdg, "pnlMinSubDataRdg");

    PanelSBtn = new QFrame(PanelGraph);
    PanelSBtn->setObjectName(QStringLiteral("PanelSBtn"));
    auto* bar = new QHBoxLayout(PanelSBtn);
    bar->setContentsMargins(6, 0, 6, 0);
    rbtnMainData = new QRadioButton(QStringLiteral("Main-Data"), PanelSBtn);
    rbtnMainData->setObjectName(QStringLiteral("rbtnMainData"));
    rbtnSubData = new QRadioButton(QStringLiteral("Sub-data"), PanelSBtn);
    rbtnSubData->setObjectName(QStringLiteral("rbtnSubData"));
    connect(rbtnMainData, &QRadioButton::clicked, this, &LoggerWindow::rbtnMainDataClick);
    connect(rbtnSubData, &QRadioButton::clicked, this, &LoggerWindow::rbtnSubDataClick);
    bar->addWidget(rbtnMainData);
    bar->addWidget(rbtnSubData);
    bar->addStretch(1);
    auto pageButton = [&](const char* name, QStyle::StandardPixmap icon,
                          void (LoggerWindow::*f)()) {
        auto* b = new QToolButton(PanelSBtn);
        b->setObjectName(QString::fromLatin1(name));
        b->setIcon(st->standardIcon(icon));
        b->setAutoRaise(true);
        bar->addWidget(b);
        connect(b, &QToolButton::clicked, this, [this, f] { (this->*f)(); });
        return b;
    };
    sbtnUndoZoom =
        pageButton("sbtnUndoZoom", QStyle::SP_BrowserReload, &LoggerWindow::sbtnUndoZoomClick);
    sbtnFirstPage = pageButton("sbtnFirstPage", QStyle::SP_MediaSkipBackward,
                               &LoggerWindow::sbtnFirstPageClick);
    sbtnPageUp =
        pageButton("sbtnPageUp", QStyle::SP_MediaSeekBackward, &LoggerWindow::sbtnPageUpClick);
    sbtnPageDown =
        pageButton("sbtnPageDown", QStyle::SP_MediaSeekForward, &LoggerWindow::sbtnPageDownClick);
    sbtnLastPage =
        pageButton("sbtnLastPage", QStyle::SP_MediaSkipForward, &LoggerWindow::sbtnLastPageClick);
    sbtnFirstPage->setToolTip(QStringLiteral("First session"));
    sbtnPageUp->setToolTip(QStringLiteral("Previous session"));
    sbtnPageDown->setToolTip(QStringLiteral("Next session"));
    sbtnLastPage->setToolTip(QStringLiteral("Last session"));
    graphColumn->addWidget(PanelSBtn);

    ChartWidget = new telmora::ChartWidget(PanelGraph);
    ChartWidget->setObjectName(QStringLiteral("ChartWidget"));
    graphColumn->addWidget(ChartWidget, 1);
    connect(ChartWidget, &telmora::ChartWidget::cursorMoved, this,
            &LoggerWindow::ChartWidgetCursorMoved);
    connect(ChartWidget, &telmora::ChartWidget::zoomed, this, &LoggerWindow::ChartWidgetZoomIn);

    setCentralWidget(central);
    ChartWidget->setFocus();
}

void LoggerWindow::buildMenu() {
    QMenuBar* bar = menuBar();
    auto item = [this](QMenu* menu, TextId id, auto handler) {
        QAction* a = menu->addAction(menuText(id));
        connect(a, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
        return a;
    };
    QMenu* file = bar->addMenu(menuText(TextId::MenuFile));
    mnuOpen = item(file, TextId::MenuFileOpen, &LoggerWindow::sbtnOpenClick);
    mnuSaveAs = item(file, TextId::MenuFileSaveAs, &LoggerWindow::sbtnSaveClick);
    file->addSeparator();
    mnuImport = item(file, TextId::MenuFileImport, &LoggerWindow::sbtnImportClick);
    mnuExport = item(file, TextId::MenuFileExport, &LoggerWindow::sbtnExportClick);
    file->addSeparator();
    mnuPrint = item(file, TextId::MenuFilePrintPage, &LoggerWindow::mnuPrintClick);
    mnuPrinterSetup = item(file, TextId::MenuFilePrinterSetup, &LoggerWindow::mnuPrinterSetupClick);
    file->addSeparator();
    mnuExit = file->addAction(menuText(TextId::MenuFileExit));
    connect(mnuExit, &QAction::triggered, this, &QWidget::close);
    QMenu* edit = bar->addMenu(menuText(TextId::MenuEdit));
    mnuClear = item(edit, TextId::MenuEditClearAll, &LoggerWindow::sbtnClearClick);
    QMenu* view = bar->addMenu(menuText(TextId::MenuView));
    view->addSeparator();
    mnuLineColor = item(view, TextId::MenuViewLineColor, &LoggerWindow::mnuGraphLineColorClick);
}

void LoggerWindow::setUpGraph() {
    telmora::ChartWidget* g = ChartWidget;
    g->setMainTitle(QStringLiteral("Session"));
    g->setSubTitle(QString());
    g->setYAxisLabel(QStringLiteral("Reading"));
    g->setXAxisLabel(QStringLiteral("Time"));
    g->setNullValue(kSessionGraphNull);
    g->setPlotStyle(telmora::ChartWidget::PlotStyle::Line);
    g->setDecimals(3);
    g->setGraphForeColor(QColor(0x80, 0x80, 0x80));
    g->setLineColor(QColor::fromRgb(LineColorDialog::kDefaultColor1));
    g->setViewStart(telmora::ChartWidget::ViewStart::LastPoint);
    g->setPointSize(telmora::ChartWidget::PointSize::Large);
    g->setGridLines(telmora::ChartWidget::GridLines::Both);
    g->setCursorMode(telmora::ChartWidget::CursorMode::VerticalLine);
    g->setMouseMovesCursor(true);
    g->setGridStyle(telmora::ChartWidget::GridStyle::Dotted);
    g->setZoomMode(telmora::ChartWidget::ZoomMode::None);
    ClearGraph();
}

// --- dialogs shared with other windows -----------------------------------------

ProgressWindow* LoggerWindow::progressForm() {
    if (Windows().MsgForm != nullptr)
        return Windows().MsgForm;
    if (!m_ownMsgForm)
        m_ownMsgForm = std::make_unique<ProgressWindow>(this);
    return m_ownMsgForm.get();
}

ExportDialog* LoggerWindow::exportForm() {
    if (Windows().DlgExportForm != nullptr)
        return Windows().DlgExportForm;
    if (!m_ownExportForm)
        m_ownExportForm = std::make_unique<ExportDialog>(ExportDialog::PrinterPages::Any, this);
    return m_ownExportForm.get();
}

LineColorDialog* LoggerWindow::lineColorForm() {
    if (Windows().dlgGraphLineColor != nullptr)
        return Windows().dlgGraphLineColor;
    if (!m_ownLineColorForm)
        m_ownLineColorForm = std::make_unique<LineColorDialog>(this);
    return m_ownLineColorForm.get();
}

// --- enable rules, tabs, clear --------------------------------------------------

void LoggerWindow::UpdateControls() {
    const bool busy = App().busy != 0;
    const bool empty = m_data.isEmpty();
    sbtnOpen->setEnabled(!busy);
    mnuOpen->setEnabled(!busy);
    sbtnImport->setEnabled(!busy);
    mnuImport->setEnabled(!busy);
    for (QToolButton* b : {sbtnSave, sbtnClear, sbtnExport})
        b->setEnabled(!busy && !empty);
    for (QAction* a : {mnuSaveAs, mnuClear, mnuExport, mnuPrint})
        a->setEnabled(!busy && !empty);
    mnuPrinterSetup->setEnabled(!busy);
    mnuLineColor->setEnabled(!busy);
}

bool LoggerWindow::AddSessionTab() {
    const int n = static_cast<int>(m_grids.size()) + 1;
    try {
        const QString caption = QStringLiteral("Session%1").arg(n);
        auto* page = new QWidget;
        page->setObjectName(QStringLiteral("ts") + caption);
        auto* layout = new QVBoxLayout(page);
        layout->setContentsMargins(0, 0, 0, 0);
        auto* grid = new QTableView(page);
        grid->setObjectName(QStringLiteral("StrGrid%1").arg(n));
        grid->setModel(new SessionGridModel(m_data, n - 1, grid));
        grid->verticalHeader()->setVisible(false);
        grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 6);
        grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
        grid->horizontalHeader()->setDefaultSectionSize(96);
        grid->setColumnWidth(0, 56);
        grid->setColumnWidth(1, 100);
        grid->setColumnWidth(2, 112);
        grid->setColumnWidth(3, 112);
        grid->setSelectionBehavior(QAbstractItemView::SelectRows);
        grid->setSelectionMode(QAbstractItemView::SingleSelection);
        grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
        grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        layout->addWidget(grid);
        PageControl->addTab(page, caption);
        PageControl->setCurrentWidget(page);
        m_grids.push_back(grid);
        // The new last row (the empty one) is selected, as rows are added.
        grid->selectRow(grid->model()->rowCount() - 1);
    } catch (const std::bad_alloc&) {
        showError(this, TextId::OutOfMemory);
        return false;
    }
    return true;
}

void LoggerWindow::RemoveSessionTabs() {
    m_grids.clear();
    while (PageControl->count() > 0) {
        QWidget* page = PageControl->widget(0);
        PageControl->removeTab(0);
        delete page;
    }
    m_drawnSession = -1;
}

void LoggerWindow::discardSessions() {
    RemoveSessionTabs();
    m_data.clear();
    m_plot.reset();
    ClearGraph();
    for (QLabel* l : {pnlMainDataTime, pnlMainDataRdg, pnlSubDataTime, pnlSubDataRdg})
        l->clear();
    ResetExtremes(true);
    ResetExtremes(false);
    for (QToolButton* b : {sbtnFirstPage, sbtnPageUp, sbtnPageDown, sbtnLastPage})
        b->setEnabled(false);
    rbtnMainData->setEnabled(false);
    rbtnSubData->setEnabled(false);
}

void LoggerWindow::resetImport() {
    App().busy = 0;
    discardSessions();
    UpdateControls();
}

void LoggerWindow::sbtnClearClick() {
    if (m_data.isEmpty())
        return;
    const BoxButton answer = showDirectBox(this, text(TextId::AskClearBuffer), CaptionKind::Warning,
                                           TextId::AskClearBuffer, BoxIcon::Question,
                                           {BoxButton::Ok, BoxButton::Cancel}, BoxButton::Cancel);
    if (answer != BoxButton::Ok)
        return;
    discardSessions();
    UpdateControls();
}

bool LoggerWindow::showSessions() {
    for (int s = 0; s < m_data.sessionCount(); ++s) {
        if (!AddSessionTab())
            return false;
    }
    rbtnMainData->setChecked(true);
    if (m_data.sessionsShown() > 0)
        drawAndReadout(m_data.sessionsShown() - 1);
    return true;
}

// --- session graph --------------------------------------------------------------

void LoggerWindow::ClearGraph() {
    telmora::ChartWidget* g = ChartWidget;
    const int p = std::max(m_plot.points, 0);
    g->setLineType(telmora::ChartWidget::LineWeight::Thin, telmora::ChartWidget::LineStyle::Solid);
    g->setPointCount(p);
    g->setVisiblePoints(p);
    g->setYRange(m_plot.lower, m_plot.upper);
    for (int i = 0; i < p; ++i) {
        g->setPointLabel(i, QStringLiteral(" "));
        g->setValue(i, static_cast<float>(kSessionGraphNull));
    }
    g->refresh();
}

void LoggerWindow::ResetExtremes(bool main) {
    if (main) {
        m_plot.mainMax = m_plot.mainMin = 0;
        for (QLabel* l :
             {pnlMaxMainDataTime, pnlMaxMainDataRdg, pnlMinMainDataTime, pnlMinMainDataRdg})
            l->clear();
    } else {
        m_plot.subMax = m_plot.subMin = 0;
        for (QLabel* l : {pnlMaxSubDataTime, pnlMaxSubDataRdg, pnlMinSubDataTime, pnlMinSubDataRdg})
            l->clear();
    }
}

QString LoggerWindow::cellText(int s, int row, int column) const {
    if (s < 0 || s >= static_cast<int>(m_grids.size()) || row < 1)
        return {};
    const auto* model =
        static_cast<const SessionGridModel*>(m_grids[static_cast<std::size_t>(s)]->model());
    return model->text(row - 1, column);
}

void LoggerWindow::updateExtremes(int s, std::size_t r) {
    const SampleList& list = m_data.session(s);
    const SampleEntry& e = list[r];
    const auto ri = static_cast<std::int64_t>(r);
    auto value = [&](std::int64_t i, bool sub) {
        return PlottedValue(list[static_cast<std::size_t>(i)], sub);
    };
    TrackExtreme(m_plot.mainMax, m_plot.mainMin, ri, e.main.value, value(m_plot.mainMax, false),
                 value(m_plot.mainMin, false));
    if (e.hasSub != 0)
        TrackExtreme(m_plot.subMax, m_plot.subMin, ri, e.sub.value, value(m_plot.subMax, true),
                     value(m_plot.subMin, true));
}

void LoggerWindow::plotSample(int s, std::size_t r, int j) {
    const SampleEntry& e = m_data.session(s)[r];
    updateExtremes(s, r);
    if (m_plot.direct) {
        rbtnMainData->setEnabled(true);
        if (e.hasSub != 0) {
            rbtnSubData->setEnabled(true);
        } else {
            rbtnMainData->setChecked(true);
            rbtnSubData->setEnabled(false);
        }
    }
    const ReadingRecord* record = nullptr;
    if (rbtnMainData->isChecked())
        record = &e.main;
    else if (rbtnSubData->isChecked())
        record = &e.sub;
    if (record == nullptr)
        return;
    m_plot.extendRange(record->value, j);
    ChartWidget->setYRange(m_plot.lower, m_plot.upper);
    ChartWidget->setValue(j, record->value);
    ChartWidget->setPointLabel(j, QString::fromLatin1(record->timeText.view()));
}

void LoggerWindow::DrawSession(int s) {
    if (m_data.sessionCount() == 0 || s < 0 || s >= m_data.sessionCount())
        return;
    const SampleList& list = m_data.session(s);
    m_drawnSession = s;
    if (list.size() >= 2 * 4096) {
        rbtnMainData->setEnabled(true);
        if (list[0].hasSub != 0) {
            rbtnSubData->setEnabled(true);
        } else {
            rbtnMainData->setChecked(true);
            rbtnSubData->setEnabled(false);
        }
    }
    ChooseSessionPoints(m_plot, list, rbtnSubData->isChecked());
    ClearGraph();
    ResetExtremes(true);
    ResetExtremes(false);
    // The extremes follow every sample plotted; in reduced mode those are the
    // samples of the point list, in order.
    for (int j = 0; j < m_plot.points; ++j)
        plotSample(s, static_cast<std::size_t>(m_plot.sampleOfPoint(j)), j);
    auto show = [&](QLabel* time, QLabel* rdg, std::int64_t index, int column) {
        time->setText(cellText(s, static_cast<int>(index) + 1, 1));
        rdg->setText(cellText(s, static_cast<int>(index) + 1, column));
    };
    if (m_plot.points > 0) {
        show(pnlMaxMainDataTime, pnlMaxMainDataRdg, m_plot.mainMax, 2);
        show(pnlMinMainDataTime, pnlMinMainDataRdg, m_plot.mainMin, 2);
        if (list[static_cast<std::size_t>(m_plot.sampleOfPoint(0))].hasSub != 0) {
            show(pnlMaxSubDataTime, pnlMaxSubDataRdg, m_plot.subMax, 3);
            show(pnlMinSubDataTime, pnlMinSubDataRdg, m_plot.subMin, 3);
        }
    }
    ChartWidget->setCursorPoint(m_plot.points - 1);
    CursorReadout();
    ChartWidget->setMainTitle(QStringLiteral("Session %1").arg(s + 1));
    LineColorDialog* colours = lineColorForm();
    ChartWidget->setLineColor(rbtnMainData->isChecked() ? colours->ShapeLineColor1->brushColor()
                                                        : colours->ShapeLineColor2->brushColor());
    ChartWidget->refresh();
    updatePageButtons();
}

void LoggerWindow::updatePageButtons() {
    const int s = m_data.currentSession();
    const bool notFirst = s != 0;
    const bool notLast = s + 1 != m_data.sessionsShown();
    sbtnFirstPage->setEnabled(notFirst);
    sbtnPageUp->setEnabled(notFirst);
    sbtnPageDown->setEnabled(notLast);
    sbtnLastPage->setEnabled(notLast);
}

void LoggerWindow::CursorReadout() {
    if (m_data.sessionCount() == 0 || m_drawnSession < 0)
        return;
    const int s = m_drawnSession;
    const std::int64_t r = m_plot.sampleOfPoint(ChartWidget->cursorPoint());
    if (r < 0) {
        for (QLabel* l : {pnlMainDataTime, pnlMainDataRdg, pnlSubDataTime, pnlSubDataRdg})
            l->clear();
    } else {
        const int row = static_cast<int>(r) + 1;
        pnlMainDataTime->setText(cellText(s, row, 1));
        pnlMainDataRdg->setText(cellText(s, row, 2));
        if (m_data.session(s)[static_cast<std::size_t>(r)].hasSub != 0) {
            pnlSubDataTime->setText(cellText(s, row, 1));
            pnlSubDataRdg->setText(cellText(s, row, 3));
        } else {
            pnlSubDataTime->clear();
            pnlSubDataRdg->clear();
        }
    }
    ChartWidget->setYAxisLabel(QStringLiteral("Reading"));
}

void LoggerWindow::ChartWidgetCursorMoved() {
    CursorReadout();
}

void LoggerWindow::ChartWidgetZoomIn() {
    sbtnUndoZoom->setEnabled(true);
}

void LoggerWindow::sbtnUndoZoomClick() {
    ChartWidget->resetZoom();
    sbtnUndoZoom->setEnabled(false);
}

void LoggerWindow::drawAndReadout(int s) {
    m_data.setCurrentSession(s);
    DrawSession(s);
    ChartWidget->setCursorPoint(m_plot.points - 1);
    CursorReadout();
}

void LoggerWindow::sbtnFirstPageClick() {
    if (m_data.sessionsShown() > 0)
        drawAndReadout(0);
}

void LoggerWindow::sbtnPageUpClick() {
    if (m_data.sessionsShown() == 0)
        return;
    if (m_data.currentSession() == 0) {
        showWarning(this, TextId::AtFirstPage);
        return;
    }
    drawAndReadout(m_data.currentSession() - 1);
}

void LoggerWindow::sbtnPageDownClick() {
    if (m_data.sessionsShown() == 0)
        return;
    if (m_data.currentSession() + 1 >= m_data.sessionsShown()) {
        showWarning(this, TextId::AtLastPage);
        return;
    }
    drawAndReadout(m_data.currentSession() + 1);
}

void LoggerWindow::sbtnLastPageClick() {
    if (m_data.sessionsShown() > 0)
        drawAndReadout(m_data.sessionsShown() - 1);
}

void LoggerWindow::rbtnMainDataClick() {
    DrawSession(m_data.currentSession());
}

void LoggerWindow::rbtnSubDataClick() {
    DrawSession(m_data.currentSession());
}

// --- download -------------------------------------------------------------------

namespace {

// Drives the progress window while the download runs and lets its Abort button
// stop the download: window messages are processed after every block and every
// few hundred converted samples.
class DownloadWindowObserver : public MemoryDownloadObserver {
public:
    DownloadWindowObserver(LoggerWindow& form, ProgressWindow& progress)
        : m_form(form), m_progress(progress) {}

    bool confirmDownload() override {
        const BoxButton answer =
            showDirectBox(&m_form, DownloadQuestionText(), CaptionKind::Warning, TextId::AskProceed,
                          BoxIcon::Question, {BoxButton::Yes, BoxButton::No}, BoxButton::No);
        return answer == BoxButton::Yes;
    }
    void downloadStarting() override {
        m_form.resetImport();
        App().busy = 1;
        m_form.UpdateControls();
    }
    void stageChanged(DownloadStage stage) override {
        if (!m_cursor) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
            m_cursor = true;
        }
        m_progress.setMessage(DownloadStageTitle(stage), QColor());
        if (stage == DownloadStage::Acquiring) {
            m_progress.Label1->clear();
            m_progress.ProgressBar->setRange(0, 100);
            m_progress.ProgressBar->setValue(0);
        } else {
            m_progress.Label1->setText(text(TextId::Translating));
        }
        // Abort works in both stages: it clears the busy flag, which the download
        // checks after every block and while converting.
        m_progress.bbtnAbort->setEnabled(true);
        if (!m_progress.isVisible()) {
            // The import window itself is modal: the progress window must be modal
            // too, or its Abort button could not be pressed.
            m_progress.setWindowModality(Qt::ApplicationModal);
            m_progress.show();
        }
        m_progress.raise();
        QCoreApplication::processEvents();
    }
    void blockProgress(std::size_t position, std::size_t maximum,
                       const std::string& detail) override {
        setBar(position, maximum);
        m_progress.Label1->setText(QString::fromStdString(detail));
        QCoreApplication::processEvents();
    }
    void conversionProgress(int, std::size_t done, std::size_t total) override {
        setBar(done, total);
        QCoreApplication::processEvents();
    }
    bool abortRequested() override { return App().busy == 0; }

    void finish() {
        m_progress.bbtnAbort->setEnabled(true);
        m_progress.hide();
        m_progress.setWindowModality(Qt::NonModal);
        if (m_cursor) {
            QApplication::restoreOverrideCursor();
            m_cursor = false;
        }
    }
    ~DownloadWindowObserver() override { finish(); }
    DownloadWindowObserver(const DownloadWindowObserver&) = delete;
    DownloadWindowObserver& operator=(const DownloadWindowObserver&) = delete;

private:
    void setBar(std::size_t position, std::size_t maximum) {
        // The bar counts in blocks or samples scaled into its int range.
        const double fraction =
            maximum == 0 ? 0.0 : static_cast<double>(position) / static_cast<double>(maximum);
        m_progress.ProgressBar->setRange(0, 1000);
        m_progress.ProgressBar->setValue(static_cast<int>(std::lround(fraction * 1000.0)));
    }

    LoggerWindow& m_form;
    ProgressWindow& m_progress;
    bool m_cursor = false;
};

} // namespace

void LoggerWindow::reportDownloadMessage(TextId message) {
    showDirectBox(this, DownloadMessageText(message), CaptionKind::Error, message, BoxIcon::Error,
                  {BoxButton::Ok});
}

void LoggerWindow::sbtnImportClick() {
    if (App().busy != 0)
        return;
    DownloadResult result;
    {
        DownloadWindowObserver observer(*this, *progressForm());
        try {
            result = DownloadMemory(observer);
        } catch (const std::bad_alloc&) {
            result = DownloadResult{};
            result.status = DownloadResult::Status::OutOfMemory;
            result.messageId = TextId::OutOfMemory;
            result.resetRequested = true;
        }
        observer.finish();
        if (result.status == DownloadResult::Status::Done) {
            const std::optional<TextId> message = result.messageId;
            const std::string notice = result.notice;
            m_data.adoptImported(std::move(result.sessions));
            const bool shown = showSessions();
            App().busy = 0;
            if (!shown)
                resetImport();
            UpdateControls();
            if (message)
                reportDownloadMessage(*message);
            if (!notice.empty()) {
                // No numbered text exists for this case: the window's own caption.
                BoxRequest box;
                box.owner = this;
                box.caption = text(TextId::ImportWindowCaption);
                box.text = QString::fromStdString(notice);
                box.icon = BoxIcon::Warning;
                ShowBox(box);
            }
            return;
        }
    }
    switch (result.status) {
    case DownloadResult::Status::NoCable:
    case DownloadResult::Status::NoDataLogger:
        if (result.messageId)
            reportDownloadMessage(*result.messageId);
        return;
    case DownloadResult::Status::Declined:
        return;
    default:
        break;
    }
    // The window discarded its sessions when the download started: whatever the
    // outcome, it ends empty with the busy flag clear.
    WindowMessageEvent reset(WindowMessage::ResetImport);
    QCoreApplication::sendEvent(this, &reset);
    if (result.messageId && result.status != DownloadResult::Status::Aborted)
        reportDownloadMessage(*result.messageId);
}

bool LoggerWindow::event(QEvent* e) {
    if (e->type() == WindowMessage::eventType(WindowMessage::ResetImport)) {
        resetImport();
        return true;
    }
    return QMainWindow::event(e);
}

// --- files ----------------------------------------------------------------------

bool LoggerWindow::sbtnSaveClick() {
    if (App().busy != 0 || m_data.isEmpty())
        return false;
    FileDialogRequest request;
    request.mode = FileDialogRequest::Mode::Save;
    request.owner = this;
    request.caption = text(TextId::MenuFileSaveAs).remove(QLatin1Char('&'));
    request.defaultExt = QString::fromLatin1(kSessionFileExtension);
    request.fileName = QString::fromLatin1(kSessionFileDefaultName);
    request.filter = QString::fromLatin1(kSessionFilter);
    request.overwritePrompt = true;
    const std::optional<QString> path = RunFileDialog(request);
    if (!path)
        return false;
    SessionFileStatus status;
    {
        WaitCursor wait;
        status = m_data.save(*path);
    }
    if (status != SessionFileStatus::Ok) {
        QString message =
            text(TextId::FileSaveError) + QStringLiteral("\n") + QDir::toNativeSeparators(*path);
        showDirectBox(this, message, CaptionKind::Error, TextId::FileSaveError, BoxIcon::Error,
                      {BoxButton::Ok});
        return false;
    }
    UpdateControls();
    return true;
}

void LoggerWindow::sbtnOpenClick() {
    if (App().busy != 0)
        return;
    FileDialogRequest request;
    request.mode = FileDialogRequest::Mode::Open;
    request.owner = this;
    request.caption =
        text(TextId::MenuFileOpen).remove(QLatin1Char('&')).remove(QStringLiteral("..."));
    request.defaultExt = QString::fromLatin1(kSessionFileExtension);
    request.filter = QString::fromLatin1(kSessionFilter);
    request.filterIndex = 1;
    request.overwritePrompt = false;
    const std::optional<QString> path = RunFileDialog(request);
    if (!path)
        return;
    QCoreApplication::processEvents();

    ProgressWindow* progress = progressForm();
    SessionFileStatus status;
    {
        WaitCursor wait;
        progress->setMessage(noticeLine(TextId::ReadingSelectedFile), QColor(Qt::red));
        progress->Label1->clear();
        progress->ProgressBar->setRange(0, 64);
        progress->ProgressBar->setValue(0);
        progress->bbtnAbort->setEnabled(true);
        progress->setWindowModality(Qt::ApplicationModal); // reachable above this modal window
        progress->show();
        progress->raise();
        QCoreApplication::processEvents();
        App().busy = 1;
        RemoveSessionTabs();
        m_data.clear();
        ClearGraph();
        UpdateControls();
        const QString format = text(TextId::ReadingDataFormat);
        std::int64_t lastShown = -1;
        status = m_data.open(*path, [&](int, std::int64_t entry, std::int64_t count) {
            // Repaint now and then, not for every entry of a long session.
            if (entry == count || entry - lastShown >= 256 || entry < lastShown) {
                lastShown = entry;
                progress->ProgressBar->setRange(0, static_cast<int>(std::min<std::int64_t>(
                                                       std::max<std::int64_t>(count, 1), 1 << 30)));
                progress->ProgressBar->setValue(
                    static_cast<int>(std::min<std::int64_t>(entry, 1 << 30)));
                QString detail = format;
                detail.replace(detail.indexOf(QStringLiteral("%d")), 2, QString::number(entry));
                detail.replace(detail.indexOf(QStringLiteral("%d")), 2, QString::number(count));
                progress->Label1->setText(detail);
                QCoreApplication::processEvents();
            }
            return App().busy != 0;
        });
        progress->ProgressBar->setValue(progress->ProgressBar->maximum());
        progress->bbtnAbort->setEnabled(false);
        if (status == SessionFileStatus::Ok && !showSessions())
            m_data.clear();
        progress->bbtnAbort->setEnabled(true);
        progress->hide();
        progress->setWindowModality(Qt::NonModal);
        App().busy = 0;
    }
    if (status != SessionFileStatus::Ok)
        discardSessions();
    UpdateControls();
    switch (status) {
    case SessionFileStatus::Ok:
    case SessionFileStatus::Cancelled:
        break;
    case SessionFileStatus::OutOfMemory:
        showError(this, TextId::OutOfMemory);
        break;
    default:
        showDirectBox(this,
                      text(TextId::FileOpenError) + QStringLiteral("\n") +
                          QDir::toNativeSeparators(*path),
                      CaptionKind::Error, TextId::FileOpenError, BoxIcon::Error, {BoxButton::Ok});
        break;
    }
}

// --- export and print ------------------------------------------------------------

bool LoggerWindow::ExportText(const QString& path, int first, int last) {
    QString error;
    bool written = false;
    {
        WaitCursor wait;
        written = ExportSessionsTextFile(path, m_data.shownSessions(), first, last, &error);
    }
    if (!written) {
        QString message =
            text(TextId::FileSaveError) + QStringLiteral("\n") + QDir::toNativeSeparators(path);
        if (!error.isEmpty())
            message += QStringLiteral("\n(%1)").arg(error);
        showDirectBox(this, message, CaptionKind::Error, TextId::FileSaveError, BoxIcon::Error,
                      {BoxButton::Ok});
    }
    return written;
}

void LoggerWindow::ExportImage(int kind, int destination, int first, int last, const QString& path,
                               double width, double height) {
    const PageRange range = ClampPageRange(first, last, m_data.sessionsShown());
    if (range.empty())
        return;
    static constexpr ExportDestination destinations[] = {
        ExportDestination::ClipBoard, ExportDestination::File, ExportDestination::Printer};
    PictureExportRequest request{kind == 1 ? ExportType::BitMap : ExportType::MetaFile,
                                 destinations[std::clamp(destination, 0, 2)],
                                 path,
                                 QSize(static_cast<int>(width), static_cast<int>(height)),
                                 range.first,
                                 range.last,
                                 m_data.currentSession() + 1};
    const PictureExportResult result =
        exportChartPictures(*ChartWidget, request, telmora::ChartWidget::printer(),
                            [this](int page) { DrawSession(page - 1); });
    if (result == PictureExportResult::WriteFailed)
        showDirectBox(this,
                      text(TextId::FileSaveError) + QStringLiteral("\n") +
                          QDir::toNativeSeparators(path),
                      CaptionKind::Error, TextId::FileSaveError, BoxIcon::Error, {BoxButton::Ok});
}

void LoggerWindow::sbtnExportClick() {
    if (App().busy != 0 || m_data.isEmpty())
        return;
    ExportDialog* dlg = exportForm();
    const int shown = m_data.sessionsShown();
    dlg->setTextExportAllowed(true);
    dlg->selectType(ExportType::Text);
    dlg->selectPageScope(PageScope::ThisPage);
    dlg->setPageRange(1, shown);
    dlg->setFileName(QString());
    dlg->focusBrowse();
    if (dlg->exec() != QDialog::Accepted)
        return;

    const ExportDestination destination = dlg->destination();
    const QString fileName = dlg->fileName();
    if (destination == ExportDestination::File && fileName.isEmpty()) {
        showError(this, TextId::BrowseForFileName);
        return;
    }
    const int current = m_data.currentSession() + 1;
    int first = current;
    int last = current;
    if (dlg->pageScope() == PageScope::Range) {
        // Page numbers that are no whole numbers fall back to the whole range; the
        // range is kept inside the sessions shown.
        first = dlg->pageFrom().value_or(1);
        last = dlg->pageTo().value_or(shown);
    } else if (dlg->pageScope() == PageScope::AllPages) {
        first = 1;
        last = shown;
    }
    const PageRange range = ClampPageRange(first, last, shown);
    if (range.empty())
        return;

    if (dlg->exportType() == ExportType::Text) {
        ExportText(fileName, range.first, range.last);
        return;
    }
    const int kind = dlg->exportType() == ExportType::BitMap ? 1 : 0;
    switch (destination) {
    case ExportDestination::ClipBoard:
        ExportImage(kind, 0, current, current, fileName, dlg->pictureWidth(), dlg->pictureHeight());
        break;
    case ExportDestination::File:
        ExportImage(kind, 1, current, current, fileName, dlg->pictureWidth(), dlg->pictureHeight());
        break;
    case ExportDestination::Printer:
        ExportImage(kind, 2, range.first, range.last, fileName, dlg->pictureWidth(),
                    dlg->pictureHeight());
        break;
    }
}

void LoggerWindow::mnuPrintClick() {
    if (m_data.isEmpty())
        return;
    ChartWidget->setViewingStyle(telmora::ChartWidget::ViewingStyle::Monochrome);
    ChartWidget->restyle();
    ChartWidget->printWithDialog(telmora::ChartWidget::printer());
    ChartWidget->setViewingStyle(telmora::ChartWidget::ViewingStyle::Colour);
    ChartWidget->refresh();
}

void LoggerWindow::mnuPrinterSetupClick() {
    QPageSetupDialog dialog(&telmora::ChartWidget::printer(), this);
    dialog.exec();
}

void LoggerWindow::mnuGraphLineColorClick() {
    LineColorDialog* dlg = lineColorForm();
    dlg->btnLineColor1->setText(QStringLiteral(" Main-Data Color"));
    dlg->btnLineColor2->setText(QStringLiteral(" Sub-Data Color"));
    if (dlg->exec() == QDialog::Accepted)
        DrawSession(m_data.currentSession());
}

// --- window ---------------------------------------------------------------------

void LoggerWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!isMaximized())
        setWindowState(windowState() | Qt::WindowMaximized);
}

void LoggerWindow::closeEvent(QCloseEvent* event) {
    if (App().busy != 0) {
        event->ignore();
        return;
    }
    if (m_data.needsSaveQuestion()) {
        const QString message =
            text(TextId::BufferHasData) + QStringLiteral("\n") + text(TextId::AskSaveBeforeExit);
        const BoxButton answer = showDirectBox(
            this, message, CaptionKind::Warning, TextId::BufferHasData, BoxIcon::Question,
            {BoxButton::Yes, BoxButton::No, BoxButton::Cancel}, BoxButton::Cancel);
        if (answer == BoxButton::Cancel || answer == BoxButton::None) {
            event->ignore();
            return;
        }
        if (answer == BoxButton::Yes && !sbtnSaveClick()) {
            event->ignore();
            return;
        }
    }
    // FormClose: every session goes, the next opening starts empty.
    discardSessions();
    UpdateControls();
    setWindowState(windowState() & ~Qt::WindowMaximized);
    event->accept();
}

} // namespace telmora
