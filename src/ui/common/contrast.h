#pragma once
// Colours chosen against a background: the contrast of two colours as the web's
// accessibility guidelines measure it (relative luminance), and the pick of the
// first colour that stands out enough. Text wants 4.5:1, lines and pictures 3:1.

#include <QColor>

#include <initializer_list>

class QPalette;

namespace telmora {

inline constexpr double kTextContrast = 4.5;
inline constexpr double kGraphicContrast = 3.0;

// Relative luminance of a colour, 0 (black) to 1 (white); alpha is ignored.
double RelativeLuminance(const QColor& colour);
// Contrast ratio of two colours, 1 (the same luminance) to 21 (black on white).
double ContrastRatio(const QColor& a, const QColor& b);

// The first of `candidates` with at least `minimum` contrast against `background`;
// when none has, the one with the most.
QColor ReadableOn(const QColor& background, std::initializer_list<QColor> candidates,
                  double minimum);

// Black or white, whichever contrasts more with `background`.
QColor TextColourOn(const QColor& background);

// Whether a palette is a dark one: its window darker than its text.
bool IsDarkPalette(const QPalette& palette);

// `from` moved towards `to` by `share` (0 .. 1), channel by channel.
QColor Blend(const QColor& from, const QColor& to, double share);

} // namespace telmora
