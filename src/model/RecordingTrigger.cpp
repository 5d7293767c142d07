#include "model/RecordingTrigger.h"

#include "model/decimaltext.h"
#include "model/trimming.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace telmora {

namespace {

bool refuseTrigger(TriggerError* error, TextId id) {
    if (error != nullptr)
        *error = {id, {}};
    return false;
}

std::optional<int> twoDigits(std::string_view text, int limit) {
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.size() != 2 || ec != std::errc() || end != text.data() + text.size() || value < 0 ||
        value >= limit)
        return std::nullopt;
    return value;
}

// Text after `word` and a blank, or nothing when `text` does not begin so.
std::optional<std::string_view> after(std::string_view text, std::string_view word) {
    if (!text.starts_with(word) || text.size() <= word.size() ||
        (text[word.size()] != ' ' && text[word.size()] != '\t'))
        return std::nullopt;
    return TrimSpacesAndTabs(text.substr(word.size()));
}

} // namespace

std::string RecordingTrigger::startText() const {
    switch (start) {
    case TriggerStart::AtOnce:
        break;
    case TriggerStart::Condition:
        return startCondition.text();
    case TriggerStart::ClockTime:
        return "at " + ClockTimeText(startSecond);
    }
    return {};
}

std::string RecordingTrigger::stopText() const {
    switch (stop) {
    case TriggerStop::ByHand:
        break;
    case TriggerStop::Duration:
        return "after " + durationText;
    case TriggerStop::Samples:
        return "after " + std::to_string(samples);
    case TriggerStop::Condition:
        return "when " + stopCondition.text();
    }
    return {};
}

std::string RecordingTrigger::awaitedText() const {
    switch (start) {
    case TriggerStart::AtOnce:
        break;
    case TriggerStart::Condition:
        return startCondition.text();
    case TriggerStart::ClockTime:
        return ClockTimeText(startSecond);
    }
    return {};
}

std::optional<int> ParseClockTime(std::string_view text) {
    text = TrimSpacesAndTabs(text);
    if (text.size() != 5 && text.size() != 8)
        return std::nullopt;
    if (text[2] != ':' || (text.size() == 8 && text[5] != ':'))
        return std::nullopt;
    const std::optional<int> hour = twoDigits(text.substr(0, 2), 24);
    const std::optional<int> minute = twoDigits(text.substr(3, 2), 60);
    const std::optional<int> second =
        text.size() == 8 ? twoDigits(text.substr(6, 2), 60) : std::optional<int>(0);
    if (!hour || !minute || !second)
        return std::nullopt;
    return *hour * 3600 + *minute * 60 + *second;
}

std::string ClockTimeText(int second) {
    char out[16];
    std::snprintf(out, sizeof out, "%02d:%02d:%02d", (second / 3600) % 24, (second / 60) % 60,
                  second % 60);
    return out;
}

bool ParseStopAfter(std::string_view text, RecordingTrigger& trigger, TriggerError* error) {
    text = TrimSpacesAndTabs(text);
    if (text.empty())
        return refuseTrigger(error, TextId::TriggerStopAfterForm);
    const char last = text.back();
    if (last >= '0' && last <= '9') {
        long long samples = 0;
        const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), samples);
        if (ec != std::errc() || end != text.data() + text.size() || samples < 1)
            return refuseTrigger(error, TextId::TriggerStopAfterForm);
        trigger.stop = TriggerStop::Samples;
        trigger.samples = samples;
        return true;
    }
    const double unitMs = last == 's' ? 1e3 : last == 'm' ? 60e3 : last == 'h' ? 3600e3 : 0.0;
    const std::optional<double> number =
        ReadDecimal(TrimSpacesAndTabs(text.substr(0, text.size() - 1)));
    // A duration of up to a year, and at least a millisecond.
    if (unitMs == 0.0 || !number || !(*number * unitMs >= 1.0) ||
        *number * unitMs > 366.0 * 86400e3)
        return refuseTrigger(error, TextId::TriggerStopAfterForm);
    trigger.stop = TriggerStop::Duration;
    trigger.durationMs = std::llround(*number * unitMs);
    trigger.durationText = std::string(text);
    return true;
}

bool ParseStartText(std::string_view text, int meters, RecordingTrigger& trigger,
                    TriggerError* error) {
    text = TrimSpacesAndTabs(text);
    if (text.empty()) {
        trigger.start = TriggerStart::AtOnce;
        return true;
    }
    if (const std::optional<std::string_view> clock = after(text, "at")) {
        const std::optional<int> second = ParseClockTime(*clock);
        if (!second)
            return refuseTrigger(error, TextId::TriggerClockTimeForm);
        trigger.start = TriggerStart::ClockTime;
        trigger.startSecond = *second;
        return true;
    }
    std::optional<TriggerCondition> condition = ParseTriggerCondition(text, meters, error);
    if (!condition)
        return false;
    trigger.start = TriggerStart::Condition;
    trigger.startCondition = std::move(*condition);
    return true;
}

bool ParseStopText(std::string_view text, int meters, RecordingTrigger& trigger,
                   TriggerError* error) {
    text = TrimSpacesAndTabs(text);
    if (text.empty()) {
        trigger.stop = TriggerStop::ByHand;
        return true;
    }
    if (const std::optional<std::string_view> amount = after(text, "after"))
        return ParseStopAfter(*amount, trigger, error);
    const std::optional<std::string_view> condition = after(text, "when");
    if (!condition)
        return refuseTrigger(error, TextId::TriggerStopAfterForm);
    std::optional<TriggerCondition> read = ParseTriggerCondition(*condition, meters, error);
    if (!read)
        return false;
    trigger.stop = TriggerStop::Condition;
    trigger.stopCondition = std::move(*read);
    return true;
}

} // namespace telmora
