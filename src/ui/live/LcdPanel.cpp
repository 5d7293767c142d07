#include "ui/live/LcdPanel.h"

#include "ui/common/digitpattern.h"
#include "ui/common/displayfont.h"

#include <QFontMetricsF>
#include <QPainter>

namespace telmora {

LcdPanel::LcdPanel(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
}

void LcdPanel::setText(const QString& text) {
    if (text == m_text)
        return;
    m_text = text;
    // A panel among tabs that are not in front is moved out of the window, not
    // hidden: asking it to repaint would cost a window repaint that paints nothing.
    // It paints its text when it comes into view.
    if (!visibleRegion().isEmpty())
        update();
}

QString LcdPanel::displayText() const {
    QString shown = m_text;
    if (m_showsOhmSign)
        shown.replace(QLatin1Char('W'), QChar(0x03A9));
    else if (m_prefixPanel && shown == QLatin1String("u"))
        shown = QString(QChar(0x00B5));
    return shown;
}

void LcdPanel::setShowsOhmSign(bool on) {
    if (on == m_showsOhmSign)
        return;
    m_showsOhmSign = on;
    update();
}

void LcdPanel::setPointSize(int points) {
    points = std::max(points, 1);
    if (points == m_pointSize)
        return;
    m_pointSize = points;
    update();
}

void LcdPanel::setAlignment(Qt::Alignment alignment) {
    if (alignment == m_alignment)
        return;
    m_alignment = alignment;
    update();
}

void LcdPanel::setColors(const QColor& background, const QColor& foreground) {
    if (background == m_background && foreground == m_foreground)
        return;
    m_background = background;
    m_foreground = foreground;
    update();
}

void LcdPanel::setBevel(bool on) {
    m_bevel = on;
    update();
}

void LcdPanel::setBold(bool on) {
    m_bold = on;
    update();
}

qreal LcdPanel::widthOf(const QString& text, const QFont& font) const {
    constexpr qsizetype kMeasuredLimit = 64;
    const QString pattern = DigitPattern(text);
    const QString key = pattern + QChar(0x1F) + QString::number(font.pointSizeF()) +
                        (font.bold() ? QLatin1Char('b') : QLatin1Char('r'));
    auto known = m_measuredWidths.constFind(key);
    if (known == m_measuredWidths.cend()) {
        if (m_measuredWidths.size() >= kMeasuredLimit)
            m_measuredWidths.clear();
        known = m_measuredWidths.insert(key, QFontMetricsF(font).horizontalAdvance(pattern));
    }
    return known.value();
}

void LcdPanel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRectF r = rect();
    p.fillRect(r, m_background);
    if (m_bevel && width() > 2 && height() > 2) {
        // A sunken cell edge: darker top-left, lighter bottom-right.
        const QColor dark = m_background.darker(250);
        const QColor light =
            m_background.value() < 40 ? QColor(34, 38, 34) : m_background.lighter(130);
        p.setPen(dark);
        p.drawLine(0, 0, width() - 1, 0);
        p.drawLine(0, 0, 0, height() - 1);
        p.setPen(light);
        p.drawLine(1, height() - 1, width() - 1, height() - 1);
        p.drawLine(width() - 1, 1, width() - 1, height() - 1);
    }
    const QString shown = displayText();
    if (shown.isEmpty())
        return;

    QFont font = DisplayFont();
    font.setBold(m_bold);
    font.setPointSizeF(m_pointSize);
    const QRectF area = r.adjusted(2, 1, -2, -1);
    QFontMetricsF metrics(font);
    const qreal needW = widthOf(shown, font);
    const qreal needH = metrics.ascent() + metrics.descent() * 0.3;
    qreal scale = 1.0;
    if (needW > area.width() && needW > 0)
        scale = area.width() / needW;
    if (needH * scale > area.height() && needH > 0)
        scale = area.height() / needH;
    if (scale < 1.0) {
        font.setPointSizeF(std::max(1.0, m_pointSize * scale));
        metrics = QFontMetricsF(font);
    }
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(font);
    p.setPen(m_foreground);

    // Centre the digits on the cap height rather than the full line box, which
    // looks balanced for the large readings.
    qreal x = area.left();
    const qreal textW = scale < 1.0 ? widthOf(shown, font) : needW;
    if (m_alignment & Qt::AlignHCenter)
        x = area.left() + (area.width() - textW) / 2;
    else if (m_alignment & Qt::AlignRight)
        x = area.right() - textW;
    const qreal cap = metrics.capHeight() > 0 ? metrics.capHeight() : metrics.ascent() * 0.72;
    const qreal baseline = area.top() + (area.height() + cap) / 2;
    p.drawText(QPointF(x, baseline), shown);
}

} // namespace telmora
