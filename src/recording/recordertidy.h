#pragma once
// The recorder's tidy CSV export (see tidycsv.h): pages of a recording with each
// sample's date and time. When any exported sample lacks its date (it was read from
// a file, which keeps only the time of day), the whole export gives the time of day
// and its header names the column "time_of_day", so that a column never mixes two
// kinds of time.

#include "model/exportoptions.h"
#include "recording/Recording.h"
#include "recording/recorderexport.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <stop_token>
#include <string>
#include <vector>

namespace telmora {

// What the tidy export of a several-meter recording reads: each meter's samples
// (the first meter's wall clocks date every meter's samples: they were taken at the
// same ticks) and the math channel's values.
struct TidyMeter {
    std::string name; // UTF-8
    const RecordStore* records = nullptr;
};
struct TidyMeterSet {
    std::vector<TidyMeter> meters;
    // The date and time of tick i; empty (or nothing for a tick) gives the time of day.
    std::function<std::optional<WallClock>(std::size_t)> clockOf;
    bool hasMath = false;
    std::string mathName = "Math";
    std::string mathExpression;
    std::string mathUnit;
    std::vector<double> mathValues; // one per tick
};

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

// Header and rows of pages first..last of a several-meter recording. Long: for each
// tick one row per meter (the meter column holds its name) and one for the math
// channel (named mathName, its display column holding the expression). Wide: one
// row per tick, see TidyWideHeader. Ticks beyond the shortest meter are left out.
bool WriteRecorderTidy(const TidyMeterSet& set, std::int32_t first, std::int32_t last,
                       std::int32_t lastPage, TidyLayout layout, const TextSink& sink);
bool ExportRecorderTidy(const QString& path, const TidyMeterSet& set, std::int32_t first,
                        std::int32_t last, std::int32_t lastPage, TidyLayout layout,
                        QString* error = nullptr, std::stop_token stop = {});

// Writes the export to a file through SaveFile, like ExportRecorderText.
bool ExportRecorderTidy(const QString& path, const Recording& recording, std::int32_t first,
                        std::int32_t last, std::int32_t lastPage, QString* error = nullptr,
                        std::stop_token stop = {});

} // namespace telmora
