// The recorder waits for its trigger's start, keeps samples from the tick that met
// it and stops by itself; the trigger is saved with a recording of several meters.
#include "FakeLiveSource.h"
#include "JobWaits.h"
#include "recording/RecorderController.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <array>

using namespace telmora;

namespace {

struct TriggeredRecorder : ::testing::Test {
    QTemporaryDir dir;
    std::array<FakeLiveSource, 2> live;
    RecorderController recorder{ReadingsOf(live[0]), dir.path()};
    QSignalSpy waiting{&recorder, &RecorderController::triggerWaitingChanged};
    QSignalSpy errors{&recorder, &RecorderController::errorRaised};

    void useTwoMeters() {
        recorder.setMeters({{QStringLiteral("Supply"), QStringLiteral("S1"), ReadingsOf(live[0])},
                            {QStringLiteral("Load"), QStringLiteral("S2"), ReadingsOf(live[1])}});
    }
    void setTrigger(const char* start, const char* stop) {
        RecordingTrigger trigger;
        ASSERT_TRUE(ParseStartText(start, recorder.meterCount(), trigger));
        ASSERT_TRUE(ParseStopText(stop, recorder.meterCount(), trigger));
        recorder.setTrigger(trigger);
    }
    // One scheduled tick with meter 1 showing `text` (volts).
    void tick(const char* text) {
        live[0].deliver(text);
        recorder.takeScheduledSample();
    }
    double firstValue() const {
        return ReadingOfRecord(recorder.recording().sampleAt(0).main, RecordOrigin::Recorder).value;
    }
};

} // namespace

TEST_F(TriggeredRecorder, WaitsForACrossingThenStopsAfterItsSamples) {
    setTrigger("M1 > 5 V", "after 3");
    live[0].deliver(" 6.000"); // above already: not a crossing
    ASSERT_TRUE(recorder.startRecording());
    EXPECT_TRUE(recorder.isRecording());
    EXPECT_TRUE(recorder.waitingForTrigger());
    ASSERT_EQ(waiting.count(), 1);
    EXPECT_TRUE(waiting.last().at(0).toBool());
    EXPECT_FALSE(recorder.temporaryFileOpen()); // nothing to keep yet
    for (const char* text : {" 6.000", " 4.000", " 5.000"})
        tick(text);
    EXPECT_TRUE(recorder.recording().empty());
    tick(" 5.500");
    EXPECT_FALSE(recorder.waitingForTrigger());
    EXPECT_FALSE(waiting.last().at(0).toBool());
    ASSERT_EQ(recorder.recording().size(), 1u);
    EXPECT_DOUBLE_EQ(firstValue(), 5.5);
    EXPECT_TRUE(recorder.temporaryFileOpen());
    tick(" 3.000"); // once started, the level no longer matters
    EXPECT_TRUE(recorder.isRecording());
    tick(" 7.000");
    EXPECT_FALSE(recorder.isRecording()); // the third sample ends it
    EXPECT_FALSE(recorder.temporaryFileOpen());
    EXPECT_EQ(recorder.recording().size(), 3u);
    EXPECT_EQ(errors.count(), 0);

    // The next Start waits again, for a new crossing.
    ASSERT_TRUE(recorder.startRecording());
    EXPECT_TRUE(recorder.waitingForTrigger());
    tick(" 9.000");
    EXPECT_EQ(recorder.recording().size(), 3u);
}

TEST_F(TriggeredRecorder, AUnitInTheConditionIgnoresReadingsInOtherUnits) {
    setTrigger("M1 > 5 V", "");
    live[0].deliver(" 1.000");
    ASSERT_TRUE(recorder.startRecording());
    recorder.takeScheduledSample();
    live[0].deliver(" 9.000", 0x80); // ohms: neither side
    recorder.takeScheduledSample();
    EXPECT_TRUE(recorder.waitingForTrigger());
    tick(" 6.000");
    EXPECT_FALSE(recorder.waitingForTrigger());
    EXPECT_EQ(recorder.recording().size(), 1u);
}

TEST_F(TriggeredRecorder, StopWhileWaitingKeepsNothing) {
    setTrigger("M1 < 1", "");
    live[0].deliver(" 2.000");
    ASSERT_TRUE(recorder.startRecording());
    recorder.takeScheduledSample();
    recorder.stopRecording();
    EXPECT_FALSE(recorder.isRecording());
    EXPECT_FALSE(recorder.waitingForTrigger());
    EXPECT_FALSE(waiting.last().at(0).toBool());
    EXPECT_TRUE(recorder.recording().empty());
    EXPECT_FALSE(recorder.hasUnsavedData());
}

TEST_F(TriggeredRecorder, AnyMetersConditionStopsTheRecordingWithTheSampleThatMetIt) {
    useTwoMeters();
    setTrigger("", "when M2 < 1 V");
    live[0].deliver(" 5.000");
    live[1].deliver(" 2.000");
    ASSERT_TRUE(recorder.startRecording());
    EXPECT_FALSE(recorder.waitingForTrigger());
    EXPECT_EQ(waiting.count(), 0); // a start at once never waits
    recorder.takeScheduledSample();
    live[0].deliver(" 0.500"); // the first meter below 1 V changes nothing
    live[1].deliver(" 1.500");
    recorder.takeScheduledSample();
    EXPECT_TRUE(recorder.isRecording());
    live[1].deliver(" 0.900");
    recorder.takeScheduledSample();
    EXPECT_FALSE(recorder.isRecording());
    EXPECT_EQ(recorder.meterRecording(1).size(), 3u);
}

TEST_F(TriggeredRecorder, TheTriggerIsSavedWithTheRecordingAndComesBackWhenOpened) {
    useTwoMeters();
    setTrigger("M2 > 2.2k", "after 10m");
    const RecordingTrigger saved = recorder.trigger();
    live[0].deliver(" 1.000");
    live[1].deliver(" 1.000");
    recorder.takeManualSample();
    const QString path = dir.filePath(QStringLiteral("bench.telmora"));
    ASSERT_TRUE(SaveAndWait(recorder, path));
    QFile manifest(path);
    ASSERT_TRUE(manifest.open(QIODevice::ReadOnly));
    EXPECT_TRUE(manifest.readAll().contains("\"start\": \"M2 > 2.2k\""));

    std::array<FakeLiveSource, 1> other;
    RecorderController reopened{ReadingsOf(other[0]), dir.path()};
    QSignalSpy changed(&reopened, &RecorderController::triggerChanged);
    QSignalSpy loaded(&reopened, &RecorderController::loadFinished);
    ASSERT_TRUE(reopened.startLoad(path));
    ASSERT_TRUE(loaded.wait(60000));
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(reopened.trigger(), saved);
}
