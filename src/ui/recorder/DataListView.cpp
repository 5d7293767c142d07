#include "ui/recorder/DataListView.h"

#include <QHeaderView>
#include <algorithm>

namespace telmora {

void DataListView::appendLines(const std::function<void()>& append) {
    // A layout already due (a new page, new columns) is done in full first.
    executeDelayedItemsLayout();
    const int first = model() != nullptr ? model()->rowCount(rootIndex()) : 0;
    append();
    m_appending = true;
    executeDelayedItemsLayout();
    m_appending = false;
    m_firstAppended = m_firstAppended < 0 ? first : std::min(m_firstAppended, first);
}

void DataListView::drawAppendedLines() {
    if (m_firstAppended < 0)
        return;
    const int top = rowViewportPosition(std::max(0, m_firstAppended - 1));
    m_firstAppended = -1;
    // A line above the view gives a negative position: everything from the top.
    QRect lines = viewport()->rect();
    lines.setTop(std::max(0, top));
    viewport()->update(lines);
}

void DataListView::doItemsLayout() {
    if (!m_appending) {
        QTableView::doItemsLayout();
        return;
    }
    // Rows only added at the end: the scroll range grows and no line moves in the
    // list. Scrolled to its end, the list showed its last line against the bottom
    // edge; with more lines the same top line is shown aligned to the top, a
    // shift of part of a line that the picture already drawn must follow.
    const int offset = verticalHeader()->offset();
    updateGeometries();
    const int shift = offset - verticalHeader()->offset();
    if (shift != 0)
        viewport()->scroll(0, shift);
}

} // namespace telmora
