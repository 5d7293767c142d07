#pragma once

#include "app/mainwindowrules.h"

#include <optional>
#include <vector>

namespace telmora {

// Where windows appear when they open one by one (the tile command places them
// all at once, see ComputeTiling). Every rectangle is an outer one, frame and
// caption included, in the coordinates of the screen's free area.

// `r` moved (never resized) so that it lies inside `area`; a rectangle larger
// than the area keeps the area's top-left corner.
TileRect MoveInside(TileRect r, const TileRect& area);

// True when the two rectangles share any pixel.
bool Overlaps(const TileRect& a, const TileRect& b);

// The place of a window that opens. It starts from `wanted` (where the tiling
// would put it, or where it was last), kept inside `area`. When that place covers
// the main window or one of the other open windows, the nearest place inside the
// area that covers none of them is taken, trying the places beside and below the
// windows already there. Where no such place exists, the window avoids the main
// window (if it can) and covers as little of the others as it can.
TileRect ComputeOpeningPlace(const TileRect& wanted, const TileRect& area, const TileRect& main,
                             const std::vector<TileRect>& others);

// Where a dialog or message box of outer size `box` appears: centred on its
// `owner` window. An owner lower than the box (the main window, a narrow bar
// across the top) gives only the horizontal centre; the box is then centred
// vertically on the free area below the owner. Without an owner the box is
// centred on the area. The box always lies inside the area where it fits.
TileRect ComputeDialogPlace(TileSize box, const std::optional<TileRect>& owner,
                            const TileRect& area);

// The recording viewer's first place: a normal window over most of the room below
// the main window (seven eighths of it each way, centred), never smaller than
// `smallest` nor larger than the free area.
TileRect ComputeViewerPlace(const TileRect& area, const TileRect& main, TileSize smallest);

} // namespace telmora
