// Temporary recordings of a run that was killed: told apart from those of running
// programs, never replaced or deleted by a later run, and claimed by one starter.
#include "CrashedRecorder.h"
#include "recording/OrphanedRecordings.h"
#include "recording/RecorderFile.h"
#include "recording/TemporaryStorage.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

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
