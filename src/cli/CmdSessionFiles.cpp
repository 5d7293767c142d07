#include "cli/CmdSessionFiles.h"

#include "cli/CommandOutput.h"
#include "cli/clipaths.h"
#include "cli/formatoption.h"
#include "cli/inputchecks.h"
#include "logger/LoggerDownload.h"
#include "logger/SessionFile.h"
#include "logger/sessiontext.h"
#include "logger/sessiontidy.h"
#include "model/LoggerMemory.h"

#include <QFile>
#include <QString>

#include <cstring>
#include <new>
#include <optional>
#include <string>
#include <string_view>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace telmora::cli {

namespace {

constexpr const char* kSessionCsvUsage =
    "Usage: telmora-cli session-csv FILE [--format standard|tidy]\n";
constexpr const char* kMemoryCsvUsage =
    "Usage: telmora-cli memory-csv IMAGE [--slr OUT] [--format standard|tidy]\n";

void BinaryStdout() {
#ifdef _WIN32
    _setmode(_fileno(stdout), _O_BINARY);
#endif
}

// The text export (standard or tidy) of all sessions to stdout; 0, or 1 after the
// message when it could not be written.
int WriteCsv(std::span<const SampleList> sessions, TextExportFormat format) {
    BinaryStdout();
    const int last = static_cast<int>(sessions.size());
    const std::string text = format == TextExportFormat::Tidy ? SessionsTidyText(sessions, 1, last)
                                                              : SessionsText(sessions, 1, last);
    CommandOutput out(stdout);
    out.write(text);
    return out.finish(0, stderr);
}

// `name` is the path as given on the command line.
std::string SessionFileProblem(SessionFileStatus status, const char* name, bool writing,
                               const QString& reason) {
    switch (status) {
    case SessionFileStatus::Ok:
        return {};
    case SessionFileStatus::OpenFailed:
        return PathMessage(writing ? "cannot create" : "cannot open", "the session file", name,
                           reason);
    case SessionFileStatus::WriteFailed:
        return PathMessage("cannot write", "the session file", name, reason);
    case SessionFileStatus::Damaged:
        return std::string("'") + name +
               "' is not a session file or is damaged (it ends early, or a count or flag is "
               "out of range)";
    case SessionFileStatus::OutOfMemory:
        return std::string("not enough memory for the sessions of '") + name + "'";
    case SessionFileStatus::Cancelled:
        return std::string("reading '") + name + "' was cancelled";
    }
    return {};
}

// The export of the session file `path` to stdout.
int ExportSessionFile(const char* path, TextExportFormat format) {
    QFile file;
    std::string problem;
    if (!OpenInputFile(file, path, "the session file", problem)) {
        return Fail(problem);
    }
    std::vector<SampleList> sessions;
    const SessionFileStatus status = ReadSessions(file, sessions);
    if (status != SessionFileStatus::Ok) {
        return Fail(SessionFileProblem(status, path, false, file.errorString()));
    }
    if (!CheckSessionCount(file, sessions.size(), path, stderr)) {
        return 1;
    }
    return WriteCsv(sessions, format);
}

struct MemoryCsvOptions {
    const char* imagePath = nullptr;
    const char* slrPath = nullptr;
    TextExportFormat format = TextExportFormat::Standard;
};

// The options, or nothing after the usage (wrong usage).
std::optional<MemoryCsvOptions> ParseMemoryCsvOptions(int argc, char** argv) {
    MemoryCsvOptions options;
    for (int i = 0; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const OptionMatch match = TakeFormatOption(argc, argv, i, options.format);
        if (match == OptionMatch::Bad) {
            return std::nullopt;
        }
        if (match == OptionMatch::Taken) {
            continue;
        }
        if (arg == "--slr" && i + 1 < argc) {
            options.slrPath = argv[++i];
        } else if (arg.starts_with("--slr=")) {
            options.slrPath = argv[i] + 6;
        } else if (!arg.starts_with("--") && options.imagePath == nullptr) {
            options.imagePath = argv[i];
        } else {
            std::fputs(kMemoryCsvUsage, stderr);
            return std::nullopt;
        }
    }
    if (options.imagePath == nullptr || (options.slrPath != nullptr && *options.slrPath == '\0')) {
        std::fputs(kMemoryCsvUsage, stderr);
        return std::nullopt;
    }
    return options;
}

// Converts the memory image, writes the export to stdout and, when asked, the
// session file.
int ConvertImage(const MemoryCsvOptions& options) {
    const char* imagePath = options.imagePath;
    const char* slrPath = options.slrPath;
    std::string problem;
    std::optional<QString> out;
    if (slrPath != nullptr && !(out = OutputPath(slrPath, "the session file", problem))) {
        return Fail(problem);
    }
    QFile file;
    if (!OpenInputFile(file, imagePath, "the memory image", problem)) {
        return Fail(problem);
    }
    // Nothing beyond the largest length a header can announce is ever looked at.
    const QByteArray bytes = file.read(static_cast<qint64>(RoundedImageLength(0xFFFFFF)));
    const std::span<const std::uint8_t> image(
        reinterpret_cast<const std::uint8_t*>(bytes.constData()),
        static_cast<std::size_t>(bytes.size()));
    const ConvertedMemory converted = ConvertLoggerImage(image);
    if (converted.memory.status == MemoryParseStatus::NoHeader) {
        return Fail(std::string("'") + imagePath + "' is too short to be a logger memory image");
    }
    if (converted.sessions.empty() && converted.memory.status == MemoryParseStatus::Complete) {
        std::fprintf(stderr, "telmora-cli: '%s' holds no sessions\n", imagePath);
    }
    if (const int status = WriteCsv(converted.sessions, options.format); status != 0) {
        return status;
    }
    if (out) {
        QString reason;
        const SessionFileStatus status = SaveSessionFile(*out, converted.sessions, &reason);
        if (status != SessionFileStatus::Ok) {
            return Fail(SessionFileProblem(status, slrPath, true, reason));
        }
    }
    switch (converted.memory.status) {
    case MemoryParseStatus::Truncated:
        return Fail("the session chain leaves the memory image after " +
                    std::to_string(converted.sessions.size()) + " complete session(s) of " +
                    std::to_string(converted.memory.announcedSessions) + " announced");
    case MemoryParseStatus::TooManySessions:
        return Fail(TooManySessionsNotice(converted.memory.announcedSessions));
    default:
        return 0;
    }
}

int OutOfMemory(const char* path) {
    return Fail(std::string("not enough memory to read '") + path + "'");
}

} // namespace

// Running short of memory can happen anywhere on the way (the image, the sessions,
// the text): it ends the command with a message, never with an abort.
int CmdSessionCsv(int argc, char** argv) {
    const char* path = nullptr;
    TextExportFormat format = TextExportFormat::Standard;
    for (int i = 0; i < argc; ++i) {
        const OptionMatch match = TakeFormatOption(argc, argv, i, format);
        if (match == OptionMatch::Bad)
            return 2;
        if (match == OptionMatch::Taken)
            continue;
        if (path != nullptr || std::string_view(argv[i]).starts_with("--")) {
            std::fputs(kSessionCsvUsage, stderr);
            return 2;
        }
        path = argv[i];
    }
    if (path == nullptr) {
        std::fputs(kSessionCsvUsage, stderr);
        return 2;
    }
    try {
        return ExportSessionFile(path, format);
    } catch (const std::bad_alloc&) {
        return OutOfMemory(path);
    }
}

int CmdMemoryCsv(int argc, char** argv) {
    const std::optional<MemoryCsvOptions> options = ParseMemoryCsvOptions(argc, argv);
    if (!options) {
        return 2;
    }
    try {
        return ConvertImage(*options);
    } catch (const std::bad_alloc&) {
        return OutOfMemory(options->imagePath);
    }
}

} // namespace telmora::cli
