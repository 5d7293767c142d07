#include "model/decimaltext.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
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

// The shortest scientific form of a number as to_chars writes it ("-d.ddde+XX"):
// sign, significant digits (17 at most, for a double) and the power of ten of the
// first digit.
struct Scientific {
    bool negative = false;
    std::size_t count = 0;
    char digits[24] = {};
    int exponent = 0;
};

// Of a finite number other than zero. Read by hand, as exports do this for
// millions of values.
template <typename Number> Scientific scientificOf(Number value) {
    char buffer[48];
    const char* const end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific).ptr;
    Scientific out;
    const char* p = buffer;
    out.negative = *p == '-';
    if (out.negative)
        ++p;
    for (; p != end && *p != 'e'; ++p)
        if (*p != '.' && out.count < sizeof out.digits)
            out.digits[out.count++] = *p;
    if (p == end)
        return out;
    ++p; // 'e'
    const bool negativeExponent = p != end && *p == '-';
    if (p != end && (*p == '-' || *p == '+'))
        ++p;
    for (; p != end; ++p)
        out.exponent = out.exponent * 10 + (*p - '0');
    if (negativeExponent)
        out.exponent = -out.exponent;
    return out;
}

// The text is built in place, without strings, as exports write millions of values.
char* layOutDecimal(char* out, const Scientific& number, int shift) {
    if (number.negative)
        *out++ = '-';
    const char* const digits = number.digits;
    const std::size_t count = number.count;
    const int exponent = number.exponent + shift;
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

// Powers of ten that a double holds exactly: a product or quotient of an integer of
// up to 53 bits and one of them is rounded once, so it is the double nearest to the
// decimal number.
constexpr double kExactPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// The double nearest to `digits` times 10^power; `digits` hold at most 53 bits (a
// float's shortest form has at most nine digits).
double valueOfDigits(bool negative, std::int64_t digits, int power) {
    double out = 0.0;
    if (power >= 0 && power <= 22) {
        out = static_cast<double>(digits) * kExactPowers[power];
    } else if (power < 0 && power >= -22) {
        out = static_cast<double>(digits) / kExactPowers[-power];
    } else {
        char text[48];
        char* const at = std::to_chars(text, text + 24, digits).ptr;
        *at = 'e';
        const char* const last = std::to_chars(at + 1, text + sizeof text, power).ptr;
        std::from_chars(text, last, out);
    }
    return negative ? -out : out;
}

// The double nearest to the number of a float's shortest form times 10^shift.
double decimalValue(const Scientific& number, int shift) {
    std::int64_t digits = 0;
    for (std::size_t i = 0; i < number.count; ++i)
        digits = digits * 10 + (number.digits[i] - '0');
    // digits * 10^power is the number.
    return valueOfDigits(number.negative, digits,
                         number.exponent - static_cast<int>(number.count - 1) + shift);
}

template <typename Number> char* writeShortestDecimal(char* out, Number value, int shift) {
    if (value == Number{0} || !std::isfinite(value)) {
        *out++ = '0';
        return out;
    }
    return layOutDecimal(out, scientificOf(value), shift);
}

} // namespace

std::size_t WriteShortestDecimal(char* out, float value, int shift) {
    return static_cast<std::size_t>(writeShortestDecimal(out, value, shift) - out);
}

void AppendShortestDecimal(std::string& out, float value, int shift) {
    char text[kMaxShortestDecimalBytes];
    out.append(text, WriteShortestDecimal(text, value, shift));
}

std::size_t WriteShortestDecimal(char* out, float value, int shift, double& asDouble) {
    if (value == 0.0f || !std::isfinite(value)) {
        asDouble = value == 0.0f ? 0.0 : std::numeric_limits<double>::quiet_NaN();
        *out = '0';
        return 1;
    }
    const Scientific number = scientificOf(value);
    asDouble = decimalValue(number, shift);
    return static_cast<std::size_t>(layOutDecimal(out, number, shift) - out);
}

double ShortestDecimalValue(float value, int shift) {
    if (value == 0.0f || !std::isfinite(value))
        return value == 0.0f ? 0.0 : std::numeric_limits<double>::quiet_NaN();
    // As decimalValue(scientificOf(value), shift), the digits read into their
    // number at once: statistics and interval exports do this for every sample.
    char buffer[32];
    const char* const end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific).ptr;
    const char* p = buffer;
    const bool negative = *p == '-';
    if (negative)
        ++p;
    std::int64_t digits = 0;
    int count = 0;
    for (; p != end && *p != 'e'; ++p) {
        if (*p != '.') {
            digits = digits * 10 + (*p - '0');
            ++count;
        }
    }
    int exponent = 0;
    if (p != end) {
        ++p; // 'e'
        const bool negativeExponent = *p == '-';
        if (*p == '-' || *p == '+')
            ++p;
        for (; p != end; ++p)
            exponent = exponent * 10 + (*p - '0');
        if (negativeExponent)
            exponent = -exponent;
    }
    return valueOfDigits(negative, digits, exponent - (count - 1) + shift);
}

std::size_t WriteShortestDouble(char* out, double value) {
    return static_cast<std::size_t>(writeShortestDecimal(out, value, 0) - out);
}

void AppendShortestDouble(std::string& out, double value) {
    char text[kMaxShortestDecimalBytes];
    out.append(text, WriteShortestDouble(text, value));
}

int DecimalsOf(std::string_view text) {
    const std::size_t point = text.find('.');
    if (point == std::string_view::npos)
        return 0;
    int digits = 0;
    for (std::size_t i = point + 1; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        ++digits;
    return digits;
}

} // namespace telmora
