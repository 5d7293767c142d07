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
#include "recording/TemporaryGroupFile.h"
#include "recording/recorderexport.h"

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
        std::vector<RecorderMeter> meters{
            {QStringLiteral("Bench/A"), QStringLiteral("S1"), ReadingsOf(first)},
            {QStringLiteral("Load"), QStringLiteral("S2"), ReadingsOf(second)}};
        if (count > 2)
            meters.push_back({QStringLiteral("Aux"), QStringLiteral("S3"), ReadingsOf(third)});
        recorder.setMeters(std::move(meters));
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
    recorder.setMeters({{QStringLiteral("Bench/A"), QStringLiteral("S1"), ReadingsOf(first)}});
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

#ifdef Q_OS_UNIX
TEST_F(SeveralMeters, ALinkPlantedAtTheGroupFileNameIsNeverFollowed) {
    QTemporaryDir outside;
    const QString target = outside.filePath(QStringLiteral("precious.txt"));
    {
        QFile f(target);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("precious");
    }
    const QString planted = file("~ODMDL1.telmora");
    ASSERT_TRUE(QFile::link(target, planted));
    recordThreeTicks();
    const QString groupPath = GroupFilePath(recorder.temporaryFilePath());
    recorder.stopRecording();
    EXPECT_TRUE(errors.isEmpty());
    QFile kept(target);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("precious"));
    EXPECT_EQ(QFileInfo(planted).symLinkTarget(), target) << "the link stays as it was";
    EXPECT_NE(groupPath, planted);
    EXPECT_FALSE(QFileInfo(groupPath).isSymLink());
    const std::optional<RecordingManifest> group = ReadManifest(groupPath);
    ASSERT_TRUE(group);
    EXPECT_EQ(group->meters.size(), 2u);
}

TEST(TemporaryGroupFiles, AreMadeExclusivelyAndReplacedWithoutFollowingLinks) {
    QTemporaryDir dir, outside;
    const QString target = outside.filePath(QStringLiteral("precious.txt"));
    {
        QFile f(target);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("precious");
    }
    const QString path = dir.filePath(QStringLiteral("~ODMDL4.telmora"));
    ASSERT_TRUE(QFile::link(target, path));
    QString error;
    EXPECT_FALSE(WriteTemporaryGroupFile(path, "group", true, &error)) << "the name is taken";
    EXPECT_FALSE(error.isEmpty());
    // A group this run made, swapped for a link meanwhile: the link is replaced,
    // never what it leads to.
    EXPECT_TRUE(WriteTemporaryGroupFile(path, "group", false, &error)) << error.toStdString();
    EXPECT_FALSE(QFileInfo(path).isSymLink());
    QFile group(path);
    ASSERT_TRUE(group.open(QIODevice::ReadOnly));
    EXPECT_EQ(group.readAll(), QByteArray("group"));
    QFile kept(target);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("precious"));
    EXPECT_FALSE(QFile::exists(path + QStringLiteral(".new")));
}
#endif

// --- going on with a recording --------------------------------------------------------

struct GoingOn : SeveralMeters {
    RecorderMeter bench() {
        return {QStringLiteral("Bench/A"), QStringLiteral("S1"), ReadingsOf(first)};
    }
    RecorderMeter load() {
        return {QStringLiteral("Load"), QStringLiteral("S2"), ReadingsOf(second)};
    }
    RecorderMeter aux() { return {QStringLiteral("Aux"), QStringLiteral("S3"), ReadingsOf(third)}; }
    // Records three ticks of `meters`, saves them as one recording and opens it
    // again in `recorder`, whose meters are then `linked`.
    void reopenWith(int meters, std::vector<RecorderMeter> linked) {
        useMeters(meters);
        for (int tick = 0; tick < 3; ++tick) {
            first.deliver(" 1.000");
            second.deliver(" 2.000");
            third.deliver(" 3.000");
            ASSERT_TRUE(recorder.takeManualSample());
        }
        const QString path = file("set.telmora");
        ASSERT_TRUE(SaveAndWait(recorder, path));
        recorder.clear();
        recorder.setMeters(std::move(linked));
        QSignalSpy loaded(&recorder, &RecorderController::loadFinished);
        ASSERT_TRUE(recorder.startLoad(path));
        ASSERT_TRUE(loaded.wait(30000));
        ASSERT_EQ(recorder.meterCount(), meters);
    }
    // One tick with a fresh reading of every meter: 7 V, 8 A, 9 Ω.
    void deliverAndTick() {
        first.deliver(" 7.000");
        second.deliver(" 8.000", 0x202);
        third.deliver(" 9.000", 0x80);
        recorder.takeScheduledSample();
    }
};

TEST_F(GoingOn, AnOpenedRecordingRecordsEachMeterFromTheMeterWithItsSerialNumber) {
    // Linked in another order than recorded.
    reopenWith(3, {aux(), load(), bench()});
    QSignalSpy missing(&recorder, &RecorderController::metersMissing);
    ASSERT_TRUE(recorder.startRecording());
    deliverAndTick();
    recorder.stopRecording();
    ASSERT_EQ(recorder.meterRecording(2).size(), 4u);
    EXPECT_FLOAT_EQ(recorder.meterRecording(0).valueAt(3), 7.0f);
    EXPECT_FLOAT_EQ(recorder.meterRecording(1).valueAt(3), 8.0f);
    EXPECT_FLOAT_EQ(recorder.meterRecording(2).valueAt(3), 9.0f);
    EXPECT_TRUE(missing.isEmpty());
    // Stopped and started again, each meter goes on from its own.
    ASSERT_TRUE(recorder.startRecording());
    deliverAndTick();
    EXPECT_FLOAT_EQ(recorder.meterRecording(1).valueAt(4), 8.0f);
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(GoingOn, AMeterThatIsNotLinkedRecordsGapsAndIsNamed) {
    reopenWith(3, {bench(), aux()});
    QSignalSpy missing(&recorder, &RecorderController::metersMissing);
    ASSERT_TRUE(recorder.startRecording());
    ASSERT_EQ(missing.count(), 1);
    EXPECT_EQ(missing.first().at(0).toStringList(), QStringList{QStringLiteral("Load")});
    deliverAndTick();
    EXPECT_FLOAT_EQ(recorder.meterRecording(0).valueAt(3), 7.0f);
    EXPECT_TRUE(isGap(recorder.meterRecording(1), 3));
    EXPECT_FLOAT_EQ(recorder.meterRecording(2).valueAt(3), 9.0f);
}

TEST_F(GoingOn, MetersWithoutAMatchingSerialNumberAreTakenInOrder) {
    RecorderMeter probe{QStringLiteral("Probe"), QStringLiteral("S9"), ReadingsOf(second)};
    reopenWith(2, {bench(), probe});
    ASSERT_TRUE(recorder.startRecording());
    deliverAndTick();
    EXPECT_FLOAT_EQ(recorder.meterRecording(1).valueAt(3), 8.0f);
    EXPECT_EQ(recorder.meterName(1), QStringLiteral("Load")) << "the recording keeps its names";
}

TEST_F(GoingOn, ALinkedMeterTheRecordingDoesNotHoldJoinsItWithGapsBefore) {
    reopenWith(2, {bench(), load(), aux()});
    QSignalSpy meters(&recorder, &RecorderController::metersChanged);
    ASSERT_TRUE(recorder.startRecording());
    EXPECT_FALSE(meters.isEmpty());
    ASSERT_EQ(recorder.meterCount(), 3);
    EXPECT_EQ(recorder.meterName(2), QStringLiteral("Aux"));
    deliverAndTick();
    const QString groupPath = recorder.temporaryFilePath().chopped(4) + QStringLiteral(".telmora");
    recorder.stopRecording();
    ASSERT_EQ(recorder.meterRecording(2).size(), 4u);
    for (std::int64_t i = 0; i < 3; ++i)
        EXPECT_TRUE(isGap(recorder.meterRecording(2), i)) << i;
    EXPECT_FLOAT_EQ(recorder.meterRecording(2).valueAt(3), 9.0f);
    // The group file of the crash-safe copies names all three.
    const std::optional<RecordingManifest> group = ReadManifest(groupPath);
    ASSERT_TRUE(group);
    EXPECT_EQ(group->meters.size(), 3u);
    for (const ManifestMeter& meter : group->meters)
        EXPECT_EQ(QFileInfo(ManifestMemberPath(groupPath, meter.file)).size(),
                  4 * static_cast<qint64>(kSampleSize));
}

TEST(SeveralMetersOnAFullDisk, EveryMeterKeepsTheTickInMemoryAndTheRecordingStops) {
    SmallDisk disk(16);
    SKIP_WITHOUT_SMALL_DISK(disk);
    FakeLiveSource first, second;
    RecorderController recorder(ReadingsOf(first), disk.root());
    recorder.setMeters(
        {{{}, {}, ReadingsOf(first)}, {QStringLiteral("Load"), {}, ReadingsOf(second)}});
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
    EXPECT_EQ(error, QStringLiteral("[E9043] The expression is not finished: a value or a "
                                    "closing parenthesis is missing at its end."));
    EXPECT_FALSE(math.setExpression(QStringLiteral("M3"), 2, &error));
    EXPECT_EQ(math.expression(), QStringLiteral("M1/(M1-2)"));
}

// What is wrong with an expression, its place counted from 1 and a meter the
// recording lacks named.
TEST(MathChannelValues, AFaultyExpressionSaysWhereAndNamesAnUnknownMeter) {
    MathChannel math;
    QString error;
    EXPECT_FALSE(math.setExpression(QStringLiteral("M1 + M4"), 3, &error));
    EXPECT_EQ(error, QStringLiteral("[E9041] M4 is not a meter of this recording (it has 3)."));
    EXPECT_FALSE(math.setExpression(QStringLiteral("M12+1"), 3, &error));
    EXPECT_NE(error.indexOf(QStringLiteral("M12 is not a meter")), -1) << error.toStdString();
    EXPECT_FALSE(math.setExpression(QStringLiteral("2**M1"), 3, &error));
    EXPECT_EQ(error, QStringLiteral("[E9042] The expression cannot be read at character 3 "
                                    "(counted from 1)."));
    EXPECT_FALSE(math.setExpression(QStringLiteral("M1+foo"), 3, &error));
    EXPECT_NE(error.indexOf(QStringLiteral("character 4 ")), -1) << error.toStdString();
    EXPECT_FALSE(math.setExpression(QStringLiteral("(M1+M2"), 3, &error));
    EXPECT_NE(error.indexOf(QStringLiteral("[E9043]")), -1) << error.toStdString();
    EXPECT_FALSE(math.isSet());
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

// Two meters showing 4709 Ω: their product keeps every digit in memory, in its
// statistics and in the tidy export, and readings of 1.505 V count as 1.505.
TEST_F(SeveralMeters, TheMathChannelAndTheStatisticsKeepEveryDigit) {
    useMeters(2);
    first.deliver("4709", 0x80);
    second.deliver("4709", 0x80);
    ASSERT_TRUE(recorder.startRecording());
    recorder.takeScheduledSample();
    QString error;
    ASSERT_TRUE(recorder.setMathExpression(QStringLiteral("M1*M2"), &error)) << error.toStdString();
    ASSERT_TRUE(waitForMath(recorder));
    // The next ticks are worked out as they are taken.
    first.deliver("4709", 0x80);
    second.deliver("4709", 0x80);
    recorder.takeScheduledSample();
    first.deliver("1.505");
    second.deliver("1.505");
    recorder.takeScheduledSample();
    recorder.stopRecording();
    EXPECT_EQ(recorder.mathValueAt(0), 22174681.0);
    EXPECT_EQ(recorder.mathValueAt(1), 22174681.0);
    EXPECT_EQ(recorder.mathStatistics().maximum(), 22174681.0);
    for (int meter = 0; meter < 2; ++meter) {
        const StatisticsGroup* volts = recorder.meterStatistics(meter).find(0x6, "V");
        ASSERT_NE(volts, nullptr) << meter;
        EXPECT_EQ(volts->values.mean(), 1.505) << meter;
        EXPECT_EQ(volts->values.minimum(), 1.505) << meter;
    }

    const QString target = file("math.csv");
    QSignalSpy written(&recorder, &RecorderController::textExportFinished);
    recorder.startTextExport(target, 1, recorder.lastPage(), TextExportFormat::Tidy,
                             TidyLayout::Wide);
    ASSERT_TRUE(written.wait(30000));
    QFile in(target);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    const std::string text = in.readAll().toStdString();
    EXPECT_NE(text.find(",4709,\u03A9,,4709,false,,,22174681,,\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find(",1.505,V,DC,1.505,false,,,2.2650249999999996,,\r\n"), std::string::npos)
        << text;
}

} // namespace
