// ChartWidget's further traces: one axis per unit, graphs stacked below the upper
// one for units beyond its two axes, and the legend.

#include "ui/chart/ChartWidgetImpl.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace telmora {

namespace {

constexpr int kUnitsPerGraph = 2;

// Monochrome lines are told apart by their dashes.
Qt::PenStyle monochromeStyle(std::size_t trace) {
    static constexpr Qt::PenStyle styles[] = {Qt::DashLine, Qt::DotLine, Qt::DashDotLine,
                                              Qt::DashDotDotLine};
    return styles[trace % std::size(styles)];
}

} // namespace

// --- the traces --------------------------------------------------------------------

void ChartWidget::setSeriesName(const QString& name, const QString& unit) {
    d->seriesName = name;
    d->seriesUnit = unit;
}

void ChartWidget::setTraces(std::vector<Trace> traces) {
    d->traces = std::move(traces);
}

int ChartWidget::traceCount() const {
    return static_cast<int>(d->traces.size());
}

float ChartWidget::traceValue(int trace, int point) const {
    if (trace < 0 || trace >= traceCount() || point < 0)
        return std::numeric_limits<float>::quiet_NaN();
    const std::vector<float>& values = d->traces[static_cast<std::size_t>(trace)].values;
    return static_cast<std::size_t>(point) < values.size()
               ? values[static_cast<std::size_t>(point)]
               : std::numeric_limits<float>::quiet_NaN();
}

ChartWidget::TracePlace ChartWidget::tracePlace(int trace) const {
    if (trace < 0 || static_cast<std::size_t>(trace) >= d->tracePlaces.size())
        return {};
    return d->tracePlaces[static_cast<std::size_t>(trace)];
}

int ChartWidget::graphCount() const {
    return 1 + static_cast<int>(d->lowerGraphs.size());
}

bool ChartWidget::legendShown() const {
    return d->plot->legend->visible();
}

// --- building ------------------------------------------------------------------------

void ChartWidget::placeTraces() {
    std::vector<QString> units{d->seriesUnit};
    std::vector<TracePlace> places;
    for (const Trace& trace : d->traces) {
        const auto found = std::find(units.begin(), units.end(), trace.unit);
        const auto k = static_cast<int>(found - units.begin());
        if (found == units.end())
            units.push_back(trace.unit);
        places.push_back(
            {k / kUnitsPerGraph, k % kUnitsPerGraph == 0 ? TraceAxis::Left : TraceAxis::Right});
    }
    const bool unchanged = places == d->tracePlaces && units == d->axisUnits &&
                           d->traceGraphs.size() == d->traces.size();
    d->axisUnits = units;
    if (unchanged)
        return;
    QCustomPlot* plot = d->plot;
    for (QCPGraph* graph : d->traceGraphs)
        plot->removeGraph(graph);
    d->traceGraphs.clear();
    d->tracePlaces = places;

    const auto graphs = static_cast<std::size_t>((units.size() + 1) / kUnitsPerGraph);
    while (d->lowerGraphs.size() + 1 > graphs) {
        plot->removeItem(d->lowerGraphs.back().cursorLine);
        plot->plotLayout()->remove(d->lowerGraphs.back().rect);
        d->lowerGraphs.pop_back();
    }
    plot->plotLayout()->simplify();
    while (d->lowerGraphs.size() + 1 < graphs)
        addLowerGraph();
    for (const TracePlace& place : places) {
        QCPAxis* value = d->valueAxis(place);
        d->traceGraphs.push_back(plot->addGraph(value->axisRect()->axis(QCPAxis::atBottom), value));
    }
}

// A graph below the others with the same point axis: it follows the upper graph's
// view and lines up with it at the left and right.
void ChartWidget::addLowerGraph() {
    QCustomPlot* plot = d->plot;
    if (d->marginGroup == nullptr) {
        d->marginGroup = new QCPMarginGroup(plot);
        plot->axisRect()->setMarginGroup(QCP::msLeft | QCP::msRight, d->marginGroup);
    }
    auto* rect = new QCPAxisRect(plot, true);
    plot->plotLayout()->addElement(plot->plotLayout()->rowCount(), 0, rect);
    rect->setMarginGroup(QCP::msLeft | QCP::msRight, d->marginGroup);
    rect->axis(QCPAxis::atTop)->setVisible(false);
    QCPAxis* x = rect->axis(QCPAxis::atBottom);
    x->setTicker(d->ticker);
    x->setRange(plot->xAxis->range());
    connect(plot->xAxis, qOverload<const QCPRange&>(&QCPAxis::rangeChanged), x,
            qOverload<const QCPRange&>(&QCPAxis::setRange));
    for (QCPAxis* axis : rect->axes()) {
        axis->setNumberFormat(QStringLiteral("f"));
        axis->setTickLabelFont(plot->yAxis->tickLabelFont());
        axis->setSelectedTickLabelFont(plot->yAxis->tickLabelFont());
        axis->setLabelFont(plot->yAxis->labelFont());
        axis->setSelectedLabelFont(plot->yAxis->labelFont());
    }
    auto* line = new QCPItemStraightLine(plot);
    line->setClipToAxisRect(true);
    line->setClipAxisRect(rect);
    for (QCPItemPosition* end : {line->point1, line->point2}) {
        end->setAxisRect(rect);
        end->setAxes(x, rect->axis(QCPAxis::atLeft));
    }
    d->lowerGraphs.push_back({rect, line});
}

void ChartWidget::rebuildTraces() {
    placeTraces();
    const double gap = std::numeric_limits<double>::quiet_NaN();
    for (std::size_t t = 0; t < d->traces.size(); ++t) {
        QVector<QCPGraphData> data;
        data.reserve(d->points());
        for (int p = 0; p < d->points(); ++p) {
            const float v = traceValue(static_cast<int>(t), p);
            data.append(QCPGraphData(p, d->isNull(v) ? gap : double(v)));
            if (gapAfter(p))
                data.append(QCPGraphData(p + 0.5, gap));
        }
        d->traceGraphs[t]->data()->set(data, true);
        d->traceGraphs[t]->setName(d->traces[t].name);
    }
}

// --- drawing -------------------------------------------------------------------------

void ChartWidget::applyTraceStyle(const QPen& seriesPen, bool markers, int markerSize) {
    const bool mono = d->viewingStyle == ViewingStyle::Monochrome;
    // Traces set since the last refresh() are styled with it, not before.
    const std::size_t drawn = std::min(d->traceGraphs.size(), d->traces.size());
    // A trace without a colour of its own: green that shows on the graph area.
    const QColor green = ReadableOn(
        d->backColor(), {QColor(Qt::darkGreen), QColor(0x5a, 0xdc, 0x5a)}, kGraphicContrast);
    for (std::size_t t = 0; t < drawn; ++t) {
        QCPGraph* graph = d->traceGraphs[t];
        const QColor c = mono ? QColor(Qt::black)
                              : (d->traces[t].colour.isValid() ? d->traces[t].colour : green);
        QPen pen = seriesPen;
        pen.setColor(c);
        if (mono)
            pen.setStyle(monochromeStyle(t));
        graph->setPen(pen);
        graph->setAntialiased(d->graph->antialiased());
        graph->setLineStyle(d->plotStyle == PlotStyle::Points ? QCPGraph::lsNone
                                                              : QCPGraph::lsLine);
        graph->setScatterStyle(markers ? QCPScatterStyle(QCPScatterStyle::ssDisc, c, c, markerSize)
                                       : QCPScatterStyle(QCPScatterStyle::ssNone));
    }
    // Each unit's axis, labelled with the unit (the upper left keeps the caller's label).
    const auto unitCount = static_cast<int>(d->axisUnits.size());
    for (int k = 1; k < kUnitsPerGraph * graphCount(); ++k) {
        const TracePlace place{k / kUnitsPerGraph,
                               k % kUnitsPerGraph == 0 ? TraceAxis::Left : TraceAxis::Right};
        QCPAxis* axis = d->valueAxis(place);
        axis->setVisible(k < unitCount);
        axis->setTickLabels(k < unitCount);
        axis->setLabel(k < unitCount ? d->axisUnits[static_cast<std::size_t>(k)] : QString());
    }
    d->graph->setName(d->seriesName.isEmpty() ? d->yLabel : d->seriesName);
    QCPLegend* legend = d->plot->legend;
    legend->setVisible(!d->traceGraphs.empty());
    legend->setFont(d->plot->yAxis->tickLabelFont());
    const QColor back = mono ? QColor(Qt::white) : d->backColor();
    legend->setBrush(back);
    legend->setTextColor(TextColourOn(back));
    legend->setBorderPen(QPen(mono ? QColor(Qt::black) : d->foreColor()));
    d->plot->axisRect()->insetLayout()->setInsetAlignment(0, Qt::AlignTop | Qt::AlignLeft);
}

// The value span of the lines drawn against `place`'s axis, with a tenth of it
// as room above and below; the series only on the upper left axis.
QCPRange ChartWidget::valueSpan(TracePlace place) const {
    double lo = std::numeric_limits<double>::max();
    double hi = std::numeric_limits<double>::lowest();
    const auto take = [&](float v) {
        if (!d->isNull(v)) {
            lo = std::min(lo, double(v));
            hi = std::max(hi, double(v));
        }
    };
    if (place == TracePlace{})
        std::for_each(d->values.begin(), d->values.end(), take);
    for (std::size_t t = 0; t < d->traces.size() && t < d->tracePlaces.size(); ++t)
        if (d->tracePlaces[t] == place)
            std::for_each(d->traces[t].values.begin(), d->traces[t].values.end(), take);
    if (lo > hi)
        return {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::quiet_NaN()};
    // Values all alike: room of a tenth of their size (1 around zero).
    const double margin = hi > lo ? (hi - lo) * 0.1 : (hi != 0.0 ? std::fabs(hi) * 0.1 : 1.0);
    return {lo - margin, hi + margin};
}

void ChartWidget::applyTraceRanges() {
    for (int k = 1; k < static_cast<int>(d->axisUnits.size()); ++k) {
        const TracePlace place{k / kUnitsPerGraph,
                               k % kUnitsPerGraph == 0 ? TraceAxis::Left : TraceAxis::Right};
        const QCPRange span = valueSpan(place);
        const QCPRange range = std::isfinite(span.lower) ? span : QCPRange(-1.0, 1.0);
        QCPAxis* axis = d->valueAxis(place);
        axis->setRange(range);
        // Enough decimals that neighbouring ticks (about a fifth of the span apart)
        // never read alike, whatever the unit's size.
        const double step = range.size() / 5.0;
        const int decimals = step > 0.0 ? static_cast<int>(std::ceil(-std::log10(step))) : 0;
        axis->setNumberFormat(QStringLiteral("f"));
        axis->setNumberPrecision(std::clamp(decimals, 0, 9));
    }
}

void ChartWidget::updateTraceCursors(bool show, const QPen& pen) {
    for (const LowerGraph& lower : d->lowerGraphs) {
        lower.cursorLine->setVisible(show);
        lower.cursorLine->point1->setCoords(d->cursor, 0.0);
        lower.cursorLine->point2->setCoords(d->cursor, 1.0);
        if (pen.style() != Qt::NoPen)
            lower.cursorLine->setPen(pen);
    }
}

} // namespace telmora
