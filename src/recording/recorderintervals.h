#pragma once
// The interval export: a recording reduced to intervals (IntervalStatistics) as
// tidy CSV, one row per interval, meter and unit:
//   interval_start,meter,unit,count,mean,min,max,stddev,overloads
// interval_start is the interval's local date and time (ISO 8601 with the UTC
// offset) where every sample's date is known, else its time of day ("14:05:00").
// mean, min, max and stddev (the sample standard deviation) are the shortest texts
// that read back as the same doubles; empty where they do not exist (no value in
// the interval, or stddev of a single value). Intervals without a sample are left
// out. The layout otherwise follows the tidy export (tidycsv.h).
//
// With limits for some meter, four columns follow: inside,above,below,excursions,
// the limit counts of the row's readings (see IntervalFigures); empty in the rows of
// a meter without limits and of the math channel.

#include "recording/IntervalStatistics.h"
#include "recording/recorderexport.h"
#include "recording/recordertidy.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace telmora {

// The limits of each meter of a set by its index (nothing: none); the math channel
// has none.
using IntervalLimits = std::vector<std::optional<LimitTest>>;

// The header line without its line end; `withLimits` adds the limit columns.
std::string IntervalHeader(bool withLimits = false);

// Appends the rows of one interval, each with its CR LF; `names` are the meters'
// names (UTF-8) by index. `withDate`: startMs is local time since 1970, else a day
// count and the time of day.
void AppendIntervalRows(std::string& out, const IntervalRows& rows,
                        const std::vector<std::string>& names, bool withDate,
                        bool withLimits = false);

// The start of an interval as the export writes it.
std::string IntervalStartText(const IntervalRows& rows, bool withDate);

// The meters' names of the rows of `set` (the math channel last, when it has one)
// and whether the intervals are dated: every tick has its date.
struct IntervalShape {
    std::vector<std::string> names;
    bool withDate = false;
};
IntervalShape IntervalShapeOf(const TidyMeterSet& set);

// Reduces every tick of `set` to intervals of `lengthMs` as WriteRecorderIntervals
// writes them and hands each interval to `take` when it is finished; `take` stops
// the work by returning false. False when a record cannot be read or `take` stopped.
bool ReduceRecorderIntervals(const TidyMeterSet& set, std::int64_t lengthMs,
                             const IntervalLimits& limits, bool withDate,
                             const std::function<bool(const IntervalRows&)>& take);

// Header and rows of every tick of `set`, the meters' main readings and the math
// channel's values (named as the tidy export names them), in intervals of
// `lengthMs`. A tick is timed by its date where every tick has one, else by the
// first meter's stored time of day; a tick without a readable time is left out.
// False when a record cannot be read or the sink refuses the text.
// With limits for some meter (by its index in `set`) the limit columns follow.
bool WriteRecorderIntervals(const TidyMeterSet& set, std::int64_t lengthMs, const TextSink& sink,
                            const IntervalLimits& limits = {});

} // namespace telmora
