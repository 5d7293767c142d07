#pragma once
// The function table: one row per function code the meter reports, and every rule
// that depends on the function - its units, mode texts, prefix rule, overload
// substitutes, the analog meter's scale and the comparator's unit. This is the one
// place besides the frame decode where function codes appear; everything else
// looks a row up or switches on MeterFunction.

#include "model/MeterFunction.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace telmora {

// Bit 31 of a function code is the low-battery annunciator, not part of the function.
constexpr std::uint32_t kLowBatteryBit = 0x80000000u;
constexpr std::uint32_t kFunctionMask = ~kLowBatteryBit;

// The mode a function is measured in, as the displays and files write it.
enum class Mode : std::uint8_t { None, Ac, Dc, DcAc, T1, T2, T1MinusT2 };

// "AC", "DC", "DC+AC", "T1", "T2", "T1-T2" or "".
std::string_view ModeText(Mode mode);

// How a logged reading's decimal-point code becomes the power of ten of its prefix.
enum class PrefixRule : std::uint8_t {
    None,        // no prefix
    VoltRange,   // milli for the two lowest ranges, else the volt ranges' "no prefix" class
    Capacitance, // nano, micro, milli by range
    Decade,      // the code rounded down to whole thousands (toward zero)
    Current,     // micro, milli or none by range
    Power,       // kilo for the upper ranges
    Nano,        // always nano
    Milli,       // always milli ("dB" for decibel-milliwatt)
};

// The value that stands for an overload display, before its sign: a multiple of
// the top of the range, or a fixed value.
enum class OverloadRule : std::uint8_t {
    None,         // no substitute (the live sample is not taken; logged: 10998.9)
    Range6_6,     // 6.6 times the range's power of ten
    Range10_9989, // 10.9989 times the range's power of ten
    Percent110,   // 110 (duty cycle)
    Decibel1100,  // 1100 (decibel)
};

// How the display text of a logged reading is formatted.
enum class LoggedDisplay : std::uint8_t {
    Other,
    Volt,
    Capacitance,
    Resistance,
    Current,
    Frequency, // frequency and duty cycle
    Conductance,
    Celsius,
    Fahrenheit,
};

enum class TemperatureScale : std::uint8_t { None, Celsius, Fahrenheit };
enum class TemperatureInput : std::uint8_t { None, T1, T2, T1MinusT2 };

// How the analog meter turns the digits into counts and a full scale.
enum class AnalogRange : std::uint8_t {
    SixCounts,   // full scale 6 x 10^(digits-1)
    Decade,      // full scale 10^digits
    Capacitance, // decade with the point after the fourth digit, else six counts
    Temperature, // 2 x 10^(digits-1), one decade less on the multiplier
};

struct FunctionRow {
    std::uint32_t code = 0; // bit 31 cleared
    MeterFunction function = MeterFunction::Unknown;
    std::string_view liveUnit = "?"; // unit label of the live display ("W" = ohm sign)
    std::string_view loggedUnit;     // unit text of logged readings
    std::string_view siUnit;         // unit as people write it (UTF-8); empty: none of its own
    std::string_view axisUnit;       // the recorder's value-axis unit when it is not siUnit
    Mode mode = Mode::None;          // the mode of the main display (and of every file)
    Mode liveSubMode = Mode::None;   // the mode label of the live sub display
    PrefixRule prefixRule = PrefixRule::None;
    int valueExponent = 0; // power of ten of the unit a stored value counts in (uF, nS)
    OverloadRule liveOverload = OverloadRule::None;    // live main display
    OverloadRule liveSubOverload = OverloadRule::None; // live sub display
    OverloadRule loggedOverload = OverloadRule::None;  // logged readings
    LoggedDisplay loggedDisplay = LoggedDisplay::Other;
    bool decibel = false; // the value carries no prefix exponent
    bool ohm = false;     // the unit label "W" stands for the ohm sign
    TemperatureScale scale = TemperatureScale::None;
    TemperatureInput input = TemperatureInput::None;
    AnalogRange analogRange = AnalogRange::SixCounts;
    int analogImage = 60;         // scale image of the analog meter: 60, 100 or 200
    double comparatorScale = 1.0; // to the comparator's unit (uF, nS, dBm)

    // A temperature input whose display ends in the degree letter.
    constexpr bool lettered() const {
        return input != TemperatureInput::None && scale != TemperatureScale::None;
    }
    // The degree letter such a display ends in ('C' or 'F'); none otherwise.
    constexpr char degreeLetter() const {
        if (!lettered())
            return '\0';
        return scale == TemperatureScale::Celsius ? 'C' : 'F';
    }
};

// The row of a function code (bit 31 ignored); the Unknown row for a code without one.
const FunctionRow& FunctionRowOf(std::uint32_t code);
const FunctionRow& FunctionRowOf(MeterFunction function);
MeterFunction MeterFunctionOf(std::uint32_t code);
// The code of a function; 0 for Unknown.
std::uint32_t FunctionCodeOf(MeterFunction function);

// Every row, in code order, the Unknown row last.
std::span<const FunctionRow> FunctionTable();

} // namespace telmora
