#pragma once
// Text export of imported sessions: comma-separated lines with CR LF ends, a header
// line, then one line per sample numbered from 1 within each session. A line has
// five fields (number, time, main display text, main prefix, main unit) and three
// more (sub display text, prefix and unit) when the sample has a sub reading.
// Texts are written as stored (8-bit), without quoting; numbers never depend on the
// locale.

#include "model/SampleLists.h"

#include <QString>

#include <span>
#include <string>

class QIODevice;

namespace telmora {

class SaveFile;

inline constexpr const char* kSessionTextHeader =
    "#item,Time,MainData,MainUnit,MainFunc,Sub Data,SubUnit,SubFunc";

// 1-based inclusive session numbers.
struct PageRange {
    int first = 1;
    int last = 0;
    bool empty() const { return last < first; }
};

// The range limited to the sessions offered (1..shown); a range given backwards is
// turned round. Empty when no session is offered or the range lies wholly outside.
PageRange ClampPageRange(int first, int last, int shown);

// Appends the line of sample `number` (1-based) with its CR LF.
void AppendSessionTextLine(std::string& out, const SampleEntry& entry, std::size_t number);

// The whole export of sessions first..last (clamped to `sessions`).
std::string SessionsText(std::span<const SampleList> sessions, int first, int last);

// Writes the export to `out`; false when the device refused a write.
bool WriteSessionsText(QIODevice& out, std::span<const SampleList> sessions, int first, int last);

// Writes the export to an open save file; false when a write failed (the reason
// is the file's).
bool WriteSessionsText(SaveFile& out, std::span<const SampleList> sessions, int first, int last);

// Writes the export to `path` through a save file (an existing file is replaced
// only when the new one is complete). On failure `error` gets a sentence.
bool ExportSessionsTextFile(const QString& path, std::span<const SampleList> sessions, int first,
                            int last, QString* error = nullptr);

} // namespace telmora
