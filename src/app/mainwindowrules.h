#pragma once

#include "text/texts.h"

#include <vector>

namespace telmora {

// Which main-window controls are enabled and what they say, from the link
// state and the busy flag.
struct MainControlState {
    TextId linkMenuCaption; // MenuUnlink while linked, else MenuLink
    bool linkMenuEnabled;   // unless busy
    bool portMenuEnabled;   // unlinked and not busy
    bool helpMenuEnabled;   // unlinked and not busy
    TextId linkHint;        // HintUnlink while linked, else HintLink
    bool linkButtonEnabled; // unless busy
    bool aboutEnabled;      // unlinked and not busy
};

MainControlState ComputeMainControls(bool linked, bool busy);

struct TileRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int right() const { return left + width; }
    int bottom() const { return top + height; }
    friend bool operator==(const TileRect&, const TileRect&) = default;
};

struct TileSize {
    int width = 0;
    int height = 0;
};

// Screen and window metrics the tiling rule works from (pixels). Every size of a
// window is its outer size, frame and caption included.
struct TileMetrics {
    int screenWidth = 0;
    int screenHeight = 0;
    int frame = 0;                // height of a fixed dialog frame
    int caption = 0;              // height of a window caption
    int menu = 0;                 // height of the menu bar
    int bevel = 0;                // height of the separator below the menu bar
    int taskbar = 0;              // height of the task bar, 0 when it hides itself
    int toolRow = 25 + 8;         // height of the main window's tool-button row
    int sizingFrame = 0;          // sizing frame height
    int analogDialHeight = 0;     // the analog dial picture's height
    int analogCurrentHeight = -1; // analog meter window's current height; -1: take dial + 4F
    int comparatorPictureWidth = 0;
    int comparatorPictureHeight = 0;
    int comparatorAlarmButtonHeight = 0;
    int comparatorLimitButtonHeight = 0;
    bool recorderVisible = false;
    bool analogVisible = false;
    bool dataListVisible = false;
    bool comparatorVisible = false;

    // The part of the screen that windows may cover (without task bars and
    // panels), relative to the screen's top-left corner. Empty: the screen less
    // the task bar at the bottom.
    TileRect area;
    // What the windows really measure on this desktop; 0 where not known. The
    // rule never makes a window smaller than its measured size where that size
    // is fixed, nor smaller than its smallest usable size.
    int mainHeight = 0;       // the main window's outer height
    int analogHeight = 0;     // the analog meter's outer height (fixed)
    TileSize comparatorSize;  // the comparator's outer size (fixed)
    TileSize digitalSmallest; // smallest usable outer sizes
    TileSize dataListSmallest;
    TileSize recorderSmallest;
    int analogSmallestWidth = 0;
};

// Where the tile command puts each window (outer rectangles, relative to the
// screen's top-left corner). Windows that are not visible keep their place unset
// (has* false).
//
// The main window spans the top of the free area; the recorder takes the right
// three quarters below it; the left quarter holds, from the top, the digital
// meter (a quarter of the height below the main window), the analog meter (its
// height is kept for the data list even while it is hidden), the comparator and
// the data list down to the bottom. No two windows overlap and all stay inside
// the free area: where the room is short, the digital meter and the data list
// shrink first (down to their smallest usable sizes), then the room kept for a
// hidden analog meter is given up, then the comparator moves to the top of the
// recorder's side (above the recorder, or beside it when the recorder would get
// too short); the column widens only as far as its windows need.
struct TileLayout {
    TileRect main;
    TileRect digital;
    bool hasRecorder = false;
    TileRect recorder;
    bool hasAnalog = false;
    TileRect analog;
    bool hasDataList = false;
    TileRect dataList;
    bool hasComparator = false;
    TileRect comparator;
};

TileLayout ComputeTiling(const TileMetrics& m);

// The live windows of one more meter in a tiling (outer rectangles as above);
// the analog meter and the comparator are placed when they are visible (the same
// kinds as the first meter's).
struct MeterTile {
    TileRect digital;
    bool hasAnalog = false;
    TileRect analog;
    bool hasComparator = false;
    TileRect comparator;
};

// The tiling with `furtherMeters` more linked meters besides the first. The first
// meter's column and the data list stay as ComputeTiling places them; each further
// meter gets a column of its own to the right of it (digital meter, analog meter
// and comparator from the top, at the first column's heights), and the recorder
// takes what is left. The further columns narrow, down to what their windows need,
// so that the recorder keeps its smallest width. Comparators that have no room in
// the columns stand side by side at the top of the recorder's side. Without
// further meters this is ComputeTiling.
struct SeveralMetersTiling {
    TileLayout first;
    std::vector<MeterTile> further;
};

SeveralMetersTiling ComputeSeveralMetersTiling(const TileMetrics& m, int furtherMeters);

} // namespace telmora
