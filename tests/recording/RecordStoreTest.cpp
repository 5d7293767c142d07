#include "recording/RecordStore.h"
#include "recording/Recording.h"
#include "recording/TemporaryStorage.h"
#include "recording/recorderexport.h"
#include "recording/recordertidy.h"
#include "recording/recordingjobs.h"
#include "recording/recordingview.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <random>
#include <stop_token>
#include <string>
#include <vector>

using namespace telmora;

namespace {

SampleEntry sampleNumber(int i) {
    SampleEntry e;
    e.hasSub = static_cast<std::uint8_t>(i % 3 == 0);
    e.main.valueText.assign(std::to_string(i));
    e.main.functionCode = i % 2 == 0 ? 0x6u : 0x5u;
    e.main.timeText.assign(" 10:00:" + std::to_string(10 + i % 50) + ".0");
    e.main.displayText.assign(std::to_string(i * 3));
    e.main.unitText.assign("V");
    e.main.value = static_cast<float>(i) * 0.25f;
    e.main.modeText.assign(i % 2 == 0 ? "DC" : "AC");
    e.sub.displayText.assign("50.00");
    e.sub.unitText.assign("Hz");
    e.sub.value = 50.0f + static_cast<float>(i);
    return e;
}

QByteArray imageOf(const SampleEntry& e) {
    std::array<std::uint8_t, kSampleSize> b{};
    EncodeSample(e, b);
    return QByteArray(reinterpret_cast<const char*>(b.data()), kSampleSize);
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

Recording open(const QString& path, LoadResult* out = nullptr) {
    RecorderFileReader reader;
    EXPECT_EQ(reader.open(path), RecorderFileReader::OpenStatus::Ok);
    LoadResult result = LoadRecording(reader, {}, [](JobStage, std::int64_t, std::int64_t) {});
    EXPECT_EQ(result.outcome, LoadOutcome::Loaded);
    if (out != nullptr)
        out->cutShort = result.cutShort;
    return std::move(result.recording);
}

class RecordStoreTest : public ::testing::Test {
protected:
    QString path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }
    QTemporaryDir m_dir;
};

} // namespace

// A recording made of a temporary file, samples kept in memory and a second
// temporary file reads every sample back as it was taken, saves the same bytes as
// the in-memory save and exports the same text.
TEST_F(RecordStoreTest, MixedRunsReadBackSaveAndExportAsTaken) {
    Recording recording;
    SampleList reference;
    TemporaryFile first, second;
    ASSERT_TRUE(first.create(path("~ODMDL1.TMP")));
    ASSERT_TRUE(second.create(path("~ODMDL2.TMP")));
    for (int i = 0; i < 700; ++i) {
        const SampleEntry e = sampleNumber(i);
        TemporaryFile* file = i < 300 ? &first : i < 350 ? nullptr : &second;
        std::int64_t offset = -1;
        if (file != nullptr) {
            ASSERT_TRUE(file->append(e, &offset));
        }
        recording.addSample(e, std::nullopt, file != nullptr ? file->records() : nullptr, offset);
        reference.append(e);
    }
    ASSERT_EQ(recording.records().runs().size(), 3u);
    for (std::int64_t i : {0, 63, 64, 299, 300, 349, 350, 699, 5, 420})
        EXPECT_EQ(imageOf(recording.sampleAt(i)), imageOf(reference[std::size_t(i)])) << i;
    EXPECT_EQ(recording.sampleAt(700).main.value, 0.0f); // outside: empty

    ASSERT_TRUE(SaveRecorderFile(path("old.g53"), reference));
    QString error;
    ASSERT_TRUE(SaveRecordStore(path("new.g53"), recording.records(), &error))
        << error.toStdString();
    EXPECT_EQ(readAll(path("new.g53")), readAll(path("old.g53")));

    const std::int32_t last = LastPageForCount(700);
    std::string fromList, fromStore;
    WriteRecorderText(reference, 1, last, last, [&](std::string_view s) {
        fromList += s;
        return true;
    });
    WriteRecorderText(recording.records(), 1, last, last, [&](std::string_view s) {
        fromStore += s;
        return true;
    });
    EXPECT_EQ(fromStore, fromList);
}

// Opened files keep their records on disk: every format reads back as the whole-file
// reader decodes it, and saving converts the older formats as the in-memory save does.
TEST_F(RecordStoreTest, OpenedFilesOfEveryFormatReadAndSaveLikeTheFullLoad) {
    QByteArray g52, g51;
    for (int i = 0; i < 150; ++i) {
        std::array<std::uint8_t, kRecordSize> r{};
        EncodeRecord(sampleNumber(i).main, r);
        g52.append(reinterpret_cast<const char*>(r.data()), kRecordSize);
        g51.append(reinterpret_cast<const char*>(r.data()), kSessionRecordSize);
    }
    g51.append("xyz"); // a partial record at the end is left out
    for (const auto& [name, bytes] : {std::pair{"a.g52", g52}, std::pair{"b.g51", g51}}) {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        f.close();
        SampleList full;
        ASSERT_EQ(LoadRecorderFile(path(name), full).loaded, 150);
        const Recording recording = open(path(name));
        ASSERT_EQ(recording.size(), 150u);
        for (std::int64_t i = 0; i < 150; ++i) {
            ASSERT_EQ(imageOf(recording.sampleAt(i)), imageOf(full[std::size_t(i)])) << name << i;
            ASSERT_EQ(recording.valueAt(i), full[std::size_t(i)].main.value);
        }
        ASSERT_TRUE(SaveRecorderFile(path("old.g53"), full));
        ASSERT_TRUE(SaveRecordStore(path("new.g53"), recording.records()));
        EXPECT_EQ(readAll(path("new.g53")), readAll(path("old.g53"))) << name;
    }
}

// A save tells how far it has come, up to every sample, and a save stopped on the
// way leaves an existing target as it was, with no reason to show (the user asked).
TEST_F(RecordStoreTest, SaveReportsItsProgressAndStopsWhenAsked) {
    SampleList samples;
    for (int i = 0; i < 20000; ++i)
        samples.append(sampleNumber(i));
    ASSERT_TRUE(SaveRecorderFile(path("source.g53"), samples));
    const Recording recording = open(path("source.g53"));

    std::vector<std::int64_t> reports;
    ASSERT_TRUE(SaveRecordStore(path("copy.g53"), recording.records(), nullptr, {},
                                [&](std::int64_t done, std::int64_t total) {
                                    EXPECT_EQ(total, 20000);
                                    reports.push_back(done);
                                }));
    ASSERT_FALSE(reports.empty());
    EXPECT_EQ(reports.back(), 20000);
    EXPECT_TRUE(std::is_sorted(reports.begin(), reports.end()));
    EXPECT_EQ(readAll(path("copy.g53")), readAll(path("source.g53")));

    ASSERT_TRUE(SaveRecorderFile(path("kept.g53"), SampleList{}));
    const QByteArray kept = readAll(path("kept.g53"));
    std::stop_source stop;
    QString error = QStringLiteral("untouched");
    EXPECT_FALSE(SaveRecordStore(path("kept.g53"), recording.records(), &error, stop.get_token(),
                                 [&](std::int64_t, std::int64_t) { stop.request_stop(); }));
    EXPECT_TRUE(error.isEmpty()) << qPrintable(error);
    EXPECT_EQ(readAll(path("kept.g53")), kept);
}

// A file cut under us after opening: records it no longer holds read as empty samples,
// and saving fails with a reason, leaving an existing target as it was.
TEST_F(RecordStoreTest, FileCutAfterOpeningReadsEmptyAndRefusesToSave) {
    SampleList samples;
    for (int i = 0; i < 200; ++i)
        samples.append(sampleNumber(i));
    ASSERT_TRUE(SaveRecorderFile(path("cut.g53"), samples));
    const Recording recording = open(path("cut.g53"));
    ASSERT_EQ(recording.size(), 200u);
    EXPECT_EQ(imageOf(recording.sampleAt(199)), imageOf(samples[199]));
    ASSERT_TRUE(QFile::resize(path("cut.g53"), 4 + 100 * qint64(kSampleSize)));
    // Far enough from the cached block to be read again.
    EXPECT_EQ(imageOf(recording.sampleAt(50)), imageOf(samples[50]));
    EXPECT_EQ(imageOf(recording.sampleAt(150)), imageOf(SampleEntry{}));
    EXPECT_EQ(recording.valueAt(150), samples[150].main.value); // the value stays in memory

    QFile target(path("target.g53"));
    ASSERT_TRUE(target.open(QIODevice::WriteOnly));
    target.write("keep");
    target.close();
    QString error;
    EXPECT_FALSE(SaveRecordStore(path("target.g53"), recording.records(), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(readAll(path("target.g53")), QByteArray("keep"));

    // Exports stop too, rather than writing empty lines for the lost records, and
    // leave an earlier file of the name as it was.
    const std::int32_t lastPage = LastPageForCount(200);
    error.clear();
    EXPECT_FALSE(
        ExportRecorderText(path("target.g53"), recording.records(), 1, lastPage, lastPage, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("shorter"))) << error.toStdString();
    EXPECT_EQ(readAll(path("target.g53")), QByteArray("keep"));
    EXPECT_FALSE(ExportRecorderText(path("new.csv"), recording.records(), 1, lastPage, lastPage));
    EXPECT_FALSE(QFile::exists(path("new.csv")));
    EXPECT_FALSE(ExportRecorderTidy(path("new.csv"), recording, 1, lastPage, lastPage));
    EXPECT_FALSE(QFile::exists(path("new.csv")));
}

// The whole view built from the block extremes picks the same samples as the scan of
// every value, with ties, NaN values (also at a block's start) and odd block sizes.
TEST(RecordingView, BlockExtremesGiveTheSameReductionAsTheFullScan) {
    std::mt19937 random(7);
    for (const int n : {9000, 8193 * 3 + 1, 100000}) {
        Recording recording;
        std::vector<float> values;
        for (int i = 0; i < n; ++i) {
            float v = static_cast<float>(random() % 40) - 20.0f; // many equal values
            if (i % 997 == 0 || i % 256 == 0)
                v = std::numeric_limits<float>::quiet_NaN();
            if (i == n / 2)
                v = 1000.0f;
            SampleEntry e;
            e.main.value = v;
            recording.addSample(e);
            values.push_back(v);
        }
        const ViewReduction plain =
            ReduceForView(n, recording.maxIndex(), recording.minIndex(),
                          [&](std::int64_t i) { return values[std::size_t(i)]; });
        const ViewReduction fast = ReduceRecordingForView(recording);
        EXPECT_EQ(fast.indexes, plain.indexes) << n;
        EXPECT_EQ(fast.maxPoint, plain.maxPoint);
        EXPECT_EQ(fast.minPoint, plain.minPoint);
        for (std::int64_t s : {0, 1, 255, 256, 300}) {
            const auto e = std::min<std::int64_t>(n, s + 3000);
            EXPECT_EQ(
                RecordingExtremesOf(recording, s, e),
                ScanBlockExtremes(s, e, [&](std::int64_t i) { return values[std::size_t(i)]; }))
                << n << " from " << s;
        }
    }
}
