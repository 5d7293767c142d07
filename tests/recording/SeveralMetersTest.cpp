// A recording of several meters: one sample per meter and tick with gaps where a
// meter had nothing new, meters that end, the math channel, the manifest and its
// files, and the tidy export's long and wide layouts.
#include "FakeLiveSource.h"
#include "JobWaits.h"
#include "SmallDisk.h"
#include "recording/GapSample.h"
#include "recording/MathChannel.h"
#include "recording/RecorderController.h"
#include "recording/RecorderFile.h"
#include "recording/RecordingManifest.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <clocale>
#include <cmath>
#include <string>
#include <vector>

using namespace telmora;

namespace {

// Waits until the math values of a new expression have been computed.
bool waitForMath(RecorderController& recorder) {
    if (!recorder.mathPending())
        return true;
    QSignalSpy changed(&recorder, &RecorderController::metersChanged);
    return changed.wait(30000) && !recorder.mathPending();
}

struct SeveralMeters : ::testing::Test {
    QTemporaryDir dir;
    FakeLiveSource first, second, third;
    RecorderController recorder{ReadingsOf(first), dir.path()};
    QSignalSpy added{&recorder, &RecorderController::sampleAdded};
    QSignalSpy errors{&recorder, &RecorderController::errorRaised};

    void useMeters(int count) {
        recorder.setMeterName(QStringLiteral("Bench/A"), QStringLiteral("S1"));
        std::vector<RecorderMeter> companions{
            {QStringLiteral("Load"), QStringLiteral("S2"), ReadingsOf(second)}};
        if (count > 2)
            companions.push_back({QStringLiteral("Aux"), QStringLiteral("S3"), ReadingsOf(third)});
        recorder.setCompanionMeters(std::move(companions));
    }
    QString file(const char* name) const { return dir.filePath(QLatin1String(name)); }
    static bool isGap(const Recording& recording, std::int64_t i) {
        const std::optional<SampleEntry> sample = recording.readSample(i);
        return sample && IsGapSample(*sample);
    }
    // Records three ticks: both meters fresh, only the first, only the second.
    void recordThreeTicks() {
        useMeters(2);
        first.deliver(" 1.000");
        second.deliver(" 2.000", 0x202);
        ASSERT_TRUE(recorder.startRecording());
        recorder.takeScheduledSample();
        first.deliver(" 3.000");
        recorder.takeScheduledSample();
        second.deliver(" 0.500", 0x202);
        recorder.takeScheduledSample();
    }
};

TEST_F(SeveralMeters, EveryTickGivesEachMeterOneSampleAndStaleMetersGaps) {
    useMeters(3);
    ASSERT_EQ(recorder.meterCount(), 3);
    EXPECT_EQ(recorder.meterName(0), QStringLiteral("Bench/A"));
    EXPECT_EQ(recorder.meterSerial(2), QStringLiteral("S3"));
    first.deliver(" 1.000");
    second.deliver(" 2.000");
    third.deliver(" 3.000");
    ASSERT_TRUE(recorder.startRecording());
    // Each signal comes when every meter has its sample of the tick.
    QObject::connect(&recorder, &RecorderController::sampleAdded, [this](qsizetype index) {
        for (int m = 0; m < 3; ++m)
            EXPECT_EQ(recorder.meterRecording(m).size(), static_cast<std::size_t>(index + 1));
    });
    recorder.takeScheduledSample();
    // No meter has anything new: a scheduled tick takes nothing.
    recorder.takeScheduledSample();
    EXPECT_EQ(added.count(), 1);
    // Only the second is fresh; the third's reading is invalid.
    second.deliver(" 2.500");
    third.deliver(" 3.500");
    third.valid = false;
    recorder.takeScheduledSample();
    // A manual sample is taken even when nobody is fresh.
    recorder.takeSample();
    ASSERT_EQ(added.count(), 3);
    EXPECT_FALSE(isGap(recorder.meterRecording(0), 0));
    EXPECT_TRUE(isGap(recorder.meterRecording(0), 1));
    EXPECT_FLOAT_EQ(recorder.meterRecording(1).valueAt(1), 2.5f);
    EXPECT_TRUE(isGap(recorder.meterRecording(2), 1));
    for (int m = 0; m < 3; ++m)
        EXPECT_TRUE(isGap(recorder.meterRecording(m), 2)) << m;
    // The tick's time is in the gap too, so the list shows when it was.
    const SampleEntry gap = recorder.meterRecording(0).sampleAt(1);
    EXPECT_EQ(gap.main.timeText.view(),
              recorder.meterRecording(1).sampleAt(1).main.timeText.view());
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(SeveralMeters, GapsCountInNoStatisticsScaleOrExtremes) {
    recordThreeTicks();
    const Recording& firstMeter = recorder.meterRecording(0);
    ASSERT_EQ(firstMeter.size(), 3u);
    EXPECT_TRUE(std::isnan(firstMeter.valueAt(2)));
    EXPECT_EQ(firstMeter.maxIndex(), 1);
    EXPECT_EQ(firstMeter.minIndex(), 0);
    EXPECT_TRUE(std::isfinite(firstMeter.scaleMax()));
    const auto countOf = [](const GroupedStatistics& statistics) {
        std::int64_t n = 0;
        for (const StatisticsGroup& group : statistics.groups()) {
            EXPECT_FALSE(std::isnan(group.values.mean()));
            n += group.values.count();
        }
        return n;
    };
    EXPECT_EQ(countOf(recorder.meterStatistics(0)), 2);
    EXPECT_EQ(countOf(recorder.meterStatistics(1)), 2);
    EXPECT_EQ(countOf(recorder.rangeStatistics(0, 3)), 2);
    EXPECT_DOUBLE_EQ(recorder.meterStatistics(1).groups().front().values.mean(), 1.25);
    EXPECT_EQ(countOf(recorder.meterRangeStatistics(1, 1, 3)), 1);
}

TEST_F(SeveralMeters, AnEndedMeterRecordsGapsUntilEveryMeterHasEnded) {
    recordThreeTicks();
    // The first meter's link ending does not stop a recording of several meters.
    recorder.linkEnded();
    first.deliver(" 9.000"); // a last reading still in the link's hands
    second.deliver(" 4.000", 0x202);
    recorder.takeScheduledSample();
    EXPECT_TRUE(recorder.isRecording());
    EXPECT_TRUE(isGap(recorder.meterRecording(0), 3));
    EXPECT_FLOAT_EQ(recorder.meterRecording(1).valueAt(3), 4.0f);
    // It stops when no meter is left.
    recorder.meterEnded(1);
    EXPECT_FALSE(recorder.isRecording());
    // Started again, a meter whose link is up again delivers again.
    first.linked = false;
    ASSERT_TRUE(recorder.startRecording());
    second.deliver(" 5.000", 0x202);
    recorder.takeScheduledSample();
    EXPECT_FLOAT_EQ(recorder.meterRecording(1).valueAt(4), 5.0f);
    EXPECT_TRUE(isGap(recorder.meterRecording(0), 4));
    recorder.stopRecording();
    EXPECT_EQ(recorder.meterRecording(0).size(), recorder.meterRecording(1).size());
}

TEST_F(SeveralMeters, CompanionsChangeOnlyWithANewRecording) {
    recordThreeTicks();
    QSignalSpy meters(&recorder, &RecorderController::metersChanged);
    recorder.setCompanionMeters({});
    EXPECT_EQ(recorder.meterCount(), 2); // the running recording keeps its meters
    recorder.stopRecording();
    recorder.clear();
    EXPECT_EQ(recorder.meterCount(), 1);
    EXPECT_EQ(meters.count(), 1);
}

TEST_F(SeveralMeters, EachMeterHasItsOwnTemporaryFileAndTheGroupNamesThem) {
    recordThreeTicks();
    const QString groupPath = recorder.temporaryFilePath().chopped(4) + QStringLiteral(".telmora");
    const std::optional<RecordingManifest> group = ReadManifest(groupPath);
    ASSERT_TRUE(group);
    ASSERT_EQ(group->meters.size(), 2u);
    EXPECT_EQ(group->meters[1].name, QStringLiteral("Load"));
    const QString second = ManifestMemberPath(groupPath, group->meters[1].file);
    EXPECT_NE(second, recorder.temporaryFilePath());
    EXPECT_EQ(QFileInfo(second).size(), 3 * static_cast<qint64>(kSampleSize));
    recorder.stopRecording();
}

TEST(SeveralMetersOnAFullDisk, EveryMeterKeepsTheTickInMemoryAndTheRecordingStops) {
    SmallDisk disk(16);
    SKIP_WITHOUT_SMALL_DISK(disk);
    FakeLiveSource first, second;
    RecorderController recorder(ReadingsOf(first), disk.root());
    recorder.setCompanionMeters({{QStringLiteral("Load"), {}, ReadingsOf(second)}});
    QSignalSpy errors(&recorder, &RecorderController::errorRaised);
    first.deliver(" 1.000");
    second.deliver(" 2.000");
    ASSERT_TRUE(recorder.startRecording());
    for (int i = 0; i < 200 && recorder.isRecording(); ++i) {
        first.deliver(" 1.000");
        second.deliver(" 2.000");
        recorder.takeScheduledSample();
    }
    ASSERT_FALSE(recorder.isRecording()) << "16 KiB take fewer than 200 ticks of two meters";
    ASSERT_FALSE(errors.isEmpty());
    EXPECT_EQ(errors.last().at(0).value<TextId>(), TextId::TempFileWriteFailed);
    // Both meters hold every tick, and every sample can be read.
    const std::size_t ticks = recorder.meterRecording(0).size();
    ASSERT_EQ(recorder.meterRecording(1).size(), ticks);
    for (int m = 0; m < 2; ++m)
        for (std::size_t i = 0; i < ticks; ++i)
            ASSERT_TRUE(recorder.meterRecording(m).readSample(static_cast<std::int64_t>(i)))
                << m << " " << i;
    EXPECT_FLOAT_EQ(recorder.meterRecording(1).valueAt(static_cast<std::int64_t>(ticks) - 1), 2.0f);
}

// --- math --------------------------------------------------------------------------

TEST(MathChannelUnits, FollowFromTheMetersUnitsWhereDefined) {
    const std::vector<std::string> va{"V", "A"};
    const std::vector<std::string> vv{"V", "V"};
    EXPECT_EQ(DeriveMathUnit("M1*M2", va), "W");
    EXPECT_EQ(DeriveMathUnit("M2 * M1", va), "W");
    EXPECT_EQ(DeriveMathUnit("M1/M2", va), "\u03A9");
    EXPECT_EQ(DeriveMathUnit("M1-M2", vv), "V");
    EXPECT_EQ(DeriveMathUnit("(M1+M2)/2", vv), "V");
    EXPECT_EQ(DeriveMathUnit("2.5*M1+1e-3", va), "V");
    EXPECT_EQ(DeriveMathUnit("-M1", va), "V");
    EXPECT_EQ(DeriveMathUnit("M1+M2", va), "");
    EXPECT_EQ(DeriveMathUnit("M1*M1", vv), "");
    EXPECT_EQ(DeriveMathUnit("sqrt(M1)", vv), "");
    EXPECT_EQ(DeriveMathUnit("1/M1", vv), "");
    EXPECT_EQ(DeriveMathUnit("M3", vv), "");
}

TEST(MathChannelValues, AMissingOperandGivesNoValue) {
    MathChannel math;
    QString error;
    ASSERT_TRUE(math.setExpression(QStringLiteral("M1*M2"), 2, &error));
    EXPECT_FLOAT_EQ(math.evaluate(std::vector<double>{2.0, 0.5}), 1.0f);
    EXPECT_TRUE(std::isnan(math.evaluate(std::vector<double>{2.0, std::nan("")})));
    // An unused meter's gap does not matter; a division by zero has no value.
    ASSERT_TRUE(math.setExpression(QStringLiteral("M1/(M1-2)"), 2, &error));
    EXPECT_FLOAT_EQ(math.evaluate(std::vector<double>{4.0, std::nan("")}), 2.0f);
    EXPECT_TRUE(std::isnan(math.evaluate(std::vector<double>{2.0, 1.0})));
    // A bad expression keeps the old one and says why.
    EXPECT_FALSE(math.setExpression(QStringLiteral("M1*"), 2, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(math.setExpression(QStringLiteral("M3"), 2, &error));
    EXPECT_EQ(math.expression(), QStringLiteral("M1/(M1-2)"));
}

TEST_F(SeveralMeters, MathFollowsTheTicksAndItsStatisticsSkipGaps) {
    recordThreeTicks();
    QString error;
    EXPECT_FALSE(recorder.setMathExpression(QStringLiteral("M1*"), &error));
    EXPECT_FALSE(recorder.hasMath());
    ASSERT_TRUE(recorder.setMathExpression(QStringLiteral("M1*M2"), &error)) << error.toStdString();
    // A tick taken while the values are counted gets its value too.
    first.deliver(" 2.000");
    second.deliver(" 1.500", 0x202);
    recorder.takeScheduledSample();
    ASSERT_TRUE(waitForMath(recorder));
    EXPECT_EQ(recorder.mathUnit(), QStringLiteral("W"));
    EXPECT_FLOAT_EQ(recorder.mathValueAt(0), 2.0f);
    // Each of the next two ticks has a gap in one of the operands.
    EXPECT_TRUE(std::isnan(recorder.mathValueAt(1)));
    EXPECT_TRUE(std::isnan(recorder.mathValueAt(2)));
    EXPECT_FLOAT_EQ(recorder.mathValueAt(3), 3.0f);
    first.deliver(" 4.000");
    second.deliver(" 1.000", 0x202);
    recorder.takeScheduledSample();
    EXPECT_FLOAT_EQ(recorder.mathValueAt(4), 4.0f);
    EXPECT_EQ(recorder.mathStatistics().count(), 3);
    EXPECT_DOUBLE_EQ(recorder.mathStatistics().mean(), 3.0);
    EXPECT_TRUE(std::isnan(recorder.mathValueAt(99)));
    recorder.stopRecording();
}

} // namespace
