#pragma once

#include <QFont>

namespace telmora {

// The font of the meter-like displays (LCD panels, the analog scale, the
// recorder's read-outs): the system's sans-serif face, which has the ohm, micro
// and degree signs the displays draw.
inline QFont DisplayFont() {
    QFont font(QStringLiteral("sans-serif"));
    font.setStyleHint(QFont::SansSerif);
    // Figures need no kerning or ligatures; their layout skips that shaping.
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

} // namespace telmora
