// The temporary file of a recording: one file from its first sample to its last
// through stops, starts and manual samples, the samples it lacks written first, and
// a full disk that keeps the newest sample in memory and says why.
#include "FakeLiveSource.h"
#include "SmallDisk.h"
#include "recording/RecorderController.h"
#include "recording/RecorderFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstring>

using namespace telmora;

namespace {

DecodedReply voltsReading(double volts) {
    char text[16];
    std::snprintf(text, sizeof text, "%6.3f", volts);
    DecodedReply reading;
    reading.main = MeasureDisplay(text, volts < 0, 0x6, 0, DisplayKind::Main);
    return reading;
}

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray recordingBytes(const Recording& recording) {
    QByteArray out;
    for (std::size_t i = 0; i < recording.size(); ++i) {
        std::array<std::uint8_t, kSampleSize> b{};
        EncodeSample(recording.sampleAt(static_cast<std::int64_t>(i)), b);
        out.append(reinterpret_cast<const char*>(b.data()), kSampleSize);
    }
    return out;
}

// A recorder over a meter that always has a fresh reading.
struct Rig {
    explicit Rig(const QString& directory) : recorder(ReadingsOf(live), directory) {
        live.linked = true;
        live.valid = true;
    }
    void take(int samples) {
        for (int i = 0; i < samples; ++i) {
            live.reading = voltsReading(++taken * 0.5);
            recorder.takeSample();
        }
    }
    int lastError() const {
        return errors.isEmpty() ? 0 : textNumber(errors.last().value(0).value<TextId>());
    }
    QString lastReason() const {
        return errors.isEmpty() ? QString() : errors.last().value(1).toString();
    }

    FakeLiveSource live;
    RecorderController recorder;
    QSignalSpy errors{&recorder, &RecorderController::errorRaised};
    int taken = 0;
};

} // namespace

TEST(RecordingFile, OneRecordingKeepsOneFileThroughStopsStartsAndManualSamples) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    Rig rig(dir.path());
    RecorderController& recorder = rig.recorder;
    ASSERT_TRUE(recorder.startRecording());
    const QString file = recorder.temporaryFilePath();
    rig.take(3);
    recorder.stopRecording();
    ASSERT_TRUE(recorder.startRecording());
    rig.take(2);
    recorder.stopRecording();
    recorder.setAcquisition(AcquisitionMode::Manual, 0);
    ASSERT_TRUE(recorder.takeManualSample());
    EXPECT_EQ(recorder.temporaryFilePath(), file);
    EXPECT_EQ(recorder.recording().size(), 6u);
    EXPECT_EQ(fileBytes(file), recordingBytes(recorder.recording())) << "all six, in order";
    EXPECT_FALSE(QFile::exists(TemporaryFilePath(dir.path(), 2)));

    // A cleared recording begins a file of its own; the old file is left as it was.
    recorder.setAcquisition(AcquisitionMode::Automatic, 500);
    recorder.clear();
    ASSERT_TRUE(recorder.startRecording());
    rig.take(1);
    const QString next = recorder.temporaryFilePath();
    EXPECT_NE(next, file);
    EXPECT_EQ(QFileInfo(file).size(), qint64(6 * kSampleSize));
    EXPECT_EQ(fileBytes(next), recordingBytes(recorder.recording()));
    EXPECT_TRUE(rig.errors.isEmpty());
}

TEST(RecordingFile, SamplesTheFileLacksAreWrittenBeforeTheRecordingGoesOn) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    Rig rig(dir.path());
    RecorderController& recorder = rig.recorder;
    SampleList saved;
    for (int i = 0; i < 5; ++i) {
        SampleEntry e;
        e.main.value = float(i);
        e.main.displayText.assign(std::to_string(i));
        e.main.functionCode = 0x6;
        saved.append(e);
    }
    const QString g53 = dir.filePath(QStringLiteral("earlier.g53"));
    ASSERT_TRUE(SaveRecorderFile(g53, saved));
    QSignalSpy loaded(&recorder, &RecorderController::loadFinished);
    ASSERT_TRUE(recorder.startLoad(g53));
    ASSERT_TRUE(loaded.wait(10000));

    // Samples added while no file is open stay in memory until the next start.
    SampleEntry loose;
    loose.main.value = 42.0f;
    loose.main.displayText.assign("42");
    recorder.addSample(loose);
    ASSERT_TRUE(recorder.startRecording());
    rig.take(2);
    ASSERT_EQ(recorder.recording().size(), 8u);
    const QByteArray onDisk = fileBytes(recorder.temporaryFilePath());
    EXPECT_EQ(onDisk.size(), qsizetype(8 * kSampleSize));
    EXPECT_EQ(onDisk, recordingBytes(recorder.recording()))
        << "the opened samples, the one in memory and the new ones, in order";
}

#ifdef Q_OS_LINUX
TEST(RecordingFile, AFullDiskKeepsTheNewestSampleInMemoryAndSaysWhy) {
    SmallDisk disk("size=8k,mode=0700");
    if (!disk.mounted())
        GTEST_SKIP() << "no small disk to fill: " << disk.whyNot();
    Rig rig(disk.root());
    RecorderController& recorder = rig.recorder;
    ASSERT_TRUE(recorder.startRecording());
    const QString file = recorder.temporaryFilePath();
    while (rig.errors.isEmpty() && rig.taken < 1000)
        rig.take(1);
    const QString noSpace = QString::fromLocal8Bit(std::strerror(ENOSPC));
    ASSERT_EQ(rig.lastError(), textNumber(TextId::TempFileWriteFailed));
    EXPECT_EQ(rig.lastReason(), noSpace);
    EXPECT_FALSE(recorder.isRecording());
    const auto count = static_cast<qint64>(recorder.recording().size());
    ASSERT_EQ(count, rig.taken) << "the refused sample is kept";
    EXPECT_EQ(QFileInfo(file).size(), (count - 1) * qint64(kSampleSize))
        << "the file keeps whole samples only";
    EXPECT_FLOAT_EQ(recorder.recording().sampleAt(count - 1).main.value, float(count) * 0.5f);

    // Still full: the recording cannot go on, and says why.
    EXPECT_FALSE(recorder.startRecording());
    EXPECT_EQ(rig.lastError(), textNumber(TextId::TempFileCreateFailed));
    EXPECT_EQ(rig.lastReason(), noSpace);

    // Room again: the sample held in memory goes to the file first.
    ASSERT_TRUE(disk.remount("size=1m"));
    ASSERT_TRUE(recorder.startRecording());
    rig.take(1);
    EXPECT_EQ(recorder.temporaryFilePath(), file);
    EXPECT_EQ(fileBytes(file), recordingBytes(recorder.recording()));
}
#endif
