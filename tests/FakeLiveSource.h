#pragma once

#include "meter/LiveSource.h"

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
};

} // namespace telmora
