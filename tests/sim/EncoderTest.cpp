#include "model/decode.h"
#include "sim/DisplayEncoder.h"

#include <gtest/gtest.h>

#include <string>

using namespace telmora;

namespace {

LiveReading Decode(const DesiredReading& desired) {
    LiveReading r;
    DecodeReply(EncodeDisplay(desired), r);
    return r;
}

const std::uint32_t kNamedCodes[] = {0x4,    0x5,    0x6,    0x7,    0x1000005, 0x1000006, 0x8,
                                     0x80,   0x180,  0x201,  0x202,  0x203,     0x400,     0x800,
                                     0x1000, 0x2000, 0x2080, 0x4000, 0x4020,    0x4040,    0x8000,
                                     0x8020, 0x8040, 0xC000, 0xC020, 0xC040};

} // namespace

TEST(DisplayEncoder, ReplyLayout) {
    DesiredReading d;
    d.main.digits = {'8', '8', '8', '8'};
    d.main.pointCode = PointCode::AfterDigit1 | PointCode::AfterDigit2 | PointCode::AfterDigit3;
    d.main.code = 0xFFFFFFFFu;
    d.main.prefixExponent = 3;
    const auto reply = EncodeDisplay(d);
    EXPECT_EQ(reply[0], 0);
    EXPECT_EQ(reply[9], 0);
    EXPECT_EQ(reply[18], 0);
    EXPECT_EQ(reply[DataByteOffset(0)], 0);
    EXPECT_EQ(reply[DataByteOffset(19)], 0);
    EXPECT_EQ(reply[DataByteOffset(23)], 0);
}

TEST(DisplayEncoder, RoundTripOverEveryNamedCode) {
    const int exponents[] = {0, 3, 6, -3, -6, -9};
    int i = 0;
    for (std::uint32_t mainCode : kNamedCodes) {
        for (std::uint32_t subCode : {0u, 0x5u, 0x400u, 0x201u, 0x4020u, 0xC040u, 0x6u}) {
            for (bool lowBattery : {false, true}) {
                const int n = i++;
                const std::string mainText = n % 2 ? "-1.234" : " 0.L ";
                DesiredReading d;
                ASSERT_TRUE(SetDisplayText(mainText, d.main));
                ASSERT_TRUE(SetDisplayText(n % 3 ? "50.00" : "-25", d.sub));
                d.main.code = mainCode;
                d.sub.code = subCode;
                d.main.prefixExponent = exponents[n % 6];
                d.sub.prefixExponent = exponents[(n + 1) % 6];
                d.lowBattery = lowBattery;
                const LiveReading r = Decode(d);
                SCOPED_TRACE(testing::Message() << std::hex << mainCode << "/" << subCode);
                EXPECT_EQ(r.mainFunction, mainCode);
                EXPECT_EQ(r.mainCode, mainCode | (lowBattery ? kLowBatteryBit : 0u));
                EXPECT_EQ(r.subFunction, subCode);
                EXPECT_EQ(r.lowBattery, lowBattery ? 1 : 0);
                EXPECT_EQ(r.mainPrefixExponent, std::to_string(d.main.prefixExponent));
                EXPECT_EQ(r.subPrefixExponent, std::to_string(d.sub.prefixExponent));
                EXPECT_EQ(r.mainNegative, d.main.negative ? 1 : 0);
                EXPECT_EQ(r.subNegative, d.sub.negative ? 1 : 0);
                EXPECT_EQ(r.mainUnitLabel, UnitLabel(mainCode));
                EXPECT_EQ(r.mainModeLabel, MainModeLabel(mainCode));
                EXPECT_NE(r.mainUnitLabel, "?");
                EXPECT_EQ(r.subDisplayLine.part2, UnitLabel(subCode));
                // A degree code shows its letter as the fourth digit.
                std::string expectMain = mainText;
                if (mainCode & 0x60) {
                    expectMain.back() = (mainCode & 0x20) ? 'C' : 'F';
                }
                EXPECT_EQ(r.mainText, expectMain);
                EXPECT_EQ(r.mainDisplayLine.text, expectMain);
            }
        }
    }
}

TEST(DisplayEncoder, DisplayTexts) {
    DesiredDisplay disp;
    ASSERT_TRUE(SetDisplayText(" 1.23", disp));
    EXPECT_EQ(disp.pointCode, PointCode::AfterDigit2);
    ASSERT_TRUE(SetDisplayText("25C", disp));
    EXPECT_EQ(std::string(disp.digits.data(), 4), " 25C");
    EXPECT_EQ(disp.pointCode, PointCode::None);
    ASSERT_TRUE(SetDisplayText("----", disp));
    EXPECT_FALSE(disp.negative);
    ASSERT_TRUE(SetDisplayText("-.123", disp) == false);
    EXPECT_FALSE(SetDisplayText("12345", disp));
    EXPECT_FALSE(SetDisplayText("1.2.3", disp));
    EXPECT_FALSE(SetDisplayText("123.", disp)) << "there is no point after the fourth digit";

    // Every text the meter can show comes back from the decode.
    for (const char* text :
         {" 1.23", " 0.L ", "----", "    ", "-9.876", "0.000", "Err ", "H.AdE", "1.5", "-1.5"}) {
        DesiredReading d;
        ASSERT_TRUE(SetDisplayText(text, d.main)) << text;
        ASSERT_TRUE(SetDisplayText(text, d.sub)) << text;
        d.sub.code = FunctionCodeOf(MeterFunction::Frequency);
        const LiveReading r = Decode(d);
        const std::string t = text;
        const std::string expected = t == "1.5" ? "  1.5" : t == "-1.5" ? "-  1.5" : t;
        EXPECT_EQ(r.mainText, expected);
        EXPECT_EQ(r.subText, expected);
        EXPECT_EQ(r.subDisplayLine.text, expected);
    }
}

TEST(DisplayEncoder, UnknownCharacterDecodesAsQuestionMark) {
    DesiredReading d;
    d.main.digits = {'X', '?', '1', 'w'};
    EXPECT_EQ(Decode(d).mainText, "??1?");
}
