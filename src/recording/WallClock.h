#pragma once

#include <cstdint>

namespace telmora {

// The date and time a sample was taken: milliseconds since 1970-01-01 00:00 UTC and
// the offset of the local time from UTC at that moment (it changes with daylight
// saving time, so it is kept per sample rather than looked up when exporting).
struct WallClock {
    std::int64_t utcMs = 0;
    std::int32_t utcOffsetSeconds = 0;

    friend bool operator==(const WallClock&, const WallClock&) = default;
};

} // namespace telmora
