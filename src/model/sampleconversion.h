#pragma once

#include "model/ReadingRecord.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace telmora {

struct LiveReading;

// The part of the live reading the recorder copies for one sample.
struct RecorderReading {
    bool mainNegative = false;
    std::string mainText;
    std::string mainExponent;
    std::uint32_t mainCode = 0; // as assembled (bit 31 = low battery)
    bool subNegative = false;
    std::string subText;
    std::string subExponent;
    std::uint32_t subCode = 0;
    std::string mainMode;
    std::string mainLineText, mainLinePart1, mainLinePart2;
    std::string subMode;
    std::string subLineText, subLinePrefix, subLineUnit;
    bool lowBattery = false;
};

// Copies the fields above from the shared reading under ReadingLock and releases
// the lock before returning.
RecorderReading CopyRecorderReading(const LiveReading& reading);

enum class DisplayKind { Main, Sub };

// A display turned into a number: the value text as stored and the value.
struct ConvertedValue {
    std::string text;
    float value = 0.0f;
};

// Power of ten of the unit the recorder stores a display's value in: -6 for
// capacitance on the main display (microfarad), -9 for conductance on the main
// display (nanosiemens), 0 (the base unit) for everything else. `code` may carry the
// low-battery bit. ConvertDisplayValue scales by it; ReadSi takes it back out.
int RecorderValueExponent(std::uint32_t code, DisplayKind kind);

// Converts one display to the value the recorder stores: trims the text, removes
// the degree letter of a temperature, appends the prefix exponent (except for
// decibel), scales to the unit of RecorderValueExponent, and replaces an
// overload or dash display by its substitute value. Returns nothing when the
// reading cannot be stored (the sample is then not taken). `code` may carry the
// low-battery bit; it is cleared here.
std::optional<ConvertedValue> ConvertDisplayValue(std::string_view text, bool negative,
                                                  std::uint32_t code, std::string_view exponent,
                                                  DisplayKind kind);

// The sample time text: "%3d:%02d:%02d.%1d" of hour, minute, second and tenths.
std::string FormatSampleTime(int hour, int minute, int second, int millisecond);

// Builds the sample of one reading (both displays converted, records filled), or
// nothing when the main display, or the sub display when present, cannot be stored.
std::optional<SampleEntry> BuildSample(const RecorderReading& reading, std::string_view timeText);

// Parses a decimal number with "." as separator and an optional exponent
// ("-1.23", ".5", "12E-3"); the whole text must be the number. Locale-independent.
std::optional<double> ParseDisplayNumber(std::string_view text);

} // namespace telmora
