#pragma once

#include <QAbstractItemView>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class QTabWidget;

namespace telmora {

class UserDialogs;
class DataListView;
class DataPageModel;

class RecorderController;
class Recording;

// The data list: one text line per sample of the recording, spread over tab pages
// "Sheet1", "Sheet2", ... of at most 32000 lines, following the recorder's controller
// (a sample added, a recording loaded, the recording cleared). Lines are not stored:
// one list, shown on the chosen page, reads them from the recording when they are
// drawn, so ten million samples cost a bare widget per page and no strings.
class DataListWindow : public QWidget {
    Q_OBJECT

public:
    static constexpr std::int64_t kLinesPerPage = 32000;

    explicit DataListWindow(UserDialogs& dialogs, const RecorderController* controller = nullptr,
                            QWidget* parent = nullptr);

    // Follows `controller`: its samples are the lines.
    void bindTo(const RecorderController& controller);
    // Sizes the window for the room below windows `heightAbove` high: a quarter of
    // the screen wide, at least a quarter of the screen high. Its owner places it.
    void fitBelow(int heightAbove);
    ~DataListWindow() override;

    // The recording the lines come from (the controller's unless a test sets another).
    // The first line after each gap in its readings is drawn with a rule above it.
    void setRecording(const telmora::Recording* recording);
    // Whether line `line` of page `page` is the first one after a gap.
    bool lineFollowsGap(int page, int line) const;

    // Adds the line of buffer index `index` (and of any index before it
    // that has no line yet). Stale indexes (already listed, or past the buffer's end)
    // are ignored.
    void addLine(std::int64_t index);
    // Removes every page and starts again with an empty "Sheet1".
    void clearList();

    // Shows the line of sample `number` (from 1) on its page, selected; numbers
    // outside the list go to its first or last line. False for an empty list.
    bool goToSample(std::int64_t number);
    // Asks for a sample number (Ctrl+G) through the user dialogs and goes there.
    void askSampleToGoTo();
    // The sample number of the selected line (from 1), 0 when none is selected.
    std::int64_t selectedSample() const;

    std::int64_t lineCount() const { return m_lines; }
    int pageCount() const;
    int currentPageNumber() const { return m_currentPage; }
    // Columns of the list: 1, or one per meter when several are recorded (the
    // first meter's lines, then each further meter's readings), and their headings.
    int meterColumns() const;
    QString meterHeading(int column) const;
    // Text of line `line` (0-based) of page `page` (1-based), as the list shows it.
    QString lineText(int page, int line) const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool createPage();
    // A column per meter (headed by its name) when there are several.
    void showMeters(const RecorderController& controller);
    // Lines on page `page` (1-based).
    int linesOfPage(int page) const;
    // Moves the list onto page `page` and lets it show that page's lines.
    void showListOn(int page);
    void scrollToNewest();
    // Makes line `row` of the shown page current and scrolls it into view by `hint`.
    void showLine(int row, QAbstractItemView::ScrollHint hint);
    void addJumpCommands();

    UserDialogs& m_dialogs;
    QTabWidget* m_pageTabs = nullptr;
    DataListView* m_list = nullptr;
    DataPageModel* m_model = nullptr;
    const telmora::Recording* m_recording = nullptr;
    std::int64_t m_lines = 0;
    int m_currentPage = 1; // the page new lines go to
    int m_shownPage = 0;   // the page the list shows (0: none yet)
    // The pages, index = page number - 1 (owned by m_pageTabs).
    std::vector<QWidget*> m_pages;
};

} // namespace telmora
