#pragma once

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QSize>

class QPainter;

namespace telmora {

namespace art {

// The live displays' pictures, drawn by code so that they are sharp at every
// device pixel ratio. Each picture is known by its resource number and drawn
// with its top-left corner at the given point, in logical pixels.
namespace id {
constexpr int DialFace = 11;       // analog meter plate, 198 x 178
constexpr int Scale6 = 60;         // scale 0-6, 180 x 62
constexpr int Scale10 = 100;       // scale 0-10
constexpr int Scale20 = 200;       // scale 0-20
constexpr int SignNegative = 17;   // 11 x 11
constexpr int SignPositive = 18;   // 11 x 11
constexpr int ComparatorDial = 12; // 201 x 122
constexpr int Zone = 16;           // 168 x 77
} // namespace id

// Size of a picture in logical pixels; empty for an unknown number.
QSize Size(int pictureId);

// Centre of the needle's pivot inside the dial face, and inside a scale picture
// (the scale's arcs are drawn around it).
constexpr QPointF kDialPivot{99.0, 132.0};
constexpr QPointF kScalePivot{90.0, 104.0};
// Pivot of the comparator needle inside the zone picture (its bottom centre).
constexpr QPointF kZonePivot{84.0, 77.0};

// The pictures' two looks: a light plate and face for light themes, a dark plate
// and face with light marks and lettering for dark ones.
enum class Look { Light, Dark };

void Draw(QPainter& painter, int pictureId, QPointF topLeft, Look look = Look::Light);

// The needle pivot cap drawn over a needle's base.
void DrawHubCap(QPainter& painter, QPointF centre, double radius);

// A picture rendered on its own at a device pixel ratio (tests, exports).
QImage Render(int pictureId, qreal devicePixelRatio, Look look = Look::Light);

// The colour of the needle drawn over a face of `look`.
QColor NeedleColour(Look look);

} // namespace art

} // namespace telmora
