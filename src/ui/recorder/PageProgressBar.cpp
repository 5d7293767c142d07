#include "ui/recorder/PageProgressBar.h"

#include <QStyleOptionProgressBar>
#include <QStylePainter>

#include <algorithm>

namespace telmora {

namespace {

// Beyond the end of the filled part the style draws its rounded end and edge
// lines, smoothed: a few pixels either side of the end are repainted with it.
constexpr int kEndMargin = 4;

} // namespace

PageProgressBar::PageProgressBar(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void PageProgressBar::setRange(int minimum, int maximum) {
    m_minimum = minimum;
    m_maximum = std::max(minimum, maximum);
    m_value = std::clamp(m_value, m_minimum, m_maximum);
    update();
}

void PageProgressBar::setValue(int value) {
    value = std::clamp(value, m_minimum, m_maximum);
    if (value == m_value)
        return;
    const QRect changed = changedArea(m_value, value);
    m_value = value;
    update(changed);
}

QStyleOptionProgressBar PageProgressBar::styleOption(int value) const {
    QStyleOptionProgressBar option;
    option.initFrom(this);
    option.minimum = m_minimum;
    option.maximum = m_maximum;
    option.progress = value;
    option.textVisible = false;
    option.textAlignment = Qt::AlignLeft;
    option.state |= QStyle::State_Horizontal;
    return option;
}

QRect PageProgressBar::changedArea(int before, int after) const {
    if (layoutDirection() == Qt::RightToLeft || m_maximum == m_minimum)
        return rect();
    const QStyleOptionProgressBar option = styleOption(after);
    const QRect contents = style()->subElementRect(QStyle::SE_ProgressBarContents, &option, this);
    const auto edge = [&](int value) {
        const qint64 span = qint64(m_maximum) - m_minimum;
        return contents.left() + int(qint64(contents.width()) * (qint64(value) - m_minimum) / span);
    };
    const int left = std::min(edge(before), edge(after)) - kEndMargin;
    const int right = std::max(edge(before), edge(after)) + kEndMargin;
    return QRect(QPoint(left, 0), QPoint(right, height() - 1)).intersected(rect());
}

QSize PageProgressBar::sizeHint() const {
    // As a progress bar of the style measures itself.
    ensurePolished();
    const QStyleOptionProgressBar option = styleOption(m_value);
    const int chunk = style()->pixelMetric(QStyle::PM_ProgressBarChunkWidth, &option, this);
    const QSize contents(std::max(9, chunk) * 7 +
                             fontMetrics().horizontalAdvance(QLatin1Char('0')) * 4,
                         fontMetrics().height() + 8);
    return style()->sizeFromContents(QStyle::CT_ProgressBar, &option, contents, this);
}

QSize PageProgressBar::minimumSizeHint() const {
    return QSize(sizeHint().width(), fontMetrics().height() + 2);
}

void PageProgressBar::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    painter.drawControl(QStyle::CE_ProgressBar, styleOption(m_value));
}

} // namespace telmora
