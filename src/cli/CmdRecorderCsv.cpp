#include "cli/CmdRecorderCsv.h"

#include "cli/CommandOutput.h"
#include "cli/formatoption.h"
#include "cli/inputchecks.h"
#include "cli/recordinginput.h"
#include "model/fileaccess.h"
#include "recording/RecorderFile.h"
#include "recording/markerfiles.h"
#include "recording/recorderexport.h"
#include "recording/recorderintervals.h"
#include "recording/recordertidy.h"
#include "recording/recordingset.h"

#include <QByteArray>
#include <QDir>
#include <QString>

#include <charconv>
#include <cstring>
#include <memory>
#include <optional>
#include <string_view>

namespace telmora::cli {

namespace {

constexpr const char* kRecorderCsvUsage =
    "Usage: telmora-cli recorder-csv FILE [--format standard|tidy] [--layout long|wide]\n"
    "                                [--meter N|NAME|SERIAL|all] [--every SECONDS]\n"
    "                                [--limits LOW:HIGH]\n"
    "\n"
    "Reads a recorder file (.g53, .g52, .g51 or .TMP; the format is chosen by the\n"
    "file name as the recorder does, never by the folders above it) and writes the\n"
    "recorder's text export of all pages to standard output, with CR LF line ends.\n"
    "FILE must be a regular file. Every record is checked first: a file holding a\n"
    "record that no recorder writes is refused (exit status 1) with its first\n"
    "damaged sample, and nothing is written.\n"
    "\n"
    "--format tidy writes the tidy CSV instead: columns index, time_of_day, value\n"
    "(SI base units, empty for an overload), unit, mode, display, overload and the\n"
    "same five for the sub reading (sub_value ... sub_overload), then marker: the\n"
    "note of a marked sample, empty otherwise (markers are kept in NAME.telmora\n"
    "beside NAME.g53, or in the manifest of several meters); comma separated,\n"
    "\".\" decimals, RFC 4180 quoting, UTF-8. Recorder files keep no date, so the\n"
    "time column holds the time of day and is named time_of_day.\n"
    "\n"
    "FILE may also be the manifest of a recording of several meters (.telmora),\n"
    "which names a recorder file per meter. --meter chooses one of its meters by\n"
    "its serial number, its name or its number (from 1); the output is then exactly\n"
    "that of the meter's own recorder file. The standard format holds one meter, so\n"
    "a recording of several meters needs --meter (exit status 2 without it, naming\n"
    "the meters). Without --meter, or with --meter all, the tidy CSV covers every\n"
    "meter and the math channel: --layout long (the default) gives one row per\n"
    "meter and sample with a meter column after the index; --layout wide gives one\n"
    "row per sample with the columns M1_value, M1_unit, M1_mode, M1_display,\n"
    "M1_overload (main reading), M1_sub_value, M1_sub_unit (sub reading) for each\n"
    "meter, then math_value, math_unit and marker.\n"
    "\n"
    "--every SECONDS (with --format tidy; 1 to 86400) reduces the main readings to\n"
    "intervals of that length, aligned to whole multiples of it from midnight, one\n"
    "row per interval, meter and unit:\n"
    "  interval_start,meter,unit,count,mean,min,max,stddev,overloads\n"
    "interval_start is the time of day the interval begins (recorder files keep no\n"
    "date); meter is named as in the tidy CSV (M1 for a recorder file of one meter)\n"
    "and the math channel comes as a meter of its own. count, mean, min, max and\n"
    "stddev (the sample standard deviation) are of the values only: gaps and\n"
    "overloads never enter them, overloads are counted in their own column. mean,\n"
    "min and max are empty where an interval holds overloads only, stddev where it\n"
    "holds one value. Intervals without a sample are left out. A recording that\n"
    "runs past midnight goes on with the next day's intervals.\n"
    "\n"
    "--limits LOW:HIGH (with --every) counts each meter's main readings against the\n"
    "limits and adds four columns: inside,above,below,excursions (empty for the math\n"
    "channel). LOW and HIGH are in SI base units and may end in an SI prefix (5m is\n"
    "0.005, 2.2k is 2200). inside counts values from LOW to HIGH (both included),\n"
    "above and below the values beyond them; an overload counts above. An excursion\n"
    "is a run of samples outside the limits; a run that goes on from the interval\n"
    "before counts in this interval too. Gaps count nowhere.\n";

// Tells why the markers of `path` are missing from its tidy export; 1 when they
// are, else 0.
int reportMarkers(std::FILE* err, const char* path, bool tidy, const QString& markersError) {
    if (!tidy || markersError.isEmpty())
        return 0;
    std::fprintf(err, "telmora-cli: the markers of '%s' were not exported: %s\n", path,
                 markersError.toStdString().c_str());
    return 1;
}

// Reads "--meter WHICH" or "--meter=WHICH" at argv[i].
OptionMatch takeMeterOption(int argc, char** argv, int& i, const char*& meter) {
    const std::string_view arg = argv[i];
    if (arg == "--meter") {
        if (i + 1 >= argc || argv[i + 1][0] == '\0') {
            std::fputs("telmora-cli: --meter needs a value: N, NAME, SERIAL or all\n", stderr);
            return OptionMatch::Bad;
        }
        meter = argv[++i];
    } else if (arg.starts_with("--meter=") && arg.size() > 8) {
        meter = argv[i] + 8;
    } else {
        return OptionMatch::NotThis;
    }
    return OptionMatch::Taken;
}

// Reads "--layout NAME" or "--layout=NAME" at argv[i].
OptionMatch takeLayoutOption(int argc, char** argv, int& i, TidyLayout& layout) {
    const std::string_view arg = argv[i];
    std::string_view value;
    if (arg == "--layout") {
        if (i + 1 >= argc) {
            std::fputs("telmora-cli: --layout needs a value: long or wide\n", stderr);
            return OptionMatch::Bad;
        }
        value = argv[++i];
    } else if (arg.starts_with("--layout=")) {
        value = arg.substr(9);
    } else {
        return OptionMatch::NotThis;
    }
    if (value == "long") {
        layout = TidyLayout::Long;
    } else if (value == "wide") {
        layout = TidyLayout::Wide;
    } else {
        std::fprintf(stderr, "telmora-cli: unknown --layout '%.*s' (long or wide)\n",
                     static_cast<int>(value.size()), value.data());
        return OptionMatch::Bad;
    }
    return OptionMatch::Taken;
}

// Reads "--every SECONDS" or "--every=SECONDS" at argv[i]: whole seconds from 1 to a day.
OptionMatch takeEveryOption(int argc, char** argv, int& i, std::int64_t& seconds) {
    const std::string_view arg = argv[i];
    std::string_view value;
    if (arg == "--every") {
        if (i + 1 >= argc) {
            std::fputs("telmora-cli: --every needs a number of seconds from 1 to 86400\n", stderr);
            return OptionMatch::Bad;
        }
        value = argv[++i];
    } else if (arg.starts_with("--every=")) {
        value = arg.substr(8);
    } else {
        return OptionMatch::NotThis;
    }
    std::int64_t number = 0;
    const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), number);
    if (ec != std::errc() || end != value.data() + value.size() || number < 1 ||
        number > IntervalStatistics::kLongestMs / 1000) {
        std::fprintf(stderr,
                     "telmora-cli: --every '%.*s' is no number of seconds from 1 to 86400\n",
                     static_cast<int>(value.size()), value.data());
        return OptionMatch::Bad;
    }
    seconds = number;
    return OptionMatch::Taken;
}

// The export of one recorder file. The text reads the records from the file while
// it is written, never all at once, and checks each block as it reads it: the
// export stops before the first record no writer makes, and the file is named as
// damaged. `links` Refuse for a member of a manifest: no link is followed.
int runFile(const char* path, std::FILE* outFile, std::FILE* err, TextExportFormat format,
            TidyLayout layout, FileLinks links, std::int64_t every,
            const std::optional<LimitTest>& limits) {
    RecorderFileReader reader;
    if (!OpenRecorderInput(reader, path, err, links))
        return 1;
    const std::int64_t count = reader.count();
    const bool cutShort = reader.cutShort();
    RecordStore records;
    records.appendStored(std::make_shared<RecordFile>(reader.releaseDevice()), reader.format(),
                         reader.dataOffset(), count, true);
    const std::int32_t lastPage = LastPageForCount(count);
    // The markers kept beside the file go into the tidy export's marker column.
    QString markersError;
    const TidyMarkerNotes markers(MarkersWithin(
        MarkersBeside(PathText(QByteArray(path)), &markersError).value_or(std::vector<Marker>{}),
        count, &markersError));
    CommandOutput out(outFile);
    const auto sink = [&out](std::string_view s) { return out.write(s); };
    bool written = false;
    if (every > 0) {
        TidyMeterSet one;
        one.meters.push_back({"M1", &records});
        written = WriteRecorderIntervals(one, every * 1000, sink, IntervalLimits{limits});
    } else if (format == TextExportFormat::Tidy && layout == TidyLayout::Wide) {
        TidyMeterSet one;
        one.meters.push_back({"M1", &records});
        one.markers = markers;
        written = WriteRecorderTidy(one, 1, lastPage, lastPage, layout, sink);
    } else {
        written = format == TextExportFormat::Tidy
                      ? WriteRecorderTidy(records, 1, lastPage, lastPage, sink, markers)
                      : WriteRecorderText(records, 1, lastPage, lastPage, sink);
    }
    if (!out.flush())
        return out.report(err);
    if (!written) {
        // A record no writer makes, or the file shrank or failed: the check of the
        // whole file tells which.
        RecorderFileReader again;
        if (OpenRecorderInput(again, path, err, links) && CheckRecordsOf(again, path, err))
            std::fprintf(err, "telmora-cli: reading '%s' failed while writing the text\n", path);
        return 1;
    }
    if (cutShort) {
        std::fprintf(err,
                     "telmora-cli: '%s' was cut short: only its %lld complete samples were "
                     "exported\n",
                     path, static_cast<long long>(count));
        return 1;
    }
    return reportMarkers(err, path, format == TextExportFormat::Tidy && every == 0, markersError);
}

// The tidy export of every meter of a several-meter recording and its math channel,
// or with `every` its intervals: of every meter and the math channel, or of the
// meter `chosen` alone.
int runEveryMeter(const char* path, std::FILE* outFile, std::FILE* err, TidyLayout layout,
                  std::int64_t every, std::optional<std::size_t> chosen,
                  const std::optional<LimitTest>& limits) {
    QString error;
    std::optional<RecordingSetFiles> files = OpenRecordingSet(PathText(QByteArray(path)), &error);
    if (!files) {
        std::fprintf(err, "telmora-cli: cannot open the recording: %s\n",
                     error.toStdString().c_str());
        return 1;
    }
    if (!CheckRecordsOf(*files, err))
        return 1;
    const std::vector<RecordStore> stores = RecordStoresOf(*files);
    const std::int32_t lastPage = LastPageForCount(files->count);
    CommandOutput out(outFile);
    const auto sink = [&out](std::string_view s) { return out.write(s); };
    TidyMeterSet set = TidySetOf(*files, stores);
    QString markersError = files->manifest.markersError;
    if (markersError.isEmpty())
        MarkersWithin(files->manifest.markers, files->count, &markersError);
    if (chosen) {
        set.meters = {set.meters[*chosen]};
        set.hasMath = false;
    }
    const bool written = every > 0
                             ? WriteRecorderIntervals(set, every * 1000, sink,
                                                      IntervalLimits(set.meters.size(), limits))
                             : WriteRecorderTidy(set, 1, lastPage, lastPage, layout, sink);
    if (!out.flush())
        return out.report(err);
    if (!written) {
        std::fprintf(err, "telmora-cli: reading the files of '%s' failed while writing the text\n",
                     path);
        return 1;
    }
    if (files->cutShort) {
        return ReportSetCutShort(err, path, files->count, "were exported");
    }
    return reportMarkers(err, path, every == 0, markersError);
}

// The export of a several-meter recording's manifest: one meter as its own file
// gives it, or every meter in the tidy format.
int runManifest(const char* path, std::FILE* out, std::FILE* err, TextExportFormat format,
                TidyLayout layout, const char* meter, std::int64_t every,
                const std::optional<LimitTest>& limits) {
    const std::optional<RecordingManifest> manifest = ReadManifestInput(path, err);
    if (!manifest)
        return 1;
    std::optional<std::size_t> chosen;
    if (meter != nullptr && std::strcmp(meter, "all") != 0) {
        std::string problem;
        chosen = ChooseMeter(*manifest, meter, problem);
        if (!chosen) {
            std::fprintf(err, "telmora-cli: --meter %s: %s\n", meter, problem.c_str());
            return 2;
        }
    } else if (format == TextExportFormat::Standard) {
        if (manifest->meters.size() > 1) {
            std::fprintf(err,
                         "telmora-cli: '%s' holds %zu meters and the standard format one: "
                         "choose it with --meter N|NAME|SERIAL (%s), or use --format tidy\n",
                         path, manifest->meters.size(), MeterListText(*manifest).c_str());
            return 2;
        }
        chosen = 0;
    }
    if (!chosen || every > 0)
        return runEveryMeter(path, out, err, layout, every, chosen, limits);
    const QByteArray member = NativePath(QDir::toNativeSeparators(
        ManifestMemberPath(PathText(QByteArray(path)), manifest->meters[*chosen].file)));
    return runFile(member.constData(), out, err, format, layout, FileLinks::Refuse, 0, limits);
}

} // namespace

int RunRecorderCsv(const char* path, std::FILE* outFile, std::FILE* err, TextExportFormat format,
                   TidyLayout layout, const char* meter, std::int64_t everySeconds,
                   const std::optional<LimitTest>& limits) {
    if (limits && everySeconds == 0) {
        std::fputs("telmora-cli: --limits counts the readings of each interval: use it with "
                   "--format tidy --every SECONDS\n",
                   err);
        return 2;
    }
    if (everySeconds > 0 && (format != TextExportFormat::Tidy || layout != TidyLayout::Long)) {
        std::fputs("telmora-cli: --every gives the interval layout of the tidy CSV: use it with "
                   "--format tidy and without --layout wide\n",
                   err);
        return 2;
    }
    if (IsManifestPath(PathText(QByteArray(path))))
        return runManifest(path, outFile, err, format, layout, meter, everySeconds, limits);
    if (meter != nullptr && std::strcmp(meter, "all") != 0) {
        std::fprintf(err,
                     "telmora-cli: --meter chooses a meter of a recording of several meters "
                     "(.telmora); '%s' is the recorder file of one meter\n",
                     path);
        return 2;
    }
    return runFile(path, outFile, err, format, layout, FileLinks::Follow, everySeconds, limits);
}

int CmdRecorderCsv(int argc, char** argv) {
    if (argc == 1 && (std::strcmp(argv[0], "--help") == 0 || std::strcmp(argv[0], "-h") == 0)) {
        return PrintHelp(kRecorderCsvUsage);
    }
    const char* path = nullptr;
    const char* meter = nullptr;
    TextExportFormat format = TextExportFormat::Standard;
    TidyLayout layout = TidyLayout::Long;
    std::int64_t every = 0;
    std::optional<LimitTest> limits;
    for (int i = 0; i < argc; ++i) {
        OptionMatch match = TakeFormatOption(argc, argv, i, format);
        if (match == OptionMatch::NotThis)
            match = TakeLimitsOption(argc, argv, i, limits);
        if (match == OptionMatch::NotThis)
            match = takeEveryOption(argc, argv, i, every);
        if (match == OptionMatch::NotThis)
            match = takeLayoutOption(argc, argv, i, layout);
        if (match == OptionMatch::NotThis)
            match = takeMeterOption(argc, argv, i, meter);
        if (match == OptionMatch::Bad)
            return 2;
        if (match == OptionMatch::Taken)
            continue;
        if (path != nullptr || argv[i][0] == '\0' || std::strncmp(argv[i], "--", 2) == 0) {
            std::fputs(kRecorderCsvUsage, stderr);
            return 2;
        }
        path = argv[i];
    }
    if (path == nullptr) {
        std::fputs(kRecorderCsvUsage, stderr);
        return 2;
    }
    return RunRecorderCsv(path, stdout, stderr, format, layout, meter, every, limits);
}

} // namespace telmora::cli
