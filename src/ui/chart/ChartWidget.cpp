#include "ui/chart/ChartWidget.h"

#include "ui/chart/ChartPlot.h"
#include "ui/chart/ChartWidgetImpl.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <limits>

namespace telmora {

namespace {

QFont pixelSized(QFont font, int dpi) {
    if (font.pixelSize() <= 0)
        font.setPixelSize(
            std::max(1, static_cast<int>(std::lround(font.pointSizeF() * dpi / 72.0))));
    return font;
}

} // namespace

ChartWidget::ChartWidget(QWidget* parent) : QWidget(parent), d(std::make_unique<Impl>()) {
    d->palette = palette();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    d->plot = new ChartPlot(this);
    layout->addWidget(d->plot);
    setFocusProxy(d->plot);
    d->plot->installEventFilter(this);
    buildPlot();
    rebuild(false);
}

ChartWidget::~ChartWidget() = default;

void ChartWidget::buildPlot() {
    QCustomPlot* plot = d->plot;
    plot->setLocale(QLocale::c()); // tick numbers always with "."
    plot->setFocusPolicy(Qt::StrongFocus);
    plot->setNoAntialiasingOnDrag(true);
    plot->setPlottingHint(QCP::phCacheLabels, true);
    // A replot is painted with the window's next paint, together with whatever
    // else changed for the same reading, rather than in a paint of its own.
    plot->setPlottingHint(QCP::phImmediateRefresh, false);
    // The overlay layer holds only the zoom box. In a buffer of its own it would
    // cost a clear and a blend of a whole transparent chart-sized picture with
    // every replot, so it shares the chart's buffer except while a box is dragged,
    // when a buffer of its own lets the moving box be drawn without the chart.
    if (QCPLayer* overlay = plot->layer(QStringLiteral("overlay"))) {
        overlay->setMode(QCPLayer::lmLogical);
        const auto bufferOverlay = [overlay](bool own) {
            overlay->setMode(own ? QCPLayer::lmBuffered : QCPLayer::lmLogical);
        };
        QCPSelectionRect* box = plot->selectionRect();
        connect(box, &QCPSelectionRect::started, this, [bufferOverlay] { bufferOverlay(true); });
        connect(box, &QCPSelectionRect::accepted, this, [bufferOverlay] { bufferOverlay(false); });
        connect(box, &QCPSelectionRect::canceled, this, [bufferOverlay] { bufferOverlay(false); });
    }

    d->ticker = QSharedPointer<PointLabelTicker>::create();
    d->ticker->labels = &d->labels;
    plot->xAxis->setTicker(d->ticker);
    plot->yAxis->setNumberFormat(QStringLiteral("f"));

    // Fonts are sized in pixels: a point size would be taken at the printer's
    // resolution and then scaled with the page, so printed text came out many
    // times too large and overlapped.
    const QFont text = pixelSized(font(), logicalDpiY());
    for (QCPAxis* axis : {plot->xAxis, plot->yAxis}) {
        axis->setTickLabelFont(text);
        axis->setSelectedTickLabelFont(text);
        axis->setLabelFont(text);
        axis->setSelectedLabelFont(text);
    }
    plot->plotLayout()->insertRow(0);
    d->title = new QCPTextElement(
        plot, QString(), pixelSized(QFont(font().family(), 11, QFont::Bold), logicalDpiY()));
    plot->plotLayout()->addElement(0, 0, d->title);

    d->graph = plot->addGraph();
    d->cursorLine = new QCPItemStraightLine(plot);
    d->cursorLine->setClipToAxisRect(true);
    d->cursorMark = new QCPItemTracer(plot);
    d->cursorMark->setStyle(QCPItemTracer::tsCircle);
    d->cursorMark->setSize(9);
    d->cursorMark->setInterpolating(false);

    plot->setSelectionRectMode(QCP::srmNone);
    connect(plot->selectionRect(), &QCPSelectionRect::accepted, this,
            [this](const QRect& rect, QMouseEvent*) { zoomTo(rect); });
}

// --- the series ------------------------------------------------------------------

void ChartWidget::setSeries(const std::vector<float>& values, const std::vector<QString>& labels) {
    d->values = values;
    d->labels = labels;
    d->labels.resize(values.size(), QStringLiteral(" "));
    d->gapsAfter.assign(values.size(), 0);
    d->cursor = std::clamp(d->cursor, 0, std::max(0, d->points() - 1));
}

void ChartWidget::setPointCount(int count) {
    count = std::max(0, count);
    d->values.resize(static_cast<std::size_t>(count), static_cast<float>(d->nullValue));
    d->labels.resize(static_cast<std::size_t>(count), QStringLiteral(" "));
    d->gapsAfter.resize(static_cast<std::size_t>(count), 0);
    d->cursor = std::clamp(d->cursor, 0, std::max(0, count - 1));
}

int ChartWidget::pointCount() const {
    return d->points();
}

void ChartWidget::setValue(int point, float value) {
    if (point >= 0 && point < d->points())
        d->values[static_cast<std::size_t>(point)] = value;
}

float ChartWidget::value(int point) const {
    return d->valueAt(point);
}

void ChartWidget::setPointLabel(int point, const QString& label) {
    if (point >= 0 && point < d->points())
        d->labels[static_cast<std::size_t>(point)] = label;
}

QString ChartWidget::pointLabel(int point) const {
    return point >= 0 && point < d->points() ? d->labels[static_cast<std::size_t>(point)]
                                             : QString();
}

void ChartWidget::setNullValue(double value) {
    d->nullValue = value;
}
double ChartWidget::nullValue() const {
    return d->nullValue;
}
void ChartWidget::setVisiblePoints(int count) {
    d->visiblePoints = std::max(0, count);
}
void ChartWidget::setViewStart(ViewStart start) {
    d->viewStart = start;
}

void ChartWidget::appendPoint(const QString& label, float value) {
    if (d->values.empty())
        return;
    std::move(d->values.begin() + 1, d->values.end(), d->values.begin());
    d->values.back() = value;
    std::move(d->labels.begin() + 1, d->labels.end(), d->labels.begin());
    d->labels.back() = label;
    d->gapsAfter.resize(d->values.size(), 0);
    std::move(d->gapsAfter.begin() + 1, d->gapsAfter.end(), d->gapsAfter.begin());
    d->gapsAfter.back() = 0;
    // The traces move along with their points; the new point has no value yet.
    for (Trace& trace : d->traces) {
        trace.values.resize(d->values.size(), std::numeric_limits<float>::quiet_NaN());
        std::move(trace.values.begin() + 1, trace.values.end(), trace.values.begin());
        trace.values.back() = std::numeric_limits<float>::quiet_NaN();
    }
}

void ChartWidget::setGapAfter(int point, bool gap) {
    d->gapsAfter.resize(d->values.size(), 0);
    if (point >= 0 && point < d->points())
        d->gapsAfter[static_cast<std::size_t>(point)] = gap ? 1 : 0;
}

bool ChartWidget::gapAfter(int point) const {
    return point >= 0 && static_cast<std::size_t>(point) < d->gapsAfter.size() &&
           d->gapsAfter[static_cast<std::size_t>(point)] != 0;
}

// --- appearance ------------------------------------------------------------------

void ChartWidget::setMainTitle(const QString& text) {
    d->mainTitle = text;
}
void ChartWidget::setSubTitle(const QString& text) {
    d->subTitle = text;
}
void ChartWidget::setXAxisLabel(const QString& text) {
    d->xLabel = text;
}
void ChartWidget::setYAxisLabel(const QString& text) {
    d->yLabel = text;
}
QString ChartWidget::yAxisLabel() const {
    return d->yLabel;
}
void ChartWidget::setDeskColor(const QColor& color) {
    d->desk = color;
}
void ChartWidget::setGraphBackColor(const QColor& color) {
    d->back = color;
}
void ChartWidget::setGraphForeColor(const QColor& color) {
    d->fore = color;
}
void ChartWidget::setLineColor(const QColor& color) {
    d->line = color;
}
QColor ChartWidget::lineColor() const {
    return d->lineColor();
}
void ChartWidget::setLineType(LineWeight weight, LineStyle style) {
    d->lineWeight = weight;
    d->lineStyle = style;
}
void ChartWidget::setPlotStyle(PlotStyle style) {
    d->plotStyle = style;
}
void ChartWidget::setDecimals(int decimals) {
    d->decimals = std::clamp(decimals, 0, 9);
}
void ChartWidget::setWidestValueText(const QString& sample) {
    d->widestValue = sample;
}
void ChartWidget::setWidestPointLabel(const QString& sample) {
    d->widestLabel = sample;
}
void ChartWidget::setYRange(double lower, double upper) {
    d->manualY = YRange{lower, upper};
}
void ChartWidget::setAutomaticYRange() {
    d->manualY.reset();
}
ChartWidget::YRange ChartWidget::yRange() const {
    if (d->manualY)
        return *d->manualY;
    const QCPRange shown = d->plot->yAxis->range();
    return {shown.lower, shown.upper};
}
void ChartWidget::setViewingStyle(ViewingStyle style) {
    d->viewingStyle = style;
}
ChartWidget::ViewingStyle ChartWidget::viewingStyle() const {
    return d->viewingStyle;
}
void ChartWidget::setPointSize(PointSize size) {
    d->pointSize = size;
}
void ChartWidget::setGridLines(GridLines lines) {
    d->gridLines = lines;
}
void ChartWidget::setGridStyle(GridStyle style) {
    d->gridStyle = style;
}
void ChartWidget::setCursorMode(CursorMode mode) {
    d->cursorMode = mode;
}
void ChartWidget::setMouseMovesCursor(bool on) {
    d->mouseMovesCursor = on;
}
void ChartWidget::setZoomMode(ZoomMode mode) {
    d->zoomMode = mode;
    d->plot->setSelectionRectMode(mode != ZoomMode::None ? QCP::srmCustom : QCP::srmNone);
}

// --- showing -----------------------------------------------------------------------

void ChartWidget::refresh() {
    rebuild(true);
}

void ChartWidget::restyle() {
    applyStyle();
    d->plot->queueReplot();
}

void ChartWidget::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    // Colours left to the palette follow a change of it (a switch to a dark theme).
    if (event->type() == QEvent::PaletteChange) {
        d->palette = palette();
        restyle();
    }
}

// --- cursor and zoom ---------------------------------------------------------------

int ChartWidget::cursorPoint() const {
    return d->cursor;
}

void ChartWidget::setCursorPoint(int point) {
    d->cursor = std::clamp(point, 0, std::max(0, d->points() - 1));
    updateCursorItem();
    d->plot->queueReplot();
}

bool ChartWidget::isZoomed() const {
    return d->zoomed;
}

std::pair<int, int> ChartWidget::shownPoints() const {
    const QCPRange range = d->plot->xAxis->range();
    const int last = d->points() - 1;
    return {std::clamp(static_cast<int>(std::ceil(range.lower)), 0, std::max(last, 0)),
            std::clamp(static_cast<int>(std::floor(range.upper)), -1, last)};
}

void ChartWidget::resetZoom() {
    d->zoomed = false;
    rebuild(true);
}

void ChartWidget::zoomTo(const QRect& box) {
    if (d->zoomMode == ZoomMode::None || box.width() < 4 || box.height() < 4)
        return;
    QCPAxis* x = d->plot->xAxis;
    QCPAxis* y = d->plot->yAxis;
    if (d->zoomMode == ZoomMode::Horizontal || d->zoomMode == ZoomMode::Both) {
        QCPRange r(x->pixelToCoord(box.left()), x->pixelToCoord(box.right()));
        r.normalize();
        x->setRange(r);
    }
    if (d->zoomMode == ZoomMode::Vertical || d->zoomMode == ZoomMode::Both) {
        // Both axes of the upper graph show the box's height.
        for (QCPAxis* axis : {y, d->plot->yAxis2}) {
            if (axis != y && !axis->visible())
                continue;
            QCPRange r(axis->pixelToCoord(box.bottom()), axis->pixelToCoord(box.top()));
            r.normalize();
            axis->setRange(r);
        }
    }
    d->zoomed = true;
    d->plot->queueReplot();
    emit zoomed();
}

void ChartWidget::moveCursorBy(int delta) {
    if (d->points() == 0 || d->cursorMode == CursorMode::None)
        return;
    const int target = std::clamp(d->cursor + delta, 0, d->points() - 1);
    if (target == d->cursor)
        return;
    setCursorPoint(target);
    emit cursorMoved(target);
}

// --- input -------------------------------------------------------------------------

bool ChartWidget::eventFilter(QObject* watched, QEvent* event) {
    if (watched != d->plot)
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        emit keyPressed(key->key(), key->modifiers());
        if (handleKey(key->key()))
            return true;
    } else {
        handleMouse(event);
    }
    return QWidget::eventFilter(watched, event);
}

bool ChartWidget::handleKey(int key) {
    switch (key) {
    case Qt::Key_Left:
        moveCursorBy(-1);
        return true;
    case Qt::Key_Right:
        moveCursorBy(1);
        return true;
    case Qt::Key_Home:
        moveCursorBy(-d->points());
        return true;
    case Qt::Key_End:
        moveCursorBy(d->points());
        return true;
    default:
        return false;
    }
}

void ChartWidget::handleMouse(QEvent* event) {
    const auto pointAt = [this](double pixelX) {
        const int p = static_cast<int>(std::lround(d->plot->xAxis->pixelToCoord(pixelX)));
        return std::clamp(p, 0, d->points() - 1);
    };
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton) {
            d->pressed = true;
            d->pressPos = mouse->position().toPoint();
        }
        break;
    }
    case QEvent::MouseMove: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        // Without zooming, dragging moves the cursor along the points.
        if (d->pressed && d->zoomMode == ZoomMode::None && d->mouseMovesCursor && d->points() > 0)
            moveCursorBy(pointAt(mouse->position().x()) - d->cursor);
        break;
    }
    case QEvent::MouseButtonRelease: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton || !d->pressed)
            break;
        d->pressed = false;
        const QPoint pos = mouse->position().toPoint();
        const bool click = (pos - d->pressPos).manhattanLength() <= 6;
        // A click into any of the stacked graphs: they share the point axis.
        bool inGraph = d->plot->axisRect()->rect().contains(pos);
        for (const LowerGraph& lower : d->lowerGraphs)
            inGraph = inGraph || lower.rect->rect().contains(pos);
        if (click && d->mouseMovesCursor && d->points() > 0 && inGraph)
            moveCursorBy(pointAt(pos.x()) - d->cursor);
        break;
    }
    default:
        break;
    }
}

} // namespace telmora
