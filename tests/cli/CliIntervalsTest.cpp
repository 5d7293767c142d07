// telmora-cli recorder-csv --every [--limits] and stats --limits. The interval figures are
// checked against an independent reduction of the plain tidy export's text: its
// rows parsed, grouped by interval, meter and unit, and summed up in long double.
#include "cli/CmdRecorderCsv.h"
#include "cli/CmdStats.h"
#include "logger/SessionFile.h"
#include "recording/RecorderFile.h"
#include "recording/RecordingManifest.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <tuple>
#include <vector>

using namespace telmora;

namespace {

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

std::string readAll(std::FILE* f) {
    std::string s;
    std::rewind(f);
    char buf[4096];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
        s.append(buf, n);
    return s;
}

template <typename Run> CliRun capture(Run&& run) {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> out(std::tmpfile(), &std::fclose);
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> err(std::tmpfile(), &std::fclose);
    CliRun r;
    r.status = run(out.get(), err.get());
    r.out = readAll(out.get());
    r.err = readAll(err.get());
    return r;
}

CliRun recorderCsv(const QString& path, std::int64_t every, const char* meter = nullptr,
                   const char* limits = nullptr) {
    return capture([&](std::FILE* out, std::FILE* err) {
        return cli::RunRecorderCsv(path.toLocal8Bit().constData(), out, err, TextExportFormat::Tidy,
                                   TidyLayout::Long, meter, every,
                                   limits != nullptr ? ReadLimits(limits) : std::nullopt);
    });
}

// Splits CSV text (RFC 4180 quoting, CR LF line ends) into rows of fields.
std::vector<std::vector<std::string>> parseCsv(const std::string& text) {
    std::vector<std::vector<std::string>> rows(1);
    std::string field;
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            rows.back().push_back(field);
            field.clear();
        } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            rows.back().push_back(field);
            field.clear();
            rows.emplace_back();
            ++i;
        } else {
            field += c;
        }
    }
    rows.pop_back(); // after the last line end
    return rows;
}

std::size_t column(const std::vector<std::string>& header, const std::string& name) {
    for (std::size_t i = 0; i < header.size(); ++i)
        if (header[i] == name)
            return i;
    ADD_FAILURE() << "no column " << name;
    return 0;
}

struct Figures {
    std::int64_t count = 0;
    std::int64_t overloads = 0;
    std::vector<long double> values;
    long double mean() const {
        long double sum = 0;
        for (const long double v : values)
            sum += v;
        return sum / static_cast<long double>(values.size());
    }
    long double stddev() const {
        const long double m = mean();
        long double squares = 0;
        for (const long double v : values)
            squares += (v - m) * (v - m);
        return std::sqrt(squares / static_cast<long double>(values.size() - 1));
    }
};
using Key = std::tuple<std::string, std::string, std::string>; // start, meter, unit

// "10:00:07.3" as seconds of the day, and the start of its interval as text.
std::string intervalStartOf(const std::string& timeOfDay, int every) {
    const int h = std::atoi(timeOfDay.substr(0, 2).c_str());
    const int m = std::atoi(timeOfDay.substr(3, 2).c_str());
    const int s = std::atoi(timeOfDay.substr(6, 2).c_str());
    const int start = (h * 3600 + m * 60 + s) / every * every;
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", start / 3600, start / 60 % 60, start % 60);
    return text;
}

// The figures the plain long tidy export's rows give per interval, meter and unit.
std::map<Key, Figures> reducePlainExport(const std::string& csv, int every) {
    const auto rows = parseCsv(csv);
    const auto& header = rows.front();
    const std::size_t time = column(header, "time_of_day"), meter = column(header, "meter"),
                      value = column(header, "value"), unit = column(header, "unit"),
                      overload = column(header, "overload");
    std::map<Key, Figures> groups;
    for (std::size_t r = 1; r < rows.size(); ++r) {
        const auto& row = rows[r];
        const bool isOverload = row[overload] == "true";
        if (row[value].empty() && !isOverload)
            continue; // a gap
        Figures& f = groups[{intervalStartOf(row[time], every), row[meter], row[unit]}];
        if (isOverload) {
            ++f.overloads;
        } else {
            ++f.count;
            // The double the text stands for, as any reader of the file gets it.
            f.values.push_back(std::strtod(row[value].c_str(), nullptr));
        }
    }
    return groups;
}

// Whether `text` reads as `expected` within `ulps` units in the last place of a double
// of the size of `scale` (by default, of `expected`).
::testing::AssertionResult near(const std::string& text, long double expected, int ulps,
                                long double scale = 0) {
    const double got = std::strtod(text.c_str(), nullptr);
    const long double tolerance =
        ulps * std::max(std::max(std::fabs(expected), scale) * DBL_EPSILON,
                        static_cast<long double>(DBL_MIN));
    if (std::fabs(got - expected) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << text << " is not " << static_cast<double>(expected) << " within " << ulps << " ulps";
}

SampleEntry sample(std::uint32_t code, float value, const std::string& text, const char* unit,
                   int tenths) {
    SampleEntry e;
    e.main.functionCode = code;
    e.main.value = value;
    e.main.valueText.assign(text);
    e.main.displayText.assign(text);
    e.main.unitText.assign(unit);
    e.main.modeText.assign(code == 0x6 ? "DC" : "");
    char time[16];
    const int seconds = 36000 + tenths / 10; // from 10:00:00.0
    std::snprintf(time, sizeof time, "%3d:%02d:%02d.%1d", seconds / 3600, seconds / 60 % 60,
                  seconds % 60, tenths % 10);
    e.main.timeText.assign(time);
    return e;
}

SampleEntry gap(int tenths) {
    SampleEntry e = sample(0, 0.0f, "", "", tenths);
    e.main.modeText.assign("");
    e.main.value = std::numeric_limits<float>::quiet_NaN();
    return e;
}

// A recording of two meters, `ticks` ticks of 0.3 s: volts with overloads and a
// stretch of ohms, amperes with gaps; the math channel multiplies them.
QString writeRecording(const QTemporaryDir& dir, int ticks = 400) {
    std::mt19937 random(37);
    std::uniform_int_distribution<int> noise(-80, 80);
    SampleList volts, amperes;
    for (int i = 0; i < ticks; ++i) {
        const int tenths = 3 * i;
        char text[16];
        if (i % 37 == 5) {
            volts.append(sample(0x6, 6.6e6f, "0.L", "V", tenths));
        } else if (i >= 120 && i < 135) { // ohms inside an interval of volts
            const int ohms = 4700 + noise(random);
            std::snprintf(text, sizeof text, "%d", ohms);
            volts.append(sample(0x80, static_cast<float>(ohms), text, "W", tenths));
        } else {
            const int millivolts = 1500 + noise(random);
            std::snprintf(text, sizeof text, "%d.%03d", millivolts / 1000, millivolts % 1000);
            volts.append(sample(0x6, static_cast<float>(millivolts) / 1000.0f, text, "V", tenths));
        }
        if (i % 11 == 3) {
            amperes.append(gap(tenths));
        } else {
            const int milliamperes = 250 + noise(random) / 10;
            std::snprintf(text, sizeof text, "0.%03d", milliamperes);
            amperes.append(
                sample(0x202, static_cast<float>(milliamperes) / 1000.0f, text, "A", tenths));
        }
    }
    EXPECT_TRUE(SaveRecorderFile(dir.filePath(QStringLiteral("bench-V.g53")), volts));
    EXPECT_TRUE(SaveRecorderFile(dir.filePath(QStringLiteral("bench-A.g53")), amperes));
    const QString manifest = dir.filePath(QStringLiteral("bench.telmora"));
    EXPECT_TRUE(WriteManifest(
        manifest,
        {{{QStringLiteral("Supply, 5 V"), QStringLiteral("S1"), QStringLiteral("bench-V.g53")},
          {QStringLiteral("Load"), QStringLiteral("S2"), QStringLiteral("bench-A.g53")}},
         QStringLiteral("M1*M2")}));
    return manifest;
}

// Checks the interval figures of `manifest` against the plain export's rows; the
// running mean rounds once per value, so its error grows with the values of an interval.
void expectFiguresOfThePlainExport(const QString& manifest, int meanUlps) {
    const CliRun plain = recorderCsv(manifest, 0);
    ASSERT_EQ(plain.status, 0) << plain.err;
    for (const int every : {1, 7, 60}) {
        SCOPED_TRACE(every);
        const CliRun intervals = recorderCsv(manifest, every);
        ASSERT_EQ(intervals.status, 0) << intervals.err;
        const auto rows = parseCsv(intervals.out);
        ASSERT_FALSE(rows.empty());
        EXPECT_EQ(rows.front(),
                  (std::vector<std::string>{"interval_start", "meter", "unit", "count", "mean",
                                            "min", "max", "stddev", "overloads"}));
        std::map<Key, Figures> expected = reducePlainExport(plain.out, every);
        EXPECT_EQ(rows.size() - 1, expected.size());
        for (std::size_t r = 1; r < rows.size(); ++r) {
            const auto& row = rows[r];
            ASSERT_EQ(row.size(), 9u);
            const auto found = expected.find({row[0], row[1], row[2]});
            ASSERT_NE(found, expected.end()) << row[0] << " " << row[1] << " " << row[2];
            const Figures& f = found->second;
            EXPECT_EQ(row[3], std::to_string(f.count));
            EXPECT_EQ(row[8], std::to_string(f.overloads));
            if (f.count == 0) {
                EXPECT_EQ(row[4] + row[5] + row[6] + row[7], "");
            } else {
                EXPECT_TRUE(near(row[4], f.mean(), meanUlps));
                EXPECT_TRUE(near(row[5], *std::min_element(f.values.begin(), f.values.end()), 0));
                EXPECT_TRUE(near(row[6], *std::max_element(f.values.begin(), f.values.end()), 0));
                if (f.count == 1)
                    EXPECT_EQ(row[7], "");
                else // rounding in double leaves an error of the size of the values
                    EXPECT_TRUE(near(row[7], f.stddev(), 2 * meanUlps, std::fabs(f.mean())));
            }
            expected.erase(found);
        }
        EXPECT_TRUE(expected.empty());
    }
}

} // namespace

TEST(CliIntervals, FiguresEqualAReductionOfThePlainTidyExport) {
    QTemporaryDir dir;
    const QString manifest = writeRecording(dir);
    expectFiguresOfThePlainExport(manifest, 4);
    // Long enough to be read in several pieces side by side.
    QTemporaryDir longDir;
    expectFiguresOfThePlainExport(writeRecording(longDir, 9000), 16);
    // The parts the data holds: a unit change, overloads and gaps inside intervals.
    const std::string perMinute = recorderCsv(manifest, 60).out;
    EXPECT_NE(perMinute.find("10:00:00,\"Supply, 5 V\",\u03A9,15,"), std::string::npos)
        << perMinute;
    EXPECT_NE(perMinute.find("10:01:00,Load,A,"), std::string::npos);
    EXPECT_NE(perMinute.find("10:01:00,Math,W,"), std::string::npos);
}

TEST(CliIntervals, OneMeterAndWrongUsage) {
    QTemporaryDir dir;
    const QString manifest = writeRecording(dir);
    // One meter of the recording under its name, or a recorder file as M1.
    const CliRun load = recorderCsv(manifest, 3600, "Load");
    ASSERT_EQ(load.status, 0) << load.err;
    EXPECT_EQ(load.out.substr(0, load.out.find("\r\n") + 2),
              "interval_start,meter,unit,count,mean,min,max,stddev,overloads\r\n");
    EXPECT_EQ(load.out.find("Supply"), std::string::npos);
    EXPECT_EQ(load.out.find("Math"), std::string::npos);
    const std::string loadRow = load.out.substr(load.out.find("\r\n") + 2);
    EXPECT_EQ(loadRow.substr(0, 22), "10:00:00,Load,A,363,0.");
    const CliRun file = recorderCsv(dir.filePath(QStringLiteral("bench-A.g53")), 3600);
    ASSERT_EQ(file.status, 0) << file.err;
    EXPECT_EQ(file.out.substr(file.out.find("\r\n") + 2), "10:00:00,M1" + loadRow.substr(13));

    const CliRun standard = capture([&](std::FILE* out, std::FILE* err) {
        return cli::RunRecorderCsv(manifest.toLocal8Bit().constData(), out, err,
                                   TextExportFormat::Standard, TidyLayout::Long, "1", 60);
    });
    EXPECT_EQ(standard.status, 2);
    EXPECT_NE(standard.err.find("--format tidy"), std::string::npos);
}

TEST(CliLimits, CountsInsideAboveBelowAndExcursionsOfEachMeter) {
    QTemporaryDir dir;
    SampleList volts;
    // 1, 6 (above), 7 (above), gap-free overload (above), 0 (below), 2, 3 (above)
    const struct {
        const char* text;
        float value;
    } readings[] = {{"1.000", 1.0f}, {"6.000", 6.0f}, {"7.000", 7.0f}, {"0.L", 6.6e6f},
                    {"0.000", 0.0f}, {"2.000", 2.0f}, {"3.000", 3.0f}};
    int tick = 0;
    for (const auto& r : readings)
        volts.append(sample(0x6, r.value, r.text, "V", tick++));
    const QString file = dir.filePath(QStringLiteral("limits.g53"));
    ASSERT_TRUE(SaveRecorderFile(file, volts));
    const CliRun r = capture([&](std::FILE* out, std::FILE* err) {
        return cli::RunStats(file.toLocal8Bit().constData(), out, err, ReadLimits("500m:2.5"));
    });
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\n{\"limits\":{\"low\":0.5,\"high\":2.5,\"inside\":2,\"above\":4,"
                         "\"below\":1,\"excursions\":2}}\n"),
              std::string::npos)
        << r.out;
}

namespace {

// The limit counts the plain long tidy export's rows give per interval, meter and
// unit: each group's samples in order, gaps left out, an overload above.
std::map<Key, LimitCounts> countPlainExport(const std::string& csv, int every, double low,
                                            double high) {
    const auto rows = parseCsv(csv);
    const auto& header = rows.front();
    const std::size_t time = column(header, "time_of_day"), meter = column(header, "meter"),
                      value = column(header, "value"), unit = column(header, "unit"),
                      overload = column(header, "overload");
    std::map<Key, LimitCounts> groups;
    std::map<Key, bool> outside;
    for (std::size_t r = 1; r < rows.size(); ++r) {
        const auto& row = rows[r];
        const bool over = row[overload] == "true";
        if (row[value].empty() && !over)
            continue;
        const Key key{intervalStartOf(row[time], every), row[meter], row[unit]};
        if (row[meter] == "Math")
            continue;
        LimitCounts& c = groups[key];
        const double v = over ? 0 : std::strtod(row[value].c_str(), nullptr);
        const int side = over || v > high ? 1 : v < low ? -1 : 0;
        if (side == 0) {
            ++c.inside;
        } else {
            ++(side > 0 ? c.above : c.below);
            c.excursions += outside[key] ? 0 : 1;
        }
        outside[key] = side != 0;
    }
    return groups;
}

} // namespace

TEST(CliLimits, EveryIntervalCountsItsReadingsAgainstTheLimits) {
    QTemporaryDir dir;
    const QString manifest = writeRecording(dir);
    const CliRun plain = recorderCsv(manifest, 0);
    const CliRun without = recorderCsv(manifest, 7);
    const CliRun with = recorderCsv(manifest, 7, nullptr, "1.45:1.55");
    ASSERT_EQ(with.status, 0) << with.err;
    const auto rows = parseCsv(with.out);
    const auto bare = parseCsv(without.out);
    ASSERT_EQ(rows.size(), bare.size());
    EXPECT_EQ(rows.front().back(), "excursions");
    std::map<Key, LimitCounts> expected = countPlainExport(plain.out, 7, 1.45, 1.55);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        ASSERT_EQ(rows[r].size(), 13u);
        // The figures are those of the export without limits, to the byte.
        EXPECT_EQ(std::vector<std::string>(rows[r].begin(), rows[r].begin() + 9), bare[r]);
        if (r == 0)
            continue;
        const auto& row = rows[r];
        const std::string counts = row[9] + "," + row[10] + "," + row[11] + "," + row[12];
        if (row[1] == "Math") {
            EXPECT_EQ(counts, ",,,") << "the math channel has no limits";
            continue;
        }
        const LimitCounts& c = expected[{row[0], row[1], row[2]}];
        EXPECT_EQ(counts, std::to_string(c.inside) + "," + std::to_string(c.above) + "," +
                              std::to_string(c.below) + "," + std::to_string(c.excursions))
            << row[0] << " " << row[1] << " " << row[2];
    }
    // Without --every the limits have nothing to count.
    EXPECT_EQ(recorderCsv(manifest, 0, nullptr, "1:2").status, 2);
}

TEST(CliLimits, SessionFilesCountEachSession) {
    QTemporaryDir dir;
    std::vector<SampleList> sessions(2);
    for (const auto& [text, value] : {std::pair{"1.000", 1.0f}, {"4.000", 4.0f}, {"0.L", 6.6e6f}})
        sessions[0].append(sample(0x6, value, text, "V", 0));
    sessions[1].append(sample(0x6, 2.0f, "2.000", "V", 0));
    const QString file = dir.filePath(QStringLiteral("two.slr"));
    ASSERT_EQ(SaveSessionFile(file, sessions), SessionFileStatus::Ok);
    const CliRun r = capture([&](std::FILE* out, std::FILE* err) {
        return cli::RunStats(file.toLocal8Bit().constData(), out, err, ReadLimits("0:3"));
    });
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\n{\"session\":1,\"limits\":{\"low\":0,\"high\":3,\"inside\":1,"
                         "\"above\":2,\"below\":0,\"excursions\":1}}\n"),
              std::string::npos)
        << r.out;
    EXPECT_TRUE(r.out.ends_with("{\"session\":2,\"limits\":{\"low\":0,\"high\":3,\"inside\":1,"
                                "\"above\":0,\"below\":0,\"excursions\":0}}\n"))
        << r.out;
}
