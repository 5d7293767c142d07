#pragma once

#include "model/FixedText.h"

#include <array>
#include <cstdint>

namespace telmora {

constexpr std::size_t kReplySize = 27;     // three 9-byte input reports
constexpr std::size_t kReportSize = 9;     // report number + 8 data bytes
constexpr std::size_t kDataBytes = 24;     // D0..D23
constexpr std::size_t kFrameDataSize = 20; // D1..D20

// One display line as the windows show it: the text and two unit parts.
struct DisplayLine {
    FixedText<16> text;
    FixedText<8> part1;
    FixedText<8> part2;
};

// The newest decoded reading, as published by the acquisition thread.
// Plain data: readers copy what they need under ReadingLock.
struct LiveReading {
    std::array<std::uint8_t, kReplySize> replyCopy{};
    std::array<std::uint8_t, kFrameDataSize> frameData{}; // D1..D20
    std::uint8_t mainNegative = 0;
    FixedText<16> mainText;
    FixedText<8> mainPrefixExponent; // "-9", "-6", "-3", "0", "3", "6"
    std::uint32_t mainCode = 0;      // as assembled, bit 31 = low battery
    std::uint8_t subNegative = 0;
    FixedText<16> subText;
    FixedText<8> subPrefixExponent;
    std::uint32_t subCode = 0;
    FixedText<8> mainPrefixLabel;
    FixedText<8> subPrefixLabel;
    FixedText<8> mainUnitLabel;
    FixedText<8> subUnitLabel;
    std::uint32_t mainFunction = 0; // main code with bit 31 cleared
    std::uint32_t subFunction = 0;  // sub code with bit 31 cleared
    FixedText<8> mainModeLabel;
    DisplayLine mainDisplayLine;
    FixedText<8> subModeLabel;
    DisplayLine subDisplayLine;
    std::uint8_t lowBattery = 0;
};

} // namespace telmora
