#include "ui/live/DisplayArt.h"

#include "ui/common/displayfont.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>

namespace telmora {

namespace art {

namespace {

constexpr double kRadiansPerDegree = 3.14159265358979323846 / 180.0;

QPointF polar(QPointF centre, double radius, double degrees) {
    return {centre.x() + std::cos(degrees * kRadiansPerDegree) * radius,
            centre.y() - std::sin(degrees * kRadiansPerDegree) * radius};
}

QFont artFont(double pixelSize, bool bold, double letterSpacing = 0) {
    QFont f = DisplayFont();
    f.setPixelSize(std::max(1, static_cast<int>(std::lround(pixelSize))));
    f.setBold(bold);
    if (letterSpacing != 0)
        f.setLetterSpacing(QFont::AbsoluteSpacing, letterSpacing);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

// Text centred on a point.
void centredText(QPainter& p, QPointF centre, const QString& text) {
    const QFontMetricsF m(p.font());
    const double w = m.horizontalAdvance(text);
    const double cap = m.capHeight();
    p.drawText(QPointF(centre.x() - w / 2, centre.y() + cap / 2), text);
}

// The colours of one look.
struct Colours {
    QColor plateTop, plateMiddle, plateBottom, plateRim, plateEdge;
    QColor faceFill, faceRim;
    QColor grooveDark, grooveLight;
    QColor bandTop, bandBottom, bandRim;
    QColor arc, ticks, numbers, zeroEnd, fullEnd;
};

const Colours& coloursOf(Look look) {
    static const Colours light{
        QColor(0xe2, 0xe4, 0xe7), QColor(0xc8, 0xcb, 0xcf),   QColor(0xa6, 0xaa, 0xb0),
        QColor(0x3c, 0x40, 0x46), QColor(255, 255, 255, 150), QColor(0xfd, 0xfd, 0xfa),
        QColor(0x5a, 0x5e, 0x64), QColor(0x8a, 0x8e, 0x94),   QColor(255, 255, 255, 140),
        QColor(0xe9, 0xed, 0xf1), QColor(0xc3, 0xca, 0xd2),   QColor(0x9a, 0xa1, 0xa9),
        QColor(0x15, 0x15, 0x15), QColor(0x10, 0x10, 0x10),   QColor(0x14, 0x14, 0x14),
        QColor(0x1f, 0x4f, 0xc0), QColor(0xc8, 0x1e, 0x1e)};
    static const Colours dark{
        QColor(0x4a, 0x4e, 0x55), QColor(0x36, 0x39, 0x3f),  QColor(0x25, 0x27, 0x2b),
        QColor(0x0c, 0x0d, 0x0f), QColor(255, 255, 255, 40), QColor(0x1c, 0x1e, 0x22),
        QColor(0x70, 0x75, 0x7c), QColor(0x14, 0x15, 0x18),  QColor(255, 255, 255, 40),
        QColor(0x3a, 0x40, 0x48), QColor(0x2a, 0x2f, 0x35),  QColor(0x5a, 0x60, 0x68),
        QColor(0xe4, 0xe4, 0xe0), QColor(0xea, 0xea, 0xe6),  QColor(0xf0, 0xf0, 0xec),
        QColor(0x7a, 0xa6, 0xff), QColor(0xff, 0x78, 0x70)};
    return look == Look::Dark ? dark : light;
}

// The brushed instrument plate with its rim.
void plate(QPainter& p, const QRectF& r, const Colours& c) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0.0, c.plateTop);
    g.setColorAt(0.5, c.plateMiddle);
    g.setColorAt(1.0, c.plateBottom);
    p.setPen(QPen(c.plateRim, 1.0));
    p.setBrush(g);
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 7, 7);
    // Light inner edge along the top and left, as on a milled panel.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(c.plateEdge, 1.0));
    p.drawRoundedRect(r.adjusted(1.5, 1.5, -1.5, -1.5), 6, 6);
}

void titlePlate(QPainter& p, const QRectF& r, const QString& title) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0.0, QColor(0x3a, 0x40, 0x48));
    g.setColorAt(1.0, QColor(0x16, 0x19, 0x1d));
    p.setPen(QPen(QColor(0x0b, 0x0c, 0x0e), 1.0));
    p.setBrush(g);
    p.drawRoundedRect(r, 3, 3);
    p.setPen(QPen(QColor(255, 255, 255, 40), 1.0));
    p.drawLine(QPointF(r.left() + 3, r.top() + 1.5), QPointF(r.right() - 3, r.top() + 1.5));
    p.setFont(artFont(r.height() * 0.56, true, 1.1));
    p.setPen(QColor(0xee, 0xee, 0xea));
    centredText(p, r.center() + QPointF(0.5, 0), title);
}

// The face behind scale and needle, with a faint shadow under the rim.
void face(QPainter& p, const QRectF& r, const Colours& c) {
    p.setPen(QPen(c.faceRim, 1.0));
    p.setBrush(c.faceFill);
    p.drawRoundedRect(r, 4, 4);
    QLinearGradient shade(r.topLeft(), r.topLeft() + QPointF(0, 7));
    shade.setColorAt(0.0, QColor(0, 0, 0, 40));
    shade.setColorAt(1.0, QColor(0, 0, 0, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(shade);
    p.drawRoundedRect(r.adjusted(1, 1, -1, 0).adjusted(0, 0, 0, -(r.height() - 8)), 3, 3);
}

void screw(QPainter& p, QPointF c, double slotAngle) {
    QRadialGradient g(c - QPointF(1, 1), 4.5);
    g.setColorAt(0.0, QColor(0xf4, 0xf4, 0xf4));
    g.setColorAt(1.0, QColor(0x80, 0x84, 0x8a));
    p.setPen(QPen(QColor(0x4a, 0x4e, 0x54), 0.8));
    p.setBrush(g);
    p.drawEllipse(c, 3.2, 3.2);
    p.setPen(QPen(QColor(0x3a, 0x3d, 0x42), 1.0));
    p.drawLine(polar(c, 2.4, slotAngle), polar(c, 2.4, slotAngle + 180));
}

void hub(QPainter& p, QPointF c, double r) {
    QRadialGradient g(c - QPointF(r * 0.35, r * 0.35), r * 1.4);
    g.setColorAt(0.0, QColor(0x8a, 0x90, 0x98));
    g.setColorAt(0.6, QColor(0x34, 0x38, 0x3e));
    g.setColorAt(1.0, QColor(0x14, 0x16, 0x19));
    p.setPen(QPen(QColor(0x0c, 0x0d, 0x0f), 1.0));
    p.setBrush(g);
    p.drawEllipse(c, r, r);
}

void drawDialFace(QPainter& p, QPointF o, const Colours& c) {
    const QRectF r(o, QSizeF(198, 178));
    plate(p, r, c);
    titlePlate(p, QRectF(o + QPointF(46, 5), QSizeF(106, 17)), QStringLiteral("ANALOG METER"));
    face(p, QRectF(o + QPointF(6.5, 25.5), QSizeF(185, 124)), c);
    hub(p, o + kDialPivot, 9);
    screw(p, o + QPointF(11, 13), 35);
    screw(p, o + QPointF(187, 13), 110);
    screw(p, o + QPointF(11, 164), 75);
    screw(p, o + QPointF(187, 164), 10);
    // A recessed groove across the lower plate, under the face.
    p.setPen(QPen(c.grooveDark, 1.0));
    p.drawLine(o + QPointF(24, 160.5), o + QPointF(174, 160.5));
    p.setPen(QPen(c.grooveLight, 1.0));
    p.drawLine(o + QPointF(24, 161.5), o + QPointF(174, 161.5));
}

// The divisions of one scale: its full-scale value, the value between numbered
// ticks and between mid and minor ticks.
struct ScaleDivisions {
    int full;
    int labelStep;
    double midStep;
    double minorStep;
};

ScaleDivisions divisionsOf(int pictureId) {
    if (pictureId == id::Scale10)
        return {10, 2, 1, 0.2};
    if (pictureId == id::Scale20)
        return {20, 4, 2, 0.5};
    return {6, 1, 0.5, 0.1};
}

constexpr double kScaleRadius = 86.0; // the base arc the ticks stand on

// The angle of value `v` on a scale running from 150 degrees (zero) to 30
// degrees (full scale).
double scaleAngle(const ScaleDivisions& scale, double v) {
    return 150.0 - v / scale.full * 120.0;
}

// Mirror band inside the ticks, as on a precision meter.
void drawMirrorBand(QPainter& p, QPointF c, const Colours& colours) {
    QPainterPath band;
    band.arcMoveTo(QRectF(c - QPointF(84, 84), QSizeF(168, 168)), 151);
    band.arcTo(QRectF(c - QPointF(84, 84), QSizeF(168, 168)), 151, -122);
    band.arcTo(QRectF(c - QPointF(79, 79), QSizeF(158, 158)), 29, 122);
    band.closeSubpath();
    QLinearGradient silver(c - QPointF(0, 84), c - QPointF(0, 40));
    silver.setColorAt(0.0, colours.bandTop);
    silver.setColorAt(1.0, colours.bandBottom);
    p.setPen(QPen(colours.bandRim, 0.6));
    p.setBrush(silver);
    p.drawPath(band);
}

// Coloured ends of the 0-10 and 0-20 scales.
void drawColouredEnds(QPainter& p, QPointF c, const Colours& colours) {
    const double base = kScaleRadius;
    p.setBrush(Qt::NoBrush);
    const QRectF arcRect(c - QPointF(base + 1.5, base + 1.5), QSizeF(2 * base + 3, 2 * base + 3));
    p.setPen(QPen(colours.zeroEnd, 2.0, Qt::SolidLine, Qt::FlatCap));
    p.drawArc(arcRect, static_cast<int>(150 * 16), static_cast<int>(-12 * 16));
    p.setPen(QPen(colours.fullEnd, 2.0, Qt::SolidLine, Qt::FlatCap));
    p.drawArc(arcRect, static_cast<int>(42 * 16), static_cast<int>(-12 * 16));
}

// The base arc and its ticks: long at numbered values, middling at mid steps.
void drawTicks(QPainter& p, QPointF c, const ScaleDivisions& scale, const Colours& colours) {
    const double base = kScaleRadius;
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(colours.arc, 1.0));
    p.drawArc(QRectF(c - QPointF(base, base), QSizeF(2 * base, 2 * base)), 30 * 16, 120 * 16);

    const int minorCount = static_cast<int>(std::lround(scale.full / scale.minorStep));
    for (int i = 0; i <= minorCount; ++i) {
        const double v = i * scale.minorStep;
        const double a = scaleAngle(scale, v);
        const bool major = std::fabs(std::fmod(v + 1e-9, scale.labelStep)) < 1e-6;
        const bool mid = !major && std::fabs(std::fmod(v + 1e-9, scale.midStep)) < 1e-6;
        const double len = major ? 11.0 : mid ? 7.5 : 4.5;
        p.setPen(QPen(colours.ticks, major ? 1.4 : 0.9, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(polar(c, base, a), polar(c, base + len, a));
    }
}

// Numbers inside the arc; on coloured scales zero and full scale take the
// colours of the ends.
void drawNumbers(QPainter& p, QPointF c, const ScaleDivisions& scale, bool colouredEnds,
                 const Colours& colours) {
    p.setFont(artFont(10, true));
    for (int v = 0; v <= scale.full; v += scale.labelStep) {
        QColor colour = colours.numbers;
        if (colouredEnds && v == 0)
            colour = colours.zeroEnd;
        else if (colouredEnds && v == scale.full)
            colour = colours.fullEnd;
        p.setPen(colour);
        centredText(p, polar(c, 70.5, scaleAngle(scale, v)), QString::number(v));
    }
}

// One scale: an arc of ticks from 150 degrees (zero) to 30 degrees (full
// scale) around the needle pivot, numbered at the major ticks.
void drawScale(QPainter& p, QPointF o, int pictureId, const Colours& colours) {
    const ScaleDivisions scale = divisionsOf(pictureId);
    const QPointF c = o + kScalePivot;
    const bool colouredEnds = pictureId != id::Scale6;
    drawMirrorBand(p, c, colours);
    if (colouredEnds)
        drawColouredEnds(p, c, colours);
    drawTicks(p, c, scale, colours);
    drawNumbers(p, c, scale, colouredEnds, colours);
}

void drawSign(QPainter& p, QPointF o, bool negative) {
    const QRectF r(o, QSizeF(11, 11));
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    if (negative) {
        g.setColorAt(0, QColor(0x3b, 0x6f, 0xd8));
        g.setColorAt(1, QColor(0x18, 0x42, 0x9c));
    } else {
        g.setColorAt(0, QColor(0xe0, 0x4a, 0x40));
        g.setColorAt(1, QColor(0xa8, 0x1c, 0x16));
    }
    p.setPen(QPen(QColor(0x20, 0x20, 0x24), 1.0));
    p.setBrush(g);
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(o + QPointF(2.5, 4.5), QSizeF(6, 2)));
    if (!negative)
        p.drawRect(QRectF(o + QPointF(4.5, 2.5), QSizeF(2, 6)));
}

void drawComparatorDial(QPainter& p, QPointF o, const Colours& c) {
    const QRectF r(o, QSizeF(201, 122));
    plate(p, r, c);
    titlePlate(p, QRectF(o + QPointF(55, 3), QSizeF(91, 15)), QStringLiteral("COMPARATOR"));
    face(p, QRectF(o + QPointF(6.5, 20.5), QSizeF(188, 96)), c);
    screw(p, o + QPointF(11, 11), 40);
    screw(p, o + QPointF(190, 11), 125);
}

// The comparator's zones: an arc of three bands around the needle pivot (lower
// side blue N G, middle green GO, upper side red N G) and three matching lamps.
void drawZone(QPainter& p, QPointF o) {
    const QPointF c = o + kZonePivot;
    const double inner = 47.0;
    const double outer = 72.0;
    struct Band {
        double from, to;
        QColor colour;
        const char* label;
    };
    const Band bands[] = {
        {134, 110, QColor(0x2b, 0x62, 0xd0), "N G"},
        {110, 70, QColor(0x25, 0x9a, 0x45), "GO"},
        {70, 46, QColor(0xd2, 0x30, 0x30), "N G"},
    };
    const QRectF outerRect(c - QPointF(outer, outer), QSizeF(2 * outer, 2 * outer));
    const QRectF innerRect(c - QPointF(inner, inner), QSizeF(2 * inner, 2 * inner));
    for (const Band& b : bands) {
        QPainterPath path;
        path.arcMoveTo(outerRect, b.from);
        path.arcTo(outerRect, b.from, b.to - b.from);
        path.arcTo(innerRect, b.to, b.from - b.to);
        path.closeSubpath();
        QRadialGradient g(c, outer);
        g.setColorAt(inner / outer, b.colour.darker(115));
        g.setColorAt(1.0, b.colour.lighter(118));
        p.setPen(QPen(b.colour.darker(160), 0.8));
        p.setBrush(g);
        p.drawPath(path);

        // The band's name along the arc.
        const double mid = (b.from + b.to) / 2;
        p.save();
        p.translate(polar(c, (inner + outer) / 2, mid));
        p.rotate(90 - mid);
        p.setFont(artFont(10, true, 0.5));
        p.setPen(Qt::white);
        centredText(p, QPointF(0, 0), QString::fromLatin1(b.label));
        p.restore();

        // Its lamp inside the arc.
        p.save();
        p.translate(polar(c, 33, mid));
        p.rotate(90 - mid);
        const QRectF lamp(-6, -3.5, 12, 7);
        QLinearGradient lg(lamp.topLeft(), lamp.bottomLeft());
        lg.setColorAt(0, b.colour.lighter(140));
        lg.setColorAt(1, b.colour.darker(110));
        p.setPen(QPen(QColor(0x22, 0x22, 0x26), 0.8));
        p.setBrush(lg);
        p.drawRoundedRect(lamp, 1.5, 1.5);
        p.restore();
    }
    // Limit marks at the band boundaries.
    p.setPen(QPen(Qt::white, 1.6, Qt::SolidLine, Qt::FlatCap));
    for (double a : {110.0, 70.0})
        p.drawLine(polar(c, inner + 0.5, a), polar(c, outer - 0.5, a));
}

} // namespace

QSize Size(int pictureId) {
    switch (pictureId) {
    case id::DialFace:
        return {198, 178};
    case id::Scale6:
        return {180, 62};
    case id::Scale10:
        return {180, 62};
    case id::Scale20:
        return {180, 62};
    case id::SignNegative:
    case id::SignPositive:
        return {11, 11};
    case id::ComparatorDial:
        return {201, 122};
    case id::Zone:
        return {168, 77};
    default:
        return {};
    }
}

void Draw(QPainter& painter, int pictureId, QPointF topLeft, Look look) {
    const Colours& colours = coloursOf(look);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    switch (pictureId) {
    case id::DialFace:
        drawDialFace(painter, topLeft, colours);
        break;
    case id::Scale6:
    case id::Scale10:
    case id::Scale20:
        drawScale(painter, topLeft, pictureId, colours);
        break;
    case id::SignNegative:
        drawSign(painter, topLeft, true);
        break;
    case id::SignPositive:
        drawSign(painter, topLeft, false);
        break;
    case id::ComparatorDial:
        drawComparatorDial(painter, topLeft, colours);
        break;
    case id::Zone:
        drawZone(painter, topLeft);
        break;
    default:
        break;
    }
    painter.restore();
}

void DrawHubCap(QPainter& painter, QPointF centre, double radius) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    hub(painter, centre, radius);
    painter.restore();
}

QColor NeedleColour(Look look) {
    return look == Look::Dark ? QColor(0xf4, 0xf4, 0xf0) : QColor(0x0a, 0x0a, 0x0a);
}

QImage Render(int pictureId, qreal devicePixelRatio, Look look) {
    const QSize size = Size(pictureId);
    if (size.isEmpty())
        return {};
    QImage image(size * devicePixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(Qt::transparent);
    QPainter p(&image);
    Draw(p, pictureId, QPointF(0, 0), look);
    return image;
}

} // namespace art

} // namespace telmora
