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

std::string_view ExponentText(int exponent) {
    switch (exponent) {
    case -9:
        return "-9";
    case -6:
        return "-6";
    case -3:
        return "-3";
    case 3:
        return "3";
    case 6:
        return "6";
    default:
        return "0";
    }
}

bool IsTemperature(std::uint32_t f) {
    using namespace FunctionCodes;
    for (std::uint32_t input : {TempT2, TempT1, TempT1MinusT2}) {
        if (f == input || f == (input | Celsius) || f == (input | Fahrenheit)) {
            return true;
        }
    }
    return false;
}

std::string_view TemperatureModeLabel(std::uint32_t f) {
    switch (f & ~(FunctionCodes::Celsius | FunctionCodes::Fahrenheit)) {
    case FunctionCodes::TempT2:
        return "T2";
    case FunctionCodes::TempT1:
        return "T1";
    default:
        return "T1-T2";
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

std::string_view PrefixLabel(int exponent) {
    switch (exponent) {
    case 3:
        return "k";
    case 6:
        return "M";
    case -9:
        return "n";
    case -6:
        return "u";
    case -3:
        return "m";
    default:
        return "";
    }
}

std::string_view UnitLabel(std::uint32_t code) {
    using namespace FunctionCodes;
    const std::uint32_t f = code & kFunctionMask;
    switch (f) {
    case Volt:
    case VoltAc:
    case VoltDc:
    case VoltDcAc:
    case VoltAcVariant:
    case VoltDcVariant:
        return "V";
    case Capacitance:
        return "F";
    case Resistance:
    case ResistanceAlt:
    case DecibelOhm:
        return "W"; // the ohm sign in the symbol typeface
    case CurrentAc:
    case CurrentDc:
    case CurrentDcAc:
        return "A";
    case Frequency:
        return "Hz";
    case DutyCycle:
        return "%";
    case Conductance:
        return "S";
    case Decibel:
        return "dB";
    case 0:
        return "";
    default:
        // Temperatures have no unit label: the degree letter is the fourth digit.
        return IsTemperature(f) ? "" : "?";
    }
}

std::string_view MainModeLabel(std::uint32_t code) {
    using namespace FunctionCodes;
    const std::uint32_t f = code & kFunctionMask;
    switch (f) {
    case VoltAc:
    case CurrentAc:
    case VoltAcVariant:
        return "AC";
    case VoltDc:
    case CurrentDc:
    case VoltDcVariant:
        return "DC";
    case VoltDcAc:
    case CurrentDcAc:
        return "DC+AC";
    default:
        return IsTemperature(f) ? TemperatureModeLabel(f) : "";
    }
}

std::string_view SubModeLabel(std::uint32_t code) {
    using namespace FunctionCodes;
    const std::uint32_t f = code & kFunctionMask;
    if (f == VoltAc || f == CurrentAc) {
        return "AC";
    }
    return IsTemperature(f) ? TemperatureModeLabel(f) : "";
}

void DecodeForDisplay(std::span<const std::uint8_t, kDataBytes> d, LiveReading& out) {
    std::copy_n(d.begin() + 1, kFrameDataSize, out.frameData.begin());

    // 1. Characters of both displays.
    char main[4];
    char sub[4];
    for (std::size_t i = 0; i < 4; ++i) {
        main[i] = SegmentToChar(static_cast<std::uint8_t>(d[3 + i] & ~kPointBit));
        sub[i] = SegmentToChar(static_cast<std::uint8_t>(d[8 + i] & ~kPointBit));
    }

    // 2. Function codes, assembled from the annunciator bits.
    std::uint32_t mainCode = Put(Bit(d[1], 4), 0) | Put(Bit(d[1], 5), 1) | Put(Bit(d[14], 5), 2) |
                             Put(Bit(d[14], 0), 3) | Put(Bit(d[13], 5), 7) | Put(Bit(d[7], 0), 8) |
                             Put(Bit(d[14], 4), 9) | Put(Bit(d[13], 4), 10) |
                             Put(Bit(d[14], 2), 11) | Put(Bit(d[14], 1), 12) |
                             Put(Bit(d[6], 4), 13) | Put(Bit(d[2], 3), 14) | Put(Bit(d[2], 0), 15) |
                             Put(Bit(d[7], 3), 31);
    // The variant mark only exists for volts AC and DC.
    const std::uint32_t mainFunction0 = mainCode & kFunctionMask;
    if ((mainFunction0 == FunctionCodes::VoltAc || mainFunction0 == FunctionCodes::VoltDc) &&
        Bit(d[15], 3)) {
        mainCode |= FunctionCodes::VariantBit;
    }
    if (main[3] == 'C') {
        mainCode |= FunctionCodes::Celsius;
    }
    if (main[3] == 'F') {
        mainCode |= FunctionCodes::Fahrenheit;
    }

    std::uint32_t subCode = Put(Bit(d[7], 6), 0) | Put(Bit(d[7], 7), 1) | Put(Bit(d[12], 4), 2) |
                            Put(Bit(d[12], 0), 3) | Put(Bit(d[13], 1), 7) | Put(Bit(d[12], 5), 9) |
                            Put(Bit(d[13], 0), 10) | Put(Bit(d[12], 1), 12) |
                            Put(Bit(d[7], 1), 14) | Put(Bit(d[7], 2), 15);
    if (sub[3] == 'C') {
        subCode |= FunctionCodes::Celsius;
    }
    if (sub[3] == 'F') {
        subCode |= FunctionCodes::Fahrenheit;
    }
    const std::uint32_t mainFunction = mainCode & kFunctionMask;
    const std::uint32_t subFunction = subCode & kFunctionMask;

    // 3. Prefix exponents.
    const int mainExponent = MainExponent(d[13], d[14]);
    const int subExponent = SubExponent(d[12], d[13]);

    // 4. Signs.
    const bool mainNegative = Bit(d[2], 7);
    const bool subNegative = Bit(d[7], 5);

    // Rendering.
    const unsigned mainPoint =
        (Bit(d[3], 4) ? 4u : 0u) | (Bit(d[4], 4) ? 2u : 0u) | (Bit(d[5], 4) ? 1u : 0u);
    const unsigned subPoint =
        (Bit(d[8], 4) ? 4u : 0u) | (Bit(d[9], 4) ? 2u : 0u) | (Bit(d[10], 4) ? 1u : 0u);
    char mainBuf[8];
    char subBuf[8];
    const std::string_view mainText = RenderText(main, mainPoint, mainNegative, mainBuf);
    const std::string_view subText = RenderText(sub, subPoint, subNegative, subBuf);

    out.mainNegative = mainNegative ? 1 : 0;
    out.mainText.assign(mainText);
    out.mainPrefixExponent.assign(ExponentText(mainExponent));
    out.mainCode = mainCode;
    out.subNegative = subNegative ? 1 : 0;
    out.subText.assign(subText);
    out.subPrefixExponent.assign(ExponentText(subExponent));
    out.subCode = subCode;

    const std::string_view mainPrefix = PrefixLabel(mainExponent);
    const std::string_view subPrefix = PrefixLabel(subExponent);
    const std::string_view mainUnit = UnitLabel(mainFunction);
    const std::string_view subUnit = UnitLabel(subFunction);
    out.mainPrefixLabel.assign(mainPrefix);
    out.subPrefixLabel.assign(subPrefix);
    out.mainUnitLabel.assign(mainUnit);
    out.subUnitLabel.assign(subUnit);
    out.mainFunction = mainFunction;
    out.subFunction = subFunction;
    out.mainModeLabel.assign(MainModeLabel(mainFunction));

    // Main display line: decibel shows its unit first so that dBm reads "dB" "m";
    // decibel with the ohm annunciator shows the unit alone in the second part.
    out.mainDisplayLine.text.assign(mainText);
    if (mainFunction == FunctionCodes::Decibel) {
        out.mainDisplayLine.part1.assign(mainUnit);
        out.mainDisplayLine.part2.assign(mainPrefix);
    } else if (mainFunction == FunctionCodes::DecibelOhm) {
        out.mainDisplayLine.part1.clear();
        out.mainDisplayLine.part2.assign(mainUnit);
    } else {
        out.mainDisplayLine.part1.assign(mainPrefix);
        out.mainDisplayLine.part2.assign(mainUnit);
    }

    // Sub display line: blank while the sub display shows no function.
    if (subFunction != 0) {
        out.subDisplayLine.text.assign(subText);
        out.subDisplayLine.part1.assign(subPrefix);
        out.subDisplayLine.part2.assign(subUnit);
        out.subModeLabel.assign(SubModeLabel(subFunction));
    } else {
        out.subDisplayLine.text.clear();
        out.subDisplayLine.part1.clear();
        out.subDisplayLine.part2.clear();
        out.subModeLabel.clear();
    }

    out.lowBattery = (mainCode & kLowBatteryBit) != 0 ? 1 : 0;
}

void DecodeReply(std::span<const std::uint8_t, kReplySize> reply, LiveReading& out) {
    std::copy(reply.begin(), reply.end(), out.replyCopy.begin());
    const std::array<std::uint8_t, kDataBytes> data = ExtractDataBytes(reply);
    DecodeForDisplay(data, out);
}

} // namespace telmora
