#pragma once
// The recorder's tidy CSV export (see tidycsv.h): pages of a recording with each
// sample's date and time. When any exported sample lacks its date (it was read from
// a file, which keeps only the time of day), the whole export gives the time of day
// and its header names the column "time_of_day", so that a column never mixes two
// kinds of time. The last column, "marker", holds the note of a marked sample
// (empty otherwise).

#include "model/exportoptions.h"
#include "model/tidycsv.h"
#include "recording/Recording.h"
#include "recording/RecordingMarkers.h"
#include "recording/recorderexport.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <stop_token>
#include <string>
#include <string_view>
#include <vector>

namespace telmora {

// The marker column: the note of each marked sample (the notes of several markers
// of one sample joined by "; "), UTF-8.
class TidyMarkerNotes {
public:
    TidyMarkerNotes() = default;
    explicit TidyMarkerNotes(const std::vector<Marker>& markers);
    bool empty() const { return m_samples.empty(); }
    // The note of sample `index`; empty when it has none.
    std::string_view noteAt(std::int64_t index) const;
    // The most bytes the marker fields of samples begin .. end - 1 take (quoted).
    std::size_t fieldBytes(std::int64_t begin, std::int64_t end) const;

private:
    std::vector<std::int64_t> m_samples; // in order, each once
    std::vector<std::string> m_notes;
};

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
    TidyMarkerNotes markers;
};

// The header of the tidy export of one meter, without its line end.
std::string RecorderTidyHeader(TidyTime time);

// The row of sample `index` (numbered index + 1) without its line end; `clock` is
// its date and time, or nothing for the time of day; `note` the marker column.
std::string RecorderTidyLine(std::int64_t index, const SampleEntry& entry,
                             const std::optional<WallClock>& clock, std::string_view note = {});

// Header and rows of pages first..last, as WriteRecorderText pages them.
bool WriteRecorderTidy(const Recording& recording, std::int32_t first, std::int32_t last,
                       std::int32_t lastPage, const TextSink& sink,
                       const TidyMarkerNotes& markers = {});
// The same for samples that carry no date (read from a file): the time of day.
bool WriteRecorderTidy(const RecordStore& records, std::int32_t first, std::int32_t last,
                       std::int32_t lastPage, const TextSink& sink,
                       const TidyMarkerNotes& markers = {});

// Header and rows of pages first..last of a several-meter recording. Long: for each
// tick one row per meter (the meter column holds its name) and one for the math
// channel (named mathName, its display column holding the expression). Wide: one
// row per tick, see TidyWideHeader, with each meter's sub reading. Ticks beyond the shortest meter
// are left out.
bool WriteRecorderTidy(const TidyMeterSet& set, std::int32_t first, std::int32_t last,
                       std::int32_t lastPage, TidyLayout layout, const TextSink& sink);
bool ExportRecorderTidy(const QString& path, const TidyMeterSet& set, std::int32_t first,
                        std::int32_t last, std::int32_t lastPage, TidyLayout layout,
                        QString* error = nullptr, std::stop_token stop = {});

// Writes what `produce` hands its sink to `path` through SaveFile, pushing the
// written part to the disk as it goes. On a failure or a stop the file that was
// there stays; `error` gets the reason (empty after a stop).
bool ExportTextFile(const QString& path, QString* error, std::stop_token stop,
                    const std::function<bool(const TextSink&)>& produce);

// Writes the export to a file through SaveFile, like ExportRecorderText.
bool ExportRecorderTidy(const QString& path, const Recording& recording, std::int32_t first,
                        std::int32_t last, std::int32_t lastPage, QString* error = nullptr,
                        std::stop_token stop = {}, const TidyMarkerNotes& markers = {});

} // namespace telmora
