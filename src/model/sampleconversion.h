#pragma once

#include "model/DecodedReply.h"
#include "model/ReadingRecord.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace telmora {

// A display turned into a number: the value text as stored and the value.
struct ConvertedValue {
    std::string text;
    float value = 0.0f;
};

// Power of ten of the unit the recorder stores a display's value in: -6 for
// capacitance on the main display (microfarad), -9 for conductance on the main
// display (nanosiemens), 0 (the base unit) for everything else. `code` may carry the
// low-battery bit. ReadingOfRecord takes it back out.
int RecorderValueExponent(std::uint32_t code, DisplayKind kind);

// The value the recorder stores for one display: the trimmed text without the
// degree letter of a temperature, the value scaled to the unit of
// RecorderValueExponent, an overload or dash display replaced by its substitute.
// Returns nothing when the reading cannot be stored (the sample is then not taken).
std::optional<ConvertedValue> ConvertDisplayValue(const Measurement& display);

// The sample time text: the hour right-aligned in three places, two-digit minutes
// and seconds and the tenth, as in " 14:05:09.3".
std::string FormatSampleTime(int hour, int minute, int second, int millisecond);

// Builds the sample of one reading (both displays converted, records filled), or
// nothing when the main display, or the sub display when present, cannot be stored.
std::optional<SampleEntry> BuildSample(const DecodedReply& reading, std::string_view timeText);

// Parses a decimal number with "." as separator and an optional exponent
// ("-1.23", ".5", "12E-3"); the whole text must be the number. Locale-independent.
std::optional<double> ParseDisplayNumber(std::string_view text);

} // namespace telmora
