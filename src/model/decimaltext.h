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

// Digits after the decimal point of a display text ("4.770" has 3, "12" none).
int DecimalsOf(std::string_view text);

// Appends `value` times 10^shift as the shortest decimal text that reads back as
// the same float with the exponent moved: plainly for exponents -6 .. 15 ("0.0012345",
// "4700"), in scientific notation otherwise ("4.7e-09" reads "4.7e-9"); "." as
// decimal point whatever the locale; "0" for zero and for what is not finite.
void AppendShortestDecimal(std::string& out, float value, int shift);
// The same text written at `out`, which has room for kMaxShortestDecimalBytes;
// returns its length.
constexpr std::size_t kMaxShortestDecimalBytes = 64;
std::size_t WriteShortestDecimal(char* out, float value, int shift);

// The same text written at `out` (room for kMaxShortestDecimalBytes), with the double
// it reads as in `asDouble` (NaN for what is not finite, whose text is "0"); returns
// the text's length.
std::size_t WriteShortestDecimal(char* out, float value, int shift, double& asDouble);
// The double nearest to the number AppendShortestDecimal writes for `value` and
// `shift`: the decimal a stored float stands for, without its binary noise (the
// float of 1.505 gives 1.505, not 1.5049999952316284); NaN for what is not finite.
double ShortestDecimalValue(float value, int shift);

// Appends `value` as the shortest decimal text that reads back as the same double,
// laid out as AppendShortestDecimal does ("22174681", "1.505", "4.7e-9"). For the
// double of ShortestDecimalValue it is the float's text.
void AppendShortestDouble(std::string& out, double value);
// The same text written at `out`, which has room for kMaxShortestDecimalBytes;
// returns its length.
std::size_t WriteShortestDouble(char* out, double value);

} // namespace telmora
