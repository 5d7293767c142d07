#include "app/mainwindowrules.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using namespace telmora;

TEST(MainControls, LinkedUnlinkedAndBusy) {
    const MainControlState unlinked = ComputeMainControls(false, false);
    EXPECT_EQ(unlinked.linkMenuCaption, TextId::MenuLink);
    EXPECT_EQ(unlinked.linkHint, TextId::HintLink);
    EXPECT_TRUE(unlinked.linkMenuEnabled && unlinked.portMenuEnabled && unlinked.helpMenuEnabled &&
                unlinked.linkButtonEnabled && unlinked.aboutEnabled);

    const MainControlState linked = ComputeMainControls(true, false);
    EXPECT_EQ(linked.linkMenuCaption, TextId::MenuUnlink);
    EXPECT_EQ(linked.linkHint, TextId::HintUnlink);
    EXPECT_TRUE(linked.linkMenuEnabled && linked.linkButtonEnabled);
    EXPECT_FALSE(linked.portMenuEnabled || linked.helpMenuEnabled || linked.aboutEnabled);

    for (bool isLinked : {false, true}) {
        const MainControlState busy = ComputeMainControls(isLinked, true);
        EXPECT_FALSE(busy.linkMenuEnabled || busy.linkButtonEnabled || busy.portMenuEnabled ||
                     busy.helpMenuEnabled || busy.aboutEnabled);
    }
}

namespace {
TileMetrics screen1280() {
    TileMetrics m;
    m.screenWidth = 1280;
    m.screenHeight = 1024;
    m.frame = 3;
    m.caption = 19;
    m.menu = 20;
    m.bevel = 0;
    m.taskbar = 30;
    m.sizingFrame = 4;
    m.analogDialHeight = 178;
    m.comparatorPictureWidth = 201;
    m.comparatorPictureHeight = 122;
    m.comparatorAlarmButtonHeight = 25;
    m.comparatorLimitButtonHeight = 25;
    return m;
}

bool overlap(const TileRect& a, const TileRect& b) {
    return a.left < b.right() && b.left < a.right() && a.top < b.bottom() && b.top < a.bottom();
}

bool inside(const TileRect& r, const TileRect& area) {
    return r.left >= area.left && r.top >= area.top && r.right() <= area.right() &&
           r.bottom() <= area.bottom();
}

// The shown windows of a layout with their names.
std::vector<std::pair<const char*, TileRect>> shownWindows(const TileLayout& t) {
    std::vector<std::pair<const char*, TileRect>> shown{{"main", t.main}, {"digital", t.digital}};
    if (t.hasRecorder)
        shown.emplace_back("recorder", t.recorder);
    if (t.hasAnalog)
        shown.emplace_back("analog", t.analog);
    if (t.hasComparator)
        shown.emplace_back("comparator", t.comparator);
    if (t.hasDataList)
        shown.emplace_back("data list", t.dataList);
    return shown;
}
} // namespace

TEST(Tiling, EveryWindowShownOnARoomyScreen) {
    TileMetrics m = screen1280();
    m.recorderVisible = m.analogVisible = m.dataListVisible = m.comparatorVisible = true;
    const TileLayout t = ComputeTiling(m);
    const int hm = 2 * 3 + 19 + 20 + 0 + 25 + 8;
    const int below = 1024 - 30 - hm;
    EXPECT_EQ(t.main, (TileRect{0, 0, 1280, hm}));
    EXPECT_EQ(t.digital, (TileRect{0, hm, 320, below / 4}));
    EXPECT_EQ(t.recorder, (TileRect{320, hm, 960, below}));
    EXPECT_EQ(t.analog, (TileRect{0, hm + t.digital.height, 320, 178 + 12}));
    // The comparator has its own place between the analog meter and the data list.
    const int e = 2 * 4 + 19;
    EXPECT_EQ(t.comparator, (TileRect{0, t.analog.bottom(), 201 + e, 122 + 25 + 25 + e + 2}));
    EXPECT_EQ(t.dataList.top, t.comparator.bottom());
    EXPECT_EQ(t.dataList.bottom(), 1024 - 30);
}

TEST(Tiling, HiddenAnalogMeterStillReservesItsHeightForTheDataList) {
    TileMetrics m = screen1280();
    m.dataListVisible = true;
    m.analogCurrentHeight = 190;
    const TileLayout t = ComputeTiling(m);
    EXPECT_FALSE(t.hasAnalog);
    EXPECT_FALSE(t.hasRecorder);
    EXPECT_FALSE(t.hasComparator);
    ASSERT_TRUE(t.hasDataList);
    EXPECT_EQ(t.dataList.top, t.digital.top + t.digital.height + 190);
}

namespace {
// A desktop whose windows carry a 24-pixel caption and 1-pixel borders, seen by a
// program running at `scale` (sizes in the program's pixels), with a panel of
// `panel` device pixels at the bottom.
TileMetrics desktop(int width, int height, double scale, int panel) {
    const auto px = [scale](int devicePixels) {
        return static_cast<int>(devicePixels / scale + 0.5);
    };
    TileMetrics m;
    m.screenWidth = px(width);
    m.screenHeight = px(height);
    m.area = {0, 0, m.screenWidth, m.screenHeight - px(panel)};
    m.frame = 1;
    m.caption = 24;
    m.menu = 22;
    m.sizingFrame = 1;
    m.analogDialHeight = 178;
    m.comparatorPictureWidth = 201;
    m.comparatorPictureHeight = 122;
    m.comparatorAlarmButtonHeight = 25;
    m.comparatorLimitButtonHeight = 30;
    // Sizes as the program measures its framed windows (caption 24 + borders 2).
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
} // namespace

// Small and scaled screens: whatever is shown, Tile keeps every window inside
// the free area, no two windows overlap, and none gets less than it needs.
TEST(Tiling, SmallAndScaledScreensFitWithoutOverlap) {
    struct Screen {
        int width, height;
        double scale;
        int panel;
    };
    const Screen screens[] = {{1366, 768, 1.0, 0},   {1366, 768, 1.0, 40}, {1600, 1000, 1.5, 0},
                              {1600, 1000, 1.5, 48}, {1280, 720, 1.0, 30}, {1920, 1080, 1.25, 40},
                              {1024, 768, 1.0, 0},   {2560, 1440, 2.0, 0}};
    for (const Screen& screen : screens) {
        for (int shown = 0; shown < 16; ++shown) {
            TileMetrics m = desktop(screen.width, screen.height, screen.scale, screen.panel);
            m.recorderVisible = (shown & 1) != 0;
            m.analogVisible = (shown & 2) != 0;
            m.dataListVisible = (shown & 4) != 0;
            m.comparatorVisible = (shown & 8) != 0;
            const TileLayout t = ComputeTiling(m);
            const auto windows = shownWindows(t);
            const std::string where =
                std::to_string(screen.width) + "x" + std::to_string(screen.height) + " at " +
                std::to_string(screen.scale) + ", windows " + std::to_string(shown);
            for (std::size_t i = 0; i < windows.size(); ++i) {
                EXPECT_TRUE(inside(windows[i].second, m.area)) << windows[i].first << ", " << where;
                for (std::size_t j = i + 1; j < windows.size(); ++j)
                    EXPECT_FALSE(overlap(windows[i].second, windows[j].second))
                        << windows[i].first << " and " << windows[j].first << ", " << where;
            }
            EXPECT_EQ(t.hasRecorder, m.recorderVisible);
            EXPECT_EQ(t.hasComparator, m.comparatorVisible);
            EXPECT_GE(t.digital.height, m.digitalSmallest.height) << where;
            if (t.hasRecorder) {
                EXPECT_GE(t.recorder.width, m.recorderSmallest.width) << where;
                EXPECT_GE(t.recorder.height, m.recorderSmallest.height) << where;
                EXPECT_EQ(t.recorder.right(), m.area.right()) << where;
                EXPECT_EQ(t.recorder.bottom(), m.area.bottom())
                    << "status bar on screen, " << where;
            }
            if (t.hasDataList) {
                EXPECT_GE(t.dataList.height, m.dataListSmallest.height) << where;
            }
            if (t.hasAnalog) {
                EXPECT_EQ(t.analog.height, m.analogHeight) << where;
            }
        }
    }
}

TEST(Tiling, FreeAreaBelowATopPanelIsWhereTheWindowsGo) {
    TileMetrics m = desktop(1366, 768, 1.0, 0);
    m.area = {0, 28, 1366, 740};
    m.recorderVisible = m.dataListVisible = true;
    const TileLayout t = ComputeTiling(m);
    EXPECT_EQ(t.main.top, 28);
    EXPECT_EQ(t.digital.top, 28 + m.mainHeight);
    EXPECT_EQ(t.recorder.bottom(), 768);
    EXPECT_EQ(t.dataList.bottom(), 768);
}

namespace {
// Every window of a tiling with further meters, named.
std::vector<std::pair<std::string, TileRect>> shownWindows(const SeveralMetersTiling& s) {
    std::vector<std::pair<std::string, TileRect>> shown;
    for (const auto& [name, rect] : shownWindows(s.first))
        shown.emplace_back(name, rect);
    for (std::size_t i = 0; i < s.further.size(); ++i) {
        const MeterTile& c = s.further[i];
        const std::string meter = "meter " + std::to_string(i + 2) + " ";
        shown.emplace_back(meter + "digital", c.digital);
        if (c.hasAnalog)
            shown.emplace_back(meter + "analog", c.analog);
        if (c.hasComparator)
            shown.emplace_back(meter + "comparator", c.comparator);
    }
    return shown;
}
} // namespace

TEST(SeveralMetersTiling, WithoutFurtherMetersItIsTheTiling) {
    TileMetrics m = desktop(1366, 768, 1.0, 40);
    m.recorderVisible = m.analogVisible = m.dataListVisible = m.comparatorVisible = true;
    const SeveralMetersTiling s = ComputeSeveralMetersTiling(m, 0);
    const TileLayout t = ComputeTiling(m);
    EXPECT_TRUE(s.further.empty());
    for (const auto& [a, b] : {std::pair{s.first.main, t.main},
                               {s.first.digital, t.digital},
                               {s.first.recorder, t.recorder},
                               {s.first.analog, t.analog},
                               {s.first.comparator, t.comparator},
                               {s.first.dataList, t.dataList}})
        EXPECT_EQ(a, b);
}

TEST(SeveralMetersTiling, EachFurtherMeterGetsAColumnAndTheRecorderTheRest) {
    TileMetrics m = screen1280();
    m.recorderVisible = m.analogVisible = m.dataListVisible = m.comparatorVisible = true;
    m.recorderSmallest = {300, 200};
    const SeveralMetersTiling s = ComputeSeveralMetersTiling(m, 2);
    ASSERT_EQ(s.further.size(), 2u);
    const TileLayout& t = s.first;
    EXPECT_EQ(t.digital, ComputeTiling(m).digital) << "the first column stays as it was";
    for (std::size_t i = 0; i < 2; ++i) {
        const MeterTile& c = s.further[i];
        EXPECT_EQ(c.digital.top, t.digital.top);
        EXPECT_EQ(c.digital.height, t.digital.height);
        EXPECT_EQ(c.digital.left, t.digital.right() + static_cast<int>(i) * c.digital.width);
        ASSERT_TRUE(c.hasAnalog && c.hasComparator);
        EXPECT_EQ(c.analog.top, c.digital.bottom());
        EXPECT_EQ(c.comparator.top, c.analog.bottom());
    }
    EXPECT_EQ(t.recorder.left, s.further[1].digital.right());
    EXPECT_EQ(t.recorder.right(), 1280);
    EXPECT_GE(t.recorder.width, m.recorderSmallest.width);
}

// Two meters on the screens users run on, three on the larger ones: whatever is
// shown, every window lies inside the free area and none covers another; the
// further digital meters keep their smallest size.
TEST(SeveralMetersTiling, ScreensFitEveryMetersWindowsWithoutOverlap) {
    struct Screen {
        int width, height;
        double scale;
        int panel;
        int meters;
    };
    const Screen screens[] = {{1366, 768, 1.0, 40, 2},   {1600, 1000, 1.5, 48, 2},
                              {1280, 720, 1.0, 30, 2},   {1024, 768, 1.0, 0, 2},
                              {1920, 1080, 1.25, 40, 3}, {2560, 1440, 1.0, 0, 3}};
    for (const Screen& screen : screens) {
        for (int shown = 0; shown < 16; ++shown) {
            TileMetrics m = desktop(screen.width, screen.height, screen.scale, screen.panel);
            m.recorderVisible = (shown & 1) != 0;
            m.analogVisible = (shown & 2) != 0;
            m.dataListVisible = (shown & 4) != 0;
            m.comparatorVisible = (shown & 8) != 0;
            const SeveralMetersTiling s = ComputeSeveralMetersTiling(m, screen.meters - 1);
            const auto windows = shownWindows(s);
            const std::string where =
                std::to_string(screen.width) + "x" + std::to_string(screen.height) + ", " +
                std::to_string(screen.meters) + " meters, windows " + std::to_string(shown);
            for (std::size_t i = 0; i < windows.size(); ++i) {
                EXPECT_TRUE(inside(windows[i].second, m.area)) << windows[i].first << ", " << where;
                for (std::size_t j = i + 1; j < windows.size(); ++j)
                    EXPECT_FALSE(overlap(windows[i].second, windows[j].second))
                        << windows[i].first << " and " << windows[j].first << ", " << where;
            }
            for (const MeterTile& c : s.further) {
                EXPECT_GE(c.digital.width, m.digitalSmallest.width) << where;
                EXPECT_GE(c.digital.height, m.digitalSmallest.height) << where;
                EXPECT_EQ(c.hasComparator, m.comparatorVisible) << where;
            }
        }
    }
}
