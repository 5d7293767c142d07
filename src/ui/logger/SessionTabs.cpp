#include "ui/logger/SessionTabs.h"

#include "logger/LoggerSessions.h"
#include "ui/logger/SessionGridModel.h"

#include <QHeaderView>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

#include <new>

namespace telmora {

namespace {
constexpr int kDefaultColumnWidth = 96;
}

SessionTabs::SessionTabs(const LoggerSessions& sessions, QWidget* parent)
    : QTabWidget(parent), m_sessions(sessions) {
    setObjectName(QStringLiteral("sheetTabs"));
    setUsesScrollButtons(true);
    const int scrollWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    setFixedWidth(4 * kDefaultColumnWidth + scrollWidth + 20);
}

bool SessionTabs::rebuild() {
    removeAll();
    try {
        for (int s = 0; s < m_sessions.sessionCount(); ++s)
            addTab();
    } catch (const std::bad_alloc&) {
        removeAll();
        return false;
    }
    return true;
}

void SessionTabs::removeAll() {
    m_grids.clear();
    while (count() > 0) {
        QWidget* page = widget(0);
        removeTab(0);
        delete page;
    }
}

void SessionTabs::addTab() {
    const int n = tabCount() + 1;
    const QString caption = QStringLiteral("Session%1").arg(n);
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("ts") + caption);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* grid = new QTableView(page);
    grid->setObjectName(QStringLiteral("StrGrid%1").arg(n));
    grid->setModel(new SessionGridModel(m_sessions, n - 1, grid));
    grid->verticalHeader()->setVisible(false);
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 6);
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    grid->horizontalHeader()->setDefaultSectionSize(kDefaultColumnWidth);
    grid->setColumnWidth(0, 56);
    grid->setColumnWidth(1, 100);
    grid->setColumnWidth(2, 112);
    grid->setColumnWidth(3, 112);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    layout->addWidget(grid);
    QTabWidget::addTab(page, caption);
    setCurrentWidget(page);
    m_grids.push_back(grid);
    // The new last row (the empty one) is selected, as rows are added.
    grid->selectRow(grid->model()->rowCount() - 1);
}

QString SessionTabs::cellText(int s, int row, int column) const {
    if (s < 0 || s >= tabCount() || row < 1)
        return {};
    const auto* model =
        static_cast<const SessionGridModel*>(m_grids[static_cast<std::size_t>(s)]->model());
    return model->text(row - 1, column);
}

} // namespace telmora
