#pragma once
// Display-image encoder: the inverse of the live decode. From a desired reading
// (what the meter should show) it builds the 27-byte reply whose decode gives
// back the same texts, codes and labels. The meter simulator answers polls with
// these images; tests use them to build replies by meaning instead of by bits.
//
// Usage:
//     telmora::DesiredReading r;
//     telmora::SetDisplayText("-12.34", r.main);      // digits, point, sign
//     r.main.setFunction(telmora::MeterFunction::VoltsDc);
//     r.main.prefixExponent = -3;                     // "m"
//     telmora::SetDisplayText("50.00", r.sub);
//     r.sub.setFunction(telmora::MeterFunction::Frequency);
//     std::array<std::uint8_t, 27> reply = telmora::EncodeDisplay(r);
//
// What can be encoded:
// - Characters: the ones the meter's seven-segment digits show (' ', '0'-'9', 'A',
//   'b', 'C', 'd', 'E', 'F', 'g', 'H', 'i', 'L', 'n', 'o', 'P', 'r', 't', 'u', 'U',
//   'y', '-'). Any other character becomes a pattern that decodes as '?'.
// - Function codes: main code bits 0-3, 5-15 and 24, sub code bits 0-3, 5-7, 9,
//   10, 12, 14, 15; other bits have no annunciator and are dropped. Bits 5 and 6
//   (degrees C / F) are the fourth digit itself: a code with bit 5 gets 'C' and a
//   code with bit 6 gets 'F' as its fourth character, and a fourth character 'C'
//   or 'F' always adds that bit to the decoded code. Bit 24 decodes only on the
//   volt AC and DC codes (0x1000005, 0x1000006). Bit 31 of the main code lights
//   the low-battery annunciator, as does `lowBattery`.
// - Prefix exponent: 3, 6, -3, -6, -9 light one annunciator; any other value none.

#include "model/DecodedReply.h"
#include "model/functiontable.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace telmora {

// Point codes: which decimal point is lit (several bits may be combined to
// reproduce a garbled display; the decode then shows no point).
namespace PointCode {
constexpr std::uint8_t None = 0;
constexpr std::uint8_t AfterDigit1 = 4;
constexpr std::uint8_t AfterDigit2 = 2;
constexpr std::uint8_t AfterDigit3 = 1;
} // namespace PointCode

// One display of the desired reading.
struct DesiredDisplay {
    std::array<char, 4> digits{' ', ' ', ' ', ' '}; // left to right
    std::uint8_t pointCode = PointCode::None;       // bits of PointCode
    bool negative = false;
    std::uint32_t code = 0; // function code; 0 = the display shows no function
    int prefixExponent = 0; // 3 k, 6 M, -3 m, -6 u, -9 n, 0 none

    // Shows `function` (its code from the function table).
    void setFunction(MeterFunction function) { code = FunctionCodeOf(function); }
};

struct DesiredReading {
    DesiredDisplay main;
    DesiredDisplay sub;
    bool lowBattery = false;
};

// Sets digits, point and sign of a display from a text as the display shows it,
// for example "-12.34", " 0.L ", "25C", " 1.23", "----". At most one '.', which must
// follow a digit among the first three; at most 4 characters besides the sign and
// the point; shorter texts are right-aligned with blanks in front. Returns false
// (and leaves the display unchanged) when the text cannot be shown.
bool SetDisplayText(std::string_view text, DesiredDisplay& display);

// The segment byte (bit 4 clear) that shows `c`; a pattern decoding as '?' when
// the display cannot show it.
std::uint8_t CharToSegment(char c);

// Builds the 27-byte reply: report numbers 0 at offsets 0, 9 and 18, the data
// bytes D0..D23 between them (D0, D19 and D21..D23 zero).
std::array<std::uint8_t, kReplySize> EncodeDisplay(const DesiredReading& reading);

} // namespace telmora
