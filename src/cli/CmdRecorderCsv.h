#pragma once
// telmora-cli recorder-csv: the recorder's text export of every page of a recorder
// file, on stdout.

#include "model/LimitTest.h"
#include "model/exportoptions.h"

#include <cstdint>
#include <cstdio>
#include <optional>

namespace telmora::cli {

// Reads the recorder file `path` (format chosen by its name, as the recorder does)
// and writes the text export of all pages to `out`. Returns the exit status: 0 on
// success, 1 when the file cannot be read or `out` cannot be written (one line on
// `err`). A file cut short is exported as far as it goes, with a note on `err` and
// status 1. A file without samples is noted on `err`: a complete empty recording
// gives the header line and status 0, a damaged one nothing and status 1. The tidy
// format gives the time of day only: recorder files keep no date.
// Every record is checked before anything is written: a record no recorder writes
// is status 1 with a line naming the file and its first damaged sample.
// A manifest of several meters (".telmora") exports the meter `meter` names (its
// serial number, name or number) as its own file would, or, without one or with
// "all", every meter in `layout` (the tidy format); the standard format of several
// meters without a meter is status 2 with a line naming --meter and the meters. A
// missing, damaged or mismatched file of it is status 1 with a line naming it.
// `meter` other than "all" for a file of one meter is status 2.
// `everySeconds` above 0 (up to a day) gives the interval export instead (see
// recorderintervals.h) of the tidy format's long layout, else status 2: of every
// meter and the math channel of a manifest, or of the meter `meter` names.
// `limits` (with `everySeconds` only, else status 2) add each meter's limit counts
// per interval.
int RunRecorderCsv(const char* path, std::FILE* out, std::FILE* err,
                   TextExportFormat format = TextExportFormat::Standard,
                   TidyLayout layout = TidyLayout::Long, const char* meter = nullptr,
                   std::int64_t everySeconds = 0,
                   const std::optional<LimitTest>& limits = std::nullopt);

// The command: `argv` holds the arguments after "recorder-csv".
int CmdRecorderCsv(int argc, char** argv);

} // namespace telmora::cli
