#include "cli/CmdRecorderCsv.h"

#include "cli/CommandOutput.h"
#include "cli/formatoption.h"
#include "cli/inputchecks.h"
#include "recording/RecorderFile.h"
#include "recording/recorderexport.h"
#include "recording/recordertidy.h"

#include <QByteArray>
#include <QString>

#include <cstring>
#include <memory>
#include <string_view>

namespace telmora::cli {

namespace {

constexpr const char* kRecorderCsvUsage =
    "Usage: telmora-cli recorder-csv FILE [--format standard|tidy]\n"
    "\n"
    "Reads a recorder file (.g53, .g52, .g51 or .TMP; the format is chosen by the\n"
    "file name as the recorder does, never by the folders above it) and writes the\n"
    "recorder's text export of all pages to standard output, with CR LF line ends.\n"
    "FILE must be a regular file.\n"
    "\n"
    "--format tidy writes the tidy CSV instead: columns index, time_of_day, value\n"
    "(SI base units, empty for an overload), unit, mode, display, overload and the\n"
    "same five for the sub reading (sub_value ... sub_overload); comma separated,\n"
    "\".\" decimals, RFC 4180 quoting, UTF-8. Recorder files keep no date, so the\n"
    "time column holds the time of day and is named time_of_day.\n";

} // namespace

int RunRecorderCsv(const char* path, std::FILE* outFile, std::FILE* err, TextExportFormat format) {
    // The text needs only the records: they are read from the file while the text
    // is written, never all at once.
    RecorderFileReader reader;
    if (!OpenRecorderInput(reader, path, err)) {
        return 1;
    }
    const std::int64_t count = reader.count();
    const bool cutShort = reader.cutShort();
    RecordStore records;
    records.appendStored(std::make_shared<RecordFile>(reader.releaseDevice()), reader.format(),
                         reader.dataOffset(), count);
    const std::int32_t lastPage = LastPageForCount(count);
    CommandOutput out(outFile);
    const auto sink = [&out](std::string_view s) { return out.write(s); };
    const bool written = format == TextExportFormat::Tidy
                             ? WriteRecorderTidy(records, 1, lastPage, lastPage, sink)
                             : WriteRecorderText(records, 1, lastPage, lastPage, sink);
    if (!out.flush()) {
        return out.report(err);
    }
    if (!written) {
        // The records could not be read back (the file shrank or failed).
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
    return 0;
}

int CmdRecorderCsv(int argc, char** argv) {
    if (argc == 1 && (std::strcmp(argv[0], "--help") == 0 || std::strcmp(argv[0], "-h") == 0)) {
        return PrintHelp(kRecorderCsvUsage);
    }
    const char* path = nullptr;
    TextExportFormat format = TextExportFormat::Standard;
    for (int i = 0; i < argc; ++i) {
        const OptionMatch match = TakeFormatOption(argc, argv, i, format);
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
    return RunRecorderCsv(path, stdout, stderr, format);
}

} // namespace telmora::cli
