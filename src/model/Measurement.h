#pragma once
// One display's reading as a value: the function, the number in SI base units with
// its prefix, mode, overload and open-input flags and resolution, and the texts the
// displays and the byte-exact files keep. A Measurement is made once - by the live
// decode for each display of a reply, and by the stored-reading conversion - and
// everything downstream (needle, comparator, recorder samples) reads its fields;
// nothing reads a display text back into a number.

#include "model/FixedText.h"
#include "model/MeterFunction.h"
#include "model/functiontable.h"

#include <cstdint>
#include <limits>
#include <string_view>

namespace telmora {

enum class DisplayKind { Main, Sub };

// One display line as the windows show it: the text and two unit parts.
struct DisplayLine {
    FixedText<16> text;
    FixedText<8> part1;
    FixedText<8> part2;
};

// The digits as the analog meter counts them: the digits without sign and point as
// an integer, and the power of ten of the first digit.
struct AnalogDigits {
    enum class Shape : std::uint8_t {
        Number,         // counts, firstDigitPower, digits
        Overload,       // firstDigitPower
        LetteredNumber, // a number followed by a degree letter
        ThreeDashes,    // "---" (with or without the degree letter)
        Other,          // blank, "----", unknown patterns
    };
    Shape shape = Shape::Other;
    std::int64_t counts = 0;
    std::int64_t firstDigitPower = 0;
    std::int64_t digits = 0; // number of digit characters counted
};

// What the comparator takes from the display.
struct ComparatorReading {
    enum class Shape : std::uint8_t {
        Number,        // value, to be brought to the comparator's unit
        LetteredValue, // value of a display with its degree letter removed (as it is)
        Overload,      // beyond the stop on the side of the sign
        OpenHigh,      // "---" on a lettered temperature: above the upper stop
        OpenLow,       // "----" on a lettered temperature: below the lower stop
        Unreadable,    // the mid-point
    };
    Shape shape = Shape::Unreadable;
    double value = 0.0; // the number times its prefix
};

// The value the recorder stores for the display: the value text as written into
// the record and the value in the recorder's units (micro- and nano- for
// capacitance and conductance on the main display), or not recordable.
struct RecordedValue {
    bool recordable = false;
    FixedText<16> text;
    float value = 0.0f;
};

struct Measurement {
    MeterFunction function = MeterFunction::None;
    std::uint32_t code = 0; // the function code as received; bit 31 = low battery
    DisplayKind kind = DisplayKind::Main;
    bool negative = false;
    int prefixExponent = 0; // 3 for "k", -6 for "u", 0 without a prefix

    // The reading as a number: in SI base units (temperatures in the degrees shown,
    // decibel in dBm); NaN when the display shows no number.
    double value = std::numeric_limits<double>::quiet_NaN();
    bool overload = false; // an overload display ("0.L", "OL")
    bool open = false;     // the dashes of an open input
    int decimals = 0;      // digits after the decimal point (the resolution)

    // The texts as shown.
    FixedText<16> text; // point in place, leading "-" when negative
    FixedText<8> prefixLabel;
    FixedText<8> unitLabel;
    FixedText<8> modeLabel;
    DisplayLine line;

    AnalogDigits analog;
    ComparatorReading comparator;
    RecordedValue recorded;

    std::uint32_t functionCode() const { return code & kFunctionMask; }
    const FunctionRow& row() const { return FunctionRowOf(function); }
    bool hasNumber() const { return value == value; }
};

// Makes the measurement of one display from what the display shows: its text
// (point in place, leading "-" when `negative`), function code (bit 31 may be the
// low-battery mark), and the power of ten of its prefix annunciator. The live
// decode calls this for both displays of every reply.
Measurement MeasureDisplay(std::string_view text, bool negative, std::uint32_t code,
                           int prefixExponent, DisplayKind kind);
// The same into an existing measurement (every field is set).
void MeasureDisplay(std::string_view text, bool negative, std::uint32_t code, int prefixExponent,
                    DisplayKind kind, Measurement& out);

// The power of ten of a prefix as the files write it: "-9", "-6", "-3", "0", "3", "6"
// ("0" for any other power).
std::string_view ExponentText(int exponent);

// Prefix label of a power of ten: 3 "k", 6 "M", -9 "n", -6 "u", -3 "m", else "".
std::string_view PrefixLabel(int exponent);

} // namespace telmora
