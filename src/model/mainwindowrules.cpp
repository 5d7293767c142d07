#include "model/mainwindowrules.h"

namespace telmora {

MainControlState ComputeMainControls(bool linked, bool busy) {
    MainControlState s{};
    s.linkMenuCaption = linked ? TextId::MenuUnlink : TextId::MenuLink;
    s.linkMenuEnabled = !busy;
    s.portMenuEnabled = !linked && !busy;
    s.helpMenuEnabled = !linked && !busy;
    s.linkHint = linked ? TextId::HintUnlink : TextId::HintLink;
    s.linkButtonEnabled = !busy;
    s.aboutEnabled = !linked && !busy;
    return s;
}

TileLayout ComputeTiling(const TileMetrics& m) {
    TileLayout t;
    const int W = m.screenWidth;
    const int H = m.screenHeight;
    const int F = m.frame;

    t.main = {0, 0, W, 2 * F + m.caption + m.menu + m.bevel + m.toolRow};
    const int hm = t.main.height;

    t.digital.left = 0;
    t.digital.top = hm;
    t.digital.width = W / 4;
    t.digital.height = (H - t.digital.top) / 4;

    if (m.recorderVisible) {
        t.hasRecorder = true;
        t.recorder.left = W / 4;
        t.recorder.top = hm;
        t.recorder.width = W - t.recorder.left;
        t.recorder.height = H - t.recorder.top - m.taskbar;
    }

    const int analogHeight = m.analogDialHeight + 4 * F;
    if (m.analogVisible) {
        t.hasAnalog = true;
        t.analog = {0, hm + t.digital.height, W / 4, analogHeight};
    }

    if (m.dataListVisible) {
        // The data list goes below the analog meter's height whether or not the
        // analog meter is shown, so the column keeps its layout.
        const int analogNow = m.analogVisible              ? analogHeight
                              : m.analogCurrentHeight >= 0 ? m.analogCurrentHeight
                                                           : analogHeight;
        t.hasDataList = true;
        t.dataList.left = 0;
        t.dataList.top = hm + t.digital.height + analogNow;
        t.dataList.width = W / 4;
        t.dataList.height = H - t.dataList.top - m.taskbar;
    }

    if (m.comparatorVisible) {
        const int e = 2 * m.sizingFrame + m.caption;
        t.hasComparator = true;
        t.comparator.left = e;
        t.comparator.top = (H - hm) / 4 + hm + e;
        t.comparator.width = m.comparatorPictureWidth + e;
        t.comparator.height = m.comparatorPictureHeight + m.comparatorAlarmButtonHeight +
                              m.comparatorLimitButtonHeight + e + 2;
    }
    return t;
}

} // namespace telmora
