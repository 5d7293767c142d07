// Temporary recordings of a run that was killed: told apart from those of running
// programs, never replaced or deleted by a later run, claimed by one starter, and
// whole after a recording taken up from one was continued. Links planted at their
// names are never followed.
#include "CrashedRecorder.h"
#include "SmallDisk.h"
#include "recording/OrphanedRecordings.h"
#include "recording/RecorderController.h"
#include "recording/RecorderFile.h"
#include "recording/RecordingManifest.h"
#include "recording/TemporaryStorage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <cmath>
#include <cstring>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

using namespace telmora;

TEST(CrashRecovery, OnlyRecordingsOfKilledRunsAreClaimedAndNoneIsReplaced) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString first = TemporaryFilePath(dir.path(), 1);

    QProcess running;
    ASSERT_TRUE(StartRecorderProcess(running, dir.path(), 5));
    ASSERT_TRUE(QFile::exists(first));
    EXPECT_TRUE(ClaimOrphanedRecordings(dir.path()).empty())
        << "the file of a running program is not an orphan";
    {
        // Another run beside it takes the next number and deletes only its own.
        TemporaryFileSeries beside(dir.path());
        ASSERT_TRUE(beside.startNext());
        EXPECT_EQ(beside.currentPath(), TemporaryFilePath(dir.path(), 2));
    }
    EXPECT_TRUE(QFile::exists(first));
    EXPECT_FALSE(QFile::exists(TemporaryFilePath(dir.path(), 2)));

    KillHard(running);
    ASSERT_EQ(running.exitStatus(), QProcess::CrashExit);
    std::vector<OrphanedRecording> orphans = ClaimOrphanedRecordings(dir.path());
    ASSERT_EQ(orphans.size(), 1u);
    EXPECT_EQ(QDir::toNativeSeparators(orphans[0].path), first);
    EXPECT_EQ(orphans[0].sampleCount, 5);
    EXPECT_TRUE(orphans[0].lastWritten.isValid());
    EXPECT_TRUE(ClaimOrphanedRecordings(dir.path()).empty())
        << "an orphan being offered is not offered by a second starter too";
    {
        TemporaryFileSeries later(dir.path());
        ASSERT_TRUE(later.startNext());
        EXPECT_NE(later.currentPath(), first) << "a later run passes over the orphan";
    }
    EXPECT_TRUE(QFile::exists(first)) << "and never deletes it";

    orphans.clear(); // not decided: offered again at the next start
    orphans = ClaimOrphanedRecordings(dir.path());
    ASSERT_EQ(orphans.size(), 1u);
    SampleList samples;
    EXPECT_EQ(LoadRecorderFile(orphans[0].path, samples).loaded, 5);
    EXPECT_EQ(samples[4].main.value, 4.0f);
    EXPECT_TRUE(DiscardOrphanedRecording(orphans[0]));
    EXPECT_FALSE(QFile::exists(first));
    EXPECT_FALSE(QFile::exists(TemporaryFileLockPath(first)));
}

TEST(CrashRecovery, OnlyTemporaryRecordingsWithSamplesAreOffered) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const auto write = [&](const char* name, int bytes) {
        QFile f(dir.filePath(QLatin1String(name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(bytes, '\0'));
    };
    write("~ODMDL3.TMP", int(kSampleSize) * 2 + 10); // two samples and a torn third
    write("~ODMDL4.TMP", 0);                         // started, nothing recorded
    write("~ODMDL5.TMP.bak", int(kSampleSize));
    write("notes.TMP", int(kSampleSize));
    const std::vector<OrphanedRecording> orphans = ClaimOrphanedRecordings(dir.path());
    ASSERT_EQ(orphans.size(), 1u);
    EXPECT_TRUE(orphans[0].path.endsWith(QLatin1String("~ODMDL3.TMP")));
    EXPECT_EQ(orphans[0].sampleCount, 2);
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("~ODMDL4.TMP"))))
        << "a file without a sample holds nothing to offer";
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("~ODMDL5.TMP.bak"))));
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("notes.TMP"))));
}

#ifdef Q_OS_UNIX
namespace {

bool plantLink(const QString& target, const QString& at) {
    return ::symlink(QFile::encodeName(target).constData(), QFile::encodeName(at).constData()) == 0;
}

QByteArray contentsOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

// Links planted at the names the recorder is about to use, and lock files that are
// not this user's, are never followed, replaced or removed: the recorder takes the
// next free number and nothing outside its folder is created or changed.
TEST(CrashRecovery, PlantedLinksAndForeignLockFilesAreNeverFollowed) {
    QTemporaryDir dir, elsewhere;
    ASSERT_TRUE(dir.isValid() && elsewhere.isValid());
    const QString notThere = elsewhere.filePath(QStringLiteral("created-through-a-link"));
    const QString lockTarget = elsewhere.filePath(QStringLiteral("lock-through-a-link"));
    const QString precious = elsewhere.filePath(QStringLiteral("precious"));
    const QByteArray preciousBytes(3 * int(kSampleSize), 'p');
    {
        QFile f(precious);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(preciousBytes);
    }
    ASSERT_TRUE(plantLink(notThere, TemporaryFilePath(dir.path(), 1)));
    ASSERT_TRUE(plantLink(lockTarget, TemporaryFileLockPath(TemporaryFilePath(dir.path(), 2))));
    ASSERT_TRUE(plantLink(precious, TemporaryFilePath(dir.path(), 3)));
    ASSERT_TRUE(plantLink(precious, TemporaryFileLockPath(TemporaryFilePath(dir.path(), 4))));
    int firstFree = 5;
    if (::geteuid() == 0) {
        // A lock file of another user is not ours to take over.
        const QString foreignLock = TemporaryFileLockPath(TemporaryFilePath(dir.path(), 5));
        QFile f(foreignLock);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.close();
        ASSERT_EQ(::chown(QFile::encodeName(foreignLock).constData(), 4242, 4242), 0);
        firstFree = 6;
    }

    {
        TemporaryFileSeries series(dir.path());
        ASSERT_TRUE(series.startNext());
        EXPECT_EQ(series.currentPath(), TemporaryFilePath(dir.path(), firstFree));
        EXPECT_TRUE(series.append(SampleEntry{}));
        TemporaryFile direct;
        EXPECT_FALSE(direct.create(TemporaryFilePath(dir.path(), 1)));
        EXPECT_TRUE(direct.nameTaken());
        EXPECT_TRUE(ClaimOrphanedRecordings(dir.path()).empty())
            << "a link is no recording left behind, and the running series holds its own";
    }
    EXPECT_FALSE(QFileInfo::exists(notThere));
    EXPECT_FALSE(QFileInfo::exists(lockTarget));
    EXPECT_EQ(contentsOf(precious), preciousBytes);
    for (int n : {1, 3})
        EXPECT_TRUE(QFileInfo(TemporaryFilePath(dir.path(), n)).isSymLink()) << n;
    for (int n : {2, 4})
        EXPECT_TRUE(QFileInfo(TemporaryFileLockPath(TemporaryFilePath(dir.path(), n))).isSymLink())
            << n;
    EXPECT_FALSE(QFileInfo::exists(TemporaryFilePath(dir.path(), firstFree)))
        << "the run's own file went with it";
}
#endif

// A recording taken up after a crash and continued comes back as one after the
// next crash, with the samples of both runs in order; a torn last sample of the
// first run does not shift the samples after it.
TEST(CrashRecovery, ARecordingContinuedAfterACrashComesBackWhole) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString first = TemporaryFilePath(dir.path(), 1);
    CrashWhileRecording(dir.path(), 20);
    {
        QFile torn(first);
        ASSERT_TRUE(torn.open(QIODevice::Append));
        torn.write(QByteArray(50, '\xff'));
    }
    QProcess second;
    ASSERT_TRUE(StartRecorderProcess(second, dir.path(), 19, true, 39));
    KillHard(second);
    ASSERT_EQ(second.exitStatus(), QProcess::CrashExit);

    std::vector<OrphanedRecording> orphans = ClaimOrphanedRecordings(dir.path());
    ASSERT_EQ(orphans.size(), 1u) << "one recording, one file";
    EXPECT_EQ(QDir::toNativeSeparators(orphans[0].path), first);
    EXPECT_EQ(orphans[0].sampleCount, 39);
    EXPECT_EQ(QFileInfo(first).size(), qint64(39 * kSampleSize));
    SampleList samples;
    ASSERT_EQ(LoadRecorderFile(orphans[0].path, samples).loaded, 39);
    for (int i = 0; i < 39; ++i)
        EXPECT_EQ(samples[i].main.value, float(i % 10)) << i;
    EXPECT_FALSE(QFile::exists(TemporaryFilePath(dir.path(), 2)));
}

#ifdef Q_OS_LINUX
// A disk that is full at the next start still lets the recording be offered (its
// claim needs no room); with no room even for a lock file it is listed as kept and
// offered once there is room.
TEST(CrashRecovery, ARecordingLeftOnAFullDiskIsOfferedOrKeptForLater) {
    {
        SmallDisk disk("size=16k,mode=0700");
        if (!disk.mounted())
            GTEST_SKIP() << "no small disk to fill: " << disk.whyNot();
        CrashWhileRecording(disk.root(), 5);
        QFile filler(disk.path(QStringLiteral("filler")));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        while (filler.write(QByteArray(1024, 'f')) > 0) {
        }
        std::vector<UnclaimedRecording> unclaimed;
        const std::vector<OrphanedRecording> orphans =
            ClaimOrphanedRecordings(disk.root(), &unclaimed);
        ASSERT_EQ(orphans.size(), 1u);
        EXPECT_EQ(orphans[0].sampleCount, 5);
        EXPECT_TRUE(unclaimed.empty());
    }
    // Room for no further file: the root folder and the recording use every inode.
    SmallDisk disk("size=64k,nr_inodes=2,mode=0700");
    SKIP_WITHOUT_SMALL_DISK(disk);
    const QString left = TemporaryFilePath(disk.root(), 1);
    {
        QFile f(left);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(4 * int(kSampleSize), '\0'));
    }
    std::vector<UnclaimedRecording> unclaimed;
    EXPECT_TRUE(ClaimOrphanedRecordings(disk.root(), &unclaimed).empty());
    ASSERT_EQ(unclaimed.size(), 1u);
    EXPECT_EQ(QDir::toNativeSeparators(unclaimed[0].path), left);
    EXPECT_EQ(unclaimed[0].sampleCount, 4);
    EXPECT_EQ(unclaimed[0].reason, QString::fromLocal8Bit(std::strerror(ENOSPC)));
    EXPECT_EQ(QFileInfo(left).size(), qint64(4 * kSampleSize)) << "kept as it was";
    ASSERT_TRUE(disk.remount("nr_inodes=16"));
    EXPECT_EQ(ClaimOrphanedRecordings(disk.root()).size(), 1u) << "offered once there is room";
}
#endif

TEST(CrashRecovery, TheMetersOfOneRecordingComeBackAsOne) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    CrashWhileRecording(dir.path(), 6, true);
    std::vector<OrphanedRecording> orphans = ClaimOrphanedRecordings(dir.path());
    ASSERT_EQ(orphans.size(), 1u) << "the two meters' files are one recording";
    EXPECT_TRUE(orphans[0].path.endsWith(QStringLiteral(".telmora")));
    EXPECT_EQ(orphans[0].sampleCount, 6);
    {
        // Opened as a recording of both meters, taken over by this run and continued.
        DecodedReply reading;
        reading.main = MeasureDisplay(" 7.000", false, 0x6, 0, DisplayKind::Main);
        RecorderController recorder(
            {[] { return true; }, [] { return true; }, [&reading] { return reading; }}, dir.path());
        QSignalSpy loaded(&recorder, &RecorderController::loadFinished);
        ASSERT_TRUE(recorder.startLoad(orphans[0].path));
        ASSERT_TRUE(loaded.wait(30000));
        ASSERT_EQ(loaded.first().at(0).value<LoadOutcome>(), LoadOutcome::Loaded);
        ASSERT_EQ(recorder.meterCount(), 2);
        EXPECT_EQ(recorder.meterName(1), QStringLiteral("second"));
        ASSERT_EQ(recorder.meterRecording(1).size(), 6u);
        EXPECT_FLOAT_EQ(recorder.meterRecording(1).valueAt(5), 50.0f);
        const QString groupPath = orphans[0].path;
        recorder.adoptTemporaryFile(groupPath, std::move(orphans[0].claim));
        ASSERT_TRUE(recorder.startRecording());
        recorder.takeSample();
        recorder.stopRecording();
        // Both meters went on in their own files, which the group still names.
        const std::optional<RecordingManifest> group = ReadManifest(groupPath);
        ASSERT_TRUE(group);
        ASSERT_EQ(group->meters.size(), 2u);
        for (const ManifestMeter& meter : group->meters)
            EXPECT_EQ(QFileInfo(ManifestMemberPath(groupPath, meter.file)).size(),
                      7 * static_cast<qint64>(kSampleSize));
        EXPECT_FLOAT_EQ(recorder.meterRecording(0).valueAt(6), 7.0f);
        EXPECT_TRUE(std::isnan(recorder.meterRecording(1).valueAt(6))) << "no live second meter";
    }
    // Taken over: this run's end deleted every file of the group.
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty())
        << QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).join(' ').toStdString();

    CrashWhileRecording(dir.path(), 3, true);
    orphans = ClaimOrphanedRecordings(dir.path());
    ASSERT_EQ(orphans.size(), 1u);
    EXPECT_TRUE(DiscardOrphanedRecording(orphans[0]));
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty())
        << "discarding removes every meter's file, its lock and the group file";
}
