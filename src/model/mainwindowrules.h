#pragma once

#include "text/texts.h"

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
    friend bool operator==(const TileRect&, const TileRect&) = default;
};

// Screen and window metrics the tiling rule works from (pixels).
struct TileMetrics {
    int screenWidth = 0;          // W
    int screenHeight = 0;         // H
    int frame = 0;                // F: fixed dialog frame height
    int caption = 0;              // C: caption height
    int menu = 0;                 // M: menu bar height
    int bevel = 0;                // Bevel1 height
    int taskbar = 0;              // T: task bar height, 0 when it hides itself
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
};

// Where the tile command puts each window. Windows that are not visible keep
// their place unset (has* false), except that the data list always leaves room
// for the analog meter's height.
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

} // namespace telmora
