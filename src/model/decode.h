#pragma once
// Live frame decode: one meter reply (an image of the meter's display) into a
// DecodedReply - the characters of both displays with the decimal point in place,
// signs, function codes, prefix exponents, the prefix/unit/mode labels and the
// two display lines the live windows show.
//
// A reply is 27 bytes: three 9-byte input reports, each starting with its report
// number. The 24 remaining bytes are the data bytes D0..D23; Dk is reply byte
// 1 + k + (k div 8). Only D1..D20 carry display information.
//
// Every function here is pure, allocation-free and safe on any thread. Any input
// decodes to something defined: unknown segment patterns give '?', codes without
// a label give the unit label "?".

#include "model/DecodedReply.h"
#include "model/functiontable.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace telmora {

// Position of data byte Dk (0..23) in the 27-byte reply.
constexpr std::size_t DataByteOffset(std::size_t k) {
    return 1 + k + k / 8;
}

// The 24 data bytes D0..D23 of a reply (report numbers dropped).
std::array<std::uint8_t, kDataBytes>
ExtractDataBytes(std::span<const std::uint8_t, kReplySize> reply);

// One segment byte (bit 4 cleared) to its display character; '?' for a pattern
// the meter does not show.
char SegmentToChar(std::uint8_t segments);

// Decodes the 24 data bytes of one reply into every decode field of `out`,
// including the frame data D1..D20. The reply copy is left alone (see DecodeReply).
// Never fails and applies no acceptance test.
void DecodeForDisplay(std::span<const std::uint8_t, kDataBytes> data, DecodedReply& out);

// Decodes a whole 27-byte reply: stores the reply copy, then DecodeForDisplay.
void DecodeReply(std::span<const std::uint8_t, kReplySize> reply, DecodedReply& out);

// Every bit of a function code the decode can set (the low-battery bit aside): the
// annunciators of both displays, the degree letters and the volt variant mark.
std::uint32_t DecodableCodeBits();

// The labels of the live display, each a static text.
// Unit label of a function code (bit 31 is ignored); "?" for a code without one.
std::string_view UnitLabel(std::uint32_t code);
// Mode label of the main display: "AC", "DC", "DC+AC", "T1", "T2", "T1-T2" or "".
std::string_view MainModeLabel(std::uint32_t code);
// Mode label of the sub display: "AC", "T1", "T2", "T1-T2" or "" (no DC labels).
std::string_view SubModeLabel(std::uint32_t code);

} // namespace telmora
