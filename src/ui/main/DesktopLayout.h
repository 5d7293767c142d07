#pragma once

#include "app/mainwindowrules.h"
#include "ui/main/LiveWindowSet.h"

#include <vector>

class QFrame;
class QMainWindow;
class QScreen;
class QWidget;

namespace telmora {

class AnalogMeterWindow;
class ComparatorWindow;
class DataListWindow;
class DigitalMeterWindow;
class RecorderWindow;

// Places the long-lived windows on the desktop for their owner, the main window:
// all at once side by side (the tile command), the first ones at start-up, and
// each one as it opens from the menu, so that no window has to look another up.
// Places are outer rectangles; the frames the desktop draws are measured on the
// windows (or on the main window while a window has not been framed yet).
class DesktopLayout {
public:
    // The windows it places; any but the main window may be null.
    struct Windows {
        DigitalMeterWindow* digital = nullptr;
        AnalogMeterWindow* analog = nullptr;
        ComparatorWindow* comparator = nullptr;
        RecorderWindow* recorder = nullptr;
        DataListWindow* dataList = nullptr;
    };

    // `bevel` is the line above the main window's tool row.
    DesktopLayout(QMainWindow& main, const QFrame& bevel);

    void setWindows(const Windows& windows) { m_windows = windows; }
    // The live windows of the meters after the first, in meter order: the tile
    // command gives each set a column of its own, and the window buttons bring
    // each kind up for every meter.
    void setFurtherMeters(std::vector<LiveWindowSet> sets) { m_further = std::move(sets); }

    // Places the shown windows side by side below the main window.
    void tile();
    // Gives the digital meter and the data list, which open at start-up, their
    // tiled places (before remembered places are put back).
    void placeStartWindows();
    // Places `window`, about to open: where it was last (or its tiled place the
    // first time), moved where it covers neither the main window nor another open
    // window when there is room for that.
    void placeOpeningWindow(QWidget& window);
    // Shows a long-lived window: restored if minimised, made visible when
    // `makeVisible` (in a free place when it was hidden), brought to the front.
    // Nothing when `window` is null.
    void bringUp(QWidget* window, bool makeVisible);
    // bringUp for the first meter's live window of `kind` and for those of the
    // further meters.
    void bringUpLive(LiveWindowKind kind, bool makeVisible);
    // Opens the windows of a further meter linked for the first time as the first
    // meter's are: the digital meter always, the others when the first meter's
    // window of their kind is open; each in a free place.
    void openMeterWindows(const LiveWindowSet& set);
    // Places the recording viewer over most of the room below the main window the
    // first time, and back on the screen later.
    void placeViewer(QWidget& viewer);

private:
    const QScreen* screen() const;
    // A framed window whose frame `window` will have, to measure while `window`
    // is not framed yet.
    const QWidget& frameReference(const QWidget& window) const;
    // What the tiling needs to know of the screen, the frames and the windows;
    // `opening` counts as shown.
    TileMetrics tileMetrics(const QScreen& screen, const QWidget* opening) const;
    // `window`'s rectangle in `layout`, in screen coordinates; false when it has none.
    bool tiledPlaceOf(const QWidget& window, TileRect& place) const;
    // The same for a window of a further meter; false when `window` is none of them.
    bool furtherTiledPlaceOf(const QWidget& window, TileRect& place) const;
    // Every placed window but the main window (null where there is none).
    std::vector<QWidget*> allWindows() const;

    QMainWindow& m_main;
    const QFrame& m_bevel;
    Windows m_windows;
    std::vector<LiveWindowSet> m_further;
};

} // namespace telmora
