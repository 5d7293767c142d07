// The recorder's controller without a window: sampling from a scripted reading
// source, pages, extremes, the temporary file, and the open/save jobs.
#include "recording/RecorderController.h"
#include "JobWaits.h"
#include "SmallDisk.h"
#include "recording/RecorderFile.h"
#include "recording/RecordingStatistics.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>

#include <array>
#include <cstdio>
#include <vector>

#include <unistd.h>

using namespace telmora;

namespace {

// The meter as the recorder sees it: link state, validity and the newest reading,
// set by each test.
struct ScriptedMeter {
    bool linked = true;
    bool valid = true;
    DecodedReply reading;

    void show(double volts, bool lowBattery = false) {
        char text[16];
        std::snprintf(text, sizeof text, "%6.3f", volts);
        reading = DecodedReply{};
        reading.main = MeasureDisplay(text, volts < 0, 0x6 | (lowBattery ? 0x80000000u : 0u), 0,
                                      DisplayKind::Main);
        reading.lowBattery = lowBattery;
    }
    DecodedReplySource source() {
        return {[this] { return linked; }, [this] { return valid; }, [this] { return reading; }};
    }
};

SampleEntry volts(float v, int i) {
    SampleEntry e;
    e.main.value = v;
    e.main.displayText.assign(std::to_string(i));
    e.main.unitText.assign("V");
    e.main.functionCode = 0x6;
    e.main.timeText.assign(" 9:00:00." + std::to_string(i % 10));
    return e;
}

QByteArray image(const Recording& samples) {
    QByteArray out;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        std::array<std::uint8_t, kSampleSize> b{};
        EncodeSample(samples.sampleAt(static_cast<std::int64_t>(i)), b);
        out.append(reinterpret_cast<const char*>(b.data()), kSampleSize);
    }
    return out;
}

struct ControllerTest : ::testing::Test {
    QTemporaryDir dir;
    ScriptedMeter meter;
    RecorderController recorder{meter.source(), dir.path()};
    QSignalSpy errors{&recorder, &RecorderController::errorRaised};
    QSignalSpy notices{&recorder, &RecorderController::noticeRaised};

    QString file(const char* name) const { return dir.filePath(QLatin1String(name)); }
    void fill(int n) {
        for (int i = 0; i < n; ++i)
            recorder.addSample(volts(float(i % 37) - (i == 77 ? 100.0f : 0.0f), i));
    }
    // Runs a load to its end; the outcome.
    LoadOutcome load(const QString& path) {
        QSignalSpy finished(&recorder, &RecorderController::loadFinished);
        if (!recorder.startLoad(path))
            return LoadOutcome::Unreadable;
        EXPECT_TRUE(finished.wait(10000));
        return finished.value(0).value(0).value<LoadOutcome>();
    }
    int lastError() const {
        return errors.isEmpty() ? 0 : int(errors.last().value(0).value<TextId>());
    }
};

} // namespace

TEST_F(ControllerTest, SamplingNeedsTheLinkAndTakesOnlyValidReadings) {
    meter.linked = false;
    EXPECT_FALSE(recorder.startRecording());
    EXPECT_FALSE(recorder.takeManualSample());
    ASSERT_EQ(errors.size(), 2);
    EXPECT_EQ(lastError(), 9002);
    EXPECT_FALSE(recorder.isRecording());
    EXPECT_TRUE(recorder.recording().isEmpty());

    meter.linked = true;
    QSignalSpy added(&recorder, &RecorderController::sampleAdded);
    ASSERT_TRUE(recorder.startRecording());
    EXPECT_TRUE(recorder.temporaryFileOpen());
    meter.valid = false;
    recorder.takeScheduledSample(); // no valid reading yet: nothing
    EXPECT_TRUE(added.isEmpty());
    meter.valid = true;
    meter.show(1.5);
    recorder.takeScheduledSample();
    meter.show(-2.25);
    recorder.takeScheduledSample();
    ASSERT_EQ(added.size(), 2);
    EXPECT_EQ(added.last().value(0).toLongLong(), 1);
    EXPECT_FLOAT_EQ(recorder.recording().sampleAt(1).main.value, -2.25f);
    EXPECT_EQ(recorder.recording().maxIndex(), 0);
    EXPECT_EQ(recorder.recording().minIndex(), 1);
    EXPECT_TRUE(recorder.hasUnsavedData());

    // The timer samples by itself at full speed.
    ASSERT_TRUE(added.wait(5000));
    const QString tmp = recorder.temporaryFilePath();
    recorder.linkEnded();
    EXPECT_FALSE(recorder.isRecording());
    EXPECT_FALSE(recorder.temporaryFileOpen());
    EXPECT_EQ(QFileInfo(tmp).size(), qint64(recorder.recording().size() * kSampleSize));
}

// A low battery is told when it appears, not with every sample, and never costs
// a sample or the sampling timer's pace.
TEST_F(ControllerTest, LowBatteryIsToldWhenItAppearsAndNoSampleIsLost) {
    QSignalSpy told(&recorder, &RecorderController::lowBatteryAppeared);
    meter.linked = true;
    ASSERT_TRUE(recorder.startRecording());
    for (int i = 0; i < 5; ++i) {
        meter.show(1.0, true);
        recorder.takeScheduledSample();
    }
    EXPECT_EQ(told.count(), 1);
    EXPECT_EQ(recorder.recording().size(), 5u);
    EXPECT_TRUE(recorder.isRecording());
    EXPECT_TRUE(recorder.findChild<QTimer*>(QStringLiteral("samplingTimer"))->isActive());

    // It clears and comes back: told again.
    meter.show(1.0, false);
    recorder.takeScheduledSample();
    meter.show(1.0, true);
    recorder.takeScheduledSample();
    EXPECT_EQ(told.count(), 2);
    EXPECT_EQ(recorder.recording().size(), 7u);

    // Still low when a new recording starts: told again.
    recorder.stopRecording();
    ASSERT_TRUE(recorder.startRecording());
    recorder.takeScheduledSample();
    EXPECT_EQ(told.count(), 3);
}

TEST_F(ControllerTest, PagesFollowTheNewestSampleAndStopAtTheEnds) {
    QSignalSpy pages(&recorder, &RecorderController::pageChanged);
    fill(200);
    EXPECT_EQ(recorder.lastPage(), 1);
    fill(1);
    EXPECT_EQ(recorder.lastPage(), 2);
    EXPECT_EQ(recorder.currentPage(), 2);
    recorder.showNextPage();
    EXPECT_EQ(int(notices.last().value(0).value<TextId>()), 8009);
    recorder.showPreviousPage();
    EXPECT_EQ(recorder.currentPage(), 1);
    recorder.showPreviousPage();
    EXPECT_EQ(int(notices.last().value(0).value<TextId>()), 8008);
    EXPECT_EQ(recorder.currentPage(), 1);

    // A new sample goes back to the newest page first (drawn before it is added).
    pages.clear();
    meter.show(3.0);
    recorder.takeSample();
    ASSERT_EQ(pages.size(), 1);
    EXPECT_EQ(pages[0].value(0).toInt(), 2);
    EXPECT_EQ(recorder.currentPage(), 2);

    // Export pages: ranges are put in order and kept inside the recording.
    using P = std::pair<std::int32_t, std::int32_t>;
    EXPECT_EQ(recorder.exportPages(ExportPages::Range, 9, 0), P(1, 2));
    EXPECT_EQ(recorder.exportPages(ExportPages::All, 0, 0), P(1, 2));
    recorder.showFirstPage();
    EXPECT_EQ(recorder.exportPages(ExportPages::Current, 2, 2), P(1, 1));

    QSignalSpy cleared(&recorder, &RecorderController::cleared);
    recorder.clear();
    EXPECT_EQ(cleared.size(), 1);
    EXPECT_EQ(recorder.lastPage(), 1);
    EXPECT_EQ(recorder.recording().sampleCount(), 0);
    EXPECT_FALSE(recorder.hasUnsavedData());
}

TEST_F(ControllerTest, ManualSeriesGetsItsOwnTemporaryFile) {
    recorder.setAcquisition(AcquisitionMode::Manual, 0);
    EXPECT_EQ(recorder.sampleInterval(), RecorderController::kFullSpeedMs);
    meter.show(1.0);
    ASSERT_TRUE(recorder.takeManualSample());
    ASSERT_TRUE(recorder.takeManualSample());
    const QString first = recorder.temporaryFilePath();
    EXPECT_TRUE(first.endsWith(QStringLiteral("~ODMDL1.TMP")));
    EXPECT_EQ(QFileInfo(first).size(), qint64(2 * kSampleSize));
    recorder.setAcquisition(AcquisitionMode::Automatic, 5000); // the series ends
    EXPECT_FALSE(recorder.temporaryFileOpen());
    EXPECT_EQ(recorder.sampleInterval(), 5000);
}

TEST_F(ControllerTest, SaveAndOpenGiveBackTheSameRecording) {
    fill(450);
    QSignalSpy busy(&recorder, &RecorderController::busyChanged);
    ASSERT_TRUE(SaveAndWait(recorder, file("rec.g53")));
    EXPECT_EQ(busy.size(), 2); // on, then off
    EXPECT_FALSE(recorder.hasUnsavedData());
    EXPECT_EQ(QFileInfo(file("rec.g53")).size(), 4 + 169 * 450);
    const QByteArray saved = image(recorder.recording());
    const Recording& r = recorder.recording();
    const auto maxIndex = r.maxIndex(), minIndex = r.minIndex();
    const float scaleMax = r.scaleMax(), scaleMin = r.scaleMin();

    recorder.clear();
    QSignalSpy loaded(&recorder, &RecorderController::recordingLoaded);
    EXPECT_EQ(load(file("rec.g53")), LoadOutcome::Loaded);
    ASSERT_EQ(loaded.size(), 1);
    EXPECT_EQ(loaded[0].value(0).toLongLong(), 450);
    EXPECT_EQ(image(r), saved);
    EXPECT_EQ(r.sampleCount(), 450);
    EXPECT_EQ(r.maxIndex(), maxIndex);
    EXPECT_EQ(r.minIndex(), minIndex);
    EXPECT_EQ(r.scaleMax(), scaleMax);
    EXPECT_EQ(r.scaleMin(), scaleMin);
    EXPECT_EQ(recorder.lastPage(), 3);
    EXPECT_EQ(recorder.currentPage(), 3);
    EXPECT_TRUE(recorder.hasUnsavedData()); // a loaded file counts as unsaved
    EXPECT_FALSE(recorder.isBusy());

    // An unwritable place: reported with its reason, still unsaved.
    QSignalSpy saves(&recorder, &RecorderController::saveFinished);
    EXPECT_FALSE(SaveAndWait(recorder, file("missing/dir/rec.g53")));
    ASSERT_EQ(saves.size(), 1);
    EXPECT_FALSE(saves[0].value(2).toString().isEmpty());
    EXPECT_TRUE(recorder.hasUnsavedData());
}

// A full disk while the recording and its temporary file sit on it: the save (a
// copy inside the system from the temporary file) and both text exports fail with
// the system's reason and leave the old files; the recording stays unsaved and its
// temporary file whole, so nothing is lost.
TEST_F(ControllerTest, AFullDiskFailsSavesAndExportsAndKeepsTheRecording) {
    SmallDisk disk;
    SKIP_WITHOUT_SMALL_DISK(disk);
    RecorderController onDisk(meter.source(), disk.root());
    ASSERT_TRUE(onDisk.startTemporaryFile());
    for (int i = 0; i < 20; ++i)
        onDisk.addSample(volts(float(i), i));
    const QString tmp = onDisk.temporaryFilePath();
    onDisk.closeTemporaryFile();
    const QByteArray old = "old contents\n";
    const QStringList targets = {QStringLiteral("rec.g53"), QStringLiteral("rec.csv"),
                                 QStringLiteral("tidy.csv")};
    for (const QString& name : targets)
        ASSERT_TRUE(disk.put(name, old));
    ASSERT_TRUE(disk.fill());

    QSignalSpy saves(&onDisk, &RecorderController::saveFinished);
    EXPECT_FALSE(SaveAndWait(onDisk, disk.path(targets[0])));
    ASSERT_EQ(saves.size(), 1);
    EXPECT_EQ(saves[0].value(2).toString(), QStringLiteral("No space left on device"));
    EXPECT_TRUE(onDisk.hasUnsavedData());
    EXPECT_TRUE(onDisk.recording().isUnsaved());

    QSignalSpy exports(&onDisk, &RecorderController::textExportFinished);
    onDisk.startTextExport(disk.path(targets[1]), 1, 1);
    ASSERT_TRUE(exports.wait());
    onDisk.startTextExport(disk.path(targets[2]), 1, 1, TextExportFormat::Tidy);
    ASSERT_TRUE(exports.wait());
    for (const QList<QVariant>& result : exports) {
        EXPECT_FALSE(result.value(0).toBool());
        EXPECT_EQ(result.value(2).toString(), QStringLiteral("No space left on device"));
    }
    for (const QString& name : targets)
        EXPECT_EQ(disk.read(name), old) << name.toStdString();
    QStringList left = disk.files(); // no temporary file of a save is left
    for (const QString& name :
         targets + QStringList{QStringLiteral("filler"), QFileInfo(tmp).fileName(),
                               QFileInfo(tmp).fileName() + ".lock"})
        left.removeAll(name);
    EXPECT_TRUE(left.isEmpty()) << left.join(u' ').toStdString();
    EXPECT_EQ(QFileInfo(tmp).size(), qint64(20 * kSampleSize));
    EXPECT_TRUE(onDisk.hasUnsavedData());
}

TEST_F(ControllerTest, AbortedOpenLeavesAnEmptyConsistentRecording) {
    SampleList big;
    for (int i = 0; i < 20000; ++i)
        big.append(volts(float(i), i));
    ASSERT_TRUE(SaveRecorderFile(file("big.g53"), big));
    // Abort as soon as the reading starts (the progress window's Abort).
    QObject::connect(&recorder.job(), &Job::progressed, &recorder,
                     [this](const JobProgress& progress) {
                         if (progress.stage == JobStage::ReadingFile)
                             recorder.abortJob();
                     });
    QSignalSpy cleared(&recorder, &RecorderController::cleared);
    EXPECT_EQ(load(file("big.g53")), LoadOutcome::Aborted);
    const Recording& r = recorder.recording();
    EXPECT_TRUE(r.empty());
    EXPECT_EQ(r.sampleCount(), 0);
    EXPECT_TRUE(r.isEmpty());
    EXPECT_FALSE(recorder.hasUnsavedData());
    EXPECT_EQ(recorder.lastPage(), 1);
    EXPECT_FALSE(recorder.isBusy());
    EXPECT_EQ(cleared.size(), 1);
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(ControllerTest, DamagedFilesGiveTheirMessages) {
    std::array<std::uint8_t, kSampleSize> b{};
    EncodeSample(volts(3, 3), b);
    const QByteArray one(reinterpret_cast<const char*>(b.data()), kSampleSize);
    auto write = [&](const char* name, QByteArray bytes) {
        QFile f(file(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    };
    // Five announced, two and a bit present: the two, then notice 9001.
    write("cut.g53", QByteArray::fromHex("05000000") + one + one + one.left(7));
    EXPECT_EQ(load(file("cut.g53")), LoadOutcome::Loaded);
    EXPECT_EQ(recorder.recording().size(), 2u);
    ASSERT_EQ(notices.size(), 1);
    EXPECT_EQ(int(notices[0].value(0).value<TextId>()), 9001);

    // A negative count is refused at once with 9004, nothing starts.
    recorder.clear();
    write("negative.g53", QByteArray::fromHex("fcffffff") + one);
    QSignalSpy busy(&recorder, &RecorderController::busyChanged);
    EXPECT_FALSE(recorder.startLoad(file("negative.g53")));
    ASSERT_EQ(errors.size(), 1);
    EXPECT_EQ(lastError(), 9004);
    EXPECT_TRUE(errors[0].value(1).toString().contains(QLatin1String("negative.g53: ")));
    EXPECT_TRUE(busy.isEmpty());
    EXPECT_FALSE(recorder.startLoad(file("absent.g53")));
    ASSERT_EQ(errors.size(), 2);
    EXPECT_TRUE(errors[1].value(1).toString().endsWith(
        QLatin1String("absent.g53: No such file or directory")));
    EXPECT_TRUE(recorder.recording().isEmpty());
}

TEST_F(ControllerTest, TheTemporaryFileReopensLikeItsSavedFile) {
    ASSERT_TRUE(recorder.startRecording());
    recorder.stopRecording();
    ASSERT_TRUE(recorder.startTemporaryFile());
    fill(321);
    const QString tmp = recorder.temporaryFilePath();
    recorder.closeTemporaryFile();
    ASSERT_TRUE(SaveAndWait(recorder, file("same.g53")));
    const QByteArray original = image(recorder.recording());

    recorder.clear();
    EXPECT_EQ(load(file("same.g53")), LoadOutcome::Loaded);
    EXPECT_EQ(image(recorder.recording()), original);
    recorder.clear();
    EXPECT_EQ(load(tmp), LoadOutcome::Loaded);
    EXPECT_EQ(image(recorder.recording()), original);
    EXPECT_EQ(recorder.recording().sampleCount(), 321);
}

TEST(RecorderControllerLifetime, DestroyedMidLoadStopsItsJobAndItsFiles) {
    QTemporaryDir dir;
    SampleList big;
    for (int i = 0; i < 20000; ++i)
        big.append(volts(float(i), i));
    const QString path = dir.filePath(QStringLiteral("big.g53"));
    ASSERT_TRUE(SaveRecorderFile(path, big));
    ScriptedMeter meter;
    QString tmp;
    {
        RecorderController recorder(meter.source(), dir.path());
        ASSERT_TRUE(recorder.startRecording());
        tmp = recorder.temporaryFilePath();
        recorder.stopRecording();
        ASSERT_TRUE(recorder.startLoad(path));
        EXPECT_TRUE(recorder.isBusy());
    } // the job is stopped and joined; no result reaches a dead object
    EXPECT_FALSE(QFile::exists(tmp));
}

TEST_F(ControllerTest, TextExportRunsAsAJobAndRefusesASecondOneMeanwhile) {
    fill(450);
    QSignalSpy busy(&recorder, &RecorderController::busyChanged);
    QSignalSpy exported(&recorder, &RecorderController::textExportFinished);
    recorder.startTextExport(file("pages.csv"), 2, 3);
    EXPECT_TRUE(recorder.isBusy());
    recorder.startTextExport(file("other.csv"), 1, 1); // busy: ignored
    ASSERT_TRUE(exported.wait());
    EXPECT_FALSE(recorder.isBusy());
    ASSERT_EQ(exported.size(), 1);
    EXPECT_TRUE(exported[0].value(0).toBool());
    EXPECT_EQ(exported[0].value(1).toString(), file("pages.csv"));
    EXPECT_EQ(busy.size(), 2);
    EXPECT_FALSE(QFile::exists(file("other.csv")));
    QFile f(file("pages.csv"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll().count("\r\n"), 1 + 400); // pages 2 and 3 of 450 samples

    recorder.startTextExport(file("missing/dir/pages.csv"), 1, 1);
    ASSERT_TRUE(exported.wait());
    EXPECT_FALSE(exported[1].value(0).toBool());
    EXPECT_FALSE(exported[1].value(2).toString().isEmpty());
}

TEST_F(ControllerTest, SamplesCarryTheMomentTheyWereTaken) {
    meter.show(1.0);
    const qint64 before = QDateTime::currentMSecsSinceEpoch();
    ASSERT_TRUE(recorder.takeManualSample());
    const qint64 after = QDateTime::currentMSecsSinceEpoch();
    const auto clock = recorder.recording().wallClock(0);
    ASSERT_TRUE(clock.has_value());
    EXPECT_GE(clock->utcMs, before);
    EXPECT_LE(clock->utcMs, after);
    EXPECT_EQ(clock->utcOffsetSeconds,
              QDateTime::fromMSecsSinceEpoch(clock->utcMs).offsetFromUtc());

    recorder.addSample(volts(2.0f, 1), WallClock{1000, 3600});
    EXPECT_EQ(recorder.recording().wallClock(1), (WallClock{1000, 3600}));
}

TEST_F(ControllerTest, StatisticsFollowSamplesClearAndOpen) {
    fill(450);
    const StatisticsGroup* group = recorder.wholeStatistics().find(0x6, "V");
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->values.count(), 450);
    const double mean = group->values.mean(), deviation = group->values.standardDeviation();
    // Page 3 shows the newest 200 samples, page 1 the oldest 50.
    EXPECT_EQ(recorder.pageStatistics(3).find(0x6, "V")->values.count(), 200);
    EXPECT_EQ(recorder.pageStatistics(1).find(0x6, "V")->values.count(), 50);
    EXPECT_EQ(recorder.rangeStatistics(77, 78).find(0x6, "V")->values.minimum(), 77 % 37 - 100.0);

    ASSERT_TRUE(SaveAndWait(recorder, file("stats.g53")));
    recorder.clear();
    EXPECT_TRUE(recorder.wholeStatistics().empty());

    // An opened file's statistics are counted on their own thread after it is shown.
    QSignalSpy counted(&recorder, &RecorderController::statisticsChanged);
    ASSERT_EQ(load(file("stats.g53")), LoadOutcome::Loaded);
    if (counted.isEmpty()) {
        ASSERT_TRUE(counted.wait(10000));
    }
    EXPECT_FALSE(recorder.statisticsPending());
    group = recorder.wholeStatistics().find(0x6, "V");
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->values.count(), 450);
    EXPECT_DOUBLE_EQ(group->values.mean(), mean);
    EXPECT_DOUBLE_EQ(group->values.standardDeviation(), deviation);
    EXPECT_EQ(recorder.pageStatistics(1).find(0x6, "V")->values.count(), 50);

    // A sample taken while the count runs is counted once, whichever finishes first.
    counted.clear();
    recorder.clear();
    ASSERT_EQ(load(file("stats.g53")), LoadOutcome::Loaded);
    recorder.addSample(volts(5.0f, 450));
    ASSERT_TRUE(WaitForStatistics(recorder));
    EXPECT_EQ(recorder.wholeStatistics().find(0x6, "V")->values.count(), 451);
    EXPECT_EQ(recorder.rangeStatistics(450, 451).find(0x6, "V")->values.minimum(), 5.0);

    // Clearing drops a count in progress: nothing of the old file comes back.
    recorder.clear();
    ASSERT_EQ(load(file("stats.g53")), LoadOutcome::Loaded);
    counted.clear();
    recorder.clear();
    EXPECT_TRUE(recorder.wholeStatistics().empty());
    EXPECT_FALSE(recorder.statisticsPending());
    EXPECT_FALSE(counted.wait(200));
}

TEST_F(ControllerTest, InterruptedReadingsLeaveAGapInTheSameRecording) {
    meter.show(1.0);
    recorder.readingsInterrupted(); // not recording: nothing to mark
    ASSERT_TRUE(recorder.startRecording());
    const QString file = recorder.temporaryFilePath();
    recorder.readingsInterrupted(); // no sample yet: no gap before the first
    for (int i = 0; i < 3; ++i)
        recorder.takeScheduledSample();
    meter.valid = false;
    recorder.readingsInterrupted();
    recorder.readingsInterrupted(); // the same interruption, reported twice
    recorder.takeScheduledSample(); // nothing while the readings are away
    meter.valid = true;
    for (int i = 0; i < 2; ++i)
        recorder.takeScheduledSample();
    recorder.readingsInterrupted();
    recorder.takeScheduledSample();

    EXPECT_TRUE(recorder.isRecording());
    EXPECT_EQ(recorder.temporaryFilePath(), file) << "the recording went on in its file";
    EXPECT_EQ(QFileInfo(file).size(), qint64(6 * kSampleSize));
    const SampleGaps& gaps = recorder.recording().gaps();
    EXPECT_EQ(gaps.indexes(), (std::vector<std::size_t>{2, 4}));
    EXPECT_TRUE(gaps.isGapAfter(2));
    EXPECT_FALSE(gaps.isGapAfter(3));
    EXPECT_TRUE(gaps.anyBetween(0, 3));
    EXPECT_FALSE(gaps.anyBetween(0, 2)) << "a gap after sample 2 lies between 2 and 3";
    EXPECT_TRUE(gaps.anyBetween(3, 5));

    recorder.stopRecording();
    recorder.clear();
    EXPECT_TRUE(recorder.recording().gaps().empty());
}

// The file of an opened recording is cut short while it is shown: the first read that
// comes back short is told once, the samples the file no longer holds read as nothing
// (never as an empty sample of value 0) and count in no statistics.
TEST_F(ControllerTest, OpenedRecordingCutShortIsToldOnceAndReadsNoInventedValues) {
    fill(600);
    ASSERT_TRUE(SaveAndWait(recorder, file("cut.g53")));
    recorder.clear();
    ASSERT_EQ(load(file("cut.g53")), LoadOutcome::Loaded);
    ASSERT_TRUE(WaitForStatistics(recorder));
    QSignalSpy damaged(&recorder, &RecorderController::recordingDamaged);
    const Recording& r = recorder.recording();

    ASSERT_EQ(::truncate(QFile::encodeName(file("cut.g53")).constData(), 4 + 250 * 169), 0);
    for (std::int64_t i = 0; i < 600; ++i) {
        const std::optional<SampleEntry> sample = r.readSample(i);
        ASSERT_EQ(sample.has_value(), i < 250) << i;
    }
    // Told later, never inside the read.
    EXPECT_TRUE(damaged.isEmpty());
    ASSERT_TRUE(damaged.wait(5000));
    EXPECT_TRUE(recorder.isDamaged());
    ASSERT_EQ(errors.size(), 1);
    EXPECT_EQ(lastError(), textNumber(TextId::RecordingFileCutShort));

    // Page 2 holds samples 200 .. 399: only the 50 that can be read are counted.
    const GroupedStatistics page = recorder.pageStatistics(2);
    ASSERT_EQ(page.groups().size(), 1u);
    EXPECT_EQ(page.groups()[0].function, 0x6u);
    EXPECT_EQ(page.groups()[0].values.count(), 50);
    EXPECT_TRUE(recorder.pageStatistics(3).empty());
    // Counting the file again passes over what it no longer holds.
    const auto recount = CountRecordingStatistics(r.records(), 600);
    ASSERT_TRUE(recount.has_value());
    EXPECT_EQ(recount->unreadable(), 350u);
    EXPECT_EQ(recount->whole().find(0x6, "V")->values.count(), 250);

    // More failed reads, a failed save: the message is not given again.
    for (std::int64_t i = 599; i >= 0; i -= 7)
        r.readSample(i);
    EXPECT_FALSE(SaveAndWait(recorder, file("again.g53")));
    QCoreApplication::sendPostedEvents(&recorder);
    EXPECT_EQ(damaged.size(), 1);
    EXPECT_EQ(errors.size(), 1);

    // A new recording starts undamaged; a stale report of the old one stays away.
    r.readSample(500);
    recorder.clear();
    QCoreApplication::sendPostedEvents(&recorder);
    EXPECT_FALSE(recorder.isDamaged());
    EXPECT_EQ(damaged.size(), 1);
}

// The temporary file is cut short while the recording runs: the next sample is not
// written past its end (which would leave zero bytes that read back as empty rows),
// it is kept in memory, the recording stops and the user is told once.
TEST_F(ControllerTest, TemporaryFileCutWhileRecordingTakesNoMoreAndLeavesNoZeroRows) {
    ASSERT_TRUE(recorder.startRecording());
    for (int i = 0; i < 100; ++i) {
        meter.show(0.5 + i * 0.01);
        recorder.takeSample();
    }
    const QString tmp = recorder.temporaryFilePath();
    ASSERT_EQ(QFileInfo(tmp).size(), 100 * 169);
    QSignalSpy damaged(&recorder, &RecorderController::recordingDamaged);
    ASSERT_EQ(::truncate(QFile::encodeName(tmp).constData(), 40 * 169), 0);

    meter.show(9.875);
    recorder.takeSample();
    EXPECT_FALSE(recorder.isRecording());
    EXPECT_EQ(QFileInfo(tmp).size(), 40 * 169) << "nothing written past the cut";
    const Recording& r = recorder.recording();
    ASSERT_EQ(r.size(), 101u);
    ASSERT_TRUE(damaged.wait(5000));
    EXPECT_EQ(errors.size(), 1);
    EXPECT_EQ(lastError(), textNumber(TextId::RecordingFileCutShort));

    for (std::int64_t i = 0; i < 101; ++i) {
        const std::optional<SampleEntry> sample = r.readSample(i);
        ASSERT_EQ(sample.has_value(), i < 40 || i == 100) << i;
        if (sample) {
            EXPECT_FALSE(sample->main.valueText.empty()) << i;
            EXPECT_NE(sample->main.value, 0.0f) << i;
        }
    }
    EXPECT_FLOAT_EQ(r.readSample(100)->main.value, 9.875f);
    // The newest page: the 40 readable samples before the cut and the newest one.
    const GroupedStatistics pageFigures = recorder.pageStatistics(1);
    const StatisticsGroup* page = pageFigures.find(0x6, "V");
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->values.count(), 41);
    EXPECT_EQ(pageFigures.groups().size(), 1u);
    QCoreApplication::sendPostedEvents(&recorder);
    EXPECT_EQ(damaged.size(), 1);
    EXPECT_EQ(errors.size(), 1);
}
