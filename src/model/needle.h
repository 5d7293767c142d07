#pragma once

// Needle and value computations of the live displays (analog meter and
// comparator). Pure functions of the reading's measurement and codes, so that the
// windows stay thin and every rule can be checked without a window.

#include "model/Measurement.h"
#include "model/decimaltext.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace telmora {

// True for the functions whose unit label "W" stands for the ohm sign.
bool ShowsOhmSign(std::uint32_t function);
// True for the temperature inputs whose display ends in the degree letter.
bool IsLetteredTemperature(std::uint32_t function);

// The unit label of a function (bit 31 cleared) as the display labels use it.
std::string UnitLabelOf(std::uint32_t function);

// The same after removing leading and trailing blanks (user input).
std::optional<double> ReadDecimalTrimmed(std::string_view text);
// The shortest decimal text that reads back as the same double ("100", "0.25").
std::string ShortestDecimal(double value);

// ---------------------------------------------------------------- analog meter

constexpr double kNeedleZero = 150.0; // angle of zero counts, degrees
constexpr double kNeedleFull = 30.0;  // angle of full scale
constexpr double kNeedleStop = 25.0;  // the needle never goes further right

// What the analog meter derives from one reading.
struct AnalogScale {
    std::int64_t counts = 0; // displayed digits as an integer, no point or sign
    std::int64_t fullScale = 10000;
    int multiplierExponent = 2; // written beside the dial as "x" + 10^exponent
};

// Counts, full scale and multiplier for one reading of the main display. Values
// that a reading leaves unchanged are taken from `previous`.
AnalogScale AnalogCounts(const Measurement& reading, const AnalogScale& previous);

// The values a reset (unlink) puts in place: full scale 2000, x100, no counts.
AnalogScale AnalogRestScale();

// Needle angle for counts against full scale: 150 at zero, 30 at full scale,
// never below the 25-degree stop. A full scale that is not positive gives zero.
double AnalogNeedleAngle(std::int64_t counts, std::int64_t fullScale);

// The scale image (60, 100 or 200) drawn for a function and multiplier.
int AnalogScaleImage(std::uint32_t function, int multiplierExponent);

// "x1", "x10", "x100" ...: "x" and 10^exponent truncated to an integer.
std::string MultiplierText(int exponent);

// The analog meter's unit text: the second unit part, or the degree letter for
// the lettered temperature functions.
std::string AnalogUnitText(std::uint32_t function, std::string_view secondUnitPart);

// ------------------------------------------------------------------ comparator

// The reading as a number in the comparator's units (microfarads for
// capacitance, nanosiemens for conductance, dBm for decibel), with the
// overload and dash rules.
float ComparatorValue(const Measurement& reading, double upper, double lower);

// Needle angle: 130 at the lower stop (lower - half span), 110 at the lower
// limit, 90 at the mid-point, 70 at the upper limit, 50 at the upper stop.
// Limits that give no span (equal, or not finite) leave the needle upright.
double ComparatorNeedleAngle(double value, double upper, double lower);

// The alarm tone for a value: 1047 Hz above the upper limit, 523 Hz strictly
// below the lower one, 0 (silence) otherwise.
int AlarmFrequency(double value, double upper, double lower);
constexpr int kAlarmHighHz = 1047;
constexpr int kAlarmLowHz = 523;
constexpr int kAlarmMs = 100;

// Text placement of a label panel.
enum class LabelAlign { Centre, Left, Right };

// The two label parts shown beside each limit, and how they are drawn.
struct ComparatorLabels {
    std::string prefixPart; // at most 7 characters
    std::string unitPart;   // at most 7 characters
    bool prefixSymbol = false;
    LabelAlign prefixAlign = LabelAlign::Centre;
    bool unitSymbol = false;
    LabelAlign unitAlign = LabelAlign::Centre;
};
ComparatorLabels ComparatorLabelsFor(std::uint32_t function);

// ----------------------------------------------------------------- animation

// The intermediate needle angles of a short sweep from `from` to `to`, ending
// exactly at `to`; empty when the angle does not change.
std::vector<double> SweepAngles(double from, double to, int steps = 10);

} // namespace telmora
