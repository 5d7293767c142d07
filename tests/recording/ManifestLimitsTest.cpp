// The manifest of a recording of several meters is bounded and safe: at most 64
// meters (refused before any file is opened, so thousands of members cost neither
// memory nor file handles), each member the regular file of that name in the
// manifest's folder, never a symbolic link.
#include "recording/RecorderController.h"
#include "recording/RecorderFile.h"
#include "recording/RecordingManifest.h"
#include "recording/recordingset.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

using namespace telmora;

namespace {

long peakResidentKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

SampleList threeSamples() {
    SampleList samples;
    for (int i = 0; i < 3; ++i) {
        SampleEntry e;
        e.main.functionCode = 0x6;
        e.main.displayText.assign(" 1.000");
        e.main.timeText.assign(" 10:00:0" + std::to_string(i) + ".0");
        e.main.value = 1.0f;
        samples.append(e);
    }
    return samples;
}

RecordingManifest manifestOf(int meters, const QString& prefix = QStringLiteral("m")) {
    RecordingManifest manifest;
    for (int m = 0; m < meters; ++m)
        manifest.meters.push_back({QStringLiteral("M%1").arg(m + 1), QString::number(5000 + m),
                                   prefix + QString::number(m + 1) + QStringLiteral(".g53")});
    return manifest;
}

struct ManifestLimits : ::testing::Test {
    QTemporaryDir dir;
    QString file(const QString& name) const { return dir.filePath(name); }
    QString openError(const QString& manifest) const {
        QString error;
        EXPECT_FALSE(OpenRecordingSet(manifest, &error).has_value());
        return error;
    }
};

} // namespace

TEST_F(ManifestLimits, MoreThan64MetersAreRefusedBeforeAnyFileIsOpened) {
    // 64 meters open, each file once.
    for (int m = 1; m <= 64; ++m)
        ASSERT_TRUE(SaveRecorderFile(file(QStringLiteral("m%1.g53").arg(m)), threeSamples()));
    ASSERT_TRUE(WriteManifest(file(QStringLiteral("64.telmora")), manifestOf(64)));
    QString error;
    const std::optional<RecordingSetFiles> files =
        OpenRecordingSet(file(QStringLiteral("64.telmora")), &error);
    ASSERT_TRUE(files.has_value()) << error.toStdString();
    EXPECT_EQ(files->readers.size(), 64u);
    EXPECT_EQ(files->count, 3);

    // 65 and 4000 meters whose files do not exist: the limit is the reason, so no
    // member was looked for; the memory of the 4000 stays that of their manifest.
    ASSERT_TRUE(WriteManifest(file(QStringLiteral("65.telmora")), manifestOf(65)));
    EXPECT_TRUE(openError(file(QStringLiteral("65.telmora")))
                    .endsWith(QStringLiteral("the manifest names 65 meters, but a recording "
                                             "holds at most 64")));
    ASSERT_TRUE(WriteManifest(file(QStringLiteral("4000.telmora")),
                              manifestOf(4000, QStringLiteral("missing"))));
    const long before = peakResidentKb();
    const QString error4000 = openError(file(QStringLiteral("4000.telmora")));
    EXPECT_TRUE(error4000.contains(QStringLiteral("4000 meters"))) << error4000.toStdString();
    EXPECT_LT(peakResidentKb() - before, 50'000);

    RecorderController recorder({}, dir.path());
    QSignalSpy errors(&recorder, &RecorderController::errorRaised);
    EXPECT_FALSE(recorder.startLoad(file(QStringLiteral("4000.telmora"))));
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors.last().at(1).toString().contains(QStringLiteral("at most 64")));
}

TEST_F(ManifestLimits, AMemberThatIsALinkIsNotFollowed) {
    // A file outside the manifest's folder, and one inside it, each behind a link.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("rec")));
    ASSERT_TRUE(SaveRecorderFile(file(QStringLiteral("secret.g53")), threeSamples()));
    ASSERT_TRUE(SaveRecorderFile(file(QStringLiteral("rec/m2.g53")), threeSamples()));
    const QString manifest = file(QStringLiteral("rec/run.telmora"));
    ASSERT_TRUE(WriteManifest(manifest, manifestOf(2)));
    ASSERT_EQ(::symlink("../secret.g53", QFile::encodeName(file(QStringLiteral("rec/m1.g53")))), 0);
    QString reason = openError(manifest);
    EXPECT_TRUE(reason.contains(QStringLiteral("m1.g53"))) << reason.toStdString();
    EXPECT_TRUE(reason.contains(QStringLiteral("symbolic link"))) << reason.toStdString();

    ASSERT_TRUE(QFile::remove(file(QStringLiteral("rec/m1.g53"))));
    ASSERT_EQ(::symlink("m2.g53", QFile::encodeName(file(QStringLiteral("rec/m1.g53")))), 0);
    reason = openError(manifest);
    EXPECT_TRUE(reason.contains(QStringLiteral("symbolic link"))) << reason.toStdString();

    // The regular file itself opens.
    ASSERT_TRUE(QFile::remove(file(QStringLiteral("rec/m1.g53"))));
    ASSERT_TRUE(SaveRecorderFile(file(QStringLiteral("rec/m1.g53")), threeSamples()));
    EXPECT_TRUE(OpenRecordingSet(manifest, &reason).has_value()) << reason.toStdString();

    // Names that lead out of the folder or name one file twice are refused.
    for (const char* name :
         {"../secret.g53", "sub/m1.g53", "..\\\\secret.g53", "..", "m\x01.g53"}) {
        RecordingManifest bad = manifestOf(2);
        bad.meters[0].file = QString::fromLatin1(name);
        EXPECT_FALSE(ParseManifest(ManifestJson(bad), &reason).has_value()) << name;
        EXPECT_TRUE(reason.contains(QStringLiteral("outside its folder"))) << reason.toStdString();
    }
    RecordingManifest twice = manifestOf(2);
    twice.meters[1].file = twice.meters[0].file;
    EXPECT_FALSE(ParseManifest(ManifestJson(twice), &reason).has_value());
    EXPECT_TRUE(reason.contains(QStringLiteral("twice"))) << reason.toStdString();
}
