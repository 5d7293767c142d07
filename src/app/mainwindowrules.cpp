#include "app/mainwindowrules.h"

#include <algorithm>

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

namespace {

TileRect freeArea(const TileMetrics& m) {
    if (m.area.width > 0 && m.area.height > 0)
        return m.area;
    return {0, 0, m.screenWidth, m.screenHeight - m.taskbar};
}

// The left column below the main window, top to bottom.
struct ColumnPlan {
    int digitalHeight = 0;
    int analogSlot = 0; // room kept for the analog meter (0: none)
    bool comparatorInColumn = false;
};

ColumnPlan planColumn(const TileMetrics& m, int below, int analogHeight, int comparatorHeight) {
    ColumnPlan plan;
    const int analogNow = m.analogVisible              ? analogHeight
                          : m.analogCurrentHeight >= 0 ? m.analogCurrentHeight
                                                       : analogHeight;
    // The data list keeps the analog meter's room free whether or not it is shown.
    plan.analogSlot = m.analogVisible || m.dataListVisible ? analogNow : 0;
    plan.comparatorInColumn = m.comparatorVisible;
    const int dataList = m.dataListVisible ? m.dataListSmallest.height : 0;
    const auto rest = [&] {
        return plan.analogSlot + (plan.comparatorInColumn ? comparatorHeight : 0) + dataList;
    };
    // Where even the smallest digital meter leaves too little room, the room
    // kept for a hidden analog meter goes first, then the comparator leaves.
    if (!m.analogVisible && m.digitalSmallest.height + rest() > below)
        plan.analogSlot = 0;
    if (plan.comparatorInColumn && m.digitalSmallest.height + rest() > below)
        plan.comparatorInColumn = false;
    plan.digitalHeight = std::max(std::min(below / 4, below - rest()), m.digitalSmallest.height);
    return plan;
}

int columnWidthFor(const TileMetrics& m, int width, TileSize comparator, bool comparatorInColumn) {
    const int needed =
        std::max({m.digitalSmallest.width, m.analogVisible ? m.analogSmallestWidth : 0,
                  comparatorInColumn ? comparator.width : 0,
                  m.dataListVisible ? m.dataListSmallest.width : 0});
    int column = std::max(width / 4, needed);
    // The recorder may take from the quarter what it needs, never what the column needs.
    if (m.recorderVisible)
        column = std::max(needed, std::min(column, width - m.recorderSmallest.width));
    return column;
}

} // namespace

TileLayout ComputeTiling(const TileMetrics& m) {
    TileLayout t;
    const TileRect a = freeArea(m);
    const int frame = m.frame;

    const int hm = std::max(2 * frame + m.caption + m.menu + m.bevel + m.toolRow, m.mainHeight);
    t.main = {a.left, a.top, a.width, hm};
    const int top = a.top + hm;
    const int below = std::max(0, a.bottom() - top);

    const int analogHeight = std::max(m.analogDialHeight + 4 * frame, m.analogHeight);
    const int e = 2 * m.sizingFrame + m.caption;
    const TileSize comparator{std::max(m.comparatorPictureWidth + e, m.comparatorSize.width),
                              std::max(m.comparatorPictureHeight + m.comparatorAlarmButtonHeight +
                                           m.comparatorLimitButtonHeight + e + 2,
                                       m.comparatorSize.height)};

    const ColumnPlan plan = planColumn(m, below, analogHeight, comparator.height);
    const int column = columnWidthFor(m, a.width, comparator, plan.comparatorInColumn);

    t.digital = {a.left, top, column, plan.digitalHeight};
    int y = t.digital.bottom();
    if (m.analogVisible) {
        t.hasAnalog = true;
        t.analog = {a.left, y, column, analogHeight};
    }
    y += plan.analogSlot;
    if (m.comparatorVisible && plan.comparatorInColumn) {
        t.hasComparator = true;
        t.comparator = {a.left, y, comparator.width, comparator.height};
        y = t.comparator.bottom();
    }
    if (m.dataListVisible) {
        t.hasDataList = true;
        t.dataList = {a.left, y, column, std::max(a.bottom() - y, 0)};
    }

    // The recorder's side: the comparator, when it left the column, sits at its
    // top, above the recorder or, when the recorder would get too short, beside it.
    TileRect side{a.left + column, top, a.width - column, below};
    if (m.comparatorVisible && !plan.comparatorInColumn) {
        t.hasComparator = true;
        t.comparator = {side.left, side.top, comparator.width, comparator.height};
        if (side.height - comparator.height >= m.recorderSmallest.height) {
            side.top += comparator.height;
            side.height -= comparator.height;
        } else {
            side.left += comparator.width;
            side.width -= comparator.width;
        }
    }
    if (m.recorderVisible) {
        t.hasRecorder = true;
        t.recorder = side;
    }
    return t;
}

} // namespace telmora
