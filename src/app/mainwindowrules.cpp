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

TileSize comparatorSizeOf(const TileMetrics& m) {
    const int e = 2 * m.sizingFrame + m.caption;
    return {std::max(m.comparatorPictureWidth + e, m.comparatorSize.width),
            std::max(m.comparatorPictureHeight + m.comparatorAlarmButtonHeight +
                         m.comparatorLimitButtonHeight + e + 2,
                     m.comparatorSize.height)};
}

int analogHeightOf(const TileMetrics& m) {
    return std::max(m.analogDialHeight + 4 * m.frame, m.analogHeight);
}

// ComputeTiling, telling also whether the comparator stayed in the column.
TileLayout tileFirstMeter(const TileMetrics& m, bool& comparatorInColumn) {
    TileLayout t;
    const TileRect a = freeArea(m);
    const int frame = m.frame;

    const int hm = std::max(2 * frame + m.caption + m.menu + m.bevel + m.toolRow, m.mainHeight);
    t.main = {a.left, a.top, a.width, hm};
    const int top = a.top + hm;
    const int below = std::max(0, a.bottom() - top);

    const int analogHeight = analogHeightOf(m);
    const TileSize comparator = comparatorSizeOf(m);

    const ColumnPlan plan = planColumn(m, below, analogHeight, comparator.height);
    comparatorInColumn = plan.comparatorInColumn;
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

// The columns of the further meters, right of the first meter's column.
std::vector<MeterTile> furtherColumns(const TileMetrics& m, const TileLayout& t, int count,
                                      int width, bool comparatorsInColumns) {
    const TileSize comparator = comparatorSizeOf(m);
    std::vector<MeterTile> columns;
    for (int i = 0; i < count; ++i) {
        MeterTile c;
        const int left = t.digital.right() + i * width;
        c.digital = {left, t.digital.top, width, t.digital.height};
        int y = c.digital.bottom();
        if (m.analogVisible) {
            c.hasAnalog = true;
            c.analog = {left, y, width, analogHeightOf(m)};
            y = c.analog.bottom();
        }
        if (m.comparatorVisible && comparatorsInColumns) {
            c.hasComparator = true;
            c.comparator = {left, y, comparator.width, comparator.height};
        }
        columns.push_back(c);
    }
    return columns;
}

} // namespace

TileLayout ComputeTiling(const TileMetrics& m) {
    bool comparatorInColumn = false;
    return tileFirstMeter(m, comparatorInColumn);
}

SeveralMetersTiling ComputeSeveralMetersTiling(const TileMetrics& m, int furtherMeters) {
    SeveralMetersTiling s;
    bool inColumn = false;
    s.first = tileFirstMeter(m, inColumn);
    if (furtherMeters <= 0)
        return s;
    TileLayout& t = s.first;
    const TileRect a = freeArea(m);
    const TileSize comparator = comparatorSizeOf(m);
    const int top = t.digital.top;
    const int below = std::max(0, a.bottom() - top);
    const int comparators = furtherMeters + 1;
    const bool comparatorsOnSide = m.comparatorVisible && !inColumn;
    // Comparators on the recorder's side stand above the recorder when it keeps its
    // height, else beside it.
    const bool comparatorsBeside =
        comparatorsOnSide && below - comparator.height < m.recorderSmallest.height;

    const int needed =
        std::max({m.digitalSmallest.width, m.analogVisible ? m.analogSmallestWidth : 0,
                  m.comparatorVisible && inColumn ? comparator.width : 0, 1});
    int keep = m.recorderVisible ? m.recorderSmallest.width : 0;
    if (comparatorsBeside)
        keep += comparators * comparator.width;
    const int sideWidth = a.right() - t.digital.right();
    const int width =
        std::min(t.digital.width, std::max(needed, (sideWidth - keep) / furtherMeters));
    s.further = furtherColumns(m, t, furtherMeters, width, inColumn);

    TileRect side{t.digital.right() + furtherMeters * width, top, 0, below};
    side.width = std::max(a.right() - side.left, 0);
    if (comparatorsOnSide) {
        t.comparator = {side.left, side.top, comparator.width, comparator.height};
        for (int i = 0; i < furtherMeters; ++i) {
            MeterTile& c = s.further[static_cast<std::size_t>(i)];
            c.hasComparator = true;
            c.comparator = {side.left + (i + 1) * comparator.width, side.top, comparator.width,
                            comparator.height};
        }
        if (comparatorsBeside) {
            side.left += comparators * comparator.width;
            side.width = std::max(side.width - comparators * comparator.width, 0);
        } else {
            side.top += comparator.height;
            side.height -= comparator.height;
        }
    }
    if (t.hasRecorder)
        t.recorder = side;
    return s;
}

} // namespace telmora
