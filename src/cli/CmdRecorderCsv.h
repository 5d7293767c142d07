#pragma once
// telmora-cli recorder-csv: the recorder's text export of every page of a recorder
// file, on stdout.

#include "model/exportoptions.h"

#include <cstdio>

namespace telmora::cli {

// Reads the recorder file `path` (format chosen by its name, as the recorder does)
// and writes the text export of all pages to `out`. Returns the exit status: 0 on
// success, 1 when the file cannot be read or `out` cannot be written (one line on
// `err`). A file cut short is exported as far as it goes, with a note on `err` and
// status 1. A file without samples is noted on `err`: a complete empty recording
// gives the header line and status 0, a damaged one nothing and status 1. The tidy
// format gives the time of day only: recorder files keep no date.
// A manifest of several meters (".telmora") exports every meter in `layout` (the
// tidy format) or the first meter (the standard format); a missing or mismatched
// file of it is status 1 with a line naming it.
int RunRecorderCsv(const char* path, std::FILE* out, std::FILE* err,
                   TextExportFormat format = TextExportFormat::Standard,
                   TidyLayout layout = TidyLayout::Long);

// The command: `argv` holds the arguments after "recorder-csv".
int CmdRecorderCsv(int argc, char** argv);

} // namespace telmora::cli
