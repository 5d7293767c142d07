#pragma once
// The tidy CSV export for analysis tools: one header line, one row per sample,
// comma separated, "." as decimal point in every locale, fields quoted as RFC 4180
// asks (only when they hold a comma, a quote or a line break; quotes doubled), CR LF
// line ends, UTF-8 with the ohm and degree signs as themselves. Columns:
//   index, time, value, unit, mode, display, overload,
//   sub_value, sub_unit, sub_mode, sub_display, sub_overload
// The value is in SI base units (see TypedReading) and empty for an overload or a
// gap (a value of NaN without value or display text: a meter without a reading
// at a tick of several meters); unit and mode are those of the function; the
// overload columns read "true" or "false"; the sub columns are empty for a sample
// without a sub reading. The time column depends on where the samples come from
// (TidyTime).

#include "model/ReadingRecord.h"
#include "model/TypedReading.h"
#include "model/decimaltext.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace telmora {

enum class TidyTime {
    DateTime,  // "time": ISO 8601 local date and time with milliseconds and UTC offset
    TimeOfDay, // "time_of_day": the samples' date is not known, only the time of day
    Session,   // "session" (number from 1) and "time" (seconds from the session start)
};

// The header line without its line end.
std::string TidyHeader(TidyTime time);
// The header of a recording of several meters in the long layout: a "meter" column
// after the index, then the columns of TidyHeader.
std::string TidyLongHeader(TidyTime time);
// The header of the wide layout: index and time, then for meter n (from 1) the
// columns Mn_value, Mn_unit, Mn_mode, Mn_display and Mn_overload of its main
// reading and Mn_sub_value and Mn_sub_unit of its sub reading, and math_value and
// math_unit when there is a math channel.
std::string TidyWideHeader(TidyTime time, std::size_t meters, bool withMath);

// Appends "," and `field` (quoted when needed). `field` is UTF-8.
void AppendTidyField(std::string& line, std::string_view field);

// Appends the value..overload columns of one main record, each with its leading comma.
void AppendTidyMainReading(std::string& line, const ReadingRecord& record, RecordOrigin origin);
// Appends the sub_value and sub_unit columns of a sample, each with its leading
// comma (both empty without a sub reading).
void AppendTidySubValueUnit(std::string& line, const SampleEntry& entry, RecordOrigin origin);
// Appends "," and a math channel's value (the shortest decimal text that reads back
// as the same double, "." as decimal point), nothing after the comma for NaN.
void AppendTidyMathValue(std::string& line, double value);

// Appends the value..sub_overload columns of a sample, each with its leading comma.
void AppendTidyReadings(std::string& line, const SampleEntry& entry, RecordOrigin origin);
// The same columns written at `at`, which has room for kMaxTidyReadingsBytes (the
// longest they can be); returns their end. An export writes its rows this way.
// `last`, when given, keeps the values and texts written last: a recording often
// repeats a reading, whose text is then copied instead of worked out again.
constexpr std::size_t kMaxTidyReadingsBytes = 320;
struct TidyValueTexts {
    TidyValueTexts() { main.withText = sub.withText = true; }
    StoredValueCache main;
    StoredValueCache sub;
};
char* WriteTidyReadings(char* at, const SampleEntry& entry, RecordOrigin origin,
                        TidyValueTexts* last = nullptr);

// "2026-03-29T02:30:00.125+02:00": the local date and time of `utcMs` at the UTC
// offset, with milliseconds and the offset (never "Z").
std::string IsoDateTime(std::int64_t utcMs, std::int32_t utcOffsetSeconds);

// The recorder's stored time of day (" 9:05:01.3") as "09:05:01.3".
std::string TimeOfDayText(std::string_view storedTime);

// Appends "," and TimeOfDayText(storedTime) as a field (quoted when needed).
void AppendTidyTimeOfDay(std::string& line, std::string_view storedTime);
// The same field written at `at`, which has room for kMaxTidyTimeOfDayBytes, for a
// stored time of at most 15 bytes (a record's time text); returns its end.
constexpr std::size_t kMaxTidyTimeOfDayBytes = 48;
char* WriteTidyTimeOfDay(char* at, std::string_view storedTime);

// Seconds from a session's start in a session time text ("1:02'03.500\""), as
// "3723.500"; the text itself when it cannot be read.
std::string SessionSecondsText(std::string_view sessionTime);

} // namespace telmora
