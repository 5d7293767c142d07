// The SI value of every reading agrees with what its display shows: the displayed
// number times its prefix, within one unit of the last displayed digit. Checked for
// every function code and prefix of live frames as the recorder stores them, and for
// every function, range class and range code of the logger memory as the import
// converts them, each through its file image.
#include "model/GroupedStatistics.h"
#include "model/LoggerMemory.h"
#include "model/TypedReading.h"
#include "model/decimaltext.h"
#include "model/decode.h"
#include "model/sampleconversion.h"
#include "model/sessiontables.h"
#include "model/storedreading.h"
#include "sim/DemoLoggerMemory.h"
#include "sim/DisplayEncoder.h"

#include <gtest/gtest.h>

#include <array>
#include <charconv>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

using namespace telmora;

namespace {

// Power of ten of a prefix as the displays write it.
std::optional<int> prefixExponent(std::string_view prefix) {
    if (prefix.empty())
        return 0;
    constexpr std::pair<std::string_view, int> kPrefixes[] = {
        {"n", -9}, {"u", -6}, {"m", -3}, {"k", 3}, {"M", 6}};
    for (const auto& [text, exponent] : kPrefixes)
        if (prefix == text)
            return exponent;
    return std::nullopt;
}

// A display text read as a number (a degree letter at its end is not part of it),
// with the size of one unit of its last digit.
struct Shown {
    double number = 0.0;
    double lastDigit = 1.0;
};

std::optional<Shown> readShown(std::string_view display) {
    std::string text; // the sign of a right-aligned display stands apart: "- 4.5C"
    for (const char c : display)
        if (c != ' ')
            text += c;
    if (!text.empty() && (text.back() == 'C' || text.back() == 'F'))
        text.pop_back();
    Shown shown;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), shown.number);
    if (ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    const std::size_t point = text.find('.');
    if (point != std::string_view::npos)
        shown.lastDigit = std::pow(10.0, -static_cast<int>(text.size() - point - 1));
    return shown;
}

// The SI value of `record` against its display: number times prefix, within one
// unit of the last digit (and the float the value is kept in).
void expectAgrees(const ReadingRecord& record, RecordOrigin origin, DisplayKind kind,
                  std::string_view displayText, int exponent, const std::string& what) {
    const TypedReading si = ReadingOfRecord(record, origin, kind);
    ASSERT_TRUE(si.hasValue()) << what;
    const std::optional<Shown> shown = readShown(displayText);
    ASSERT_TRUE(shown.has_value()) << what << " display '" << displayText << "'";
    const double scale = std::pow(10.0, exponent);
    const double expected = shown->number * scale;
    const double tolerance = shown->lastDigit * scale + std::fabs(expected) * 1e-6;
    EXPECT_NEAR(si.value, expected, tolerance) << what << " display '" << displayText << "'";
    // The exported text says the same number.
    std::string text;
    AppendShortestDouble(text, si.value);
    double exported = 0.0;
    std::from_chars(text.data(), text.data() + text.size(), exported);
    EXPECT_NEAR(exported, expected, tolerance) << what << " text " << text;
}

ReadingRecord throughFileImage(const ReadingRecord& record, std::size_t bytes) {
    std::array<std::uint8_t, kRecordSize> image{};
    EncodeRecord(record, std::span(image).first(bytes));
    return DecodeRecord(std::span<const std::uint8_t>(image).first(bytes));
}

constexpr std::uint32_t kLiveCodes[] = {
    0x4,    0x5,    0x6,    0x7,    0x1000005, 0x1000006, 0x8,    0x80,   0x180,
    0x201,  0x202,  0x203,  0x400,  0x800,     0x1000,    0x2000, 0x2080, 0x4000,
    0x8000, 0xC000, 0x4020, 0x8020, 0xC020,    0x4040,    0x8040, 0xC040};
constexpr int kLivePrefixes[] = {-9, -6, -3, 0, 3, 6};
constexpr const char* kLiveTexts[] = {"4.626", "-12.34", "123.4", "0.007", "1000"};
constexpr const char* kTemperatureTexts[] = {"25.3C", "-4.5C", "253C"};

} // namespace

// A frame the meter sends, decoded, stored by the recorder, written to a recorder
// file and read back: its SI value is what the display shows, on either display.
TEST(SiValue, DecodedReplysOfEveryFunctionAndPrefixAgreeWithTheirDisplay) {
    int checked[2] = {0, 0};
    for (const DisplayKind kind : {DisplayKind::Main, DisplayKind::Sub}) {
        const bool main = kind == DisplayKind::Main;
        for (const std::uint32_t code : kLiveCodes) {
            const bool temperature = (code & 0xC000) != 0 && (code & 0x60) != 0;
            const bool decibel = code == 0x2000 || code == 0x2080;
            for (const int prefix : kLivePrefixes) {
                // Decibel-milliwatt is only ever shown with its "m".
                if (code == 0x2000 && prefix != -3)
                    continue;
                for (const char* text : temperature
                                            ? std::span<const char* const>(kTemperatureTexts)
                                            : std::span<const char* const>(kLiveTexts)) {
                    DesiredReading desired;
                    DesiredDisplay& display = main ? desired.main : desired.sub;
                    if (!main) {
                        ASSERT_TRUE(SetDisplayText("1.000", desired.main));
                        desired.main.code = FunctionCodeOf(MeterFunction::VoltsDc);
                    }
                    ASSERT_TRUE(SetDisplayText(text, display)) << text;
                    display.code = code;
                    display.prefixExponent = prefix;
                    DecodedReply live;
                    DecodeReply(EncodeDisplay(desired), live);
                    const std::uint32_t decoded =
                        main ? live.main.functionCode() : live.sub.functionCode();
                    if (decoded != code)
                        continue; // the display has no annunciator for this function
                    const DisplayLine& line = main ? live.main.line : live.sub.line;
                    // The decibel displays show their unit in place of a prefix.
                    const std::optional<int> shown =
                        decibel ? std::optional<int>(0) : prefixExponent(line.part1.view());
                    ASSERT_TRUE(shown.has_value()) << line.part1.view();

                    const auto sample = BuildSample(live, " 12:00:00.0");
                    const std::string what = std::string(main ? "main " : "sub ") + "code " +
                                             std::to_string(code) + " prefix " +
                                             std::to_string(prefix);
                    ASSERT_TRUE(sample.has_value()) << what << " " << text;
                    std::array<std::uint8_t, kSampleSize> image{};
                    EncodeSample(*sample, image);
                    const SampleEntry stored = DecodeSample(image);
                    expectAgrees(main ? stored.main : stored.sub, RecordOrigin::Recorder, kind,
                                 line.text.view(), *shown, what);
                    ++checked[main ? 0 : 1];
                }
            }
        }
    }
    // Every function has its main annunciators (decibel-milliwatt with one prefix, the
    // six temperatures with three texts); the sub display shows fewer.
    EXPECT_EQ(checked[0], (19 * 6 + 1) * 5 + 6 * 6 * 3);
    EXPECT_GT(checked[1], 100);
}

// Every reading the logger memory can hold, converted by the import and kept in a
// session file: its SI value is what its display text and prefix show.
TEST(SiValue, StoredReadingsOfEveryFunctionAndRangeAgreeWithTheirDisplay) {
    struct Count {
        std::uint16_t count;
        std::uint8_t status;
    };
    constexpr Count kCounts[] = {{4626, 0}, {1234, StoredStatus::Negative}, {25, 0}, {9999, 0}};
    int checked = 0;
    for (std::uint8_t type = 1; type <= 9; ++type) {
        for (std::uint8_t kind = 0; kind < 5; ++kind) {
            for (const std::uint8_t flags :
                 {std::uint8_t{0}, SessionFlag::Variant4, SessionFlag::Variant5}) {
                const SessionFunctions f = SessionFunctionTable(type, kind, flags);
                const std::pair<std::uint32_t, int> displays[] = {{f.mainCode, f.mainClass},
                                                                  {f.subCode, f.subClass}};
                for (std::size_t d = 0; d < 2; ++d) {
                    const auto [code, rangeClass] = displays[d];
                    if (code == 0)
                        continue;
                    const DisplayRole role = d == 0 ? DisplayRole::Main : DisplayRole::Sub;
                    const DisplayKind displayKind = d == 0 ? DisplayKind::Main : DisplayKind::Sub;
                    for (std::uint8_t range = 0; range < 16; ++range) {
                        for (const Count c : kCounts) {
                            const UnpackedReading reading{c.status, range, c.count};
                            const ReadingRecord record = throughFileImage(
                                ConvertReading(reading, code, rangeClass, "0:00'0.000\"", role),
                                kSessionRecordSize);
                            const std::optional<int> prefix =
                                prefixExponent(record.prefixText.view());
                            const std::string what = "code " + std::to_string(code) + " class " +
                                                     std::to_string(rangeClass) + " range " +
                                                     std::to_string(range) + " count " +
                                                     std::to_string(c.count) + " prefix '" +
                                                     std::string(record.prefixText.view()) + "'";
                            ASSERT_TRUE(prefix.has_value()) << what;
                            expectAgrees(record, RecordOrigin::Session, displayKind,
                                         record.displayText.view(), *prefix, what);
                            ++checked;
                        }
                    }
                }
            }
        }
    }
    EXPECT_GT(checked, 2000);
}

// The demo meter's capacitance and conductance sessions: their statistics are in
// farad and siemens, between the smallest and largest reading the list shows.
TEST(SiValue, DemoCapacitanceAndConductanceSessionsGiveSiStatistics) {
    const std::vector<std::uint8_t> image = DemoLoggerImage();
    const LoggerMemory memory = ParseLoggerMemory(image);
    ASSERT_GE(memory.sessions.size(), 10u);
    struct Expected {
        std::size_t session;
        std::uint32_t code;
        const char* unit;
        double low, high; // the displayed range in SI units
    };
    for (const Expected& e :
         {Expected{9, 0x8, "F", 4.6e-6, 4.71e-6}, Expected{5, 0x1000, "S", 23.4e-9, 27.4e-9}}) {
        const SessionInfo& info = memory.sessions[e.session];
        const SessionFunctions f = SessionFunctionTable(info.type, info.kind, info.flags);
        ASSERT_EQ(f.mainCode, e.code);
        GroupedStatistics statistics;
        for (const UnpackedReading& reading : info.main)
            statistics.add(ReadingOfRecord(ConvertReading(reading, f.mainCode, f.mainClass, ""),
                                           RecordOrigin::Session));
        const StatisticsGroup* group = statistics.find(e.code, e.unit);
        ASSERT_NE(group, nullptr);
        EXPECT_EQ(group->values.count(), static_cast<std::int64_t>(info.main.size()));
        EXPECT_GT(group->values.minimum(), e.low);
        EXPECT_LT(group->values.maximum(), e.high);
        EXPECT_GT(group->values.mean(), group->values.minimum());
        EXPECT_LT(group->values.mean(), group->values.maximum());
    }
}
