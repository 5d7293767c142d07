#include "model/decimaltext.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace telmora {

std::optional<double> ReadDecimal(std::string_view text) {
    // Check the shape first: from_chars alone would accept "inf", "nan" and
    // hexadecimal forms, and it does not take a leading "+".
    std::string_view s = text;
    if (!s.empty() && (s.front() == '+' || s.front() == '-'))
        s.remove_prefix(1);
    std::size_t i = 0;
    std::size_t digits = 0;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9')
        ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9')
            ++i, ++digits;
    }
    if (digits == 0)
        return std::nullopt;
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            ++i;
        std::size_t expDigits = 0;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9')
            ++i, ++expDigits;
        if (expDigits == 0)
            return std::nullopt;
    }
    if (i != s.size())
        return std::nullopt;

    // from_chars wants no "+" in front of the number; it does take one in the exponent.
    std::string buffer;
    if (!text.empty() && text.front() == '+')
        buffer.assign(text.substr(1));
    else
        buffer.assign(text);
    double value = 0.0;
    const auto [end, ec] = std::from_chars(buffer.data(), buffer.data() + buffer.size(), value);
    if (ec == std::errc::result_out_of_range) {
        // Too small to represent reads as zero; too large is refused.
        const double rough = std::strtod(buffer.c_str(), nullptr);
        if (std::isfinite(rough) && std::fabs(rough) < 1.0)
            return 0.0;
        return std::nullopt;
    }
    if (ec != std::errc() || end != buffer.data() + buffer.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

void AppendShortestDecimal(std::string& out, float value, int shift) {
    if (value == 0.0f || !std::isfinite(value)) {
        out += '0';
        return;
    }
    char buffer[48];
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
    std::string_view text(buffer, written.ptr);
    if (text.front() == '-') {
        out += '-';
        text.remove_prefix(1);
    }
    // "d.ddde+XX": the significant digits and the power of ten of the first one.
    const std::size_t e = text.find('e');
    char digitBuffer[16];
    std::size_t digitCount = 0;
    for (const char c : text.substr(0, e))
        if (c != '.' && digitCount < sizeof digitBuffer)
            digitBuffer[digitCount++] = c;
    const std::string_view digits(digitBuffer, digitCount);
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
            out += digits.substr(1);
        }
        out += 'e';
        char exponentDigits[16];
        const auto end =
            std::to_chars(exponentDigits, exponentDigits + sizeof exponentDigits, exponent);
        out.append(exponentDigits, end.ptr);
        return;
    }
    if (exponent < 0) {
        out += "0.";
        out.append(static_cast<std::size_t>(-exponent - 1), '0');
        out += digits;
        return;
    }
    const auto integerDigits = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= integerDigits) {
        out += digits;
        out.append(integerDigits - digits.size(), '0');
        return;
    }
    out += digits.substr(0, integerDigits);
    out += '.';
    out += digits.substr(integerDigits);
}

} // namespace telmora
