#include "model/mainwindowrules.h"

#include <gtest/gtest.h>

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
} // namespace

TEST(Tiling, EveryWindowShown) {
    TileMetrics m = screen1280();
    m.recorderVisible = m.analogVisible = m.dataListVisible = m.comparatorVisible = true;
    const TileLayout t = ComputeTiling(m);
    const int hm = 2 * 3 + 19 + 20 + 0 + 25 + 8;
    EXPECT_EQ(t.main, (TileRect{0, 0, 1280, hm}));
    EXPECT_EQ(t.digital, (TileRect{0, hm, 320, (1024 - hm) / 4}));
    EXPECT_EQ(t.recorder, (TileRect{320, hm, 960, 1024 - hm - 30}));
    EXPECT_EQ(t.analog, (TileRect{0, hm + t.digital.height, 320, 178 + 12}));
    EXPECT_EQ(t.dataList.top, hm + t.digital.height + 190);
    EXPECT_EQ(t.dataList.height, 1024 - t.dataList.top - 30);
    const int e = 2 * 4 + 19;
    EXPECT_EQ(t.comparator,
              (TileRect{e, (1024 - hm) / 4 + hm + e, 201 + e, 122 + 25 + 25 + e + 2}));
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
