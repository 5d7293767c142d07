// Recorder files whose records no writer makes: random, zero and 0xFF bytes in
// every format, and one damaged record among sound ones. The readers refuse them
// before a single value is believed, the recorder names the file, the sample and
// the reason, and every file the writers make still opens.
#include "JobWaits.h"
#include "recording/GapSample.h"
#include "recording/RecorderController.h"
#include "recording/RecorderFile.h"
#include "recording/recordingjobs.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <random>

using namespace telmora;

namespace {

SampleEntry sound(int i) {
    SampleEntry e;
    e.main.valueText.assign(std::to_string(i));
    e.main.exponentText.assign("0");
    e.main.functionCode = 0x6;
    e.main.timeText.assign(" 10:00:00." + std::to_string(i % 10));
    e.main.displayText.assign(" " + std::to_string(i % 1000));
    e.main.unitText.assign("V");
    e.main.value = static_cast<float>(i);
    e.main.modeText.assign("DC");
    e.sub.timeText = e.main.timeText;
    return e;
}

void write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

QByteArray filled(std::size_t size, int fill, std::mt19937& random) {
    QByteArray bytes(static_cast<qsizetype>(size), static_cast<char>(fill));
    if (fill < 0)
        for (char& b : bytes)
            b = static_cast<char>(random());
    return bytes;
}

struct RecordChecks : ::testing::Test {
    QTemporaryDir dir;
    QString file(const QString& name) const { return dir.filePath(name); }
};

} // namespace

TEST_F(RecordChecks, RandomZeroAndFfBytesLoadNothingInAnyFormat) {
    std::mt19937 random(35);
    for (const char* name : {"x.g51", "x.g52", "x.TMP", "x.g53"}) {
        for (const int fill : {0x00, 0xFF, -1}) {
            const QString path = file(QString::fromLatin1(name));
            QByteArray bytes = filled(20'000, fill, random);
            if (QByteArray(name) == "x.g53" && fill != 0) // a count the file holds
                bytes.replace(0, 4, QByteArray("\x64\x00\x00\x00", 4));
            write(path, bytes);
            if (QByteArray(name) == "x.g53" && fill == 0) { // a count of 0, data after it
                RecorderFileReader reader;
                ASSERT_EQ(reader.open(path), RecorderFileReader::OpenStatus::Ok);
                EXPECT_FALSE(NoSamplesProblem(reader).isEmpty());
                continue;
            }
            SampleList loaded;
            loaded.append(sound(1));
            const RecorderLoadResult result = LoadRecorderFile(path, loaded);
            ASSERT_EQ(result.status, RecorderFileReader::OpenStatus::Ok) << name << fill;
            EXPECT_EQ(loaded.size(), 1u) << name << fill; // left as it was
            EXPECT_EQ(result.loaded, 0) << name << fill;
            ASSERT_TRUE(result.damage.has_value()) << name << fill;
            EXPECT_EQ(result.damage->sample, 0) << name << fill;
        }
    }
}

TEST_F(RecordChecks, ALoadStopsAtTheFirstDamagedRecordAndKeepsNothing) {
    // More samples than one block of the reader, the damaged one in the second block.
    SampleList samples;
    for (int i = 0; i < 5000; ++i)
        samples.append(i % 100 == 7 ? MakeGapSample(" 10:00:00.7") : sound(i));
    const QString path = file(QStringLiteral("one-bad.g53"));
    ASSERT_TRUE(SaveRecorderFile(path, samples));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.seek(4 + 169 * 3210 + 1 + 16)); // sample 3211's main time text
    ASSERT_EQ(f.write("1x:00:00.0", 10), 10);
    f.close();

    RecorderFileReader reader;
    ASSERT_EQ(reader.open(path), RecorderFileReader::OpenStatus::Ok);
    const LoadResult result =
        LoadRecording(reader, {}, [](JobStage, std::int64_t, std::int64_t) {});
    EXPECT_EQ(result.outcome, LoadOutcome::Damaged);
    EXPECT_EQ(result.damage.sample, 3210);
    EXPECT_EQ(result.recording.size(), 0u);
    EXPECT_EQ(DamageText(result.damage),
              QStringLiteral("sample 3211: the main reading's time text is not a time"));

    // Every file the writers make opens, gaps included.
    ASSERT_TRUE(SaveRecorderFile(path, samples));
    SampleList loaded;
    EXPECT_EQ(LoadRecorderFile(path, loaded).loaded, 5000);
}

TEST_F(RecordChecks, TheRecorderNamesTheFileTheSampleAndTheReason) {
    RecorderController recorder({}, dir.path());
    QSignalSpy errors(&recorder, &RecorderController::errorRaised);
    std::mt19937 random(9);

    // Random bytes with a plausible count: a numbered message, not values of 7e38.
    const QString randomFile = file(QStringLiteral("random.g53"));
    write(randomFile, QByteArray("\x10\x00\x00\x00", 4) + filled(16 * 169, -1, random));
    QSignalSpy finished(&recorder, &RecorderController::loadFinished);
    ASSERT_TRUE(recorder.startLoad(randomFile));
    ASSERT_TRUE(finished.wait(10000));
    EXPECT_EQ(finished.last().at(0).value<LoadOutcome>(), LoadOutcome::Damaged);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_EQ(errors.last().at(0).value<TextId>(), TextId::FileDamaged);
    const QString reason = errors.last().at(1).toString();
    EXPECT_TRUE(reason.startsWith(randomFile + QStringLiteral(": sample 1: ")))
        << reason.toStdString();
    EXPECT_TRUE(recorder.recording().empty());

    // A .g53 of zeros: a count of 0 with data after it is refused at once.
    const QString zeros = file(QStringLiteral("zeros.g53"));
    write(zeros, QByteArray(4 + 3 * 169, '\0'));
    EXPECT_FALSE(recorder.startLoad(zeros));
    ASSERT_EQ(errors.size(), 2);
    EXPECT_EQ(errors.last().at(0).value<TextId>(), TextId::FileDamaged);
    EXPECT_TRUE(errors.last().at(1).toString().contains(QStringLiteral("zeros.g53")));
    EXPECT_TRUE(errors.last().at(1).toString().contains(QStringLiteral("count is 0")));
}
