#include "ui/logger/SessionGraphView.h"
#include "app/UserDialogs.h"

#include "logger/LoggerSessions.h"
#include "text/texts.h"
#include "ui/chart/ChartWidget.h"
#include "ui/chart/GraphPrinter.h"
#include "ui/common/LineColorDialog.h"
#include "ui/common/PaletteTintedIcon.h"
#include "ui/export/pictureexport.h"
#include "ui/logger/SessionTabs.h"

#include <QFileInfo>
#include <QFontInfo>
#include <QFontMetrics>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QRadioButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace telmora {

namespace {

// A read-out panel whose text stays whole however narrow the panel gets: the font
// is made smaller until the text fits (the panels share the graph column's width).
class FittingPanel : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* event) override {
        QFrame::paintEvent(event);
        const QRect room = contentsRect().adjusted(2, 0, -2, 0);
        QFont f = font();
        const int largest = f.pixelSize() > 0 ? f.pixelSize() : QFontInfo(f).pixelSize();
        for (int size = largest; size > 7; --size) {
            f.setPixelSize(size);
            if (QFontMetrics(f).horizontalAdvance(text()) <= room.width())
                break;
        }
        QPainter painter(this);
        painter.setFont(f);
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(room, static_cast<int>(alignment()), text());
    }
};

QLabel* readoutPanel(QWidget* parent, const QString& name, bool reading, const QColor& colour) {
    auto* label = new FittingPanel(parent);
    label->setObjectName(name);
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

// A group with a time panel above a reading panel; `panel` names both
// ("mainMaximum" gives "mainMaximumTime" and "mainMaximumReading").
QGroupBox* readoutGroup(QWidget* parent, const QString& name, const QString& caption,
                        const QString& panel, const QColor& colour, QLabel*& time,
                        QLabel*& reading) {
    auto* box = new QGroupBox(caption, parent);
    box->setObjectName(name);
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(4, 2, 4, 4);
    column->setSpacing(2);
    time = readoutPanel(box, panel + QStringLiteral("Time"), false, colour);
    reading = readoutPanel(box, panel + QStringLiteral("Reading"), true, colour);
    column->addWidget(time);
    column->addWidget(reading);
    return box;
}

} // namespace

SessionGraphView::SessionGraphView(UserDialogs& dialogs, const LoggerSessions& sessions,
                                   const SessionTabs& tabs, LineColorDialog& lineColors,
                                   QPrinter& printer, QWidget* parent)
    : QWidget(parent), m_dialogs(dialogs), m_sessions(sessions), m_tabs(tabs),
      m_lineColors(lineColors), m_printer(printer) {
    setObjectName(QStringLiteral("graphArea"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(4);
    column->addWidget(
        buildReadouts(QStringLiteral("main"), translate("SessionGraphView", "Main-Data"), m_main));
    column->addWidget(
        buildReadouts(QStringLiteral("sub"), translate("SessionGraphView", "Sub-Data"), m_sub));
    column->addWidget(buildButtonBar());
    m_chart = new ChartWidget(this);
    m_chart->setObjectName(QStringLiteral("ChartWidget"));
    column->addWidget(m_chart, 1);
    connect(m_chart, &ChartWidget::cursorMoved, this, &SessionGraphView::cursorReadout);
    connect(m_chart, &ChartWidget::zoomed, this, [this] { m_undoZoom->setEnabled(true); });
    m_mainChoice->setChecked(true);
    setUpGraph();
    m_undoZoom->setVisible(false);
    blank();
}

QGroupBox* SessionGraphView::buildReadouts(const QString& display, const QString& caption,
                                           Readouts& r) {
    const QColor lime(0x00, 0xFF, 0x00), red(0xFF, 0x00, 0x00), fuchsia(0xFF, 0x00, 0xFF);
    auto* box = new QGroupBox(caption, this);
    box->setObjectName(display + QStringLiteral("Readouts"));
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(4, 2, 4, 4);
    row->addWidget(readoutGroup(box, display + QStringLiteral("CursorGroup"), QStringLiteral(" "),
                                display + QStringLiteral("Cursor"), lime, r.time, r.reading),
                   1);
    row->addWidget(readoutGroup(box, display + QStringLiteral("MaximumGroup"),
                                translate("SessionGraphView", "Max."),
                                display + QStringLiteral("Maximum"), red, r.maxTime, r.maxReading),
                   1);
    row->addWidget(readoutGroup(box, display + QStringLiteral("MinimumGroup"),
                                translate("SessionGraphView", "Min."),
                                display + QStringLiteral("Minimum"), fuchsia, r.minTime,
                                r.minReading),
                   1);
    return box;
}

QWidget* SessionGraphView::buildButtonBar() {
    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("pageButtons"));
    auto* bar = new QHBoxLayout(panel);
    bar->setContentsMargins(6, 0, 6, 0);
    m_mainChoice = new QRadioButton(translate("SessionGraphView", "Main-Data"), panel);
    m_mainChoice->setObjectName(QStringLiteral("mainDisplayButton"));
    m_subChoice = new QRadioButton(translate("SessionGraphView", "Sub-data"), panel);
    m_subChoice->setObjectName(QStringLiteral("subDisplayButton"));
    // Either choice redraws the current session with main or sub readings.
    for (QRadioButton* choice : {m_mainChoice, m_subChoice})
        connect(choice, &QRadioButton::clicked, this,
                [this] { drawSession(m_sessions.currentSession()); });
    bar->addWidget(m_mainChoice);
    bar->addWidget(m_subChoice);
    bar->addStretch(1);
    auto button = [&](const char* name, QStyle::StandardPixmap icon, const QString& hint) {
        auto* b = new QToolButton(panel);
        b->setObjectName(QString::fromLatin1(name));
        b->setIcon(PaletteTinted(style()->standardIcon(icon)));
        b->setToolTip(hint);
        b->setAccessibleName(hint);
        b->setAutoRaise(true);
        bar->addWidget(b);
        return b;
    };
    m_undoZoom = button("undoZoomButton", QStyle::SP_BrowserReload, QString());
    m_undoZoom->setAccessibleName(text(TextId::HintUndoZoom));
    m_firstPage = button("firstPageButton", QStyle::SP_MediaSkipBackward, tr("First session"));
    m_pageUp = button("previousPageButton", QStyle::SP_MediaSeekBackward, tr("Previous session"));
    m_pageDown = button("nextPageButton", QStyle::SP_MediaSeekForward, tr("Next session"));
    m_lastPage = button("lastPageButton", QStyle::SP_MediaSkipForward, tr("Last session"));
    connect(m_undoZoom, &QToolButton::clicked, this, [this] {
        m_chart->resetZoom();
        m_undoZoom->setEnabled(false);
    });
    connect(m_firstPage, &QToolButton::clicked, this, &SessionGraphView::firstPageRequested);
    connect(m_pageUp, &QToolButton::clicked, this, &SessionGraphView::pageUpRequested);
    connect(m_pageDown, &QToolButton::clicked, this, &SessionGraphView::pageDownRequested);
    connect(m_lastPage, &QToolButton::clicked, this, &SessionGraphView::lastPageRequested);
    return panel;
}

void SessionGraphView::setUpGraph() {
    ChartWidget* g = m_chart;
    g->setMainTitle(translate("SessionGraphView", "Session"));
    g->setSubTitle(QString());
    g->setYAxisLabel(translate("SessionGraphView", "Reading"));
    g->setXAxisLabel(translate("SessionGraphView", "Time"));
    g->setNullValue(kSessionGraphNull);
    g->setPlotStyle(ChartWidget::PlotStyle::Line);
    g->setDecimals(3);
    // Desk, graph area, grid and the default line follow the palette.
    g->setViewStart(ChartWidget::ViewStart::LastPoint);
    g->setPointSize(ChartWidget::PointSize::Large);
    g->setGridLines(ChartWidget::GridLines::Both);
    g->setCursorMode(ChartWidget::CursorMode::VerticalLine);
    g->setMouseMovesCursor(true);
    g->setGridStyle(ChartWidget::GridStyle::Dotted);
    g->setZoomMode(ChartWidget::ZoomMode::None);
}

// --- drawing ---------------------------------------------------------------------

void SessionGraphView::clearGraph() {
    ChartWidget* g = m_chart;
    const int p = std::max(m_plot.points, 0);
    g->setLineType(ChartWidget::LineWeight::Thin, ChartWidget::LineStyle::Solid);
    g->setPointCount(p);
    g->setVisiblePoints(p);
    g->setYRange(m_plot.lower, m_plot.upper);
    for (int i = 0; i < p; ++i) {
        g->setPointLabel(i, QStringLiteral(" "));
        g->setValue(i, static_cast<float>(kSessionGraphNull));
    }
    g->refresh();
}

void SessionGraphView::blank() {
    m_drawnSession = -1;
    m_plot.reset();
    clearGraph();
    for (QLabel* l : {m_main.time, m_main.reading, m_sub.time, m_sub.reading})
        l->clear();
    resetExtremes(m_main, m_plot.mainMax, m_plot.mainMin);
    resetExtremes(m_sub, m_plot.subMax, m_plot.subMin);
    for (QToolButton* b : {m_firstPage, m_pageUp, m_pageDown, m_lastPage, m_undoZoom})
        b->setEnabled(false);
    m_mainChoice->setChecked(true);
    m_mainChoice->setEnabled(false);
    m_subChoice->setEnabled(false);
}

void SessionGraphView::resetExtremes(Readouts& r, std::int64_t& maxIndex, std::int64_t& minIndex) {
    maxIndex = minIndex = 0;
    for (QLabel* l : {r.maxTime, r.maxReading, r.minTime, r.minReading})
        l->clear();
}

void SessionGraphView::enableChoiceFor(bool hasSub) {
    m_mainChoice->setEnabled(true);
    if (hasSub) {
        m_subChoice->setEnabled(true);
    } else {
        m_mainChoice->setChecked(true);
        m_subChoice->setEnabled(false);
    }
}

void SessionGraphView::updateExtremes(int s, std::size_t r) {
    const SampleList& list = m_sessions.session(s);
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

void SessionGraphView::plotSample(int s, std::size_t r, int j) {
    const SampleEntry& e = m_sessions.session(s)[r];
    updateExtremes(s, r);
    if (m_plot.direct)
        enableChoiceFor(e.hasSub != 0);
    const ReadingRecord* record = nullptr;
    if (m_mainChoice->isChecked())
        record = &e.main;
    else if (m_subChoice->isChecked())
        record = &e.sub;
    if (record == nullptr)
        return;
    m_plot.extendRange(record->value, j);
    m_chart->setYRange(m_plot.lower, m_plot.upper);
    m_chart->setValue(j, record->value);
    m_chart->setPointLabel(j, QString::fromLatin1(record->timeText.view()));
}

void SessionGraphView::showExtremes(int s) {
    auto show = [&](QLabel* time, QLabel* reading, std::int64_t index, int column) {
        time->setText(m_tabs.cellText(s, static_cast<int>(index) + 1, 1));
        reading->setText(m_tabs.cellText(s, static_cast<int>(index) + 1, column));
    };
    if (m_plot.points <= 0)
        return;
    show(m_main.maxTime, m_main.maxReading, m_plot.mainMax, 2);
    show(m_main.minTime, m_main.minReading, m_plot.mainMin, 2);
    const auto first = static_cast<std::size_t>(m_plot.sampleOfPoint(0));
    if (m_sessions.session(s)[first].hasSub != 0) {
        show(m_sub.maxTime, m_sub.maxReading, m_plot.subMax, 3);
        show(m_sub.minTime, m_sub.minReading, m_plot.subMin, 3);
    }
}

void SessionGraphView::drawSession(int s) {
    if (m_sessions.sessionCount() == 0 || s < 0 || s >= m_sessions.sessionCount())
        return;
    const SampleList& list = m_sessions.session(s);
    m_drawnSession = s;
    if (list.size() >= 2 * 4096)
        enableChoiceFor(list[0].hasSub != 0);
    ChooseSessionPoints(m_plot, list, m_subChoice->isChecked());
    clearGraph();
    resetExtremes(m_main, m_plot.mainMax, m_plot.mainMin);
    resetExtremes(m_sub, m_plot.subMax, m_plot.subMin);
    // The extremes follow every sample plotted; in reduced mode those are the
    // samples of the point list, in order.
    for (int j = 0; j < m_plot.points; ++j)
        plotSample(s, static_cast<std::size_t>(m_plot.sampleOfPoint(j)), j);
    showExtremes(s);
    m_chart->setCursorPoint(m_plot.points - 1);
    cursorReadout();
    m_chart->setMainTitle(translate("SessionGraphView", "Session %1").arg(s + 1));
    // The default blue is left to the chart, which lightens it where it would not show.
    const QColor line =
        m_mainChoice->isChecked() ? m_lineColors.firstColor() : m_lineColors.secondColor();
    m_chart->setLineColor(line == QColor::fromRgb(LineColorDialog::kDefaultColor1) ? QColor()
                                                                                   : line);
    m_chart->refresh();
    updatePageButtons();
}

void SessionGraphView::updatePageButtons() {
    const int s = m_sessions.currentSession();
    const bool notFirst = s != 0;
    const bool notLast = s + 1 != m_sessions.sessionsShown();
    m_firstPage->setEnabled(notFirst);
    m_pageUp->setEnabled(notFirst);
    m_pageDown->setEnabled(notLast);
    m_lastPage->setEnabled(notLast);
}

void SessionGraphView::cursorReadout() {
    if (m_sessions.sessionCount() == 0 || m_drawnSession < 0 ||
        m_drawnSession >= m_sessions.sessionCount())
        return;
    const int s = m_drawnSession;
    const std::int64_t r = m_plot.sampleOfPoint(m_chart->cursorPoint());
    if (r < 0) {
        for (QLabel* l : {m_main.time, m_main.reading, m_sub.time, m_sub.reading})
            l->clear();
    } else {
        const int row = static_cast<int>(r) + 1;
        m_main.time->setText(m_tabs.cellText(s, row, 1));
        m_main.reading->setText(m_tabs.cellText(s, row, 2));
        if (m_sessions.session(s)[static_cast<std::size_t>(r)].hasSub != 0) {
            m_sub.time->setText(m_tabs.cellText(s, row, 1));
            m_sub.reading->setText(m_tabs.cellText(s, row, 3));
        } else {
            m_sub.time->clear();
            m_sub.reading->clear();
        }
    }
    m_chart->setYAxisLabel(translate("SessionGraphView", "Reading"));
}

// --- pictures and printing ---------------------------------------------------------

bool SessionGraphView::exportPictures(bool bitmap, ExportDestination destination, int first,
                                      int last, const QString& path, double width, double height,
                                      QString* reason) {
    const PageRange range = ClampPageRange(first, last, m_sessions.sessionsShown());
    if (range.empty())
        return true;
    const PictureExportRequest request{bitmap ? ExportType::BitMap : ExportType::MetaFile,
                                       destination,
                                       path,
                                       QSize(static_cast<int>(width), static_cast<int>(height)),
                                       range.first,
                                       range.last,
                                       m_sessions.currentSession() + 1,
                                       printedDocument()};
    const PictureExportResult result = exportChartPictures(
        m_dialogs, *m_chart, request, m_printer, window(),
        [this](int page) { drawSession(page - 1); }, reason);
    return result != PictureExportResult::WriteFailed;
}

void SessionGraphView::print() {
    printChart(m_dialogs, *m_chart, m_printer, window(), printedDocument());
}

QString SessionGraphView::printedDocument() const {
    const QString path = m_sessions.documentPath();
    return path.isEmpty() ? translate("SessionGraphView", "sessions downloaded from the meter")
                          : QFileInfo(path).fileName();
}

} // namespace telmora
