#include "model/decode.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

using namespace telmora;

namespace {

// Data bytes built bit by bit, independently of the display encoder.
struct Frame {
    std::array<std::uint8_t, kDataBytes> d{};

    // Segment bytes of the characters used below.
    static std::uint8_t Seg(char c) {
        switch (c) {
        case ' ':
            return 0x00;
        case '0':
            return 0xAF;
        case '1':
            return 0xA0;
        case '2':
            return 0xCB;
        case '3':
            return 0xE9;
        case '5':
            return 0x6D;
        case 'L':
            return 0x07;
        case 'C':
            return 0x0F;
        case 'F':
            return 0x4E;
        case '-':
            return 0x40;
        default:
            return 0x01; // not in the table
        }
    }
    Frame& main(const char* four) {
        for (int i = 0; i < 4; ++i) {
            d[3 + i] = (d[3 + i] & 0x10) | Seg(four[i]);
        }
        return *this;
    }
    Frame& sub(const char* four) {
        for (int i = 0; i < 4; ++i) {
            d[8 + i] = (d[8 + i] & 0x10) | Seg(four[i]);
        }
        return *this;
    }
    Frame& set(int k, int bit) {
        d[k] |= static_cast<std::uint8_t>(1u << bit);
        return *this;
    }
    DecodedReply decode() const {
        DecodedReply r;
        DecodeForDisplay(d, r);
        return r;
    }
};

} // namespace

TEST(SegmentToChar, TableAndUnknownPatterns) {
    const std::pair<std::uint8_t, char> table[] = {
        {0x00, ' '}, {0x07, 'L'}, {0x0F, 'C'}, {0x20, 'i'}, {0x23, 'u'}, {0x40, '-'},
        {0x42, 'r'}, {0x47, 't'}, {0x4E, 'F'}, {0x4F, 'E'}, {0x62, 'n'}, {0x63, 'o'},
        {0x67, 'b'}, {0x6D, '5'}, {0x6F, '6'}, {0xA0, '1'}, {0xA7, 'U'}, {0xA8, '7'},
        {0xAF, '0'}, {0xCB, '2'}, {0xCE, 'P'}, {0xE3, 'd'}, {0xE4, '4'}, {0xE5, 'y'},
        {0xE6, 'H'}, {0xE9, '3'}, {0xEC, 'g'}, {0xED, '9'}, {0xEE, 'A'}, {0xEF, '8'}};
    for (const auto& [byte, c] : table) {
        EXPECT_EQ(SegmentToChar(byte), c) << std::hex << int(byte);
    }
    int known = 0;
    for (int b = 0; b < 256; ++b) {
        if (SegmentToChar(static_cast<std::uint8_t>(b)) != '?') {
            ++known;
        }
    }
    EXPECT_EQ(known, 30) << "only the table patterns give a character";
}

TEST(DecodeForDisplay, DataByteLayoutSkipsReportNumbers) {
    std::array<std::uint8_t, kReplySize> reply{};
    for (std::size_t i = 0; i < reply.size(); ++i) {
        reply[i] = static_cast<std::uint8_t>(i);
    }
    const auto data = ExtractDataBytes(reply);
    EXPECT_EQ(data[0], 1);
    EXPECT_EQ(data[7], 8);
    EXPECT_EQ(data[8], 10);
    EXPECT_EQ(data[16], 19);
    EXPECT_EQ(data[23], 26);

    DecodedReply r;
    DecodeReply(reply, r);
    EXPECT_EQ(r.replyCopy, reply);
    EXPECT_EQ(r.frameData[0], data[1]);
    EXPECT_EQ(r.frameData[19], data[20]);
}

TEST(DecodeForDisplay, PointPositionsAndBlanks) {
    Frame f;
    f.main(" 123").set(4, 4); // point after digit 2
    EXPECT_EQ(f.decode().main.text, " 1.23");

    Frame overload;
    overload.main(" 0L ").set(4, 4);
    EXPECT_EQ(overload.decode().main.text, " 0.L ");

    Frame p1;
    p1.main("1234").set(5, 4);
    EXPECT_EQ(p1.decode().main.text, "123.?") << "'4' is not in this test's table";

    Frame two;
    two.main("1235").set(3, 4).set(4, 4); // P = 6
    EXPECT_EQ(two.decode().main.text, "1235");
    Frame all;
    all.main("1235").set(3, 4).set(4, 4).set(5, 4); // P = 7
    EXPECT_EQ(all.decode().main.text, "1235");

    EXPECT_EQ(Frame{}.main("----").decode().main.text, "----");
    EXPECT_EQ(Frame{}.decode().main.text, "    ");

    Frame pointOnly; // a digit byte 0x10 is a blank with its point
    pointOnly.d[3] = 0x10;
    pointOnly.d[4] = 0xA0;
    pointOnly.d[5] = 0xCB;
    pointOnly.d[6] = 0xE9;
    EXPECT_EQ(pointOnly.decode().main.text, " .123");

    Frame neg;
    neg.main(" 123").set(4, 4).set(2, 7).sub("0012").set(9, 4).set(7, 5);
    const DecodedReply r = neg.decode();
    EXPECT_EQ(r.main.text, "- 1.23") << "nothing is trimmed";
    EXPECT_EQ(r.main.negative, 1);
    EXPECT_EQ(r.sub.text, "-00.12");
    EXPECT_EQ(r.sub.negative, 1);
}

TEST(DecodeForDisplay, TemperatureDegreeLetterSetsCodeBits) {
    Frame f;
    f.main(" 25C").set(2, 0); // bit 15: T1
    DecodedReply r = f.decode();
    EXPECT_EQ(r.main.code, 0x8020u);
    EXPECT_EQ(r.main.modeLabel, "T1");
    EXPECT_EQ(r.main.unitLabel, "");
    EXPECT_EQ(r.main.text, " 25C");

    Frame g;
    g.main(" 77F").set(2, 0).set(2, 3).sub(" 25F").set(7, 1); // T1-T2 main, T2 sub
    r = g.decode();
    EXPECT_EQ(r.main.functionCode(), 0xC040u);
    EXPECT_EQ(r.main.modeLabel, "T1-T2");
    EXPECT_EQ(r.sub.functionCode(), 0x4040u);
    EXPECT_EQ(r.sub.modeLabel, "T2");
    EXPECT_EQ(r.sub.unitLabel, "");
}

TEST(DecodeForDisplay, PrefixExponents) {
    struct Case {
        int k, bit;
        const char* exponent;
        const char* label;
    };
    const Case mainCases[] = {{13, 7, "3", "k"},
                              {13, 6, "6", "M"},
                              {14, 7, "-6", "u"},
                              {14, 6, "-3", "m"},
                              {14, 3, "-9", "n"}};
    for (const Case& c : mainCases) {
        const DecodedReply r = Frame{}.set(c.k, c.bit).decode();
        EXPECT_EQ(ExponentText(r.main.prefixExponent), c.exponent) << c.label;
        EXPECT_EQ(r.main.prefixLabel, c.label);
        EXPECT_EQ(ExponentText(r.sub.prefixExponent), "0");
    }
    const Case subCases[] = {{13, 2, "3", "k"},
                             {13, 3, "6", "M"},
                             {12, 6, "-6", "u"},
                             {12, 7, "-3", "m"},
                             {12, 2, "-9", "n"}};
    for (const Case& c : subCases) {
        const DecodedReply r = Frame{}.set(c.k, c.bit).decode();
        EXPECT_EQ(ExponentText(r.sub.prefixExponent), c.exponent) << c.label;
        EXPECT_EQ(r.sub.prefixLabel, c.label);
        EXPECT_EQ(ExponentText(r.main.prefixExponent), "0");
    }
    const DecodedReply both = Frame{}.set(13, 7).set(13, 6).set(13, 2).set(12, 7).decode();
    EXPECT_EQ(ExponentText(both.main.prefixExponent), "0") << "k and M lit together";
    EXPECT_EQ(both.main.prefixLabel, "");
    EXPECT_EQ(ExponentText(both.sub.prefixExponent), "0");
    EXPECT_EQ(both.sub.prefixLabel, "");
}

TEST(DecodeForDisplay, LowBatteryAndVariantBit) {
    Frame f;
    f.set(1, 4).set(14, 5).set(7, 3); // volt AC + low battery
    DecodedReply r = f.decode();
    EXPECT_EQ(r.main.code, 0x80000005u);
    EXPECT_EQ(r.main.functionCode(), 0x5u);
    EXPECT_EQ(r.main.modeLabel, "AC");
    EXPECT_EQ(r.main.unitLabel, "V");
    EXPECT_EQ(r.lowBattery, 1);

    f.set(15, 3);
    r = f.decode();
    EXPECT_EQ(r.main.code, 0x81000005u) << "bit 24 as without low battery";
    EXPECT_EQ(r.main.functionCode(), 0x1000005u);
    EXPECT_EQ(r.main.modeLabel, "AC");

    // D15 bit 3 only marks volts AC and DC.
    r = Frame{}.set(1, 4).set(1, 5).set(14, 5).set(15, 3).decode();
    EXPECT_EQ(r.main.code, 0x7u);
    EXPECT_EQ(r.main.modeLabel, "DC+AC");
    r = Frame{}.set(14, 5).set(1, 5).set(15, 3).decode();
    EXPECT_EQ(r.main.code, 0x1000006u);
    EXPECT_EQ(r.main.modeLabel, "DC");
    EXPECT_EQ(r.lowBattery, 0);
}

TEST(DecodeForDisplay, DecibelLineParts) {
    Frame decibel;
    decibel.main(" 123").set(6, 4).set(14, 6); // bit 13 + m
    DecodedReply r = decibel.decode();
    EXPECT_EQ(r.main.functionCode(), 0x2000u);
    EXPECT_EQ(r.main.text, " 123") << "bit 4 of the fourth digit is a function bit, not a point";
    EXPECT_EQ(r.main.line.part1, "dB");
    EXPECT_EQ(r.main.line.part2, "m");

    Frame ohm;
    ohm.set(6, 4).set(13, 5).set(13, 7); // 0x2080 with k
    r = ohm.decode();
    EXPECT_EQ(r.main.functionCode(), 0x2080u);
    EXPECT_EQ(r.main.line.part1, "");
    EXPECT_EQ(r.main.line.part2, "W");

    Frame res;
    res.main(" 123").set(13, 5).set(7, 0).set(13, 7); // 0x180 kilo-ohm
    r = res.decode();
    EXPECT_EQ(r.main.functionCode(), 0x180u);
    EXPECT_EQ(r.main.line.text, " 123");
    EXPECT_EQ(r.main.line.part1, "k");
    EXPECT_EQ(r.main.line.part2, "W");
}

TEST(DecodeForDisplay, SubLineFollowsTheSubFunction) {
    Frame off;
    off.sub(" 123").set(9, 4).set(13, 2);
    DecodedReply r = off.decode();
    EXPECT_EQ(r.sub.text, " 1.23") << "the sub text itself is still decoded";
    EXPECT_EQ(r.sub.line.text, "");
    EXPECT_EQ(r.sub.line.part1, "");
    EXPECT_EQ(r.sub.line.part2, "");
    EXPECT_EQ(r.sub.modeLabel, "");

    Frame on;
    on.sub(" 123").set(9, 4).set(13, 2).set(13, 0); // frequency, kilo
    r = on.decode();
    EXPECT_EQ(r.sub.functionCode(), 0x400u);
    EXPECT_EQ(r.sub.line.text, " 1.23");
    EXPECT_EQ(r.sub.line.part1, "k");
    EXPECT_EQ(r.sub.line.part2, "Hz");

    Frame dcSub; // sub volt DC: no DC label on the sub display
    dcSub.set(7, 7).set(12, 4);
    r = dcSub.decode();
    EXPECT_EQ(r.sub.functionCode(), 0x6u);
    EXPECT_EQ(r.sub.modeLabel, "");
    EXPECT_EQ(r.sub.unitLabel, "V");
    dcSub.d[7] = 0x40; // sub volt AC
    r = dcSub.decode();
    EXPECT_EQ(r.sub.modeLabel, "AC");
}

TEST(DecodeForDisplay, UnknownCodeGetsQuestionMark) {
    const DecodedReply r = Frame{}.set(14, 2).set(14, 1).decode(); // 0x1800
    EXPECT_EQ(r.main.functionCode(), 0x1800u);
    EXPECT_EQ(r.main.unitLabel, "?");
    EXPECT_EQ(r.main.modeLabel, "");
    EXPECT_EQ(UnitLabel(0), "");
    EXPECT_EQ(UnitLabel(0x20), "?") << "a degree letter without an input is no temperature code";
    EXPECT_EQ(UnitLabel(0x80002080u), "W");
}

TEST(DecodeForDisplay, OverwritesEveryFieldOfThePreviousReading) {
    Frame busy;
    busy.main("1235").set(4, 4).set(2, 7).set(7, 3).set(13, 7).set(14, 5).set(1, 4);
    busy.sub(" 123").set(13, 0).set(13, 2).set(7, 5);
    DecodedReply r = busy.decode();
    DecodeForDisplay(Frame{}.d, r);
    const DecodedReply fresh = Frame{}.decode();
    EXPECT_EQ(r.frameData, fresh.frameData);
    EXPECT_EQ(r.main.negative, 0);
    EXPECT_EQ(r.sub.negative, 0);
    EXPECT_EQ(r.lowBattery, 0);
    EXPECT_EQ(r.main.code, 0u);
    EXPECT_EQ(r.sub.code, 0u);
    EXPECT_EQ(r.main.text, fresh.main.text);
    EXPECT_EQ(r.sub.text, fresh.sub.text);
    EXPECT_EQ(ExponentText(r.main.prefixExponent), "0");
    EXPECT_EQ(ExponentText(r.sub.prefixExponent), "0");
    EXPECT_EQ(r.main.prefixLabel, "");
    EXPECT_EQ(r.sub.prefixLabel, "");
    EXPECT_EQ(r.main.unitLabel, "");
    EXPECT_EQ(r.main.modeLabel, "");
    EXPECT_EQ(r.main.line.part1, "");
    EXPECT_EQ(r.main.line.part2, "");
    EXPECT_EQ(r.sub.line.text, "");
    EXPECT_EQ(r.sub.line.part1, "");
    EXPECT_EQ(r.sub.line.part2, "");
}
