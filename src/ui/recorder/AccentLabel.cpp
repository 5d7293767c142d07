#include "ui/recorder/AccentLabel.h"

#include "ui/common/contrast.h"

#include <QEvent>

#include <utility>

namespace telmora {

AccentLabel::AccentLabel(const QString& text, std::vector<QColor> colours, QWidget* parent)
    : QLabel(text, parent), m_colours(std::move(colours)) {
    QFont bold = font();
    bold.setBold(true);
    setFont(bold);
    pickColour();
}

std::vector<QColor> AccentLabel::reds() {
    return {QColor(0xb4, 0x00, 0x00), QColor(0xff, 0x78, 0x70)};
}

std::vector<QColor> AccentLabel::fuchsias() {
    return {QColor(0x9c, 0x00, 0x9c), QColor(0xff, 0x7c, 0xff)};
}

void AccentLabel::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        pickColour();
}

void AccentLabel::pickColour() {
    if (m_colours.empty())
        return;
    const QColor background = palette().color(QPalette::Window);
    QColor chosen = m_colours.front();
    double best = 0.0;
    for (const QColor& c : m_colours) {
        const double ratio = ContrastRatio(c, background);
        if (ratio >= kTextContrast) {
            chosen = c;
            break;
        }
        if (ratio > best) {
            best = ratio;
            chosen = c;
        }
    }
    if (palette().color(QPalette::WindowText) == chosen)
        return; // also ends the palette change that setting it causes
    QPalette p = palette();
    p.setColor(QPalette::WindowText, chosen);
    setPalette(p);
}

} // namespace telmora
