#pragma once

#include <QColor>
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

// A dial needle: a line of `length` from `pivot` at `degrees` (counter-clockwise
// from three o'clock, y pointing down on screen), `penWidth` wide with round caps,
// antialiased, and the hub cap of `capRadius` over its base.
struct NeedleShape {
    QPointF pivot;
    double length = 0.0;
    double penWidth = 1.0;
    double capRadius = 0.0;
};

void DrawNeedle(QPainter& painter, const NeedleShape& needle, double degrees,
                const QColor& colour = QColor(0x0a, 0x0a, 0x0a));

// The widget pixels the needle may touch at `degrees`, hub cap and
// antialiasing included.
QRect NeedleArea(const NeedleShape& needle, double degrees);

// Whether a step of the needle from `from` to `to` degrees is worth drawing on
// its way to its resting place: the tip moves by at least a tenth of a device
// pixel at `devicePixelRatio` (every other point of the line moves less). The
// steps of a small change (a last digit flickering) move it by thousandths of a
// pixel; drawing each would cost a repaint and show nothing.
bool NeedleStepShows(const NeedleShape& needle, double from, double to, qreal devicePixelRatio);

} // namespace telmora
