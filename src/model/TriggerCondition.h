#pragma once
// A level condition on one meter of a recording, as a trigger uses it: "M1 > 5 V",
// "M2 < 2.2k", "M3 > 4.7 kohm". The meter is named by its place in the recording
// (M1 is the first); the level is a decimal number with "." as point and an
// optional SI prefix (p n u µ m k M G T) and unit. Without a unit any reading of
// the meter is compared; with one, only readings in that unit are. Values are the
// readings' typed SI values, so "5m" and "0.005" are the same level.

#include "model/TypedReading.h"
#include "text/texts.h"

#include <QString>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace telmora {

enum class TriggerDirection { Above, Below };

// Why a trigger's text was refused: a numbered message and the numbers it is
// filled with.
struct TriggerError {
    TextId id = TextId::TriggerConditionForm;
    std::vector<long long> numbers;

    // The message in the user's language (without its number).
    QString text() const;
    // "[E9044] A condition names ..." in English, for the command line.
    std::string englishMessage() const;
};

struct TriggerCondition {
    int meter = 0; // 0 for M1
    TriggerDirection direction = TriggerDirection::Above;
    double level = 0.0;
    std::string levelText; // as written: "5", "2.2k"
    std::string unit;      // the SI unit as readings carry it ("V", "Ω"); empty: any

    // Whether `reading` lies beyond the level (above it for ">", below for "<");
    // nothing when it has no value or is in another unit.
    std::optional<bool> beyond(const TypedReading& reading) const;
    // "M1 > 5 V"
    std::string text() const;

    friend bool operator==(const TriggerCondition&, const TriggerCondition&) = default;
};

// Reads a condition over a recording of `meters` meters; the message on a refusal.
// Blanks between the parts are free: "M1>5V" and "M1 > 5 V" read alike.
std::optional<TriggerCondition> ParseTriggerCondition(std::string_view text, int meters,
                                                      TriggerError* error = nullptr);

} // namespace telmora
