#include "model/Measurement.h"

#include "model/decimaltext.h"
#include "model/trimming.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <string>
#include <utility>

namespace telmora {

namespace {

std::string_view trimmedBlanksRight(std::string_view s) {
    while (!s.empty() && IsBlank(s.back()))
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

// Which of the characters the rules look for occur in the display text at all; every
// text the rules look into is a part of it (apart from a leading "-"), so a mark that
// is absent here spares the search.
struct Marks {
    bool overload = false; // 'L'
    bool point = false;    // '.'
    bool degree = false;   // 'C' or 'F'
};

Marks marksOf(std::string_view text) {
    Marks marks;
    for (char c : text) {
        marks.overload |= c == 'L';
        marks.point |= c == '.';
        marks.degree |= c == 'C' || c == 'F';
    }
    return marks;
}

bool hasOverload(const Marks& marks, std::string_view s) {
    return marks.overload && contains(s, 'L');
}
bool hasDegree(const Marks& marks, std::string_view s) {
    return marks.degree && hasDegreeLetter(s);
}
std::size_t pointIn(const Marks& marks, std::string_view s) {
    return marks.point ? s.find('.') : std::string_view::npos;
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

// 10^n as the nearest double (the same value std::pow gives for these powers).
double powerOfTen(int n) {
    static constexpr double kPowers[] = {
        1e-22, 1e-21, 1e-20, 1e-19, 1e-18, 1e-17, 1e-16, 1e-15, 1e-14, 1e-13, 1e-12, 1e-11,
        1e-10, 1e-9,  1e-8,  1e-7,  1e-6,  1e-5,  1e-4,  1e-3,  1e-2,  1e-1,  1e0,   1e1,
        1e2,   1e3,   1e4,   1e5,   1e6,   1e7,   1e8,   1e9,   1e10,  1e11,  1e12,  1e13,
        1e14,  1e15,  1e16,  1e17,  1e18,  1e19,  1e20,  1e21,  1e22};
    if (n >= -22 && n <= 22)
        return kPowers[n + 22];
    return std::pow(10.0, n);
}

// The number a display shows, [-]digits[.digits], times 10^exponent, read exactly as
// ReadDecimal reads the text "<number>E<exponent>" (or "<number>" alone when
// `withExponent` is false). Plain displays are read directly: at most 15 digits make
// an exact integer and a power of ten up to 22 an exact double, so one division or
// multiplication gives the correctly rounded value. Anything else goes to ReadDecimal.
std::optional<double> readNumber(std::string_view number, int exponent, bool withExponent) {
    bool minus = false;
    std::string_view s = number;
    if (!s.empty() && s.front() == '-') {
        minus = true;
        s.remove_prefix(1);
    }
    std::int64_t mantissa = 0;
    int digits = 0;
    int fraction = 0;
    bool point = false;
    bool plain = true;
    for (char c : s) {
        if (c >= '0' && c <= '9') {
            mantissa = mantissa * 10 + (c - '0');
            ++digits;
            fraction += point ? 1 : 0;
            if (digits > 15) {
                plain = false;
                break;
            }
        } else if (c == '.' && !point) {
            point = true;
        } else if (c == 'E' || c == 'e' || c == '+') {
            plain = false; // a shape only ReadDecimal judges
            break;
        } else {
            return std::nullopt; // a blank, a second point or sign, a letter
        }
    }
    const int power = (withExponent ? exponent : 0) - fraction;
    if (plain && digits == 0)
        return std::nullopt;
    if (plain && power >= -22 && power <= 22) {
        const auto m = static_cast<double>(mantissa);
        const double value = power >= 0 ? m * powerOfTen(power) : m / powerOfTen(-power);
        return minus ? -value : value;
    }
    std::string text(number);
    if (withExponent) {
        char buffer[16];
        const auto written = std::to_chars(buffer, buffer + sizeof buffer, exponent);
        text += 'E';
        text.append(buffer, written.ptr);
    }
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

AnalogDigits analogDigits(std::string_view text, bool negative, const Marks& marks) {
    AnalogDigits out;
    // The digits without sign; an overload text keeps its leading blanks.
    std::string_view t;
    if (hasOverload(marks, text)) {
        t = trimmedBlanksRight(text);
        if (negative && !t.empty())
            t.remove_prefix(1);
    } else {
        t = TrimBlanks(negative && !text.empty() ? text.substr(1) : text);
    }

    // The digits without the point; the power of ten of the first digit.
    std::string d(t);
    if (const auto point = pointIn(marks, t); point != std::string::npos) {
        d.erase(point, 1);
        out.firstDigitPower = static_cast<std::int64_t>(point) - 1;
    } else {
        out.firstDigitPower = static_cast<std::int64_t>(t.size()) - 1;
    }
    d.assign(TrimBlanks(d));
    out.digits = static_cast<std::int64_t>(d.size());

    if (const auto counts = parseInteger(d)) {
        out.shape = AnalogDigits::Shape::Number;
        out.counts = *counts;
        return out;
    }
    if (hasOverload(marks, d)) {
        out.shape = AnalogDigits::Shape::Overload;
        return out;
    }
    if (!d.empty() && hasDegree(marks, d))
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

ComparatorReading comparatorReading(std::string_view text, bool negative, int exponent,
                                    const FunctionRow& row, const Marks& marks,
                                    std::pair<std::string, std::optional<double>>& number) {
    using Shape = ComparatorReading::Shape;
    number.first = signedDigits(text, negative, TrimBlanks);
    std::string& s = number.first; // changed below only when it is not a number
    const auto first = readNumber(s, exponent, true);
    number.second = first;
    if (first)
        return {Shape::Number, *first};
    if (hasOverload(marks, s))
        return {Shape::Overload, 0.0};
    if (!s.empty() && hasDegree(marks, s))
        s.pop_back();
    if (const auto v = readNumber(s, exponent, true))
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
        return *value * powerOfTen(-row.valueExponent);
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

// The recorder's reading of the display, and from it the SI value, the overload
// and open flags and the resolution of `m`.
// `known` is the comparator's reading of `known.first` with the prefix exponent, when
// there is one: the recorder's text is usually the same and need not be read again.
void measureNumber(std::string_view text, int prefixExponent, const FunctionRow& row,
                   const Marks& marks, const std::pair<std::string, std::optional<double>>& known,
                   Measurement& m) {
    // Overload displays keep their spacing (only trailing blanks go when a point is
    // lit); others are trimmed, and a negative one is rebuilt as "-" + digits.
    std::string t;
    if (marks.overload)
        t = marks.point ? std::string(trimmedSpacesRight(text)) : std::string(text);
    else
        t = signedDigits(text, m.negative, TrimSpaces);
    // The degree letter of a temperature is not part of the number.
    if (row.lettered() && hasDegree(marks, t) && !t.empty())
        t.pop_back();

    m.overload = hasOverload(marks, t);
    m.open = t == "---" || t == "----";
    m.decimals = DecimalsOf(t);
    if (t == ".")
        return; // a display that shows nothing but the point

    // Decibel values on the main display carry no prefix exponent.
    const bool decibel = m.kind == DisplayKind::Main && row.decibel;
    std::optional<double> parsed;
    if (!t.empty() && t.front() == '+') // a display never shows a plus sign
        parsed.reset();
    else if (!decibel && known.second && t == known.first)
        parsed = known.second;
    else
        parsed = readNumber(t, prefixExponent, !decibel);

    double v = 0.0;
    if (parsed) {
        m.value = *parsed;
        v = *parsed * powerOfTen(-recorderExponent(row, m.kind));
    } else if (m.overload) {
        // Power of ten of the first digit.
        std::string_view digitsPart = t;
        if (m.negative && !digitsPart.empty() && digitsPart.front() == '-')
            digitsPart.remove_prefix(1);
        const std::size_t point = pointIn(marks, digitsPart);
        const int d = point != std::string_view::npos ? static_cast<int>(point) - 1
                                                      : static_cast<int>(digitsPart.size()) - 1;
        const double f = powerOfTen(d) * powerOfTen(prefixExponent);
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

void MeasureDisplay(std::string_view text, bool negative, std::uint32_t code, int prefixExponent,
                    DisplayKind kind, Measurement& m) {
    m.function = MeterFunctionOf(code);
    m.code = code;
    m.kind = kind;
    m.negative = negative;
    m.prefixExponent = prefixExponent;
    m.value = std::numeric_limits<double>::quiet_NaN();
    m.text.assign(text);
    m.prefixLabel.assign(PrefixLabel(prefixExponent));
    const FunctionRow& row = m.row();
    m.unitLabel.assign(row.liveUnit);
    m.modeLabel.clear();
    m.line.text.clear();
    m.line.part1.clear();
    m.line.part2.clear();
    if (kind == DisplayKind::Main)
        fillMainLine(m);
    else
        fillSubLine(m);

    const Marks marks = marksOf(text);
    std::pair<std::string, std::optional<double>> number;
    // Only the main display drives the analog meter and the comparator.
    if (kind == DisplayKind::Main) {
        m.analog = analogDigits(text, negative, marks);
        m.comparator = comparatorReading(text, negative, prefixExponent, row, marks, number);
    } else {
        m.analog = AnalogDigits{};
        m.comparator = ComparatorReading{};
    }
    m.overload = false;
    m.open = false;
    m.decimals = 0;
    m.recorded.recordable = false;
    m.recorded.text.clear();
    m.recorded.value = 0.0f;
    // A sub display that shows no function has no value.
    if (kind == DisplayKind::Main || m.functionCode() != 0)
        measureNumber(text, prefixExponent, row, marks, number, m);
}

Measurement MeasureDisplay(std::string_view text, bool negative, std::uint32_t code,
                           int prefixExponent, DisplayKind kind) {
    Measurement m;
    MeasureDisplay(text, negative, code, prefixExponent, kind, m);
    return m;
}

} // namespace telmora
