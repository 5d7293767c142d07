#pragma once

#include "model/SampleLists.h"
#include "recording/RecordStore.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <stop_token>
#include <string>
#include <string_view>

namespace telmora {

// The comma-separated text export of recorder pages: a header line, then one line
// per sample with the display texts as the meter showed them. Every line ends with
// CR LF; fields are not quoted.
inline constexpr std::string_view kRecorderTextHeader =
    "#item,Time,MainData,MainUnit,MainFunc,Sub Data,SubUnit,SubFunc";

// The line of buffer entry `index` (numbered index + 1), without its line end.
// Resistance units read "Ohm", decibel prefixes move into the unit, degree letters
// move from the display text into the unit with the mode ("25.3" / " C [T1]"), and
// other mode texts follow the unit in brackets (two spaces before a main mode, one
// before a sub mode). The sub fields are present only when has-sub is 1.
std::string RecorderTextLine(std::int64_t index, const SampleEntry& entry);
// The same line appended to `out` (the export's way: no string per line).
void AppendRecorderTextLine(std::string& out, std::int64_t index, const SampleEntry& entry);

// The last page of a buffer of `count` samples (1 when it is empty).
std::int32_t LastPageForCount(std::int64_t count);

// Produces the header and the lines of pages first..last (1-based, inclusive, pages
// as the recorder window counts them with `lastPage`), handing the text to `sink` in
// blocks. Pages outside 1..lastPage are left out. Stops and returns false when the
// sink returns false.
using TextSink = std::function<bool(std::string_view)>;
bool WriteRecorderText(const SampleList& samples, std::int32_t first, std::int32_t last,
                       std::int32_t lastPage, const TextSink& sink);
// The same for the samples of a recording, decoded from their files as they are written.
bool WriteRecorderText(const RecordStore& samples, std::int32_t first, std::int32_t last,
                       std::int32_t lastPage, const TextSink& sink);

// Writes the export to a file through SaveFile (an existing file survives a failed
// or stopped export). False with a reason in `error` when the file cannot be
// written; false with no reason when `stop` was requested before the end.
bool ExportRecorderText(const QString& path, const SampleList& samples, std::int32_t first,
                        std::int32_t last, std::int32_t lastPage, QString* error = nullptr,
                        std::stop_token stop = {});
bool ExportRecorderText(const QString& path, const RecordStore& samples, std::int32_t first,
                        std::int32_t last, std::int32_t lastPage, QString* error = nullptr,
                        std::stop_token stop = {});

} // namespace telmora
