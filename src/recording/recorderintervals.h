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

#include "recording/IntervalStatistics.h"
#include "recording/recorderexport.h"
#include "recording/recordertidy.h"

#include <cstdint>
#include <string>

namespace telmora {

// The header line without its line end.
std::string IntervalHeader();

// Appends the rows of one interval, each with its CR LF; `names` are the meters'
// names (UTF-8) by index. `withDate`: startMs is local time since 1970, else a day
// count and the time of day.
void AppendIntervalRows(std::string& out, const IntervalRows& rows,
                        const std::vector<std::string>& names, bool withDate);

// Header and rows of every tick of `set`, the meters' main readings and the math
// channel's values (named as the tidy export names them), in intervals of
// `lengthMs`. A tick is timed by its date where every tick has one, else by the
// first meter's stored time of day; a tick without a readable time is left out.
// False when a record cannot be read or the sink refuses the text.
bool WriteRecorderIntervals(const TidyMeterSet& set, std::int64_t lengthMs, const TextSink& sink);

} // namespace telmora
