#pragma once
// Follows one run of a recording against its RecordingTrigger: while the start is
// awaited every sample is offered and none kept, until the first one that meets
// the start; from then on it tells when the stop has come. The recorder's ticks
// and the command line's log lines go through it alike.

#include "model/RecordingTrigger.h"

#include <cstdint>
#include <optional>

namespace telmora {

class TriggerWatch {
public:
    // A new run begins at `nowMs` (ms since the epoch; `nowSecondOfDay` is its
    // local time of day): a start at a time of day waits for the next time the
    // clock shows it, today or tomorrow.
    void arm(const RecordingTrigger& trigger, std::int64_t nowMs, int nowSecondOfDay);
    // The run is over (stopped by hand or by its trigger): nothing is awaited.
    void disarm();

    bool waiting() const { return m_waiting; }
    const RecordingTrigger& trigger() const { return m_trigger; }

    // While waiting: the samples of one moment, meter by meter, then the moment
    // itself (always, also once running: it marks when the run began). The run
    // starts at the first reading that crosses the start level, or at the first
    // moment at or after the start time. Readings without a value change nothing.
    void offer(int meter, const TypedReading& reading);
    void offerTime(std::int64_t nowMs);

    // Once running: the duration is over at `nowMs` (the sample of that moment is
    // not kept).
    bool durationOver(std::int64_t nowMs) const;
    // The milliseconds left of the duration at `nowMs` (0 once it is over).
    std::int64_t durationLeft(std::int64_t nowMs) const;
    // A sample of `meter` was kept: true when the run stops after it (the number of
    // samples is reached; the stop condition holds for that reading). With several
    // meters samples are counted for the meter `countedMeter` only.
    bool kept(int meter, const TypedReading& reading, int countedMeter = 0);

private:
    void begin(std::int64_t nowMs);

    RecordingTrigger m_trigger;
    bool m_waiting = false;
    std::int64_t m_startAtMs = 0;  // a start at a time of day
    std::int64_t m_startedMs = -1; // when the run began keeping samples
    std::int64_t m_kept = 0;
    std::optional<bool> m_beyond; // the start meter's last value lay beyond the level
};

} // namespace telmora
