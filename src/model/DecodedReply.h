#pragma once

#include "model/Measurement.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace telmora {

constexpr std::size_t kReplySize = 27;     // three 9-byte input reports
constexpr std::size_t kReportSize = 9;     // report number + 8 data bytes
constexpr std::size_t kDataBytes = 24;     // D0..D23
constexpr std::size_t kFrameDataSize = 20; // D1..D20

// One decoded meter reply: the measurements of the main and the sub display, the
// low-battery annunciator and the bytes it was decoded from (the recorder and the
// windows that show the raw frame keep them).
struct DecodedReply {
    std::array<std::uint8_t, kReplySize> replyCopy{};
    std::array<std::uint8_t, kFrameDataSize> frameData{}; // D1..D20
    Measurement main;
    Measurement sub;
    bool lowBattery = false;
};

} // namespace telmora
