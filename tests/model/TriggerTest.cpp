// Trigger texts as users type them, and a run of samples against a trigger.
#include "model/RecordingTrigger.h"
#include "model/TriggerWatch.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using namespace telmora;

namespace {

TypedReading value(double v, std::string_view unit = "V") {
    TypedReading reading;
    reading.state = ReadingState::Value;
    reading.value = v;
    reading.unit = unit;
    return reading;
}

TypedReading overload() {
    TypedReading reading;
    reading.state = ReadingState::Overload;
    reading.unit = "V";
    return reading;
}

struct ConditionCase {
    const char* text;
    int meters;
    // Expected when read: the meter (from 0), the direction, the level, the unit and
    // the text written back. A refusal: the message number, -1 meter.
    int meter;
    TriggerDirection direction;
    double level;
    const char* unit;
    const char* written;
    TextId refusal = TextId::TriggerConditionForm;
};

constexpr auto Up = TriggerDirection::Above;
constexpr auto Down = TriggerDirection::Below;

} // namespace

TEST(TriggerCondition, ReadsWhatUsersTypeAndRefusesTheRestWithItsNumber) {
    const ConditionCase cases[] = {
        {"M1>5", 1, 0, Up, 5.0, "", "M1 > 5"},
        {"  M1 > 5 V ", 1, 0, Up, 5.0, "V", "M1 > 5 V"},
        {"M2 < 2.2k", 2, 1, Down, 2200.0, "", "M2 < 2.2k"},
        {"m2<2.2kohm", 2, 1, Down, 2200.0, "\u03A9", "M2 < 2.2 k\u03A9"},
        {"M1 > 5m", 1, 0, Up, 0.005, "", "M1 > 5m"},
        {"M1 > 5 mV", 1, 0, Up, 0.005, "V", "M1 > 5 mV"},
        {"M1 > 47n F", 1, 0, Up, 47e-9, "F", "M1 > 47 nF"},
        {"M1 > 10 \u00B5A", 1, 0, Up, 10e-6, "A", "M1 > 10 \u00B5A"},
        {"M1 < -3.5 dBm", 1, 0, Down, -3.5, "dBm", "M1 < -3.5 dBm"},
        {"M1 > 25 degC", 1, 0, Up, 25.0, "\u00B0C", "M1 > 25 \u00B0C"},
        {"M1 > 1e3", 1, 0, Up, 1000.0, "", "M1 > 1e3"},
        {"M1 > 2 M", 1, 0, Up, 2e6, "", "M1 > 2M"},
        {"M3 > 1 S", 3, 2, Up, 1.0, "S", "M3 > 1 S"},
        // Refused.
        {"", 1, -1, Up, 0, "", "", TextId::TriggerConditionForm},
        {"M1 >= 5", 1, -1, Up, 0, "", "", TextId::TriggerConditionForm},
        {"M1 = 5", 1, -1, Up, 0, "", "", TextId::TriggerConditionForm},
        {"X1 > 5", 1, -1, Up, 0, "", "", TextId::TriggerConditionForm},
        {"M > 5", 1, -1, Up, 0, "", "", TextId::TriggerConditionForm},
        {"M1x > 5", 1, -1, Up, 0, "", "", TextId::TriggerConditionForm},
        {"M1 >", 1, -1, Up, 0, "", "", TextId::TriggerConditionForm},
        {"M3 > 5", 2, -1, Up, 0, "", "", TextId::MathUnknownMeter},
        {"M0 > 5", 2, -1, Up, 0, "", "", TextId::MathUnknownMeter},
        {"M1 > five", 1, -1, Up, 0, "", "", TextId::TriggerLevelNotNumber},
        {"M1 > 2,2k", 1, -1, Up, 0, "", "", TextId::TriggerLevelNotNumber},
        {"M1 > 1e3k", 1, -1, Up, 0, "", "", TextId::TriggerLevelNotNumber},
        {"M1 > 1e999", 1, -1, Up, 0, "", "", TextId::TriggerLevelNotNumber},
        {"M1 > 5 parsec", 1, -1, Up, 0, "", "", TextId::TriggerUnknownUnit},
        {"M1 > 5 kQ", 1, -1, Up, 0, "", "", TextId::TriggerUnknownUnit},
    };
    for (const ConditionCase& c : cases) {
        SCOPED_TRACE(c.text);
        TriggerError error;
        const std::optional<TriggerCondition> read =
            ParseTriggerCondition(c.text, c.meters, &error);
        if (c.meter < 0) {
            ASSERT_FALSE(read);
            EXPECT_EQ(error.id, c.refusal);
            continue;
        }
        ASSERT_TRUE(read) << error.englishMessage();
        EXPECT_EQ(read->meter, c.meter);
        EXPECT_EQ(read->direction, c.direction);
        EXPECT_DOUBLE_EQ(read->level, c.level);
        EXPECT_EQ(read->unit, c.unit);
        EXPECT_EQ(read->text(), c.written);
        // What is written reads back as the same condition.
        EXPECT_EQ(ParseTriggerCondition(read->text(), c.meters), read);
    }
}

TEST(TriggerCondition, AnUnknownMeterIsNamedWithTheCountInTheMessage) {
    TriggerError error;
    ASSERT_FALSE(ParseTriggerCondition("M4 > 1", 3, &error));
    EXPECT_EQ(error.englishMessage(), "[E9041] M4 is not a meter of this recording (it has 3).");
}

TEST(TriggerCondition, ComparesOnlyValuesInItsUnit) {
    const TriggerCondition volts = *ParseTriggerCondition("M1 > 5 V", 1);
    EXPECT_EQ(volts.beyond(value(6.0)), true);
    EXPECT_EQ(volts.beyond(value(5.0)), false); // the level itself is not beyond
    EXPECT_EQ(volts.beyond(value(6.0, "\u03A9")), std::nullopt);
    EXPECT_EQ(volts.beyond(overload()), std::nullopt);
    EXPECT_EQ(volts.beyond(TypedReading{}), std::nullopt); // a gap
    const TriggerCondition any = *ParseTriggerCondition("M1 < 5", 1);
    EXPECT_EQ(any.beyond(value(4.0, "\u03A9")), true);
}

TEST(RecordingTriggerText, StartAndStopTextsReadBackAndRefuseWhatTheyCannotRead) {
    RecordingTrigger trigger;
    ASSERT_TRUE(ParseStartText("at 07:05", 1, trigger));
    EXPECT_EQ(trigger.start, TriggerStart::ClockTime);
    EXPECT_EQ(trigger.startSecond, 7 * 3600 + 5 * 60);
    EXPECT_EQ(trigger.startText(), "at 07:05:00");
    EXPECT_EQ(trigger.awaitedText(), "07:05:00");
    ASSERT_TRUE(ParseStopText("after 1.5h", 1, trigger));
    EXPECT_EQ(trigger.durationMs, 5400000);
    ASSERT_TRUE(ParseStopAfter("90s", trigger));
    EXPECT_EQ(trigger.durationMs, 90000);
    ASSERT_TRUE(ParseStopAfter("10m", trigger)); // minutes here, not milli
    EXPECT_EQ(trigger.durationMs, 600000);
    EXPECT_EQ(trigger.stopText(), "after 10m");
    ASSERT_TRUE(ParseStopAfter("500", trigger));
    EXPECT_EQ(trigger.stop, TriggerStop::Samples);
    EXPECT_EQ(trigger.samples, 500);
    ASSERT_TRUE(ParseStopText("when M2 < 2 V", 2, trigger));
    EXPECT_EQ(trigger.stopText(), "when M2 < 2 V");

    RecordingTrigger copy;
    ASSERT_TRUE(ParseStartText(trigger.startText(), 2, copy));
    ASSERT_TRUE(ParseStopText(trigger.stopText(), 2, copy));
    EXPECT_EQ(copy.startText(), trigger.startText());
    EXPECT_EQ(copy.stopText(), trigger.stopText());

    TriggerError error;
    for (const char* bad : {"at 24:00", "at 7:05", "at 12:60", "at 12:00:60", "at noon"}) {
        EXPECT_FALSE(ParseStartText(bad, 1, trigger, &error)) << bad;
        EXPECT_EQ(error.id, TextId::TriggerClockTimeForm) << bad;
    }
    for (const char* bad : {"0", "-5", "10x", "m", "1.5", "0s", "400d", "9999h", "1e400s"}) {
        EXPECT_FALSE(ParseStopAfter(bad, trigger, &error)) << bad;
        EXPECT_EQ(error.id, TextId::TriggerStopAfterForm) << bad;
    }
    EXPECT_FALSE(ParseStopText("until M1 > 5", 1, trigger, &error));
    EXPECT_FALSE(ParseStopText("when M3 > 5", 2, trigger, &error));
    EXPECT_EQ(error.id, TextId::MathUnknownMeter);
}

TEST(TriggerWatch, StartsOnlyOnACrossingFromTheOtherSide) {
    RecordingTrigger trigger;
    ASSERT_TRUE(ParseStartText("M2 > 5", 2, trigger));
    TriggerWatch watch;
    watch.arm(trigger, 0, 0);
    ASSERT_TRUE(watch.waiting());
    // Already above when armed: it has to come from below first.
    for (const double v : {7.0, 6.0}) {
        watch.offer(1, value(v));
        watch.offerTime(0);
        EXPECT_TRUE(watch.waiting()) << v;
    }
    watch.offer(1, value(5.0)); // the level is not above it
    watch.offerTime(0);
    watch.offer(1, overload()); // neither side: the 5.0 stays the value before
    watch.offer(0, value(9.0)); // another meter
    watch.offerTime(0);
    EXPECT_TRUE(watch.waiting());
    watch.offer(1, value(5.001));
    watch.offerTime(1234);
    EXPECT_FALSE(watch.waiting());
}

TEST(TriggerWatch, ADownwardLevelNeedsAValueAboveItFirst) {
    RecordingTrigger trigger;
    ASSERT_TRUE(ParseStartText("M1 < 2.2k", 1, trigger));
    TriggerWatch watch;
    watch.arm(trigger, 0, 0);
    watch.offer(0, value(1000.0, "\u03A9"));
    watch.offerTime(0);
    EXPECT_TRUE(watch.waiting());
    watch.offer(0, value(2200.0, "\u03A9"));
    watch.offerTime(0);
    watch.offer(0, value(2199.0, "\u03A9"));
    watch.offerTime(0);
    EXPECT_FALSE(watch.waiting());
}

TEST(TriggerWatch, AClockTimeAlreadyPastTodayIsTomorrows) {
    RecordingTrigger trigger;
    ASSERT_TRUE(ParseStartText("at 10:00", 1, trigger));
    constexpr std::int64_t midnight = 1'000'000'000'000 - 1'000'000'000'000 % 86'400'000;
    TriggerWatch watch;
    // Armed at 09:59:59.500: starts half a second later.
    watch.arm(trigger, midnight + 35999500, 35999);
    watch.offerTime(midnight + 35999999);
    EXPECT_TRUE(watch.waiting());
    watch.offerTime(midnight + 36000000);
    EXPECT_FALSE(watch.waiting());
    // Armed at 10:00:00.200: the next day.
    watch.arm(trigger, midnight + 36000200, 36000);
    watch.offerTime(midnight + 36000200 + 3600000);
    EXPECT_TRUE(watch.waiting());
    watch.offerTime(midnight + 86400000 + 36000000);
    EXPECT_FALSE(watch.waiting());
}

TEST(TriggerWatch, StopsAfterItsDurationSamplesOrCondition) {
    RecordingTrigger trigger;
    ASSERT_TRUE(ParseStartText("M1 > 1", 1, trigger));
    ASSERT_TRUE(ParseStopAfter("2s", trigger));
    TriggerWatch watch;
    watch.arm(trigger, 0, 0);
    watch.offer(0, value(0.0));
    watch.offerTime(100);
    watch.offer(0, value(2.0));
    watch.offerTime(5000); // the run begins here, not when armed
    EXPECT_FALSE(watch.durationOver(6999));
    EXPECT_TRUE(watch.durationOver(7000));

    ASSERT_TRUE(ParseStopAfter("3", trigger));
    watch.arm(trigger, 0, 0);
    watch.offer(0, value(0.0));
    watch.offerTime(0);
    watch.offer(0, value(2.0));
    watch.offerTime(0);
    EXPECT_FALSE(watch.kept(1, value(2.0))); // other meters do not count
    EXPECT_FALSE(watch.kept(0, value(2.0)));
    EXPECT_FALSE(watch.kept(0, value(2.0)));
    EXPECT_TRUE(watch.kept(0, value(2.0)));

    ASSERT_TRUE(ParseStopText("when M1 < 0", 1, trigger));
    watch.arm(trigger, 0, 0);
    EXPECT_FALSE(watch.kept(0, value(0.0)));
    EXPECT_FALSE(watch.kept(0, overload()));
    EXPECT_TRUE(watch.kept(0, value(-0.1)));
}
