// telmora-cli and a standard output that fails: a full disk, a file size limit, a
// reader that goes away, and too little memory. Every command is run as the real
// program with the limits set in the child only.
#include "logger/SessionFile.h"
#include "recording/RecorderFile.h"
#include "sim/DemoLoggerMemory.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <unistd.h>

using namespace telmora;

// An address-space limit cannot be tested under AddressSanitizer, whose shadow
// memory alone is larger than the limit.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kBuiltWithAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kBuiltWithAddressSanitizer = true;
#else
constexpr bool kBuiltWithAddressSanitizer = false;
#endif
#else
constexpr bool kBuiltWithAddressSanitizer = false;
#endif

namespace {

constexpr int kTimeoutMs = 30000;
const QByteArray kFull = "telmora-cli: cannot write to standard output: No space left on device\n";
const QByteArray kTooLarge = "telmora-cli: cannot write to standard output: File too large\n";

// What the child gets before it starts: limits and ignored signals (both outlive
// the exec).
struct ChildSetup {
    rlim_t fileSizeLimit = RLIM_INFINITY;
    rlim_t addressSpaceLimit = RLIM_INFINITY;
    bool ignoreBrokenPipe = false;
    int stdoutFd = -1; // becomes the child's standard output when set
};

struct CliRun {
    bool finished = false;
    int status = -1;
    QByteArray out;
    QByteArray err;
};

void Start(QProcess& p, const QStringList& args, const ChildSetup& setup) {
    p.setChildProcessModifier([setup] {
        // Only calls that are safe between fork and exec.
        if (setup.ignoreBrokenPipe)
            ::signal(SIGPIPE, SIG_IGN);
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit files{setup.fileSizeLimit, setup.fileSizeLimit};
        ::setrlimit(RLIMIT_FSIZE, &files);
        const rlimit memory{setup.addressSpaceLimit, setup.addressSpaceLimit};
        ::setrlimit(RLIMIT_AS, &memory);
        if (setup.stdoutFd >= 0)
            ::dup2(setup.stdoutFd, STDOUT_FILENO);
    });
    p.start(QStringLiteral(TELMORA_CLI_PATH), args);
}

CliRun Finish(QProcess& p) {
    CliRun run;
    run.finished = p.waitForFinished(kTimeoutMs);
    if (!run.finished) {
        p.kill();
        p.waitForFinished();
    }
    run.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    run.out = p.readAllStandardOutput();
    run.err = p.readAllStandardError();
    return run;
}

// Runs the tool with its standard output written to `outFile` and standard input
// read from `inFile` (when given).
CliRun RunTo(const QString& outFile, const QStringList& args, const ChildSetup& setup = {},
             const QString& inFile = {}) {
    QProcess p;
    p.setStandardOutputFile(outFile);
    if (!inFile.isEmpty())
        p.setStandardInputFile(inFile);
    Start(p, args, setup);
    return Finish(p);
}

// Runs the tool into a pipe whose reader takes two lines and then closes it (the
// process's own pipe stays open until it ends, so the test makes its own).
CliRun RunIntoClosedPipe(const QStringList& args) {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) {
        ADD_FAILURE() << "no pipe";
        return {};
    }
    QProcess p;
    Start(p, args, ChildSetup{.ignoreBrokenPipe = true, .stdoutFd = fds[1]});
    ::close(fds[1]);
    QByteArray taken;
    QDeadlineTimer deadline(kTimeoutMs);
    while (taken.count('\n') < 2 && !deadline.hasExpired()) {
        pollfd ready{fds[0], POLLIN, 0};
        if (::poll(&ready, 1, static_cast<int>(deadline.remainingTime())) <= 0)
            continue;
        char buffer[256];
        const ssize_t n = ::read(fds[0], buffer, sizeof buffer);
        if (n <= 0)
            break;
        taken.append(buffer, n);
    }
    EXPECT_GE(taken.count('\n'), 2) << "the tool wrote fewer than two lines";
    ::close(fds[0]);
    return Finish(p);
}

class CliOutputTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        SampleList samples;
        for (int i = 0; i < 20000; ++i) {
            SampleEntry e;
            e.main.functionCode = 0x6;
            e.main.value = static_cast<float>(i);
            e.main.displayText.assign(std::to_string(i));
            e.main.unitText.assign("V");
            samples.append(e);
        }
        ASSERT_TRUE(SaveRecorderFile(m_recording, samples));
        const std::vector<std::uint8_t> image = DemoLoggerImage();
        QFile f(m_image);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(reinterpret_cast<const char*>(image.data()), static_cast<qint64>(image.size()));
        f.close();
        ASSERT_EQ(
            RunTo(QStringLiteral("/dev/null"), {"memory-csv", m_image, "--slr", m_sessions}).status,
            0);
        QFile replies(m_replies);
        ASSERT_TRUE(replies.open(QIODevice::WriteOnly));
        for (int i = 0; i < 3; ++i)
            replies.write(QByteArray(54, '0') + '\n');
    }

    QString path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }

    QTemporaryDir m_dir;
    const QString m_recording = path("r.g53");
    const QString m_image = path("demo.bin");
    const QString m_sessions = path("demo.slr");
    const QString m_replies = path("replies.txt");
};

} // namespace

TEST_F(CliOutputTest, EveryCommandFailsWithTheReasonWhenTheDiskIsFull) {
    const QString full = QStringLiteral("/dev/full");
    const QList<QStringList> commands = {
        {"log", "--simulate", "--count", "3"},
        {"log", "--simulate", "--count", "2", "--format", "tidy"},
        {"info", "--simulate"},
        {"recorder-csv", m_recording},
        {"recorder-csv", m_recording, "--format", "tidy"},
        {"session-csv", m_sessions},
        {"memory-csv", m_image},
        {"stats", m_recording},
        {"stats", m_sessions},
        {"--help"},
        {"--version"},
        {"stats", "--help"},
    };
    for (const QStringList& args : commands) {
        const CliRun run = RunTo(full, args);
        EXPECT_TRUE(run.finished) << args.join(' ').toStdString();
        EXPECT_EQ(run.status, 1) << args.join(' ').toStdString();
        EXPECT_EQ(run.err, kFull) << args.join(' ').toStdString();
    }
    const CliRun decode = RunTo(full, {"decode"}, {}, m_replies);
    EXPECT_EQ(decode.status, 1);
    EXPECT_EQ(decode.err, kFull);
}

TEST_F(CliOutputTest, AFileSizeLimitStopsTheOutputWithTheReason) {
    const QString out = path("out.txt");
    const ChildSetup limit{.fileSizeLimit = 1000};
    const QList<QStringList> commands = {
        {"recorder-csv", m_recording},
        {"session-csv", m_sessions},
        {"memory-csv", m_image},
        {"log", "--simulate", "--count", "40"},
    };
    for (const QStringList& args : commands) {
        const CliRun run = RunTo(out, args, limit);
        EXPECT_TRUE(run.finished) << args.join(' ').toStdString();
        EXPECT_EQ(run.status, 1) << args.join(' ').toStdString();
        EXPECT_EQ(run.err, kTooLarge) << args.join(' ').toStdString();
        EXPECT_LE(QFileInfo(out).size(), 1000);
    }
}

TEST_F(CliOutputTest, AReaderThatGoesAwayEndsTheCommandQuietly) {
    // With SIGPIPE ignored the writes fail with EPIPE: the command must notice and
    // stop, without a message (the reader asked for no more).
    const QList<QStringList> commands = {
        {"log", "--simulate", "--interval", "0"},
        {"recorder-csv", m_recording},
        {"memory-csv", m_image},
    };
    for (const QStringList& args : commands) {
        const CliRun run = RunIntoClosedPipe(args);
        EXPECT_TRUE(run.finished) << args.join(' ').toStdString() << " did not end";
        EXPECT_NE(run.status, 0) << args.join(' ').toStdString();
        EXPECT_EQ(run.err, QByteArray()) << args.join(' ').toStdString();
    }
}

TEST_F(CliOutputTest, TooLittleMemoryForAMemoryImageIsAMessageNotAnAbort) {
    if (kBuiltWithAddressSanitizer)
        GTEST_SKIP() << "AddressSanitizer reserves more address space than the limit allows";
    // Nine sessions of 300000 samples: a few megabytes as an image, far more once
    // converted, and more than the child may have.
    std::vector<LoggerSession> sessions(9);
    for (LoggerSession& s : sessions)
        s.main.assign(300000, PackStoredReading({0, 0, 1234}));
    const std::vector<std::uint8_t> image = BuildLoggerImage(sessions);
    const QString large = path("large.bin");
    QFile f(large);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(reinterpret_cast<const char*>(image.data()), static_cast<qint64>(image.size()));
    f.close();
    // Room to load the program and its libraries (about 64 MB), not for the sessions.
    const ChildSetup limit{.addressSpaceLimit = 160000 * 1024};
    for (const QStringList& args :
         {QStringList{"memory-csv", large}, QStringList{"memory-csv", large, "--format", "tidy"}}) {
        const CliRun run = RunTo(QStringLiteral("/dev/null"), args, limit);
        EXPECT_TRUE(run.finished);
        EXPECT_EQ(run.status, 1) << run.err.toStdString();
        EXPECT_EQ(run.err,
                  "telmora-cli: not enough memory to read '" + QFile::encodeName(large) + "'\n");
    }
}
