#pragma once

#include <QAbstractTableModel>

namespace telmora {

class LoggerSessions;

// The table of one session: the header holds the titles "No.", "Time",
// "Main-Data", "Sub-Data"; row r holds entry r, and one empty row always follows
// the last entry.
class SessionGridModel : public QAbstractTableModel {
public:
    SessionGridModel(const LoggerSessions& sessions, int session, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    // Cell text of entry `row` (0-based); empty past the entries.
    QString text(int row, int column) const;

private:
    const LoggerSessions& m_sessions;
    int m_session;
};

} // namespace telmora
