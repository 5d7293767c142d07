#pragma once

#include <QTabWidget>

#include <vector>

class QTableView;

namespace telmora {

class LoggerSessions;

// One tab with a table per session ("Session1", "Session2", ...). The tabs and
// the graph are independent: choosing a tab does not change the session drawn.
class SessionTabs : public QTabWidget {
    Q_OBJECT

public:
    SessionTabs(const LoggerSessions& sessions, QWidget* parent);

    // Removes every tab, then adds one per session held; the last becomes active.
    // False (and no tabs) when memory ran out.
    bool rebuild();
    void removeAll();
    int tabCount() const { return static_cast<int>(m_grids.size()); }
    QTableView* grid(int i) const { return m_grids.at(static_cast<std::size_t>(i)); }
    // Cell (row, column) of the table of session s, row 0 the titles.
    QString cellText(int s, int row, int column) const;

private:
    void addTab();

    const LoggerSessions& m_sessions;
    std::vector<QTableView*> m_grids;
};

} // namespace telmora
