#include "cli/CmdDownload.h"

#include "app/cablebackends.h"
#include "cli/CommandOutput.h"
#include "cli/InterruptGuard.h"
#include "cli/clipaths.h"
#include "logger/LoggerDownload.h"
#include "logger/SessionFile.h"
#include "logger/sessiontext.h"
#include "meter/CableBackend.h"
#include "model/SaveFile.h"
#include "model/SaveFileSet.h"

#include <QFileInfo>
#include <QString>

#include <atomic>
#include <cstdio>
#include <functional>
#include <optional>
#include <stop_token>
#include <string>
#include <string_view>
#include <vector>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace telmora::cli {

namespace {

constexpr const char* kUsage =
    "Usage: telmora-cli download [--simulate[=NAME]] --slr OUT [--csv OUT] [--image OUT]\n";

bool StderrIsTerminal() {
#ifdef _WIN32
    return _isatty(_fileno(stderr)) != 0;
#else
    return isatty(fileno(stderr)) != 0;
#endif
}

// The progress on stderr: a bar redrawn in place when stderr is a terminal,
// otherwise one line for every ten percent of the reading, so that logs stay
// short. The user already asked for the download, so the question is answered
// with Yes. Keeps the memory image when it is to be saved. Ctrl-C (noted by the
// signal handler) becomes a stop of the download at its next progress report.
class ConsoleObserver : public MemoryDownloadObserver {
public:
    ConsoleObserver(const InterruptGuard& ctrlC, bool terminal, bool keepImage)
        : m_ctrlC(ctrlC), m_terminal(terminal), m_keepImage(keepImage) {}

    std::stop_token stopToken() const { return m_stop.get_token(); }

    bool confirmDownload() override { return true; }
    void imageRead(std::span<const std::uint8_t> image) override {
        if (m_keepImage) {
            m_image.assign(image.begin(), image.end());
        }
    }
    const std::vector<std::uint8_t>& image() const { return m_image; }
    void stageChanged(DownloadStage stage) override {
        noteInterrupt();
        endLine();
        m_stage = stage;
    }
    void blockProgress(std::size_t position, std::size_t maximum,
                       const std::string& detail) override {
        noteInterrupt();
        const int percent = maximum == 0 ? 100 : static_cast<int>(position * 100 / maximum);
        if (!m_terminal) {
            logLine(percent, detail);
            return;
        }
        if (percent == m_percent && position < maximum) {
            return;
        }
        m_percent = percent;
        draw("Reading logger memory", percent, detail);
    }
    void conversionProgress(int session, std::size_t done, std::size_t total) override {
        noteInterrupt();
        if (!m_terminal) {
            return; // quick next to the reading; the saved result says what came of it
        }
        const int percent = total == 0 ? 100 : static_cast<int>(done * 100 / total);
        if (session == m_session && percent == m_percent) {
            return;
        }
        m_session = session;
        m_percent = percent;
        draw("Converting session " + std::to_string(session + 1), percent, std::string());
    }
    void endLine() {
        if (m_drawn) {
            std::fputc('\n', stderr);
            m_drawn = false;
        }
        m_percent = -1;
    }

private:
    void noteInterrupt() {
        if (m_ctrlC.interrupted()) {
            m_stop.request_stop();
        }
    }

    // One line when the reading reaches the next tenth (0 %, 10 %, ... 100 %).
    void logLine(int percent, const std::string& detail) {
        const int tenth = percent / 10 * 10;
        if (tenth <= m_percent) {
            return;
        }
        m_percent = tenth;
        std::fprintf(stderr, "Reading logger memory: %d%%%s%s\n", tenth, detail.empty() ? "" : "  ",
                     detail.c_str());
        std::fflush(stderr);
    }

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

    const InterruptGuard& m_ctrlC;
    const bool m_terminal;
    const bool m_keepImage;
    std::vector<std::uint8_t> m_image;
    std::stop_source m_stop;
    DownloadStage m_stage = DownloadStage::Acquiring;
    int m_percent = -1;
    int m_session = -1;
    bool m_drawn = false;
};

// The options of the command; the paths point into argv.
struct DownloadOptions {
    std::string_view simulate;
    const char* slrPath = nullptr;
    const char* csvPath = nullptr;
    const char* imagePath = nullptr;
};

// The files to write, checked before the download so that a bad name costs no
// waiting.
struct DownloadTargets {
    QString slr;
    std::optional<QString> csv;
    std::optional<QString> image;
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
        } else if (arg == "--image" && i + 1 < argc) {
            options.imagePath = argv[++i];
        } else if (arg.starts_with("--image=")) {
            options.imagePath = argv[i] + 8;
        } else {
            return std::nullopt;
        }
    }
    if (options.slrPath == nullptr || *options.slrPath == '\0' ||
        (options.csvPath != nullptr && *options.csvPath == '\0') ||
        (options.imagePath != nullptr && *options.imagePath == '\0')) {
        return std::nullopt;
    }
    return options;
}

// A download message on one line.
std::string SingleLine(const QString& message) {
    return QString(message).replace(QLatin1Char('\n'), QLatin1Char(' ')).toStdString();
}

// The paths to write, or nothing with the message on stderr.
std::optional<DownloadTargets> CheckTargets(const DownloadOptions& options) {
    std::string problem;
    auto check = [&problem](const char* arg, const char* what, std::optional<QString>& into) {
        if (arg == nullptr) {
            return true;
        }
        into = OutputPath(arg, what, problem);
        return into.has_value();
    };
    std::optional<QString> slr;
    DownloadTargets targets;
    if (!check(options.slrPath, "the session file", slr) ||
        !check(options.csvPath, "the text file", targets.csv) ||
        !check(options.imagePath, "the memory image", targets.image)) {
        Fail(problem);
        return std::nullopt;
    }
    targets.slr = *slr;
    // Two outputs in one file would leave only the one written last.
    const auto same = [](const QString& a, const std::optional<QString>& b) {
        return b && QFileInfo(SaveFileSet::ReplacedFile(a)).absoluteFilePath() ==
                        QFileInfo(SaveFileSet::ReplacedFile(*b)).absoluteFilePath();
    };
    if (same(targets.slr, targets.csv) || same(targets.slr, targets.image) ||
        (targets.csv && same(*targets.csv, targets.image))) {
        Fail("the session file, the text file and the memory image need files of their own");
        return std::nullopt;
    }
    return targets;
}

// One file the download writes: what it is and its path as given (for messages),
// the file to replace, and the writer of its bytes, which answers with the reason
// of a failure (empty when written).
struct DownloadOutput {
    const char* what;
    const char* arg;
    QString target;
    std::function<QString(const QString& path)> write;
};

QString WriteImage(const QString& path, const std::vector<std::uint8_t>& image) {
    QString reason;
    SaveFile::writeWhole(path, std::span(reinterpret_cast<const char*>(image.data()), image.size()),
                         &reason);
    return reason;
}

QString WriteSessions(const QString& path, const std::vector<SampleList>& sessions) {
    QString reason;
    if (SaveSessionFile(path, sessions, &reason) != SessionFileStatus::Ok && reason.isEmpty()) {
        reason = QStringLiteral("the file could not be written");
    }
    return reason;
}

QString WriteText(const QString& path, const std::vector<SampleList>& sessions) {
    SaveFile file(path);
    if (!file.open()) {
        return file.errorString();
    }
    const bool written =
        WriteSessionsText(file, sessions, 1, static_cast<int>(sessions.size())) && file.commit();
    return written ? QString() : file.errorString();
}

// The files the download writes, in the order they are written.
std::vector<DownloadOutput> OutputsOf(const DownloadOptions& options,
                                      const DownloadTargets& targets, const DownloadResult& result,
                                      const std::vector<std::uint8_t>& image) {
    std::vector<DownloadOutput> outputs;
    if (targets.image) {
        outputs.push_back({"the memory image", options.imagePath, *targets.image,
                           [&image](const QString& path) { return WriteImage(path, image); }});
    }
    outputs.push_back(
        {"the session file", options.slrPath, targets.slr,
         [&result](const QString& path) { return WriteSessions(path, result.sessions); }});
    if (targets.csv) {
        outputs.push_back(
            {"the text file", options.csvPath, *targets.csv,
             [&result](const QString& path) { return WriteText(path, result.sessions); }});
    }
    return outputs;
}

// Writes the downloaded sessions to the session file and, when asked, the text
// file and the memory image, as one set: each is written completely under a new
// name beside its target, and the targets are replaced only when all of them were
// written, so a failure leaves every old file as it was. Reports what was saved
// and whether the download was complete.
int SaveDownload(const DownloadOptions& options, const DownloadTargets& targets,
                 const DownloadResult& result, const std::vector<std::uint8_t>& image) {
    const std::vector<DownloadOutput> outputs = OutputsOf(options, targets, result, image);
    SaveFileSet set;
    for (const DownloadOutput& output : outputs) {
        const QString staged = set.stageReplacement(output.target);
        const QString reason = staged.isEmpty() ? set.errorString() : output.write(staged);
        if (!reason.isEmpty()) {
            return Fail(PathMessage("cannot write", output.what, output.arg, reason) +
                        "; no file was replaced");
        }
    }
    if (!set.commit()) {
        for (const DownloadOutput& output : outputs) {
            if (SaveFileSet::ReplacedFile(output.target) == set.failedFile()) {
                return Fail(
                    PathMessage("cannot replace", output.what, output.arg, set.errorString()));
            }
        }
        return Fail(set.errorString().toStdString());
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
    const std::optional<DownloadTargets> targets = CheckTargets(*options);
    if (!targets) {
        return 1;
    }

    InterruptGuard guard;
    ConsoleObserver observer(guard, StderrIsTerminal(), targets->image.has_value());
    DownloadResult result = DownloadMemory(*backend, observer, observer.stopToken());
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
    return SaveDownload(*options, *targets, result, observer.image());
}

} // namespace telmora::cli
