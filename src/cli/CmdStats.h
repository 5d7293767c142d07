#pragma once
// telmora-cli stats: count, mean, standard deviation, minimum, maximum and overloads
// of the main readings of a recorder or session file, per function and unit, as
// JSON lines.

#include "model/LimitTest.h"

#include <cstdio>
#include <optional>

namespace telmora::cli {

// Reads `path` (a session file when its name ends in ".slr", otherwise a recorder
// file chosen by its name as the recorder does) and writes one JSON object per
// line to `out` for each function/unit group (of each session). Exit status as
// every command: 0, or 1 with one line on `err`. A file without samples (or
// sessions) is noted on `err`, with status 1 when it is damaged.
// `limits`, when given, adds each meter's counts against them (a line after its
// groups); for a session file that is status 2.
int RunStats(const char* path, std::FILE* out, std::FILE* err,
             const std::optional<LimitTest>& limits = std::nullopt);

// The command: `argv` holds the arguments after "stats".
int CmdStats(int argc, char** argv);

} // namespace telmora::cli
