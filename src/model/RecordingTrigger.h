#pragma once
// When a recording starts and when it stops by itself. Start: at once, when a
// meter's value crosses a level (TriggerCondition; the previous value lay on the
// other side), or at a time of day. Stop: by hand, after a duration, after a number
// of samples, or at the first sample at which a condition holds.
//
// As text (the recording's manifest, the command line, the trigger dialog):
//   start  ""  |  "M1 > 5 V"  |  "at 14:30"  |  "at 14:30:05"
//   stop   ""  |  "after 10m" (s, m or h)  |  "after 500" (samples)  |  "when M2 < 2.2k"

#include "model/TriggerCondition.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace telmora {

enum class TriggerStart { AtOnce, Condition, ClockTime };
enum class TriggerStop { ByHand, Duration, Samples, Condition };

struct RecordingTrigger {
    TriggerStart start = TriggerStart::AtOnce;
    TriggerCondition startCondition;
    int startSecond = 0; // the time of day, seconds after midnight
    TriggerStop stop = TriggerStop::ByHand;
    std::int64_t durationMs = 0;
    std::int64_t samples = 0;
    std::string durationText; // as written: "10m"
    TriggerCondition stopCondition;

    bool isSet() const { return start != TriggerStart::AtOnce || stop != TriggerStop::ByHand; }
    // The texts described above.
    std::string startText() const;
    std::string stopText() const;
    // What the recording waits for: "M1 > 5 V", "14:30:00"; empty when it starts at once.
    std::string awaitedText() const;

    friend bool operator==(const RecordingTrigger&, const RecordingTrigger&) = default;
};

// "14:30" or "14:30:05" (24 hours); the seconds after midnight.
std::optional<int> ParseClockTime(std::string_view text);
// "HH:MM:SS" of seconds after midnight.
std::string ClockTimeText(int second);

// Reads the stop after a duration ("90s", "10m", "1.5h") or a number of samples
// ("500") into `trigger`; false, with the message, when it is neither.
bool ParseStopAfter(std::string_view text, RecordingTrigger& trigger,
                    TriggerError* error = nullptr);

// Read the start and stop texts into `trigger` for a recording of `meters` meters.
bool ParseStartText(std::string_view text, int meters, RecordingTrigger& trigger,
                    TriggerError* error = nullptr);
bool ParseStopText(std::string_view text, int meters, RecordingTrigger& trigger,
                   TriggerError* error = nullptr);

} // namespace telmora
