#include "model/decode.h"

#include <algorithm>

namespace telmora {

namespace {

// Segment byte (bit 4 cleared) -> character; 0 marks a pattern the meter never shows.
constexpr std::array<char, 256> MakeSegmentTable() {
    std::array<char, 256> t{};
    t[0x00] = ' ';
    t[0x07] = 'L';
    t[0x0F] = 'C';
    t[0x20] = 'i';
    t[0x23] = 'u';
    t[0x40] = '-';
    t[0x42] = 'r';
    t[0x47] = 't';
    t[0x4E] = 'F';
    t[0x4F] = 'E';
    t[0x62] = 'n';
    t[0x63] = 'o';
    t[0x67] = 'b';
    t[0x6D] = '5';
    t[0x6F] = '6';
    t[0xA0] = '1';
    t[0xA7] = 'U';
    t[0xA8] = '7';
    t[0xAF] = '0';
    t[0xCB] = '2';
    t[0xCE] = 'P';
    t[0xE3] = 'd';
    t[0xE4] = '4';
    t[0xE5] = 'y';
    t[0xE6] = 'H';
    t[0xE9] = '3';
    t[0xEC] = 'g';
    t[0xED] = '9';
    t[0xEE] = 'A';
    t[0xEF] = '8';
    return t;
}

constexpr std::array<char, 256> kSegmentTable = MakeSegmentTable();

constexpr std::uint8_t kPointBit = 0x10;

// Code bits the decode sets itself: the degree letter of a temperature (the fourth
// digit) and the variant mark, which only exists for volts AC and DC.
constexpr std::uint32_t kCelsiusBit = 0x20;
constexpr std::uint32_t kFahrenheitBit = 0x40;
constexpr std::uint32_t kVariantBit = 0x1000000;
constexpr std::uint32_t kVoltsAcCode = 0x5;
constexpr std::uint32_t kVoltsDcCode = 0x6;

constexpr bool Bit(std::uint8_t byte, int bit) {
    return ((byte >> bit) & 1u) != 0;
}
constexpr std::uint32_t Put(bool on, int bit) {
    return on ? (std::uint32_t{1} << bit) : 0u;
}

// Four characters and the point code of one display, rendered as the meter shows
// them: the point after digit 1, 2 or 3 for P = 4, 2, 1; no point for any other P
// (none lit, or more than one). A negative reading gets a leading '-'.
std::string_view RenderText(const char (&digits)[4], unsigned pointCode, bool negative,
                            char (&buf)[8]) {
    std::size_t n = 0;
    if (negative) {
        buf[n++] = '-';
    }
    const std::size_t pointAfter = pointCode == 4 ? 1 : pointCode == 2 ? 2 : pointCode == 1 ? 3 : 0;
    for (std::size_t i = 0; i < 4; ++i) {
        buf[n++] = digits[i];
        if (i + 1 == pointAfter) {
            buf[n++] = '.';
        }
    }
    return std::string_view(buf, n);
}

int MainExponent(std::uint8_t d13, std::uint8_t d14) {
    const unsigned x = (d13 & 0xC0u) | ((d14 & 0xC8u) >> 3);
    switch (x) {
    case 0x80:
        return 3;
    case 0x40:
        return 6;
    case 0x10:
        return -6;
    case 0x08:
        return -3;
    case 0x01:
        return -9;
    default:
        return 0;
    }
}

int SubExponent(std::uint8_t d12, std::uint8_t d13) {
    const unsigned y = (d12 & 0xC4u) | ((d13 & 0x0Cu) >> 2);
    switch (y) {
    case 0x01:
        return 3;
    case 0x02:
        return 6;
    case 0x80:
        return -3;
    case 0x40:
        return -6;
    case 0x04:
        return -9;
    default:
        return 0;
    }
}

} // namespace

std::array<std::uint8_t, kDataBytes>
ExtractDataBytes(std::span<const std::uint8_t, kReplySize> reply) {
    std::array<std::uint8_t, kDataBytes> data{};
    for (std::size_t k = 0; k < kDataBytes; ++k) {
        data[k] = reply[DataByteOffset(k)];
    }
    return data;
}

char SegmentToChar(std::uint8_t segments) {
    const char c = kSegmentTable[segments];
    return c != 0 ? c : '?';
}

std::string_view UnitLabel(std::uint32_t code) {
    return FunctionRowOf(code).liveUnit;
}

std::string_view MainModeLabel(std::uint32_t code) {
    return ModeText(FunctionRowOf(code).mode);
}

std::string_view SubModeLabel(std::uint32_t code) {
    return ModeText(FunctionRowOf(code).liveSubMode);
}

namespace {

// Where each bit of a function code is shown: bit `dataBit` of data byte `byte`
// lights the annunciator that stands for bit `codeBit` of the code.
struct CodeBit {
    std::uint8_t byte;
    std::uint8_t dataBit;
    std::uint8_t codeBit;
};

constexpr CodeBit kMainCodeBits[] = {
    {1, 4, 0},   {1, 5, 1},   {14, 5, 2},  {14, 0, 3}, {13, 5, 7}, {7, 0, 8},  {14, 4, 9},
    {13, 4, 10}, {14, 2, 11}, {14, 1, 12}, {6, 4, 13}, {2, 3, 14}, {2, 0, 15}, {7, 3, 31},
};

constexpr CodeBit kSubCodeBits[] = {
    {7, 6, 0},  {7, 7, 1},   {12, 4, 2},  {12, 0, 3}, {13, 1, 7},
    {12, 5, 9}, {13, 0, 10}, {12, 1, 12}, {7, 1, 14}, {7, 2, 15},
};

// The data bytes holding the four digits of each display, left digit first.
constexpr std::size_t kMainDigitsByte = 3;
constexpr std::size_t kSubDigitsByte = 8;

using DataBytes = std::span<const std::uint8_t, kDataBytes>;

std::uint32_t AssembleCode(DataBytes d, std::span<const CodeBit> bits) {
    std::uint32_t code = 0;
    for (const CodeBit& b : bits) {
        code |= Put(Bit(d[b.byte], b.dataBit), b.codeBit);
    }
    return code;
}

// The degree letter in the fourth digit tells the temperature unit.
std::uint32_t TemperatureUnitBit(char fourthDigit) {
    if (fourthDigit == 'C') {
        return kCelsiusBit;
    }
    if (fourthDigit == 'F') {
        return kFahrenheitBit;
    }
    return 0;
}

std::uint32_t MainCode(DataBytes d, const char (&digits)[4]) {
    std::uint32_t code = AssembleCode(d, kMainCodeBits);
    // The variant mark only exists for volts AC and DC.
    const std::uint32_t function = code & kFunctionMask;
    if ((function == kVoltsAcCode || function == kVoltsDcCode) && Bit(d[15], 3)) {
        code |= kVariantBit;
    }
    return code | TemperatureUnitBit(digits[3]);
}

std::uint32_t SubCode(DataBytes d, const char (&digits)[4]) {
    return AssembleCode(d, kSubCodeBits) | TemperatureUnitBit(digits[3]);
}

constexpr std::uint32_t BitsOf(std::span<const CodeBit> bits) {
    std::uint32_t all = 0;
    for (const CodeBit& b : bits)
        all |= Put(true, b.codeBit);
    return all;
}

constexpr std::uint32_t kDecodableCodeBits =
    (BitsOf(kMainCodeBits) | BitsOf(kSubCodeBits) | kCelsiusBit | kFahrenheitBit | kVariantBit) &
    kFunctionMask;

// The characters of the four digits starting at data byte `first`.
void ReadDigits(DataBytes d, std::size_t first, char (&digits)[4]) {
    for (std::size_t i = 0; i < 4; ++i) {
        digits[i] = SegmentToChar(static_cast<std::uint8_t>(d[first + i] & ~kPointBit));
    }
}

// The point bits of the first three digits starting at data byte `first`, as
// the point code RenderText takes (4, 2, 1 for a point after digit 1, 2, 3).
unsigned PointCode(DataBytes d, std::size_t first) {
    return (Bit(d[first], 4) ? 4u : 0u) | (Bit(d[first + 1], 4) ? 2u : 0u) |
           (Bit(d[first + 2], 4) ? 1u : 0u);
}

} // namespace

std::uint32_t DecodableCodeBits() {
    return kDecodableCodeBits;
}

void DecodeForDisplay(std::span<const std::uint8_t, kDataBytes> d, DecodedReply& out) {
    std::copy_n(d.begin() + 1, kFrameDataSize, out.frameData.begin());

    char main[4];
    char sub[4];
    ReadDigits(d, kMainDigitsByte, main);
    ReadDigits(d, kSubDigitsByte, sub);
    const std::uint32_t mainCode = MainCode(d, main);
    const std::uint32_t subCode = SubCode(d, sub);
    const bool mainNegative = Bit(d[2], 7);
    const bool subNegative = Bit(d[7], 5);

    char mainBuf[8];
    char subBuf[8];
    const std::string_view mainText =
        RenderText(main, PointCode(d, kMainDigitsByte), mainNegative, mainBuf);
    const std::string_view subText =
        RenderText(sub, PointCode(d, kSubDigitsByte), subNegative, subBuf);

    MeasureDisplay(mainText, mainNegative, mainCode, MainExponent(d[13], d[14]), DisplayKind::Main,
                   out.main);
    MeasureDisplay(subText, subNegative, subCode, SubExponent(d[12], d[13]), DisplayKind::Sub,
                   out.sub);
    out.lowBattery = (mainCode & kLowBatteryBit) != 0;
}

void DecodeReply(std::span<const std::uint8_t, kReplySize> reply, DecodedReply& out) {
    std::copy(reply.begin(), reply.end(), out.replyCopy.begin());
    const std::array<std::uint8_t, kDataBytes> data = ExtractDataBytes(reply);
    DecodeForDisplay(data, out);
}

} // namespace telmora
