#include "cli/CmdRecorderCsv.h"
#include "recording/RecorderFile.h"
#include "recording/recorderexport.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
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
