// The text exports against straightforward one-line-at-a-time formatters (the way
// the exports were first written): the same bytes for varied records, for
// recordings long enough to be formatted in several pieces on several threads,
// for runs of pages, and in a locale with a decimal comma.
#include "model/decimaltext.h"
#include "model/sampleconversion.h"
#include "model/tidycsv.h"
#include "recording/RecorderFile.h"
#include "recording/recorderexport.h"
#include "recording/recorderexportpieces.h"
#include "recording/recordertidy.h"
#include "recording/recordingjobs.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <limits>
#include <new>
#include <optional>
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

// --- the reference formatters ---------------------------------------------------

std::string referenceUtf8(std::string_view stored) {
    std::string out;
    for (const char c : stored) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            out += c;
        } else {
            out += static_cast<char>(0xC0 | (byte >> 6));
            out += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return out;
}

void referenceField(std::string& line, std::string_view field) {
    line += ',';
    if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
        line += field;
        return;
    }
    line += '"';
    for (const char c : field) {
        if (c == '"')
            line += '"';
        line += c;
    }
    line += '"';
}

// The shortest float text with its exponent moved, through printf and strings.
std::string referenceDecimal(float value, int shift) {
    if (value == 0.0f || !std::isfinite(value))
        return "0";
    char buffer[48];
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
    std::string text(buffer, written.ptr);
    std::string out;
    if (text.front() == '-') {
        out = "-";
        text.erase(0, 1);
    }
    const std::size_t e = text.find('e');
    std::string digits;
    for (char c : text.substr(0, e))
        if (c != '.')
            digits += c;
    int exponent = std::stoi(text.substr(e + 1)) + shift;
    if (exponent < -6 || exponent > 15)
        return out + digits.substr(0, 1) + (digits.size() > 1 ? "." + digits.substr(1) : "") + "e" +
               std::to_string(exponent);
    if (exponent < 0)
        return out + "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    const auto integerDigits = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= integerDigits)
        return out + digits + std::string(integerDigits - digits.size(), '0');
    return out + digits.substr(0, integerDigits) + "." + digits.substr(integerDigits);
}

void referenceReading(std::string& line, const ReadingRecord& r, DisplayKind kind) {
    // Unit, mode and the overload mark as the function table and the value text say.
    const TypedReading reading = ReadingOfRecord(r, RecordOrigin::Recorder, kind);
    const int shift = RecorderValueExponent(r.function(), kind);
    referenceField(line, reading.hasValue() ? referenceDecimal(r.value, shift) : std::string());
    referenceField(line, reading.unit);
    referenceField(line, reading.modeText());
    std::string_view display = r.displayText.view();
    while (!display.empty() && display.front() == ' ')
        display.remove_prefix(1);
    while (!display.empty() && display.back() == ' ')
        display.remove_suffix(1);
    referenceField(line, referenceUtf8(display));
    referenceField(line, reading.overloaded() ? "true" : "false");
}

std::string referenceTidyRow(std::int64_t index, const SampleEntry& e,
                             const std::string& marker = {}) {
    std::string line = std::to_string(index + 1);
    std::string_view time = e.main.timeText.view();
    while (!time.empty() && time.front() == ' ')
        time.remove_prefix(1);
    std::string t(time);
    if (t.find(':') == 1)
        t.insert(0, 1, '0');
    referenceField(line, referenceUtf8(t));
    referenceReading(line, e.main, DisplayKind::Main);
    if (e.hasSub == 1)
        referenceReading(line, e.sub, DisplayKind::Sub);
    else
        line += ",,,,,";
    referenceField(line, marker);
    return line;
}

// --- varied samples -------------------------------------------------------------

// Sample `i`: functions with their special cases (ohm, decibel, degrees, no unit
// of their own, a code of no function), modes or none, overloads, commas and
// quotes, values from tiny to huge, and a sub reading on some. Every record is one
// a recorder writes, so the samples pass the checks of opening their file (the
// exports of bytes no writer makes are tested with random images below).
SampleEntry variedSample(std::int64_t i) {
    static constexpr std::uint32_t kCodes[] = {0x6,    0x80,   0x180, 0x2080, 0x2000, 0x4020,
                                               0x8040, 0xC020, 0x400, 0x20,   0x1,    0x7FEF};
    static constexpr const char* kModes[] = {"", "AC", "DC", "T1", "T1-T2", "a,b", "q\""};
    static constexpr const char* kUnits[] = {"V", "Hz", "uA", "F [AC]", "", "%"};
    static constexpr float kValues[] = {0.0f,      1.0f,    -12.345f, 1e-9f,  4.7e-9f,
                                        123456.0f, 3.4e38f, 1e-30f,   0.001f, 50.0f,
                                        -0.5f,     1e16f,   7.0e15f,  2.5e-7f};
    const auto pick = [i](std::int64_t salt, std::size_t n) {
        return static_cast<std::size_t>((i * 2654435761LL + salt * 97) % static_cast<long long>(n));
    };
    SampleEntry e;
    e.main.functionCode = kCodes[pick(1, std::size(kCodes))] | (i % 13 == 0 ? 0x80000000u : 0u);
    float v = kValues[pick(2, std::size(kValues))];
    if (i % 17 == 3)
        v = std::numeric_limits<float>::quiet_NaN();
    e.main.value = v * static_cast<float>(1 + i % 5);
    char text[24];
    std::snprintf(text, sizeof text, "%.3f", static_cast<double>(e.main.value));
    e.main.valueText.assign(i % 11 == 0 ? " 0.L" : i % 23 == 0 ? "---" : text);
    std::string display(text);
    if (i % 3 == 0)
        display += (e.main.function() & 0x40) ? "F" : "C";
    if (i % 29 == 0)
        display = "  1,5o ";
    e.main.displayText.assign(display);
    e.main.prefixText.assign(i % 4 == 0 ? "k" : i % 4 == 1 ? "dB" : i % 4 == 2 ? "u" : "");
    e.main.unitText.assign(kUnits[pick(3, std::size(kUnits))]);
    e.main.modeText.assign(kModes[pick(4, std::size(kModes))]);
    std::snprintf(text, sizeof text, "%3d:%02d:%02d.%1d", static_cast<int>(i / 36000 % 24),
                  static_cast<int>(i / 600 % 60), static_cast<int>(i / 10 % 60),
                  static_cast<int>(i % 10));
    e.main.timeText.assign(i % 31 == 0 ? "1:02'03.500\"" : text);
    if (i % 2 == 0) {
        e.hasSub = 1;
        e.sub.functionCode = kCodes[pick(5, std::size(kCodes))];
        e.sub.value = kValues[pick(6, std::size(kValues))];
        e.sub.valueText.assign(i % 7 == 0 ? "OL" : "50.00");
        e.sub.displayText.assign(i % 7 == 0 ? " OL" : "50.00");
        e.sub.prefixText.assign(i % 8 == 0 ? "m" : "");
        e.sub.unitText.assign("Hz");
        e.sub.modeText.assign(kModes[pick(7, std::size(kModes))]);
    }
    return e;
}

SampleList variedSamples(std::int64_t count) {
    SampleList list;
    for (std::int64_t i = 0; i < count; ++i)
        list.append(variedSample(i));
    return list;
}

std::string referenceText(const SampleList& list, std::int64_t begin, std::int64_t end) {
    std::string text(kRecorderTextHeader);
    text += "\r\n";
    for (std::int64_t j = begin; j < end; ++j)
        text += RecorderTextLine(j, list[static_cast<std::size_t>(j)]) + "\r\n";
    return text;
}

template <typename Write> std::string collect(bool& written, Write&& write) {
    std::string all;
    written = write([&](std::string_view s) {
        all += s;
        return true;
    });
    return all;
}

Recording openRecording(const QString& path) {
    RecorderFileReader reader;
    EXPECT_EQ(reader.open(path), RecorderFileReader::OpenStatus::Ok);
    LoadResult loaded = LoadRecording(reader, {}, [](JobStage, std::int64_t, std::int64_t) {});
    EXPECT_EQ(loaded.outcome, LoadOutcome::Loaded);
    return std::move(loaded.recording);
}

} // namespace

TEST(ExportDifferential, ShortestDecimalMatchesTheStringBuiltText) {
    const GermanLocale german;
    for (const float v : {1.0f, -1.0f, 0.1f, 123.456f, 1e-9f, 4.7e-9f, 3.4e38f, 1.17e-38f, 1e-45f,
                          -7.5e15f, 9.99e15f, 12345678.0f, 0.000123f}) {
        for (const int shift : {-9, -6, -3, 0, 3, 6, 9}) {
            std::string text;
            AppendShortestDecimal(text, v, shift);
            EXPECT_EQ(text, referenceDecimal(v, shift)) << v << " e" << shift;
        }
    }
    std::string zero;
    AppendShortestDecimal(zero, std::numeric_limits<float>::infinity(), 3);
    EXPECT_EQ(zero, "0");
}

TEST(ExportDifferential, StandardTextOfManyPiecesIsTheLineByLineText) {
    const GermanLocale german;
    // More samples than one piece of the export holds, and not a whole number of pages.
    constexpr std::int64_t kCount = 150'123;
    const SampleList list = variedSamples(kCount);
    const std::int32_t lastPage = LastPageForCount(kCount);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("varied.g53"));
    ASSERT_TRUE(SaveRecorderFile(path, list));
    const Recording recording = openRecording(path);
    ASSERT_EQ(static_cast<std::int64_t>(recording.size()), kCount);

    // All pages, a run of pages from the partly filled first page, one page in the
    // middle, and pages outside the recording.
    const struct {
        std::int32_t first, last;
        std::int64_t begin, end;
    } runs[] = {{1, lastPage, 0, kCount},
                {1, 400, 0, kCount - (lastPage - 400) * 200},
                {500, 500, kCount - (lastPage - 499) * 200, kCount - (lastPage - 500) * 200},
                {lastPage + 1, lastPage + 5, 0, 0},
                {-3, 0, 0, 0}};
    for (const auto& run : runs) {
        const std::string expected = referenceText(list, run.begin, run.end);
        bool written = false;
        EXPECT_EQ(collect(written,
                          [&](const TextSink& sink) {
                              return WriteRecorderText(list, run.first, run.last, lastPage, sink);
                          }),
                  expected)
            << run.first << ".." << run.last;
        EXPECT_TRUE(written);
        EXPECT_EQ(collect(written,
                          [&](const TextSink& sink) {
                              return WriteRecorderText(recording.records(), run.first, run.last,
                                                       lastPage, sink);
                          }),
                  expected)
            << run.first << ".." << run.last;
        EXPECT_TRUE(written);
    }
    // The file export writes the same bytes.
    const QString exported = dir.filePath(QStringLiteral("all.csv"));
    ASSERT_TRUE(ExportRecorderText(exported, recording.records(), 1, lastPage, lastPage));
    QFile file(exported);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().toStdString() == referenceText(list, 0, kCount));
}

TEST(ExportDifferential, TidyRowsAreTheReferenceRows) {
    const GermanLocale german;
    constexpr std::int64_t kCount = 70'001; // over two pieces of the tidy export
    const SampleList list = variedSamples(kCount);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("varied.g53"));
    ASSERT_TRUE(SaveRecorderFile(path, list));
    const Recording recording = openRecording(path);
    // Markers with the longest notes, quoted, many of them in one piece and two on
    // one sample, and one on the last sample.
    std::vector<Marker> markers;
    const QString longest = QString(kMaxMarkerNote - 2, QChar(0x2126)) + QStringLiteral("\",");
    for (std::int64_t j : {std::int64_t{0}, std::int64_t{7}, std::int64_t{7}, kCount - 1})
        markers.push_back({j, {}, longest, {}, {}});
    for (std::int64_t j = 100; j < 4196; ++j)
        markers.push_back({j, {}, QStringLiteral("n, \"%1\"").arg(j), {}, {}});
    const TidyMarkerNotes notes(markers);
    std::string expected = RecorderTidyHeader(TidyTime::TimeOfDay) + "\r\n";
    for (std::int64_t j = 0; j < kCount; ++j) {
        const std::string note(notes.noteAt(j));
        const std::string row = referenceTidyRow(j, list[static_cast<std::size_t>(j)], note);
        if (j < 2000) { // row by row first, so a difference shows its sample
            ASSERT_EQ(RecorderTidyLine(j, list[static_cast<std::size_t>(j)], std::nullopt, note),
                      row)
                << "sample " << j;
        }
        expected += row + "\r\n";
    }
    EXPECT_EQ(notes.noteAt(7), (longest + QStringLiteral("; ") + longest).toStdString());
    const std::int32_t lastPage = LastPageForCount(kCount);
    bool written = false;
    const std::string all = collect(written, [&](const TextSink& sink) {
        return WriteRecorderTidy(recording, 1, lastPage, lastPage, sink, notes);
    });
    EXPECT_TRUE(written);
    EXPECT_TRUE(all == expected) << "the whole tidy export differs";
}

TEST(ExportDifferential, AFileCutUnderTheExportFailsItWithoutEmptyLines) {
    constexpr std::int64_t kCount = 100'000;
    const SampleList list = variedSamples(kCount);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("cut.g53"));
    ASSERT_TRUE(SaveRecorderFile(path, list));
    const Recording recording = openRecording(path);
    QFile file(path);
    ASSERT_TRUE(file.resize(4 + 169 * 80'000));
    const std::int32_t lastPage = LastPageForCount(kCount);
    bool written = true;
    const std::string text = collect(written, [&](const TextSink& sink) {
        return WriteRecorderText(recording.records(), 1, lastPage, lastPage, sink);
    });
    EXPECT_FALSE(written);
    // What was written is the start of the export, never a line of a missing record.
    const std::string expected = referenceText(list, 0, kCount);
    EXPECT_EQ(expected.compare(0, text.size(), text), 0);
    EXPECT_LT(text.size(), expected.size());
    const std::string tidy = collect(written, [&](const TextSink& sink) {
        return WriteRecorderTidy(recording, 1, lastPage, lastPage, sink);
    });
    EXPECT_FALSE(written);
    QString error;
    EXPECT_FALSE(ExportRecorderText(dir.filePath(QStringLiteral("out.csv")), recording.records(), 1,
                                    lastPage, lastPage, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("out.csv"))));
}

namespace {

// A random sample image: any bytes, with known function codes (degrees, ohm,
// decibel) and degree letters often enough to reach their rules, any has-sub byte,
// and a value text that is never empty (an empty one with a NaN is a gap, which a
// recorder file does not hold).
void randomImage(std::uint8_t* image, std::size_t bytes, std::uint32_t& seed) {
    static constexpr std::uint32_t kCodes[] = {0x6,    0x20,   0x40,   0x80,   0x180, 0x2080,
                                               0x2000, 0x4020, 0x8040, 0xC020, 0x400, 0x7FFF};
    const auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return static_cast<std::uint8_t>(seed >> 24);
    };
    for (std::size_t i = 0; i < bytes; ++i)
        image[i] = next() % 3 == 0 ? 0 : next();
    const std::size_t recordAt = bytes == kSampleSize ? 1 : 0;
    if (bytes == kSampleSize)
        image[0] = next() % 4 == 0 ? next() : next() % 2;
    for (std::size_t record = recordAt; record + kSessionRecordSize <= bytes;
         record += kRecordSize) {
        std::uint8_t* r = image + record;
        if (next() % 4 != 0) {
            const std::uint32_t code =
                kCodes[next() % std::size(kCodes)] | (next() % 8 == 0 ? 0x80000000u : 0u);
            for (int k = 0; k < 4; ++k)
                r[12 + k] = static_cast<std::uint8_t>(code >> (8 * k));
        }
        if (r[0] == 0)
            r[0] = '1';
        if (next() % 3 == 0) { // a display text ending in a degree letter
            const std::size_t length = 1 + next() % 14;
            r[32 + length - 1] = next() % 2 == 0 ? 'C' : 'F';
            r[32 + length] = 0;
        }
    }
}

} // namespace

TEST(ExportDifferential, RandomImagesInEveryKindOfRunGiveTheDecodedSamplesText) {
    // The exports read images in blocks (from a .g53 file, from memory, from the
    // older layouts); the reference decodes sample by sample through a record reader.
    QTemporaryDir dir;
    std::uint32_t seed = 4242;
    const auto writeRandom = [&](const QString& name, std::size_t bytes, std::int64_t count) {
        std::vector<std::uint8_t> data(static_cast<std::size_t>(count) * bytes);
        for (std::int64_t i = 0; i < count; ++i)
            randomImage(data.data() + static_cast<std::size_t>(i) * bytes, bytes, seed);
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(reinterpret_cast<const char*>(data.data()), static_cast<qint64>(data.size()));
        return RecordFile::open(dir.filePath(name));
    };
    RecordStore store;
    store.appendStored(writeRandom(QStringLiteral("a.g53"), kSampleSize, 20'000),
                       RecorderFormat::G53, 0, 20'000);
    for (int i = 0; i < 300; ++i) {
        std::array<std::uint8_t, kSampleSize> image{};
        randomImage(image.data(), kSampleSize, seed);
        store.appendInMemory(DecodeSample(image));
    }
    store.appendStored(writeRandom(QStringLiteral("b.g52"), kRecordSize, 5'000),
                       RecorderFormat::G52, 0, 5'000);
    store.appendStored(writeRandom(QStringLiteral("c.g51"), kSessionRecordSize, 3'000),
                       RecorderFormat::G51, 0, 3'000);
    store.appendStored(writeRandom(QStringLiteral("d.TMP"), kSampleSize, 4'000),
                       RecorderFormat::Tmp, 0, 4'000);
    ASSERT_EQ(store.runs().size(), 5u);

    RecordReader reader;
    std::string standard = std::string(kRecorderTextHeader) + "\r\n";
    std::string tidy = RecorderTidyHeader(TidyTime::TimeOfDay) + "\r\n";
    for (std::int64_t j = 0; j < store.size(); ++j) {
        const std::optional<SampleEntry> entry = reader.tryRead(store, j);
        ASSERT_TRUE(entry.has_value()) << j;
        standard += RecorderTextLine(j, *entry) + "\r\n";
        tidy += referenceTidyRow(j, *entry) + "\r\n";
    }
    const std::int32_t lastPage = LastPageForCount(store.size());
    bool written = false;
    const std::string text = collect(written, [&](const TextSink& sink) {
        return WriteRecorderText(store, 1, lastPage, lastPage, sink);
    });
    EXPECT_TRUE(written);
    EXPECT_TRUE(text == standard) << "the standard text differs";
    const std::string rows = collect(written, [&](const TextSink& sink) {
        return WriteRecorderTidy(store, 1, lastPage, lastPage, sink);
    });
    EXPECT_TRUE(written);
    ASSERT_EQ(rows.size(), tidy.size());
    EXPECT_TRUE(rows == tidy) << "the tidy text differs";
}

TEST(ExportPieces, PiecesReachTheSinkInOrderAndStopAtTheFirstFailure) {
    constexpr std::int64_t kPieces = 997;
    const auto format = [](std::int64_t failAt, bool throws) {
        return [failAt, throws](int, std::int64_t piece, std::string& out) {
            if (piece == failAt) {
                if (throws)
                    throw std::bad_alloc();
                return false;
            }
            out = std::to_string(piece) + ';';
            return true;
        };
    };
    std::string expected;
    for (std::int64_t piece = 0; piece < kPieces; ++piece)
        expected += std::to_string(piece) + ';';

    std::string text;
    const auto collectAll = [&text](std::string_view s) {
        text += s;
        return true;
    };
    EXPECT_TRUE(WritePiecesInOrder(kPieces, format(-1, false), collectAll));
    EXPECT_EQ(text, expected);

    // A piece that cannot be formatted (or runs out of memory): the pieces before it
    // and nothing after.
    for (const bool throws : {false, true}) {
        text.clear();
        EXPECT_FALSE(WritePiecesInOrder(kPieces, format(500, throws), collectAll));
        EXPECT_EQ(text, expected.substr(0, expected.find("500;")));
    }

    // A sink that refuses: no more calls after it.
    int calls = 0;
    EXPECT_FALSE(WritePiecesInOrder(kPieces, format(-1, false),
                                    [&calls](std::string_view) { return ++calls < 10; }));
    EXPECT_EQ(calls, 10);
    EXPECT_TRUE(WritePiecesInOrder(0, format(-1, false), collectAll));
}
