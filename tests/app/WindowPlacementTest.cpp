// Where windows appear as they open one by one, where dialogs appear, and the
// recording viewer's first place.
#include "app/windowplacement.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace telmora;

namespace {

bool inside(const TileRect& r, const TileRect& area) {
    return r.left >= area.left && r.top >= area.top && r.right() <= area.right() &&
           r.bottom() <= area.bottom();
}

long long covered(const TileRect& r, const std::vector<TileRect>& others) {
    long long sum = 0;
    for (const TileRect& o : others) {
        const long long w = std::min(r.right(), o.right()) - std::max(r.left, o.left);
        const long long h = std::min(r.bottom(), o.bottom()) - std::max(r.top, o.top);
        sum += w > 0 && h > 0 ? w * h : 0;
    }
    return sum;
}

// The desktop of a user: windows with a 24-pixel caption and 1-pixel borders, the
// program running at `scale` (sizes in the program's pixels).
TileMetrics desktop(int width, int height, double scale) {
    const auto px = [scale](int devicePixels) {
        return static_cast<int>(devicePixels / scale + 0.5);
    };
    TileMetrics m;
    m.screenWidth = px(width);
    m.screenHeight = px(height);
    m.area = {0, 0, m.screenWidth, m.screenHeight};
    m.frame = 1;
    m.caption = 24;
    m.menu = 22;
    m.sizingFrame = 1;
    m.analogDialHeight = 178;
    m.comparatorPictureWidth = 201;
    m.comparatorPictureHeight = 122;
    m.comparatorAlarmButtonHeight = 25;
    m.comparatorLimitButtonHeight = 30;
    m.mainHeight = 26 + 22 + 44;
    m.analogHeight = 178 + 6 + 26;
    m.analogCurrentHeight = m.analogHeight;
    m.analogSmallestWidth = 200 + 2;
    m.comparatorSize = {201 + 48 + 2, 122 + 2 + 25 + 30 + 6 + 26};
    m.digitalSmallest = {120 + 2, 48 + 26};
    m.dataListSmallest = {120 + 2, 96 + 26};
    m.recorderSmallest = {560 + 2, 300 + 26};
    return m;
}

struct Screen {
    int width, height;
    double scale;
    std::string name() const {
        return std::to_string(width) + "x" + std::to_string(height) + " at " +
               std::to_string(scale);
    }
};

const Screen kScreens[] = {{1600, 1000, 1.0}, {1366, 768, 1.0}, {1600, 1000, 1.5}};

} // namespace

// Start-up tiles the digital meter and the data list; then the analog meter, the
// comparator and the recorder open from the menu without another Tile. Each one
// lands inside the free area, off the main window and off the windows already
// open; only the recorder, far larger than what is left, may have to overlap, and
// then as little as it can.
TEST(OpeningPlace, WindowsOpenedFromTheMenuFindFreePlaces) {
    for (const Screen& screen : kScreens) {
        TileMetrics m = desktop(screen.width, screen.height, screen.scale);
        m.dataListVisible = true;
        const TileLayout start = ComputeTiling(m);
        std::vector<TileRect> open{start.digital, start.dataList};

        const auto openWindow = [&](TileRect wanted, const char* name, bool mustBeFree) {
            const TileRect at = ComputeOpeningPlace(wanted, m.area, start.main, open);
            EXPECT_TRUE(inside(at, m.area)) << name << ", " << screen.name();
            EXPECT_FALSE(Overlaps(at, start.main)) << name << ", " << screen.name();
            EXPECT_EQ(at.width, wanted.width) << name;
            EXPECT_EQ(at.height, wanted.height) << name;
            for (const TileRect& other : open) {
                if (mustBeFree) {
                    EXPECT_FALSE(Overlaps(at, other)) << name << ", " << screen.name();
                }
            }
            open.push_back(at);
            return at;
        };
        m.analogVisible = true;
        const TileRect analog = openWindow(ComputeTiling(m).analog, "analog meter", true);
        EXPECT_EQ(analog, ComputeTiling(m).analog) << "its tile was free, " << screen.name();
        m.comparatorVisible = true;
        const TileRect comparator = openWindow(ComputeTiling(m).comparator, "comparator", true);
        EXPECT_FALSE(Overlaps(comparator, analog)) << screen.name();
        m.recorderVisible = true;
        const TileRect wanted = ComputeTiling(m).recorder;
        const std::vector<TileRect> before = open;
        const TileRect recorder = openWindow(wanted, "recorder", false);
        EXPECT_LE(covered(recorder, before), covered(wanted, before)) << screen.name();
    }
}

TEST(OpeningPlace, AFreePlaceIsKeptAndAPlaceOffTheScreenComesBack) {
    const TileRect area{0, 30, 1366, 738};
    const TileRect main{0, 30, 1366, 92};
    const std::vector<TileRect> open{{0, 122, 341, 160}};
    // Where the user left it, nothing in the way: it stays there.
    const TileRect own{700, 400, 251, 211};
    EXPECT_EQ(ComputeOpeningPlace(own, area, main, open), own);
    // Half off the right and bottom edges: moved just inside.
    EXPECT_EQ(ComputeOpeningPlace({1300, 700, 251, 211}, area, main, open),
              (TileRect{1366 - 251, 768 - 211, 251, 211}));
    // Over the main window's tool bar: moved below it, not sideways.
    EXPECT_EQ(ComputeOpeningPlace({700, 40, 251, 211}, area, main, open),
              (TileRect{700, 122, 251, 211}));
    // Larger than the screen: its top-left corner stays on it.
    const TileRect huge = ComputeOpeningPlace({-50, -50, 2000, 900}, area, main, open);
    EXPECT_EQ(huge.left, 0);
    EXPECT_EQ(huge.top, 30);
}

TEST(OpeningPlace, WithoutRoomTheMainWindowStaysUncoveredAndOverlapIsLeast) {
    const TileRect area{0, 0, 800, 600};
    const TileRect main{0, 0, 800, 100};
    // Two windows fill the room below the main window but for a strip at the right.
    const std::vector<TileRect> open{{0, 100, 300, 500}, {300, 100, 400, 500}};
    const TileRect at = ComputeOpeningPlace({200, 150, 200, 300}, area, main, open);
    EXPECT_FALSE(Overlaps(at, main));
    EXPECT_TRUE(inside(at, area));
    // The free strip is 100 wide: the window reaches into the right edge and covers
    // half of its width of the open windows, no more.
    EXPECT_EQ(at.right(), 800);
    EXPECT_EQ(at.top, 150) << "no farther than needed";
}

TEST(DialogPlace, CentredOnItsOwnerOrTheScreen) {
    const TileRect area{0, 0, 1366, 768};
    // On a window taller than the box: its centres.
    const TileRect recorder{341, 92, 1025, 676};
    EXPECT_EQ(ComputeDialogPlace({400, 150}, recorder, area),
              (TileRect{341 + (1025 - 400) / 2, 92 + (676 - 150) / 2, 400, 150}));
    // The main window is a bar across the top: centred across it, and in the room
    // below it, never at the very top of the screen.
    const TileRect main{0, 0, 1366, 92};
    EXPECT_EQ(ComputeDialogPlace({400, 150}, main, area),
              (TileRect{483, 92 + (676 - 150) / 2, 400, 150}));
    // Without an owner: the screen's free area.
    EXPECT_EQ(ComputeDialogPlace({400, 150}, std::nullopt, {0, 30, 1366, 738}),
              (TileRect{483, 30 + (738 - 150) / 2, 400, 150}));
    // An owner at the screen's edge: the box stays on the screen.
    EXPECT_EQ(ComputeDialogPlace({400, 300}, TileRect{1300, 600, 66, 400}, area),
              (TileRect{966, 468, 400, 300}));
    // A box larger than the screen keeps its caption on it.
    const TileRect big = ComputeDialogPlace({1500, 900}, recorder, area);
    EXPECT_EQ(big.left, 0);
    EXPECT_EQ(big.top, 0);
}

TEST(ViewerPlace, ANormalWindowBelowTheMainWindow) {
    const TileRect area{0, 0, 1366, 768};
    const TileRect main{0, 0, 1366, 92};
    const TileRect at = ComputeViewerPlace(area, main, {600, 400});
    EXPECT_FALSE(Overlaps(at, main));
    EXPECT_TRUE(inside(at, area));
    EXPECT_EQ(at.width, 1366 * 7 / 8);
    EXPECT_EQ(at.height, 676 * 7 / 8);
    EXPECT_EQ(at.left, (1366 - at.width) / 2);
    EXPECT_EQ(at.top, 92 + (676 - at.height) / 2);
    // A viewer that needs more than the room below the main window still fits the
    // screen; one that needs more than the screen keeps its top-left on it.
    const TileRect tall = ComputeViewerPlace(area, main, {600, 700});
    EXPECT_TRUE(inside(tall, area));
    const TileRect huge = ComputeViewerPlace({0, 0, 800, 600}, {0, 0, 800, 90}, {900, 700});
    EXPECT_EQ(huge.left, 0);
    EXPECT_EQ(huge.top, 0);
    EXPECT_EQ(huge.width, 800);
    EXPECT_EQ(huge.height, 600);
}
