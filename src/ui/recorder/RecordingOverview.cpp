#include "ui/recorder/RecordingOverview.h"

#include "model/functiontable.h"
#include "model/needle.h"

#include "app/UserDialogs.h"
#include "recording/RecorderController.h"
#include "recording/Recording.h"
#include "recording/recordertext.h"
#include "recording/recordingview.h"
#include "text/texts.h"
#include "ui/chart/ChartWidget.h"
#include "ui/common/BusyCursor.h"
#include "ui/common/StatisticsPanel.h"
#include "ui/common/contrast.h"
#include "ui/export/ExportDialog.h"
#include "ui/export/pictureexport.h"
#include "ui/live/SpokenReading.h"
#include "ui/recorder/AccentLabel.h"
#include "ui/recorder/markerviews.h"
#include "ui/recorder/recorderfiles.h"
#include "ui/recorder/recordertraces.h"
#include "ui/recorder/recorderwidgets.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>

namespace telmora {

namespace {

constexpr float kOverviewNoValue = -99999.0f;

constexpr int kResetPoints = 100;

// Time, reading, prefix and unit of a sample in four panels, with the degree and
// ohm signs as the recorder shows them ("°C", "kΩ").
void showSample(const ReadingRecord& r, QLabel* time, QLabel* data, QLabel* prefix, QLabel* unit) {
    const std::uint32_t code = r.function();
    time->setText(RecordText(r.timeText).trimmed());
    // A temperature's unit is written "°C" (the stored texts have the bare letter).
    const QString degrees = DegreeUnit(code);
    if (!degrees.isEmpty()) {
        data->setText(WithoutDegreeLetter(code, RecordText(r.displayText)));
        prefix->clear();
        unit->setText(degrees);
        unit->setAlignment(Qt::AlignCenter);
        return;
    }
    const bool degree = IsBareTemperature(MeterFunctionOf(code));
    data->setText(RecordText(r.displayText).trimmed());
    prefix->setText(RecordText(r.prefixText));
    prefix->setAlignment(degree ? (Qt::AlignRight | Qt::AlignVCenter) : Qt::AlignCenter);
    QString unitText = RecordText(r.unitText);
    if (ShowsOhmSign(code) && unitText == QStringLiteral("W"))
        unitText = QString(QChar(0x03A9));
    unit->setText(unitText);
    unit->setAlignment(degree ? (Qt::AlignLeft | Qt::AlignVCenter) : Qt::AlignCenter);
}

} // namespace

RecordingOverview::RecordingOverview(UserDialogs& dialogs, QPrinter* printer, QWidget* parent)
    : QDialog(parent), m_dialogs(dialogs), m_printer(printer),
      m_documentName(UnsavedRecordingName()) {
    setObjectName(QStringLiteral("recordingOverview"));
    setWindowTitle(text(TextId::ViewerCaption));
    // A normal window of its own (framed, resizable, with the usual caption
    // buttons) until it is made a panel of the main window; viewRecording and
    // viewRecorder show it modally.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    buildControls();
    setUpGraph();
    resize(QSize(960, 640).expandedTo(minimumSizeHint()));
}

RecordingOverview::~RecordingOverview() = default;

void RecordingOverview::buildControls() {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_displayPanel = new QWidget(this);
    m_displayPanel->setObjectName(QStringLiteral("displayPanel"));
    auto* row = new QHBoxLayout(m_displayPanel);
    row->setContentsMargins(6, 4, 6, 4);
    row->setSpacing(3);
    buildToolButtons(row);
    row->addSpacing(14);
    m_largest =
        buildExtremePanels(row, "Max", AccentLabel::reds(),
                           translate("RecordingOverview", "Put the cursor on the largest sample"));
    row->addSpacing(14);
    m_smallest =
        buildExtremePanels(row, "Min", AccentLabel::fuchsias(),
                           translate("RecordingOverview", "Put the cursor on the smallest sample"));
    m_powerFactorMain = new QLabel(m_displayPanel);
    m_powerFactorSub = new QLabel(m_displayPanel);
    m_powerFactorMain->hide();
    m_powerFactorSub->hide();
    row->addWidget(m_powerFactorMain);
    row->addWidget(m_powerFactorSub);
    row->addSpacing(14);
    m_closeButton = new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton),
                                    text(TextId::CloseButton), m_displayPanel);
    m_closeButton->setObjectName(QStringLiteral("closeButton"));
    m_closeButton->setAutoDefault(false);
    row->addWidget(m_closeButton);
    layout->addWidget(m_displayPanel);

    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    layout->addWidget(line);

    auto* graphRow = new QHBoxLayout;
    graphRow->setSpacing(4);
    m_chart = new ChartWidget(this);
    m_chart->setObjectName(QStringLiteral("ChartWidgetView"));
    graphRow->addWidget(m_chart, 1);
    m_statisticsPanel = new StatisticsPanel(this);
    graphRow->addWidget(m_statisticsPanel);
    layout->addLayout(graphRow, 1);

    m_statusBar = new QStatusBar(this);
    m_statusBar->setSizeGripEnabled(false);
    layout->addWidget(m_statusBar);
    connectControls();
}

void RecordingOverview::buildToolButtons(QHBoxLayout* row) {
    auto tool = [this, row](const char* name, TextId hint, RecorderGlyph glyph) {
        auto* b = new QToolButton(m_displayPanel);
        b->setObjectName(QLatin1String(name));
        b->setToolTip(text(hint));
        b->setAccessibleName(text(hint));
        b->setIcon(MakeRecorderGlyph(glyph));
        b->setIconSize(QSize(20, 20));
        b->setAutoRaise(true);
        row->addWidget(b);
        return b;
    };
    m_printButton = tool("printButton", TextId::HintPrintPage, RecorderGlyph::ViewerPrint);
    m_undoZoomButton = tool("undoZoomButton", TextId::HintUndoZoom, RecorderGlyph::ViewerUndoZoom);
    m_undoZoomButton->setEnabled(false);
    m_exportButton = tool("exportButton", TextId::HintExport, RecorderGlyph::ViewerExport);
}

// "Max." or "Min." in its colour, then time, reading, prefix, unit and a hidden
// power-factor panel; a click on the reading puts the cursor on that sample.
RecordingOverview::ExtremePanels RecordingOverview::buildExtremePanels(QHBoxLayout* row,
                                                                       const char* prefix,
                                                                       std::vector<QColor> colours,
                                                                       const QString& dataHint) {
    const QString name = QLatin1String(prefix);
    auto panel = [&](const char* part, int minWidth) {
        return MakeValuePanel(m_displayPanel, (name + QLatin1String(part)).toLatin1().constData(),
                              minWidth);
    };
    ExtremePanels p;
    p.caption = new AccentLabel(name + QLatin1Char('.'), std::move(colours), m_displayPanel);
    p.time = panel("TimePanel", 100);
    p.data = panel("DataPanel", 90);
    p.prefix = panel("PrefixPanel", 34);
    p.unit = panel("UnitPanel", 40);
    p.powerFactor = panel("PFPanel", 40);
    p.powerFactor->hide();
    p.data->setCursor(Qt::PointingHandCursor);
    p.data->installEventFilter(this);
    p.data->setToolTip(dataHint);
    row->addWidget(p.caption);
    row->addWidget(p.time, 3);
    row->addWidget(p.data, 3);
    row->addWidget(p.prefix, 1);
    row->addWidget(p.unit, 1);
    row->addWidget(p.powerFactor);
    return p;
}

void RecordingOverview::connectControls() {
    connect(m_printButton, &QToolButton::clicked, this, &RecordingOverview::printGraph);
    connect(m_undoZoomButton, &QToolButton::clicked, this, &RecordingOverview::undoZoom);
    connect(m_exportButton, &QToolButton::clicked, this, &RecordingOverview::exportGraph);
    connect(m_closeButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_chart, &ChartWidget::zoomed, this, &RecordingOverview::enableUndoZoom);
    connect(m_chart, &ChartWidget::cursorMoved, this, &RecordingOverview::showStatistics);
}

void RecordingOverview::setUpGraph() {
    ChartWidget* g = m_chart;
    g->setMainTitle(translate("RecordingOverview", "Data Logger"));
    g->setSubTitle(QString());
    g->setYAxisLabel(translate("RecordingOverview", "Reading"));
    g->setXAxisLabel(translate("RecordingOverview", "Time"));
    // Desk, graph area, grid and line follow the palette (a blue line on light ones).
    g->setPlotStyle(ChartWidget::PlotStyle::Line);
    g->setLineType(ChartWidget::LineWeight::Medium, ChartWidget::LineStyle::DashDotDot);
    g->setWidestValueText(QStringLiteral("00000000.000"));
    g->setWidestPointLabel(QStringLiteral("00:00:00.000"));
    g->setDecimals(3);
    g->setNullValue(kOverviewNoValue);
    g->setViewStart(ChartWidget::ViewStart::LastPoint);
    g->setPointSize(ChartWidget::PointSize::Large);
    g->setGridLines(ChartWidget::GridLines::Both);
    g->setCursorMode(ChartWidget::CursorMode::VerticalLine);
    g->setMouseMovesCursor(true);
    g->setZoomMode(ChartWidget::ZoomMode::Both);
    g->setPointCount(kResetPoints);
    g->setYRange(-100.0, 100.0);
    g->refresh();
}

void RecordingOverview::viewRecording(const Recording& recording,
                                      const RecordingStatistics& statistics) {
    showRecording(recording, statistics);
    exec();
}

void RecordingOverview::viewRecorder(const RecorderController& controller) {
    showRecorder(controller);
    exec();
}

void RecordingOverview::showRecorder(const RecorderController& controller) {
    m_recorder = &controller;
    showRecording(controller.recording(), controller.statistics());
}

void RecordingOverview::showRecording(const Recording& recording) {
    m_ownStatistics.clear();
    for (std::int64_t i = 0; i < static_cast<std::int64_t>(recording.size()); ++i) {
        if (const std::optional<SampleEntry> sample = recording.readSample(i))
            m_ownStatistics.add(*sample);
        else
            m_ownStatistics.skip();
    }
    showRecording(recording, m_ownStatistics);
}

void RecordingOverview::showRecording(const Recording& recording,
                                      const RecordingStatistics& statistics) {
    const BusyCursor busy;
    if (m_recorder != nullptr && &m_recorder->recording() != &recording)
        m_recorder = nullptr; // another recording: no meters of the recorder beside it
    m_recording = &recording;
    m_statistics = &statistics;
    m_chart->setFocus();
    m_reduction = ReduceRecordingForView(recording);
    m_pointCount = static_cast<std::int32_t>(m_reduction.pointCount());
    plotReduction();
    m_chart->setMarkers(m_recorder != nullptr ? OverviewMarkers(m_recorder->markers(), m_reduction)
                                              : std::vector<ChartMarker>{});
    m_chart->setCursorPoint(0);
    m_chart->resetZoom();
    m_undoZoomButton->setEnabled(false);
    showExtreme(m_largest, recording.maxIndex());
    showExtreme(m_smallest, recording.minIndex());
    showStatistics();
}

// One point per sample of the reduction, or a single empty point for an empty buffer.
void RecordingOverview::plotReduction() {
    ChartWidget* g = m_chart;
    const int points = std::max(m_pointCount, 1);
    g->setPointCount(points);
    g->setVisiblePoints(points);
    // The value axis spans the readings (and the lines beside them), not more.
    g->setAutomaticYRange();
    if (m_pointCount == 0) {
        g->setValue(0, kOverviewNoValue);
        g->setPointLabel(0, QStringLiteral(" "));
        g->setGapAfter(0, false);
    }
    const SampleGaps& gaps = m_recording->gaps();
    for (std::int32_t p = 0; p < m_pointCount; ++p) {
        const std::int64_t i = m_reduction.indexOfPoint(p);
        plotSample(p, i);
        // No line across a time the readings were away.
        g->setGapAfter(
            p, p + 1 < m_pointCount &&
                   gaps.anyBetween(static_cast<std::size_t>(i),
                                   static_cast<std::size_t>(m_reduction.indexOfPoint(p + 1))));
    }
    plotTraces();
    g->refresh();
}

void RecordingOverview::plotTraces() {
    if (m_recorder == nullptr || m_pointCount == 0 || !HasSeveralTraces(*m_recorder)) {
        m_chart->setTraces({});
        return;
    }
    const PointIndex indexOf = [this](int point) { return m_reduction.indexOfPoint(point); };
    m_chart->setSeriesName(MeterLabel(*m_recorder, 0),
                           MeterAxisUnit(*m_recorder, 0, m_pointCount, indexOf));
    // The traces take the colours that show on the graph area's (the palette's) base.
    const bool darkBase = RelativeLuminance(palette().color(QPalette::Base)) < 0.18;
    m_chart->setTraces(RecorderTraces(*m_recorder, m_pointCount, indexOf, darkBase));
}

void RecordingOverview::plotSample(int point, std::int64_t index) {
    if (const std::optional<SampleEntry> sample = m_recording->readSample(index)) {
        m_chart->setValue(point, m_recording->valueAt(index));
        m_chart->setPointLabel(point, RecordText(sample->main.timeText));
    } else {
        // Its file no longer holds the sample: nothing of it is shown.
        m_chart->setValue(point, kOverviewNoValue);
        m_chart->setPointLabel(point, QStringLiteral(" "));
    }
}

// The sample at `index` of the buffer, or empty panels when there is none.
void RecordingOverview::showExtreme(const ExtremePanels& panels, std::int64_t index) {
    if (index >= 0 && index < static_cast<std::int64_t>(m_recording->size())) {
        showSample(m_recording->sampleAt(index).main, panels.time, panels.data, panels.prefix,
                   panels.unit);
        return;
    }
    for (QLabel* l : {panels.time, panels.data, panels.prefix, panels.unit})
        l->clear();
}

void RecordingOverview::releaseRecording() {
    m_reduction = ViewReduction{};
    m_pointCount = 0;
    ChartWidget* g = m_chart;
    g->setPointCount(kResetPoints);
    g->setVisiblePoints(kResetPoints);
    g->setYRange(-100.0, 100.0);
    std::size_t available = 0;
    if (m_recording != nullptr)
        available = std::min<std::size_t>(m_recording->size(), kResetPoints);
    for (int p = 0; p < kResetPoints; ++p) {
        if (static_cast<std::size_t>(p) < available) {
            plotSample(p, p);
        } else {
            g->setValue(p, kOverviewNoValue);
            g->setPointLabel(p, QStringLiteral(" "));
        }
    }
    g->setTraces({});
    g->refresh();
    m_recording = nullptr;
    m_recorder = nullptr;
    m_statistics = nullptr;
    m_ownStatistics.clear();
    m_statisticsPanel->clear();
}

void RecordingOverview::keyPressEvent(QKeyEvent* event) {
    // Escape closes the viewer in a window of its own; a panel stays where it is.
    if (!isWindow() && event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->ignore();
        return;
    }
    QDialog::keyPressEvent(event);
}

void RecordingOverview::done(int result) {
    releaseRecording();
    QDialog::done(result);
}

bool RecordingOverview::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (watched == m_largest.data) {
            pointAtLargest();
            return true;
        }
        if (watched == m_smallest.data) {
            pointAtSmallest();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void RecordingOverview::pointAtLargest() {
    if (m_pointCount > 0)
        m_chart->setCursorPoint(static_cast<int>(m_reduction.maxPoint));
}

void RecordingOverview::pointAtSmallest() {
    if (m_pointCount > 0)
        m_chart->setCursorPoint(static_cast<int>(m_reduction.minPoint));
}

void RecordingOverview::enableUndoZoom() {
    m_undoZoomButton->setEnabled(true);
    showStatistics();
}

void RecordingOverview::undoZoom() {
    m_chart->resetZoom();
    m_undoZoomButton->setEnabled(false);
    showStatistics();
}

void RecordingOverview::refreshStatistics() {
    if (m_recording != nullptr)
        showStatistics();
}

void RecordingOverview::showStatistics() {
    if (m_recording == nullptr || m_statistics == nullptr || m_pointCount == 0) {
        m_statisticsPanel->clear();
        return;
    }
    const Recording& recording = *m_recording;
    const auto indexOf = [this](int point) {
        return m_reduction.indexOfPoint(std::clamp<std::int64_t>(point, 0, m_pointCount - 1));
    };
    const std::optional<SampleEntry> atCursor =
        recording.readSample(indexOf(m_chart->cursorPoint()));
    if (!atCursor) {
        m_statisticsPanel->clear();
        return;
    }
    const TypedReading reading = RecorderMainReading(*atCursor);
    // A reduced graph shows whole blocks: the range runs from block edge to block edge.
    const auto [firstPoint, lastPoint] = m_chart->shownPoints();
    GroupedStatistics shown;
    if (firstPoint <= lastPoint) {
        const std::int64_t b = m_reduction.blockSize;
        const std::int64_t first = indexOf(firstPoint) / b * b;
        const std::int64_t end =
            std::min((indexOf(lastPoint) / b + 1) * b, m_reduction.samplesUsed);
        shown = m_statistics->range(static_cast<std::size_t>(first), static_cast<std::size_t>(end),
                                    [&recording](std::size_t i) {
                                        return recording.readSample(static_cast<std::int64_t>(i));
                                    });
    }
    m_statisticsPanel->setColumnTitle(StatisticsPanel::Column::Shown,
                                      m_chart->isZoomed()
                                          ? translate("RecordingOverview", "Zoom")
                                          : translate("RecordingOverview", "Shown"));
    m_statisticsPanel->showGroups(
        m_statistics->whole().find(reading.function, reading.unit),
        shown.find(reading.function, reading.unit),
        StatisticsPanel::Resolution{reading.prefixExponent, reading.decimals});
}

} // namespace telmora
