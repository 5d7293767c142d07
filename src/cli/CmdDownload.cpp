#include "cli/CmdDownload.h"

#include "logger/LoggerDownload.h"
#include "logger/SessionFile.h"
#include "logger/sessiontext.h"
#include "meter/CableBackend.h"
#include "sim/SimulatedMeter.h"

#include <QString>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

namespace telmora::cli {

namespace {

constexpr const char* kUsage =
    "Usage: telmora-cli download [--simulate[=NAME]] --slr OUT [--csv OUT]\n";

std::atomic<bool> g_interrupted{false};

extern "C" void OnInterrupt(int) {
    g_interrupted.store(true);
}

// Restores the previous Ctrl-C handler when the command ends.
class InterruptGuard {
public:
    InterruptGuard() { m_previous = std::signal(SIGINT, OnInterrupt); }
    ~InterruptGuard() { std::signal(SIGINT, m_previous); }
    InterruptGuard(const InterruptGuard&) = delete;
    InterruptGuard& operator=(const InterruptGuard&) = delete;

private:
    void (*m_previous)(int) = SIG_DFL;
};

// A progress bar on stderr; the user already asked for the download, so the
// question is answered with Yes.
class ConsoleObserver : public MemoryDownloadObserver {
public:
    bool confirmDownload() override { return true; }
    void stageChanged(DownloadStage stage) override {
        endLine();
        m_stage = stage;
    }
    void blockProgress(std::size_t position, std::size_t maximum,
                       const std::string& detail) override {
        const int percent = maximum == 0 ? 100 : static_cast<int>(position * 100 / maximum);
        if (percent == m_percent && position < maximum) {
            return;
        }
        m_percent = percent;
        draw("Reading logger memory", percent, detail);
    }
    void conversionProgress(int session, std::size_t done, std::size_t total) override {
        const int percent = total == 0 ? 100 : static_cast<int>(done * 100 / total);
        if (session == m_session && percent == m_percent) {
            return;
        }
        m_session = session;
        m_percent = percent;
        draw("Converting session " + std::to_string(session + 1), percent, std::string());
    }
    bool abortRequested() override { return g_interrupted.load(); }
    void endLine() {
        if (m_drawn) {
            std::fputc('\n', stderr);
            m_drawn = false;
        }
        m_percent = -1;
    }

private:
    void draw(const std::string& title, int percent, const std::string& detail) {
        constexpr int kWidth = 30;
        const int filled = percent * kWidth / 100;
        std::fprintf(stderr, "\r%-22s [%s%s] %3d%%  %-36s", title.c_str(),
                     std::string(static_cast<std::size_t>(filled), '#').c_str(),
                     std::string(static_cast<std::size_t>(kWidth - filled), ' ').c_str(), percent,
                     detail.c_str());
        std::fflush(stderr);
        m_drawn = true;
    }

    DownloadStage m_stage = DownloadStage::Acquiring;
    int m_percent = -1;
    int m_session = -1;
    bool m_drawn = false;
};

int Fail(const std::string& message) {
    std::fprintf(stderr, "telmora-cli: %s\n", message.c_str());
    return 1;
}

// The options of the command; the paths point into argv.
struct DownloadOptions {
    std::string_view simulate;
    const char* slrPath = nullptr;
    const char* csvPath = nullptr;
};

// The options, or nothing when an argument is unknown or a path is missing.
std::optional<DownloadOptions> ParseDownloadOptions(int argc, char** argv) {
    DownloadOptions options;
    for (int i = 0; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--simulate" || arg.starts_with("--simulate=")) {
            options.simulate = arg;
        } else if (arg == "--slr" && i + 1 < argc) {
            options.slrPath = argv[++i];
        } else if (arg.starts_with("--slr=")) {
            options.slrPath = argv[i] + 6;
        } else if (arg == "--csv" && i + 1 < argc) {
            options.csvPath = argv[++i];
        } else if (arg.starts_with("--csv=")) {
            options.csvPath = argv[i] + 6;
        } else {
            return std::nullopt;
        }
    }
    if (options.slrPath == nullptr || *options.slrPath == '\0' ||
        (options.csvPath != nullptr && *options.csvPath == '\0')) {
        return std::nullopt;
    }
    return options;
}

// A download message on one line.
std::string SingleLine(const QString& message) {
    return QString(message).replace(QLatin1Char('\n'), QLatin1Char(' ')).toStdString();
}

// Writes the downloaded sessions to the session file and, when asked, the text
// file; reports what was saved and whether the download was complete.
int SaveDownload(const DownloadOptions& options, const DownloadResult& result) {
    const QString slr = QString::fromLocal8Bit(options.slrPath);
    if (SaveSessionFile(slr, result.sessions) != SessionFileStatus::Ok) {
        return Fail(std::string("cannot write the session file ") + options.slrPath);
    }
    if (options.csvPath != nullptr) {
        QString problem;
        if (!ExportSessionsTextFile(QString::fromLocal8Bit(options.csvPath), result.sessions, 1,
                                    static_cast<int>(result.sessions.size()), &problem)) {
            return Fail(problem.toStdString());
        }
    }
    std::fprintf(stderr, "%zu session(s) saved to %s\n", result.sessions.size(), options.slrPath);
    if (result.messageId) {
        return Fail("the memory ended inside a session; the " +
                    std::to_string(result.sessions.size()) +
                    " complete session(s) before it were saved (" +
                    SingleLine(DownloadMessageText(*result.messageId)) + ")");
    }
    if (!result.notice.empty()) {
        return Fail(result.notice);
    }
    return 0;
}

} // namespace

int CmdDownload(int argc, char** argv) {
    const std::optional<DownloadOptions> options = ParseDownloadOptions(argc, argv);
    if (!options) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    std::string error;
    std::shared_ptr<CableBackend> backend = MakeCableBackend(options->simulate, &error);
    if (!backend) {
        std::fprintf(stderr, "telmora-cli: %s\n", error.c_str());
        return 2;
    }

    InterruptGuard guard;
    ConsoleObserver observer;
    DownloadResult result = DownloadMemory(*backend, observer);
    observer.endLine();

    using Status = DownloadResult::Status;
    if (result.status == Status::Aborted) {
        return Fail("download interrupted; nothing was saved");
    }
    if (result.status != Status::Done) {
        // Every failure but a decline carries a message.
        return Fail(result.messageId ? SingleLine(DownloadMessageText(*result.messageId))
                                     : std::string());
    }
    return SaveDownload(*options, result);
}

} // namespace telmora::cli
