#include "ui/live/DialBackdrop.h"

#include "ui/live/DisplayArt.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace telmora {

void DialBackdrop::draw(QPainter& painter, QSize size, qreal devicePixelRatio, std::uint64_t key,
                        const PaintFunction& paint) {
    const QSize pixels = (QSizeF(size) * devicePixelRatio).toSize();
    if (m_image.isNull() || m_image.size() != pixels ||
        m_image.devicePixelRatio() != devicePixelRatio || m_key != key) {
        m_image = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
        m_image.setDevicePixelRatio(devicePixelRatio);
        m_image.fill(Qt::transparent);
        m_key = key;
        QPainter imagePainter(&m_image);
        paint(imagePainter);
    }
    painter.drawImage(QPointF(0, 0), m_image);
}

namespace {

// The same degree constant the dial windows have always drawn with.
constexpr double kDegree = 0.017453292444444442;

QPointF tipOf(const NeedleShape& needle, double degrees) {
    const double a = degrees * kDegree;
    return {needle.pivot.x() + std::cos(a) * needle.length,
            needle.pivot.y() - std::sin(a) * needle.length};
}

} // namespace

void DrawNeedle(QPainter& painter, const NeedleShape& needle, double degrees,
                const QColor& colour) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(colour, needle.penWidth, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(needle.pivot, tipOf(needle, degrees));
    art::DrawHubCap(painter, needle.pivot, needle.capRadius);
    painter.restore();
}

QRect NeedleArea(const NeedleShape& needle, double degrees) {
    const QPointF tip = tipOf(needle, degrees);
    const QPointF& pivot = needle.pivot;
    // Half the pen (round caps reach as far), one pixel of antialiasing and one
    // of rounding on each side; the cap's outline is a pixel wide.
    const double line = needle.penWidth / 2.0 + 2.0;
    const double cap = needle.capRadius + 3.0;
    const double left = std::min(pivot.x() - cap, tip.x() - line);
    const double right = std::max(pivot.x() + cap, tip.x() + line);
    const double top = std::min(pivot.y() - cap, tip.y() - line);
    const double bottom = std::max(pivot.y() + cap, tip.y() + line);
    return QRect(QPoint(static_cast<int>(std::floor(left)), static_cast<int>(std::floor(top))),
                 QPoint(static_cast<int>(std::ceil(right)), static_cast<int>(std::ceil(bottom))));
}

bool NeedleStepShows(const NeedleShape& needle, double from, double to, qreal devicePixelRatio) {
    const QPointF move = tipOf(needle, to) - tipOf(needle, from);
    return std::hypot(move.x(), move.y()) * devicePixelRatio >= 0.1;
}

} // namespace telmora
