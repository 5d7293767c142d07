#include "model/sessiontables.h"

#include <cstddef>
#include <initializer_list>

namespace telmora {

SessionFunctions SessionFunctionTable(std::uint8_t type, std::uint8_t kind, std::uint8_t flags) {
    const bool fahrenheit = (flags & SessionFlag::Variant4) != 0;
    const bool largeCurrent = (flags & SessionFlag::Variant5) != 0;
    switch (type) {
    case 1:
        switch (kind) {
        case 0:
            return {0x5, 1, 0x400, 7};
        case 1:
            return {0x400, 7, 0x5, 1};
        default:
            return {};
        }
    case 2:
        switch (kind) {
        case 0:
            return {0x6, 2, 0, 0};
        case 1:
            return {0x6, 2, 0x5, 1};
        case 2:
            return {0x7, 3, 0x5, 1};
        default:
            return {};
        }
    case 3:
        switch (kind) {
        case 0:
            return {0x1000006, 5, 0, 0};
        case 1:
            return {0x1000006, 5, 0x1000005, 4};
        case 2:
            return {0x7, 6, 0x1000005, 4};
        case 3:
            return {0x400, 7, 0, 0};
        case 4:
            return {0x800, 8, 0, 0};
        default:
            return {};
        }
    case 4:
        switch (kind) {
        case 0:
            return {0x1000005, 4, 0x400, 7};
        case 1:
            return {0x400, 7, 0x1000005, 4};
        default:
            return {};
        }
    case 5:
        switch (kind) {
        case 0:
            return {0x80, 9, 0, 0};
        case 1:
            return {0x180, 10, 0, 0};
        case 2:
            return {0x1000, 11, 0, 0};
        default:
            return {};
        }
    case 6: {
        // Temperature inputs T1 (0x8000), T2 (0x4000), T1-T2 (0xC000); the unit bit
        // is 0x20 for Celsius and 0x40 for Fahrenheit.
        const std::uint32_t unit = fahrenheit ? 0x40 : 0x20;
        switch (kind) {
        case 0:
            return {0x8000 | unit, 23, 0, 0};
        case 1:
            return {0x4000 | unit, 23, 0, 0};
        case 2:
            return {0x8000 | unit, 23, 0x4000 | unit, 23};
        case 3:
            return {0xC000 | unit, 23, 0x4000 | unit, 23};
        default:
            return {};
        }
    }
    case 7:
        switch (kind) {
        case 0:
            return {0x8, 12, 0, 0};
        case 1:
            return {0x4, 13, 0, 0};
        default:
            return {};
        }
    case 8:
        // Bit 5 selects the larger current ranges (classes 14..16 instead of 17..19).
        switch (kind) {
        case 0:
            return largeCurrent ? SessionFunctions{0x202, 15, 0, 0}
                                : SessionFunctions{0x202, 18, 0, 0};
        case 1:
            return largeCurrent ? SessionFunctions{0x202, 15, 0x201, 14}
                                : SessionFunctions{0x202, 18, 0x201, 17};
        case 2:
            return largeCurrent ? SessionFunctions{0x203, 16, 0x201, 14}
                                : SessionFunctions{0x203, 19, 0x201, 17};
        case 3:
            return largeCurrent ? SessionFunctions{0x201, 14, 0x400, 7}
                                : SessionFunctions{0x201, 17, 0x400, 7};
        default:
            return {};
        }
    case 9:
        switch (kind) {
        case 0:
            return {0x202, 21, 0, 0};
        case 1:
            return {0x202, 21, 0x201, 20};
        case 2:
            return {0x203, 22, 0x201, 20};
        case 3:
            return {0x201, 20, 0x400, 7};
        default:
            return {};
        }
    default:
        return {};
    }
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
