#include "model/needle.h"

#include "model/decode.h"
#include "model/functiontable.h"
#include "model/trimming.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace telmora {

namespace {

// 10^n for the full-scale rules; 0 for negative n (the result is truncated to
// an integer), limited to what a 64-bit count can hold.
std::int64_t pow10(std::int64_t n) {
    if (n < 0)
        return 0;
    std::int64_t p = 1;
    for (std::int64_t i = 0; i < n && i < 18; ++i)
        p *= 10;
    return p;
}

// double -> float without undefined behaviour for values beyond the float range.
float narrow(double v) {
    constexpr double maxFloat = std::numeric_limits<float>::max();
    if (v > maxFloat)
        return std::numeric_limits<float>::infinity();
    if (v < -maxFloat)
        return -std::numeric_limits<float>::infinity();
    return static_cast<float>(v);
}

std::string clip7(std::string s) {
    if (s.size() > 7)
        s.resize(7);
    return s;
}

} // namespace

bool ShowsOhmSign(std::uint32_t function) {
    return FunctionRowOf(function).ohm;
}

bool IsLetteredTemperature(std::uint32_t function) {
    return FunctionRowOf(function).lettered();
}

std::string UnitLabelOf(std::uint32_t function) {
    return std::string(UnitLabel(function));
}

std::optional<double> ReadDecimalTrimmed(std::string_view text) {
    return ReadDecimal(TrimBlanks(text));
}

std::string ShortestDecimal(double value) {
    char buffer[64];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    if (ec != std::errc())
        return "0";
    return std::string(buffer, end);
}

// ---------------------------------------------------------------- analog meter

AnalogScale AnalogCounts(const Measurement& reading, const AnalogScale& previous) {
    using Shape = AnalogDigits::Shape;
    AnalogScale result = previous;
    const AnalogDigits& a = reading.analog;
    const std::int64_t k = a.firstDigitPower;
    const std::int64_t len = a.digits;
    const FunctionRow& row = reading.row();

    switch (a.shape) {
    case Shape::Number:
        result.counts = a.counts;
        result.multiplierExponent = static_cast<int>(k);
        switch (row.analogRange) {
        case AnalogRange::Decade:
            result.fullScale = pow10(len);
            break;
        case AnalogRange::Capacitance:
            result.fullScale = k == 3 ? pow10(len) : 6 * pow10(len - 1);
            break;
        case AnalogRange::Temperature:
            result.fullScale = 2 * pow10(len - 1);
            result.multiplierExponent = static_cast<int>(k - 1);
            break;
        case AnalogRange::SixCounts:
            result.fullScale = 6 * pow10(len - 1);
            break;
        }
        return result;
    case Shape::Overload: // beyond the stop
        result.fullScale = 5000;
        result.counts = 5500;
        result.multiplierExponent = static_cast<int>(k);
        return result;
    case Shape::LetteredNumber: // a temperature with its degree letter
        result.counts = a.counts;
        result.multiplierExponent = static_cast<int>(k - 1);
        result.fullScale = 2 * pow10(len);
        return result;
    case Shape::ThreeDashes:
    case Shape::Other:
        break;
    }
    // Dashes or garbage.
    if (row.lettered()) {
        if (a.shape == Shape::ThreeDashes) {
            result.fullScale = 2 * pow10(len);
            result.multiplierExponent = static_cast<int>(k - 1);
            result.counts = result.fullScale / 10 + result.fullScale;
        } else {
            result.counts = 0;
            result.fullScale = 2000;
            result.multiplierExponent = 2;
        }
    } else {
        result.counts = 0;
    }
    return result;
}

AnalogScale AnalogRestScale() {
    return AnalogScale{0, 2000, 2};
}

double AnalogNeedleAngle(std::int64_t counts, std::int64_t fullScale) {
    if (fullScale <= 0)
        return kNeedleZero;
    const double magnitude = std::fabs(static_cast<double>(counts));
    double angle = 180.0 - (magnitude * (120.0 / static_cast<double>(fullScale)) + 30.0);
    if (!std::isfinite(angle) || angle < kNeedleStop)
        angle = kNeedleStop;
    return angle;
}

int AnalogScaleImage(std::uint32_t function, int multiplierExponent) {
    const FunctionRow& row = FunctionRowOf(function);
    if (row.analogRange == AnalogRange::Capacitance)
        return multiplierExponent == 3 ? 100 : 60;
    return row.analogImage;
}

std::string MultiplierText(int exponent) {
    if (exponent < 0)
        return "x0";
    // Exponents come from texts of at most 15 characters; cap anything wilder.
    const int zeros = exponent > 30 ? 30 : exponent;
    return "x1" + std::string(static_cast<std::size_t>(zeros), '0');
}

std::string AnalogUnitText(std::uint32_t function, std::string_view secondUnitPart) {
    const FunctionRow& row = FunctionRowOf(function);
    if (row.lettered())
        return std::string(1, row.degreeLetter());
    return std::string(secondUnitPart);
}

// ------------------------------------------------------------------ comparator

float ComparatorValue(const Measurement& reading, double upper, double lower) {
    using Shape = ComparatorReading::Shape;
    const double above = upper + (upper - lower) * 0.5;
    const double below = lower - (upper - lower) * 0.5;
    const double middle = (upper + lower) / 2.0;
    const ComparatorReading& c = reading.comparator;
    switch (c.shape) {
    case Shape::Number:
        return narrow(c.value * reading.row().comparatorScale);
    case Shape::LetteredValue:
        return narrow(c.value);
    case Shape::Overload:
        return narrow(reading.negative ? below : above);
    case Shape::OpenHigh:
        return narrow(above);
    case Shape::OpenLow:
        return narrow(below);
    case Shape::Unreadable:
        break;
    }
    return narrow(middle);
}

double ComparatorNeedleAngle(double value, double upper, double lower) {
    const double half = (upper - lower) * 0.5;
    const double b0 = lower - half;
    const double b1 = upper + half;
    if (half == 0.0 || !std::isfinite(half) || !std::isfinite(b0) || !std::isfinite(b1) ||
        std::isnan(value))
        return 90.0;
    const double g = 20.0 / half;
    double r = value - b0;
    if (r < 0)
        r = 0;
    if (r > b1 - b0)
        r = b1 - b0;
    const double angle = 130.0 - r * g;
    if (!std::isfinite(angle))
        return 90.0;
    // Limits only a few units of the last place apart round the span; the needle
    // still never passes its stops.
    return std::clamp(angle, 50.0, 130.0);
}

int AlarmFrequency(double value, double upper, double lower) {
    // The value is a single-precision number; compare it with the limits at the
    // same precision so that a reading equal to a limit is never "outside" it.
    const float v = narrow(value);
    if (v > narrow(upper))
        return kAlarmHighHz;
    if (v < narrow(lower))
        return kAlarmLowHz;
    return 0;
}

ComparatorLabels ComparatorLabelsFor(std::uint32_t function) {
    ComparatorLabels labels;
    const MeterFunction meterFunction = MeterFunctionOf(function);
    switch (meterFunction) {
    // Built whole and moved in: assigning short literals to the strings trips a false
    // overlap warning of GCC 12 at -O3.
    case MeterFunction::Capacitance:
        labels = ComparatorLabels{std::string("u"), std::string("F")};
        break;
    case MeterFunction::Conductance:
        labels = ComparatorLabels{std::string("n"), std::string("S")};
        break;
    case MeterFunction::DecibelMilliwatt:
        labels = ComparatorLabels{std::string("dB"), std::string("m")};
        break;
    default:
        labels.unitPart = clip7(UnitLabelOf(function));
        break;
    }
    if (meterFunction == MeterFunction::Celsius || meterFunction == MeterFunction::Fahrenheit) {
        labels.prefixSymbol = true;
        labels.prefixAlign = LabelAlign::Right;
        labels.unitAlign = LabelAlign::Left;
    }
    labels.unitSymbol = ShowsOhmSign(function);
    return labels;
}

// ----------------------------------------------------------------- animation

std::vector<double> SweepAngles(double from, double to, int steps) {
    std::vector<double> angles;
    if (from == to || steps < 1 || !std::isfinite(from) || !std::isfinite(to)) {
        if (from != to && std::isfinite(to))
            angles.push_back(to);
        return angles;
    }
    const double step = (to - from) / steps;
    for (int i = 1; i < steps; ++i)
        angles.push_back(from + i * step);
    angles.push_back(to);
    return angles;
}

} // namespace telmora
