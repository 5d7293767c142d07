#include "cli/CmdRecorderCsv.h"
#include "cli/CommandOutput.h"
#include "recording/GapSample.h"
#include "recording/RecorderController.h"
#include "recording/RecorderFile.h"
#include "recording/RecordingManifest.h"
#include "recording/recorderexport.h"

#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <random>
#include <string>

using namespace telmora;

namespace {

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

std::string readAll(std::FILE* f) {
    std::string s;
    std::rewind(f);
    char buf[4096];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
        s.append(buf, n);
    return s;
}

CliRun run(const QString& path) {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> out(std::tmpfile(), &std::fclose);
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> err(std::tmpfile(), &std::fclose);
    CliRun r;
    r.status = cli::RunRecorderCsv(path.toLocal8Bit().constData(), out.get(), err.get());
    r.out = readAll(out.get());
    r.err = readAll(err.get());
    return r;
}

} // namespace

TEST(CliRecorderCsv, PrintsTheExportOfAllPagesAndReportsBadFiles) {
    QTemporaryDir dir;
    SampleList list;
    for (int i = 0; i < 450; ++i) {
        SampleEntry e;
        e.main.displayText.assign(std::to_string(i));
        e.main.unitText.assign("V");
        e.main.timeText.assign(" 10:00:00.0");
        list.append(e);
    }
    const QString file = dir.filePath(QStringLiteral("all.g53"));
    ASSERT_TRUE(SaveRecorderFile(file, list));
    std::string expected;
    WriteRecorderText(list, 1, 3, 3, [&](std::string_view s) {
        expected += s;
        return true;
    });
    CliRun r = run(file);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, expected);
    EXPECT_TRUE(r.err.empty());

    r = run(dir.filePath(QStringLiteral("missing.g53")));
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.empty());
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1);

    // Cut short: the complete samples are printed, a note goes to stderr.
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.resize(4 + 169 * 2 + 10));
    f.close();
    r = run(file);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 3);
    EXPECT_NE(r.err.find("cut short"), std::string::npos);
}

TEST(CliRecorderCsv, AFileWithoutSamplesIsEmptyOrDamagedAndSaysSo) {
    QTemporaryDir dir;
    const auto file = [&dir](const char* name, const QByteArray& bytes) {
        const QString path = dir.filePath(QString::fromLatin1(name));
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    };
    const QByteArray zeroCount(4, '\0');
    // Damaged: too short for the count, a count of 0 with a record after it, a
    // headerless file shorter than one record. Nothing is exported.
    for (const QString& path : {file("none.g53", {}), file("one.g53", "\x01"),
                                file("three.g53", QByteArray("\x01\x00\x00", 3)),
                                file("data.g53", zeroCount + QByteArray(169, 'x')),
                                file("tail.g53", zeroCount + QByteArray(1, 'x')),
                                file("part.g52", QByteArray(83, 'x'))}) {
        const CliRun r = run(path);
        EXPECT_EQ(r.status, 1) << path.toStdString();
        EXPECT_TRUE(r.out.empty()) << path.toStdString();
        EXPECT_NE(r.err.find("is damaged and holds no samples"), std::string::npos) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
    // A complete empty recording: the header line only, and a note.
    for (const QString& path : {file("empty.g53", zeroCount), file("empty.g51", {})}) {
        const CliRun r = run(path);
        EXPECT_EQ(r.status, 0) << path.toStdString();
        EXPECT_EQ(r.out, std::string(kRecorderTextHeader) + "\r\n");
        EXPECT_EQ(r.err, "telmora-cli: '" + path.toStdString() + "' holds no samples\n");
    }
}

namespace {

CliRun runWith(const QString& path, TextExportFormat format, TidyLayout layout) {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> out(std::tmpfile(), &std::fclose);
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> err(std::tmpfile(), &std::fclose);
    CliRun r;
    r.status =
        cli::RunRecorderCsv(path.toLocal8Bit().constData(), out.get(), err.get(), format, layout);
    r.out = readAll(out.get());
    r.err = readAll(err.get());
    return r;
}

// A volt meter and an ampere meter of three samples each, the second with a gap,
// and their manifest with the product as the math channel.
QString writeTwoMeters(const QTemporaryDir& dir) {
    SampleList volts, amperes;
    for (int i = 0; i < 3; ++i) {
        SampleEntry v;
        v.main.functionCode = 0x6;
        v.main.value = static_cast<float>(i + 1);
        v.main.valueText.assign(std::to_string(i + 1));
        v.main.displayText.assign(std::to_string(i + 1) + ".000");
        v.main.unitText.assign("V");
        v.main.timeText.assign(" 10:00:0" + std::to_string(i) + ".0");
        volts.append(v);
        SampleEntry a = v;
        a.main.functionCode = 0x202;
        a.main.unitText.assign("A");
        amperes.append(i == 1 ? MakeGapSample(v.main.timeText.view()) : a);
    }
    EXPECT_TRUE(SaveRecorderFile(dir.filePath(QStringLiteral("two-V.g53")), volts));
    EXPECT_TRUE(SaveRecorderFile(dir.filePath(QStringLiteral("two-A.g53")), amperes));
    const QString manifest = dir.filePath(QStringLiteral("two.telmora"));
    RecordingManifest m{
        {{QStringLiteral("V"), QStringLiteral("1"), QStringLiteral("two-V.g53")},
         {QStringLiteral("A, too"), QStringLiteral("2"), QStringLiteral("two-A.g53")}},
        QStringLiteral("M1*M2")};
    EXPECT_TRUE(WriteManifest(manifest, m));
    return manifest;
}

// The window's tidy export of the opened manifest.
std::string windowExport(const QString& manifest, const QString& target, TidyLayout layout) {
    RecorderController recorder({}, QFileInfo(manifest).absolutePath());
    QSignalSpy loaded(&recorder, &RecorderController::loadFinished);
    EXPECT_TRUE(recorder.startLoad(manifest));
    EXPECT_TRUE(loaded.wait(30000));
    QSignalSpy written(&recorder, &RecorderController::textExportFinished);
    recorder.startTextExport(target, 1, recorder.lastPage(), TextExportFormat::Tidy, layout);
    EXPECT_TRUE(written.wait(30000));
    QFile in(target);
    EXPECT_TRUE(in.open(QIODevice::ReadOnly));
    return in.readAll().toStdString();
}

} // namespace

TEST(CliRecorderCsv, ASeveralMeterManifestExportsLikeTheWindowInBothLayouts) {
    QTemporaryDir dir;
    const QString manifest = writeTwoMeters(dir);
    const CliRun longRun = runWith(manifest, TextExportFormat::Tidy, TidyLayout::Long);
    ASSERT_EQ(longRun.status, 0) << longRun.err;
    EXPECT_EQ(longRun.out,
              windowExport(manifest, dir.filePath(QStringLiteral("l.csv")), TidyLayout::Long));
    EXPECT_EQ(longRun.out.substr(0, longRun.out.find("\r\n")),
              "index,meter,time_of_day,value,unit,mode,display,overload,"
              "sub_value,sub_unit,sub_mode,sub_display,sub_overload,marker");
    EXPECT_NE(longRun.out.find("\r\n1,\"A, too\",10:00:00.0,1,A,"), std::string::npos);
    EXPECT_NE(longRun.out.find("\r\n2,\"A, too\",10:00:01.0,,,,,false,"), std::string::npos);
    EXPECT_NE(longRun.out.find("\r\n3,Math,10:00:02.0,9,W,,M1*M2,false,"), std::string::npos);

    const CliRun wide = runWith(manifest, TextExportFormat::Tidy, TidyLayout::Wide);
    ASSERT_EQ(wide.status, 0) << wide.err;
    EXPECT_EQ(wide.out,
              windowExport(manifest, dir.filePath(QStringLiteral("w.csv")), TidyLayout::Wide));
    EXPECT_NE(wide.out.find("\r\n2,10:00:01.0,2,V,DC,2.000,false,,,,,,,false,,,,W,\r\n"),
              std::string::npos)
        << wide.out;

    ASSERT_TRUE(QFile::remove(dir.filePath(QStringLiteral("two-A.g53"))));
    const CliRun missing = runWith(manifest, TextExportFormat::Tidy, TidyLayout::Long);
    EXPECT_EQ(missing.status, 1);
    EXPECT_TRUE(missing.out.empty());
    EXPECT_NE(missing.err.find("two-A.g53"), std::string::npos) << missing.err;
}

// Two meters showing 4709 Ω: the math column holds their product with every digit.
TEST(CliRecorderCsv, TheMathColumnKeepsEveryDigitOfItsValues) {
    QTemporaryDir dir;
    SampleList ohms;
    for (int i = 0; i < 2; ++i) {
        SampleEntry r;
        r.main.functionCode = 0x80;
        r.main.value = 4709.0f;
        r.main.valueText.assign("4709");
        r.main.displayText.assign("4709");
        r.main.unitText.assign("W");
        r.main.timeText.assign(" 10:00:0" + std::to_string(i) + ".0");
        ohms.append(r);
    }
    ASSERT_TRUE(SaveRecorderFile(dir.filePath(QStringLiteral("a.g53")), ohms));
    ASSERT_TRUE(SaveRecorderFile(dir.filePath(QStringLiteral("b.g53")), ohms));
    const QString manifest = dir.filePath(QStringLiteral("ohms.telmora"));
    ASSERT_TRUE(WriteManifest(
        manifest, {{{QStringLiteral("A"), QStringLiteral("1"), QStringLiteral("a.g53")},
                    {QStringLiteral("B"), QStringLiteral("2"), QStringLiteral("b.g53")}},
                   QStringLiteral("M1*M2")}));
    const CliRun wide = runWith(manifest, TextExportFormat::Tidy, TidyLayout::Wide);
    ASSERT_EQ(wide.status, 0) << wide.err;
    EXPECT_NE(wide.out.find("\r\n2,10:00:01.0,4709,\u03A9,,4709,false,,,4709,\u03A9,,4709,false,,,"
                            "22174681,,\r\n"),
              std::string::npos)
        << wide.out;
    const CliRun longRun = runWith(manifest, TextExportFormat::Tidy, TidyLayout::Long);
    ASSERT_EQ(longRun.status, 0) << longRun.err;
    EXPECT_NE(longRun.out.find("\r\n1,Math,10:00:00.0,22174681,,,M1*M2,false,"), std::string::npos)
        << longRun.out;
}

TEST(CommandOutput, LargeBlocksWrittenDirectlyStayInOrderAndFailuresAreKept) {
    // Small texts wait in the stream, large ones go to the system at once: the bytes
    // still arrive in the order they were written.
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::tmpfile(), &std::fclose);
    std::string expected;
    {
        cli::CommandOutput out(file.get());
        for (int i = 0; i < 6; ++i) {
            const std::string small = "line " + std::to_string(i) + "\r\n";
            const std::string large(static_cast<std::size_t>(70'000 + i * 40'000),
                                    static_cast<char>('a' + i));
            EXPECT_TRUE(out.write(small));
            EXPECT_TRUE(out.write(large));
            expected += small + large;
        }
        EXPECT_TRUE(out.write("end"));
        expected += "end";
        EXPECT_EQ(out.finish(0, stderr), 0);
    }
    EXPECT_TRUE(readAll(file.get()) == expected);

    // A full disk refuses a large block: the failure is kept with its reason and
    // nothing more is written.
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> full(std::fopen("/dev/full", "w"),
                                                         &std::fclose);
    if (!full)
        GTEST_SKIP() << "no /dev/full here";
    cli::CommandOutput out(full.get());
    EXPECT_TRUE(out.write("x"));
    EXPECT_FALSE(out.write(std::string(200'000, 'y')));
    EXPECT_EQ(out.error(), ENOSPC);
    EXPECT_FALSE(out.write("z"));
}

namespace {

CliRun runMeter(const QString& path, TextExportFormat format, const char* meter) {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> out(std::tmpfile(), &std::fclose);
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> err(std::tmpfile(), &std::fclose);
    CliRun r;
    r.status = cli::RunRecorderCsv(path.toLocal8Bit().constData(), out.get(), err.get(), format,
                                   TidyLayout::Long, meter);
    r.out = readAll(out.get());
    r.err = readAll(err.get());
    return r;
}

} // namespace

TEST(CliRecorderCsv, TheStandardFormatOfSeveralMetersIsOneChosenMetersOwnFile) {
    QTemporaryDir dir;
    const QString manifest = writeTwoMeters(dir);
    // The serial numbers cross the meters' numbers: a meter is found by its serial first.
    RecordingManifest crossed = *ReadManifest(manifest);
    std::swap(crossed.meters[0].serial, crossed.meters[1].serial);
    ASSERT_TRUE(WriteManifest(manifest, crossed));
    const std::string ownV = run(dir.filePath(QStringLiteral("two-V.g53"))).out;
    const std::string ownA = run(dir.filePath(QStringLiteral("two-A.g53"))).out;
    ASSERT_NE(ownV, ownA);

    const CliRun none = runMeter(manifest, TextExportFormat::Standard, nullptr);
    EXPECT_EQ(none.status, 2);
    EXPECT_TRUE(none.out.empty());
    EXPECT_NE(none.err.find("--meter"), std::string::npos) << none.err;
    EXPECT_NE(none.err.find("1: V (serial 2), 2: A, too (serial 1)"), std::string::npos)
        << none.err;
    EXPECT_EQ(runMeter(manifest, TextExportFormat::Standard, "all").status, 2);

    const struct {
        const char* meter;
        const std::string& own;
    } chosen[] = {{"2", ownV}, {"1", ownA}, {"V", ownV}, {"A, too", ownA}};
    for (const auto& c : chosen) {
        const CliRun r = runMeter(manifest, TextExportFormat::Standard, c.meter);
        EXPECT_EQ(r.status, 0) << c.meter << r.err;
        EXPECT_EQ(r.out, c.own) << c.meter;
    }
    EXPECT_EQ(
        runMeter(manifest, TextExportFormat::Tidy, "V").out,
        runWith(dir.filePath(QStringLiteral("two-V.g53")), TextExportFormat::Tidy, TidyLayout::Long)
            .out);

    const CliRun unknown = runMeter(manifest, TextExportFormat::Standard, "3");
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(unknown.err.find("2: A, too"), std::string::npos) << unknown.err;
    EXPECT_EQ(
        runMeter(dir.filePath(QStringLiteral("two-V.g53")), TextExportFormat::Standard, "1").status,
        2);
}

TEST(CliRecorderCsv, AnExportStopsBeforeTheFirstRecordNoWriterMakes) {
    QTemporaryDir dir;
    std::mt19937 random(8);
    for (const char* name : {"r.g51", "r.g52", "r.TMP"}) {
        for (const int fill : {0x00, 0xFF, -1}) {
            QByteArray bytes(152 * 100, static_cast<char>(fill));
            if (fill < 0)
                for (char& b : bytes)
                    b = static_cast<char>(random());
            const QString path = dir.filePath(QString::fromLatin1(name));
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(bytes);
            f.close();
            for (const TextExportFormat format :
                 {TextExportFormat::Standard, TextExportFormat::Tidy}) {
                const CliRun r = runWith(path, format, TidyLayout::Long);
                EXPECT_EQ(r.status, 1) << name << fill;
                // The export stops before the first record no writer makes: here the
                // first one, so at most the heading was written.
                EXPECT_LE(std::count(r.out.begin(), r.out.end(), '\n'), 1) << name << fill;
                EXPECT_EQ(
                    r.err.rfind("telmora-cli: '" + path.toStdString() + "' is damaged: sample 1: ",
                                0),
                    0u)
                    << r.err;
            }
        }
    }
    // A damaged member of a recording of several meters is named.
    const QString manifest = writeTwoMeters(dir);
    QFile member(dir.filePath(QStringLiteral("two-A.g53")));
    ASSERT_TRUE(member.open(QIODevice::ReadWrite));
    ASSERT_TRUE(member.seek(4 + 169 * 2 + 1 + 12));
    member.write("\xFF\xFF\xFF\x7F", 4); // the function code of sample 3
    member.close();
    const CliRun r = runWith(manifest, TextExportFormat::Tidy, TidyLayout::Wide);
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.empty());
    EXPECT_NE(r.err.find("two-A.g53' is damaged: sample 3: the main reading's function code"),
              std::string::npos)
        << r.err;
    // The member exported alone stops before its third sample (records are checked
    // a block at a time, before any row of the block is written), and the file and
    // the sample are named.
    for (const TextExportFormat format : {TextExportFormat::Standard, TextExportFormat::Tidy}) {
        const CliRun alone =
            runWith(dir.filePath(QStringLiteral("two-A.g53")), format, TidyLayout::Long);
        EXPECT_EQ(alone.status, 1);
        EXPECT_EQ(alone.out.find("10:00:02"), std::string::npos) << alone.out;
        EXPECT_NE(alone.err.find("two-A.g53' is damaged: sample 3: "), std::string::npos)
            << alone.err;
    }
}

TEST(CliRecorderCsv, TheTidyExportCarriesTheMarkersKeptWithTheRecording) {
    QTemporaryDir dir;
    const QString manifest = writeTwoMeters(dir);
    RecordingManifest marked = *ReadManifest(manifest);
    marked.markers = {
        {1, QStringLiteral("10:00:01.0"), QStringLiteral("load \"on\", 2 A"), {}, {}}};
    ASSERT_TRUE(WriteManifest(manifest, marked));
    const CliRun several = runWith(manifest, TextExportFormat::Tidy, TidyLayout::Long);
    ASSERT_EQ(several.status, 0) << several.err;
    EXPECT_NE(several.out.find(",false,,,,,,\r\n2,V,"), std::string::npos) << several.out;
    const std::string note = ",\"load \"\"on\"\", 2 A\"\r\n";
    std::size_t rows = 0;
    for (std::size_t at = several.out.find(note); at != std::string::npos;
         at = several.out.find(note, at + 1))
        ++rows;
    EXPECT_EQ(rows, 3u) << "every row of the marked tick holds the note, quoted";

    // One meter's file takes up the markers of the manifest beside it that names it.
    const QString single = dir.filePath(QStringLiteral("two-V.g53"));
    RecordingManifest beside{{{QStringLiteral("V"), {}, QStringLiteral("two-V.g53")}}, {}, {}, {}};
    beside.markers = {{2, {}, QStringLiteral("off"), {}, {}}};
    ASSERT_TRUE(WriteManifest(dir.filePath(QStringLiteral("two-V.telmora")), beside));
    const CliRun one = runWith(single, TextExportFormat::Tidy, TidyLayout::Long);
    ASSERT_EQ(one.status, 0) << one.err;
    EXPECT_NE(one.out.find(",sub_overload,marker\r\n"), std::string::npos);
    EXPECT_NE(one.out.find(",false,,,,,,off\r\n"), std::string::npos) << one.out;
    const CliRun standard = runWith(single, TextExportFormat::Standard, TidyLayout::Long);
    EXPECT_EQ(standard.out.find("off"), std::string::npos);

    // Markers that cannot be read: the samples are exported, the status says so.
    QFile broken(dir.filePath(QStringLiteral("two-V.telmora")));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly | QIODevice::Truncate));
    broken.write(R"({"format":"telmora-recording","version":1,"meters":[{"name":"V","file":)"
                 R"("two-V.g53"}],"markers":[{"sample":9}]})");
    broken.close();
    const CliRun damaged = runWith(single, TextExportFormat::Tidy, TidyLayout::Long);
    EXPECT_EQ(damaged.status, 1);
    EXPECT_EQ(std::count(damaged.out.begin(), damaged.out.end(), '\n'), 4);
    EXPECT_NE(damaged.err.find("markers"), std::string::npos) << damaged.err;
}
