// Typed readings: the SI value of a stored float is the number its shortest decimal
// text says, the unit, mode and state come from the function table and the value
// text's marks, and a double is written as the shortest text that reads back to it.
#include "model/TypedReading.h"
#include "model/GroupedStatistics.h"
#include "model/decimaltext.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <random>
#include <string>

using namespace telmora;

namespace {

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

double parsed(const std::string& text) {
    double value = 0.0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    EXPECT_TRUE(ec == std::errc() && end == text.data() + text.size()) << text;
    return value;
}

std::string doubleText(double value) {
    std::string text;
    AppendShortestDouble(text, value);
    return text;
}

} // namespace

TEST(ShortestDecimalValue, IsTheDecimalTheFloatStandsForNotItsBinaryNoise) {
    EXPECT_EQ(ShortestDecimalValue(1.505f, 0), 1.505);
    EXPECT_NE(static_cast<double>(1.505f), 1.505); // what a widened float gives
    EXPECT_EQ(ShortestDecimalValue(4.7e-3f, -6), 4.7e-9);
    EXPECT_EQ(ShortestDecimalValue(23.45f, -9), 2.345e-8);
    EXPECT_EQ(ShortestDecimalValue(-0.0012345f, 0), -0.0012345);
    EXPECT_EQ(ShortestDecimalValue(4709.0f, 0), 4709.0);
    EXPECT_EQ(ShortestDecimalValue(12345.6f, 0), 12345.6);
    EXPECT_EQ(ShortestDecimalValue(0.0f, -6), 0.0);
    // Exponents beyond the exact powers of ten of a double.
    EXPECT_EQ(ShortestDecimalValue(1.25e-30f, -9), 1.25e-39);
    EXPECT_EQ(ShortestDecimalValue(3.4e38f, 0), 3.4e38);
    EXPECT_TRUE(std::isnan(ShortestDecimalValue(std::numeric_limits<float>::infinity(), 0)));
    EXPECT_TRUE(std::isnan(ShortestDecimalValue(std::numeric_limits<float>::quiet_NaN(), 0)));

    // Any float and shift: the double read from the export's text of the float, and
    // written again, is that same text.
    std::mt19937 random(35);
    std::uniform_int_distribution<std::uint32_t> bits;
    for (int i = 0; i < 200000; ++i) {
        const auto value = std::bit_cast<float>(bits(random));
        if (!std::isfinite(value) || value == 0.0f)
            continue;
        const int shift = static_cast<int>(bits(random) % 3) * -3 - (i % 2 == 0 ? 0 : 3);
        std::string text;
        AppendShortestDecimal(text, value, shift);
        const double si = ShortestDecimalValue(value, shift);
        ASSERT_EQ(si, parsed(text)) << text;
        ASSERT_EQ(doubleText(si), text) << value << " " << shift;
        char both[kMaxShortestDecimalBytes];
        double asDouble = 0.0;
        ASSERT_EQ(std::string(both, WriteShortestDecimal(both, value, shift, asDouble)), text);
        ASSERT_EQ(asDouble, si) << text;
    }
}

TEST(ShortestDouble, ReadsBackToTheSameDoubleWithAPointInEveryLocale) {
    EXPECT_EQ(doubleText(22174681.0), "22174681");
    EXPECT_EQ(doubleText(1.505), "1.505");
    EXPECT_EQ(doubleText(4.7e-9), "4.7e-9");
    EXPECT_EQ(doubleText(-0.0012345), "-0.0012345");
    EXPECT_EQ(doubleText(1e16), "1e16");
    EXPECT_EQ(doubleText(0.1 + 0.2), "0.30000000000000004");
    EXPECT_EQ(doubleText(-1.7976931348623157e308), "-1.7976931348623157e308");
    EXPECT_EQ(doubleText(4.9e-324), "5e-324");
    EXPECT_EQ(doubleText(0.0), "0");
    std::mt19937_64 random(7);
    for (int i = 0; i < 200000; ++i) {
        const auto value = std::bit_cast<double>(random());
        if (!std::isfinite(value))
            continue;
        const std::string text = doubleText(value);
        ASSERT_LE(text.size(), kMaxShortestDecimalBytes);
        ASSERT_EQ(parsed(text), value == 0.0 ? 0.0 : value) << text;
    }
}

TEST(TypedReading, RecordsTakeUnitModeAndStateFromTheFunctionTable) {
    // The recorder keeps capacitance in microfarad and conductance in nanosiemens on
    // the main display; the import on either display.
    const ReadingRecord cap = record(0x8, 4.7e-3f, "4.700", "F");
    EXPECT_EQ(ReadingOfRecord(cap, RecordOrigin::Recorder).value, 4.7e-9);
    EXPECT_EQ(ReadingOfRecord(cap, RecordOrigin::Session, DisplayKind::Sub).value, 4.7e-9);
    EXPECT_EQ(ReadingOfRecord(cap, RecordOrigin::Recorder, DisplayKind::Sub).value, 0.0047);
    EXPECT_EQ(ReadingOfRecord(record(0x1000, 12.5f, "12.5", "S"), RecordOrigin::Recorder).value,
              1.25e-8);

    // Units with their signs, whatever the record's unit text says; the mode of the
    // function, also where a session's low-battery mark left the mode off its texts.
    const TypedReading ohms = ReadingOfRecord(record(0x180, 1.0f, "1", "W"), RecordOrigin::Session);
    EXPECT_EQ(ohms.unit, "\u03A9");
    EXPECT_EQ(ohms.mode, Mode::None);
    const TypedReading t1 =
        ReadingOfRecord(record(0x8020, 25.3f, "25.3", "C"), RecordOrigin::Session);
    EXPECT_EQ(t1.unit, "\u00B0C");
    EXPECT_EQ(t1.modeText(), "T1");
    const TypedReading lowBattery =
        ReadingOfRecord(record(0x80000005u, 230.0f, "230.0", "V"), RecordOrigin::Session);
    EXPECT_EQ(lowBattery.function, 0x5u);
    EXPECT_EQ(lowBattery.modeText(), "AC");
    EXPECT_EQ(ReadingOfRecord(record(0x6, 1.0f, "1.000", "V"), RecordOrigin::Recorder).modeText(),
              "DC");
    // The sub display: the live label of the recorder, no DC marks in sessions.
    EXPECT_EQ(
        ReadingOfRecord(record(0x6, 1.0f, "1.000"), RecordOrigin::Session, DisplayKind::Sub).mode,
        Mode::None);
    EXPECT_EQ(
        ReadingOfRecord(record(0x5, 1.0f, "1.000"), RecordOrigin::Recorder, DisplayKind::Sub).mode,
        Mode::Ac);
    EXPECT_EQ(ReadingOfRecord(record(0x2000, -3.2f, "-3.2", "m"), RecordOrigin::Recorder).unit,
              "dBm");
    EXPECT_EQ(ReadingOfRecord(record(0x12345, 1.0f, "1", "V"), RecordOrigin::Recorder).unit, "");

    // Overloads and open inputs are counted but have no value; a gap and a stored
    // infinity are no reading at all.
    for (const char* text : {"0.L", " OL", ".OL"}) {
        const TypedReading r = ReadingOfRecord(record(0x80, 6.6e6f, text), RecordOrigin::Recorder);
        EXPECT_EQ(r.state, ReadingState::Overload) << text;
        EXPECT_TRUE(r.overloaded() && !r.hasValue() && std::isnan(r.value)) << text;
    }
    for (const char* text : {"----", "---"})
        EXPECT_EQ(ReadingOfRecord(record(0x8020, 1375.0f, text), RecordOrigin::Session).state,
                  ReadingState::Open)
            << text;
    ReadingRecord gap;
    gap.value = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(ReadingOfRecord(gap, RecordOrigin::Recorder).state, ReadingState::None);
    const TypedReading infinite = ReadingOfRecord(
        record(0x6, std::numeric_limits<float>::infinity(), "1.000"), RecordOrigin::Recorder);
    EXPECT_EQ(infinite.state, ReadingState::None);
    EXPECT_FALSE(infinite.overloaded());

    // How the display wrote the number, for the read-outs.
    ReadingRecord kilo = record(0x80, 4709.0f, "4.709");
    kilo.prefixText.assign("k");
    const TypedReading k = ReadingOfRecord(kilo, RecordOrigin::Recorder);
    EXPECT_EQ(k.prefixExponent, 3);
    EXPECT_EQ(k.decimals, 3);
}

TEST(TypedReading, ALiveDisplayKeepsTheDoubleOfItsMeasurement) {
    const TypedReading volts =
        ReadingOfMeasurement(MeasureDisplay("1.505", false, 0x6, 0, DisplayKind::Main));
    EXPECT_EQ(volts.state, ReadingState::Value);
    EXPECT_EQ(volts.value, 1.505);
    EXPECT_EQ(volts.unit, "V");
    EXPECT_EQ(volts.modeText(), "DC");
    EXPECT_EQ(volts.decimals, 3);
    const TypedReading kilo =
        ReadingOfMeasurement(MeasureDisplay("4.709", false, 0x80, 3, DisplayKind::Main));
    EXPECT_EQ(kilo.value, 4709.0);
    EXPECT_EQ(kilo.prefixExponent, 3);
    const TypedReading overload =
        ReadingOfMeasurement(MeasureDisplay("0.L", false, 0x80, 6, DisplayKind::Main));
    EXPECT_EQ(overload.state, ReadingState::Overload);
    EXPECT_FALSE(overload.hasValue());
}

TEST(TypedReading, StatisticsOfStoredReadingsHaveNoFloatNoise) {
    GroupedStatistics statistics;
    StoredValueCache cache;
    for (const float value : {1.505f, 1.505f, 1.505f})
        statistics.add(ReadingOfRecord(record(0x6, value, "1.505"), RecordOrigin::Recorder,
                                       DisplayKind::Main, &cache));
    const StatisticsGroup* volts = statistics.find(0x6, "V");
    ASSERT_NE(volts, nullptr);
    EXPECT_EQ(volts->mode, "DC");
    EXPECT_EQ(volts->values.mean(), 1.505);
    EXPECT_EQ(volts->values.minimum(), 1.505);
    EXPECT_EQ(volts->values.maximum(), 1.505);
    EXPECT_EQ(doubleText(volts->values.mean()), "1.505");
}
