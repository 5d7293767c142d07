#pragma once

#include "meter/LiveSource.h"
#include "model/Measurement.h"

#include <string_view>

namespace telmora {

// A live source whose state the test sets: linked or not, whether the last poll
// brought a reading, and the reading.
struct FakeLiveSource final : LiveSource {
    bool linked = false;
    bool valid = false;
    DecodedReply reading;
    std::uint64_t count = 0;

    bool isLinked() const override { return linked; }
    bool readingValid() const override { return valid; }
    DecodedReply latestReading() const override { return reading; }
    std::uint64_t readingCount() const override { return count; }

    // A new reading arrives: the main display shows `text` in function `code` (0x6
    // volts DC, 0x202 amperes DC, 0x80 ohms).
    void deliver(std::string_view text, std::uint32_t code = 0x6) {
        linked = true;
        valid = true;
        reading = DecodedReply{};
        reading.main = MeasureDisplay(text, false, code, 0, DisplayKind::Main);
        ++count;
    }
};

} // namespace telmora
