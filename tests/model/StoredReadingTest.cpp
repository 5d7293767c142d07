#include "model/storedreading.h"

#include <gtest/gtest.h>

#include <clocale>

using namespace telmora;

namespace {

UnpackedReading R(std::uint16_t count, std::uint8_t range = 0, std::uint8_t status = 0) {
    return UnpackedReading{status, range, count};
}

constexpr std::uint8_t OL = StoredStatus::Overload;
constexpr std::uint8_t NEG = StoredStatus::Negative;

} // namespace

TEST(SessionTables, FunctionsOfEverySessionType) {
    EXPECT_EQ(SessionFunctionTable(1, 0, 0), (SessionFunctions{0x5, 1, 0x400, 7}));
    EXPECT_EQ(SessionFunctionTable(3, 2, 0), (SessionFunctions{0x7, 6, 0x1000005, 4}));
    EXPECT_EQ(SessionFunctionTable(6, 3, 0x00), (SessionFunctions{0xC020, 23, 0x4020, 23}));
    EXPECT_EQ(SessionFunctionTable(6, 2, 0x10), (SessionFunctions{0x8040, 23, 0x4040, 23}));
    EXPECT_EQ(SessionFunctionTable(8, 3, 0x00), (SessionFunctions{0x201, 17, 0x400, 7}));
    EXPECT_EQ(SessionFunctionTable(8, 2, 0x20), (SessionFunctions{0x203, 16, 0x201, 14}));
    EXPECT_EQ(SessionFunctionTable(9, 1, 0xFF), (SessionFunctions{0x202, 21, 0x201, 20}));
    // Unlisted combinations have no function.
    EXPECT_EQ(SessionFunctionTable(1, 2, 0), SessionFunctions{});
    EXPECT_EQ(SessionFunctionTable(0, 0, 0), SessionFunctions{});
    EXPECT_EQ(SessionFunctionTable(10, 0, 0), SessionFunctions{});

    EXPECT_EQ(DecimalExponentTable(1, 3), 3);
    EXPECT_EQ(DecimalExponentTable(1, 4), 0); // empty cell
    EXPECT_EQ(DecimalExponentTable(5, 1), -1);
    EXPECT_EQ(DecimalExponentTable(7, 6), 6);
    EXPECT_EQ(DecimalExponentTable(10, 5), 7);
    EXPECT_EQ(DecimalExponentTable(11, 15), 1);
    EXPECT_EQ(DecimalExponentTable(12, 0), -2);
    EXPECT_EQ(DecimalExponentTable(22, 1), -3);
    EXPECT_EQ(DecimalExponentTable(23, 9), 3);
    EXPECT_EQ(DecimalExponentTable(24, 0), 0);
}

TEST(StoredReading, Volts) {
    auto t = ConvertReadingTexts(R(1234), 0x6, 2, DisplayRole::Main);
    EXPECT_EQ(t.valueText, "1.234");
    EXPECT_EQ(t.exponentText, "0");
    EXPECT_EQ(t.displayText, "1.234");
    EXPECT_EQ(t.unitText, "V [DC]");
    EXPECT_FLOAT_EQ(t.value, 1.234f);

    t = ConvertReadingTexts(R(1234), 0x1000005, 4, DisplayRole::Main); // e = -2
    EXPECT_EQ(t.displayText, "12.34");
    EXPECT_EQ(t.exponentText, "-2");
    EXPECT_EQ(t.prefixText, "m");
    EXPECT_EQ(t.unitText, "V [AC]");
    EXPECT_FLOAT_EQ(t.value, 0.01234f);

    t = ConvertReadingTexts(R(1234, 1, NEG), 0x6, 2, DisplayRole::Main); // e = 1
    EXPECT_EQ(t.valueText, "-1.234");
    EXPECT_EQ(t.displayText, "-12.34");
    EXPECT_FLOAT_EQ(t.value, -12.34f);

    t = ConvertReadingTexts(R(1234, 3), 0x6, 2, DisplayRole::Main); // e = 3
    EXPECT_EQ(t.displayText, "1234");
    t = ConvertReadingTexts(R(25, 3, NEG), 0x6, 2, DisplayRole::Main);
    EXPECT_EQ(t.displayText, "-0025");
    t = ConvertReadingTexts(R(12345, 0), 0x6, 2, DisplayRole::Main);
    EXPECT_EQ(t.valueText, "1.2345");
}

TEST(StoredReading, Overloads) {
    auto t = ConvertReadingTexts(R(0, 0, OL), 0x6, 2, DisplayRole::Main); // e = 0
    EXPECT_EQ(t.valueText, "OL");
    EXPECT_EQ(t.displayText, ".OL");
    EXPECT_FLOAT_EQ(t.value, 10.9989f);
    t = ConvertReadingTexts(R(0, 2, OL), 0x6, 2, DisplayRole::Main); // e = 2
    EXPECT_EQ(t.displayText, "OL.");
    EXPECT_FLOAT_EQ(t.value, 1099.89f);
    t = ConvertReadingTexts(R(0, 0, OL | NEG), 0x1000005, 4, DisplayRole::Main); // e = -2
    EXPECT_EQ(t.valueText, "-OL");
    EXPECT_EQ(t.displayText, "O.L");
    EXPECT_FLOAT_EQ(t.value, -0.066f);

    t = ConvertReadingTexts(R(0, 1, OL), 0x202, 14, DisplayRole::Main); // current, e = 1
    EXPECT_EQ(t.displayText, "O.L");
    EXPECT_FLOAT_EQ(t.value, 66.0f);
    t = ConvertReadingTexts(R(0, 1, OL), 0x80, 9, DisplayRole::Main); // resistance, e = 3
    EXPECT_EQ(t.displayText, "OL");
    EXPECT_FLOAT_EQ(t.value, 6600.0f);
    t = ConvertReadingTexts(R(0, 0, OL), 0x800, 8, DisplayRole::Main);
    EXPECT_FLOAT_EQ(t.value, 110.0f);
    t = ConvertReadingTexts(R(0, 0, OL), 0x4, 13, DisplayRole::Main); // not in the list
    EXPECT_FLOAT_EQ(t.value, 10998.9f);
}

TEST(StoredReading, Temperatures) {
    auto t = ConvertReadingTexts(R(25), 0x8020, 23, DisplayRole::Main);
    EXPECT_EQ(t.valueText, "0.025");
    EXPECT_EQ(t.displayText, "025");
    EXPECT_EQ(t.unitText, "C [T1]");
    EXPECT_FLOAT_EQ(t.value, 25.0f);

    t = ConvertReadingTexts(R(0, 0, OL), 0x8020, 23, DisplayRole::Main);
    EXPECT_EQ(t.valueText, "----");
    EXPECT_EQ(t.displayText, "----");
    EXPECT_FLOAT_EQ(t.value, -1375.0f);

    t = ConvertReadingTexts(R(40, 0, NEG), 0x4040, 23, DisplayRole::Sub);
    EXPECT_EQ(t.valueText, "-0.040");
    EXPECT_EQ(t.displayText, "-40");
    EXPECT_EQ(t.unitText, "F [T2]");
    EXPECT_FLOAT_EQ(t.value, -40.0f);
}

TEST(StoredReading, OtherFunctions) {
    auto t = ConvertReadingTexts(R(1234, 5), 0x8, 12, DisplayRole::Main); // capacitance e = 3
    EXPECT_EQ(t.displayText, "1234");
    EXPECT_EQ(t.prefixText, "u");                                    // whole microfarads: 1234 uF
    t = ConvertReadingTexts(R(1234, 6), 0x8, 12, DisplayRole::Main); // e = 4
    EXPECT_EQ(t.displayText, "12.34");
    EXPECT_EQ(t.prefixText, "m");
    t = ConvertReadingTexts(R(4700, 2), 0x8, 12, DisplayRole::Main); // e = 0
    EXPECT_EQ(t.displayText, "4.700");
    EXPECT_EQ(t.prefixText, "u");
    EXPECT_EQ(t.unitText, "F");

    t = ConvertReadingTexts(R(4700, 1), 0x80, 9, DisplayRole::Main); // e = 3: kilo-ohm
    EXPECT_EQ(t.displayText, "4.700");
    EXPECT_EQ(t.prefixText, "k");
    EXPECT_EQ(t.unitText, "W");
    EXPECT_FLOAT_EQ(t.value, 4700.0f);

    t = ConvertReadingTexts(R(5000, 1), 0x400, 7, DisplayRole::Sub); // e = 1
    EXPECT_EQ(t.displayText, "50.00");
    EXPECT_EQ(t.unitText, "Hz");
    t = ConvertReadingTexts(R(2345, 0), 0x1000, 11, DisplayRole::Main); // e = 1
    EXPECT_EQ(t.displayText, "23.45");
    EXPECT_EQ(t.prefixText, "n");

    t = ConvertReadingTexts(R(2400, 1), 0x202, 21, DisplayRole::Main); // e = -3: w = 3
    EXPECT_EQ(t.displayText, "2400");
    EXPECT_EQ(t.prefixText, "u");

    t = ConvertReadingTexts(R(77), 0, 0, DisplayRole::Main); // no function
    EXPECT_EQ(t.displayText, "0.077");
    EXPECT_EQ(t.unitText, "");
}

TEST(StoredReading, SampleOfACurrentSessionWithSubReading) {
    // A comma locale must not change any text.
    std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    const SessionFunctions f = SessionFunctionTable(8, 2, 0x80);
    const SampleEntry e = ConvertSample(R(1500, 1), f, true, R(320, 0), "0:00'1.000\"");
    std::setlocale(LC_NUMERIC, "C");
    EXPECT_EQ(e.hasSub, 1);
    EXPECT_EQ(e.main.functionCode, 0x203u);
    EXPECT_EQ(e.main.unitText.view(), "A [DC+AC]");
    EXPECT_EQ(e.main.displayText.view(), "150.0");
    EXPECT_EQ(e.main.prefixText.view(), "m");
    EXPECT_EQ(e.sub.functionCode, 0x201u);
    EXPECT_EQ(e.sub.unitText.view(), "A [AC]");
    EXPECT_EQ(e.sub.timeText.view(), "0:00'1.000\"");
    EXPECT_EQ(e.main.timeText.view(), "0:00'1.000\"");

    const SampleEntry dc =
        ConvertSample(R(1500, 1), SessionFunctionTable(8, 1, 0x80), true, R(1500, 1), "x");
    EXPECT_EQ(dc.main.unitText.view(), "A [DC]");
    EXPECT_EQ(dc.sub.unitText.view(), "A [AC]");
    const SampleEntry single = ConvertSample(R(1), SessionFunctionTable(2, 0, 0), false, R(9), "x");
    EXPECT_EQ(single.hasSub, 0);
    EXPECT_TRUE(single.sub.displayText.empty());
}

TEST(StoredReading, TextsAreCutToTheirFields) {
    // A five-digit negative overload-free count on an unknown function is eight
    // characters and more than the value field holds.
    const ReadingRecord r = ConvertReading(R(65535, 0, NEG), 0x8040, 23, "12345:59'59.950\"");
    EXPECT_EQ(r.valueText.view(), "-6.5535");
    EXPECT_EQ(r.timeText.view().size(), 15u);
    const ReadingRecord u = ConvertReading(R(0, 0, OL | NEG), 0xC040, 23, "t");
    EXPECT_EQ(u.unitText.view(), "F [T1-T2]");
}
