// telmora-cli memory-csv, session-csv, download and log, run as the user runs them.
#include "sim/DemoLoggerMemory.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace telmora;

namespace {

struct CliRun {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

CliRun Cli(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(TELMORA_CLI_PATH), args);
    EXPECT_TRUE(p.waitForFinished(60000));
    return CliRun{p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
}

QString Write(const QTemporaryDir& dir, const char* name, const std::vector<std::uint8_t>& bytes) {
    const QString path = dir.filePath(QString::fromLatin1(name));
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
    return path;
}

QByteArray ReadFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TEST(ImportCli, MemoryImageToCsvAndSessionFile) {
    QTemporaryDir dir;
    const QString image = Write(dir, "demo.bin", DemoLoggerImage());
    const QString slr = dir.filePath("demo.slr");
    const CliRun memory = Cli({"memory-csv", image, "--slr", slr});
    ASSERT_EQ(memory.status, 0) << memory.err.toStdString();
    EXPECT_TRUE(memory.out.startsWith(
        "#item,Time,MainData,MainUnit,MainFunc,Sub Data,SubUnit,SubFunc\r\n"));
    EXPECT_TRUE(memory.out.endsWith("\r\n"));
    // The session file gives the same export.
    const CliRun session = Cli({"session-csv", slr});
    ASSERT_EQ(session.status, 0) << session.err.toStdString();
    EXPECT_EQ(session.out, memory.out);
}

TEST(ImportCli, DamagedInputs) {
    QTemporaryDir dir;
    std::vector<LoggerSession> sessions(2);
    for (auto& s : sessions) {
        s.main.assign(4, PackStoredReading({0, 0, 1234}));
    }
    auto bytes = BuildLoggerImage(sessions);
    bytes[6 + 14 + 12 + 13] = 0x20; // the second session runs far past the end
    const CliRun cut = Cli({"memory-csv", Write(dir, "cut.bin", bytes)});
    EXPECT_EQ(cut.status, 1);
    EXPECT_EQ(cut.out.count("\r\n"), 1 + 4); // the complete first session is still written
    EXPECT_FALSE(cut.err.isEmpty());

    EXPECT_EQ(Cli({"memory-csv", Write(dir, "short.bin", {0, 1, 2})}).status, 1);
    EXPECT_EQ(Cli({"memory-csv", dir.filePath("missing.bin")}).status, 1);
    EXPECT_EQ(Cli({"session-csv", Write(dir, "bad.slr", {1, 0, 0, 0, 1, 0, 0, 0, 7})}).status, 1);
    EXPECT_EQ(Cli({"memory-csv"}).status, 2);
    EXPECT_EQ(Cli({"session-csv", "a", "b"}).status, 2);
    EXPECT_EQ(Cli({"download", "--simulate"}).status, 2); // --slr is required
    EXPECT_EQ(Cli({"download", "--simulate=nosuch", "--slr", dir.filePath("x.slr")}).status, 2);
}

TEST(ImportCli, NoSessionsAreNotedAndDataAfterACountOfZeroIsDamage) {
    QTemporaryDir dir;
    const QByteArray header = "#item,Time,MainData,MainUnit,MainFunc,Sub Data,SubUnit,SubFunc\r\n";
    const QString image = Write(dir, "none.bin", BuildLoggerImage({}));
    const CliRun memory = Cli({"memory-csv", image});
    EXPECT_EQ(memory.status, 0);
    EXPECT_EQ(memory.out, header);
    EXPECT_EQ(memory.err, "telmora-cli: '" + QFile::encodeName(image) + "' holds no sessions\n");

    const QString empty = Write(dir, "empty.slr", {0, 0, 0, 0});
    const CliRun session = Cli({"session-csv", empty});
    EXPECT_EQ(session.status, 0);
    EXPECT_EQ(session.out, header);
    EXPECT_EQ(session.err, "telmora-cli: '" + QFile::encodeName(empty) + "' holds no sessions\n");

    const CliRun damaged = Cli({"session-csv", Write(dir, "data.slr", {0, 0, 0, 0, 2, 0, 0, 0})});
    EXPECT_EQ(damaged.status, 1);
    EXPECT_TRUE(damaged.out.isEmpty());
    EXPECT_TRUE(damaged.err.endsWith("' is damaged and holds no sessions: its session count is 0 "
                                     "but data follows it\n"))
        << damaged.err.toStdString();
}

TEST(ImportCli, DownloadFromTheSimulatedMeter) {
    QTemporaryDir dir;
    const QString slr = dir.filePath("x.slr");
    const QString csv = dir.filePath("x.csv");
    const CliRun download = Cli({"download", "--simulate", "--slr", slr, "--csv", csv});
    ASSERT_EQ(download.status, 0) << download.err.toStdString();
    const CliRun direct = Cli({"memory-csv", Write(dir, "demo.bin", DemoLoggerImage())});
    EXPECT_EQ(ReadFile(csv), direct.out);
    EXPECT_EQ(Cli({"session-csv", slr}).out, direct.out);

    const CliRun none = Cli({"download", "--simulate=nocable", "--slr", slr});
    EXPECT_EQ(none.status, 1);
    EXPECT_TRUE(none.err.contains("USB adapter cable not found."));
}

TEST(ImportCli, DownloadWantsASessionFileAndKnownOptions) {
    const QByteArray usage =
        "Usage: telmora-cli download [--simulate[=NAME]] --slr OUT [--csv OUT] [--image OUT]\n";
    for (const QStringList& args :
         {QStringList{"download", "--simulate"}, QStringList{"download", "--simulate", "--slr="},
          QStringList{"download", "--slr", "x.slr", "--csv="},
          QStringList{"download", "--slr", "x.slr", "--verbose"},
          QStringList{"download", "--slr", "x.slr", "--image="},
          QStringList{"download", "--slr"}}) {
        const CliRun run = Cli(args);
        EXPECT_EQ(run.status, 2) << args.join(' ').toStdString();
        EXPECT_EQ(run.err, usage) << args.join(' ').toStdString();
    }
    const CliRun unknown = Cli({"download", "--simulate=nosuch", "--slr", "x.slr"});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_TRUE(unknown.err.startsWith("telmora-cli: unknown simulation 'nosuch'"));
}

TEST(LogCli, RejectsBadCountsIntervalsAndOptions) {
    const QByteArray count = "telmora-cli: --count needs a whole number of at least 1\n";
    const QByteArray interval =
        "telmora-cli: --interval needs a number of seconds from 0 to 86400\n";
    const QByteArray usage =
        "Usage: telmora-cli log [--simulate[=NAME]] [--meter all|SERIAL] [--count N]\n"
        "                       [--interval SECONDS] [--format standard|tidy]\n"
        "                       [--start-when 'M1>5' | --start-at HH:MM[:SS]]\n"
        "                       [--stop-after DURATION|SAMPLES | --stop-when 'M1<2.2k']\n"
        "                       [--mqtt URL [--topic PREFIX] [--qos 0|1] [--cafile FILE]]\n";
    const QByteArray meter = "telmora-cli: --meter needs 'all' or a cable's serial number\n";
    const std::pair<QStringList, QByteArray> cases[] = {
        {{"log", "--meter="}, meter},
        {{"log", "--count", "0"}, count},
        {{"log", "--simulate", "--count=2x"}, count},
        {{"log", "--interval=-1"}, interval},
        {{"log", "--interval", "86400.5"}, interval},
        {{"log", "--interval=nan"}, interval},
        {{"log", "--verbose"}, usage},
        {{"log", "--count"}, usage},
        {{"log", "--mqtt", "mqtt://broker.lab", "--qos", "2"}, "telmora-cli: --qos needs 0 or 1\n"},
        {{"log", "--mqtt=http://broker.lab"},
         "telmora-cli: --mqtt http://broker.lab: The broker address must start with mqtt:// or "
         "mqtts://.\n"},
        {{"log", "--mqtt"}, "telmora-cli: --mqtt needs a value\n"},
        {{"log", "--simulate", "--topic", "lab"},
         "telmora-cli: --topic, --qos and --cafile go with --mqtt URL\n"},
    };
    for (const auto& [args, message] : cases) {
        const CliRun run = Cli(args);
        EXPECT_EQ(run.status, 2) << args.join(' ').toStdString();
        EXPECT_EQ(run.err, message) << args.join(' ').toStdString();
        EXPECT_TRUE(run.out.isEmpty()) << args.join(' ').toStdString();
    }
}

TEST(LogCli, WritesReadingsAtAnIntervalAndStopsWhenTheLinkIsLost) {
    const CliRun paced = Cli({"log", "--simulate", "--count=2", "--interval=0.05"});
    EXPECT_EQ(paced.status, 0) << paced.err.toStdString();
    const QList<QByteArray> lines = paced.out.split('\n');
    ASSERT_EQ(lines.size(), 4); // header, two readings and the empty rest
    EXPECT_TRUE(lines[0].startsWith("#item,Time,MainData"));
    EXPECT_TRUE(lines[1].startsWith("1,"));
    EXPECT_TRUE(lines[2].startsWith("2,"));
    EXPECT_TRUE(lines[2].endsWith('\r'));

    // The simulated cable is pulled after some polls: the lines written so far
    // stay, and the command fails with the reason.
    const CliRun unplugged = Cli({"log", "--simulate=unplug"});
    EXPECT_EQ(unplugged.status, 1);
    EXPECT_EQ(unplugged.err,
              "telmora-cli: the link to the meter was lost (USB adapter cable not found).\n");
    EXPECT_TRUE(unplugged.out.startsWith("#item,Time,MainData"));
    EXPECT_TRUE(unplugged.out.contains("\r\n1,"));
}
