#include "model/sireading.h"

#include "model/functiontable.h"
#include "model/storedreading.h"
#include "model/unitstrings.h"

#include <charconv>
#include <cmath>

namespace telmora {

namespace {

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

std::string_view unitOf(const ReadingRecord& record, std::uint32_t c) {
    if (const std::string_view unit = FunctionRowOf(c).siUnit; !unit.empty())
        return unit;
    // A code without a unit of its own: the stored unit text without its mode mark.
    std::string_view stored = record.unitText.view();
    return trimmed(stored.substr(0, stored.find('[')));
}

std::string_view modeOf(const ReadingRecord& record) {
    if (const std::string_view mode = trimmed(record.modeText.view()); !mode.empty())
        return mode;
    // Imported sessions keep the mode only as a mark after the unit: "V [AC]".
    const std::string_view unit = record.unitText.view();
    const std::size_t open = unit.find('[');
    const std::size_t close = unit.find(']', open);
    if (open == std::string_view::npos || close == std::string_view::npos)
        return {};
    return unit.substr(open + 1, close - open - 1);
}

bool isOverload(const ReadingRecord& record) {
    const std::string_view text = trimmed(record.valueText.view());
    return text.find('L') != std::string_view::npos || text.find("---") != std::string_view::npos;
}

// Powers of ten between the stored value and its SI value: the unit the conversion
// that made the record counted the value in.
int storedShift(RecordOrigin origin, DisplayKind kind, std::uint32_t c) {
    return origin == RecordOrigin::Recorder ? RecorderValueExponent(c, kind)
                                            : StoredValueExponent(c);
}

// The shortest decimal text of `value` times 10^shift: the digits of the shortest
// text that reads back as the same float, with the exponent moved, written plainly
// for moderate exponents and in scientific notation otherwise.
std::string decimalText(float value, int shift) {
    if (value == 0.0f || !std::isfinite(value))
        return "0";
    char buffer[48];
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
    std::string_view text(buffer, written.ptr);
    std::string out;
    if (text.front() == '-') {
        out += '-';
        text.remove_prefix(1);
    }
    const std::size_t e = text.find('e');
    std::string digits;
    for (char c : text.substr(0, e))
        if (c != '.')
            digits += c;
    std::string_view exponentText = text.substr(e + 1);
    if (!exponentText.empty() && exponentText.front() == '+')
        exponentText.remove_prefix(1);
    int exponent = 0;
    std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), exponent);
    exponent += shift;

    if (exponent < -6 || exponent > 15) {
        out += digits.front();
        if (digits.size() > 1) {
            out += '.';
            out += std::string_view(digits).substr(1);
        }
        out += 'e';
        out += std::to_string(exponent);
        return out;
    }
    if (exponent < 0) {
        out += "0.";
        out.append(static_cast<std::size_t>(-exponent - 1), '0');
        out += digits;
        return out;
    }
    const auto integerDigits = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= integerDigits) {
        out += digits;
        out.append(integerDigits - digits.size(), '0');
        return out;
    }
    out += std::string_view(digits).substr(0, integerDigits);
    out += '.';
    out += std::string_view(digits).substr(integerDigits);
    return out;
}

// The power of ten a display's prefix text stands for ("dB" and unknown texts: 0).
int prefixExponentOf(std::string_view prefix) {
    prefix = trimmed(prefix);
    if (prefix == "n")
        return -9;
    if (prefix == "u" || prefix == "\xC2\xB5")
        return -6;
    if (prefix == "m")
        return -3;
    if (prefix == "k")
        return 3;
    if (prefix == "M")
        return 6;
    return 0;
}

// Digits after the decimal point of a display text ("4.770" has 3).
int decimalsOf(std::string_view display) {
    const std::size_t point = display.find('.');
    if (point == std::string_view::npos)
        return 0;
    int digits = 0;
    for (std::size_t i = point + 1; i < display.size() && display[i] >= '0' && display[i] <= '9';
         ++i)
        ++digits;
    return digits;
}

} // namespace

SiReading ReadSi(const ReadingRecord& record, RecordOrigin origin, DisplayKind kind) {
    SiReading out;
    out.function = record.function();
    out.overload = isOverload(record);
    out.unit = unitOf(record, out.function);
    out.mode = modeOf(record);
    out.display = trimmed(record.displayText.view());
    out.prefixExponent = prefixExponentOf(record.prefixText.view());
    out.decimals = decimalsOf(out.display);
    if (!out.overload) {
        out.value = static_cast<double>(record.value);
        if (const int shift = storedShift(origin, kind, out.function); shift != 0)
            out.value *= std::pow(10.0, shift);
    }
    return out;
}

std::string SiValueText(const ReadingRecord& record, RecordOrigin origin, DisplayKind kind) {
    if (isOverload(record))
        return {};
    return decimalText(record.value, storedShift(origin, kind, record.function()));
}

} // namespace telmora
