// A several-meter recording in files: saved as a manifest and a recorder file per
// meter, opened again as one recording, refused with a clear reason when its
// manifest or a file is wrong, and exported as tidy CSV in both layouts.
#include "FakeLiveSource.h"
#include "JobWaits.h"
#include "recording/GapSample.h"
#include "recording/RecorderController.h"
#include "recording/RecorderFile.h"
#include "recording/RecordingManifest.h"
#include "recording/meterexport.h"
#include "recording/recorderexport.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QLocale>
#include <QSignalSpy>
#include <QStringList>
#include <QTemporaryDir>

#include <array>
#include <clocale>
#include <string>

using namespace telmora;

namespace {

// Waits until the math values of a new expression have been computed.
bool waitForMath(RecorderController& recorder) {
    if (!recorder.mathPending())
        return true;
    QSignalSpy changed(&recorder, &RecorderController::metersChanged);
    return changed.wait(30000) && !recorder.mathPending();
}

struct SeveralMeterFiles : ::testing::Test {
    QTemporaryDir dir;
    FakeLiveSource first, second;
    RecorderController recorder{ReadingsOf(first), dir.path()};

    QString file(const QString& name) const { return dir.filePath(name); }
    // Three ticks of a volt meter and an ampere meter with a gap in each, and their
    // product as the math channel.
    void record() {
        recorder.setMeters({{QStringLiteral("Bench/A"), QStringLiteral("S1"), ReadingsOf(first)},
                            {QStringLiteral("Load"), QStringLiteral("S2"), ReadingsOf(second)}});
        first.deliver(" 1.000");
        second.deliver(" 2.000", 0x202);
        ASSERT_TRUE(recorder.startRecording());
        recorder.takeScheduledSample();
        first.deliver(" 3.000");
        recorder.takeScheduledSample();
        second.deliver(" 0.500", 0x202);
        recorder.takeScheduledSample();
        recorder.stopRecording();
        ASSERT_TRUE(recorder.setMathExpression(QStringLiteral("M1*M2")));
        ASSERT_TRUE(waitForMath(recorder));
    }
    // Opens `path` into a new recorder; the errors it raised go to `reason`.
    static bool open(RecorderController& into, const QString& path, QString* reason = nullptr) {
        QSignalSpy errors(&into, &RecorderController::errorRaised);
        QSignalSpy loaded(&into, &RecorderController::loadFinished);
        const bool started = into.startLoad(path);
        if (started && !loaded.wait(30000))
            return false;
        if (reason != nullptr && !errors.isEmpty())
            *reason = errors.first().at(1).toString();
        return started && loaded.first().at(0).value<LoadOutcome>() == LoadOutcome::Loaded;
    }
    void writeText(const QString& name, const QByteArray& bytes) const {
        QFile out(file(name));
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
    }
    QStringList exported(TidyLayout layout) {
        QSignalSpy done(&recorder, &RecorderController::textExportFinished);
        recorder.startTextExport(file(QStringLiteral("out.csv")), 1, recorder.lastPage(),
                                 TextExportFormat::Tidy, layout);
        EXPECT_TRUE(done.wait(30000));
        QFile in(file(QStringLiteral("out.csv")));
        EXPECT_TRUE(in.open(QIODevice::ReadOnly));
        return QString::fromUtf8(in.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    }
};

TEST_F(SeveralMeterFiles, SaveWritesAFilePerMeterAndOpenBringsThemBackAsOne) {
    record();
    ASSERT_TRUE(SaveAndWait(recorder, file(QStringLiteral("run.telmora"))));
    EXPECT_FALSE(recorder.hasUnsavedData());
    // Each meter's file opens alone, gaps and all; the name loses its slash.
    RecorderFileReader load;
    ASSERT_EQ(load.open(file(QStringLiteral("run-Load.g53"))), RecorderFileReader::OpenStatus::Ok);
    EXPECT_EQ(load.count(), 3);
    SampleList single;
    ASSERT_EQ(LoadRecorderFile(file(QStringLiteral("run-Bench_A.g53")), single).loaded, 3);
    EXPECT_TRUE(IsGapSample(single[2]));
    EXPECT_EQ(single[2].main.timeText.view().empty(), false);

    RecorderController reopened({}, dir.path());
    QString reason;
    ASSERT_TRUE(open(reopened, file(QStringLiteral("run.telmora")), &reason))
        << reason.toStdString();
    ASSERT_EQ(reopened.meterCount(), 2);
    EXPECT_EQ(reopened.meterName(0), QStringLiteral("Bench/A"));
    EXPECT_EQ(reopened.meterSerial(1), QStringLiteral("S2"));
    EXPECT_EQ(reopened.meterRecording(1).size(), 3u);
    EXPECT_EQ(reopened.mathExpression(), QStringLiteral("M1*M2"));
    EXPECT_EQ(reopened.mathUnit(), QStringLiteral("W"));
    EXPECT_FLOAT_EQ(reopened.mathValueAt(0), 2.0f);
    EXPECT_TRUE(std::isnan(reopened.mathValueAt(1)));
    EXPECT_EQ(reopened.meterStatistics(1).groups().front().values.count(), 2);
    // A recorder file of one meter opens as a single-meter recording again.
    ASSERT_TRUE(open(reopened, file(QStringLiteral("run-Load.g53"))));
    EXPECT_EQ(reopened.meterCount(), 1);
    EXPECT_FALSE(reopened.hasMath());
}

TEST_F(SeveralMeterFiles, AWrongManifestOrFileIsRefusedWithAReasonThatNamesIt) {
    record();
    ASSERT_TRUE(SaveAndWait(recorder, file(QStringLiteral("run.telmora"))));
    RecorderController other({}, dir.path());
    QString reason;

    writeText(QStringLiteral("bad.telmora"), "{\"format\": \"telmora-recording\", ");
    EXPECT_FALSE(open(other, file(QStringLiteral("bad.telmora")), &reason));
    EXPECT_TRUE(reason.contains(QStringLiteral("JSON"))) << reason.toStdString();

    writeText(
        QStringLiteral("later.telmora"),
        R"({"format":"telmora-recording","version":2,"meters":[{"name":"a","file":"x.g53"}]})");
    EXPECT_FALSE(open(other, file(QStringLiteral("later.telmora")), &reason));
    EXPECT_TRUE(reason.contains(QStringLiteral("version"))) << reason.toStdString();

    writeText(
        QStringLiteral("out.telmora"),
        R"({"format":"telmora-recording","version":1,"meters":[{"name":"a","file":"../run-Load.g53"}]})");
    EXPECT_FALSE(open(other, file(QStringLiteral("out.telmora")), &reason));
    EXPECT_TRUE(reason.contains(QStringLiteral("outside"))) << reason.toStdString();

    // A file that holds fewer samples than the others.
    std::array<std::uint8_t, 4 + kSampleSize> shorter{1, 0, 0, 0};
    EncodeSample(MakeGapSample(" 9:00:00.0"),
                 std::span<std::uint8_t, kSampleSize>(shorter.data() + 4, kSampleSize));
    writeText(QStringLiteral("run-Load.g53"),
              QByteArray(reinterpret_cast<const char*>(shorter.data()), shorter.size()));
    EXPECT_FALSE(open(other, file(QStringLiteral("run.telmora")), &reason));
    EXPECT_TRUE(reason.contains(QStringLiteral("run-Load.g53"))) << reason.toStdString();

    ASSERT_TRUE(QFile::remove(file(QStringLiteral("run-Load.g53"))));
    EXPECT_FALSE(open(other, file(QStringLiteral("run.telmora")), &reason));
    EXPECT_TRUE(reason.contains(QStringLiteral("run-Load.g53"))) << reason.toStdString();
    EXPECT_EQ(other.meterCount(), 1);
    EXPECT_TRUE(other.recording().empty());
}

TEST(MeterFileNames, AreSafeAndDistinct) {
    EXPECT_EQ(MeterFileName(QStringLiteral("/x/run.telmora"), QStringLiteral("a:b*c?"), {}),
              QStringLiteral("run-a_b_c_.g53"));
    EXPECT_EQ(MeterFileName(QStringLiteral("run.telmora"), QStringLiteral(" .. "), {}),
              QStringLiteral("run-meter.g53"));
    EXPECT_EQ(MeterFileName(QStringLiteral("run.telmora"), QStringLiteral("A"),
                            {QStringLiteral("run-a.g53")}),
              QStringLiteral("run-A-2.g53"));
}

TEST_F(SeveralMeterFiles, TidyLayoutsCoverEveryMeterAndTheMathInAnyLocale) {
    record();
    const char* before = std::setlocale(LC_ALL, nullptr);
    const std::string saved = before != nullptr ? before : "C";
    std::setlocale(LC_ALL, "de_DE.UTF-8"); // a comma as the decimal point, where present
    QLocale::setDefault(QLocale(QLocale::German));

    const QStringList longRows = exported(TidyLayout::Long);
    ASSERT_EQ(longRows.size(), 1 + 3 * 3);
    EXPECT_TRUE(longRows[0].startsWith(QStringLiteral("index,meter,time,value,unit,")));
    const QStringList firstRow = longRows[1].split(QLatin1Char(','));
    EXPECT_EQ(firstRow[1], QStringLiteral("Bench/A"));
    EXPECT_EQ(firstRow[3], QStringLiteral("1"));
    const QStringList load = longRows[2].split(QLatin1Char(','));
    EXPECT_EQ(load[1], QStringLiteral("Load"));
    EXPECT_EQ(load[3] + load[4], QStringLiteral("2A"));
    const QStringList math = longRows[3].split(QLatin1Char(','));
    EXPECT_EQ(math[1] + '|' + math[3] + '|' + math[4] + '|' + math[6],
              QStringLiteral("Math|2|W|M1*M2"));
    const QStringList gap = longRows[5].split(QLatin1Char(',')); // Load at tick 2
    EXPECT_EQ(gap[0] + gap[1] + gap[3] + gap[4], QStringLiteral("2Load"));
    EXPECT_TRUE(longRows[6].split(QLatin1Char(','))[3].isEmpty()) << "no math value at a gap";

    const QStringList wideRows = exported(TidyLayout::Wide);
    ASSERT_EQ(wideRows.size(), 1 + 3);
    EXPECT_TRUE(wideRows[0].startsWith(QStringLiteral("index,time,M1_value,M1_unit,")));
    EXPECT_TRUE(wideRows[0].endsWith(
        QStringLiteral("M2_overload,M2_sub_value,M2_sub_unit,math_value,math_unit,marker")));
    const QStringList third = wideRows[3].split(QLatin1Char(','));
    ASSERT_EQ(third.size(), 2 + 2 * 7 + 2 + 1);
    EXPECT_TRUE(third[2].isEmpty()); // the first meter's gap
    EXPECT_EQ(third[9], QStringLiteral("0.5"));
    EXPECT_EQ(third[16] + third[17], QStringLiteral("W"));

    QLocale::setDefault(QLocale::c());
    std::setlocale(LC_ALL, saved.c_str());
}

} // namespace

TEST_F(SeveralMeterFiles, TheStandardTextOfSeveralMetersIsAFilePerMeterAndSaysSo) {
    record();
    QSignalSpy done(&recorder, &RecorderController::textExportFinished);
    QSignalSpy perMeter(&recorder, &RecorderController::textExportedPerMeter);
    const std::int32_t lastPage = recorder.lastPage();
    recorder.startTextExport(file(QStringLiteral("out.csv")), 1, lastPage,
                             TextExportFormat::Standard, TidyLayout::Long);
    ASSERT_TRUE(done.wait(30000));
    EXPECT_TRUE(done.last().at(0).toBool()) << done.last().at(2).toString().toStdString();
    ASSERT_EQ(perMeter.size(), 1);
    const QStringList files = perMeter.last().at(0).toStringList();
    ASSERT_EQ(files, (QStringList{file(QStringLiteral("out-Bench_A.csv")),
                                  file(QStringLiteral("out-Load.csv"))}));
    EXPECT_FALSE(QFile::exists(file(QStringLiteral("out.csv"))));
    for (int meter = 0; meter < 2; ++meter) {
        std::string expected;
        WriteRecorderText(recorder.meterRecording(meter).records(), 1, lastPage, lastPage,
                          [&expected](std::string_view s) {
                              expected += s;
                              return true;
                          });
        QFile in(files[meter]);
        ASSERT_TRUE(in.open(QIODevice::ReadOnly));
        EXPECT_EQ(in.readAll().toStdString(), expected) << meter;
    }
}

TEST(MeterExportNames, AreTheChosenNameWithEachMetersOwnLabel) {
    const std::vector<QString> names = {QStringLiteral("Bench"), QString(), QStringLiteral("bench"),
                                        QStringLiteral("a/b.")};
    EXPECT_EQ(
        PerMeterExportPaths(QStringLiteral("/x/run.csv"), names),
        (QStringList{QStringLiteral("/x/run-Bench.csv"), QStringLiteral("/x/run-M2.csv"),
                     QStringLiteral("/x/run-bench-M3.csv"), QStringLiteral("/x/run-a_b.csv")}));
    EXPECT_EQ(PerMeterExportPaths(QStringLiteral("/x/data"), names).front(),
              QStringLiteral("/x/data-Bench"));
}
