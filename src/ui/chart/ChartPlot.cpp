#include "ui/chart/ChartPlot.h"

#include <utility>

namespace telmora {

void ChartPlot::queueReplot() {
    if (!isVisible()) {
        m_replotWhenShown = true;
        return;
    }
    replot(rpQueuedReplot);
}

void ChartPlot::showEvent(QShowEvent* event) {
    QCustomPlot::showEvent(event);
    // Drawn now, before the first painting, which then shows the current picture.
    if (std::exchange(m_replotWhenShown, false))
        replot(rpRefreshHint);
}

QRegion ChartPlot::deskRegion() {
    QRegion desk(mViewport);
    for (QCPAxisRect* rect : axisRects()) {
        // Only a graph area drawn in one opaque colour covers what lies below it.
        const QBrush& back = rect->backgroundBrush();
        if (rect->realVisibility() && rect->background().isNull() &&
            back.style() == Qt::SolidPattern && back.color().alpha() == 255)
            desk -= rect->rect();
    }
    return desk;
}

void ChartPlot::paintEvent(QPaintEvent*) {
    QCPPainter painter(this);
    if (!painter.isActive())
        return;
    if (mBackgroundBrush.style() != Qt::NoBrush) {
        const QRegion desk = deskRegion();
        for (const QRect& part : desk)
            painter.fillRect(part, mBackgroundBrush);
    }
    drawBackground(&painter);
    for (const QSharedPointer<QCPAbstractPaintBuffer>& buffer : mPaintBuffers)
        buffer->draw(&painter);
}

} // namespace telmora
