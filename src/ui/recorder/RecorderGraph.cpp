#include "ui/recorder/RecorderGraph.h"
#include "app/UserDialogs.h"

#include "recording/RecorderController.h"
#include "recording/recorderpages.h"
#include "recording/recordertext.h"
#include "text/texts.h"
#include "ui/chart/ChartWidget.h"
#include "ui/chart/GraphPrinter.h"
#include "ui/live/LiveReadout.h"
#include "ui/live/SpokenReading.h"
#include "ui/recorder/recorderfiles.h"
#include "ui/recorder/recordertraces.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace telmora {

namespace {

constexpr float kNull = -99999.0f;

// What a screen reader is told about the graph: its title, the newest reading as
// its value, and the newest reading with its time and the lowest and highest
// reading of the recording as its description.
LiveReadout::Texts graphTexts(const RecorderController& controller) {
    const QString title = translate("RecorderGraph", "Data Logger");
    const Recording& recording = controller.recording();
    if (recording.empty())
        return {title, QString(), translate("RecorderGraph", "No readings yet")};
    const SampleEntry newest = recording.sampleAt(static_cast<std::int64_t>(recording.size()) - 1);
    const QString spoken = SpokenRecord(newest.main);
    const QString described =
        translate("RecorderGraph", "Newest reading %1 at %2, lowest %3, highest %4")
            .arg(spoken, RecordText(newest.main.timeText).trimmed(),
                 SpokenRecord(recording.mainAt(recording.minIndex())),
                 SpokenRecord(recording.mainAt(recording.maxIndex())));
    return {title, spoken, described};
}

} // namespace

RecorderGraph::RecorderGraph(UserDialogs& dialogs, ChartWidget& chart,
                             const RecorderController& controller, std::int32_t pointsPerPage,
                             QPrinter& printer)
    : m_dialogs(dialogs), m_chart(chart), m_controller(controller), m_pointsPerPage(pointsPerPage),
      m_printer(printer) {
    // The readout reads the controller, which outlives the chart.
    m_readout = new LiveReadout(chart, QAccessible::Chart,
                                [&controller] { return graphTexts(controller); });
}

void RecorderGraph::setUp() {
    ChartWidget& g = m_chart;
    g.setMainTitle(translate("RecorderGraph", "Data Logger"));
    g.setSubTitle(QString());
    g.setYAxisLabel(translate("RecorderGraph", "Reading"));
    g.setXAxisLabel(translate("RecorderGraph", "Time"));
    g.setNullValue(kNull);
    g.setPointCount(m_pointsPerPage);
    g.setVisiblePoints(m_pointsPerPage);
    g.setLineType(ChartWidget::LineWeight::Thin, ChartWidget::LineStyle::Solid);
    g.setPlotStyle(ChartWidget::PlotStyle::Line);
    g.setWidestValueText(QStringLiteral("00000000.000"));
    g.setWidestPointLabel(QStringLiteral("00:00:00.000"));
    g.setDecimals(3);
    // The desk follows the palette; the graph area is black in every theme, and
    // grid, line and traces are chosen to show on it.
    g.setGraphBackColor(Qt::black);
    g.setGraphForeColor(QColor(128, 0, 128));
    g.setLineColor(QColor(192, 192, 192));
    g.setAutomaticYRange();
    g.setViewStart(ChartWidget::ViewStart::LastPoint);
    g.setPointSize(ChartWidget::PointSize::Large);
    g.setPointLabel(m_pointsPerPage - 1, QStringLiteral(" "));
    for (int i = 0; i < m_pointsPerPage; ++i)
        g.setValue(i, kNull);
    g.setGridLines(ChartWidget::GridLines::Both);
    g.setCursorMode(ChartWidget::CursorMode::VerticalLine);
    g.setMouseMovesCursor(true);
    g.setGridStyle(ChartWidget::GridStyle::Dotted);
    g.setZoomMode(ChartWidget::ZoomMode::Both);
    g.refresh();
}

void RecorderGraph::reset() {
    m_chart.setPointCount(m_pointsPerPage);
    m_chart.setVisiblePoints(m_pointsPerPage);
    for (int i = 0; i < m_pointsPerPage; ++i) {
        m_chart.setPointLabel(i, QStringLiteral(" "));
        m_chart.setValue(i, kNull);
        m_chart.setGapAfter(i, false);
    }
    m_values.assign(static_cast<std::size_t>(m_pointsPerPage), kNull);
    m_units.clear();
    drawTraces();
    m_chart.refresh();
    m_chart.setCursorPoint(m_pointsPerPage - 1);
    m_readout->changed();
}

void RecorderGraph::drawPage() {
    const Recording& recording = m_controller.recording();
    const auto n = static_cast<std::int64_t>(recording.size());
    const PageContents c =
        ContentsOfPage(n, m_controller.lastPage(), m_controller.currentPage(), m_pointsPerPage);
    m_values.assign(static_cast<std::size_t>(m_pointsPerPage), kNull);
    for (int p = 0; p < m_pointsPerPage; ++p) {
        const std::int64_t i = c.firstIndex + (p - c.firstPoint);
        if (p < c.firstPoint || i < 0 || i >= n) {
            m_chart.setValue(p, kNull);
            m_chart.setPointLabel(p, QStringLiteral(" "));
            m_chart.setGapAfter(p, false);
        } else if (const std::optional<SampleEntry> e = recording.readSample(i)) {
            m_values[static_cast<std::size_t>(p)] = recording.valueAt(i);
            m_chart.setValue(p, recording.valueAt(i));
            m_chart.setPointLabel(p, RecordText(e->main.timeText));
            m_chart.setGapAfter(p, recording.gaps().isGapAfter(static_cast<std::size_t>(i)));
        } else {
            // Its file no longer holds the sample: no point, as nothing can be shown of it.
            m_chart.setValue(p, kNull);
            m_chart.setPointLabel(p, QStringLiteral(" "));
            m_chart.setGapAfter(p, false);
        }
    }
    findUnits();
    drawTraces();
    m_chart.refresh();
    m_readout->changed();
}

void RecorderGraph::appendSample(std::int64_t index) {
    const Recording& recording = m_controller.recording();
    const std::optional<SampleEntry> entry = recording.readSample(index);
    const float value = entry ? recording.valueAt(index) : kNull;
    m_chart.appendPoint(entry ? RecordText(entry->main.timeText) : QStringLiteral(" "), value);
    if (!m_values.empty())
        m_values.erase(m_values.begin());
    m_values.push_back(value);
    // The units move along with the points; a new meter has them looked up anew.
    if (static_cast<int>(m_units.size()) == m_controller.meterCount()) {
        for (std::size_t m = 0; m < m_units.size(); ++m) {
            m_units[m].erase(m_units[m].begin());
            m_units[m].push_back(unitAt(static_cast<int>(m), index));
        }
    } else {
        findUnits();
    }
    // No line across the time the readings were away.
    if (index > 0 && recording.gaps().isGapAfter(static_cast<std::size_t>(index - 1)))
        m_chart.setGapAfter(m_pointsPerPage - 2, true);
    drawTraces();
    m_chart.refresh();
    m_chart.setCursorPoint(m_pointsPerPage - 1);
    m_readout->changed();
}

std::int64_t RecorderGraph::indexOfPoint(int point) const {
    return IndexOfPoint(point, static_cast<std::int64_t>(m_controller.recording().size()),
                        m_controller.lastPage(), m_controller.currentPage(), m_pointsPerPage);
}

QString RecorderGraph::unitAt(int meter, std::int64_t index) const {
    const Recording& recording = m_controller.meterRecording(meter);
    if (index < 0 || index >= static_cast<std::int64_t>(recording.size()) ||
        std::isnan(recording.valueAt(index)))
        return {};
    const std::optional<SampleEntry> sample = recording.readSample(index);
    return sample ? YAxisUnitSuffix(sample->main) : QString();
}

void RecorderGraph::findUnits() {
    m_units.assign(static_cast<std::size_t>(m_controller.meterCount()), {});
    for (std::size_t m = 0; m < m_units.size(); ++m) {
        m_units[m].reserve(static_cast<std::size_t>(m_pointsPerPage));
        for (int p = 0; p < m_pointsPerPage; ++p)
            m_units[m].push_back(unitAt(static_cast<int>(m), indexOfPoint(p)));
    }
}

int RecorderGraph::pointOfIndex(std::int64_t index) const {
    for (int point = 0; point < m_pointsPerPage; ++point)
        if (indexOfPoint(point) == index)
            return point;
    return -1;
}

void RecorderGraph::drawMarkers() {
    const RecordingMarkers& markers = m_controller.markers();
    if (markers.empty() && m_chart.markerCount() == 0)
        return;
    std::vector<ChartMarker> shown;
    for (int point = 0; point < m_pointsPerPage && !markers.empty(); ++point) {
        const std::int64_t index = indexOfPoint(point);
        const int at = markers.nextAfter(index - 1);
        if (at >= 0 && markers.at(at).sample == index)
            shown.push_back({point, markers.noteAt(index)});
    }
    m_chart.setMarkers(shown);
}

void RecorderGraph::drawTraces() {
    drawMarkers();
    const PointIndex indexOf = [this](int point) { return indexOfPoint(point); };
    if (static_cast<int>(m_units.size()) != m_controller.meterCount())
        findUnits();
    // The first meter's line is the series in its newest unit; its readings in
    // other units become lines of their own.
    const QString name = MeterLabel(m_controller, 0);
    const QString unit = MeterAxisUnit(m_controller, 0, m_pointsPerPage, indexOf);
    m_chart.setSeriesName(name, unit);
    ChartWidget::Trace series{name, m_chart.lineColor(), unit, m_values};
    std::vector<ChartWidget::Trace> traces;
    static const std::vector<QString> kNoUnits;
    SplitByUnit(series, m_units.empty() ? kNoUnits : m_units.front(), traces);
    for (int p = 0; p < m_pointsPerPage && p < static_cast<int>(series.values.size()); ++p)
        m_chart.setValue(p, std::isnan(series.values[static_cast<std::size_t>(p)])
                                ? kNull
                                : series.values[static_cast<std::size_t>(p)]);
    std::vector<ChartWidget::Trace> lines;
    if (HasSeveralTraces(m_controller)) {
        // The graph's background is black: the traces take the colours that show on it.
        lines = RecorderTraces(m_controller, m_pointsPerPage, indexOf, true);
        // Meters 2.. come first (the math channel after them), each in its newest unit.
        for (std::size_t meter = 1; meter < m_units.size() && meter - 1 < lines.size(); ++meter)
            SplitByUnit(lines[meter - 1], m_units[meter], traces);
    }
    lines.insert(lines.end(), std::make_move_iterator(traces.begin()),
                 std::make_move_iterator(traces.end()));
    traces = std::move(lines);
    if (!traces.empty() || m_chart.traceCount() > 0)
        m_chart.setTraces(std::move(traces));
}

std::int64_t RecorderGraph::cursorIndex() const {
    return indexOfPoint(m_chart.cursorPoint());
}

QStringList RecorderGraph::readingsAtCursor() const {
    const std::int64_t i = cursorIndex();
    if (!HasSeveralTraces(m_controller) || i < 0 ||
        i >= static_cast<std::int64_t>(m_controller.recording().size()))
        return {};
    return ReadingsAt(m_controller, i);
}

std::optional<SampleEntry> RecorderGraph::sampleAtCursor() const {
    const Recording& recording = m_controller.recording();
    const auto count = static_cast<std::int64_t>(recording.size());
    const std::int64_t i = indexOfPoint(m_chart.cursorPoint());
    if (i < 0 || i >= count)
        return std::nullopt;
    return recording.readSample(i);
}

std::pair<std::int64_t, std::int64_t> RecorderGraph::shownSamples() const {
    const auto count = static_cast<std::int64_t>(m_controller.recording().size());
    const auto [firstPoint, lastPoint] = m_chart.shownPoints();
    const auto index = [&](int point) {
        return IndexOfPoint(point, count, m_controller.lastPage(), m_controller.currentPage(),
                            m_pointsPerPage);
    };
    const std::int64_t last = index(lastPoint);
    if (firstPoint > lastPoint || last < 0)
        return {0, 0}; // only empty points of a partial page
    return {std::max<std::int64_t>(index(firstPoint), 0), std::min(last + 1, count)};
}

void RecorderGraph::showUnitOf(const SampleEntry* sample) {
    QString label = translate("RecorderGraph", "Reading");
    if (sample != nullptr)
        label += YAxisUnitSuffix(sample->main);
    if (m_chart.yAxisLabel() != label) {
        m_chart.setYAxisLabel(label);
        m_chart.restyle();
    }
}

void RecorderGraph::printPage() {
    printChart(m_dialogs, m_chart, m_printer, m_chart.window(), PrintedDocumentName(m_controller));
}

} // namespace telmora
