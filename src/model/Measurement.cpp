#include "model/Measurement.h"

#include "model/decimaltext.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <string>

namespace telmora {

namespace {

bool isBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

// Without blanks and control characters on either side (the live windows' rule).
std::string_view trimmedBlanks(std::string_view s) {
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

std::string_view trimmedBlanksRight(std::string_view s) {
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// Without spaces on either side (the recorder's rule).
std::string_view trimmedSpaces(std::string_view s) {
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

std::string_view trimmedSpacesRight(std::string_view s) {
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

bool contains(std::string_view s, char c) {
    return s.find(c) != std::string_view::npos;
}

bool hasDegreeLetter(std::string_view s) {
    return contains(s, 'C') || contains(s, 'F');
}

// An optionally signed decimal integer of at most 18 digits (so that it always fits
// in 64 bits); nothing else may surround it.
std::optional<std::int64_t> parseInteger(std::string_view s) {
    bool minus = false;
    if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
        minus = s.front() == '-';
        s.remove_prefix(1);
    }
    if (s.empty() || s.size() > 18)
        return std::nullopt;
    std::int64_t value = 0;
    for (char c : s) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return minus ? -value : value;
}

// `number` followed by "E" and the exponent, read as a decimal number.
std::optional<double> readWithExponent(std::string_view number, std::string_view exponent) {
    std::string text(number);
    text += 'E';
    text += exponent;
    return ReadDecimal(text);
}

// The display's digits as "-" + the digits without blanks around them.
std::string signedDigits(std::string_view text, bool negative,
                         std::string_view (*trim)(std::string_view)) {
    if (!negative)
        return std::string(trim(text));
    std::string s = "-";
    s += trim(text.empty() ? text : text.substr(1));
    return s;
}

AnalogDigits analogDigits(std::string_view text, bool negative) {
    AnalogDigits out;
    // The digits without sign; an overload text keeps its leading blanks.
    std::string t = contains(text, 'L') ? std::string(trimmedBlanksRight(text))
                                        : signedDigits(text, negative, trimmedBlanks);
    if (negative && !t.empty())
        t.erase(0, 1);

    // The digits without the point; the power of ten of the first digit.
    std::string d;
    if (const auto point = t.find('.'); point != std::string::npos) {
        d = t.substr(0, point) + t.substr(point + 1);
        out.firstDigitPower = static_cast<std::int64_t>(point) - 1;
    } else {
        d = t;
        out.firstDigitPower = static_cast<std::int64_t>(t.size()) - 1;
    }
    d.assign(trimmedBlanks(d));
    out.digits = static_cast<std::int64_t>(d.size());

    if (const auto counts = parseInteger(d)) {
        out.shape = AnalogDigits::Shape::Number;
        out.counts = *counts;
        return out;
    }
    if (contains(d, 'L')) {
        out.shape = AnalogDigits::Shape::Overload;
        return out;
    }
    if (!d.empty() && hasDegreeLetter(d))
        d.pop_back();
    out.digits = static_cast<std::int64_t>(d.size());
    if (const auto counts = parseInteger(d)) {
        out.shape = AnalogDigits::Shape::LetteredNumber;
        out.counts = *counts;
    } else if (d == "---") {
        out.shape = AnalogDigits::Shape::ThreeDashes;
    }
    return out;
}

ComparatorReading comparatorReading(std::string_view text, bool negative, std::string_view exponent,
                                    const FunctionRow& row) {
    using Shape = ComparatorReading::Shape;
    std::string s = signedDigits(text, negative, trimmedBlanks);
    if (const auto v = readWithExponent(s, exponent))
        return {Shape::Number, *v};
    if (contains(s, 'L'))
        return {Shape::Overload, 0.0};
    if (!s.empty() && hasDegreeLetter(s))
        s.pop_back();
    if (const auto v = readWithExponent(s, exponent))
        return {Shape::LetteredValue, *v};
    if (row.lettered()) {
        if (s == "---")
            return {Shape::OpenHigh, 0.0};
        if (s == "----")
            return {Shape::OpenLow, 0.0};
    }
    return {Shape::Unreadable, 0.0};
}

// The substitute of an overload rule for a range whose power of ten is `f`.
std::optional<double> overloadValue(OverloadRule rule, double f) {
    switch (rule) {
    case OverloadRule::Range6_6:
        return 6.6 * f;
    case OverloadRule::Range10_9989:
        return 10.9989 * f;
    case OverloadRule::Percent110:
        return 110.0;
    case OverloadRule::Decibel1100:
        return 1100.0;
    case OverloadRule::None:
        break;
    }
    return std::nullopt;
}

// The power of ten of the unit the recorder stores a display's value in.
int recorderExponent(const FunctionRow& row, DisplayKind kind) {
    return kind == DisplayKind::Main ? row.valueExponent : 0;
}

// Value recorded for an overload display ("OL", "0.L"), before the sign.
std::optional<double> overloadSubstitute(const FunctionRow& row, DisplayKind kind, double f) {
    if (kind == DisplayKind::Sub)
        return overloadValue(row.liveSubOverload, f);
    const auto value = overloadValue(row.liveOverload, f);
    if (value && row.valueExponent != 0)
        return *value * std::pow(10.0, -row.valueExponent);
    return value;
}

// Value recorded for an open-input temperature display ("---" or "----"): the main
// display takes a bare degree display as well, the sub display only a temperature
// input.
std::optional<double> dashSubstitute(const FunctionRow& row, DisplayKind kind, double magnitude) {
    const bool counts = kind == DisplayKind::Main || row.lettered();
    if (counts && row.scale == TemperatureScale::Celsius)
        return 1375.0 * magnitude;
    if (counts && row.scale == TemperatureScale::Fahrenheit)
        return 2510.0 * magnitude;
    if (kind == DisplayKind::Main)
        return std::nullopt;
    return 0.0;
}

int decimalsOf(std::string_view t) {
    const std::size_t point = t.find('.');
    if (point == std::string_view::npos)
        return 0;
    int digits = 0;
    for (std::size_t i = point + 1; i < t.size() && t[i] >= '0' && t[i] <= '9'; ++i)
        ++digits;
    return digits;
}

// The recorder's reading of the display, and from it the SI value, the overload
// and open flags and the resolution of `m`.
void measureNumber(std::string_view text, std::string_view exponent, int prefixExponent,
                   Measurement& m) {
    const FunctionRow& row = m.row();
    // Overload displays keep their spacing (only trailing blanks go when a point is
    // lit); others are trimmed, and a negative one is rebuilt as "-" + digits.
    std::string t;
    if (contains(text, 'L'))
        t = contains(text, '.') ? std::string(trimmedSpacesRight(text)) : std::string(text);
    else
        t = signedDigits(text, m.negative, trimmedSpaces);
    // The degree letter of a temperature is not part of the number.
    if (row.lettered() && hasDegreeLetter(t) && !t.empty())
        t.pop_back();

    m.overload = contains(t, 'L');
    m.open = t == "---" || t == "----";
    m.decimals = decimalsOf(t);
    if (t == ".")
        return; // a display that shows nothing but the point

    // Decibel values on the main display carry no prefix exponent.
    const bool decibel = m.kind == DisplayKind::Main && row.decibel;
    std::optional<double> parsed;
    if (t.empty() || t.front() != '+') // a display never shows a plus sign
        parsed = decibel ? ReadDecimal(t) : readWithExponent(t, exponent);

    double v = 0.0;
    if (parsed) {
        m.value = *parsed;
        v = *parsed * std::pow(10.0, -recorderExponent(row, m.kind));
    } else if (m.overload) {
        // Power of ten of the first digit.
        std::string_view digitsPart = t;
        if (m.negative && !digitsPart.empty() && digitsPart.front() == '-')
            digitsPart.remove_prefix(1);
        const std::size_t point = digitsPart.find('.');
        const int d = point != std::string_view::npos ? static_cast<int>(point) - 1
                                                      : static_cast<int>(digitsPart.size()) - 1;
        const double f = std::pow(10.0, d) * std::pow(10.0, prefixExponent);
        const auto sub = overloadSubstitute(row, m.kind, f);
        if (!sub)
            return;
        v = m.negative ? -*sub : *sub;
    } else if (m.open) {
        const auto sub = dashSubstitute(row, m.kind, t == "---" ? 1.0 : -1.0);
        if (!sub)
            return;
        v = *sub;
    } else if (m.kind == DisplayKind::Main) {
        return;
    }
    const float value = static_cast<float>(v);
    if (!std::isfinite(value))
        return;
    m.recorded.recordable = true;
    m.recorded.text.assign(t);
    m.recorded.value = value;
}

// Decibel shows its unit first so that dBm reads "dB" "m"; decibel with the ohm
// annunciator shows the unit alone in the second part.
void fillMainLine(Measurement& m) {
    m.line.text = m.text;
    m.modeLabel.assign(ModeText(m.row().mode));
    if (m.function == MeterFunction::DecibelMilliwatt) {
        m.line.part1 = m.unitLabel;
        m.line.part2 = m.prefixLabel;
    } else if (m.function == MeterFunction::DecibelOhms) {
        m.line.part2 = m.unitLabel;
    } else {
        m.line.part1 = m.prefixLabel;
        m.line.part2 = m.unitLabel;
    }
}

// The sub display line and mode: blank while the sub display shows no function.
void fillSubLine(Measurement& m) {
    if (m.functionCode() == 0)
        return;
    m.line.text = m.text;
    m.line.part1 = m.prefixLabel;
    m.line.part2 = m.unitLabel;
    m.modeLabel.assign(ModeText(m.row().liveSubMode));
}

} // namespace

std::string_view ExponentText(int exponent) {
    switch (exponent) {
    case -9:
        return "-9";
    case -6:
        return "-6";
    case -3:
        return "-3";
    case 3:
        return "3";
    case 6:
        return "6";
    default:
        return "0";
    }
}

std::string_view PrefixLabel(int exponent) {
    switch (exponent) {
    case 3:
        return "k";
    case 6:
        return "M";
    case -9:
        return "n";
    case -6:
        return "u";
    case -3:
        return "m";
    default:
        return "";
    }
}

Measurement MeasureDisplay(std::string_view text, bool negative, std::uint32_t code,
                           int prefixExponent, DisplayKind kind) {
    Measurement m;
    m.function = MeterFunctionOf(code);
    m.code = code;
    m.kind = kind;
    m.negative = negative;
    m.prefixExponent = prefixExponent;
    m.text.assign(text);
    m.prefixLabel.assign(PrefixLabel(prefixExponent));
    m.unitLabel.assign(m.row().liveUnit);
    if (kind == DisplayKind::Main)
        fillMainLine(m);
    else
        fillSubLine(m);

    char exponentBuffer[16];
    const auto written =
        std::to_chars(exponentBuffer, exponentBuffer + sizeof exponentBuffer, prefixExponent);
    const std::string_view exponent(exponentBuffer,
                                    static_cast<std::size_t>(written.ptr - exponentBuffer));
    m.analog = analogDigits(text, negative);
    m.comparator = comparatorReading(text, negative, exponent, m.row());
    measureNumber(text, exponent, prefixExponent, m);
    return m;
}

} // namespace telmora
