#include "model/decode.h"
#include "sim/DisplayEncoder.h"

#include <gtest/gtest.h>

#include <string>

using namespace telmora;

namespace {

DecodedReply Decode(const DesiredReading& desired) {
    DecodedReply r;
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
                const DecodedReply r = Decode(d);
                SCOPED_TRACE(testing::Message() << std::hex << mainCode << "/" << subCode);
                EXPECT_EQ(r.main.functionCode(), mainCode);
                EXPECT_EQ(r.main.code, mainCode | (lowBattery ? kLowBatteryBit : 0u));
                EXPECT_EQ(r.sub.functionCode(), subCode);
                EXPECT_EQ(r.lowBattery, lowBattery ? 1 : 0);
                EXPECT_EQ(r.main.prefixExponent, d.main.prefixExponent);
                EXPECT_EQ(r.sub.prefixExponent, d.sub.prefixExponent);
                EXPECT_EQ(r.main.negative, d.main.negative ? 1 : 0);
                EXPECT_EQ(r.sub.negative, d.sub.negative ? 1 : 0);
                EXPECT_EQ(r.main.unitLabel, UnitLabel(mainCode));
                EXPECT_EQ(r.main.modeLabel, MainModeLabel(mainCode));
                EXPECT_NE(r.main.unitLabel, "?");
                EXPECT_EQ(r.sub.line.part2, UnitLabel(subCode));
                // A degree code shows its letter as the fourth digit.
                std::string expectMain = mainText;
                if (mainCode & 0x60) {
                    expectMain.back() = (mainCode & 0x20) ? 'C' : 'F';
                }
                EXPECT_EQ(r.main.text, expectMain);
                EXPECT_EQ(r.main.line.text, expectMain);
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
        const DecodedReply r = Decode(d);
        const std::string t = text;
        const std::string expected = t == "1.5" ? "  1.5" : t == "-1.5" ? "-  1.5" : t;
        EXPECT_EQ(r.main.text, expected);
        EXPECT_EQ(r.sub.text, expected);
        EXPECT_EQ(r.sub.line.text, expected);
    }
}

TEST(DisplayEncoder, UnknownCharacterDecodesAsQuestionMark) {
    DesiredReading d;
    d.main.digits = {'X', '?', '1', 'w'};
    EXPECT_EQ(Decode(d).main.text, "??1?");
}
