#pragma once
// Tables of the meter's logger memory: what a session measured (from its type,
// kind and flags) and the decimal exponent of a stored reading (from the range
// class of its display and the range code stored with the reading), plus the
// unpacking of one three-byte stored reading.

#include <cstdint>
#include <span>

namespace telmora {

// One stored reading as the logger keeps it, unpacked: status nibble (4 =
// overload, 8 = negative), range code R (0..15) and the count (the display
// digits as an unsigned number, 1234 for 1.234, 12.34, 123.4 or 1234).
struct UnpackedReading {
    std::uint8_t status = 0;
    std::uint8_t range = 0;
    std::uint16_t count = 0;
};

namespace StoredStatus {
constexpr std::uint8_t Overload = 0x4;
constexpr std::uint8_t Negative = 0x8;
} // namespace StoredStatus

// Byte 0: status in the high nibble, range code in the low nibble; bytes 1 and 2:
// the count, low byte first.
inline UnpackedReading UnpackStoredReading(std::span<const std::uint8_t, 3> bytes) {
    return UnpackedReading{static_cast<std::uint8_t>(bytes[0] >> 4),
                           static_cast<std::uint8_t>(bytes[0] & 0x0F),
                           static_cast<std::uint16_t>(bytes[1] | (bytes[2] << 8))};
}

// The functions of a session's two displays: function code and range class of the
// main and of the sub display. A code of 0 means the display has no function.
struct SessionFunctions {
    std::uint32_t mainCode = 0;
    int mainClass = 0;
    std::uint32_t subCode = 0;
    int subClass = 0;

    friend bool operator==(const SessionFunctions&, const SessionFunctions&) = default;
};

// Session flags: bit 7 = every sample holds a sub reading; bits 5 and 4 select
// function variants; bits 0..3 are the sample interval code.
namespace SessionFlag {
constexpr std::uint8_t HasSub = 0x80;
constexpr std::uint8_t Variant5 = 0x20; // current: the larger ranges
constexpr std::uint8_t Variant4 = 0x10; // temperature: Fahrenheit
constexpr std::uint8_t IntervalMask = 0x0F;
} // namespace SessionFlag

// Functions of a session from its type T, kind K and flags F. Combinations the
// meter does not produce give all zeros.
SessionFunctions SessionFunctionTable(std::uint8_t type, std::uint8_t kind, std::uint8_t flags);

// Decimal exponent of a reading from its range class and range code R. Classes and
// codes without an entry give 0.
int DecimalExponentTable(int rangeClass, int rangeCode);

} // namespace telmora
