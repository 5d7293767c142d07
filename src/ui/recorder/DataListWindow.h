#pragma once

#include <QWidget>

#include <cstdint>
#include <vector>

class QTableView;
class QTabWidget;

namespace telmora {

class DataPageModel;
class SampleGaps;

class RecorderController;
class SampleList;

// The data list: one text line per sample of the recorder buffer, spread over tab
// pages "Sheet1", "Sheet2", ... of at most 32000 lines, following the recorder's
// controller (a sample added, a recording loaded, the recording cleared). Lines are not stored:
// each page's list reads them from the buffer when they are drawn, so a million samples cost a few
// dozen widgets and no strings.
class DataListWindow : public QWidget {
    Q_OBJECT

public:
    static constexpr std::int64_t kLinesPerPage = 32000;

    explicit DataListWindow(const RecorderController* controller = nullptr,
                            QWidget* parent = nullptr);

    // Follows `controller`: its samples are the lines.
    void bindTo(const RecorderController& controller);
    // Places the window at the left edge with its top at `top`, down to the task bar.
    void placeBelow(int top);
    ~DataListWindow() override;

    // The buffer the lines come from (the recorder buffer unless a test sets another).
    void setBuffer(const telmora::SampleList* buffer);
    // Where the readings stopped during the recording: the first line after each
    // gap is drawn with a rule above it. None by default.
    void setGaps(const telmora::SampleGaps* gaps);
    // Whether line `line` of page `page` is the first one after a gap.
    bool lineFollowsGap(int page, int line) const;

    // Adds the line of buffer index `index` (and of any index before it
    // that has no line yet). Stale indexes (already listed, or past the buffer's end)
    // are ignored.
    void addLine(std::int64_t index);
    // Removes every page and starts again with an empty "Sheet1".
    void clearList();

    std::int64_t lineCount() const { return m_lines; }
    int pageCount() const;
    int currentPageNumber() const { return m_currentPage; }
    // Text of line `line` (0-based) of page `page` (1-based), as the list shows it.
    QString lineText(int page, int line) const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool createPage();
    QTableView* listOfPage(int page) const;

    QTabWidget* m_pageTabs = nullptr;
    const telmora::SampleList* m_buffer = nullptr;
    const telmora::SampleGaps* m_gaps = nullptr;
    std::int64_t m_lines = 0;
    int m_currentPage = 1;
    // Pages and their lists, index = page number - 1 (owned by m_pageTabs).
    std::vector<QWidget*> m_pages;
    std::vector<QTableView*> m_lists;
    std::vector<DataPageModel*> m_models;
};

} // namespace telmora
