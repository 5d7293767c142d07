// telmora-cli and the files it is given: only regular files are read, existing
// targets that are not regular files are left alone, names need not be UTF-8,
// every "cannot open" says why, and the download's progress suits a log file.
#include "SmallDisk.h"
#include "recording/RecorderFile.h"
#include "sim/DemoLoggerMemory.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <array>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace telmora;

namespace {

struct CliRun {
    bool finished = false;
    int status = -1;
    QByteArray out;
    QByteArray err;
};

// Runs `script` in a shell with "$0" the command-line tool, so that arguments can
// hold bytes that are not UTF-8 (made with printf). A tool that hangs is killed.
CliRun Shell(const QString& script, int timeoutMs = 60000) {
    QProcess p;
    p.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), script, TELMORA_CLI_PATH});
    CliRun run;
    run.finished = p.waitForFinished(timeoutMs);
    if (!run.finished) {
        p.kill();
        p.waitForFinished();
    }
    run.status = p.exitCode();
    run.out = p.readAllStandardOutput();
    run.err = p.readAllStandardError();
    return run;
}

QString Quoted(const QString& path) {
    return QLatin1Char('\'') + path + QLatin1Char('\'');
}

CliRun Cli(const QString& args, int timeoutMs = 60000) {
    return Shell(QStringLiteral("exec \"$0\" ") + args, timeoutMs);
}

void WriteNative(const QByteArray& path, const QByteArray& bytes) {
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::write(fd, bytes.constData(), static_cast<std::size_t>(bytes.size())), bytes.size());
    ::close(fd);
}

QByteArray DemoImage() {
    const std::vector<std::uint8_t> image = DemoLoggerImage();
    return QByteArray(reinterpret_cast<const char*>(image.data()),
                      static_cast<qsizetype>(image.size()));
}

SampleList Samples(int n) {
    SampleList samples;
    // DC volts as the recorder stores them: a sound record of every kind of file.
    for (int i = 0; i < n; ++i) {
        SampleEntry e;
        e.main.functionCode = 0x6;
        e.main.value = 1.5f;
        e.main.valueText.assign("1.500");
        e.main.displayText.assign("1.500");
        e.main.unitText.assign("V");
        e.main.modeText.assign("DC");
        samples.append(e);
    }
    return samples;
}

bool IsFifo(const QString& path) {
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 && S_ISFIFO(st.st_mode);
}

// The one line of a failure, which must name the reason.
void ExpectOneLineWith(const CliRun& run, const char* start, const char* reason) {
    EXPECT_TRUE(run.finished) << "the tool did not end";
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err.count('\n'), 1) << run.err.toStdString();
    EXPECT_TRUE(run.err.startsWith(start)) << run.err.toStdString();
    EXPECT_TRUE(run.err.trimmed().endsWith(reason)) << run.err.toStdString();
}

class CliFilesTest : public ::testing::Test {
protected:
    QString path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }
    QString fifo(const char* name) const {
        const QString p = path(name);
        EXPECT_EQ(::mkfifo(QFile::encodeName(p).constData(), 0600), 0);
        return p;
    }
    QTemporaryDir m_dir;
};

} // namespace

TEST_F(CliFilesTest, InputsThatAreNotRegularFilesAreRefusedAtOnceWithTheReason) {
    const QString pipe = Quoted(fifo("pipe"));
    const char* fifoReason = "is a FIFO, not a regular file";
    // Without a writer, none of these may wait.
    ExpectOneLineWith(Cli("session-csv " + pipe, 10000), "telmora-cli: cannot open", fifoReason);
    ExpectOneLineWith(Cli("memory-csv " + pipe, 10000), "telmora-cli: cannot open", fifoReason);
    ExpectOneLineWith(Cli("recorder-csv " + pipe, 10000), "telmora-cli: cannot open", fifoReason);
    // /dev/zero is no empty file and no endless one.
    ExpectOneLineWith(Cli("memory-csv /dev/zero", 10000), "telmora-cli: cannot open",
                      "is a character device, not a regular file");
    for (const char* command : {"session-csv", "memory-csv", "recorder-csv"}) {
        const QString c = QString::fromLatin1(command);
        ExpectOneLineWith(Cli(c + ' ' + Quoted(path("missing"))), "telmora-cli: cannot open",
                          "No such file or directory");
        ExpectOneLineWith(Cli(c + ' ' + Quoted(m_dir.path())), "telmora-cli: cannot open",
                          "Is a directory");
    }
}

TEST_F(CliFilesTest, TargetsThatAreNotRegularFilesAreLeftAsTheyAre) {
    WriteNative(QFile::encodeName(path("demo.bin")), DemoImage());
    const QString image = Quoted(path("demo.bin"));
    const QString pipe = fifo("pipe.slr");
    ExpectOneLineWith(Cli("memory-csv " + image + " --slr " + Quoted(pipe), 10000),
                      "telmora-cli: cannot write the session file",
                      "is a FIFO, not a regular file");
    EXPECT_TRUE(IsFifo(pipe));
    ExpectOneLineWith(Cli("memory-csv " + image + " --slr " + Quoted(m_dir.path())),
                      "telmora-cli: cannot write the session file", "Is a directory");
    // The download checks its targets before it starts.
    ExpectOneLineWith(
        Cli("download --simulate --slr " + Quoted(path("x.slr")) + " --image " + Quoted(pipe)),
        "telmora-cli: cannot write the memory image", "is a FIFO, not a regular file");
    EXPECT_TRUE(IsFifo(pipe));
    EXPECT_FALSE(QFileInfo::exists(path("x.slr")));
}

// A full disk: every file the tool writes fails with the system's reason and exit
// status 1, and the old files stay as they were, with no temporary file beside them.
TEST_F(CliFilesTest, AFullDiskFailsEveryOutputAndKeepsTheOldFiles) {
    SmallDisk disk;
    SKIP_WITHOUT_SMALL_DISK(disk);
    WriteNative(QFile::encodeName(path("demo.bin")), DemoImage());
    const QByteArray old = "old contents\n";
    const QStringList targets = {QStringLiteral("d.bin"), QStringLiteral("d.csv"),
                                 QStringLiteral("d.slr"), QStringLiteral("m.slr")};
    for (const QString& name : targets)
        ASSERT_TRUE(disk.put(name, old));
    ASSERT_TRUE(disk.fill());
    const auto on = [&](const char* name) { return Quoted(disk.path(QString::fromLatin1(name))); };
    const char* noSpace = "No space left on device";

    ExpectOneLineWith(Cli("memory-csv " + Quoted(path("demo.bin")) + " --slr " + on("m.slr")),
                      "telmora-cli: cannot write the session file", noSpace);
    // The download's last line says what failed (progress lines come before it).
    const auto expectLastLine = [&](const QString& args, const char* start) {
        const CliRun run = Cli("download --simulate " + args);
        EXPECT_EQ(run.status, 1);
        const QByteArray last = run.err.trimmed().split('\n').last();
        EXPECT_TRUE(last.startsWith(start)) << run.err.toStdString();
        EXPECT_TRUE(last.endsWith(QByteArray(noSpace) + "; no file was replaced"))
            << run.err.toStdString();
    };
    expectLastLine("--slr " + on("d.slr") + " --image " + on("d.bin"),
                   "telmora-cli: cannot write the memory image");
    expectLastLine("--slr " + on("d.slr"), "telmora-cli: cannot write the session file");
    expectLastLine("--slr " + Quoted(path("ok.slr")) + " --csv " + on("d.csv"), "telmora-cli: ");

    for (const QString& name : targets)
        EXPECT_EQ(disk.read(name), old) << name.toStdString();
    QStringList expected = targets + QStringList{QStringLiteral("filler")};
    expected.sort();
    EXPECT_EQ(disk.files(), expected);
}

// The download's files are one set: when the disk fills after some of them were
// written, none replaces an old file and none is left where there was none.
TEST_F(CliFilesTest, ADownloadThatFillsTheDiskReplacesNoneOfItsFiles) {
    SmallDisk disk(4096);
    SKIP_WITHOUT_SMALL_DISK(disk);
    const QByteArray old = "old contents\n";
    for (const char* name : {"d.bin", "d.slr", "d.csv"})
        ASSERT_TRUE(disk.put(QString::fromLatin1(name), old));
    const QStringList before = disk.files();
    const auto on = [&](const char* name) { return Quoted(disk.path(QString::fromLatin1(name))); };
    const QString filler = disk.path(QStringLiteral("filler"));
    // The memory image takes 9 pages, the session file 216, the text file 87 (each
    // download takes seconds, so only two are made): room for the image alone, then
    // for the image and the session file, which are new files this time.
    const std::array<std::pair<int, QString>, 2> cases{
        {{40, "--image " + on("d.bin") + " --slr " + on("d.slr") + " --csv " + on("d.csv")},
         {260, "--image " + on("new.bin") + " --slr " + on("new.slr") + " --csv " + on("d.csv")}}};
    for (const auto& [pages, outputs] : cases) {
        ASSERT_TRUE(disk.fill());
        ASSERT_TRUE(QFile::resize(filler, QFileInfo(filler).size() - pages * 4096));
        const CliRun run = Cli("download --simulate " + outputs);
        EXPECT_EQ(run.status, 1) << pages << " pages: " << run.err.toStdString();
        EXPECT_TRUE(run.err.trimmed().endsWith("No space left on device; no file was replaced"))
            << run.err.toStdString();
        for (const char* name : {"d.bin", "d.slr", "d.csv"})
            EXPECT_EQ(disk.read(QString::fromLatin1(name)), old) << name;
        EXPECT_EQ(disk.files(), QStringList(before + QStringList{QStringLiteral("filler")}))
            << pages << " pages, " << outputs.toStdString();
        ASSERT_TRUE(QFile::remove(filler));
    }
}

TEST_F(CliFilesTest, NamesThatAreNotUtf8AreReadByTheirBytes) {
    const QByteArray dir = QFile::encodeName(m_dir.path());
    WriteNative(dir + "/lat\xfc.bin", DemoImage());
    WriteNative(QFile::encodeName(path("demo-copy.bin")), DemoImage());
    const CliRun direct = Cli("memory-csv " + Quoted(path("demo-copy.bin")));
    ASSERT_EQ(direct.status, 0) << direct.err.toStdString();

    const QString latin = "\"$(printf '" + m_dir.path() + "/lat\\374')\"";
    const CliRun memory = Cli("memory-csv " + latin + ".bin --slr " + Quoted(path("ok.slr")));
    ASSERT_EQ(memory.status, 0) << memory.err.toStdString();
    EXPECT_EQ(memory.out, direct.out);

    // The session file under a Latin-1 name, and a recorder file.
    ASSERT_TRUE(QFile::copy(path("ok.slr"), path("moved.slr")));
    ASSERT_EQ(::rename(QFile::encodeName(path("moved.slr")).constData(),
                       (dir + "/lat\xfc.slr").constData()),
              0);
    const CliRun session = Cli("session-csv " + latin + ".slr");
    ASSERT_EQ(session.status, 0) << session.err.toStdString();
    EXPECT_EQ(session.out, direct.out);
    const SampleList samples = Samples(3);
    ASSERT_TRUE(SaveRecorderFile(path("three.g53"), samples));
    ASSERT_EQ(::rename(QFile::encodeName(path("three.g53")).constData(),
                       (dir + "/lat\xfc.g53").constData()),
              0);
    const CliRun recorder = Cli("recorder-csv " + latin + ".g53");
    ASSERT_EQ(recorder.status, 0) << recorder.err.toStdString();
    EXPECT_EQ(recorder.out.count("\r\n"), 1 + 3);

    // A name the save file cannot spell is refused, not written under another name,
    // and the message shows the name as it was given.
    const CliRun out =
        Cli("memory-csv " + Quoted(path("demo-copy.bin")) + " --slr " + latin + "-out.slr");
    EXPECT_EQ(out.status, 1);
    EXPECT_TRUE(out.err.contains("lat\xfc-out.slr': the name is not valid UTF-8"))
        << out.err.toStdString();
    EXPECT_EQ(QDir(m_dir.path()).entryList({QStringLiteral("*-out.slr")}).size(), 0);
}

TEST_F(CliFilesTest, AFolderNamedLikeATemporaryFileDoesNotChooseTheFormat) {
    ASSERT_TRUE(QDir(m_dir.path()).mkpath(QStringLiteral("data.tmp")));
    const SampleList samples = Samples(5);
    ASSERT_TRUE(SaveRecorderFile(path("data.tmp/demo.g53"), samples));
    const CliRun run = Cli("recorder-csv " + Quoted(path("data.tmp/demo.g53")));
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.out.count("\r\n"), 1 + 5);
}

TEST_F(CliFilesTest, DownloadToALogWritesTenPercentStepsAndSavesTheMemoryImage) {
    const QString slr = path("x.slr");
    const QString image = path("x.bin");
    const CliRun run = Cli("download --simulate --slr " + Quoted(slr) + " --image " +
                           Quoted(image) + " 2>" + Quoted(path("log")));
    ASSERT_EQ(run.status, 0);
    QFile logFile(path("log"));
    ASSERT_TRUE(logFile.open(QIODevice::ReadOnly));
    const QByteArray log = logFile.readAll();
    EXPECT_FALSE(log.contains('\r'));
    QList<int> steps;
    QByteArray lastBytes;
    for (const QByteArray& line : log.split('\n')) {
        if (line.startsWith("Reading logger memory: "))
            steps.append(line.mid(23, line.indexOf('%') - 23).toInt());
        if (line.contains("Read Bytes : "))
            lastBytes = line.mid(line.indexOf("Read Bytes : "));
    }
    // The bytes read never count past the memory's length, although the last
    // block is read whole.
    const QList<QByteArray> counts = lastBytes.mid(13).split(' ');
    ASSERT_EQ(counts.size(), 3) << lastBytes.toStdString();
    EXPECT_EQ(counts[0], counts[2]);
    ASSERT_FALSE(steps.isEmpty()) << log.toStdString();
    EXPECT_LE(steps.size(), 11);
    EXPECT_EQ(steps.last(), 100);
    for (qsizetype i = 0; i < steps.size(); ++i) {
        EXPECT_EQ(steps[i] % 10, 0);
        if (i > 0) {
            EXPECT_GT(steps[i], steps[i - 1]);
        }
    }
    EXPECT_TRUE(log.endsWith("session(s) saved to " + QFile::encodeName(slr) + "\n"))
        << log.toStdString();

    // The saved image is what memory-csv reads: the same sessions as the download.
    const CliRun fromImage = Cli("memory-csv " + Quoted(image));
    ASSERT_EQ(fromImage.status, 0) << fromImage.err.toStdString();
    EXPECT_EQ(fromImage.out, Cli("session-csv " + Quoted(slr)).out);
    EXPECT_EQ(QFileInfo(image).size() % 24, 0);
}
