#include "ui/chart/ChartPlot.h"

#include <utility>

namespace telmora {

namespace {

// The plot's lowest paint buffer. While the desk is opaque, a replot starts it in
// the desk colour instead of transparent, so the finished picture has no
// transparent pixels. A pixmap cleared to transparent once carries an alpha
// channel from then on; it is made anew (opaque) before the desk colour goes in
// again.
class DeskPaintBuffer final : public QCPPaintBufferPixmap {
public:
    DeskPaintBuffer(const QSize& size, double ratio, const ChartPlot& plot)
        : QCPPaintBufferPixmap(size, ratio), m_plot(plot) {}

    void clear(const QColor& color) override {
        const std::optional<QColor> desk = m_plot.opaqueDesk();
        m_opaque = desk.has_value();
        if (!m_opaque) {
            QCPPaintBufferPixmap::clear(color);
            return;
        }
        if (mBuffer.hasAlphaChannel())
            reallocateBuffer();
        // The graph areas paint their own opaque background over whatever is here.
        QPainter painter(&mBuffer);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        for (const QRect& part : m_plot.deskRegion())
            painter.fillRect(part, *desk);
    }

    // Whether the last clear gave the buffer the desk colour.
    bool opaque() const { return m_opaque; }

private:
    const ChartPlot& m_plot;
    bool m_opaque = false;
};

} // namespace

ChartPlot::ChartPlot(QWidget* parent) : QCustomPlot(parent) {
    connect(this, &QCustomPlot::beforeReplot, this, &ChartPlot::useDeskBuffer);
}

void ChartPlot::queueReplot() {
    if (!isVisible()) {
        m_replotWhenShown = true;
        return;
    }
    replot(rpQueuedReplot);
}

std::optional<QColor> ChartPlot::opaqueDesk() const {
    if (mBackgroundBrush.style() != Qt::SolidPattern || mBackgroundBrush.color().alpha() != 255 ||
        !mBackgroundPixmap.isNull())
        return std::nullopt;
    return mBackgroundBrush.color();
}

void ChartPlot::useDeskBuffer() {
    // The replot that follows sizes, clears and assigns the buffers; only the
    // kind of the lowest one is chosen here, once.
    if (!mPaintBuffers.isEmpty() &&
        dynamic_cast<DeskPaintBuffer*>(mPaintBuffers.first().data()) != nullptr)
        return;
    auto desk = QSharedPointer<QCPAbstractPaintBuffer>(
        new DeskPaintBuffer(viewport().size(), mBufferDevicePixelRatio, *this));
    if (mPaintBuffers.isEmpty())
        mPaintBuffers.append(desk);
    else
        mPaintBuffers.first() = desk;
}

void ChartPlot::showEvent(QShowEvent* event) {
    QCustomPlot::showEvent(event);
    // Drawn now, before the first painting, which then shows the current picture.
    if (std::exchange(m_replotWhenShown, false))
        replot(rpRefreshHint);
}

QRegion ChartPlot::deskRegion() const {
    // Layers up to the first one with a buffer of its own all paint into the lowest
    // buffer, which is drawn first.
    int lowestBufferLayers = layerCount();
    for (int i = 0; i < layerCount(); ++i)
        if (layer(i)->mode() == QCPLayer::lmBuffered) {
            lowestBufferLayers = i;
            break;
        }
    QRegion desk(mViewport);
    for (QCPAxisRect* rect : axisRects()) {
        // Only a graph area drawn in one opaque colour covers what lies below it.
        const QBrush& back = rect->backgroundBrush();
        if (rect->realVisibility() && rect->background().isNull() &&
            back.style() == Qt::SolidPattern && back.color().alpha() == 255 &&
            rect->layer() != nullptr && rect->layer()->index() < lowestBufferLayers)
            desk -= rect->rect();
    }
    return desk;
}

void ChartPlot::paintEvent(QPaintEvent*) {
    QCPPainter painter(this);
    if (!painter.isActive())
        return;
    const auto* lowest = mPaintBuffers.isEmpty()
                             ? nullptr
                             : dynamic_cast<const DeskPaintBuffer*>(mPaintBuffers.first().data());
    // An opaque lowest buffer holds the desk already (and the desk has no picture).
    if (lowest == nullptr || !lowest->opaque()) {
        if (mBackgroundBrush.style() != Qt::NoBrush) {
            for (const QRect& part : deskRegion())
                painter.fillRect(part, mBackgroundBrush);
        }
        drawBackground(&painter);
    }
    for (const QSharedPointer<QCPAbstractPaintBuffer>& buffer : mPaintBuffers)
        buffer->draw(&painter);
}

} // namespace telmora
