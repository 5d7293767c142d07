#pragma once

#include "model/DecodedReply.h"

#include <cstdint>

namespace telmora {

// Where the recorder takes its samples from: whether the meter is linked,
// whether the last poll brought a reading, and the newest reading.
class LiveSource {
public:
    virtual ~LiveSource() = default;
    virtual bool isLinked() const = 0;
    virtual bool readingValid() const = 0;
    virtual DecodedReply latestReading() const = 0;
    // How many readings have arrived so far; it only grows, so a sampler that
    // remembers it can tell a fresh reading from one it has already taken.
    virtual std::uint64_t readingCount() const = 0;
};

} // namespace telmora
