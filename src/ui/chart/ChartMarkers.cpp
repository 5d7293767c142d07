// ChartWidget's marked points: a dashed vertical line across the graph at each one,
// with its label at the top, in a colour that stands out from the line and the
// graph area in light and dark palettes.
#include "ui/chart/ChartWidgetImpl.h"

namespace telmora {

namespace {

// The longest label drawn; the whole note is in the markers panel.
constexpr int kMaxLabelCharacters = 32;

QColor markerColour(const QPalette& palette) {
    // Orange reads on white and on dark grey alike, and is no trace colour.
    return palette.color(QPalette::Base).lightness() > 128 ? QColor(0xC0, 0x50, 0x00)
                                                           : QColor(0xFF, 0xA0, 0x40);
}

} // namespace

void ChartWidget::setMarkers(const std::vector<ChartMarker>& markers) {
    for (QCPAbstractItem* item : d->markerItems)
        d->plot->removeItem(item);
    d->markerItems.clear();
    d->markerCount = static_cast<int>(markers.size());
    const QColor colour = markerColour(palette());
    for (const ChartMarker& marker : markers) {
        auto* line = new QCPItemStraightLine(d->plot);
        line->setClipToAxisRect(true);
        line->setSelectable(false);
        line->setPen(QPen(colour, 1.5, Qt::DashLine));
        line->point1->setCoords(marker.point, 0.0);
        line->point2->setCoords(marker.point, 1.0);
        d->markerItems.push_back(line);
        if (marker.label.isEmpty())
            continue;
        auto* label = new QCPItemText(d->plot);
        label->setClipToAxisRect(true);
        label->setSelectable(false);
        label->position->setTypeX(QCPItemPosition::ptPlotCoords);
        label->position->setTypeY(QCPItemPosition::ptAxisRectRatio);
        label->position->setCoords(marker.point, 0.0);
        label->setPositionAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setPadding(QMargins(3, 1, 3, 1));
        label->setColor(colour);
        QString text = marker.label;
        if (text.size() > kMaxLabelCharacters)
            text = text.left(kMaxLabelCharacters - 1) + QChar(0x2026);
        label->setText(text);
        d->markerItems.push_back(label);
    }
    d->plot->queueReplot();
}

int ChartWidget::markerCount() const {
    return d->markerCount;
}

} // namespace telmora
