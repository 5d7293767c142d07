#include "model/sampleconversion.h"

#include "model/decimaltext.h"
#include "model/functiontable.h"

#include "model/LiveReading.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <mutex>

namespace telmora {

namespace {

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

std::string_view trimmedRight(std::string_view s) {
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

bool contains(std::string_view s, char c) {
    return s.find(c) != std::string_view::npos;
}

std::optional<int> parseExponent(std::string_view e) {
    e = trimmed(e);
    int v = 0;
    const auto [ptr, ec] = std::from_chars(e.data(), e.data() + e.size(), v);
    if (ec != std::errc() || ptr != e.data() + e.size())
        return std::nullopt;
    return v;
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

// Value shown for an overload display ("OL", "0.L"), by function, before the sign;
// capacitance and conductance on the main display in the recorder's micro and nano
// units.
std::optional<double> overloadSubstitute(const FunctionRow& row, DisplayKind kind, double f) {
    if (kind == DisplayKind::Sub)
        return overloadValue(row.liveSubOverload, f);
    const auto value = overloadValue(row.liveOverload, f);
    if (value && row.valueExponent != 0)
        return *value * std::pow(10.0, -row.valueExponent);
    return value;
}

// Value of an open-input temperature display ("---" or "----"): the main display
// takes a bare degree display as well, the sub display only a temperature input.
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

} // namespace

int RecorderValueExponent(std::uint32_t code, DisplayKind kind) {
    if (kind != DisplayKind::Main)
        return 0;
    return FunctionRowOf(code).valueExponent;
}

std::optional<double> ParseDisplayNumber(std::string_view s) {
    // A display never shows a plus sign.
    if (!s.empty() && s.front() == '+')
        return std::nullopt;
    return ReadDecimal(s);
}

std::optional<ConvertedValue> ConvertDisplayValue(std::string_view text, bool negative,
                                                  std::uint32_t code, std::string_view exponent,
                                                  DisplayKind kind) {
    const std::uint32_t c = code & kFunctionMask;
    const FunctionRow& row = FunctionRowOf(c);

    // 1. Overload displays keep their spacing (only trailing blanks go when a point is
    //    lit); others are trimmed, and a negative one is rebuilt as "-" + digits.
    std::string t;
    if (contains(text, 'L')) {
        t = contains(text, '.') ? std::string(trimmedRight(text)) : std::string(text);
    } else if (negative) {
        t = "-";
        t += trimmed(text.empty() ? text : text.substr(1));
    } else {
        t = std::string(trimmed(text));
    }

    // 2. The degree letter of a temperature is not part of the number.
    if (row.lettered() && (contains(t, 'C') || contains(t, 'F')) && !t.empty())
        t.pop_back();

    // 3. A display that shows nothing but the point.
    if (t == ".")
        return std::nullopt;

    // 4. Decibel values carry no prefix exponent.
    const bool decibel = kind == DisplayKind::Main && row.decibel;
    std::string number = t;
    if (!decibel) {
        number += 'E';
        number += trimmed(exponent);
    }

    // 5. Power of ten of the first digit.
    std::string_view digitsPart = t;
    if (negative && !digitsPart.empty() && digitsPart.front() == '-')
        digitsPart.remove_prefix(1);
    const std::size_t point = digitsPart.find('.');
    const int d = point != std::string_view::npos ? static_cast<int>(point) - 1
                                                  : static_cast<int>(digitsPart.size()) - 1;

    double v = 0.0;
    if (const auto parsed = ParseDisplayNumber(number)) {
        // 6. Capacitance in micro, conductance in nano units.
        v = *parsed * std::pow(10.0, -RecorderValueExponent(c, kind));
    } else if (contains(t, 'L')) {
        // 7. Overload substitutes.
        const auto e = parseExponent(exponent);
        if (!e)
            return std::nullopt;
        const double f = std::pow(10.0, d) * std::pow(10.0, *e);
        const auto sub = overloadSubstitute(row, kind, f);
        if (!sub)
            return std::nullopt;
        v = negative ? -*sub : *sub;
    } else if (t == "---" || t == "----") {
        const auto sub = dashSubstitute(row, kind, t == "---" ? 1.0 : -1.0);
        if (!sub)
            return std::nullopt;
        v = *sub;
    } else if (kind == DisplayKind::Main) {
        return std::nullopt;
    } else {
        v = 0.0;
    }

    const float value = static_cast<float>(v);
    if (!std::isfinite(value))
        return std::nullopt;
    return ConvertedValue{std::move(t), value};
}

std::string FormatSampleTime(int hour, int minute, int second, int millisecond) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%3d:%02d:%02d.%1d", hour, minute, second, millisecond / 100);
    return buf;
}

RecorderReading CopyRecorderReading(const LiveReading& l) {
    RecorderReading r;
    r.mainNegative = l.mainNegative != 0;
    r.mainText = l.mainText.str();
    r.mainExponent = l.mainPrefixExponent.str();
    r.mainCode = l.mainCode;
    r.subNegative = l.subNegative != 0;
    r.subText = l.subText.str();
    r.subExponent = l.subPrefixExponent.str();
    r.subCode = l.subCode;
    r.mainMode = l.mainModeLabel.str();
    r.mainLineText = l.mainDisplayLine.text.str();
    r.mainLinePart1 = l.mainDisplayLine.part1.str();
    r.mainLinePart2 = l.mainDisplayLine.part2.str();
    r.subMode = l.subModeLabel.str();
    r.subLineText = l.subDisplayLine.text.str();
    r.subLinePrefix = l.subDisplayLine.part1.str();
    r.subLineUnit = l.subDisplayLine.part2.str();
    r.lowBattery = l.lowBattery != 0;
    return r;
}

std::optional<SampleEntry> BuildSample(const RecorderReading& r, std::string_view timeText) {
    const auto main = ConvertDisplayValue(r.mainText, r.mainNegative, r.mainCode, r.mainExponent,
                                          DisplayKind::Main);
    if (!main)
        return std::nullopt;

    const bool hasSub = (r.subCode & kFunctionMask) != 0;
    ConvertedValue sub;
    if (hasSub) {
        auto converted = ConvertDisplayValue(r.subText, r.subNegative, r.subCode, r.subExponent,
                                             DisplayKind::Sub);
        if (!converted)
            return std::nullopt;
        sub = std::move(*converted);
    } else {
        sub.text = std::string(trimmed(r.subText));
    }

    SampleEntry e;
    e.hasSub = hasSub ? 1 : 0;
    ReadingRecord& m = e.main;
    m.valueText.assign(main->text);
    m.exponentText.assign(r.mainExponent);
    m.functionCode = r.mainCode;
    m.timeText.assign(timeText);
    m.displayText.assign(r.mainLineText);
    m.prefixText.assign(r.mainLinePart1);
    m.unitText.assign(r.mainLinePart2.substr(0, 7)); // the unit field is written up to 8 bytes
    m.value = main->value;
    m.modeText.assign(r.mainMode);

    ReadingRecord& s = e.sub;
    s.valueText.assign(sub.text);
    s.exponentText.assign(r.subExponent);
    s.functionCode = r.subCode;
    s.timeText.assign(timeText);
    s.displayText.assign(r.subLineText);
    s.prefixText.assign(r.subLinePrefix);
    s.unitText.assign(r.subLineUnit.substr(0, 7));
    s.value = hasSub ? sub.value : 0.0f;
    s.modeText.assign(r.subMode);
    return e;
}

} // namespace telmora
