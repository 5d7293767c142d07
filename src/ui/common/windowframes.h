#pragma once

#include "app/mainwindowrules.h"

#include <QMargins>
#include <QRect>

class QScreen;
class QWidget;

namespace telmora {

// Window frames as the desktop draws them, and places given as outer rectangles.
//
// A window's place is its outer rectangle (frame and caption included) while Qt
// sets and reports the client area; the two differ by the frame, which is known
// only once the window manager has framed the window. These helpers convert
// between the two so that a window put at an outer place ends up there, framed or
// not yet framed.

// The frame around `window`'s client area: none for a window without frame;
// measured once it is framed, else as measured on `reference` (a window already on
// the screen), else a caption of the style's title-bar height and no border.
QMargins FrameMargins(const QWidget& window, const QWidget* reference);

// `window`'s outer rectangle in screen coordinates.
TileRect OuterRect(const QWidget& window, const QWidget* reference);

// Gives `window` the outer rectangle `outer` (its client area is set, so the place
// does not depend on whether the frame was known).
void PlaceOuter(QWidget& window, const TileRect& outer, const QWidget* reference);

// Moves `window` so that its outer top-left corner is `outerTopLeft`; the size stays.
void MoveOuter(QWidget& window, QPoint outerTopLeft, const QWidget* reference);

// The part of `window`'s screen (the primary screen when it has none) that windows
// may cover, in screen coordinates. On a scaled screen it ends where a window
// surely ends on the screen, whichever way the screen's size was rounded.
TileRect FreeArea(const QWidget& window);

inline TileRect ToTileRect(const QRect& r) {
    return {r.x(), r.y(), r.width(), r.height()};
}
inline QRect ToQRect(const TileRect& r) {
    return {r.left, r.top, r.width, r.height};
}

} // namespace telmora
