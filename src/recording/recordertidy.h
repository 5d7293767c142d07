#pragma once
// The recorder's tidy CSV export (see tidycsv.h): pages of a recording with each
// sample's date and time. When any exported sample lacks its date (it was read from
// a file, which keeps only the time of day), the whole export gives the time of day
// and its header names the column "time_of_day", so that a column never mixes two
// kinds of time.

#include "recording/Recording.h"
#include "recording/recorderexport.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <stop_token>
#include <string>

namespace telmora {

// The row of sample `index` (numbered index + 1) without its line end; `clock` is
// its date and time, or nothing for the time of day.
std::string RecorderTidyLine(std::int64_t index, const SampleEntry& entry,
                             const std::optional<WallClock>& clock);

// Header and rows of pages first..last, as WriteRecorderText pages them.
bool WriteRecorderTidy(const Recording& recording, std::int32_t first, std::int32_t last,
                       std::int32_t lastPage, const TextSink& sink);
// The same for samples that carry no date (read from a file): the time of day.
bool WriteRecorderTidy(const RecordStore& records, std::int32_t first, std::int32_t last,
                       std::int32_t lastPage, const TextSink& sink);

// Writes the export to a file through SaveFile, like ExportRecorderText.
bool ExportRecorderTidy(const QString& path, const Recording& recording, std::int32_t first,
                        std::int32_t last, std::int32_t lastPage, QString* error = nullptr,
                        std::stop_token stop = {});

} // namespace telmora
