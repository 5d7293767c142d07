#pragma once

#include <optional>
#include <string_view>

namespace telmora {

// Reads a plain decimal number, "." as separator whatever the locale:
// [+|-] digits [. digits] [(E|e) [+|-] digits] with at least one mantissa digit.
// Anything else - blanks, ",", "inf", "nan", hexadecimal - gives nothing. A value
// too small to represent reads as 0; one too large gives nothing.
std::optional<double> ReadDecimal(std::string_view text);

} // namespace telmora
