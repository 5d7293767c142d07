#pragma once
// telmora-cli stats: count, mean, standard deviation, minimum, maximum and overloads
// of the main readings of a recorder or session file, per function and unit, as
// JSON lines.

#include <cstdio>

namespace telmora::cli {

// Reads `path` (a session file when its name ends in ".slr", otherwise a recorder
// file chosen by its name as the recorder does) and writes one JSON object per
// line to `out` for each function/unit group (of each session). Exit status as
// every command: 0, or 1 with one line on `err`. A file without samples (or
// sessions) is noted on `err`, with status 1 when it is damaged.
int RunStats(const char* path, std::FILE* out, std::FILE* err);

// The command: `argv` holds the arguments after "stats".
int CmdStats(int argc, char** argv);

} // namespace telmora::cli
