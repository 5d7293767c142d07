#include "ui/logger/SessionGridModel.h"

#include "logger/LoggerSessions.h"
#include "logger/sessionrows.h"

namespace telmora {

SessionGridModel::SessionGridModel(const LoggerSessions& sessions, int session, QObject* parent)
    : QAbstractTableModel(parent), m_sessions(sessions), m_session(session) {}

int SessionGridModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid() || m_session >= m_sessions.sessionCount())
        return 1;
    return static_cast<int>(m_sessions.session(m_session).size()) + 1;
}

int SessionGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 4;
}

QVariant SessionGridModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    return text(index.row(), index.column());
}

QVariant SessionGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char* const titles[] = {"No.", "Time", "Main-Data", "Sub-Data"};
    return section >= 0 && section < 4 ? QString::fromLatin1(titles[section]) : QString();
}

QString SessionGridModel::text(int row, int column) const {
    if (m_session >= m_sessions.sessionCount() || row < 0)
        return {};
    const SampleList& list = m_sessions.session(m_session);
    if (static_cast<std::size_t>(row) >= list.size())
        return {};
    const auto index = static_cast<std::size_t>(row);
    const SessionGridRow cells = SessionGridRowTexts(list[index], index);
    switch (column) {
    case 0:
        return QString::fromStdString(cells.number);
    case 1:
        return QString::fromLatin1(cells.time.c_str());
    case 2:
        return QString::fromLatin1(cells.mainData.c_str());
    case 3:
        return QString::fromLatin1(cells.subData.c_str());
    default:
        return {};
    }
}

} // namespace telmora
