// The tidy CSV export of recordings and sessions: exact rows in a German locale,
// dates with each sample's own UTC offset, the time-of-day fallback for samples
// read from a file, and RFC 4180 quoting.
#include "logger/sessiontidy.h"
#include "model/functiontable.h"
#include "model/sampleconversion.h"
#include "model/tidycsv.h"
#include "recording/recordertidy.h"

#include <gtest/gtest.h>

#include <QLocale>

#include <clocale>
#include <string>
#include <vector>

using namespace telmora;

namespace {

struct GermanLocale {
    GermanLocale() {
        std::setlocale(LC_ALL, "de_DE.UTF-8");
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    }
    ~GermanLocale() {
        std::setlocale(LC_ALL, "C");
        QLocale::setDefault(QLocale::c());
    }
};

// A recorder sample as the recorder builds it from a live reading.
SampleEntry sample(const char* text, const char* exponent, std::uint32_t code, const char* mode,
                   const char* prefix, const char* unit, const char* time = " 9:00:00.3") {
    DecodedReply r;
    r.main = MeasureDisplay(text, false, code, std::stoi(exponent), DisplayKind::Main);
    r.main.modeLabel.assign(mode);
    r.main.line.part1.assign(prefix);
    r.main.line.part2.assign(unit);
    auto entry = BuildSample(r, time);
    EXPECT_TRUE(entry.has_value()) << text;
    return entry.value_or(SampleEntry{});
}

SampleEntry withFrequency(SampleEntry e, const char* hertz) {
    DecodedReply r;
    r.main = MeasureDisplay(e.main.valueText.view(), false, e.main.functionCode,
                            std::stoi(e.main.exponentText.str()), DisplayKind::Main);
    r.main.modeLabel = e.main.modeText;
    r.main.line.text = e.main.displayText;
    r.main.line.part1.clear();
    r.main.line.part2.assign(e.main.unitText.view());
    r.sub = MeasureDisplay(hertz, false, 0x400, 0, DisplayKind::Sub);
    return BuildSample(r, " 9:00:00.3").value();
}

std::vector<std::string> lines(const Recording& recording, std::int32_t first, std::int32_t last) {
    std::string all;
    const std::int32_t lastPage = recording.size() <= 200 ? 1 : 2;
    EXPECT_TRUE(WriteRecorderTidy(recording, first, last, lastPage, [&](std::string_view s) {
        all += s;
        return true;
    }));
    std::vector<std::string> out;
    for (std::size_t at = 0; at < all.size();) {
        const std::size_t end = all.find("\r\n", at);
        EXPECT_NE(end, std::string::npos) << "every line ends with CR LF";
        if (end == std::string::npos)
            break;
        out.push_back(all.substr(at, end - at));
        at = end + 2;
    }
    return out;
}

} // namespace

TEST(TidyExport, RecorderRowsCarryDateOffsetAndSiValuesInAnyLocale) {
    const GermanLocale german;
    Recording r;
    // The night the clocks go forward: 01:59:59.999 +01:00, then 03:00 +02:00.
    r.addSample(withFrequency(sample("230.4", "0", 0x5, "AC", "", "V"), "50.01"),
                WallClock{1774745999999, 3600});
    r.addSample(sample("12.345", "3", 0x80, "", "k", "W"), WallClock{1774746000000, 7200});
    r.addSample(sample("0.L", "6", 0x80, "", "M", "W"), WallClock{1796706000500, -18000});
    r.addSample(sample("4.700", "-9", 0x8, "", "n", "F"), WallClock{1796706000500, -12600});
    r.addSample(sample("-1.2345", "-3", 0x6, "DC", "m", "V"), WallClock{-1000, 0});
    r.addSample(sample("25.3C", "0", 0x8020, "T1", "", "C"), WallClock{0, 0});
    const std::vector<std::string> expected = {
        "index,time,value,unit,mode,display,overload,"
        "sub_value,sub_unit,sub_mode,sub_display,sub_overload,marker",
        "1,2026-03-29T01:59:59.999+01:00,230.4,V,AC,230.4,false,50.01,Hz,,50.01,false,",
        "2,2026-03-29T03:00:00.000+02:00,12345,\u03A9,,12.345,false,,,,,,",
        "3,2026-12-08T00:00:00.500-05:00,,\u03A9,,0.L,true,,,,,,",
        "4,2026-12-08T01:30:00.500-03:30,4.7e-9,F,,4.700,false,,,,,,",
        "5,1969-12-31T23:59:59.000+00:00,-0.0012345,V,DC,-1.2345,false,,,,,,",
        "6,1970-01-01T00:00:00.000+00:00,25.3,\u00B0C,T1,25.3C,false,,,,,,",
    };
    EXPECT_EQ(lines(r, 1, 1), expected);
}

TEST(TidyExport, SamplesWithoutDateGiveTheTimeOfDayAndSayItInTheHeader) {
    Recording r;
    r.appendLoaded(sample("1.000", "0", 0x6, "DC", "", "V", " 9:05:01.3"));
    r.recount([](std::int64_t) {});
    r.addSample(sample("2.000", "0", 0x6, "DC", "", "V", " 14:00:00.0"),
                WallClock{1796706000500, 3600});
    const auto all = lines(r, 1, 1);
    ASSERT_EQ(all.size(), 3u);
    EXPECT_TRUE(all[0].starts_with("index,time_of_day,value,"));
    EXPECT_EQ(all[1], "1,09:05:01.3,1,V,DC,1.000,false,,,,,,");
    EXPECT_EQ(all[2], "2,14:00:00.0,2,V,DC,2.000,false,,,,,,");

    // Only the newest page: every sample of it has its date.
    for (int i = 0; i < 200; ++i)
        r.addSample(sample("3.000", "0", 0x6, "DC", "", "V"), WallClock{1796706000500 + i, 3600});
    EXPECT_TRUE(lines(r, 2, 2)[0].starts_with("index,time,value,"));
    EXPECT_TRUE(lines(r, 1, 2)[0].starts_with("index,time_of_day,value,"));
}

TEST(TidyExport, TheWideLayoutCarriesEachMetersSubReadingAndTheMarkers) {
    const GermanLocale german;
    RecordStore mains, volts;
    mains.appendInMemory(withFrequency(sample("230.4", "0", 0x5, "AC", "", "V"), "50.01"));
    volts.appendInMemory(sample("1.000", "0", 0x6, "DC", "", "V"));
    mains.appendInMemory(sample("0.L", "0", 0x5, "AC", "", "V"));
    volts.appendInMemory(withFrequency(sample("2.000", "0", 0x6, "DC", "", "V"), "0.L"));
    TidyMeterSet set;
    set.meters = {{"Mains", &mains}, {"Cell", &volts}};
    set.markers = TidyMarkerNotes({{1, {}, QStringLiteral("fuse \"F1\", out"), {}, {}}});
    std::string all;
    ASSERT_TRUE(WriteRecorderTidy(set, 1, 1, 1, TidyLayout::Wide, [&](std::string_view text) {
        all += text;
        return true;
    }));
    EXPECT_EQ(all, "index,time_of_day,M1_value,M1_unit,M1_mode,M1_display,M1_overload,"
                   "M1_sub_value,M1_sub_unit,M2_value,M2_unit,M2_mode,M2_display,M2_overload,"
                   "M2_sub_value,M2_sub_unit,marker\r\n"
                   "1,09:00:00.3,230.4,V,AC,230.4,false,50.01,Hz,1,V,DC,1.000,false,,,\r\n"
                   "2,09:00:00.3,,V,AC,0.L,true,,,2,V,DC,2.000,false,,Hz,"
                   "\"fuse \"\"F1\"\", out\"\r\n");
}

TEST(TidyExport, FieldsAreQuotedOnlyWhenTheyMustBe) {
    std::string line = "1";
    AppendTidyField(line, "plain");
    AppendTidyField(line, "a,b");
    AppendTidyField(line, "say \"hi\"");
    AppendTidyField(line, "two\r\nlines");
    AppendTidyField(line, "");
    EXPECT_EQ(line, "1,plain,\"a,b\",\"say \"\"hi\"\"\",\"two\r\nlines\",");
}

TEST(TidyExport, SessionRowsGiveSessionNumberAndSecondsFromItsStart) {
    const GermanLocale german;
    std::vector<SampleList> sessions(2);
    SampleEntry e;
    e.main.functionCode = 0x80;
    e.main.valueText.assign("1.234");
    e.main.exponentText.assign("3");
    e.main.displayText.assign("1.234");
    e.main.unitText.assign("W");
    e.main.value = 1234.0f;
    e.main.timeText.assign("0:00'00.000\"");
    sessions[0].append(e);
    e.main.functionCode = 0x5;
    e.main.unitText.assign("V [AC]");
    e.main.valueText.assign("OL");
    e.main.displayText.assign("O.L");
    e.main.timeText.assign("1:02'03.500\"");
    sessions[1].append(e);
    e.main.valueText.assign("1.000");
    e.main.value = 1.0f;
    e.main.timeText.assign("1:02'04.000\"");
    sessions[1].append(e);
    EXPECT_EQ(SessionsTidyText(sessions, 1, 2),
              "index,session,time,value,unit,mode,display,overload,"
              "sub_value,sub_unit,sub_mode,sub_display,sub_overload\r\n"
              "1,1,0.000,1234,\u03A9,,1.234,false,,,,,\r\n"
              "1,2,3723.500,,V,AC,O.L,true,,,,,\r\n"
              "2,2,3724.000,1,V,AC,O.L,false,,,,,\r\n");
}

TEST(TidyExport, TheLongestFieldsFitTheRoomTheExportGivesARow) {
    // Exports write rows into room counted in advance: texts that fill their fields
    // with bytes that are quoted or widened, with every function's unit, stay inside.
    const auto fill = [](auto& field, char c) {
        std::string text(sizeof field.data - 1, c);
        field.assign(text);
    };
    for (const FunctionRow& row : FunctionTable()) {
        for (const char c : {'"', '\xB5'}) {
            SampleEntry e;
            e.hasSub = 1;
            for (ReadingRecord* r : {&e.main, &e.sub}) {
                r->functionCode = row.code;
                fill(r->valueText, '1');
                fill(r->displayText, c);
                fill(r->unitText, c);
                r->unitText.data[0] = '[';
                r->unitText.data[14] = ']';
                r->value = -1.17549435e-38f;
            }
            char text[kMaxTidyReadingsBytes + 64];
            const std::size_t length =
                static_cast<std::size_t>(WriteTidyReadings(text, e, RecordOrigin::Recorder) - text);
            EXPECT_LE(length, kMaxTidyReadingsBytes) << row.code;
            std::string appended;
            AppendTidyReadings(appended, e, RecordOrigin::Session);
            EXPECT_LE(appended.size(), kMaxTidyReadingsBytes) << row.code;
            fill(e.main.timeText, c);
            EXPECT_LE(
                static_cast<std::size_t>(WriteTidyTimeOfDay(text, e.main.timeText.view()) - text),
                kMaxTidyTimeOfDayBytes);
        }
    }
}
