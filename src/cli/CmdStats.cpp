#include "cli/CmdStats.h"
#include "cli/CommandOutput.h"
#include "cli/clipaths.h"
#include "cli/inputchecks.h"

#include "logger/SessionFile.h"
#include "logger/sessionstatistics.h"
#include "model/GroupedStatistics.h"
#include "recording/RecorderFile.h"
#include "recording/RecordingStatistics.h"

#include <QFile>
#include <QString>

#include <charconv>
#include <cstring>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace telmora::cli {

namespace {

constexpr const char* kStatsUsage =
    "Usage: telmora-cli stats FILE\n"
    "\n"
    "Statistics of the main readings of a recorder file (.g53, .g52, .g51, .TMP) or\n"
    "a session file (.slr), per function and unit, one JSON object per line:\n"
    "  {\"session\":1,\"function\":6,\"unit\":\"V\",\"mode\":\"DC\",\"count\":450,\n"
    "   \"mean\":1.5,\"std_dev\":0.01,\"min\":1.4,\"max\":1.6,\"overloads\":3}\n"
    "\"session\" (numbered from 1) only for session files. Values are in SI base\n"
    "units (temperatures in the degrees shown, decibels in dBm); std_dev is the\n"
    "sample standard deviation; overloads are counted apart and left out of the\n"
    "figures. mean, std_dev, min and max are null when a group holds overloads only.\n";

void appendNumber(std::string& out, double value) {
    char text[40];
    const auto written = std::to_chars(text, text + sizeof text, value);
    out.append(text, written.ptr);
}

void appendJsonText(std::string& out, std::string_view text) {
    out += '"';
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
            out += escaped;
        } else {
            out += c;
        }
    }
    out += '"';
}

std::string groupLine(const StatisticsGroup& group, std::optional<std::size_t> session) {
    std::string line = "{";
    if (session) {
        line += "\"session\":" + std::to_string(*session) + ",";
    }
    line += "\"function\":" + std::to_string(group.function) + ",\"unit\":";
    appendJsonText(line, group.unit);
    line += ",\"mode\":";
    appendJsonText(line, group.mode);
    const RunningStatistics& v = group.values;
    line += ",\"count\":" + std::to_string(v.count());
    const std::pair<const char*, double> figures[] = {{"mean", v.mean()},
                                                      {"std_dev", v.standardDeviation()},
                                                      {"min", v.minimum()},
                                                      {"max", v.maximum()}};
    for (const auto& [key, value] : figures) {
        line += ",\"";
        line += key;
        line += "\":";
        if (v.empty()) {
            line += "null";
        } else {
            appendNumber(line, value);
        }
    }
    line += ",\"overloads\":" + std::to_string(group.overloads) + "}\n";
    return line;
}

bool writeGroups(CommandOutput& out, const GroupedStatistics& statistics,
                 std::optional<std::size_t> session) {
    for (const StatisticsGroup& group : statistics.groups()) {
        if (!out.write(groupLine(group, session))) {
            return false;
        }
    }
    return true;
}

bool isSessionFile(std::string_view path) {
    if (path.size() < 4) {
        return false;
    }
    std::string end(path.substr(path.size() - 4));
    for (char& c : end) {
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
    return end == ".slr";
}

int sessionStats(const char* path, CommandOutput& out, std::FILE* err) {
    QFile file;
    std::string problem;
    if (!OpenInputFile(file, path, "the session file", problem)) {
        std::fprintf(err, "telmora-cli: %s\n", problem.c_str());
        return 1;
    }
    std::vector<SampleList> sessions;
    if (ReadSessions(file, sessions) != SessionFileStatus::Ok) {
        std::fprintf(err, "telmora-cli: cannot read '%s' as a session file\n", path);
        return 1;
    }
    if (!CheckSessionCount(file, sessions.size(), path, err)) {
        return 1;
    }
    for (std::size_t s = 0; s < sessions.size(); ++s) {
        if (!writeGroups(out, SessionStatistics(sessions[s]), s + 1)) {
            return out.report(err);
        }
    }
    return 0;
}

int recorderStats(const char* path, CommandOutput& out, std::FILE* err) {
    // Read record by record: a file of any size takes the same little memory.
    RecorderFileReader reader;
    if (!OpenRecorderInput(reader, path, err)) {
        return 1;
    }
    GroupedStatistics statistics;
    ReadingRecord main;
    std::int64_t counted = 0;
    while (reader.readNextMain(main)) {
        statistics.add(RecorderMainReading(main));
        ++counted;
    }
    if (reader.readFailed()) {
        std::fprintf(err, "telmora-cli: cannot read '%s' as a recorder file\n", path);
        return 1;
    }
    if (!writeGroups(out, statistics, std::nullopt)) {
        return out.report(err);
    }
    if (reader.cutShort()) {
        // What was counted goes out before the note.
        if (!out.flush()) {
            return out.report(err);
        }
        std::fprintf(err, "telmora-cli: '%s' was cut short: only its %lld complete samples count\n",
                     path, static_cast<long long>(counted));
        return 1;
    }
    return 0;
}

} // namespace

int RunStats(const char* path, std::FILE* outFile, std::FILE* err) {
    CommandOutput out(outFile);
    int status = 1;
    try {
        status = isSessionFile(path) ? sessionStats(path, out, err) : recorderStats(path, out, err);
    } catch (const std::bad_alloc&) {
        std::fprintf(err, "telmora-cli: not enough memory to read '%s'\n", path);
    }
    return out.finish(status, err);
}

int CmdStats(int argc, char** argv) {
    if (argc == 1 && (std::strcmp(argv[0], "--help") == 0 || std::strcmp(argv[0], "-h") == 0)) {
        return PrintHelp(kStatsUsage);
    }
    if (argc != 1 || argv[0][0] == '\0' || std::strncmp(argv[0], "--", 2) == 0) {
        std::fputs(kStatsUsage, stderr);
        return 2;
    }
    return RunStats(argv[0], stdout, stderr);
}

} // namespace telmora::cli
