#include "ui/common/LabelHolder.h"
#include "ui/common/digitpattern.h"

#include <QEvent>
#include <QLabel>

namespace telmora {

LabelHolder::LabelHolder(QLabel* label, QWidget* parent) : QWidget(parent), m_label(label) {
    const bool hidden = label->isHidden() && label->testAttribute(Qt::WA_WState_ExplicitShowHide);
    m_label->setParent(this);
    if (!hidden)
        m_label->show();
    setSizePolicy(m_label->sizePolicy());
    takeHints();
}

// What a layout makes of the label itself: the hints never below the smallest
// size the label allows.
QSize LabelHolder::minimumSizeHint() const {
    return m_label->minimumSizeHint().expandedTo(m_label->minimumSize());
}

QSize LabelHolder::sizeHint() const {
    return m_label->sizeHint().expandedTo(minimumSizeHint());
}

bool LabelHolder::hasHeightForWidth() const {
    return m_label->hasHeightForWidth();
}

int LabelHolder::heightForWidth(int width) const {
    // A layout asks again at the same few widths: the window's and its smallest.
    for (const auto& [known, height] : m_heights)
        if (known == width)
            return height;
    const int height = m_label->heightForWidth(width);
    constexpr std::size_t kKeptWidths = 8;
    if (m_heights.size() >= kKeptWidths)
        m_heights.erase(m_heights.begin());
    m_heights.emplace_back(width, height);
    return height;
}

LabelHolder::HintInputs LabelHolder::hintInputs() const {
    const QLabel& l = *m_label;
    return {DigitPattern(l.text()),
            l.font(),
            static_cast<int>(l.textInteractionFlags()),
            static_cast<int>(l.textFormat()),
            l.wordWrap(),
            !l.pixmap().isNull(),
            l.indent(),
            l.margin(),
            l.contentsMargins(),
            l.minimumSize(),
            l.maximumSize()};
}

bool LabelHolder::takeHints() {
    HintInputs inputs = hintInputs();
    if (m_inputs == inputs)
        return false;
    m_inputs = std::move(inputs);
    // A new text may wrap into more or fewer lines at the same size hints.
    const bool wrapped = m_label->hasHeightForWidth() || !m_heights.empty();
    m_heights.clear();
    const QSize hint = sizeHint();
    const QSize minimumHint = minimumSizeHint();
    if (hint == m_hint && minimumHint == m_minimumHint && !wrapped)
        return false;
    m_hint = hint;
    m_minimumHint = minimumHint;
    return true;
}

bool LabelHolder::event(QEvent* event) {
    // The label's updateGeometry() lands here, as the holder has no layout; the
    // holder's own layout is asked again only when the hints changed. A hidden
    // holder hears nothing of its label: it looks again when shown.
    const QEvent::Type type = event->type();
    if ((type == QEvent::LayoutRequest || type == QEvent::Show) && takeHints())
        updateGeometry();
    return QWidget::event(event);
}

void LabelHolder::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    m_label->setGeometry(rect());
}

LabelHolder* HoldLabel(QLabel* label) {
    return new LabelHolder(label, label->parentWidget());
}

} // namespace telmora
