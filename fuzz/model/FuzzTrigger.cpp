// Arbitrary texts as a trigger's start, stop and condition: each is read or
// refused with a message, and what is read is written back as a text that reads
// the same.
#include "model/RecordingTrigger.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void check(bool ok) {
    if (!ok)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const int meters = size == 0 ? 1 : 1 + data[0] % 4;
    telmora::TriggerError error;
    if (const std::optional<telmora::TriggerCondition> condition =
            telmora::ParseTriggerCondition(text, meters, &error)) {
        check(condition->meter >= 0 && condition->meter < meters);
        check(telmora::ParseTriggerCondition(condition->text(), meters) == condition);
    }
    telmora::RecordingTrigger trigger;
    if (telmora::ParseStartText(text, meters, trigger)) {
        telmora::RecordingTrigger again;
        check(telmora::ParseStartText(trigger.startText(), meters, again));
        check(again.startText() == trigger.startText());
    }
    if (telmora::ParseStopText(text, meters, trigger)) {
        check(trigger.stop != telmora::TriggerStop::Samples || trigger.samples >= 1);
        check(trigger.stop != telmora::TriggerStop::Duration || trigger.durationMs >= 1);
        telmora::RecordingTrigger again;
        check(telmora::ParseStopText(trigger.stopText(), meters, again));
        check(again.stopText() == trigger.stopText());
    }
    return 0;
}
