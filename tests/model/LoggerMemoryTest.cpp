#include "model/LoggerMemory.h"
#include "sim/DemoLoggerMemory.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

using namespace telmora;

namespace {

std::vector<PackedReading> Counts(int n, std::uint16_t first = 1000) {
    std::vector<PackedReading> v;
    for (int i = 0; i < n; ++i) {
        v.push_back(PackStoredReading({0, 1, static_cast<std::uint16_t>(first + i)}));
    }
    return v;
}

LoggerSession Session(std::uint8_t type, std::uint8_t flags, int samples) {
    LoggerSession s;
    s.type = type;
    s.flags = flags;
    s.main = Counts(samples);
    if ((flags & 0x80) != 0) {
        s.sub = Counts(samples, 5000);
    }
    return s;
}

void SetLength(std::vector<std::uint8_t>& image, std::uint32_t length) {
    image[1] = length & 0xFF;
    image[2] = (length >> 8) & 0xFF;
    image[3] = (length >> 16) & 0xFF;
}

// Sets the data length B of the session block at `offset`.
void SetDataLength(std::vector<std::uint8_t>& image, std::size_t offset, std::uint32_t b) {
    image[offset + 11] = b & 0xFF;
    image[offset + 12] = (b >> 8) & 0xFF;
    image[offset + 13] = (b >> 16) & 0xFF;
}

} // namespace

TEST(LoggerMemory, AddressesAndLengths) {
    EXPECT_EQ(MemoryAddressOffset({0xA0, 0x00, 0x80}), 6);
    EXPECT_EQ(MemoryAddressOffset({0xA2, 0x01, 0x00}), 65536 + 256 - 122);
    EXPECT_EQ(MemoryAddressOffset({0xA3, 0x00, 0x7A}), 65536); // (163-160) div 2 = 1
    EXPECT_LT(MemoryAddressOffset({0x00, 0x00, 0x00}), 0);
    for (std::ptrdiff_t o : {6, 1000, 65535, 65536, 200000, 1000000}) {
        EXPECT_EQ(MemoryAddressOffset(OffsetToMemoryAddress(o)), o);
    }
    EXPECT_EQ(RoundedImageLength(24), 24u);
    EXPECT_EQ(RoundedImageLength(25), 48u);
    EXPECT_EQ(RoundedImageLength(1000), 1008u);
    EXPECT_EQ(RoundedImageLength(0), 24u); // the header block is always there
}

TEST(LoggerMemory, TimeTextsAccumulateIntervals) {
    // A comma locale must not leak into the texts.
    const char* old = std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    SessionClock clock(SampleIntervalSeconds(0));
    std::string t19, t20;
    for (int n = 0; n <= 20; ++n) {
        if (n == 19) {
            t19 = clock.text();
        }
        if (n == 20) {
            t20 = clock.text();
        }
        clock.advance();
    }
    EXPECT_EQ(t19, "0:00'0.950\"");
    EXPECT_EQ(t20, "0:00'1.000\"");

    SessionClock seconds(SampleIntervalSeconds(3));
    for (int n = 0; n < 7200; ++n) {
        seconds.advance();
    }
    EXPECT_EQ(seconds.text(), "2:00'0.000\"");
    EXPECT_EQ(FormatSessionTime(3725.5), "1:02'5.500\"");
    EXPECT_EQ(FormatSessionTime(90), "0:01'30.000\"");
    EXPECT_EQ(FormatSessionTime(0), "0:00'0.000\"");
    if (old != nullptr) {
        std::setlocale(LC_NUMERIC, "C");
    }
    EXPECT_DOUBLE_EQ(SampleIntervalSeconds(15), 600.0);
    EXPECT_DOUBLE_EQ(SampleIntervalSeconds(0x87), 5.0); // only bits 0..3 count
}

TEST(LoggerMemory, ParsesSessionsOfBothSampleSizes) {
    const auto image = BuildLoggerImage({Session(2, 0x03, 5), Session(1, 0x80, 4)});
    const LoggerMemory m = ParseLoggerMemory(image);
    ASSERT_EQ(m.status, MemoryParseStatus::Complete);
    ASSERT_EQ(m.sessions.size(), 2u);
    EXPECT_EQ(m.announcedSessions, 2);
    EXPECT_EQ(m.announcedLength, 6u + 14 + 15 + 14 + 24);
    EXPECT_EQ(m.sessions[0].offset, 6u);
    EXPECT_EQ(m.sessions[0].sampleCount(), 5u);
    EXPECT_FALSE(m.sessions[0].hasSub());
    EXPECT_TRUE(m.sessions[0].sub.empty());
    EXPECT_EQ(m.sessions[0].main[4].count, 1004);
    EXPECT_EQ(m.sessions[1].type, 1);
    EXPECT_EQ(m.sessions[1].sampleCount(), 4u);
    EXPECT_EQ(m.sessions[1].sub[3].count, 5003);
    EXPECT_EQ(m.sessions[1].main[3].count, 1003);
}

TEST(LoggerMemory, UnpacksStatusRangeAndCount) {
    const std::uint8_t bytes[3] = {0xC5, 0x34, 0x12};
    const UnpackedReading r = UnpackStoredReading(std::span<const std::uint8_t, 3>(bytes, 3));
    EXPECT_EQ(r.status, 0xC);
    EXPECT_EQ(r.range, 5);
    EXPECT_EQ(r.count, 0x1234);
}

TEST(LoggerMemory, IncompleteLastSampleIsDropped) {
    auto image = BuildLoggerImage({Session(2, 0x80, 3)});
    SetDataLength(image, 6, 17); // 2 whole samples of 6 bytes and 5 bytes more
    const LoggerMemory m = ParseLoggerMemory(image);
    ASSERT_EQ(m.sessions.size(), 1u);
    EXPECT_EQ(m.sessions[0].sampleCount(), 2u);
    EXPECT_EQ(m.status, MemoryParseStatus::Complete);
}

TEST(LoggerMemory, EmptyMemory) {
    const auto image = BuildLoggerImage({});
    EXPECT_EQ(image.size(), 24u);
    const LoggerMemory m = ParseLoggerMemory(image);
    EXPECT_EQ(m.status, MemoryParseStatus::Complete);
    EXPECT_TRUE(m.sessions.empty());
    EXPECT_EQ(ParseLoggerMemory(std::span<const std::uint8_t>(image.data(), 5)).status,
              MemoryParseStatus::NoHeader);
}

TEST(LoggerMemory, SessionsOutsideTheImageAreCutOff) {
    const auto good = BuildLoggerImage({Session(2, 0, 10), Session(5, 0, 10), Session(7, 0, 10)});
    const std::size_t second = 6 + 14 + 30;
    {
        // The second session's data run past the announced length.
        auto image = good;
        SetDataLength(image, second, 100000);
        const LoggerMemory m = ParseLoggerMemory(image);
        EXPECT_EQ(m.status, MemoryParseStatus::Truncated);
        ASSERT_EQ(m.sessions.size(), 1u);
        EXPECT_EQ(m.sessions[0].type, 2);
    }
    {
        // The announced length ends inside the third session.
        auto image = good;
        SetLength(image, static_cast<std::uint32_t>(second + 44 + 20));
        const LoggerMemory m = ParseLoggerMemory(image);
        EXPECT_EQ(m.status, MemoryParseStatus::Truncated);
        EXPECT_EQ(m.sessions.size(), 2u);
    }
    {
        // The bytes present end before the announced length.
        const LoggerMemory m =
            ParseLoggerMemory(std::span<const std::uint8_t>(good.data(), second + 40));
        EXPECT_EQ(m.status, MemoryParseStatus::Truncated);
        EXPECT_EQ(m.sessions.size(), 1u);
    }
    {
        // A next address that points outside, and one that points into the header.
        auto image = good;
        image[second + 7] = 0xFF;
        EXPECT_EQ(ParseLoggerMemory(image).sessions.size(), 2u);
        image = good;
        const MemoryAddress a = OffsetToMemoryAddress(2);
        image[6 + 5] = a.low;
        image[6 + 6] = a.middle;
        image[6 + 7] = a.high;
        EXPECT_EQ(ParseLoggerMemory(image).sessions.size(), 1u);
    }
    {
        // More sessions announced than the chain holds.
        auto image = good;
        image[4] = 4;
        const LoggerMemory m = ParseLoggerMemory(image);
        EXPECT_EQ(m.status, MemoryParseStatus::Truncated);
        EXPECT_EQ(m.sessions.size(), 3u);
    }
}

TEST(LoggerMemory, ChainThatLoopsIsBounded) {
    auto image = BuildLoggerImage({Session(2, 0, 1000)});
    image[4] = 0xE7; // 999 sessions announced
    image[5] = 0x03;
    image[6 + 5] = 0x80; // the session points back at itself
    image[6 + 6] = 0x00;
    image[6 + 7] = 0xA0;
    const LoggerMemory m = ParseLoggerMemory(image);
    EXPECT_EQ(m.status, MemoryParseStatus::Truncated);
    EXPECT_EQ(m.sessions.size(), 1u);
}

TEST(LoggerMemory, MoreThan999SessionsKeepTheFirst999) {
    std::vector<LoggerSession> sessions(1001, Session(3, 0, 1));
    sessions[998].type = 9;
    auto image = BuildLoggerImage(sessions);
    const LoggerMemory m = ParseLoggerMemory(image);
    EXPECT_EQ(m.status, MemoryParseStatus::TooManySessions);
    ASSERT_EQ(m.sessions.size(), 999u);
    EXPECT_EQ(m.sessions[998].type, 9);
    EXPECT_EQ(m.announcedSessions, 1001);
}

TEST(LoggerMemory, DemoMemoryCoversEveryKindOfSession) {
    const auto image = DemoLoggerImage();
    EXPECT_EQ(image.size() % 24, 0u);
    const LoggerMemory m = ParseLoggerMemory(image);
    ASSERT_EQ(m.status, MemoryParseStatus::Complete);
    const auto sessions = DemoLoggerSessions();
    ASSERT_EQ(m.sessions.size(), sessions.size());
    bool types[10] = {};
    bool longSession = false, anySub = false, overload = false, negative = false;
    for (std::size_t s = 0; s < sessions.size(); ++s) {
        EXPECT_EQ(m.sessions[s].type, sessions[s].type);
        EXPECT_EQ(m.sessions[s].sampleCount(), sessions[s].main.size());
        types[m.sessions[s].type] = true;
        longSession |= m.sessions[s].sampleCount() > 8192;
        anySub |= m.sessions[s].hasSub();
        for (const UnpackedReading& r : m.sessions[s].main) {
            overload |= (r.status & StoredStatus::Overload) != 0;
            negative |= (r.status & StoredStatus::Negative) != 0;
        }
    }
    for (int t = 1; t <= 9; ++t) {
        EXPECT_TRUE(types[t]) << "type " << t;
    }
    EXPECT_TRUE(longSession);
    EXPECT_TRUE(anySub);
    EXPECT_TRUE(overload);
    EXPECT_TRUE(negative);
}
