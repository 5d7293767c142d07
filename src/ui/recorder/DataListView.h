#pragma once

#include <QTableView>

#include <functional>

namespace telmora {

// The data list's table of lines. While a recording runs, lines are only added at
// the end and the list follows the newest. QTableView lays itself out again for
// any new number of rows and repaints every visible line, which with a line per
// reading was most of the list's cost. Lines added through appendLines() keep the
// ones above where they are: only the scroll range changes, scrolling moves the
// picture already drawn, and drawAppendedLines() repaints just the new lines and
// the one before them (whose highlight moves on).
class DataListView final : public QTableView {
    Q_OBJECT

public:
    using QTableView::QTableView;

    // Runs `append`, which adds rows at the end of the model, and lays out for them.
    void appendLines(const std::function<void()>& append);
    // Marks the lines added since the last call, and the line before them, for the
    // next paint. Called once the list has scrolled to where it shows them.
    void drawAppendedLines();

    void doItemsLayout() override;

private:
    bool m_appending = false;
    int m_firstAppended = -1; // the first row added since the last drawing, -1 when none
};

} // namespace telmora
