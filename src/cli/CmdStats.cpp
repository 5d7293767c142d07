#include "cli/CmdStats.h"
#include "cli/CommandOutput.h"
#include "cli/clipaths.h"
#include "cli/formatoption.h"
#include "cli/inputchecks.h"
#include "cli/recordinginput.h"

#include "logger/SessionFile.h"
#include "logger/sessionstatistics.h"
#include "model/GroupedStatistics.h"
#include "model/LimitTest.h"
#include "model/decimaltext.h"
#include "model/fileaccess.h"
#include "recording/MathChannel.h"
#include "recording/RecorderFile.h"
#include "recording/RecordingManifest.h"
#include "recording/RecordingStatistics.h"
#include "recording/recordingset.h"

#include <QDir>
#include <QFile>
#include <QString>

#include <cmath>
#include <cstring>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace telmora::cli {

namespace {

constexpr const char* kStatsUsage =
    "Usage: telmora-cli stats FILE [--limits LOW:HIGH]\n"
    "\n"
    "Statistics of the main readings of a recorder file (.g53, .g52, .g51, .TMP) or\n"
    "a session file (.slr), per function and unit, one JSON object per line:\n"
    "  {\"session\":1,\"function\":6,\"unit\":\"V\",\"mode\":\"DC\",\"count\":450,\n"
    "   \"mean\":1.5,\"stddev\":0.01,\"min\":1.4,\"max\":1.6,\"overloads\":3}\n"
    "\"session\" (numbered from 1) only for session files. Values are in SI base\n"
    "units (temperatures in the degrees shown, decibels in dBm), each the shortest\n"
    "number that reads back as the same double; stddev is the sample standard\n"
    "deviation; overloads are counted apart and left out of the figures. mean,\n"
    "stddev, min and max are null when a group holds overloads only.\n"
    "\n"
    "FILE may also be the manifest of a recording of several meters (.telmora): each\n"
    "meter's groups come in turn, their lines beginning with the meter's number\n"
    "(from 1), name and serial number:\n"
    "  {\"meter\":2,\"name\":\"Load\",\"serial\":\"S2\",\"function\":514,...}\n"
    "and then, when the recording has a math channel, one line for it (its gaps and\n"
    "undefined values left out):\n"
    "  {\"math\":\"M1*M2\",\"unit\":\"W\",\"count\":450,\"mean\":...,\"stddev\":...,\n"
    "   \"min\":...,\"max\":...}\n"
    "\n"
    "Every record is checked first: a file holding a record that no recorder writes\n"
    "(or a file that is no recording at all) is refused with exit status 1 and its\n"
    "first damaged sample, and nothing is written.\n"
    "\n"
    "--limits LOW:HIGH counts the main readings against the limits and adds a line\n"
    "after the groups of each meter (of a recorder file: without the meter's keys;\n"
    "of a session file: after each session's groups, with its \"session\" key):\n"
    "  {\"meter\":1,\"name\":\"V\",\"serial\":\"S1\",\"limits\":{\"low\":0.005,\n"
    "   \"high\":2200,\"inside\":440,\"above\":7,\"below\":3,\"excursions\":2}}\n"
    "LOW and HIGH are in SI base units and may end in an SI prefix: p, n, u, m, k,\n"
    "M, G, T (5m is 0.005, 2.2k is 2200). inside counts values from LOW to HIGH\n"
    "(both included), above and below the values beyond them; an overload counts\n"
    "above. An excursion is a run of samples outside the limits, above or below;\n"
    "gaps count nowhere and do not end an excursion. Every value is compared,\n"
    "whatever its unit.\n";

void appendNumber(std::string& out, double value) {
    AppendShortestDouble(out, value);
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

// ,"count":N,"mean":...,"stddev":...,"min":...,"max":... (null when nothing counted).
void appendFigures(std::string& line, const RunningStatistics& v) {
    line += ",\"count\":" + std::to_string(v.count());
    const std::pair<const char*, double> figures[] = {{"mean", v.mean()},
                                                      {"stddev", v.standardDeviation()},
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
}

// One group's line; `keys` are the keys that come first ("\"session\":1,").
std::string groupLine(const StatisticsGroup& group, std::string_view keys) {
    std::string line = "{";
    line += keys;
    line += "\"function\":" + std::to_string(group.function) + ",\"unit\":";
    appendJsonText(line, group.unit);
    line += ",\"mode\":";
    appendJsonText(line, group.mode);
    appendFigures(line, group.values);
    line += ",\"overloads\":" + std::to_string(group.overloads) + "}\n";
    return line;
}

// The line of a meter's limit counts; `keys` come first ("\"meter\":1,...,").
std::string limitsLine(const LimitTest& limits, std::string_view keys) {
    std::string line = "{";
    line += keys;
    line += "\"limits\":{\"low\":";
    appendNumber(line, limits.low());
    line += ",\"high\":";
    appendNumber(line, limits.high());
    const LimitCounts& c = limits.counts();
    line += ",\"inside\":" + std::to_string(c.inside) + ",\"above\":" + std::to_string(c.above) +
            ",\"below\":" + std::to_string(c.below) +
            ",\"excursions\":" + std::to_string(c.excursions) + "}}\n";
    return line;
}

bool writeGroups(CommandOutput& out, const GroupedStatistics& statistics, std::string_view keys) {
    for (const StatisticsGroup& group : statistics.groups()) {
        if (!out.write(groupLine(group, keys))) {
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

// The limit counts of a session's main readings.
LimitTest sessionLimits(const SampleList& session, const LimitTest& limits) {
    LimitTest test = limits.fresh();
    StoredValueCache last;
    for (std::size_t i = 0; i < session.size(); ++i)
        test.add(ReadingOfRecord(session[i].main, RecordOrigin::Session, DisplayKind::Main, &last,
                                 DisplayShape::Skip));
    return test;
}

int sessionStats(const char* path, CommandOutput& out, std::FILE* err,
                 const std::optional<LimitTest>& limits) {
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
        const std::string keys = "\"session\":" + std::to_string(s + 1) + ",";
        if (!writeGroups(out, SessionStatistics(sessions[s]), keys) ||
            (limits && !out.write(limitsLine(sessionLimits(sessions[s], *limits), keys)))) {
            return out.report(err);
        }
    }
    return 0;
}

// Counts the main readings of up to `limit` samples; false after a message on `err`
// when the file could not be read or holds a damaged record (nothing is written).
// `limits`, when given, counts them against its limits too.
bool countMainReadings(RecorderFileReader& reader, std::int64_t limit, const char* path,
                       GroupedStatistics& statistics, std::int64_t& counted, std::FILE* err,
                       LimitTest* limits) {
    ReadingRecord main;
    while (counted < limit && reader.readNextMain(main)) {
        const TypedReading reading = RecorderMainReading(main);
        statistics.add(reading);
        if (limits != nullptr)
            limits->add(reading);
        ++counted;
    }
    if (reader.damaged()) {
        std::fprintf(err, "telmora-cli: '%s' is damaged: %s\n", path,
                     DamageText(reader.damage()).toStdString().c_str());
        return false;
    }
    if (reader.readFailed() || counted < limit) {
        std::fprintf(err, "telmora-cli: cannot read '%s' as a recorder file\n", path);
        return false;
    }
    return true;
}

int recorderStats(const char* path, CommandOutput& out, std::FILE* err,
                  std::optional<LimitTest> limits) {
    // Read record by record: a file of any size takes the same little memory.
    RecorderFileReader reader;
    if (!OpenRecorderInput(reader, path, err)) {
        return 1;
    }
    GroupedStatistics statistics;
    std::int64_t counted = 0;
    if (!countMainReadings(reader, reader.count(), path, statistics, counted, err,
                           limits ? &*limits : nullptr))
        return 1;
    if (!writeGroups(out, statistics, {}) || (limits && !out.write(limitsLine(*limits, {})))) {
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

// "\"meter\":2,\"name\":\"Load\",\"serial\":\"S2\"," for the lines of a meter.
std::string meterKeys(std::size_t index, const ManifestMeter& meter) {
    std::string keys = "\"meter\":" + std::to_string(index + 1) + ",\"name\":";
    appendJsonText(keys, meter.name.toStdString());
    keys += ",\"serial\":";
    appendJsonText(keys, meter.serial.toStdString());
    return keys + ",";
}

// The line of the math channel: its expression and unit and the figures of its
// defined values (a tick where a meter has a gap or an overload has none).
std::string mathLine(RecordingSetFiles& files) {
    MathChannel math;
    const auto meters = static_cast<int>(files.readers.size());
    if (!math.setExpression(files.manifest.math, meters) || !math.isSet())
        return {};
    const std::vector<RecordStore> stores = RecordStoresOf(files);
    std::vector<const RecordStore*> pointers;
    std::vector<std::string> units;
    for (const RecordStore& store : stores) {
        pointers.push_back(&store);
        units.push_back(FirstUnitOf(store));
    }
    RunningStatistics values;
    for (const double value : ComputeMathValues(math, pointers, files.count))
        if (std::isfinite(value))
            values.add(value);
    std::string line = "{\"math\":";
    appendJsonText(line, math.expression().toStdString());
    line += ",\"unit\":";
    appendJsonText(line, math.unit(units));
    appendFigures(line, values);
    return line + "}\n";
}

// A recording of several meters: the groups of each meter, then the math channel.
int manifestStats(const char* path, CommandOutput& out, std::FILE* err,
                  const std::optional<LimitTest>& limits) {
    QString error;
    std::optional<RecordingSetFiles> files = OpenRecordingSet(PathText(QByteArray(path)), &error);
    if (!files) {
        std::fprintf(err, "telmora-cli: cannot open the recording: %s\n",
                     error.toStdString().c_str());
        return 1;
    }
    // Every meter is counted before anything is written: a damaged file writes nothing.
    std::vector<GroupedStatistics> statistics(files->readers.size());
    std::vector<LimitTest> tests(limits ? files->readers.size() : 0,
                                 limits.value_or(LimitTest(0, 0)));
    for (std::size_t m = 0; m < files->readers.size(); ++m) {
        const QByteArray member = NativePath(QDir::toNativeSeparators(files->paths[m]));
        std::int64_t counted = 0;
        if (!countMainReadings(*files->readers[m], files->count, member.constData(), statistics[m],
                               counted, err, tests.empty() ? nullptr : &tests[m]))
            return 1;
    }
    for (std::size_t m = 0; m < statistics.size(); ++m) {
        const std::string keys = meterKeys(m, files->manifest.meters[m]);
        if (!writeGroups(out, statistics[m], keys) ||
            (!tests.empty() && !out.write(limitsLine(tests[m], keys))))
            return out.report(err);
    }
    if (!out.write(mathLine(*files)))
        return out.report(err);
    if (files->cutShort) {
        if (!out.flush())
            return out.report(err);
        return ReportSetCutShort(err, path, files->count, "count");
    }
    return 0;
}

} // namespace

int RunStats(const char* path, std::FILE* outFile, std::FILE* err,
             const std::optional<LimitTest>& limits) {
    CommandOutput out(outFile);
    int status = 1;
    try {
        if (IsManifestPath(PathText(QByteArray(path))))
            status = manifestStats(path, out, err, limits);
        else
            status = isSessionFile(path) ? sessionStats(path, out, err, limits)
                                         : recorderStats(path, out, err, limits);
    } catch (const std::bad_alloc&) {
        std::fprintf(err, "telmora-cli: not enough memory to read '%s'\n", path);
    }
    return out.finish(status, err);
}

int CmdStats(int argc, char** argv) {
    if (argc == 1 && (std::strcmp(argv[0], "--help") == 0 || std::strcmp(argv[0], "-h") == 0)) {
        return PrintHelp(kStatsUsage);
    }
    const char* path = nullptr;
    std::optional<LimitTest> limits;
    for (int i = 0; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const OptionMatch match = TakeLimitsOption(argc, argv, i, limits);
        if (match == OptionMatch::Bad)
            return 2;
        if (match == OptionMatch::Taken)
            continue;
        if (path != nullptr || argv[i][0] == '\0' || arg.starts_with("--")) {
            std::fputs(kStatsUsage, stderr);
            return 2;
        }
        path = argv[i];
    }
    if (path == nullptr) {
        std::fputs(kStatsUsage, stderr);
        return 2;
    }
    return RunStats(path, stdout, stderr, limits);
}

} // namespace telmora::cli
