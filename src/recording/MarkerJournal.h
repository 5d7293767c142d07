#pragma once

#include "recording/RecordingMarkers.h"

#include <QString>

#include <vector>

namespace telmora {

// Keeps the markers of a running recording on the disk beside its first temporary
// file (see markerfiles.h), so that a recording taken up after a crash gets them
// back. Every change replaces the file whole; a crash leaves the old or the new
// markers. The files this run wrote or took over are deleted with it.
class MarkerJournal {
public:
    MarkerJournal() = default;
    ~MarkerJournal();
    MarkerJournal(const MarkerJournal&) = delete;
    MarkerJournal& operator=(const MarkerJournal&) = delete;

    // Writes `markers` beside the temporary file `firstTemporaryPath` (nothing
    // without one). False with the reason when the file cannot be written.
    bool write(const QString& firstTemporaryPath, const std::vector<Marker>& markers,
               QString* error = nullptr);
    // Whether the markers file beside `firstTemporaryPath` is the one written last.
    bool writesBeside(const QString& firstTemporaryPath) const;
    // A markers file an earlier run left beside the temporary file it took over:
    // it is written from now on and deleted with this run's own.
    void adopt(const QString& firstTemporaryPath);
    // The next write begins a new file (the recording was cleared or replaced).
    void forget() { m_current.clear(); }

private:
    QString m_current;
    std::vector<QString> m_files;
};

} // namespace telmora
