#include "cli/CmdRecorderCsv.h"
#include "recording/RecorderFile.h"
#include "recording/recorderexport.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

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
