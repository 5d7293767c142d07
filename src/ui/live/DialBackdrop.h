#pragma once

#include <QImage>
#include <QPointF>
#include <QRect>

#include <cstdint>
#include <functional>

class QPainter;

namespace telmora {

// The still part of a dial window (plate, scale, marks: everything but the
// needle), painted once into an image at the window's device pixel ratio and
// then only copied, so that a needle step repaints a few hundred pixels instead
// of redrawing gradients and lettering. The image is painted again when the
// window's size, its pixel ratio or the owner's `key` (what the still part
// shows, e.g. which scale) changes.
class DialBackdrop {
public:
    using PaintFunction = std::function<void(QPainter&)>;

    // Copies the backdrop to `painter` at the origin, painting the image first
    // with `paint` if it is out of date. Only what the painter's clip (the region
    // being repainted) lets through is copied, pixel for pixel.
    void draw(QPainter& painter, QSize size, qreal devicePixelRatio, std::uint64_t key,
              const PaintFunction& paint);
    // Forgets the image (the look changed in a way the key does not show).
    void invalidate() { m_image = QImage(); }

private:
    QImage m_image;
    std::uint64_t m_key = 0;
};

// The widget pixels a needle may touch: the line of `length` from `pivot` at
// `degrees` (counter-clockwise from three o'clock, y pointing down on screen)
// drawn `penWidth` wide with round caps and antialiasing, and the hub cap of
// `capRadius` over its base (with its outline).
QRect NeedleArea(QPointF pivot, double degrees, double length, double penWidth, double capRadius);

} // namespace telmora
