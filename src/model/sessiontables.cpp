#include "model/sessiontables.h"

#include <cstddef>
#include <initializer_list>
#include <span>

namespace telmora {

namespace {

using KindTable = std::span<const SessionFunctions>;

// The main and sub function and range class of each kind, by session type.
constexpr SessionFunctions kVoltsWithFrequency[] = {{0x5, 1, 0x400, 7}, {0x400, 7, 0x5, 1}};
constexpr SessionFunctions kVolts[] = {{0x6, 2, 0, 0}, {0x6, 2, 0x5, 1}, {0x7, 3, 0x5, 1}};
constexpr SessionFunctions kMillivolts[] = {{0x1000006, 5, 0, 0},
                                            {0x1000006, 5, 0x1000005, 4},
                                            {0x7, 6, 0x1000005, 4},
                                            {0x400, 7, 0, 0},
                                            {0x800, 8, 0, 0}};
constexpr SessionFunctions kMillivoltsWithFrequency[] = {{0x1000005, 4, 0x400, 7},
                                                         {0x400, 7, 0x1000005, 4}};
constexpr SessionFunctions kResistance[] = {{0x80, 9, 0, 0}, {0x180, 10, 0, 0}, {0x1000, 11, 0, 0}};
// Temperature inputs T1 (0x8000), T2 (0x4000), T1-T2 (0xC000), without the unit bit.
constexpr SessionFunctions kTemperature[] = {
    {0x8000, 23, 0, 0}, {0x4000, 23, 0, 0}, {0x8000, 23, 0x4000, 23}, {0xC000, 23, 0x4000, 23}};
constexpr SessionFunctions kCapacitance[] = {{0x8, 12, 0, 0}, {0x4, 13, 0, 0}};
// Flag bit 5 selects the larger current ranges (classes 14..16 instead of 17..19).
constexpr SessionFunctions kLargeCurrent[] = {
    {0x202, 15, 0, 0}, {0x202, 15, 0x201, 14}, {0x203, 16, 0x201, 14}, {0x201, 14, 0x400, 7}};
constexpr SessionFunctions kSmallCurrent[] = {
    {0x202, 18, 0, 0}, {0x202, 18, 0x201, 17}, {0x203, 19, 0x201, 17}, {0x201, 17, 0x400, 7}};
constexpr SessionFunctions kMicroamperes[] = {
    {0x202, 21, 0, 0}, {0x202, 21, 0x201, 20}, {0x203, 22, 0x201, 20}, {0x201, 20, 0x400, 7}};

constexpr std::uint8_t kTemperatureType = 6;

KindTable KindsOfType(std::uint8_t type, bool largeCurrent) {
    switch (type) {
    case 1:
        return kVoltsWithFrequency;
    case 2:
        return kVolts;
    case 3:
        return kMillivolts;
    case 4:
        return kMillivoltsWithFrequency;
    case 5:
        return kResistance;
    case kTemperatureType:
        return kTemperature;
    case 7:
        return kCapacitance;
    case 8:
        return largeCurrent ? KindTable(kLargeCurrent) : KindTable(kSmallCurrent);
    case 9:
        return kMicroamperes;
    default:
        return {};
    }
}

} // namespace

SessionFunctions SessionFunctionTable(std::uint8_t type, std::uint8_t kind, std::uint8_t flags) {
    const bool fahrenheit = (flags & SessionFlag::Variant4) != 0;
    const bool largeCurrent = (flags & SessionFlag::Variant5) != 0;
    const KindTable kinds = KindsOfType(type, largeCurrent);
    if (kind >= kinds.size()) {
        return {};
    }
    SessionFunctions functions = kinds[kind];
    if (type == kTemperatureType) {
        // The unit bit is 0x20 for Celsius and 0x40 for Fahrenheit, on every
        // temperature the session holds.
        const std::uint32_t unit = fahrenheit ? 0x40 : 0x20;
        functions.mainCode |= unit;
        if (functions.subCode != 0) {
            functions.subCode |= unit;
        }
    }
    return functions;
}

int DecimalExponentTable(int rangeClass, int rangeCode) {
    // Each row lists the exponents of R = 0, 1, ...; codes past the row give 0.
    auto pick = [rangeCode](std::initializer_list<int> row) {
        if (rangeCode < 0 || static_cast<std::size_t>(rangeCode) >= row.size()) {
            return 0;
        }
        return row.begin()[rangeCode];
    };
    switch (rangeClass) {
    case 1:
    case 2:
    case 3:
        return pick({0, 1, 2, 3});
    case 4:
    case 5:
    case 6:
        return pick({-2, -1});
    case 7:
        return pick({0, 1, 2, 3, 4, 5, 6});
    case 8:
        return pick({1, 2});
    case 9:
    case 10:
        return pick({2, 3, 4, 5, 6, 7});
    case 11:
        return 1;
    case 12:
        return pick({-2, -1, 0, 1, 2, 3, 4});
    case 13:
        return 0;
    case 14:
    case 15:
    case 16:
        return pick({0, 1});
    case 17:
    case 18:
    case 19:
        return pick({-2, -1});
    case 20:
    case 21:
    case 22:
        return pick({-4, -3});
    case 23:
        return 3;
    default:
        return 0;
    }
}

} // namespace telmora
