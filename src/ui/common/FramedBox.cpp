#include "ui/common/FramedBox.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionGroupBox>

namespace telmora {

FramedBox::FramedBox(QWidget* parent) : QGroupBox(parent) {}

void FramedBox::paintEvent(QPaintEvent* /*event*/) {
    QStyleOptionGroupBox option;
    initStyleOption(&option);
    if (option.rect.isEmpty())
        return;
    const qreal ratio = devicePixelRatioF();
    const Look look{.size = option.rect.size(),
                    .ratio = ratio,
                    .title = option.text,
                    .state = static_cast<int>(option.state.toInt()),
                    .palette = palette().cacheKey(),
                    .font = font().key(),
                    .style = style()};
    if (m_picture.isNull() || look != m_look) {
        m_picture = QPixmap(option.rect.size() * ratio);
        m_picture.setDevicePixelRatio(ratio);
        m_picture.fill(Qt::transparent);
        // Set up as a painter on the box itself would be.
        QPainter picture(&m_picture);
        picture.setFont(font());
        picture.setPen(palette().color(foregroundRole()));
        picture.setBackground(palette().brush(backgroundRole()));
        style()->drawComplexControl(QStyle::CC_GroupBox, &option, &picture, this);
        m_look = look;
    }
    // Clipped to the part that repaints.
    QPainter(this).drawPixmap(QPoint(0, 0), m_picture);
}

} // namespace telmora
