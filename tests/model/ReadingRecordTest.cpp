#include "model/ReadingRecord.h"
#include "model/SampleLists.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>

using namespace telmora;

namespace {

ReadingRecord sampleRecord() {
    ReadingRecord r;
    r.valueText.assign("-1.234");
    r.exponentText.assign("-3");
    r.functionCode = 0x80000006u;
    r.timeText.assign(" 14:05:09.3");
    r.displayText.assign("-1.234");
    r.prefixText.assign("m");
    r.unitText.assign("V");
    r.value = -0.001234f;
    r.modeText.assign("DC");
    return r;
}

} // namespace

TEST(ReadingRecord, FileImageIsByteExact) {
    std::array<std::uint8_t, kRecordSize> bytes;
    bytes.fill(0xEE);
    EncodeRecord(sampleRecord(), bytes);

    std::array<std::uint8_t, kRecordSize> expected{};
    std::memcpy(&expected[0], "-1.234", 6);
    std::memcpy(&expected[8], "-3", 2);
    expected[12] = 0x06, expected[13] = 0x00, expected[14] = 0x00, expected[15] = 0x80;
    std::memcpy(&expected[16], " 14:05:09.3", 11);
    std::memcpy(&expected[32], "-1.234", 6);
    expected[48] = 'm';
    expected[56] = 'V';
    // -0.001234f = 0xBAA1BE2B, little-endian
    const float v = -0.001234f;
    std::uint32_t bits;
    std::memcpy(&bits, &v, 4);
    for (int i = 0; i < 4; ++i)
        expected[72 + i] = static_cast<std::uint8_t>(bits >> (8 * i));
    std::memcpy(&expected[76], "DC", 2);
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(bits, 0xBAA1BE2Bu);

    // The session form is the same without the mode text.
    std::array<std::uint8_t, kSessionRecordSize> shortBytes{};
    EncodeRecord(sampleRecord(), shortBytes);
    EXPECT_EQ(0, std::memcmp(shortBytes.data(), expected.data(), kSessionRecordSize));
    const ReadingRecord back = DecodeRecord(shortBytes);
    EXPECT_TRUE(back.modeText.empty());
    EXPECT_EQ(back.value, v);
}

TEST(ReadingRecord, DecodeIgnoresBytesAfterTerminatorAndKeepsFieldsTerminated) {
    std::array<std::uint8_t, kRecordSize> bytes{};
    EncodeRecord(sampleRecord(), bytes);
    bytes[56 + 2] = 'X';              // garbage after "V\0"
    std::memset(&bytes[32], 'A', 16); // display text without terminator
    const ReadingRecord r = DecodeRecord(bytes);
    EXPECT_EQ(r.unitText, "V");
    EXPECT_EQ(r.displayText.size(), 15u);
    EXPECT_EQ(r.functionCode, 0x80000006u);
    EXPECT_EQ(r.function(), 6u);

    std::array<std::uint8_t, kRecordSize> again{};
    EncodeRecord(r, again);
    EXPECT_EQ(again[58], 0); // written back as zeros
    EXPECT_EQ(again[47], 0);
}

TEST(ReadingRecord, SampleImageRoundTrips) {
    SampleEntry e;
    e.hasSub = 1;
    e.main = sampleRecord();
    e.sub.displayText.assign("60.00");
    e.sub.unitText.assign("Hz");
    e.sub.value = 60.0f;
    std::array<std::uint8_t, kSampleSize> bytes{};
    EncodeSample(e, bytes);
    EXPECT_EQ(bytes[0], 1);
    EXPECT_EQ(bytes[1 + 84 + 32], '6');
    const SampleEntry back = DecodeSample(bytes);
    std::array<std::uint8_t, kSampleSize> again{};
    EncodeSample(back, again);
    EXPECT_EQ(bytes, again);
}

TEST(SampleList, AppendsAcrossChunksKeepingOrderAndAddresses) {
    SampleList list;
    const std::size_t n = SampleList::kChunkSize * 2 + 5;
    const SampleEntry* first = nullptr;
    for (std::size_t i = 0; i < n; ++i) {
        SampleEntry e;
        e.main.value = static_cast<float>(i);
        EXPECT_EQ(list.append(e), i);
        if (i == 0)
            first = &list[0];
    }
    EXPECT_EQ(list.size(), n);
    EXPECT_EQ(&list[0], first); // growing never moves entries
    EXPECT_EQ(list[SampleList::kChunkSize].main.value, static_cast<float>(SampleList::kChunkSize));
    EXPECT_EQ(list.back().main.value, static_cast<float>(n - 1));
    list.clear();
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(SampleLists().size(), 1000u);
    EXPECT_EQ(&RecorderBuffer(), &SampleLists()[999]);
}

TEST(ReadingRecord, DecodedTextsEndAtTheirFirstZeroWhateverTheBytes) {
    // Texts of every length, with bytes above 127 and bytes after the terminator:
    // each field holds exactly the bytes before its first zero (at most N - 1).
    std::uint32_t seed = 12345;
    const auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return static_cast<std::uint8_t>(seed >> 24);
    };
    const auto expected = [](const std::uint8_t* field, std::size_t n) {
        std::size_t length = 0;
        while (length + 1 < n && field[length] != 0)
            ++length;
        return std::string(reinterpret_cast<const char*>(field), length);
    };
    for (int round = 0; round < 2000; ++round) {
        std::array<std::uint8_t, kRecordSize> bytes{};
        for (auto& b : bytes)
            b = next() | 0x01;
        // A zero at a random place in about half of the fields.
        for (const std::size_t at : {0, 8, 16, 32, 48, 56, 76})
            if (next() % 2 == 0)
                bytes[at + next() % 16 %
                               (at == 8                           ? 4
                                : at == 0 || at == 48 || at == 76 ? 8
                                                                  : 16)] = 0;
        const ReadingRecord r = DecodeRecord(bytes);
        ASSERT_EQ(r.valueText.view(), expected(&bytes[0], 8)) << round;
        ASSERT_EQ(r.exponentText.view(), expected(&bytes[8], 4)) << round;
        ASSERT_EQ(r.timeText.view(), expected(&bytes[16], 16)) << round;
        ASSERT_EQ(r.displayText.view(), expected(&bytes[32], 16)) << round;
        ASSERT_EQ(r.prefixText.view(), expected(&bytes[48], 8)) << round;
        ASSERT_EQ(r.unitText.view(), expected(&bytes[56], 16)) << round;
        ASSERT_EQ(r.modeText.view(), expected(&bytes[76], 8)) << round;
        ASSERT_EQ(r.displayText.data[15], '\0');
        ASSERT_EQ(r.unitText.data[r.unitText.size()], '\0');
    }
}

TEST(ReadingRecord, SamplesReadForTheirViewsShowWhatTheDecodedSamplesShow) {
    // Random images (full fields, zeros anywhere, bytes above 127, any has-sub byte):
    // every text view, the function code and the value's bits are the decoded ones.
    std::uint32_t seed = 777;
    const auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return static_cast<std::uint8_t>(seed >> 24);
    };
    const auto sameViews = [](const ReadingRecord& a, const ReadingRecord& b) {
        std::uint32_t aBits = 0, bBits = 0;
        std::memcpy(&aBits, &a.value, 4);
        std::memcpy(&bBits, &b.value, 4);
        return a.valueText.view() == b.valueText.view() &&
               a.exponentText.view() == b.exponentText.view() && a.functionCode == b.functionCode &&
               a.timeText.view() == b.timeText.view() &&
               a.displayText.view() == b.displayText.view() &&
               a.prefixText.view() == b.prefixText.view() &&
               a.unitText.view() == b.unitText.view() && aBits == bBits &&
               a.modeText.view() == b.modeText.view() && a.modeText.size() < 8 &&
               a.unitText.size() < 16;
    };
    SampleEntry read; // reused, as an export reuses it: nothing of the last one may stay
    for (int round = 0; round < 4000; ++round) {
        std::array<std::uint8_t, kSampleSize> image{};
        for (auto& b : image)
            b = next() % 4 == 0 ? 0 : next();
        DecodeSampleForViews(image, read);
        const SampleEntry decoded = DecodeSample(image);
        ASSERT_EQ(read.hasSub, decoded.hasSub) << round;
        ASSERT_TRUE(sameViews(read.main, decoded.main)) << round;
        ASSERT_TRUE(sameViews(read.sub, decoded.sub)) << round;
        // The word-wise view of the export is the byte-wise one.
        ASSERT_EQ(StoredTextView(read.main.displayText), read.main.displayText.view());
        ASSERT_EQ(StoredTextView(read.sub.valueText), read.sub.valueText.view());
        ASSERT_EQ(StoredTextView(read.main.modeText), read.main.modeText.view());
    }
    // A field without any zero byte (only made in memory) reads whole either way.
    FixedText<16> full;
    std::memset(full.data, 'A', sizeof full.data);
    EXPECT_EQ(StoredTextView(full).size(), 16u);
    EXPECT_EQ(StoredTextView(full), full.view());
}
