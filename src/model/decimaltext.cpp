#include "model/decimaltext.h"

#include <algorithm>
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

namespace {

// The text is built in place from the shortest scientific form of the float
// ("d.ddde+XX"), without strings, as exports write millions of values.
char* writeShortestDecimal(char* out, float value, int shift) {
    if (value == 0.0f || !std::isfinite(value)) {
        *out++ = '0';
        return out;
    }
    char buffer[48];
    const char* const end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific).ptr;
    const char* p = buffer;
    if (*p == '-') {
        *out++ = '-';
        ++p;
    }
    // The significant digits and the power of ten of the first one.
    char digits[16];
    std::size_t count = 0;
    for (; p != end && *p != 'e'; ++p)
        if (*p != '.' && count < sizeof digits)
            digits[count++] = *p;
    int exponent = 0;
    if (p != end) {
        ++p; // 'e'
        if (p != end && *p == '+')
            ++p;
        std::from_chars(p, end, exponent);
    }
    exponent += shift;

    if (exponent < -6 || exponent > 15) {
        *out++ = digits[0];
        if (count > 1) {
            *out++ = '.';
            out = std::copy(digits + 1, digits + count, out);
        }
        *out++ = 'e';
        return std::to_chars(out, out + 16, exponent).ptr;
    }
    if (exponent < 0) {
        *out++ = '0';
        *out++ = '.';
        out = std::fill_n(out, -exponent - 1, '0');
        return std::copy(digits, digits + count, out);
    }
    const auto integerDigits = static_cast<std::size_t>(exponent) + 1;
    if (count <= integerDigits) {
        out = std::copy(digits, digits + count, out);
        return std::fill_n(out, integerDigits - count, '0');
    }
    out = std::copy(digits, digits + integerDigits, out);
    *out++ = '.';
    return std::copy(digits + integerDigits, digits + count, out);
}

} // namespace

std::size_t WriteShortestDecimal(char* out, float value, int shift) {
    return static_cast<std::size_t>(writeShortestDecimal(out, value, shift) - out);
}

void AppendShortestDecimal(std::string& out, float value, int shift) {
    char text[kMaxShortestDecimalBytes];
    out.append(text, WriteShortestDecimal(text, value, shift));
}

} // namespace telmora
