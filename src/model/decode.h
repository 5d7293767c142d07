#pragma once
// Live frame decode: one meter reply (an image of the meter's display) into a
// LiveReading - the characters of both displays with the decimal point in place,
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

#include "model/LiveReading.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace telmora {

// Bit 31 of a function code is the low-battery annunciator, not part of the function.
constexpr std::uint32_t kLowBatteryBit = 0x80000000u;
constexpr std::uint32_t kFunctionMask = ~kLowBatteryBit;

// Function codes (bit 31 cleared) that the program names.
namespace FunctionCodes {
constexpr std::uint32_t Volt = 0x4;
constexpr std::uint32_t VoltAc = 0x5;
constexpr std::uint32_t VoltDc = 0x6;
constexpr std::uint32_t VoltDcAc = 0x7;
constexpr std::uint32_t VoltAcVariant = 0x1000005;
constexpr std::uint32_t VoltDcVariant = 0x1000006;
constexpr std::uint32_t Capacitance = 0x8;
constexpr std::uint32_t Resistance = 0x80;
constexpr std::uint32_t ResistanceAlt = 0x180;
constexpr std::uint32_t CurrentAc = 0x201;
constexpr std::uint32_t CurrentDc = 0x202;
constexpr std::uint32_t CurrentDcAc = 0x203;
constexpr std::uint32_t Frequency = 0x400;
constexpr std::uint32_t DutyCycle = 0x800;
constexpr std::uint32_t Conductance = 0x1000;
constexpr std::uint32_t Decibel = 0x2000;
constexpr std::uint32_t DecibelOhm = 0x2080;
constexpr std::uint32_t TempT2 = 0x4000;
constexpr std::uint32_t TempT1 = 0x8000;
constexpr std::uint32_t TempT1MinusT2 = 0xC000;
constexpr std::uint32_t Celsius = 0x20;    // added to a temperature input
constexpr std::uint32_t Fahrenheit = 0x40; // added to a temperature input
constexpr std::uint32_t VariantBit = 0x1000000;
} // namespace FunctionCodes

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
void DecodeForDisplay(std::span<const std::uint8_t, kDataBytes> data, LiveReading& out);

// Decodes a whole 27-byte reply: stores the reply copy, then DecodeForDisplay.
void DecodeReply(std::span<const std::uint8_t, kReplySize> reply, LiveReading& out);

// The labels of the live display, each a static text.
// Prefix label of a prefix exponent: 3 "k", 6 "M", -9 "n", -6 "u", -3 "m", else "".
std::string_view PrefixLabel(int exponent);
// Unit label of a function code (bit 31 is ignored); "?" for a code without one.
std::string_view UnitLabel(std::uint32_t code);
// Mode label of the main display: "AC", "DC", "DC+AC", "T1", "T2", "T1-T2" or "".
std::string_view MainModeLabel(std::uint32_t code);
// Mode label of the sub display: "AC", "T1", "T2", "T1-T2" or "" (no DC labels).
std::string_view SubModeLabel(std::uint32_t code);

} // namespace telmora
