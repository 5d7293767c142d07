#pragma once
// Function and unit strings: the labels of a value from its function code and its
// decimal-point code, as the conversion of stored readings uses them. The label of
// a value is the prefix text followed by the unit text (for decibel-milliwatt the
// prefix "dB" and the unit "m" read "dBm"; resistance uses the letter "W", which a
// window that shows the ohm sign draws as that sign).
//
// Pure functions without state, safe on any thread. The text functions write a
// zero-terminated text of at most 3 characters into a caller-owned buffer and
// return its length; a buffer shorter than 4 bytes receives as much as fits, still
// zero-terminated (an empty buffer receives nothing and 0 is returned).

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace telmora {

// Power of ten of the unit prefix (-9, -6, -3, 0, 3, 6, or 1 for the volt codes
// whose range has no prefix) from a function code and the decimal-point code as
// text (for example "-2"). A text that is not a decimal integer gives 0.
int PrefixClass(std::uint32_t code, std::string_view decimalCode);

// Prefix text of a prefix class: "n", "u", "m" ("dB" for decibel), "", "k", "M".
std::size_t PrefixText(std::uint32_t code, int prefixClass, std::span<char> out);
std::string_view PrefixTextView(std::uint32_t code, int prefixClass);

// Unit text of a function code; the highest bit (low battery) is ignored.
std::size_t UnitText(std::uint32_t code, std::span<char> out);
std::string_view UnitTextView(std::uint32_t code);

} // namespace telmora
