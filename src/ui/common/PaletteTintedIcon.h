#pragma once
// A picture of the style (arrows, media buttons) that shows on a dark theme too:
// on a dark palette, its marks that would not stand out from the buttons (3:1)
// are drawn in the palette's button text colour, with their own transparency.
// Light palettes see the picture as the style draws it.

#include <QIcon>

namespace telmora {

QIcon PaletteTinted(const QIcon& icon);

} // namespace telmora
