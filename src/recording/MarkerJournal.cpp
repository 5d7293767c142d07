#include "recording/MarkerJournal.h"

#include "recording/markerfiles.h"

#include <QFile>

#include <algorithm>

namespace telmora {

MarkerJournal::~MarkerJournal() {
    for (const QString& path : m_files)
        QFile::remove(path);
}

bool MarkerJournal::write(const QString& firstTemporaryPath, const std::vector<Marker>& markers,
                          QString* error) {
    if (firstTemporaryPath.isEmpty())
        return true;
    const QString path = MarkersJournalPath(firstTemporaryPath);
    const bool known = std::find(m_files.begin(), m_files.end(), path) != m_files.end();
    if (!WriteMarkersJournal(path, markers, !known, error))
        return false;
    if (!known)
        m_files.push_back(path);
    m_current = path;
    return true;
}

bool MarkerJournal::writesBeside(const QString& firstTemporaryPath) const {
    return !firstTemporaryPath.isEmpty() && m_current == MarkersJournalPath(firstTemporaryPath);
}

void MarkerJournal::adopt(const QString& firstTemporaryPath) {
    const QString path = MarkersJournalPath(firstTemporaryPath);
    if (std::find(m_files.begin(), m_files.end(), path) == m_files.end())
        m_files.push_back(path);
    m_current = path;
}

} // namespace telmora
