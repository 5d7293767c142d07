// Saving a recording of several meters over one that is already there is one
// transaction: a full disk or a kill at any moment leaves the old recording whole
// or the new one complete, never the files of one save mixed with the other's.
#include "FakeLiveSource.h"
#include "JobWaits.h"
#include "SetSaveCrash.h"
#include "SmallDisk.h"
#include "recording/RecorderController.h"
#include "recording/recordingset.h"
#include "text/texts.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <array>
#include <random>

using namespace telmora;

namespace {

QString MeterName(int meter) {
    return QStringLiteral("Meter %1").arg(meter + 1);
}

// A recorder of `meters` meters that has recorded `ticks` ticks.
class RecordedMeters {
public:
    RecordedMeters(const QString& dataFolder, int meters, int ticks)
        : m_recorder(ReadingsOf(m_sources[0]), dataFolder) {
        std::vector<RecorderMeter> all;
        for (int m = 0; m < meters; ++m)
            all.push_back({MeterName(m), QStringLiteral("S%1").arg(m + 1),
                           ReadingsOf(m_sources[static_cast<std::size_t>(m)])});
        m_recorder.setMeters(std::move(all));
        for (int tick = 0; tick < ticks; ++tick) {
            for (int m = 0; m < meters; ++m)
                m_sources[static_cast<std::size_t>(m)].deliver(tick % 2 == 0 ? " 1.000" : " 2.000");
            if (tick == 0 && !m_recorder.startRecording())
                return;
            m_recorder.takeScheduledSample();
        }
        m_recorder.stopRecording();
    }
    // Whether every meter holds `ticks` samples.
    bool recorded(int ticks) const {
        for (int m = 0; m < m_recorder.meterCount(); ++m)
            if (m_recorder.meterRecording(m).size() != static_cast<std::size_t>(ticks))
                return false;
        return true;
    }
    RecorderController& recorder() { return m_recorder; }

private:
    std::array<FakeLiveSource, 3> m_sources;
    RecorderController m_recorder;
};

// Opens `path` into `recorder`; true when it was loaded.
bool Open(RecorderController& recorder, const QString& path) {
    QSignalSpy loaded(&recorder, &RecorderController::loadFinished);
    return recorder.startLoad(path) && loaded.wait(30000) &&
           loaded.first().at(0).value<LoadOutcome>() == LoadOutcome::Loaded;
}

// Leaves room for `pages` pages of data on `disk` and no more.
bool LeaveRoom(const SmallDisk& disk, int pages) {
    const QString filler = disk.path(QStringLiteral("filler"));
    return disk.fill() && QFile::resize(filler, QFileInfo(filler).size() - pages * 4096);
}

class SetSaveOnAFullDisk : public ::testing::TestWithParam<int> {};

} // namespace

TEST_P(SetSaveOnAFullDisk, KeepsTheOldRecordingWholeAndSaysWhatFailed) {
    const int meters = GetParam();
    SmallDisk disk(4096);
    SKIP_WITHOUT_SMALL_DISK(disk);
    QTemporaryDir data;
    const QString path = disk.path(QStringLiteral("run.telmora"));
    {
        RecordedMeters old(data.path(), meters, 200);
        ASSERT_TRUE(old.recorded(200));
        ASSERT_TRUE(SaveAndWait(old.recorder(), path));
    }
    const QStringList oldFiles = disk.files();

    // Each meter's new file takes 17 pages; there is room for one of them only,
    // also while an old file is being replaced.
    RecordedMeters newer(data.path(), meters, 400);
    ASSERT_TRUE(newer.recorded(400));
    ASSERT_TRUE(LeaveRoom(disk, 21));
    QSignalSpy finished(&newer.recorder(), &RecorderController::saveFinished);
    ASSERT_TRUE(newer.recorder().startSave(path));
    ASSERT_TRUE(finished.wait(30000));
    EXPECT_FALSE(finished.first().at(0).toBool());
    const QString reason = finished.first().at(2).toString();
    // The reason names meter 2's file, says why, and that nothing was replaced.
    EXPECT_TRUE(reason.contains(disk.path(QStringLiteral("run-Meter 2"))) &&
                reason.contains(QStringLiteral(".g53: No space left on device")))
        << reason.toStdString();
    EXPECT_TRUE(reason.endsWith(text(TextId::SaveSetNothingReplaced))) << reason.toStdString();
    EXPECT_TRUE(newer.recorder().hasUnsavedData());

    // Nothing of the failed save is left, and the old recording opens in full.
    QStringList expected = oldFiles + QStringList{QStringLiteral("filler")};
    expected.sort();
    EXPECT_EQ(disk.files(), expected);
    RecorderController reopened({}, data.path());
    ASSERT_TRUE(Open(reopened, path));
    ASSERT_EQ(reopened.meterCount(), meters);
    for (int m = 0; m < meters; ++m)
        EXPECT_EQ(reopened.meterRecording(m).size(), 200u) << "meter " << m + 1;

    // With room the same save replaces the recording, under new names, and the old
    // files go.
    ASSERT_TRUE(QFile::remove(disk.path(QStringLiteral("filler"))));
    ASSERT_TRUE(SaveAndWait(newer.recorder(), path));
    expected = {QStringLiteral("run.telmora")};
    for (int m = 0; m < meters; ++m)
        expected.append(QStringLiteral("run-%1-2.g53").arg(MeterName(m)));
    expected.sort();
    EXPECT_EQ(disk.files(), expected);
    RecorderController again({}, data.path());
    ASSERT_TRUE(Open(again, path));
    for (int m = 0; m < meters; ++m)
        EXPECT_EQ(again.meterRecording(m).size(), 400u) << "meter " << m + 1;
}

INSTANTIATE_TEST_SUITE_P(Meters, SetSaveOnAFullDisk, ::testing::Values(2, 3));

namespace {

// The samples each meter holds in save number `generation`.
int SamplesOf(int generation) {
    return 30000 + 101 * generation;
}

// The save number of the recording at `path`, found from its files: 0 when it does
// not open, or when its meters' files come from different saves.
int GenerationOnDisk(const QString& path, int meters) {
    QString error;
    std::optional<RecordingSetFiles> files = OpenRecordingSet(path, &error);
    EXPECT_TRUE(files.has_value()) << error.toStdString();
    if (!files || static_cast<int>(files->readers.size()) != meters)
        return 0;
    const std::int64_t count = files->count;
    const std::vector<RecordStore> stores = RecordStoresOf(*files);
    int found = 0;
    for (int generation = 1; generation < 64 && found == 0; ++generation)
        if (count == SamplesOf(generation))
            found = generation;
    RecordReader reader;
    for (const RecordStore& store : stores)
        for (const std::int64_t at : {std::int64_t{0}, count - 1})
            if (std::string(reader.read(store, at).main.timeText.view()) != GenerationTime(found))
                return 0;
    return found;
}

class SetSaveKilled : public ::testing::TestWithParam<int> {};

} // namespace

// The save is killed (SIGKILL) at moments drawn at random over the time a whole
// save takes, again and again over the recording the last round left: after every
// kill the recording on the disk is the one before or the new one, complete.
TEST_P(SetSaveKilled, LeavesTheOldOrTheNewRecordingComplete) {
    const int meters = GetParam();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("run.telmora"));
    QProcess first;
    ASSERT_TRUE(StartSetSave(first, path, meters, SamplesOf(1), 1));
    QElapsedTimer whole;
    whole.start();
    ASSERT_TRUE(first.waitForFinished(60000));
    ASSERT_EQ(first.exitCode(), 0) << first.readAllStandardError().toStdString();
    const auto saveMs = static_cast<int>(whole.elapsed()) + 1;

    std::mt19937 random(35u + static_cast<unsigned>(meters));
    std::uniform_int_distribution<int> moment(0, saveMs + saveMs / 2);
    int onDisk = 1;
    int killed = 0;
    int replaced = 0;
    constexpr int kRounds = 8;
    for (int generation = 2; generation < 2 + kRounds; ++generation) {
        QProcess save;
        ASSERT_TRUE(StartSetSave(save, path, meters, SamplesOf(generation), generation));
        if (!save.waitForFinished(moment(random))) {
            save.kill();
            ASSERT_TRUE(save.waitForFinished(10000));
            ++killed;
        }
        const int found = GenerationOnDisk(path, meters);
        EXPECT_TRUE(found == onDisk || found == generation)
            << "round " << generation << " left save " << found;
        if (save.exitStatus() == QProcess::NormalExit) {
            EXPECT_EQ(found, generation) << save.readAllStandardError().toStdString();
        }
        replaced += found == generation ? 1 : 0;
        onDisk = found;
    }
    RecordProperty("killed", killed);
    RecordProperty("replaced", replaced);
}

INSTANTIATE_TEST_SUITE_P(Meters, SetSaveKilled, ::testing::Values(2, 3));
