#pragma once
// Where a recording's markers are kept besides a several-meter manifest:
// - a recorder file "NAME.g53" saved with markers gets the manifest "NAME.telmora"
//   beside it, naming that one file and holding the markers; the recorder file
//   still opens alone, and opening it takes up the markers of the manifest beside
//   it when that manifest names exactly this file;
// - while a recording runs, its markers are kept beside the first meter's temporary
//   file ("~ODMDL3.TMP" gives "~ODMDL3.markers"), replaced whole on every change, so
//   that a recording taken up after a crash gets them back.

#include "recording/RecordingMarkers.h"

#include <QString>

#include <optional>
#include <vector>

namespace telmora {

// "NAME.telmora" beside the recorder file "NAME.g53" (any extension).
QString MarkersManifestPath(const QString& recorderFilePath);
// Whether the file at `manifestPath` is the markers manifest of `recorderFilePath`:
// a manifest naming that file, and no other.
bool ManifestBelongsTo(const QString& manifestPath, const QString& recorderFilePath);

// "~ODMDL3.markers" beside the temporary file "~ODMDL3.TMP".
QString MarkersJournalPath(const QString& firstTemporaryPath);
// Writes the markers file of a running recording (see WriteTemporaryGroupFile:
// `create` makes the name exclusively, later writes replace it whole).
bool WriteMarkersJournal(const QString& path, const std::vector<Marker>& markers, bool create,
                         QString* error = nullptr);

// The markers kept for the recording file `path` that is being opened: those of its
// markers manifest, or for a temporary file those of its markers file. Nothing, and no
// error, when there are none; nothing with the reason in `error` when they cannot be
// read (unreadable, no valid JSON, text that is no UTF-8, markers that make no sense).
std::optional<std::vector<Marker>> MarkersBeside(const QString& path, QString* error = nullptr);
// The same for a temporary file's markers file alone.
std::optional<std::vector<Marker>> ReadMarkersJournal(const QString& path,
                                                      QString* error = nullptr);

} // namespace telmora
