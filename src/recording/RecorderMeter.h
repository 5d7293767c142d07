#pragma once

#include "meter/LiveSource.h"
#include "model/DecodedReply.h"

#include <QString>

#include <cstdint>
#include <functional>

namespace telmora {

// Where the recorder gets the meter's readings: whether a link is up, whether the
// newest reading is valid, the newest reading itself and how many readings have
// arrived (empty when the source does not count them).
struct DecodedReplySource {
    std::function<bool()> linked;
    std::function<bool()> readingValid;
    std::function<DecodedReply()> latestReading;
    std::function<std::uint64_t()> readingCount = {};
};

// The three questions asked of a live source (the meter link, or a test's stand-in).
// The source must outlive the recorder that samples it.
inline DecodedReplySource ReadingsOf(const LiveSource& live) {
    return {[&live] { return live.isLinked(); }, [&live] { return live.readingValid(); },
            [&live] { return live.latestReading(); }, [&live] { return live.readingCount(); }};
}

// One meter of a several-meter recording: its name and serial number as the link
// reports them, and where its readings come from.
struct RecorderMeter {
    QString name;
    QString serial;
    DecodedReplySource readings;
};

} // namespace telmora
