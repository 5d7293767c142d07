#include "model/needle.h"

#include "model/functiontable.h"

#include <gtest/gtest.h>

#include <bit>
#include <clocale>
#include <cmath>
#include <limits>
#include <string>

using namespace telmora;

namespace {

std::uint32_t code(MeterFunction function) {
    return FunctionCodeOf(function);
}

// The main display showing `text` (point in place, "-" first when negative).
Measurement display(std::string_view text, bool negative, std::string_view exponent,
                    std::uint32_t function) {
    int e = 0;
    if (!exponent.empty())
        e = std::stoi(std::string(exponent));
    return MeasureDisplay(text, negative, function, e, DisplayKind::Main);
}

AnalogScale counts(std::string_view text, std::uint32_t function, bool negative = false,
                   AnalogScale previous = {}) {
    return AnalogCounts(display(text, negative, "0", function), previous);
}

float comparatorValue(std::string_view text, bool negative, std::string_view exponent,
                      std::uint32_t function, double upper, double lower) {
    return ComparatorValue(display(text, negative, exponent, function), upper, lower);
}

} // namespace

TEST(AnalogCounts, ReadingsGiveCountsFullScaleAndMultiplier) {
    const AnalogScale volts = counts(" 1.234", code(MeterFunction::Volts));
    EXPECT_EQ(volts.counts, 1234);
    EXPECT_EQ(volts.fullScale, 6000);
    EXPECT_EQ(volts.multiplierExponent, 0);
    EXPECT_NEAR(AnalogNeedleAngle(volts.counts, volts.fullScale), 125.32, 1e-9);
    EXPECT_EQ(MultiplierText(volts.multiplierExponent), "x1");

    const AnalogScale ac = counts("12.34", code(MeterFunction::VoltsAc));
    EXPECT_EQ(ac.fullScale, 10000);
    EXPECT_EQ(MultiplierText(ac.multiplierExponent), "x10");

    // Capacitance: decade scale only with the point after the fourth digit's k = 3.
    EXPECT_EQ(counts("1234", code(MeterFunction::Capacitance)).fullScale, 10000);
    EXPECT_EQ(counts("12.34", code(MeterFunction::Capacitance)).fullScale, 6000);
    // Temperature input without a degree letter: 0-20 scale, one decade less.
    const AnalogScale t = counts(" 123", code(MeterFunction::TemperatureT1));
    EXPECT_EQ(t.fullScale, 200);
    EXPECT_EQ(t.multiplierExponent, 1);
}

TEST(AnalogCounts, SignDoesNotMoveTheNeedle) {
    const AnalogScale plus = counts(" 1.000", code(MeterFunction::VoltsDc));
    const AnalogScale minus = counts("- 1.000", code(MeterFunction::VoltsDc), true);
    EXPECT_EQ(minus.counts, plus.counts);
    EXPECT_EQ(minus.fullScale, plus.fullScale);
    EXPECT_EQ(AnalogNeedleAngle(minus.counts, minus.fullScale),
              AnalogNeedleAngle(plus.counts, plus.fullScale));
}

TEST(AnalogCounts, OverloadStopsAtTwentyFiveDegrees) {
    for (bool negative : {false, true}) {
        const AnalogScale s =
            counts(negative ? "- 0.L " : " 0.L ", code(MeterFunction::Volts), negative);
        EXPECT_EQ(s.counts, 5500);
        EXPECT_EQ(s.fullScale, 5000);
        EXPECT_EQ(s.multiplierExponent, 1);
        EXPECT_EQ(AnalogNeedleAngle(s.counts, s.fullScale), kNeedleStop);
    }
}

TEST(AnalogCounts, TemperatureDashesAndGarbage) {
    const AnalogScale t = counts(" 25C", 0x8020);
    EXPECT_EQ(t.counts, 25);
    EXPECT_EQ(t.fullScale, 200);
    EXPECT_EQ(MultiplierText(t.multiplierExponent), "x10");
    EXPECT_EQ(AnalogUnitText(0x8020, ""), "C");
    EXPECT_EQ(AnalogUnitText(0xC040, ""), "F");

    // Dashes on a lettered temperature: beyond the stop.
    const AnalogScale over = counts("---C", 0x8020);
    EXPECT_EQ(over.fullScale, 2000);
    EXPECT_EQ(over.counts, 2200);
    EXPECT_EQ(AnalogNeedleAngle(over.counts, over.fullScale), kNeedleStop);

    // Garbage on a lettered temperature: rest values.
    const AnalogScale junk = counts("?2?C", 0x4040, false, {7, 123, 5});
    EXPECT_EQ(junk.counts, 0);
    EXPECT_EQ(junk.fullScale, 2000);
    EXPECT_EQ(junk.multiplierExponent, 2);

    // Dashes, "?" or a blank display elsewhere: zero counts, the rest unchanged.
    for (const char* text : {"----", "1?3", "    ", ""}) {
        const AnalogScale s = counts(text, code(MeterFunction::Volts), false, {7, 123, 5});
        EXPECT_EQ(s.counts, 0) << text;
        EXPECT_EQ(s.fullScale, 123) << text;
        EXPECT_EQ(s.multiplierExponent, 5) << text;
        EXPECT_EQ(AnalogNeedleAngle(s.counts, s.fullScale), kNeedleZero) << text;
    }
}

TEST(AnalogNeedle, AnglesStayDefined) {
    EXPECT_EQ(AnalogNeedleAngle(0, 0), kNeedleZero);
    EXPECT_EQ(AnalogNeedleAngle(5, -10), kNeedleZero);
    EXPECT_EQ(AnalogNeedleAngle(6000, 6000), kNeedleFull);
    EXPECT_EQ(AnalogNeedleAngle(std::numeric_limits<std::int64_t>::max(), 1), kNeedleStop);
    // The longest text the reading can hold still gives a finite, bounded angle.
    const AnalogScale big = counts("999999999999999", code(MeterFunction::VoltsAc));
    const double a = AnalogNeedleAngle(big.counts, big.fullScale);
    EXPECT_TRUE(std::isfinite(a));
    EXPECT_GE(a, kNeedleStop);
    EXPECT_EQ(MultiplierText(-1), "x0");
    EXPECT_EQ(MultiplierText(3), "x1000");
}

TEST(AnalogScaleImage, ChosenByFunction) {
    EXPECT_EQ(AnalogScaleImage(code(MeterFunction::VoltsAc), 0), 100);
    EXPECT_EQ(AnalogScaleImage(code(MeterFunction::Volts), 0), 60);
    EXPECT_EQ(AnalogScaleImage(code(MeterFunction::Resistance), 0), 60);
    EXPECT_EQ(AnalogScaleImage(code(MeterFunction::Capacitance), 3), 100);
    EXPECT_EQ(AnalogScaleImage(code(MeterFunction::Capacitance), 2), 60);
    EXPECT_EQ(AnalogScaleImage(0x8020, 1), 200);
    EXPECT_EQ(AnalogScaleImage(0x12345, 1), 60);
}

TEST(ComparatorNeedle, LimitsOneAndThree) {
    EXPECT_DOUBLE_EQ(ComparatorNeedleAngle(2, 3, 1), 90);
    EXPECT_DOUBLE_EQ(ComparatorNeedleAngle(3, 3, 1), 70);
    EXPECT_DOUBLE_EQ(ComparatorNeedleAngle(1, 3, 1), 110);
    EXPECT_DOUBLE_EQ(ComparatorNeedleAngle(5, 3, 1), 50);
    EXPECT_DOUBLE_EQ(ComparatorNeedleAngle(500, 3, 1), 50);
    EXPECT_DOUBLE_EQ(ComparatorNeedleAngle(-1, 3, 1), 130);
    EXPECT_DOUBLE_EQ(ComparatorNeedleAngle(-1e30, 3, 1), 130);
}

TEST(ComparatorNeedle, DegenerateLimitsAndValuesGiveAFiniteAngle) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(ComparatorNeedleAngle(2, 2, 2), 90); // equal limits
    EXPECT_EQ(ComparatorNeedleAngle(nan, 3, 1), 90);
    EXPECT_EQ(ComparatorNeedleAngle(2, 1e308, -1e308), 90); // span overflows
    EXPECT_EQ(ComparatorNeedleAngle(inf, 3, 1), 50);
    EXPECT_EQ(ComparatorNeedleAngle(-inf, 3, 1), 130);
    // Upper below lower (the settings defaults): pinned, but defined.
    EXPECT_TRUE(std::isfinite(ComparatorNeedleAngle(200, 100, 300)));
    // Limits a few units of the last place apart: rounding must not carry the
    // needle past a stop.
    const double a = std::bit_cast<double>(0x2100000000002401ull);
    const double b = std::bit_cast<double>(0x2100000000373580ull);
    for (const auto& [upper, lower] : {std::pair{a, b}, std::pair{b, a}})
        for (double v : {0.0, a, b, -1.0, 1.0}) {
            const double angle = ComparatorNeedleAngle(v, upper, lower);
            EXPECT_GE(angle, 50.0);
            EXPECT_LE(angle, 130.0);
        }
}

TEST(ComparatorValue, UnitsExponentsAndSigns) {
    EXPECT_FLOAT_EQ(comparatorValue("10.00", false, "-9", code(MeterFunction::Capacitance), 3, 1),
                    0.01f);
    EXPECT_FLOAT_EQ(comparatorValue("12.34", false, "-3", code(MeterFunction::VoltsDc), 3, 1),
                    0.01234f);
    EXPECT_FLOAT_EQ(comparatorValue("1.000", false, "-6", code(MeterFunction::Conductance), 3, 1),
                    1000.0f);
    EXPECT_FLOAT_EQ(
        comparatorValue("-12.0", false, "0", code(MeterFunction::DecibelMilliwatt), 3, 1),
        -12000.0f);
    EXPECT_FLOAT_EQ(comparatorValue("- 1.500", true, "3", code(MeterFunction::Resistance), 3, 1),
                    -1500.0f);
    EXPECT_FLOAT_EQ(comparatorValue(" 25C", false, "0", 0x8020, 30, 10), 25.0f);
    EXPECT_FLOAT_EQ(comparatorValue("-25C", true, "0", 0x8020, 30, 10), -25.0f);
}

TEST(ComparatorValue, OverloadDashesAndGarbage) {
    // Overload lies beyond the stop on the side of its sign.
    EXPECT_FLOAT_EQ(comparatorValue(" 0.L ", false, "0", code(MeterFunction::Volts), 3, 1), 4.0f);
    EXPECT_FLOAT_EQ(comparatorValue("- 0.L ", true, "0", code(MeterFunction::Volts), 3, 1), 0.0f);
    EXPECT_EQ(ComparatorNeedleAngle(
                  comparatorValue(" 0.L ", false, "0", code(MeterFunction::Volts), 3, 1), 3, 1),
              50);
    EXPECT_EQ(AlarmFrequency(comparatorValue(" 0.L ", false, "0", code(MeterFunction::Volts), 3, 1),
                             3, 1),
              kAlarmHighHz);
    EXPECT_EQ(AlarmFrequency(comparatorValue("- 0.L ", true, "0", code(MeterFunction::Volts), 3, 1),
                             3, 1),
              kAlarmLowHz);
    // Dashes on a lettered temperature: above; four dashes: below.
    EXPECT_FLOAT_EQ(comparatorValue("---C", false, "0", 0x8020, 3, 1), 4.0f);
    // Anything unreadable sits at the mid-point.
    for (const char* text : {"----", "1?3", "    ", "", "E5", "1e5", "inf", "nan"})
        EXPECT_FLOAT_EQ(comparatorValue(text, false, "0", code(MeterFunction::Volts), 3, 1), 2.0f)
            << text;
    // Values too large for single precision do not wrap or go undefined.
    EXPECT_TRUE(std::isinf(comparatorValue("9999", false, "6", code(MeterFunction::Conductance),
                                           1e300, -1e300)) ||
                comparatorValue("9999", false, "6", code(MeterFunction::Conductance), 1e300,
                                -1e300) > 1e18f);
}

TEST(Alarm, ToneChoiceAtAboveAndBelowTheLimits) {
    EXPECT_EQ(AlarmFrequency(3.0f, 3, 1), 0);
    EXPECT_EQ(AlarmFrequency(1.0f, 3, 1), 0);
    EXPECT_EQ(AlarmFrequency(2.0f, 3, 1), 0);
    EXPECT_EQ(AlarmFrequency(3.001f, 3, 1), kAlarmHighHz);
    EXPECT_EQ(AlarmFrequency(0.999f, 3, 1), kAlarmLowHz);
    // A reading equal to a limit that single precision cannot hold exactly.
    const float atLimit =
        comparatorValue("0.100", false, "0", code(MeterFunction::VoltsDc), 0.1, -0.1);
    EXPECT_EQ(AlarmFrequency(atLimit, 0.1, -0.1), 0);
    const float atLower =
        comparatorValue("0.100", false, "0", code(MeterFunction::VoltsDc), 0.3, 0.1);
    EXPECT_EQ(AlarmFrequency(atLower, 0.3, 0.1), 0);
}

TEST(ComparatorLabels, PartsTypefacesAndAlignment) {
    const ComparatorLabels cap = ComparatorLabelsFor(code(MeterFunction::Capacitance));
    EXPECT_EQ(cap.prefixPart, "u");
    EXPECT_EQ(cap.unitPart, "F");
    EXPECT_EQ(ComparatorLabelsFor(code(MeterFunction::Conductance)).prefixPart, "n");
    const ComparatorLabels db = ComparatorLabelsFor(code(MeterFunction::DecibelMilliwatt));
    EXPECT_EQ(db.prefixPart, "dB");
    EXPECT_EQ(db.unitPart, "m");
    const ComparatorLabels ohm = ComparatorLabelsFor(code(MeterFunction::ResistanceAlternate));
    EXPECT_EQ(ohm.unitPart, "W");
    EXPECT_TRUE(ohm.unitSymbol);
    EXPECT_FALSE(ComparatorLabelsFor(code(MeterFunction::VoltsDc)).unitSymbol);
    EXPECT_EQ(ComparatorLabelsFor(code(MeterFunction::VoltsDc)).unitPart, "V");
    EXPECT_EQ(ComparatorLabelsFor(0x8020).unitPart, "");
    EXPECT_EQ(ComparatorLabelsFor(0x77777).unitPart, "?");
    const ComparatorLabels deg = ComparatorLabelsFor(code(MeterFunction::Celsius));
    EXPECT_TRUE(deg.prefixSymbol);
    EXPECT_EQ(deg.prefixAlign, LabelAlign::Right);
    EXPECT_EQ(deg.unitAlign, LabelAlign::Left);
}

TEST(Decimal, ParsingIsStrictAndLocaleFree) {
    const char* old = std::setlocale(LC_ALL, nullptr);
    const std::string saved = old ? old : "C";
    std::setlocale(LC_ALL, "de_DE.UTF-8");
    EXPECT_EQ(ReadDecimal("12.5"), 12.5);
    EXPECT_EQ(ReadDecimal("12.34E-3"), 0.01234);
    EXPECT_EQ(ReadDecimal("+2"), 2.0);
    EXPECT_EQ(ReadDecimal(".5"), 0.5);
    EXPECT_EQ(ReadDecimal("1e-400"), 0.0);
    for (const char* bad : {"", "12,5", " 1", "1 ", "-", ".", "1e", "1e+", "inf", "nan", "0x10",
                            "1.2.3", "1e999", "--1", "E3"})
        EXPECT_FALSE(ReadDecimal(bad).has_value()) << bad;
    EXPECT_EQ(ReadDecimalTrimmed("  -3.5 "), -3.5);
    EXPECT_EQ(ShortestDecimal(100.0), "100");
    EXPECT_EQ(ShortestDecimal(12.5), "12.5");
    EXPECT_EQ(ShortestDecimal(0.1), "0.1");
    std::setlocale(LC_ALL, saved.c_str());
}

TEST(Sweep, EndsAtTheTargetInTenSteps) {
    EXPECT_TRUE(SweepAngles(90, 90).empty());
    const auto s = SweepAngles(150, 50);
    ASSERT_EQ(s.size(), 10u);
    EXPECT_DOUBLE_EQ(s.front(), 140);
    EXPECT_EQ(s.back(), 50);
}
