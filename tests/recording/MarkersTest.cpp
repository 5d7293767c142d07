// Markers of a recording: saved with it (beside a single meter's file, in the
// manifest of several meters) without changing the recorder files' bytes, back
// after a kill of the recording process, told when their file is damaged, and in
// the tidy export's marker column.
#include "CrashedRecorder.h"
#include "FakeLiveSource.h"
#include "JobWaits.h"
#include "recording/OrphanedRecordings.h"
#include "recording/RecorderController.h"
#include "recording/RecordingManifest.h"
#include "recording/markerfiles.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

using namespace telmora;

namespace {

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

// Opens `path`; the errors raised on the way go to `errors` (their text numbers).
bool openInto(RecorderController& into, const QString& path, QList<int>* errors = nullptr) {
    QSignalSpy raised(&into, &RecorderController::errorRaised);
    QSignalSpy loaded(&into, &RecorderController::loadFinished);
    if (!into.startLoad(path) || !loaded.wait(30000))
        return false;
    for (const QList<QVariant>& error : raised)
        if (errors != nullptr)
            errors->push_back(textNumber(error.at(0).value<TextId>()));
    return loaded.first().at(0).value<LoadOutcome>() == LoadOutcome::Loaded;
}

std::vector<QString> notesOf(const RecorderController& recorder) {
    std::vector<QString> notes;
    for (const Marker& marker : recorder.markers().all())
        notes.push_back(QString::number(marker.sample) + QLatin1Char(':') + marker.note);
    return notes;
}

struct MarkedRecording : ::testing::Test {
    QTemporaryDir dir;
    FakeLiveSource first, second;
    RecorderController recorder{ReadingsOf(first), dir.path()};

    QString file(const QString& name) const { return dir.filePath(name); }
    // Four samples, the second and the last of them marked.
    void record(bool twoMeters = false) {
        if (twoMeters)
            recorder.setMeters(
                {{QStringLiteral("Supply"), QStringLiteral("S1"), ReadingsOf(first)},
                 {QStringLiteral("Load"), QStringLiteral("S2"), ReadingsOf(second)}});
        ASSERT_TRUE(
            (first.deliver(" 1.000"), second.deliver(" 0.100", 0x202), recorder.startRecording()));
        for (const char* value : {" 1.000", " 2.000", " 3.000", " 4.000"}) {
            first.deliver(value);
            second.deliver(" 0.200", 0x202);
            recorder.takeScheduledSample();
            if (recorder.recording().size() == 2)
                recorder.addMarker(QStringLiteral("valve opened"));
        }
        recorder.stopRecording();
        recorder.addMarker(QStringLiteral("heater \"B\", on"), 3, twoMeters ? 1 : -1);
    }
};

} // namespace

TEST_F(MarkedRecording, OneMetersMarkersGoBesideItsFileWhoseBytesStayTheSame) {
    record();
    ASSERT_TRUE(recorder.hasUnsavedData());
    ASSERT_TRUE(SaveAndWait(recorder, file(QStringLiteral("run.g53"))));
    EXPECT_FALSE(recorder.hasUnsavedData());
    ASSERT_TRUE(SaveRecordStore(file(QStringLiteral("plain.g53")), recorder.recording().records()));
    EXPECT_EQ(bytesOf(file(QStringLiteral("run.g53"))), bytesOf(file(QStringLiteral("plain.g53"))))
        << "markers never change a recorder file's bytes";
    const std::optional<RecordingManifest> beside =
        ReadManifest(file(QStringLiteral("run.telmora")));
    ASSERT_TRUE(beside);
    ASSERT_EQ(beside->meters.size(), 1u);
    EXPECT_EQ(beside->meters.front().file, QStringLiteral("run.g53"));

    RecorderController reopened({}, dir.path());
    QList<int> errors;
    ASSERT_TRUE(openInto(reopened, file(QStringLiteral("run.g53")), &errors));
    EXPECT_TRUE(errors.isEmpty());
    EXPECT_EQ(notesOf(reopened), (std::vector<QString>{"1:valve opened", "3:heater \"B\", on"}));
    EXPECT_EQ(reopened.markers().at(0).time, recorder.markers().at(0).time);

    // Without its markers the file is saved again with an empty list beside it.
    ASSERT_TRUE(reopened.removeMarker(0) && reopened.removeMarker(0));
    ASSERT_TRUE(SaveAndWait(reopened, file(QStringLiteral("run.g53"))));
    ASSERT_TRUE(openInto(reopened, file(QStringLiteral("run.g53"))));
    EXPECT_TRUE(reopened.markers().empty());
    // The manifest of another file is not this file's.
    ASSERT_TRUE(SaveAndWait(recorder, file(QStringLiteral("other.g53"))));
    ASSERT_TRUE(QFile::rename(file(QStringLiteral("other.telmora")),
                              file(QStringLiteral("plain.telmora"))));
    errors.clear();
    ASSERT_TRUE(openInto(reopened, file(QStringLiteral("plain.g53")), &errors));
    EXPECT_TRUE(reopened.markers().empty());
    EXPECT_TRUE(errors.isEmpty());
    // Nor are markers saved over it: the save is refused and both files stay.
    const QByteArray other = bytesOf(file(QStringLiteral("plain.telmora")));
    const QByteArray plain = bytesOf(file(QStringLiteral("plain.g53")));
    EXPECT_FALSE(SaveAndWait(recorder, file(QStringLiteral("plain.g53"))));
    EXPECT_EQ(bytesOf(file(QStringLiteral("plain.telmora"))), other);
    EXPECT_EQ(bytesOf(file(QStringLiteral("plain.g53"))), plain);
}

TEST_F(MarkedRecording, SeveralMetersKeepTheirMarkersInTheManifest) {
    record(true);
    ASSERT_TRUE(SaveAndWait(recorder, file(QStringLiteral("bench.telmora"))));
    RecorderController reopened({}, dir.path());
    ASSERT_TRUE(openInto(reopened, file(QStringLiteral("bench.telmora"))));
    ASSERT_EQ(reopened.meterCount(), 2);
    EXPECT_EQ(notesOf(reopened), (std::vector<QString>{"1:valve opened", "3:heater \"B\", on"}));
    EXPECT_EQ(reopened.markers().at(1).meter, QStringLiteral("Load"));
    EXPECT_EQ(reopened.markers().at(1).serial, QStringLiteral("S2"));
    EXPECT_TRUE(reopened.markers().at(0).meter.isEmpty()) << "the user's own is the recording's";
}

TEST_F(MarkedRecording, DamagedMarkersAreToldAndTheRecordingOpensWithoutThem) {
    record();
    ASSERT_TRUE(SaveAndWait(recorder, file(QStringLiteral("run.g53"))));
    const QByteArray head =
        R"({"format":"telmora-recording","version":1,"meters":[{"name":"","file":"run.g53"}],)";
    const std::pair<QByteArray, std::size_t> cases[] = {
        {head + R"("markers":[{"sample":1,"note":"ok"},{"sample":7,"note":"past the end"}]})", 1},
        {head + R"("markers":[{"sample":-1,"note":"x"}]})", 0},
        {head + R"("markers":[{"sample":1.5}]})", 0},
        {head + R"("markers":[{"sample":1,"note":3}]})", 0},
        {head + "\"markers\":[{\"sample\":1,\"note\":\"\xC3\x28\"}]}", 0}, // no UTF-8
        {head + R"("markers":{"sample":1}})", 0},
        {head + R"("markers":[)", 0}, // cut short
    };
    for (const auto& [json, kept] : cases) {
        SCOPED_TRACE(json.toStdString());
        writeFile(file(QStringLiteral("run.telmora")), json);
        RecorderController reopened({}, dir.path());
        QList<int> errors;
        ASSERT_TRUE(openInto(reopened, file(QStringLiteral("run.g53")), &errors));
        EXPECT_EQ(reopened.recording().size(), 4u);
        EXPECT_EQ(static_cast<std::size_t>(reopened.markers().count()), kept);
        EXPECT_EQ(errors, QList<int>{textNumber(TextId::MarkersUnreadable)});
    }
}

TEST_F(MarkedRecording, TheTidyExportHasAMarkerColumnWithTheNoteQuoted) {
    record();
    QSignalSpy done(&recorder, &RecorderController::textExportFinished);
    recorder.startTextExport(file(QStringLiteral("out.csv")), 1, 1, TextExportFormat::Tidy);
    ASSERT_TRUE(done.wait(30000));
    const QStringList rows = QString::fromUtf8(bytesOf(file(QStringLiteral("out.csv"))))
                                 .split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(rows.size(), 5);
    EXPECT_TRUE(rows[0].endsWith(QStringLiteral(",sub_overload,marker")));
    EXPECT_TRUE(rows[1].endsWith(QStringLiteral(",,,,,,"))) << "no sub reading, no marker";
    EXPECT_TRUE(rows[2].endsWith(QStringLiteral(",,,,,,valve opened")));
    EXPECT_TRUE(rows[4].endsWith(QStringLiteral(",\"heater \"\"B\"\", on\"")));
}

TEST(MarkersList, KeepsSampleOrderAndFindsNeighbours) {
    RecordingMarkers markers;
    EXPECT_EQ(markers.add({5, {}, QStringLiteral("b"), {}, {}}), 0);
    EXPECT_EQ(markers.add({2, {}, QStringLiteral("a"), {}, {}}), 0);
    EXPECT_EQ(markers.add({5, {}, QStringLiteral("c"), {}, {}}), 2) << "after the same sample's";
    EXPECT_EQ(markers.noteAt(5), QStringLiteral("b; c"));
    EXPECT_EQ(markers.nextAfter(2), 1);
    EXPECT_EQ(markers.nextAfter(5), -1);
    EXPECT_EQ(markers.previousBefore(5), 0);
    EXPECT_EQ(markers.previousBefore(2), -1);
    EXPECT_EQ(markers.add({9, {}, QString(kMaxMarkerNote + 10, QLatin1Char('x')), {}, {}}), 3);
    EXPECT_EQ(markers.at(3).note.size(), kMaxMarkerNote);
}

// --- crash safety ------------------------------------------------------------------------

namespace {

// Opens the one orphan of `dir` into `into`; with `adopt` takes it up as the
// recorder's Open of a recovered recording does (without, it stays an orphan).
bool openOrphan(RecorderController& into, const QString& dir, bool adopt) {
    std::vector<OrphanedRecording> orphans = ClaimOrphanedRecordings(dir);
    if (orphans.size() != 1 || !openInto(into, orphans.front().path))
        return false;
    if (adopt)
        into.adoptTemporaryFile(orphans.front().path, std::move(orphans.front().claim));
    return true;
}

} // namespace

class MarkersAfterKill : public ::testing::TestWithParam<bool> {};

TEST_P(MarkersAfterKill, SurviveAKillAndATakeUpThatIsContinued) {
    const bool twoMeters = GetParam();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    {
        QProcess process;
        ASSERT_TRUE(StartRecorderProcess(process, dir.path(), 5, false, -1, twoMeters,
                                         {QStringLiteral("--mark")}));
        KillHard(process);
    }
    {
        QTemporaryDir elsewhere; // this run's own files go elsewhere
        RecorderController recorder({}, elsewhere.path());
        ASSERT_TRUE(openOrphan(recorder, dir.path(), false));
        EXPECT_EQ(recorder.meterCount(), twoMeters ? 2 : 1);
        EXPECT_EQ(notesOf(recorder),
                  (std::vector<QString>{"1:valve opened", "4:heater \"B\", on"}));
        EXPECT_EQ(recorder.markers().at(1).meter, twoMeters ? QStringLiteral("second") : QString());
    }
    {
        // Taken up, continued, marked and killed again.
        QProcess process;
        ASSERT_TRUE(StartRecorderProcess(process, dir.path(), 5, true, 10, twoMeters,
                                         {QStringLiteral("--mark")}));
        KillHard(process);
    }
    QTemporaryDir elsewhere;
    RecorderController recorder({}, elsewhere.path());
    ASSERT_TRUE(openOrphan(recorder, dir.path(), true));
    EXPECT_EQ(recorder.recording().size(), 10u);
    EXPECT_EQ(notesOf(recorder), (std::vector<QString>{"1:valve opened", "4:heater \"B\", on",
                                                       "6:valve opened", "9:heater \"B\", on"}));
    EXPECT_TRUE(ClaimOrphanedRecordings(dir.path()).empty());
}

INSTANTIATE_TEST_SUITE_P(OneAndTwoMeters, MarkersAfterKill, ::testing::Bool());

TEST(MarkersAfterKill, ADiscardedOrphanTakesItsMarkersWithIt) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QProcess process;
    ASSERT_TRUE(
        StartRecorderProcess(process, dir.path(), 3, false, -1, false, {QStringLiteral("--mark")}));
    KillHard(process);
    std::vector<OrphanedRecording> orphans = ClaimOrphanedRecordings(dir.path());
    ASSERT_EQ(orphans.size(), 1u);
    const QString markers = MarkersJournalPath(orphans.front().path);
    ASSERT_TRUE(QFile::exists(markers));
    ASSERT_TRUE(DiscardOrphanedRecording(orphans.front()));
    EXPECT_FALSE(QFile::exists(markers));
}
