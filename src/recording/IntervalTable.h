#pragma once
// The recorder's recording reduced to intervals for a table: what the reduction
// reads, copied on the recorder's thread so that it can run as a job while the
// recording goes on, and the intervals it gives. The rows and their export are
// those of the interval export (recorderintervals.h), for the same recording the
// same bytes as the command line writes.

#include "model/LimitTest.h"
#include "recording/IntervalStatistics.h"
#include "recording/RecordStore.h"
#include "recording/WallClock.h"
#include "recording/recorderintervals.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <stop_token>
#include <string>
#include <vector>

namespace telmora {

class RecorderController;
class RecordingLimits;

// What the reduction of a recording reads.
struct IntervalSource {
    std::vector<std::string> names; // UTF-8; "M1".. for a meter without one and a single meter
    std::vector<RecordStore> records;
    std::vector<WallClock> clocks; // of every tick, or empty: the time of day
    bool hasMath = false;
    std::string mathUnit;
    std::vector<double> mathValues;
    IntervalLimits limits; // per meter

    // The set the interval export reads (pointing into this source).
    TidyMeterSet set() const;
};

// Copies what the reduction of `recorder`'s recording reads, with the limits
// `limits` keeps for each meter (null: none).
IntervalSource IntervalSourceOf(const RecorderController& recorder,
                                const RecordingLimits* limits = nullptr);

// One row of the table: an interval's start and the figures of one meter and unit.
struct IntervalTableRow {
    std::string start; // as the export writes it
    IntervalFigures figures;
};

struct IntervalTable {
    std::vector<std::string> names;
    bool withLimits = false;
    std::vector<IntervalTableRow> rows;
};

// The intervals of `source` of `lengthMs`; nothing when `stop` was requested or a
// record could not be read.
std::optional<IntervalTable> ReduceIntervals(const IntervalSource& source, std::int64_t lengthMs,
                                             std::stop_token stop = {});

// Writes the interval export of `source` to `path` through SaveFile; false with
// the reason in `error` (empty when stopped).
bool ExportIntervals(const QString& path, const IntervalSource& source, std::int64_t lengthMs,
                     QString* error = nullptr, std::stop_token stop = {});

} // namespace telmora
