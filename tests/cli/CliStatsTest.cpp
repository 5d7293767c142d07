// telmora-cli stats: the JSON lines of a recorder file and of a session file.
#include "cli/CmdStats.h"
#include "logger/SessionFile.h"
#include "recording/RecorderFile.h"
#include "recording/RecordingManifest.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>
#include <limits>
#include <memory>
#include <string>
#include <vector>

using namespace telmora;

namespace {

SampleEntry reading(std::uint32_t code, float value, const char* text, const char* unit) {
    SampleEntry e;
    e.main.functionCode = code;
    e.main.value = value;
    e.main.valueText.assign(text);
    e.main.displayText.assign(text);
    e.main.unitText.assign(unit);
    e.main.modeText.assign(code == 0x6 ? "DC" : "");
    return e;
}

struct Output {
    int status = -1;
    std::string out;
    std::string err;
};

std::string readAll(std::FILE* f) {
    std::string s;
    std::rewind(f);
    char buffer[4096];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
        s.append(buffer, n);
    return s;
}

Output stats(const QString& path) {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> out(std::tmpfile(), &std::fclose);
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> err(std::tmpfile(), &std::fclose);
    Output r;
    r.status = cli::RunStats(path.toLocal8Bit().constData(), out.get(), err.get());
    r.out = readAll(out.get());
    r.err = readAll(err.get());
    return r;
}

} // namespace

TEST(CliStats, OneJsonLinePerGroupOfARecordingOrOfEachSession) {
    QTemporaryDir dir;
    SampleList samples;
    samples.append(reading(0x6, 1.0f, "1.000", "V"));
    samples.append(reading(0x6, 3.0f, "3.000", "V"));
    samples.append(reading(0x80, 6.6e6f, "0.L", "W"));
    const QString recorderFile = dir.filePath(QStringLiteral("two.g53"));
    ASSERT_TRUE(SaveRecorderFile(recorderFile, samples));
    Output r = stats(recorderFile);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "{\"function\":6,\"unit\":\"V\",\"mode\":\"DC\",\"count\":2,\"mean\":2,"
                     "\"stddev\":1.4142135623730951,\"min\":1,\"max\":3,\"overloads\":0}\n"
                     "{\"function\":128,\"unit\":\"\u03A9\",\"mode\":\"\",\"count\":0,"
                     "\"mean\":null,\"stddev\":null,\"min\":null,\"max\":null,\"overloads\":1}\n");

    std::vector<SampleList> sessions(2);
    sessions[0].append(reading(0x5, 230.0f, "230.0", "V [AC]"));
    sessions[1].append(reading(0x400, 50.0f, "50.00", "Hz"));
    sessions[1].append(reading(0x400, 51.0f, "51.00", "Hz"));
    const QString sessionFile = dir.filePath(QStringLiteral("both.SLR"));
    ASSERT_EQ(SaveSessionFile(sessionFile, sessions), SessionFileStatus::Ok);
    r = stats(sessionFile);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "{\"session\":1,\"function\":5,\"unit\":\"V\",\"mode\":\"AC\",\"count\":1,"
                     "\"mean\":230,\"stddev\":0,\"min\":230,\"max\":230,\"overloads\":0}\n"
                     "{\"session\":2,\"function\":1024,\"unit\":\"Hz\",\"mode\":\"\",\"count\":2,"
                     "\"mean\":50.5,\"stddev\":0.7071067811865476,\"min\":50,\"max\":51,"
                     "\"overloads\":0}\n");

    EXPECT_EQ(stats(dir.filePath(QStringLiteral("missing.g53"))).status, 1);
}

TEST(CliStats, AFileWithoutSamplesOrSessionsIsEmptyOrDamagedAndSaysSo) {
    QTemporaryDir dir;
    const auto file = [&dir](const char* name, const QByteArray& bytes) {
        const QString path = dir.filePath(QString::fromLatin1(name));
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    };
    const QByteArray zeroCount(4, '\0');
    struct Case {
        QString path;
        int status;
        const char* message;
    };
    const Case cases[] = {
        {file("none.g53", {}), 1,
         "' is damaged and holds no samples: it is too short for its "
         "sample count\n"},
        {file("one.g53", "\x05"), 1,
         "' is damaged and holds no samples: it is too short for its "
         "sample count\n"},
        {file("data.g53", zeroCount + QByteArray(200, 'x')), 1,
         "' is damaged and holds no samples: its sample count is 0 but data follows it\n"},
        {file("part.TMP", QByteArray(100, 'x')), 1,
         "' is damaged and holds no samples: it is shorter than one sample\n"},
        {file("empty.g53", zeroCount), 0, "' holds no samples\n"},
        {file("empty.slr", zeroCount), 0, "' holds no sessions\n"},
        {file("data.slr", zeroCount + QByteArray(8, '\0')), 1,
         "' is damaged and holds no sessions: its session count is 0 but data follows it\n"},
    };
    for (const Case& c : cases) {
        const Output r = stats(c.path);
        EXPECT_EQ(r.status, c.status) << c.path.toStdString();
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, "telmora-cli: '" + c.path.toStdString() + c.message);
    }
}

TEST(CliStats, ARecordingOfSeveralMetersGivesEachMetersGroupsAndTheMath) {
    QTemporaryDir dir;
    SampleList volts;
    SampleList amperes;
    for (int i = 0; i < 3; ++i) {
        SampleEntry v = reading(0x6, static_cast<float>(i + 1), "1.000", "V");
        v.main.timeText.assign(" 10:00:0" + std::to_string(i) + ".0");
        volts.append(v);
        SampleEntry a = reading(0x202, static_cast<float>(i + 1), "1.000", "A");
        a.main.timeText = v.main.timeText;
        if (i == 1) { // a gap
            a = SampleEntry{};
            a.main.timeText = v.main.timeText;
            a.main.value = std::numeric_limits<float>::quiet_NaN();
        }
        amperes.append(a);
    }
    ASSERT_TRUE(SaveRecorderFile(dir.filePath(QStringLiteral("run-V.g53")), volts));
    ASSERT_TRUE(SaveRecorderFile(dir.filePath(QStringLiteral("run-A.g53")), amperes));
    const QString manifest = dir.filePath(QStringLiteral("run.telmora"));
    ASSERT_TRUE(WriteManifest(
        manifest,
        {{{QStringLiteral("Supply"), QStringLiteral("S1"), QStringLiteral("run-V.g53")},
          {QStringLiteral("Load \"2\""), QStringLiteral("S2"), QStringLiteral("run-A.g53")}},
         QStringLiteral("M1*M2")}));
    const Output r = stats(manifest);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "{\"meter\":1,\"name\":\"Supply\",\"serial\":\"S1\",\"function\":6,\"unit\":\"V\","
              "\"mode\":\"DC\",\"count\":3,\"mean\":2,\"stddev\":1,\"min\":1,\"max\":3,"
              "\"overloads\":0}\n"
              "{\"meter\":2,\"name\":\"Load \\\"2\\\"\",\"serial\":\"S2\",\"function\":514,"
              "\"unit\":\"A\",\"mode\":\"DC\",\"count\":2,\"mean\":2,\"stddev\":1.4142135623730951,"
              "\"min\":1,\"max\":3,\"overloads\":0}\n"
              "{\"math\":\"M1*M2\",\"unit\":\"W\",\"count\":2,\"mean\":5,"
              "\"stddev\":5.656854249492381,\"min\":1,\"max\":9}\n");

    // What is no recording is refused with the reason, and nothing is written.
    const QString notManifest = dir.filePath(QStringLiteral("other.telmora"));
    QFile json(notManifest);
    ASSERT_TRUE(json.open(QIODevice::WriteOnly));
    json.write(R"({"format": "something else", "meters": []})");
    json.close();
    Output refused = stats(notManifest);
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(refused.out.empty());
    EXPECT_NE(refused.err.find("no recording manifest"), std::string::npos) << refused.err;

    QFile::copy(notManifest, dir.filePath(QStringLiteral("json.g53")));
    refused = stats(dir.filePath(QStringLiteral("json.g53")));
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(refused.out.empty());
    EXPECT_NE(refused.err.find("is damaged"), std::string::npos) << "[" << refused.err << "]";

    QFile random(dir.filePath(QStringLiteral("random.g52")));
    ASSERT_TRUE(random.open(QIODevice::WriteOnly));
    std::uint32_t seed = 1;
    for (int i = 0; i < 84 * 100; ++i) {
        seed = seed * 1664525u + 1013904223u;
        random.putChar(static_cast<char>(seed >> 24));
    }
    random.close();
    refused = stats(random.fileName());
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(refused.out.empty());
    EXPECT_NE(refused.err.find("random.g52' is damaged: sample 1: "), std::string::npos)
        << refused.err;
}

// Readings of 1.505 V count as 1.505, not as the float they are stored in, and the
// product of two meters showing 4709 Ω keeps all its digits.
TEST(CliStats, FiguresAreTheNumbersTheMetersShowed) {
    QTemporaryDir dir;
    SampleList volts;
    SampleList ohms;
    for (int i = 0; i < 2; ++i) {
        SampleEntry v = reading(0x6, 1.505f, "1.505", "V");
        v.main.timeText.assign(" 10:00:0" + std::to_string(i) + ".0");
        volts.append(v);
        SampleEntry r = reading(0x80, 4709.0f, "4709", "W");
        r.main.timeText = v.main.timeText;
        ohms.append(r);
    }
    const QString voltsFile = dir.filePath(QStringLiteral("volts.g53"));
    ASSERT_TRUE(SaveRecorderFile(voltsFile, volts));
    Output r = stats(voltsFile);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "{\"function\":6,\"unit\":\"V\",\"mode\":\"DC\",\"count\":2,\"mean\":1.505,"
                     "\"stddev\":0,\"min\":1.505,\"max\":1.505,\"overloads\":0}\n");

    ASSERT_TRUE(SaveRecorderFile(dir.filePath(QStringLiteral("a.g53")), ohms));
    ASSERT_TRUE(SaveRecorderFile(dir.filePath(QStringLiteral("b.g53")), ohms));
    const QString manifest = dir.filePath(QStringLiteral("ohms.telmora"));
    ASSERT_TRUE(WriteManifest(
        manifest, {{{QStringLiteral("A"), QStringLiteral("S1"), QStringLiteral("a.g53")},
                    {QStringLiteral("B"), QStringLiteral("S2"), QStringLiteral("b.g53")}},
                   QStringLiteral("M1*M2")}));
    r = stats(manifest);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("{\"math\":\"M1*M2\",\"unit\":\"\",\"count\":2,\"mean\":22174681,"
                         "\"stddev\":0,\"min\":22174681,\"max\":22174681}\n"),
              std::string::npos)
        << r.out;
}
