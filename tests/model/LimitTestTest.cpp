// Limit counts and the limits a user types ("5m:2.2k").
#include "model/LimitTest.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace telmora;

namespace {

TypedReading valueReading(double value) {
    TypedReading r;
    r.state = ReadingState::Value;
    r.value = value;
    return r;
}

TypedReading stateReading(ReadingState state) {
    TypedReading r;
    r.state = state;
    return r;
}

} // namespace

TEST(LimitTest, CountsSidesAndRunsOutside) {
    LimitTest test(1.0, 2.0);
    // inside (edges included), an excursion above that turns below, a gap inside an
    // excursion, an overload after an inside sample.
    for (const double v : {1.0, 2.0, 2.5, 0.5})
        test.add(valueReading(v));
    test.add(stateReading(ReadingState::None));
    test.add(valueReading(0.9));
    test.add(valueReading(1.5));
    test.add(stateReading(ReadingState::Overload));
    test.add(stateReading(ReadingState::Open));
    test.addValue(std::nan(""));
    test.addValue(1.2);
    const LimitCounts& c = test.counts();
    EXPECT_EQ(c.inside, 4);
    EXPECT_EQ(c.above, 3);
    EXPECT_EQ(c.below, 2);
    EXPECT_EQ(c.excursions, 2);

    LimitTest startsOutside(0.0, 0.0);
    startsOutside.addValue(-1e-12);
    EXPECT_EQ(startsOutside.counts().below, 1);
    EXPECT_EQ(startsOutside.counts().excursions, 1);
}

TEST(LimitTest, ComparatorLimitsCountCapacitanceInMicrofarad) {
    // A meter's comparator takes capacitance limits in microfarad; the typed value
    // is in farad. A reading on the limit lies on it, not a rounding step beside it.
    const auto farad = [](double value) {
        TypedReading r = valueReading(value);
        r.function = 0x8;
        return r;
    };
    LimitTest comparator(1.0, 2.2, LimitUnits::Comparator);
    for (const double v : {2.2e-6, 1e-6, 2.3e-6, 0.9e-6})
        comparator.add(farad(v));
    comparator.add(valueReading(2.2)); // volts stay volts
    EXPECT_EQ(comparator.counts().inside, 3);
    EXPECT_EQ(comparator.counts().above, 1);
    EXPECT_EQ(comparator.counts().below, 1);
    EXPECT_EQ(comparator.low(), 1.0) << "the limits as the user gave them";

    // In SI units the same readings all lie below.
    LimitTest si(1.0, 2.2);
    si.add(farad(2.2e-6));
    EXPECT_EQ(si.counts().below, 1);
}

TEST(LimitTest, ReadsNumbersWithSiPrefixes) {
    EXPECT_EQ(ReadPrefixedDecimal("5m"), 0.005);
    EXPECT_EQ(ReadPrefixedDecimal("2.2k"), 2200.0);
    EXPECT_EQ(ReadPrefixedDecimal("-10u"), -1e-5);
    EXPECT_EQ(ReadPrefixedDecimal("4.7\u00b5"), 4.7e-6);
    EXPECT_EQ(ReadPrefixedDecimal("1.5M"), 1.5e6);
    EXPECT_EQ(ReadPrefixedDecimal("3.3n"), 3.3e-9);
    EXPECT_EQ(ReadPrefixedDecimal("1e3"), 1000.0);
    EXPECT_EQ(ReadPrefixedDecimal("100p"), 1e-10);
    for (const char* bad : {"", "m", "5 m", "5mm", "1e3k", "k5", "5x", "1,5k", "inf", "nan"})
        EXPECT_FALSE(ReadPrefixedDecimal(bad).has_value()) << bad;

    const std::optional<LimitTest> limits = ReadLimits("-5m:2.2k");
    ASSERT_TRUE(limits.has_value());
    EXPECT_EQ(limits->low(), -0.005);
    EXPECT_EQ(limits->high(), 2200.0);
    EXPECT_TRUE(ReadLimits("1:1").has_value());
    for (const char* bad : {"2.2k:5m", "5m", ":1", "1:", "1:2:3", "a:b"})
        EXPECT_FALSE(ReadLimits(bad).has_value()) << bad;
}
