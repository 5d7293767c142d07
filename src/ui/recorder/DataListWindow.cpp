#include "ui/recorder/DataListWindow.h"

#include "model/SampleLists.h"
#include "recording/RecorderController.h"
#include "recording/SampleGaps.h"
#include "recording/recordertext.h"
#include "text/texts.h"
#include "ui/common/AppIcon.h"
#include "ui/common/MessageBox.h"

#include <QAbstractListModel>
#include <QGuiApplication>
#include <QHeaderView>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
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
        painter->setPen(QPen(QColor(200, 0, 0), 2, Qt::DashLine));
        painter->drawLine(option.rect.topLeft() + QPoint(0, 1),
                          option.rect.topRight() + QPoint(0, 1));
        painter->restore();
    }
};

} // namespace

// One page of the data list: rows are computed from the buffer when shown.
class DataPageModel : public QAbstractListModel {
public:
    DataPageModel(const telmora::SampleList* buffer, const SampleGaps* gaps,
                  std::int64_t firstIndex, QObject* parent)
        : QAbstractListModel(parent), m_buffer(buffer), m_gaps(gaps), m_first(firstIndex) {}

    int rowCount(const QModelIndex& parent = QModelIndex()) const override {
        return parent.isValid() ? 0 : m_rows;
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || m_buffer == nullptr)
            return {};
        const std::int64_t i = m_first + index.row();
        if (i < 0 || static_cast<std::size_t>(i) >= m_buffer->size())
            return {};
        switch (role) {
        case Qt::DisplayRole:
            return telmora::DataListLine((*m_buffer)[static_cast<std::size_t>(i)], i);
        case kFollowsGapRole:
            return followsGap(i);
        case Qt::ToolTipRole:
            if (followsGap(i))
                return translate("The readings were away for a while before this line.");
            return {};
        default:
            return {};
        }
    }
    bool followsGap(std::int64_t i) const {
        return m_gaps != nullptr && i > 0 && m_gaps->isGapAfter(static_cast<std::size_t>(i - 1));
    }
    void appendRows(int count) {
        beginInsertRows(QModelIndex(), m_rows, m_rows + count - 1);
        m_rows += count;
        endInsertRows();
    }
    int rows() const { return m_rows; }

private:
    const telmora::SampleList* m_buffer;
    const SampleGaps* m_gaps;
    std::int64_t m_first;
    int m_rows = 0;
};

DataListWindow::DataListWindow(const RecorderController* controller, QWidget* parent)
    : QWidget(parent, Qt::Window), m_buffer(nullptr) {
    setObjectName(QStringLiteral("DataStringGridForm"));
    setWindowTitle(telmora::text(TextId::DataListCaption));
    setWindowIcon(telmora::AppIcon());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_pageTabs = new QTabWidget(this);
    m_pageTabs->setObjectName(QStringLiteral("PageControl"));
    m_pageTabs->setDocumentMode(true);
    layout->addWidget(m_pageTabs);

    // Left edge, a quarter of the screen wide; the owner moves it below the main
    // window and the two meters.
    placeBelow(0);
    createPage();
    if (controller != nullptr)
        bindTo(*controller);
}

void DataListWindow::placeBelow(int top) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    const int taskbar =
        screen ? std::max(0, area.bottom() - screen->availableGeometry().bottom()) : 0;
    // A quarter of the screen wide down to the task bar, frame and caption included.
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth) + 1;
    const int caption = style()->pixelMetric(QStyle::PM_TitleBarHeight);
    setMinimumSize(area.width() / 4 - 2 * frame, area.height() / 4 - caption - 2 * frame);
    setGeometry(0, top, minimumWidth(),
                std::max(minimumHeight(), area.height() - top - taskbar - caption - 2 * frame));
}

void DataListWindow::bindTo(const RecorderController& controller) {
    m_gaps = &controller.recording().gaps();
    setBuffer(&controller.recording().buffer());
    connect(&controller, &RecorderController::sampleAdded, this,
            [this](qsizetype index) { addLine(index); });
    connect(&controller, &RecorderController::recordingLoaded, this, [this](qsizetype count) {
        if (count > 0)
            addLine(count - 1);
    });
    connect(&controller, &RecorderController::cleared, this, &DataListWindow::clearList);
}

DataListWindow::~DataListWindow() = default;

void DataListWindow::setBuffer(const telmora::SampleList* buffer) {
    m_buffer = buffer;
    clearList();
}

void DataListWindow::setGaps(const telmora::SampleGaps* gaps) {
    m_gaps = gaps;
    clearList();
}

bool DataListWindow::lineFollowsGap(int page, int line) const {
    if (page < 1 || page > pageCount() || line < 0 || line >= m_models[page - 1]->rows())
        return false;
    const DataPageModel* model = m_models[page - 1];
    return model->data(model->index(line), kFollowsGapRole).toBool();
}

int DataListWindow::pageCount() const {
    return static_cast<int>(m_pages.size());
}

QTableView* DataListWindow::listOfPage(int page) const {
    return page >= 1 && page <= pageCount() ? m_lists[page - 1] : nullptr;
}

QString DataListWindow::lineText(int page, int line) const {
    if (page < 1 || page > pageCount())
        return {};
    DataPageModel* model = m_models[page - 1];
    if (line < 0 || line >= model->rows())
        return {};
    return model->data(model->index(line), Qt::DisplayRole).toString();
}

bool DataListWindow::createPage() {
    try {
        const int number = pageCount() + 1;
        const QString caption = QStringLiteral("Sheet") + QString::number(number);
        auto* page = new QWidget;
        page->setObjectName(QStringLiteral("ts") + caption);
        auto* layout = new QVBoxLayout(page);
        layout->setContentsMargins(0, 0, 0, 0);
        auto* list = new QTableView(page);
        list->setObjectName(QStringLiteral("DataList"));
        // A one-column table: rows of one fixed height, so adding and scrolling to a
        // line cost the same whatever the page already holds.
        list->horizontalHeader()->hide();
        list->horizontalHeader()->setStretchLastSection(true);
        list->verticalHeader()->hide();
        list->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        list->verticalHeader()->setDefaultSectionSize(list->fontMetrics().height() + 2);
        list->setShowGrid(false);
        list->setWordWrap(false);
        list->setSelectionBehavior(QAbstractItemView::SelectRows);
        list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        list->setEditTriggers(QAbstractItemView::NoEditTriggers);
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        auto* model = new DataPageModel(
            m_buffer, m_gaps, static_cast<std::int64_t>(number - 1) * kLinesPerPage, list);
        list->setModel(model);
        list->setItemDelegate(new GapRuleDelegate(list));
        layout->addWidget(list);
        m_pages.reserve(m_pages.size() + 1);
        m_lists.reserve(m_lists.size() + 1);
        m_models.reserve(m_models.size() + 1);
        m_pageTabs->addTab(page, caption);
        m_pages.push_back(page);
        m_lists.push_back(list);
        m_models.push_back(model);
        m_pageTabs->setCurrentWidget(page);
        return true;
    } catch (const std::bad_alloc&) {
        telmora::showError(this, TextId::OutOfMemory);
        return false;
    }
}

void DataListWindow::addLine(std::int64_t index) {
    if (m_buffer == nullptr || index < m_lines || index < 0 ||
        static_cast<std::size_t>(index) >= m_buffer->size())
        return;
    try {
        while (m_lines <= index) {
            if (m_currentPage > pageCount() && !createPage())
                return;
            QTableView* list = listOfPage(m_currentPage);
            DataPageModel* model = m_models[m_currentPage - 1];
            if (m_pageTabs->currentWidget() != m_pages[m_currentPage - 1])
                m_pageTabs->setCurrentWidget(m_pages[m_currentPage - 1]);
            const int room = static_cast<int>(kLinesPerPage - model->rows());
            const int add = static_cast<int>(std::min<std::int64_t>(room, index - m_lines + 1));
            // The view repaints only what scrolls in; suspending its updates would
            // force a repaint of the whole page on every line.
            model->appendRows(add);
            m_lines += add;
            const QModelIndex last = model->index(model->rows() - 1);
            list->setCurrentIndex(last);
            list->scrollTo(last);
            if (model->rows() >= kLinesPerPage) {
                ++m_currentPage;
                if (!createPage())
                    return;
            }
        }
    } catch (const std::bad_alloc&) {
        telmora::showError(this, TextId::OutOfMemory);
    }
}

void DataListWindow::clearList() {
    m_pageTabs->clear();
    for (QWidget* page : m_pages)
        delete page;
    m_pages.clear();
    m_lists.clear();
    m_models.clear();
    m_lines = 0;
    m_currentPage = 1;
    createPage();
}

void DataListWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (QTableView* list = listOfPage(m_currentPage))
        list->scrollToBottom();
}

} // namespace telmora
