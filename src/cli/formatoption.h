#pragma once
// The --format option of the export commands: "standard" (the text export as the
// windows write it, the default) or "tidy" (the tidy CSV with dates and SI values).

#include "model/LimitTest.h"
#include "model/exportoptions.h"

#include <optional>

namespace telmora::cli {

enum class OptionMatch {
    NotThis, // argv[i] is another argument
    Taken,   // the option and its value were read (i moved past a separate value)
    Bad,     // the option is there but its value is missing or unknown (message written)
};

// Reads "--format NAME" or "--format=NAME" at argv[i].
OptionMatch TakeFormatOption(int argc, char** argv, int& i, TextExportFormat& format);

// Reads "--limits LOW:HIGH" or "--limits=LOW:HIGH" at argv[i] (see ReadLimits).
OptionMatch TakeLimitsOption(int argc, char** argv, int& i, std::optional<LimitTest>& limits);

} // namespace telmora::cli
