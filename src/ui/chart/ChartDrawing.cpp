// How ChartWidget draws: axes, ticks, colours, the series and the cursor.

#include "ui/chart/ChartWidgetImpl.h"
#include "ui/common/digitpattern.h"

#include <QFontMetrics>

#include <algorithm>
#include <cmath>
#include <limits>

namespace telmora {

namespace {

bool isDark(const QColor& c) {
    return c.lightnessF() < 0.5;
}

QPen gridPen(const QColor& colour, ChartWidget::GridStyle style) {
    QPen pen(colour, 0);
    switch (style) {
    case ChartWidget::GridStyle::ThickSolid:
        pen.setWidth(2);
        break;
    case ChartWidget::GridStyle::Dotted:
        pen.setStyle(Qt::DotLine);
        break;
    case ChartWidget::GridStyle::Dashed:
        pen.setStyle(Qt::DashLine);
        break;
    case ChartWidget::GridStyle::ThinSolid:
        break;
    }
    return pen;
}

Qt::PenStyle penStyleOf(ChartWidget::LineStyle style) {
    switch (style) {
    case ChartWidget::LineStyle::Dash:
        return Qt::DashLine;
    case ChartWidget::LineStyle::Dot:
        return Qt::DotLine;
    case ChartWidget::LineStyle::DashDot:
        return Qt::DashDotLine;
    case ChartWidget::LineStyle::DashDotDot:
        return Qt::DashDotDotLine;
    case ChartWidget::LineStyle::Solid:
        break;
    }
    return Qt::SolidLine;
}

int penWidthOf(ChartWidget::LineWeight weight) {
    switch (weight) {
    case ChartWidget::LineWeight::Medium:
        return 2;
    case ChartWidget::LineWeight::Thick:
        return 3;
    case ChartWidget::LineWeight::Thin:
        break;
    }
    return 1;
}

int markerSizeOf(ChartWidget::PointSize size) {
    static constexpr int sizes[] = {2, 3, 5, 7};
    return sizes[static_cast<int>(size)];
}

} // namespace

// --- point label ticks -------------------------------------------------------------

double PointLabelTicker::getTickStep(const QCPRange& range) {
    const double wanted = std::max(1.0, range.size() / std::max(1, maxTicks));
    static constexpr double steps[] = {1, 2, 5, 10, 20, 25, 50, 100, 200, 250, 500};
    for (double s : steps)
        if (s >= wanted)
            return s;
    const double magnitude = std::pow(10.0, std::floor(std::log10(wanted)));
    return std::ceil(wanted / magnitude) * magnitude;
}

QVector<double> PointLabelTicker::createTickVector(double step, const QCPRange& range) {
    QVector<double> ticks;
    const double last = std::floor(range.upper);
    const double first = std::ceil(range.lower);
    for (double t = last; t >= first && ticks.size() < 1000; t -= step)
        ticks.prepend(t);
    return ticks;
}

QString PointLabelTicker::getTickLabel(double tick, const QLocale&, QChar, int) {
    const long long i = std::llround(tick);
    if (labels == nullptr || i < 0 || i >= static_cast<long long>(labels->size()))
        return {};
    return (*labels)[static_cast<std::size_t>(i)].trimmed();
}

// --- drawing -----------------------------------------------------------------------

void ChartWidget::updateCursorItem() {
    const bool show = d->cursorMode != CursorMode::None && d->points() > 0;
    d->cursorLine->setVisible(show);
    const double x = d->cursor;
    d->cursorLine->point1->setCoords(x, 0.0);
    d->cursorLine->point2->setCoords(x, 1.0);
    const bool onValue = show && !d->isNull(d->valueAt(d->cursor));
    d->cursorMark->setVisible(onValue);
    // The tracer follows the point only while there is a value to mark.
    d->cursorMark->setGraph(onValue ? d->graph : nullptr);
    if (onValue)
        d->cursorMark->setGraphKey(x);
    updateTraceCursors(show, QPen(Qt::NoPen));
}

void ChartWidget::applyStyle(int drawWidth) {
    const bool mono = d->viewingStyle == ViewingStyle::Monochrome;
    const QColor desk = mono ? QColor(Qt::white) : d->deskColor();
    const QColor back = mono ? QColor(Qt::white) : d->backColor();
    const QColor fore = mono ? QColor(Qt::darkGray) : d->foreColor();
    const QColor textColour = TextColourOn(desk);
    const QColor axisLine = mono ? QColor(Qt::black) : (isDark(back) ? fore.lighter(150) : fore);
    QCustomPlot* plot = d->plot;

    plot->setBackground(desk);
    plot->axisRect()->setBackground(back);

    QString title = d->mainTitle;
    if (!d->subTitle.isEmpty())
        title += QLatin1Char('\n') + d->subTitle;
    d->title->setText(title);
    d->title->setTextColor(textColour);
    d->title->setVisible(!title.isEmpty());

    const QPen grid = gridPen(fore, d->gridStyle);
    QList<QCPAxis*> axes = plot->axisRect()->axes();
    for (const LowerGraph& lower : d->lowerGraphs) {
        lower.rect->setBackground(back);
        axes += lower.rect->axes();
    }
    for (QCPAxis* axis : axes) {
        axis->setBasePen(QPen(axisLine));
        axis->setTickPen(QPen(axisLine));
        axis->setSubTickPen(QPen(axisLine));
        axis->setTickLabelColor(textColour);
        axis->setLabelColor(textColour);
        axis->grid()->setPen(grid);
        axis->grid()->setZeroLinePen(grid);
    }
    plot->xAxis->setLabel(d->xLabel);
    plot->yAxis->setLabel(d->yLabel);
    plot->xAxis->grid()->setVisible(d->gridLines == GridLines::Both ||
                                    d->gridLines == GridLines::XOnly);
    plot->yAxis->grid()->setVisible(d->gridLines == GridLines::Both ||
                                    d->gridLines == GridLines::YOnly);
    // The decimals asked for, or more where the ticks (about a fifth of the span
    // apart) would otherwise read alike.
    const double step = plot->yAxis->range().size() / 5.0;
    const int needed = step > 0.0 ? static_cast<int>(std::ceil(-std::log10(step))) : 0;
    plot->yAxis->setNumberPrecision(std::clamp(std::max(d->decimals, needed), 0, 9));
    for (const LowerGraph& lower : d->lowerGraphs) {
        lower.rect->axis(QCPAxis::atBottom)->grid()->setVisible(plot->xAxis->grid()->visible());
        lower.rect->axis(QCPAxis::atLeft)->grid()->setVisible(plot->yAxis->grid()->visible());
    }

    applySeriesStyle(drawWidth);

    QColor cursorColour = isDark(back) ? QColor(255, 255, 0) : QColor(200, 0, 0);
    if (mono)
        cursorColour = Qt::black;
    d->cursorLine->setPen(QPen(cursorColour, 1, mono ? Qt::DashLine : Qt::SolidLine));
    updateTraceCursors(d->cursorMode != CursorMode::None && d->points() > 0, d->cursorLine->pen());
    d->cursorMark->setPen(QPen(cursorColour, 2));
    d->cursorMark->setBrush(Qt::NoBrush);
}

// The width of `text` in the tick label font `font`, by its pattern: each digit
// as a 0 like the reservations. Time labels are all new but come in a few
// patterns, and a text width costs a shaping pass.
int ChartWidget::measuredWidth(const QFont& font, QStringView text) const {
    constexpr qsizetype kMeasuredLimit = 4096;
    if (font != d->measuredFont || d->measuredWidths.size() > kMeasuredLimit) {
        d->measuredFont = font;
        d->measuredWidths.clear();
    }
    const QString pattern = DigitPattern(text.trimmed());
    auto known = d->measuredWidths.constFind(pattern);
    if (known == d->measuredWidths.cend())
        known = d->measuredWidths.insert(pattern, QFontMetrics(font).horizontalAdvance(pattern));
    return known.value();
}

// The room a point label takes: the caller's reservation, or the labels
// themselves where they are wider (session times such as 0:00'10.000"). Long
// series are sampled: their labels share one format.
int ChartWidget::widestPointLabel(const QFont& font) const {
    int widest = measuredWidth(font, d->widestLabel);
    const std::size_t count = d->labels.size();
    const std::size_t step = std::max<std::size_t>(1, count / 64);
    for (std::size_t i = 0; i < count; i += step)
        widest = std::max(widest, measuredWidth(font, d->labels[i]));
    if (count > 0)
        widest = std::max(widest, measuredWidth(font, d->labels[count - 1]));
    return widest;
}

void ChartWidget::applySeriesStyle(int drawWidth) {
    // Room reserved for the widest value and label the caller announced.
    // The right margin takes half a point label, so the newest point's label fits.
    QCustomPlot* plot = d->plot;
    const QFontMetrics fm(plot->yAxis->tickLabelFont());
    const int labelWidth = widestPointLabel(plot->yAxis->tickLabelFont()) + 24;
    const QMargins margins(measuredWidth(plot->yAxis->tickLabelFont(), d->widestValue) +
                               fm.height() + 18,
                           15, labelWidth / 2 + 4, 15);
    plot->axisRect()->setMinimumMargins(margins);
    int axisWidth = drawWidth - margins.left() - margins.right();
    if (drawWidth <= 0)
        axisWidth =
            plot->axisRect()->width() > 0 ? plot->axisRect()->width() : width() - labelWidth;
    axisWidth = std::max(100, axisWidth);
    d->ticker->maxTicks = std::max(1, axisWidth / labelWidth);

    // Markers on the points once they stand far enough apart.
    const int visible = std::max(1, static_cast<int>(plot->xAxis->range().size()));
    const int pixelsPerPoint = std::max(1, axisWidth) / visible;
    const bool markers = d->plotStyle != PlotStyle::Line || pixelsPerPoint >= 6;
    const QColor c =
        d->viewingStyle == ViewingStyle::Monochrome ? QColor(Qt::black) : d->lineColor();
    // A line through more points than half the pixels across is a dense band of
    // crossing strokes: it is drawn one pixel wide and without smoothing, which looks
    // the same and takes milliseconds instead of seconds (wide or smoothed strokes
    // are filled as one polygon with thousands of crossing edges).
    // Dashes along such a band only stripe it, so it is drawn solid.
    const bool dense = visible * 2 > std::max(1, axisWidth);
    QPen pen(c, dense ? 1 : penWidthOf(d->lineWeight));
    pen.setStyle(dense ? Qt::SolidLine : penStyleOf(d->lineStyle));
    d->graph->setPen(pen);
    d->graph->setAntialiased(!dense);
    d->graph->setLineStyle(d->plotStyle == PlotStyle::Points ? QCPGraph::lsNone : QCPGraph::lsLine);
    if (markers)
        d->graph->setScatterStyle(
            QCPScatterStyle(QCPScatterStyle::ssDisc, c, c, markerSizeOf(d->pointSize)));
    else
        d->graph->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssNone));
    applyTraceStyle(pen, markers, markerSizeOf(d->pointSize));
}

void ChartWidget::applyRanges() {
    if (d->zoomed)
        return;
    const int points = d->points();
    const int shown = d->visiblePoints > 0 ? std::min(d->visiblePoints, std::max(points, 1))
                                           : std::max(points, 1);
    const int first = d->viewStart == ViewStart::LastPoint ? std::max(0, points - shown) : 0;
    d->plot->xAxis->setRange(first - 0.5, first + shown - 0.5);

    double lo = -1.0;
    double hi = 1.0;
    const QCPRange span = valueSpan(TracePlace{});
    if (d->manualY) {
        lo = d->manualY->lower;
        hi = d->manualY->upper;
        // Traces of the series' unit widen the fixed scale rather than leave it.
        bool traceOnAxis = false;
        for (const TracePlace& place : d->tracePlaces)
            traceOnAxis = traceOnAxis || place == TracePlace{};
        if (traceOnAxis && std::isfinite(span.lower) && lo < hi) {
            lo = std::min(lo, span.lower);
            hi = std::max(hi, span.upper);
        }
    } else if (std::isfinite(span.lower)) {
        lo = span.lower;
        hi = span.upper;
    } else {
        lo = -1.2; // no value at all: -1 .. 1 with the usual room
        hi = 1.2;
    }
    if (!(hi > lo)) // equal or not numbers: keep a usable axis
        hi = lo + 1.0;
    d->plot->yAxis->setRange(lo, hi);
    applyTraceRanges();
}

void ChartWidget::rebuild(bool replot) {
    const double gap = std::numeric_limits<double>::quiet_NaN();
    QVector<QCPGraphData> data;
    data.reserve(d->points());
    for (int p = 0; p < d->points(); ++p) {
        const float v = d->values[static_cast<std::size_t>(p)];
        data.append(QCPGraphData(p, d->isNull(v) ? gap : double(v)));
        // A point without a value between two points breaks the line there.
        if (gapAfter(p))
            data.append(QCPGraphData(p + 0.5, gap));
    }
    d->graph->data()->set(data, true);
    rebuildTraces();
    applyRanges();
    applyStyle();
    updateCursorItem();
    if (replot)
        d->plot->queueReplot();
}

void ChartWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    applyStyle(); // tick spacing and markers follow the width
}

} // namespace telmora
