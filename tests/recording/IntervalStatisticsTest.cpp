// Intervals of a recording: their alignment, the day after midnight, dated
// intervals, and the recorder's stored times of day.
#include "recording/IntervalStatistics.h"
#include "recording/recorderintervals.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace telmora;

namespace {

TypedReading volts(double value) {
    TypedReading r;
    r.state = ReadingState::Value;
    r.value = value;
    r.unit = "V";
    return r;
}

// The rows of the readings added by `add` in intervals of `lengthMs`.
template <typename Add> std::string rowsOf(std::int64_t lengthMs, bool withDate, Add&& add) {
    std::string out;
    IntervalStatistics intervals(lengthMs, 1, [&](const IntervalRows& rows) {
        AppendIntervalRows(out, rows, {"M1"}, withDate);
    });
    add(intervals);
    intervals.finish();
    return out;
}

} // namespace

TEST(IntervalStatistics, ReadsTheRecordersTimesOfDay) {
    EXPECT_EQ(StoredTimeOfDayMs(" 14:05:09.3"), 50'709'300);
    EXPECT_EQ(StoredTimeOfDayMs("  0:00:00.0"), 0);
    EXPECT_EQ(StoredTimeOfDayMs("23:59:59.9"), 86'399'900);
    for (const char* other : {"", "14:05:09", "14:60:00.0", "14:05:09.34", "1:02'03.500\"",
                              "x14:05:09.3", "14:05:09.3 "})
        EXPECT_FALSE(StoredTimeOfDayMs(other).has_value()) << other;
}

TEST(IntervalStatistics, IntervalsAreAlignedFromMidnightAndGoOnAfterIt) {
    TimeOfDayTimeline timeline;
    const std::string rows = rowsOf(7000, false, [&](IntervalStatistics& s) {
        // 23:59:50.0 .. 00:00:05.0 in intervals of 7 s from the first day's midnight:
        // 23:59:47, 23:59:54 and 00:00:01 (86401 s; a day is no multiple of 7 s).
        double value = 0;
        for (const std::int64_t ms :
             {86'390'000, 86'396'900, 86'397'000, 86'399'900, 0, 3'900, 4'000, 5'000})
            s.add(0, {timeline.localMs(ms), 0}, volts(++value));
    });
    EXPECT_EQ(rows, "23:59:47,M1,V,1,1,1,1,,0\r\n"
                    "23:59:54,M1,V,4,3.5,2,5,1.2909944487358056,0\r\n"
                    "00:00:01,M1,V,3,7,6,8,1,0\r\n");
}

TEST(IntervalStatistics, DatedIntervalsBeginAtLocalMidnightMultiples) {
    // 2026-03-29 01:59:30 and 03:00:30 local time across the change to summer time
    // (+01:00, then +02:00): hours begin at local 01:00 and 03:00.
    const std::int64_t utc = 1'774'745'970'000; // 2026-03-29T00:59:30Z
    const std::string rows = rowsOf(3'600'000, true, [&](IntervalStatistics& s) {
        s.add(0, {utc + 3'600'000, 3600}, volts(1.0));
        s.add(0, {utc + 60'000 + 7'200'000, 7200}, volts(2.0));
    });
    EXPECT_EQ(rows, "2026-03-29T01:00:00.000+01:00,M1,V,1,1,1,1,,0\r\n"
                    "2026-03-29T03:00:00.000+02:00,M1,V,1,2,2,2,,0\r\n");
}
