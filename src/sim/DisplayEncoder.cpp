#include "sim/DisplayEncoder.h"

#include "model/decode.h"

namespace telmora {

namespace {

// A pattern that is not in the segment table (only the bottom segment).
constexpr std::uint8_t kUnknownPattern = 0x01;
constexpr std::uint8_t kPointBit = 0x10;

constexpr std::uint8_t SetIf(bool on, int bit) {
    return on ? static_cast<std::uint8_t>(1u << bit) : std::uint8_t{0};
}
constexpr bool Has(std::uint32_t code, int bit) {
    return ((code >> bit) & 1u) != 0;
}

// Fourth digit of a display: the degree letter of a temperature code.
char FourthDigit(const DesiredDisplay& display) {
    if (Has(display.code, 5)) {
        return 'C';
    }
    if (Has(display.code, 6)) {
        return 'F';
    }
    return display.digits[3];
}

void PutDigits(const DesiredDisplay& display, std::uint8_t* bytes) {
    for (std::size_t i = 0; i < 4; ++i) {
        const char c = i == 3 ? FourthDigit(display) : display.digits[i];
        bytes[i] = CharToSegment(c);
    }
    bytes[0] |= SetIf((display.pointCode & PointCode::AfterDigit1) != 0, 4);
    bytes[1] |= SetIf((display.pointCode & PointCode::AfterDigit2) != 0, 4);
    bytes[2] |= SetIf((display.pointCode & PointCode::AfterDigit3) != 0, 4);
}

} // namespace

std::uint8_t CharToSegment(char c) {
    for (unsigned b = 0; b < 256; ++b) {
        if ((b & kPointBit) == 0 && SegmentToChar(static_cast<std::uint8_t>(b)) == c && c != '?') {
            return static_cast<std::uint8_t>(b);
        }
    }
    return kUnknownPattern;
}

bool SetDisplayText(std::string_view text, DesiredDisplay& display) {
    bool negative = false;
    // A leading '-' is the sign unless the whole text is dashes (a display of
    // dashes, "----", is four characters).
    if (text.size() > 1 && text.front() == '-' &&
        text.find_first_not_of('-') != std::string_view::npos) {
        negative = true;
        text.remove_prefix(1);
    }
    std::array<char, 4> chars{};
    std::size_t count = 0;
    std::size_t pointAfter = 0; // number of characters before the point
    for (char c : text) {
        if (c == '.') {
            if (pointAfter != 0 || count == 0) {
                return false;
            }
            pointAfter = count;
            continue;
        }
        if (count == 4) {
            return false;
        }
        chars[count++] = c;
    }
    if (pointAfter > 3 || (pointAfter != 0 && pointAfter == count)) {
        return false; // a point after the fourth digit does not exist
    }
    const std::size_t pad = 4 - count;
    std::array<char, 4> digits{' ', ' ', ' ', ' '};
    for (std::size_t i = 0; i < count; ++i) {
        digits[pad + i] = chars[i];
    }
    std::uint8_t point = PointCode::None;
    if (pointAfter != 0) {
        switch (pad + pointAfter) {
        case 1:
            point = PointCode::AfterDigit1;
            break;
        case 2:
            point = PointCode::AfterDigit2;
            break;
        case 3:
            point = PointCode::AfterDigit3;
            break;
        default:
            return false;
        }
    }
    display.digits = digits;
    display.pointCode = point;
    display.negative = negative;
    return true;
}

std::array<std::uint8_t, kReplySize> EncodeDisplay(const DesiredReading& reading) {
    std::array<std::uint8_t, kDataBytes> d{};
    const DesiredDisplay& m = reading.main;
    const DesiredDisplay& s = reading.sub;
    const std::uint32_t mc = m.code;
    const std::uint32_t sc = s.code;

    PutDigits(m, &d[3]);
    PutDigits(s, &d[8]);

    d[1] = SetIf(Has(mc, 0), 4) | SetIf(Has(mc, 1), 5);
    d[2] = SetIf(Has(mc, 15), 0) | SetIf(Has(mc, 14), 3) | SetIf(m.negative, 7);
    d[6] |= SetIf(Has(mc, 13), 4);
    d[7] = SetIf(Has(mc, 8), 0) | SetIf(Has(sc, 14), 1) | SetIf(Has(sc, 15), 2) |
           SetIf(reading.lowBattery || Has(mc, 31), 3) | SetIf(s.negative, 5) |
           SetIf(Has(sc, 0), 6) | SetIf(Has(sc, 1), 7);
    d[12] = SetIf(Has(sc, 3), 0) | SetIf(Has(sc, 12), 1) | SetIf(s.prefixExponent == -9, 2) |
            SetIf(Has(sc, 2), 4) | SetIf(Has(sc, 9), 5) | SetIf(s.prefixExponent == -6, 6) |
            SetIf(s.prefixExponent == -3, 7);
    d[13] = SetIf(Has(sc, 10), 0) | SetIf(Has(sc, 7), 1) | SetIf(s.prefixExponent == 3, 2) |
            SetIf(s.prefixExponent == 6, 3) | SetIf(Has(mc, 10), 4) | SetIf(Has(mc, 7), 5) |
            SetIf(m.prefixExponent == 6, 6) | SetIf(m.prefixExponent == 3, 7);
    d[14] = SetIf(Has(mc, 3), 0) | SetIf(Has(mc, 12), 1) | SetIf(Has(mc, 11), 2) |
            SetIf(m.prefixExponent == -9, 3) | SetIf(Has(mc, 9), 4) | SetIf(Has(mc, 2), 5) |
            SetIf(m.prefixExponent == -3, 6) | SetIf(m.prefixExponent == -6, 7);
    d[15] = SetIf(Has(mc, 24), 3);

    std::array<std::uint8_t, kReplySize> reply{};
    for (std::size_t k = 0; k < kDataBytes; ++k) {
        reply[DataByteOffset(k)] = d[k];
    }
    return reply;
}

} // namespace telmora
