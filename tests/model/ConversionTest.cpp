#include "model/DecodedReply.h"
#include "model/sampleconversion.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

using namespace telmora;

namespace {

std::optional<ConvertedValue> mainValue(std::string_view t, std::uint32_t code, std::string_view e,
                                        bool negative = false) {
    return ConvertDisplayValue(
        MeasureDisplay(t, negative, code, std::stoi(std::string(e)), DisplayKind::Main));
}
std::optional<ConvertedValue> subValue(std::string_view t, std::uint32_t code, std::string_view e,
                                       bool negative = false) {
    return ConvertDisplayValue(
        MeasureDisplay(t, negative, code, std::stoi(std::string(e)), DisplayKind::Sub));
}

} // namespace

TEST(ValueConversion, PlainReadingsWithPrefixAndSign) {
    auto v = mainValue(" 1.234", 0x6, "-3");
    ASSERT_TRUE(v);
    EXPECT_EQ(v->text, "1.234");
    EXPECT_FLOAT_EQ(v->value, 0.001234f);

    v = mainValue("- 1.23", 0x6, "0", true); // decode puts "-" before the blank digit
    ASSERT_TRUE(v);
    EXPECT_EQ(v->text, "-1.23");
    EXPECT_FLOAT_EQ(v->value, -1.23f);

    // Low-battery bit is ignored; capacitance to micro, conductance to nano units.
    v = mainValue("4.70", 0x80000008u, "-9");
    ASSERT_TRUE(v);
    EXPECT_FLOAT_EQ(v->value, 4.7e-3f);
    v = mainValue("12.5", 0x1000, "-9");
    ASSERT_TRUE(v);
    EXPECT_FLOAT_EQ(v->value, 12.5f);

    // Decibel takes no exponent, even with the m annunciator.
    v = mainValue("-12.3", 0x2000, "-3", true);
    ASSERT_TRUE(v);
    EXPECT_FLOAT_EQ(v->value, -12.3f);
}

TEST(ValueConversion, OverloadSubstitutes) {
    // One digit, point, L in volts DC: D = 0.
    auto v = mainValue("1.L  ", 0x6, "0");
    ASSERT_TRUE(v);
    EXPECT_EQ(v->text, "1.L");
    EXPECT_FLOAT_EQ(v->value, 10.9989f);
    v = mainValue("1.L  ", 0x6, "3");
    ASSERT_TRUE(v);
    EXPECT_FLOAT_EQ(v->value, 10998.9f);

    // "OL" without a point in volts: D = 1.
    v = mainValue("OL", 0x4, "3");
    ASSERT_TRUE(v);
    EXPECT_FLOAT_EQ(v->value, 66000.0f);

    // Negative overload, capacitance, duty cycle, decibel.
    v = mainValue("-0.L", 0x201, "0", true);
    ASSERT_TRUE(v);
    EXPECT_FLOAT_EQ(v->value, -6.6f);
    v = mainValue("0.L", 0x8, "-6");
    ASSERT_TRUE(v);
    EXPECT_FLOAT_EQ(v->value, 6.6f);
    EXPECT_FLOAT_EQ(mainValue("OL", 0x800, "0")->value, 110.0f);
    EXPECT_FLOAT_EQ(mainValue("OL", 0x2000, "0")->value, 1100.0f);

    // A function without a substitute is not taken; the sub table is different.
    EXPECT_FALSE(mainValue("0.L", 0x0, "0"));
    EXPECT_FALSE(mainValue("0.L", 0x200000, "0"));
    v = subValue("0.L", 0x200000, "3");
    ASSERT_TRUE(v);
    EXPECT_FLOAT_EQ(v->value, 10998.9f);
    EXPECT_FALSE(subValue("0.L", 0x6, "0"));
}

TEST(ValueConversion, TemperaturesAndDashes) {
    auto v = mainValue("25.3C", 0x8020, "0");
    ASSERT_TRUE(v);
    EXPECT_EQ(v->text, "25.3");
    EXPECT_FLOAT_EQ(v->value, 25.3f);

    EXPECT_FLOAT_EQ(mainValue("---C", 0x8020, "0")->value, 1375.0f);
    EXPECT_FLOAT_EQ(mainValue("----", 0x4040, "0")->value, -2510.0f);
    EXPECT_FALSE(mainValue("---", 0x6, "0"));
    // Sub display: temperatures carry the degree letter (the meter shows T2 there,
    // a T1 reading is read the same way); open inputs of other codes give 0.
    EXPECT_FLOAT_EQ(subValue("---", 0x4020, "0")->value, 1375.0f);
    EXPECT_FLOAT_EQ(subValue("---", 0x400, "0")->value, 0.0f);
    EXPECT_FLOAT_EQ(subValue("----", 0x4040, "0")->value, -2510.0f);
    EXPECT_FLOAT_EQ(subValue("25.3C", 0x8020, "0")->value, 25.3f);
    EXPECT_FLOAT_EQ(subValue("---", 0xC020, "0")->value, 1375.0f);
}

TEST(ValueConversion, UnconvertibleDisplays) {
    EXPECT_FALSE(mainValue("  . ", 0x6, "0")); // only the point lit
    EXPECT_FALSE(mainValue("    ", 0x6, "0"));
    EXPECT_FALSE(mainValue("inF", 0x6, "0")); // letters never pass as inf/nan
    EXPECT_FALSE(mainValue("1?34", 0x6, "0"));
    EXPECT_FLOAT_EQ(subValue("Ab", 0x400, "0")->value, 0.0f); // sub falls back to 0

    EXPECT_EQ(ParseDisplayNumber(".5"), 0.5);
    EXPECT_EQ(ParseDisplayNumber("1.E3"), 1000.0);
    EXPECT_FALSE(ParseDisplayNumber("-"));
    EXPECT_FALSE(ParseDisplayNumber("1E"));
    EXPECT_FALSE(ParseDisplayNumber("+1"));
    EXPECT_FALSE(ParseDisplayNumber("1,5"));
}

TEST(ValueConversion, IndependentOfTheCLocale) {
    const char* old = std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    auto v = mainValue("1.5", 0x6, "0");
    if (old)
        std::setlocale(LC_NUMERIC, "C");
    ASSERT_TRUE(v);
    EXPECT_FLOAT_EQ(v->value, 1.5f);
}

TEST(BuildSample, FillsBothRecordsFromTheReading) {
    DecodedReply r;
    r.main = MeasureDisplay(" 1.234", false, 0x80000006u, -3, DisplayKind::Main);
    r.sub = MeasureDisplay("    ", false, 0, 0, DisplayKind::Sub);
    const std::string time = FormatSampleTime(9, 5, 7, 380);
    EXPECT_EQ(time, "  9:05:07.3");

    auto e = BuildSample(r, time);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->hasSub, 0);
    EXPECT_EQ(e->main.valueText, "1.234");
    EXPECT_EQ(e->main.functionCode, 0x80000006u); // stored as published
    EXPECT_EQ(e->main.prefixText, "m");
    EXPECT_EQ(e->main.modeText, "DC");
    EXPECT_EQ(e->sub.timeText, time);
    EXPECT_EQ(e->sub.value, 0.0f);

    r.sub = MeasureDisplay("60.00", false, 0x400, 0, DisplayKind::Sub);
    e = BuildSample(r, time);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->hasSub, 1);
    EXPECT_FLOAT_EQ(e->sub.value, 60.0f);
    EXPECT_EQ(e->sub.unitText, "Hz");

    // No sub substitute: the whole sample is not taken.
    r.sub = MeasureDisplay("0.L", false, 0x6, 0, DisplayKind::Sub);
    EXPECT_FALSE(BuildSample(r, time));
}
