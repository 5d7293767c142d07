#include "ui/common/contrast.h"

#include <QPalette>

#include <algorithm>
#include <cmath>

namespace telmora {

namespace {

double linearChannel(double c) {
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

} // namespace

double RelativeLuminance(const QColor& colour) {
    const QColor c = colour.toRgb();
    return 0.2126 * linearChannel(c.redF()) + 0.7152 * linearChannel(c.greenF()) +
           0.0722 * linearChannel(c.blueF());
}

double ContrastRatio(const QColor& a, const QColor& b) {
    const double la = RelativeLuminance(a);
    const double lb = RelativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor ReadableOn(const QColor& background, std::initializer_list<QColor> candidates,
                  double minimum) {
    QColor best;
    double bestRatio = 0.0;
    for (const QColor& c : candidates) {
        const double ratio = ContrastRatio(c, background);
        if (ratio >= minimum)
            return c;
        if (ratio > bestRatio) {
            best = c;
            bestRatio = ratio;
        }
    }
    return best;
}

QColor TextColourOn(const QColor& background) {
    const QColor black(Qt::black);
    const QColor white(Qt::white);
    return ContrastRatio(black, background) >= ContrastRatio(white, background) ? black : white;
}

bool IsDarkPalette(const QPalette& palette) {
    return RelativeLuminance(palette.color(QPalette::Window)) <
           RelativeLuminance(palette.color(QPalette::WindowText));
}

QColor Blend(const QColor& from, const QColor& to, double share) {
    const QColor a = from.toRgb();
    const QColor b = to.toRgb();
    const auto mix = [share](double x, double y) { return x + (y - x) * share; };
    return QColor::fromRgbF(static_cast<float>(mix(a.redF(), b.redF())),
                            static_cast<float>(mix(a.greenF(), b.greenF())),
                            static_cast<float>(mix(a.blueF(), b.blueF())));
}

} // namespace telmora
