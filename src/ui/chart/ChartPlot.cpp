#include "ui/chart/ChartPlot.h"
#include "ui/chart/chartframe.h"

#include <utility>

namespace telmora {

// The desk colour around the graph areas, as the lowest layer of the plot, for
// painting straight onto the window. It draws only there: pictures and prints
// fill their desk themselves.
class ChartDesk final : public QCPLayerable {
public:
    static constexpr const char* kLayer = "desk";

    explicit ChartDesk(ChartPlot& plot) : QCPLayerable(&plot, QLatin1String(kLayer)), m_plot(plot) {
        setVisible(false);
    }

protected:
    // A layer clips what it draws to this rectangle moved up by one pixel.
    QRect clipRect() const override { return m_plot.viewport().adjusted(0, 0, 0, 1); }
    void applyDefaultAntialiasingHint(QCPPainter* painter) const override {
        painter->setAntialiasing(false);
    }
    void draw(QCPPainter* painter) override {
        const QBrush& desk = m_plot.deskBrush();
        if (desk.style() == Qt::NoBrush)
            return;
        for (const QRect& part : m_plot.deskRegion())
            painter->fillRect(part, desk);
    }

private:
    const ChartPlot& m_plot;
};

ChartPlot::ChartPlot(QWidget* parent) : QCustomPlot(parent) {
    addLayer(QLatin1String(ChartDesk::kLayer), layer(QStringLiteral("background")), limBelow);
    m_desk = new ChartDesk(*this); // the plot deletes its layerables
}

bool ChartPlot::drawsDirectly() const {
    if (!mBackgroundPixmap.isNull())
        return false; // drawn below every layer, the desk's too
    for (int i = 0; i < layerCount(); ++i)
        if (layer(i)->mode() == QCPLayer::lmBuffered)
            return false;
    return true;
}

void ChartPlot::queueReplot() {
    if (drawsDirectly()) {
        // The layers' pictures are now out of date: a layer that gets a picture
        // of its own makes the plot draw them all again first.
        for (const QSharedPointer<QCPAbstractPaintBuffer>& buffer : mPaintBuffers)
            buffer->setInvalidated();
        // The changes of one turn of the event loop (a sample's new point, then its
        // cursor) are looked at together, once.
        if (!std::exchange(m_changesQueued, true))
            QMetaObject::invokeMethod(this, &ChartPlot::updateChanges, Qt::QueuedConnection);
        return;
    }
    if (!isVisible()) {
        m_replotWhenShown = true;
        return;
    }
    replot(rpQueuedReplot);
}

void ChartPlot::updateChanges() {
    m_changesQueued = false;
    if (!isVisible() || m_paintedSignature.isEmpty()) {
        update(); // nothing while hidden; a plot that shows is painted anyway
        return;
    }
    // Laid out now, as the painting would, to compare with what is on the screen.
    updateLayout();
    if (FrameSignature(*this) != m_paintedSignature) {
        update();
        return;
    }
    update(m_paintedArea + ChangingArea(*this));
}

void ChartPlot::notePainted(const QRegion& painted) {
    const QByteArray signature = FrameSignature(*this);
    const QRegion changing = ChangingArea(*this);
    if ((QRegion(mViewport) - painted).isEmpty() || signature == m_paintedSignature) {
        // The whole plot, or its changing parts over the same look: those are
        // where the screen now shows them, unless some were left out.
        m_paintedSignature = signature;
        m_paintedArea = (m_paintedArea - painted) + changing;
        return;
    }
    m_paintedSignature.clear(); // parts of two looks: the next change repaints all
}

void ChartPlot::resizeEvent(QResizeEvent* event) {
    if (!drawsDirectly()) {
        QCustomPlot::resizeEvent(event);
        return;
    }
    QWidget::resizeEvent(event);
    setViewport(rect());
    // Laid out at once, as the plain plot does, so that positions map to values
    // before the next painting.
    updateLayout();
    queueReplot();
}

void ChartPlot::showEvent(QShowEvent* event) {
    QCustomPlot::showEvent(event);
    // Drawn now, before the first painting, which then shows the current picture.
    if (std::exchange(m_replotWhenShown, false) && !drawsDirectly())
        replot(rpRefreshHint);
}

QRegion ChartPlot::deskRegion() const {
    // The desk's layer and the layers above it up to the first one with a picture
    // of its own are drawn together, in order.
    const QCPLayer* deskLayer = layer(QLatin1String(ChartDesk::kLayer));
    int drawnTogether = layerCount();
    for (int i = deskLayer != nullptr ? deskLayer->index() : 0; i < layerCount(); ++i)
        if (layer(i)->mode() == QCPLayer::lmBuffered) {
            drawnTogether = i;
            break;
        }
    QRegion desk(mViewport);
    for (QCPAxisRect* rect : axisRects()) {
        // Only a graph area drawn in one opaque colour covers what lies below it.
        const QBrush& back = rect->backgroundBrush();
        if (rect->realVisibility() && rect->background().isNull() &&
            back.style() == Qt::SolidPattern && back.color().alpha() == 255 &&
            rect->layer() != nullptr && rect->layer()->index() < drawnTogether)
            desk -= rect->rect();
    }
    return desk;
}

void ChartPlot::paintEvent(QPaintEvent* event) {
    const bool direct = drawsDirectly();
    if (!direct) {
        // The pictures are drawn for one pixel ratio; another screen's needs new ones.
        const double ratio = devicePixelRatioF();
        if (!qFuzzyCompare(mBufferDevicePixelRatio, ratio)) {
            setBufferDevicePixelRatio(ratio);
            replot(rpQueuedRefresh);
            return;
        }
    }
    QCPPainter painter(this);
    if (!painter.isActive())
        return;
    if (direct) {
        m_desk->setVisible(true);
        draw(&painter);
        m_desk->setVisible(false);
        notePainted(event->region());
        return;
    }
    m_paintedSignature.clear();
    paintFromBuffers(painter);
}

void ChartPlot::paintFromBuffers(QCPPainter& painter) {
    // The desk colour where the pictures leave it showing: around opaque graph areas.
    if (mBackgroundBrush.style() != Qt::NoBrush)
        for (const QRect& part : deskRegion())
            painter.fillRect(part, mBackgroundBrush);
    drawBackground(&painter);
    for (const QSharedPointer<QCPAbstractPaintBuffer>& buffer : mPaintBuffers)
        buffer->draw(&painter);
}

} // namespace telmora
