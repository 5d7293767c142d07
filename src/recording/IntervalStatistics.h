#pragma once
// A recording reduced to intervals of equal length (a second to a day): for each
// interval and meter, the count, mean, minimum, maximum and standard deviation of
// the values of each unit and the number of overloads. Intervals are whole
// multiples of the length from the midnight before the first sample; a reading without a value and
// without an overload (a gap) enters nothing, an overload is only counted.

#include "model/LimitTest.h"
#include "model/RunningStatistics.h"
#include "model/TypedReading.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace telmora {

// The moment of a sample on a timeline whose days begin at whole multiples of
// kDayMs: local time in milliseconds since 1970 where dates are known, or the
// days counted from the recording's first one and the time of day.
struct IntervalTime {
    std::int64_t localMs = 0;
    std::int32_t utcOffsetSeconds = 0; // of a date; 0 for a time of day
};

// The figures of one unit of one meter in one interval.
struct IntervalFigures {
    std::size_t meter = 0;
    std::string unit; // UTF-8, as TypedReading gives it
    RunningStatistics values;
    std::int64_t overloads = 0;
    // The meter's limit counts within the interval, of the readings of this unit (a
    // run outside that goes on from the interval before counts as an excursion here
    // too); nothing for a meter without limits.
    std::optional<LimitTest> limits;
};

// One interval and the figures of each meter (in the meters' order) and unit (in
// the order of their first reading in the interval).
struct IntervalRows {
    std::int64_t startMs = 0;          // on the timeline of IntervalTime
    std::int32_t utcOffsetSeconds = 0; // that of the interval's first sample
    std::vector<IntervalFigures> figures;
};

class IntervalStatistics {
public:
    static constexpr std::int64_t kDayMs = 86'400'000;
    static constexpr std::int64_t kShortestMs = 1000;
    static constexpr std::int64_t kLongestMs = kDayMs;

    // `finished` hears each interval once its last sample has come, in the order of
    // the samples. `lengthMs` lies between kShortestMs and kLongestMs.
    IntervalStatistics(std::int64_t lengthMs, std::size_t meters,
                       std::function<void(const IntervalRows&)> finished);

    // The reading of `meter` at `time`. A sample whose interval differs from that of
    // the sample before it finishes that interval (a clock set back by a moment
    // starts a new one: the rows keep the order of the recording).
    void add(std::size_t meter, IntervalTime time, const TypedReading& reading);
    // A value of a computed channel (the math channel): NaN is a gap.
    void addValue(std::size_t meter, IntervalTime time, double value, std::string_view unit);
    // Hands on the interval still open.
    void finish();
    // Counts the readings of `meter` against `limits` in every interval from now on.
    void setLimits(std::size_t meter, const LimitTest& limits);

    std::int64_t lengthMs() const { return m_lengthMs; }

private:
    void enter(IntervalTime time);
    IntervalFigures& figuresOf(std::size_t meter, std::string_view unit);

    std::int64_t m_lengthMs;
    std::function<void(const IntervalRows&)> m_finished;
    bool m_started = false;
    std::int64_t m_origin = 0; // the midnight before the first sample
    bool m_open = false;
    std::int64_t m_interval = 0; // the open interval's start divided by the length
    std::int32_t m_offset = 0;
    // The open interval's figures of each meter, units in order of their first reading.
    std::vector<std::vector<IntervalFigures>> m_current;
    std::vector<std::size_t> m_lastUnit;            // per meter: readings come in runs of one unit
    std::vector<std::optional<LimitTest>> m_limits; // per meter, nothing counted
    IntervalRows m_rows;                            // handed on, kept to reuse its memory
};

// The milliseconds of the day of a recorder's stored time of day (" 14:05:09.3",
// the hour right-aligned, tenths of a second); nothing for any other text.
std::optional<std::int64_t> StoredTimeOfDayMs(std::string_view storedTime);

// Puts the times of day of a recording, in its order, on the timeline of
// IntervalTime: a time more than half a day earlier than the one before it is on
// the next day (the recording went past midnight).
class TimeOfDayTimeline {
public:
    std::int64_t localMs(std::int64_t msOfDay);

private:
    bool m_started = false;
    std::int64_t m_day = 0;
    std::int64_t m_last = 0;
};

} // namespace telmora
