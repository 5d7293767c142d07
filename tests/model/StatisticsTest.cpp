// One-pass statistics: accuracy on long series of nearly equal readings, merging of
// parts, grouping by function and unit.
#include "model/GroupedStatistics.h"
#include "model/RunningStatistics.h"
#include "model/TypedReading.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <random>
#include <string>
#include <vector>

using namespace telmora;

namespace {

// The two-pass reference in long double.
struct Reference {
    long double mean = 0, deviation = 0;
    explicit Reference(const std::vector<double>& xs) {
        for (double x : xs)
            mean += x;
        mean /= static_cast<long double>(xs.size());
        long double squares = 0;
        for (double x : xs)
            squares += (x - mean) * (x - mean);
        deviation = std::sqrt(squares / static_cast<long double>(xs.size() - 1));
    }
};

ReadingRecord record(std::uint32_t code, float value, const char* valueText,
                     const char* unitText = "", const char* mode = "") {
    ReadingRecord r;
    r.functionCode = code;
    r.value = value;
    r.valueText.assign(valueText);
    r.displayText.assign(valueText);
    r.unitText.assign(unitText);
    r.modeText.assign(mode);
    return r;
}

} // namespace

TEST(RunningStatistics, MillionReadingsOfOneVoltKeepTheirMicrovoltSpread) {
    // As the recorder stores them: single-precision values around 1.000000 V.
    std::mt19937_64 random(53);
    std::normal_distribution<double> noise(0.0, 1e-6);
    std::vector<double> xs(1'000'000);
    RunningStatistics s;
    for (double& x : xs) {
        x = static_cast<double>(static_cast<float>(1.0 + noise(random)));
        s.add(x);
    }
    const Reference ref(xs);
    ASSERT_EQ(s.count(), 1'000'000);
    EXPECT_NEAR(s.mean(), static_cast<double>(ref.mean), 1e-12);
    EXPECT_NEAR(s.standardDeviation(), static_cast<double>(ref.deviation),
                1e-6 * static_cast<double>(ref.deviation));
    EXPECT_NEAR(s.standardDeviation(), 1e-6, 0.02e-6); // the noise that went in
}

TEST(RunningStatistics, MergedPartsEqualOnePass) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> value(1e3, 1e3 + 1.0);
    std::vector<double> xs(5000);
    for (double& x : xs)
        x = value(random);
    RunningStatistics whole;
    for (double x : xs)
        whole.add(x);
    // Uneven parts, including empty ones on either side of a merge.
    RunningStatistics merged;
    for (std::size_t begin = 0, size = 0; begin < xs.size(); begin += size, size = size * 2 + 1) {
        RunningStatistics part;
        for (std::size_t i = begin; i < std::min(xs.size(), begin + size); ++i)
            part.add(xs[i]);
        merged.merge(part);
    }
    EXPECT_EQ(merged.count(), whole.count());
    EXPECT_NEAR(merged.mean(), whole.mean(), 1e-12 * whole.mean());
    EXPECT_NEAR(merged.standardDeviation(), whole.standardDeviation(),
                1e-9 * whole.standardDeviation());
    EXPECT_EQ(merged.minimum(), whole.minimum());
    EXPECT_EQ(merged.maximum(), whole.maximum());

    RunningStatistics one;
    one.add(-2.5);
    EXPECT_EQ(one.standardDeviation(), 0.0);
    EXPECT_EQ(one.minimum(), -2.5);
    EXPECT_EQ(one.maximum(), -2.5);
}

TEST(GroupedStatistics, VoltsThenOhmsWithOverloadsCountedApart) {
    GroupedStatistics g;
    const ReadingRecord volts1 = record(0x6, 1.0f, "1.000", "V", "DC");
    const ReadingRecord volts2 = record(0x6, 3.0f, "3.000", "V", "DC");
    const ReadingRecord ohms = record(0x80, 1500.0f, "1.500", "W");
    const ReadingRecord overload = record(0x80, 6.6e6f, "0.L", "W");
    for (const ReadingRecord* r : {&volts1, &volts2, &ohms, &overload, &overload, &overload})
        g.add(ReadingOfRecord(*r, RecordOrigin::Recorder));
    ASSERT_EQ(g.groups().size(), 2u);
    const StatisticsGroup* v = g.find(0x6, "V");
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v->mode, "DC");
    EXPECT_EQ(v->values.count(), 2);
    EXPECT_DOUBLE_EQ(v->values.mean(), 2.0);
    EXPECT_DOUBLE_EQ(v->values.standardDeviation(), std::sqrt(2.0));
    const StatisticsGroup* r = g.find(0x80, "\u03A9");
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->values.count(), 1); // the substitutes stay out of the figures
    EXPECT_EQ(r->overloads, 3);
    EXPECT_EQ(r->values.maximum(), 1500.0);

    GroupedStatistics other;
    other.add(ReadingOfRecord(record(0x5, 230.0f, "230.0", "V", "AC"), RecordOrigin::Recorder));
    other.add(ReadingOfRecord(volts1, RecordOrigin::Recorder));
    g.merge(other);
    ASSERT_EQ(g.groups().size(), 3u);
    EXPECT_EQ(g.find(0x6, "V")->values.count(), 3);
    EXPECT_EQ(g.groups()[2].function, 0x5u);
}

TEST(GroupedStatistics, ThousandsOfGroupsKeepTheOrderOfTheirFirstReading) {
    // 5000 groups: function and unit each shared by many groups, so that only both
    // together tell a group; readings visit them in a scrambled order, many times.
    std::vector<std::string> units;
    for (int u = 0; u < 50; ++u)
        units.push_back("u" + std::to_string(u));
    struct Id {
        std::uint32_t function;
        const std::string* unit;
    };
    std::vector<Id> ids;
    for (std::uint32_t f = 0; f < 100; ++f)
        for (const std::string& unit : units)
            ids.push_back({f, &unit});
    std::mt19937 random(7);
    std::vector<std::size_t> visits;
    for (int round = 0; round < 3; ++round)
        for (std::size_t i = 0; i < ids.size(); ++i)
            visits.push_back(i);
    std::shuffle(visits.begin(), visits.end(), random);

    // The reference: a search through the groups in the order they came.
    std::vector<std::size_t> firstSeen;
    std::vector<int> counts(ids.size(), 0);
    GroupedStatistics g;
    GroupedStatistics firstHalf, secondHalf;
    for (std::size_t k = 0; k < visits.size(); ++k) {
        const std::size_t i = visits[k];
        if (counts[i]++ == 0)
            firstSeen.push_back(i);
        TypedReading reading;
        reading.function = ids[i].function;
        reading.unit = *ids[i].unit;
        reading.value = static_cast<double>(k);
        reading.state = k % 5 == 0 ? ReadingState::Overload : ReadingState::Value;
        g.add(reading);
        (k < visits.size() / 2 ? firstHalf : secondHalf).add(reading);
    }
    ASSERT_EQ(g.groups().size(), ids.size());
    for (std::size_t n = 0; n < firstSeen.size(); ++n) {
        const StatisticsGroup& group = g.groups()[n];
        const Id& id = ids[firstSeen[n]];
        ASSERT_EQ(group.function, id.function) << n;
        ASSERT_EQ(group.unit, *id.unit) << n;
        EXPECT_EQ(group.values.count() + group.overloads, 3) << n;
        EXPECT_EQ(g.find(id.function, *id.unit), &group);
    }
    EXPECT_EQ(g.find(100, "u0"), nullptr);
    EXPECT_EQ(g.find(0, "u50"), nullptr);

    // Merging the halves gives the same groups in the same order; a copy finds its
    // own groups after the original is gone.
    std::optional<GroupedStatistics> merged = firstHalf;
    merged->merge(secondHalf);
    const GroupedStatistics copy = *merged;
    merged.reset();
    ASSERT_EQ(copy.groups().size(), g.groups().size());
    for (std::size_t n = 0; n < g.groups().size(); ++n) {
        const StatisticsGroup& ours = copy.groups()[n];
        EXPECT_EQ(ours.function, g.groups()[n].function);
        EXPECT_EQ(ours.unit, g.groups()[n].unit);
        EXPECT_EQ(ours.overloads, g.groups()[n].overloads);
        EXPECT_EQ(ours.values.count(), g.groups()[n].values.count());
        EXPECT_EQ(copy.find(ours.function, ours.unit), &ours);
    }

    // Cleared, nothing is found, and new groups start over.
    g.clear();
    EXPECT_EQ(g.find(0, "u0"), nullptr);
    TypedReading again;
    again.function = 3;
    again.unit = "u1";
    again.state = ReadingState::Value;
    again.value = 1.0;
    g.add(again);
    ASSERT_EQ(g.groups().size(), 1u);
    EXPECT_EQ(g.find(3, "u1"), &g.groups()[0]);
}
