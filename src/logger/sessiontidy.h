#pragma once
// The tidy CSV export of imported sessions (see tidycsv.h): the header
// "index,session,time,value,...", then one row per sample with the session number
// (from 1), the sample's number within its session (from 1) and its offset from
// the session start in seconds.

#include "model/SampleLists.h"

#include <QString>

#include <span>
#include <string>

class QIODevice;

namespace telmora {

// Appends the row of sample `number` (1-based) of session `session` with its CR LF.
void AppendSessionTidyLine(std::string& out, const SampleEntry& entry, int session,
                           std::size_t number);

// The whole tidy export of sessions first..last (clamped to `sessions`).
std::string SessionsTidyText(std::span<const SampleList> sessions, int first, int last);

// Writes the tidy export to `path` through a save file; on failure `error` gets a
// sentence.
bool ExportSessionsTidyFile(const QString& path, std::span<const SampleList> sessions, int first,
                            int last, QString* error = nullptr);

} // namespace telmora
