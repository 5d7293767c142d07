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

} // namespace telmora
