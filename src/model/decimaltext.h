#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace telmora {

// Reads a plain decimal number, "." as separator whatever the locale:
// [+|-] digits [. digits] [(E|e) [+|-] digits] with at least one mantissa digit.
// Anything else - blanks, ",", "inf", "nan", hexadecimal - gives nothing. A value
// too small to represent reads as 0; one too large gives nothing.
std::optional<double> ReadDecimal(std::string_view text);

// Appends `value` times 10^shift as the shortest decimal text that reads back as
// the same float with the exponent moved: plainly for exponents -6 .. 15 ("0.0012345",
// "4700"), in scientific notation otherwise ("4.7e-09" reads "4.7e-9"); "." as
// decimal point whatever the locale; "0" for zero and for what is not finite.
void AppendShortestDecimal(std::string& out, float value, int shift);
// The same text written at `out`, which has room for kMaxShortestDecimalBytes;
// returns its length.
constexpr std::size_t kMaxShortestDecimalBytes = 64;
std::size_t WriteShortestDecimal(char* out, float value, int shift);

} // namespace telmora
