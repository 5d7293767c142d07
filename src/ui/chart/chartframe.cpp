#include "ui/chart/chartframe.h"

#include <qcustomplot.h>

#include <QDataStream>

#include <algorithm>
#include <cmath>

namespace telmora {

namespace {

void writeAxis(QDataStream& out, const QCPAxis& axis) {
    out << axis.realVisibility() << axis.range().lower << axis.range().upper << axis.tickVector()
        << axis.label() << axis.basePen() << axis.tickPen() << axis.subTickPen()
        << axis.tickLabelColor() << axis.labelColor() << axis.tickLabelFont() << axis.labelFont()
        << axis.tickLabels() << axis.ticks() << axis.subTicks() << axis.offset()
        << axis.tickLengthIn() << axis.tickLengthOut() << axis.numberPrecision();
    // Labels along the bottom name the points and move with them: their band is
    // repainted with the data.
    if (axis.axisType() != QCPAxis::atBottom)
        out << axis.tickVectorLabels();
    if (const QCPGrid* grid = axis.grid())
        out << grid->realVisibility() << grid->subGridVisible() << grid->pen() << grid->subGridPen()
            << grid->zeroLinePen();
}

void writePlottable(QDataStream& out, const QCPAbstractPlottable& plottable) {
    out << plottable.realVisibility() << plottable.pen() << plottable.brush()
        << plottable.antialiased() << quintptr(plottable.keyAxis())
        << quintptr(plottable.valueAxis());
    if (const auto* graph = qobject_cast<const QCPGraph*>(&plottable)) {
        const QCPScatterStyle& scatter = graph->scatterStyle();
        out << int(graph->lineStyle()) << int(scatter.shape()) << scatter.size() << scatter.pen()
            << scatter.brush() << graph->antialiasedScatters();
    }
}

// The pixels `plottable`'s data may touch: its value span across its key span,
// with room for the pen and the point markers.
QRect dataArea(const QCPAbstractPlottable& plottable) {
    const QCPAxis* keyAxis = plottable.keyAxis();
    const QCPAxis* valueAxis = plottable.valueAxis();
    if (!plottable.realVisibility() || keyAxis == nullptr || valueAxis == nullptr)
        return {};
    bool foundKeys = false;
    bool foundValues = false;
    const QCPRange keys = plottable.getKeyRange(foundKeys);
    const QCPRange values = plottable.getValueRange(foundValues);
    if (!foundKeys || !foundValues)
        return {};
    const QPointF a = plottable.coordsToPixels(keys.lower, values.lower);
    const QPointF b = plottable.coordsToPixels(keys.upper, values.upper);
    int room = static_cast<int>(std::ceil(std::max(1.0, plottable.pen().widthF()))) + 3;
    if (const auto* graph = qobject_cast<const QCPGraph*>(&plottable))
        room += static_cast<int>(std::ceil(graph->scatterStyle().size()));
    const QRect area = QRectF(a, b).normalized().toAlignedRect().adjusted(-room, -room, room, room);
    return area & keyAxis->axisRect()->rect().adjusted(-1, -1, 1, 1);
}

// The pixels `item` may touch: a vertical cursor line's column, a tracer's mark,
// or the whole area it is clipped to.
QRect itemArea(const QCPAbstractItem& item, const QRect& viewport) {
    if (!item.realVisibility())
        return {};
    const QCPAxisRect* clip = item.clipToAxisRect() ? item.clipAxisRect() : nullptr;
    const QRect bounds = clip != nullptr ? clip->rect().adjusted(-1, -1, 1, 1) : viewport;
    if (const auto* line = qobject_cast<const QCPItemStraightLine*>(&item)) {
        const QPointF p1 = line->point1->pixelPosition();
        const QPointF p2 = line->point2->pixelPosition();
        const int room = static_cast<int>(std::ceil(line->pen().widthF())) + 2;
        if (std::abs(p1.x() - p2.x()) < 0.5 && std::isfinite(p1.x()))
            return QRect(static_cast<int>(std::floor(p1.x())) - room, bounds.top(), 2 * room + 1,
                         bounds.height()) &
                   bounds;
        return bounds;
    }
    if (const auto* tracer = qobject_cast<const QCPItemTracer*>(&item)) {
        const QPointF p = tracer->position->pixelPosition();
        if (!std::isfinite(p.x()) || !std::isfinite(p.y()))
            return bounds;
        const int room = static_cast<int>(std::ceil(tracer->size() + tracer->pen().widthF())) + 3;
        const QPoint centre = p.toPoint();
        return QRect(centre.x() - room, centre.y() - room, 2 * room + 1, 2 * room + 1) & viewport;
    }
    return bounds;
}

} // namespace

QByteArray FrameSignature(QCustomPlot& plot) {
    QByteArray signature;
    QDataStream out(&signature, QIODevice::WriteOnly);
    const QRect viewport = plot.viewport();
    out << viewport << plot.layerCount();
    for (const QCPLayoutElement* element : plot.plotLayout()->elements(true)) {
        if (element == nullptr)
            continue;
        out << element->outerRect() << element->realVisibility();
        if (const auto* text = qobject_cast<const QCPTextElement*>(element))
            out << text->text() << text->textColor() << text->font();
        // A legend's entries are not looked into: with one shown, every change
        // repaints the whole plot.
        if (qobject_cast<const QCPLegend*>(element) != nullptr && element->realVisibility())
            return {};
        if (const auto* rect = qobject_cast<const QCPAxisRect*>(element)) {
            out << rect->rect() << rect->backgroundBrush() << rect->background().cacheKey();
            for (const QCPAxis* axis : rect->axes())
                writeAxis(out, *axis);
        }
    }
    for (int i = 0; i < plot.plottableCount(); ++i)
        writePlottable(out, *plot.plottable(i));
    for (int i = 0; i < plot.itemCount(); ++i) {
        const QCPAbstractItem& item = *plot.item(i);
        out << item.realVisibility() << quintptr(item.clipAxisRect()) << item.clipToAxisRect();
        if (const auto* line = qobject_cast<const QCPItemStraightLine*>(&item))
            out << line->pen();
        else if (const auto* tracer = qobject_cast<const QCPItemTracer*>(&item))
            out << tracer->pen() << tracer->brush() << tracer->size() << int(tracer->style());
        else
            out << quintptr(&item); // its whole area is repainted with every change
    }
    return signature;
}

QRegion ChangingArea(QCustomPlot& plot) {
    const QRect viewport = plot.viewport();
    QRegion area;
    for (int i = 0; i < plot.plottableCount(); ++i)
        area += dataArea(*plot.plottable(i));
    for (int i = 0; i < plot.itemCount(); ++i)
        area += itemArea(*plot.item(i), viewport);
    for (const QCPAxisRect* rect : plot.axisRects())
        for (const QCPAxis* axis : rect->axes(QCPAxis::atBottom))
            if (axis->realVisibility()) {
                // From the axis line down to the end of the rectangle's margin,
                // across the whole plot: a label may reach past the axis ends.
                const int top = rect->rect().bottom() - 1;
                area += QRect(viewport.left(), top, viewport.width(),
                              std::max(0, rect->outerRect().bottom() - top + 1));
            }
    return area & viewport;
}

} // namespace telmora
