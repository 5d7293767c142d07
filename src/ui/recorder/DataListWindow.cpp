#include "ui/recorder/DataListWindow.h"
#include "ui/recorder/DataListView.h"
#include "ui/recorder/recordertraces.h"

#include "app/UserDialogs.h"
#include "recording/RecorderController.h"
#include "recording/SampleGaps.h"
#include "recording/recordertext.h"
#include "text/texts.h"
#include "ui/common/AppIcon.h"
#include "ui/common/contrast.h"

#include <QAbstractTableModel>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeySequence>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <climits>
#include <new>

namespace telmora {

namespace {

// Data role of a line that follows a gap in the readings.
constexpr int kFollowsGapRole = Qt::UserRole + 1;

// Draws the lines as usual, with a rule across the top of each line that follows
// a gap in the readings.
class GapRuleDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyledItemDelegate::paint(painter, option, index);
        if (!index.data(kFollowsGapRole).toBool())
            return;
        painter->save();
        // Red that shows on the list's background, light or dark.
        const QColor rule =
            ReadableOn(option.palette.color(QPalette::Base),
                       {QColor(200, 0, 0), QColor(0xff, 0x6e, 0x64)}, kGraphicContrast);
        painter->setPen(QPen(rule, 2, Qt::DashLine));
        painter->drawLine(option.rect.topLeft() + QPoint(0, 1),
                          option.rect.topRight() + QPoint(0, 1));
        painter->restore();
    }
};

// Whether sample `i` of `recording` is the first one after a gap in the readings.
bool FollowsGap(const telmora::Recording& recording, std::int64_t i) {
    return i > 0 && recording.gaps().isGapAfter(static_cast<std::size_t>(i - 1));
}

// The line of sample `i`, or its marker when its file no longer holds it.
QString LineOf(const telmora::Recording& recording, std::int64_t i) {
    if (const std::optional<SampleEntry> sample = recording.readSample(i))
        return telmora::DataListLineOf(*sample, i);
    return telmora::UnreadableDataListLine(i);
}

} // namespace

// One page of the data list: rows are computed from the recording when shown.
// With several meters, each further meter has a column of its readings beside the
// first meter's lines, headed by the meters' names.
class DataPageModel : public QAbstractTableModel {
public:
    explicit DataPageModel(QObject* parent) : QAbstractTableModel(parent) {}

    int rowCount(const QModelIndex& parent = QModelIndex()) const override {
        return parent.isValid() ? 0 : m_rows;
    }
    int columnCount(const QModelIndex& parent = QModelIndex()) const override {
        return parent.isValid() ? 0 : std::max(1, static_cast<int>(m_meters.size()));
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
            section < m_meters.size())
            return m_meters[section];
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || m_recording == nullptr)
            return {};
        const std::int64_t i = m_first + index.row();
        if (i < 0 || static_cast<std::size_t>(i) >= m_recording->size())
            return {};
        if (index.column() > 0)
            return role == Qt::DisplayRole && m_controller != nullptr
                       ? QVariant(MeterDataListText(*m_controller, index.column(), i))
                       : QVariant();
        switch (role) {
        case Qt::DisplayRole:
            return LineOf(*m_recording, i);
        case kFollowsGapRole:
            return FollowsGap(*m_recording, i);
        case Qt::ToolTipRole:
            if (FollowsGap(*m_recording, i))
                return translate("DataListWindow",
                                 "The readings were away for a while before this line.");
            return {};
        default:
            return {};
        }
    }
    // Shows `rows` lines from sample `firstIndex` of `recording`.
    void showLines(const telmora::Recording* recording, std::int64_t firstIndex, int rows) {
        beginResetModel();
        m_recording = recording;
        m_first = firstIndex;
        m_rows = rows;
        endResetModel();
    }
    void appendRows(int count) {
        if (count <= 0)
            return;
        beginInsertRows(QModelIndex(), m_rows, m_rows + count - 1);
        m_rows += count;
        endInsertRows();
    }
    int rows() const { return m_rows; }
    // The meters of `controller` by name; a column each beyond the first.
    void showMeters(const telmora::RecorderController* controller, const QStringList& names) {
        beginResetModel();
        m_controller = controller;
        m_meters = names;
        endResetModel();
    }

private:
    const telmora::RecorderController* m_controller = nullptr;
    QStringList m_meters;
    const telmora::Recording* m_recording = nullptr;
    std::int64_t m_first = 0;
    int m_rows = 0;
};

DataListWindow::DataListWindow(UserDialogs& dialogs, const RecorderController* controller,
                               QWidget* parent)
    : QWidget(parent, Qt::Window), m_dialogs(dialogs) {
    setObjectName(QStringLiteral("dataListWindow"));
    setWindowTitle(telmora::text(TextId::DataListCaption));
    setWindowIcon(telmora::AppIcon());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_pageTabs = new QTabWidget(this);
    m_pageTabs->setObjectName(QStringLiteral("sheetTabs"));
    m_pageTabs->setDocumentMode(true);
    layout->addWidget(m_pageTabs);

    // A one-column table: rows of one fixed height, so adding and scrolling to a line
    // cost the same whatever the page already holds.
    m_list = new DataListView(this);
    m_list->setObjectName(QStringLiteral("DataList"));
    m_list->horizontalHeader()->hide();
    m_list->horizontalHeader()->setStretchLastSection(true);
    m_list->verticalHeader()->hide();
    m_list->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_list->verticalHeader()->setDefaultSectionSize(m_list->fontMetrics().height() + 2);
    m_list->setShowGrid(false);
    m_list->setWordWrap(false);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_model = new DataPageModel(m_list);
    m_list->setModel(m_model);
    m_list->setItemDelegate(new GapRuleDelegate(m_list));
    m_list->hide();
    connect(m_pageTabs, &QTabWidget::currentChanged, this,
            [this](int tab) { showListOn(tab + 1); });

    addJumpCommands();

    // A quarter of the screen wide; the owner places it below the main window and
    // the two meters.
    fitBelow(0);
    createPage();
    if (controller != nullptr)
        bindTo(*controller);
}

void DataListWindow::fitBelow(int heightAbove) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    const int taskbar =
        screen ? std::max(0, area.bottom() - screen->availableGeometry().bottom()) : 0;
    // A quarter of the screen wide down to the task bar, frame and caption included.
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth) + 1;
    const int caption = style()->pixelMetric(QStyle::PM_TitleBarHeight);
    setMinimumSize(area.width() / 4 - 2 * frame, area.height() / 4 - caption - 2 * frame);
    resize(minimumWidth(),
           std::max(minimumHeight(), area.height() - heightAbove - taskbar - caption - 2 * frame));
}

void DataListWindow::bindTo(const RecorderController& controller) {
    setRecording(&controller.recording());
    connect(&controller, &RecorderController::sampleAdded, this,
            [this](qsizetype index) { addLine(index); });
    connect(&controller, &RecorderController::recordingLoaded, this, [this](qsizetype count) {
        if (count > 0)
            addLine(count - 1);
    });
    connect(&controller, &RecorderController::cleared, this, &DataListWindow::clearList);
    connect(&controller, &RecorderController::metersChanged, this,
            [this, &controller] { showMeters(controller); });
    showMeters(controller);
    // Lines drawn before the damage was found are drawn again with their markers.
    connect(&controller, &RecorderController::recordingDamaged, m_list->viewport(),
            qOverload<>(&QWidget::update));
}

void DataListWindow::showMeters(const RecorderController& controller) {
    QStringList names;
    if (controller.meterCount() > 1)
        for (int m = 0; m < controller.meterCount(); ++m)
            names << MeterLabel(controller, m);
    m_model->showMeters(&controller, names);
    // One meter: the single column of lines without a header, as always, as wide
    // as the list. Several: a column each, wide enough for a line or a reading,
    // which a narrow list scrolls sideways to. A stretched last column would keep
    // its width when the list narrows and hide its readings past the left edge.
    const bool several = names.size() > 1;
    QHeaderView* header = m_list->horizontalHeader();
    header->setVisible(several);
    header->setStretchLastSection(!several);
    m_list->setHorizontalScrollBarPolicy(several ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    if (!several)
        return;
    const int digit = m_list->fontMetrics().horizontalAdvance(QLatin1Char('0'));
    m_list->setColumnWidth(0, digit * 36);
    for (int column = 1; column < names.size(); ++column)
        m_list->setColumnWidth(column, digit * 24);
}

int DataListWindow::meterColumns() const {
    return m_model->columnCount();
}

QString DataListWindow::meterHeading(int column) const {
    return m_model->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
}

DataListWindow::~DataListWindow() = default;

void DataListWindow::setRecording(const telmora::Recording* recording) {
    m_recording = recording;
    clearList();
}

bool DataListWindow::lineFollowsGap(int page, int line) const {
    if (page < 1 || page > pageCount() || line < 0 || line >= linesOfPage(page) ||
        m_recording == nullptr)
        return false;
    return FollowsGap(*m_recording, static_cast<std::int64_t>(page - 1) * kLinesPerPage + line);
}

int DataListWindow::pageCount() const {
    return static_cast<int>(m_pages.size());
}

int DataListWindow::linesOfPage(int page) const {
    const std::int64_t before = static_cast<std::int64_t>(page - 1) * kLinesPerPage;
    return static_cast<int>(std::clamp<std::int64_t>(m_lines - before, 0, kLinesPerPage));
}

QString DataListWindow::lineText(int page, int line) const {
    if (page < 1 || page > pageCount() || line < 0 || line >= linesOfPage(page) ||
        m_recording == nullptr)
        return {};
    const std::int64_t i = static_cast<std::int64_t>(page - 1) * kLinesPerPage + line;
    return LineOf(*m_recording, i);
}

bool DataListWindow::createPage() {
    try {
        const int number = pageCount() + 1;
        const QString caption = translate("DataListWindow", "Sheet%1").arg(number);
        auto* page = new QWidget;
        page->setObjectName(QStringLiteral("ts") + caption);
        auto* layout = new QVBoxLayout(page);
        layout->setContentsMargins(0, 0, 0, 0);
        m_pages.reserve(m_pages.size() + 1);
        m_pages.push_back(page);
        m_pageTabs->addTab(page, caption);
        return true;
    } catch (const std::bad_alloc&) {
        m_dialogs.showError(this, TextId::OutOfMemory);
        return false;
    }
}

void DataListWindow::showListOn(int page) {
    if (page < 1 || page > pageCount())
        return;
    QWidget* holder = m_pages[static_cast<std::size_t>(page - 1)];
    if (m_list->parentWidget() != holder) {
        holder->layout()->addWidget(m_list);
        m_list->show();
    }
    m_shownPage = page;
    m_model->showLines(m_recording, static_cast<std::int64_t>(page - 1) * kLinesPerPage,
                       linesOfPage(page));
}

// A long recording fills hundreds of pages: Go to sample (Ctrl+G, and the button
// beside the tabs) and Ctrl+Home / Ctrl+End reach any line without paging through
// the tabs one by one.
void DataListWindow::addJumpCommands() {
    auto* goTo = new QToolButton(m_pageTabs);
    goTo->setObjectName(QStringLiteral("goToSampleButton"));
    goTo->setText(translate("DataListWindow", "&Go to Sample…"));
    goTo->setToolTip(translate("DataListWindow", "Go to the line of a sample number (Ctrl+G)"));
    goTo->setAutoRaise(true);
    m_pageTabs->setCornerWidget(goTo, Qt::TopRightCorner);
    connect(goTo, &QToolButton::clicked, this, &DataListWindow::askSampleToGoTo);

    const auto shortcut = [this](const QKeySequence& keys, auto action) {
        auto* s = new QShortcut(keys, this);
        s->setContext(Qt::WindowShortcut);
        connect(s, &QShortcut::activated, this, action);
    };
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_G), [this] { askSampleToGoTo(); });
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Home), [this] { goToSample(1); });
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_End), [this] { goToSample(m_lines); });
}

void DataListWindow::askSampleToGoTo() {
    if (m_lines == 0)
        return;
    NumberInputRequest request;
    request.owner = this;
    request.caption = translate("DataListWindow", "Go to Sample");
    request.label = translate("DataListWindow", "Sample number (1 to %1):").arg(m_lines);
    request.value = std::max<std::int64_t>(selectedSample(), 1);
    request.minimum = 1;
    request.maximum = m_lines;
    if (const std::optional<qint64> number = m_dialogs.askNumber(request))
        goToSample(*number);
}

bool DataListWindow::goToSample(std::int64_t number) {
    if (m_lines == 0)
        return false;
    const std::int64_t index = std::clamp<std::int64_t>(number, 1, m_lines) - 1;
    const auto page = static_cast<int>(index / kLinesPerPage) + 1;
    if (m_pageTabs->currentIndex() != page - 1)
        m_pageTabs->setCurrentIndex(page - 1); // shows the list there
    else if (m_shownPage != page)
        showListOn(page);
    showLine(static_cast<int>(index % kLinesPerPage), QAbstractItemView::PositionAtCenter);
    m_list->setFocus();
    return true;
}

std::int64_t DataListWindow::selectedSample() const {
    const QModelIndex current = m_list->currentIndex();
    if (!current.isValid() || m_shownPage < 1)
        return 0;
    return static_cast<std::int64_t>(m_shownPage - 1) * kLinesPerPage + current.row() + 1;
}

void DataListWindow::scrollToNewest() {
    if (m_model->rows() > 0)
        showLine(m_model->rows() - 1, QAbstractItemView::EnsureVisible);
}

void DataListWindow::showLine(int row, QAbstractItemView::ScrollHint hint) {
    // The line is made current in the first meter column that begins inside the
    // list, so that a new line never scrolls it sideways (a column partly out to
    // the left would be scrolled back into view, a repaint of the whole list).
    int column = std::max(0, m_list->columnAt(0));
    if (m_list->columnViewportPosition(column) < 0 && column + 1 < m_model->columnCount() &&
        m_list->columnViewportPosition(column + 1) < m_list->viewport()->width())
        ++column;
    const QModelIndex line = m_model->index(row, column);
    // Centring (Go to Sample) would still move it sideways: it stays where the
    // user left it.
    QScrollBar* sideways = m_list->horizontalScrollBar();
    const int across = sideways->value();
    m_list->setCurrentIndex(line);
    // A list nobody sees is scrolled when it is shown.
    if (m_list->isVisible())
        m_list->scrollTo(line, hint);
    sideways->setValue(across);
}

void DataListWindow::addLine(std::int64_t index) {
    if (m_recording == nullptr || index < m_lines || index < 0 ||
        static_cast<std::size_t>(index) >= m_recording->size())
        return;
    // A page that fills up is followed at once by the next, empty one.
    const std::int64_t lines = index + 1;
    const auto pages = static_cast<int>(lines / kLinesPerPage) + 1;
    while (pageCount() < pages && createPage()) {
    }
    m_lines = std::min(lines, static_cast<std::int64_t>(pageCount()) * kLinesPerPage);
    m_currentPage = std::min(pages, pageCount());
    if (m_shownPage == m_currentPage)
        m_list->appendLines(
            [this] { m_model->appendRows(linesOfPage(m_currentPage) - m_model->rows()); });
    else if (m_pageTabs->currentIndex() == m_currentPage - 1)
        showListOn(m_currentPage);
    else
        m_pageTabs->setCurrentIndex(m_currentPage - 1); // shows the list there
    scrollToNewest();
    m_list->drawAppendedLines();
}

void DataListWindow::clearList() {
    {
        // The list leaves the pages before they go; no page is shown meanwhile.
        const QSignalBlocker quiet(m_pageTabs);
        m_list->hide();
        m_list->setParent(this);
        m_pageTabs->clear();
        for (QWidget* page : m_pages)
            delete page;
        m_pages.clear();
    }
    m_lines = 0;
    m_currentPage = 1;
    m_shownPage = 0;
    m_model->showLines(m_recording, 0, 0);
    createPage();
}

void DataListWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (m_shownPage == m_currentPage)
        m_list->scrollToBottom();
}

} // namespace telmora
