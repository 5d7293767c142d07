#include "ui/live/DialBackdrop.h"

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

QRect NeedleArea(QPointF pivot, double degrees, double length, double penWidth, double capRadius) {
    // The same degree constant the dial windows draw with, so that the tip lands
    // where it is painted.
    constexpr double kDegree = 0.017453292444444442;
    const double a = degrees * kDegree;
    const QPointF tip(pivot.x() + std::cos(a) * length, pivot.y() - std::sin(a) * length);
    // Half the pen (round caps reach as far), one pixel of antialiasing and one
    // of rounding on each side.
    const double line = penWidth / 2.0 + 2.0;
    const double cap = capRadius + 2.0 + 1.0;
    const double left = std::min({pivot.x() - cap, tip.x() - line});
    const double right = std::max({pivot.x() + cap, tip.x() + line});
    const double top = std::min({pivot.y() - cap, tip.y() - line});
    const double bottom = std::max({pivot.y() + cap, tip.y() + line});
    return QRect(QPoint(static_cast<int>(std::floor(left)), static_cast<int>(std::floor(top))),
                 QPoint(static_cast<int>(std::ceil(right)), static_cast<int>(std::ceil(bottom))));
}

} // namespace telmora
