// The check of record images: what writers make passes (gaps, overloads, codes the
// decode assembles, logged codes, both time forms, anything after a terminator),
// and each kind of record no writer makes is found, alone and inside a block.
#include "model/recordcheck.h"
#include "model/decode.h"
#include "model/sampleconversion.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

using namespace telmora;

namespace {

using Image = std::array<std::uint8_t, kSampleSize>;

SampleEntry written() {
    SampleEntry e;
    e.main.valueText.assign("-1.234");
    e.main.exponentText.assign("3");
    e.main.functionCode = 0x80000006u; // volts DC, battery low
    e.main.timeText.assign(FormatSampleTime(14, 5, 9, 300));
    e.main.displayText.assign("-1.234");
    e.main.prefixText.assign("k");
    e.main.unitText.assign("V");
    e.main.value = -1234.0f;
    e.main.modeText.assign("DC");
    e.sub.timeText = e.main.timeText;
    return e;
}

Image imageOf(const SampleEntry& e) {
    Image image{};
    EncodeSample(e, image);
    return image;
}

RecordProblem check(const Image& image) {
    return CheckSampleImage(image);
}

} // namespace

TEST(RecordCheck, WhatWritersMakePasses) {
    std::vector<SampleEntry> samples(9, written());
    samples[1].main.timeText.assign(FormatSampleTime(0, 0, 0, 0)); // "  0:00:00.0"
    samples[2].main = {};                                          // a gap
    samples[2].main.timeText.assign(" 9:00:00.0");
    samples[2].main.value = std::numeric_limits<float>::quiet_NaN();
    samples[2].sub.value = samples[2].main.value;
    samples[3].main.displayText.assign(" 0.L ");
    samples[3].main.functionCode = 0x1C3;             // no function of the table, yet assembled
    samples[4].main.functionCode = 0x10800;           // a logged duty cycle
    samples[4].main.timeText.assign("1:02'03.500\""); // a session's time
    samples[5].hasSub = 1;                            // a sub reading
    samples[5].sub.functionCode = 0x400;
    samples[5].sub.displayText.assign("50.00");
    samples[5].sub.unitText.assign("Hz");
    samples[6].main.timeText.clear(); // made without a clock
    samples[6].sub.timeText.clear();
    samples[7].main.unitText.assign("1234567"); // texts that fill their fields
    samples[7].main.displayText.assign("123456789012345");
    for (const SampleEntry& e : samples)
        EXPECT_FALSE(check(imageOf(e))) << DescribeRecordProblem(check(imageOf(e)));
    // Bytes after a terminator carry no meaning.
    Image leftovers = imageOf(samples[0]);
    leftovers[1 + 56 + 2] = 0x01;
    leftovers[1 + 56 + 15] = 0xFF;
    EXPECT_FALSE(check(leftovers));
    // The older layouts: the first 76 bytes of a main record.
    const std::span<const std::uint8_t> main(leftovers.data() + 1, kRecordSize);
    EXPECT_FALSE(CheckRecordImage(RecordLayout::MainRecord, main));
    EXPECT_FALSE(CheckRecordImage(RecordLayout::SessionRecord, main.first(kSessionRecordSize)));
}

TEST(RecordCheck, EachRecordNoWriterMakesIsNamed) {
    const struct Case {
        void (*spoil)(Image&);
        RecordFault fault;
        RecordField field;
        bool inSub;
        const char* text;
    } cases[] = {
        {[](Image& i) { i[0] = 2; }, RecordFault::HasSubFlag, RecordField::HasSub, false,
         "its has-sub flag is neither 0 nor 1"},
        {[](Image& i) { std::memset(i.data() + 1 + 32, 'x', 16); }, RecordFault::TextUnterminated,
         RecordField::DisplayText, false,
         "the main reading's display text has no terminating zero byte"},
        {[](Image& i) { i[1 + 84 + 56] = '\t'; }, RecordFault::TextByte, RecordField::UnitText,
         true, "the sub reading's unit text holds a byte that is no printable text"},
        {[](Image& i) { i[1 + 48] = 0xB5; }, RecordFault::TextByte, RecordField::PrefixText, false,
         "the main reading's prefix text holds a byte that is no printable text"},
        {[](Image& i) { i[1 + 14] = 0x01; }, RecordFault::FunctionCode, RecordField::FunctionCode,
         false, "the main reading's function code is not one a meter reports"},
        {[](Image& i) { std::memcpy(i.data() + 1 + 84 + 16, " 9:61:00.0", 11); },
         RecordFault::TimeText, RecordField::TimeText, true,
         "the sub reading's time text is not a time"},
        {[](Image& i) { std::memcpy(i.data() + 1 + 16, "12:00,\"x\"", 10); }, RecordFault::TimeText,
         RecordField::TimeText, false, "the main reading's time text is not a time"},
        {[](Image& i) { std::memset(i.data(), 0, i.size()); }, RecordFault::NoReading,
         RecordField::DisplayText, false, "the main reading shows nothing, yet it is no gap"},
    };
    for (const Case& c : cases) {
        Image image = imageOf(written());
        c.spoil(image);
        const RecordProblem problem = check(image);
        EXPECT_EQ(problem.fault, c.fault) << c.text;
        EXPECT_EQ(problem.field, c.field) << c.text;
        EXPECT_EQ(problem.inSub, c.inSub) << c.text;
        EXPECT_EQ(DescribeRecordProblem(problem), c.text);
    }
    EXPECT_FALSE(IsRecordFunctionCode(0x7FFFFFFF));
    EXPECT_TRUE(IsRecordFunctionCode(DecodableCodeBits() | 0x80000000u));
    EXPECT_FALSE(IsRecordTimeText("14:05"));
    EXPECT_FALSE(IsRecordTimeText(" 14:05:09.3 "));
}

TEST(RecordCheck, ABlockIsSoundUpToItsFirstDamagedRecord) {
    // Blocks of every length around the lanes the check looks at together, the bad
    // record anywhere in them, and records with leftovers after their terminators.
    std::mt19937 random(7);
    for (const RecordLayout layout :
         {RecordLayout::Sample, RecordLayout::MainRecord, RecordLayout::SessionRecord}) {
        const std::size_t bytes = RecordLayoutBytes(layout);
        const std::size_t offset = layout == RecordLayout::Sample ? 0 : 1; // the main record
        const Image good = imageOf(written());
        for (const std::size_t count : {1u, 2u, 5u, 33u, 200u}) {
            std::vector<std::uint8_t> block(count * bytes);
            for (std::size_t k = 0; k < count; ++k)
                std::memcpy(block.data() + k * bytes, good.data() + offset, bytes);
            EXPECT_EQ(FirstUnsoundRecord(layout, block), count);
            block[(count - 1) * bytes + 32 + (offset == 0 ? 1 : 0) + 10] = 0x7F; // leftover
            block[(count - 1) * bytes + 32 + (offset == 0 ? 1 : 0) + 9] = 0;
            EXPECT_EQ(FirstUnsoundRecord(layout, block), count);
            const std::size_t bad = random() % count;
            block[bad * bytes + (offset == 0 ? 1 : 0) + 16] = 'T'; // the time text
            EXPECT_EQ(FirstUnsoundRecord(layout, block), bad) << count;
        }
        // Zeros, 0xFF and random bytes fail at their first record.
        for (const int fill : {0x00, 0xFF, -1}) {
            std::vector<std::uint8_t> block(100 * bytes, static_cast<std::uint8_t>(fill));
            if (fill < 0)
                for (std::uint8_t& b : block)
                    b = static_cast<std::uint8_t>(random());
            EXPECT_EQ(FirstUnsoundRecord(layout, block), 0u) << fill;
        }
    }
}
