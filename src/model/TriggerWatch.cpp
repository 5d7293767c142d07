#include "model/TriggerWatch.h"

#include <algorithm>

namespace telmora {

namespace {
constexpr std::int64_t kDayMs = 86400000;
} // namespace

void TriggerWatch::arm(const RecordingTrigger& trigger, std::int64_t nowMs, int nowSecondOfDay) {
    m_trigger = trigger;
    m_beyond.reset();
    m_kept = 0;
    m_startedMs = -1;
    m_waiting = trigger.start != TriggerStart::AtOnce;
    if (trigger.start == TriggerStart::ClockTime) {
        // Milliseconds from now to the start time; a time already past today is tomorrow's.
        const std::int64_t sinceMidnight =
            static_cast<std::int64_t>(nowSecondOfDay) * 1000 + ((nowMs % 1000) + 1000) % 1000;
        std::int64_t until = static_cast<std::int64_t>(trigger.startSecond) * 1000 - sinceMidnight;
        if (until <= 0)
            until += kDayMs;
        m_startAtMs = nowMs + until;
    }
    if (!m_waiting)
        begin(nowMs);
}

void TriggerWatch::disarm() {
    m_waiting = false;
    m_startedMs = -1;
}

void TriggerWatch::begin(std::int64_t nowMs) {
    m_waiting = false;
    m_startedMs = nowMs;
    m_kept = 0;
}

void TriggerWatch::offer(int meter, const TypedReading& reading) {
    if (!m_waiting || m_trigger.start != TriggerStart::Condition ||
        meter != m_trigger.startCondition.meter)
        return;
    const std::optional<bool> beyond = m_trigger.startCondition.beyond(reading);
    if (!beyond)
        return;
    // A crossing: the value before lay on the other side of the level.
    if (*beyond && m_beyond == false)
        m_waiting = false;
    m_beyond = beyond;
}

void TriggerWatch::offerTime(std::int64_t nowMs) {
    if (m_waiting && m_trigger.start == TriggerStart::ClockTime && nowMs >= m_startAtMs)
        m_waiting = false;
    if (!m_waiting && m_startedMs < 0)
        begin(nowMs);
}

bool TriggerWatch::durationOver(std::int64_t nowMs) const {
    return !m_waiting && m_startedMs >= 0 && m_trigger.stop == TriggerStop::Duration &&
           nowMs - m_startedMs >= m_trigger.durationMs;
}

std::int64_t TriggerWatch::durationLeft(std::int64_t nowMs) const {
    if (m_startedMs < 0)
        return m_trigger.durationMs;
    return std::max<std::int64_t>(0, m_startedMs + m_trigger.durationMs - nowMs);
}

bool TriggerWatch::kept(int meter, const TypedReading& reading, int countedMeter) {
    switch (m_trigger.stop) {
    case TriggerStop::ByHand:
    case TriggerStop::Duration:
        return false;
    case TriggerStop::Samples:
        return meter == countedMeter && ++m_kept >= m_trigger.samples;
    case TriggerStop::Condition:
        return meter == m_trigger.stopCondition.meter &&
               m_trigger.stopCondition.beyond(reading).value_or(false);
    }
    return false;
}

} // namespace telmora
