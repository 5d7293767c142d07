#include "model/TriggerCondition.h"

#include "model/LimitTest.h"
#include "model/trimming.h"

#include <array>
#include <charconv>
#include <cmath>

namespace telmora {

namespace {

// The units readings carry, and what may be typed for them.
struct UnitName {
    std::string_view typed;
    std::string_view unit;
};
constexpr std::array<UnitName, 17> kUnits{{
    {"V", "V"},
    {"A", "A"},
    {"\u03A9", "\u03A9"},
    {"\u2126", "\u03A9"}, // the ohm sign some keyboards type
    {"ohm", "\u03A9"},
    {"Ohm", "\u03A9"},
    {"Hz", "Hz"},
    {"F", "F"},
    {"S", "S"},
    {"\u00B0C", "\u00B0C"},
    {"degC", "\u00B0C"},
    {"\u00B0F", "\u00B0F"},
    {"degF", "\u00B0F"},
    {"dBm", "dBm"},
    {"%", "%"},
    {"W", "W"},
    {"VA", "VA"},
}};

std::optional<std::string_view> unitOf(std::string_view typed) {
    for (const UnitName& name : kUnits)
        if (name.typed == typed)
            return name.unit;
    if (typed == "VAR")
        return typed;
    return std::nullopt;
}

// The length of the SI prefix `text` begins with ("µ" is two bytes), 0 for none.
std::size_t prefixLength(std::string_view text) {
    if (text.starts_with("\u00B5"))
        return 2;
    if (!text.empty() && std::string_view("pnumkMGT").find(text.front()) != std::string_view::npos)
        return 1;
    return 0;
}

std::optional<TriggerCondition> refuse(TriggerError* error, TextId id,
                                       std::vector<long long> numbers = {}) {
    if (error != nullptr)
        *error = {id, std::move(numbers)};
    return std::nullopt;
}

// Reads "5", "2.2k", "5 V", "4.7 kohm" into the condition's level and unit.
bool readLevel(std::string_view text, TriggerCondition& condition, TriggerError* error) {
    const std::size_t end = text.find_first_not_of("+-0123456789.eE");
    const std::string_view number = text.substr(0, end);
    const std::string_view suffix =
        TrimSpacesAndTabs(end == std::string_view::npos ? std::string_view() : text.substr(end));
    // "2,2k" and "five" are numbers written wrongly, not units.
    if (number.empty() || (number.size() < text.size() && text[number.size()] == ',')) {
        refuse(error, TextId::TriggerLevelNotNumber);
        return false;
    }
    std::string_view prefix;
    std::string_view unit;
    if (const std::optional<std::string_view> whole = unitOf(suffix)) {
        unit = *whole; // a unit alone: "F" is farad, "S" siemens
    } else if (const std::size_t length = prefixLength(suffix); length > 0) {
        prefix = suffix.substr(0, length);
        if (length < suffix.size()) {
            const std::optional<std::string_view> named =
                unitOf(TrimSpacesAndTabs(suffix.substr(length)));
            if (!named) {
                refuse(error, TextId::TriggerUnknownUnit);
                return false;
            }
            unit = *named;
        }
    } else if (!suffix.empty()) {
        refuse(error, TextId::TriggerUnknownUnit);
        return false;
    }
    std::string levelText(number);
    levelText += prefix == "\u00B5" ? std::string_view("u") : prefix;
    const std::optional<double> level = ReadPrefixedDecimal(levelText);
    if (!level || !std::isfinite(*level)) {
        refuse(error, TextId::TriggerLevelNotNumber);
        return false;
    }
    condition.level = *level;
    condition.levelText = std::string(number) + std::string(prefix);
    condition.unit = std::string(unit);
    return true;
}

} // namespace

QString TriggerError::text() const {
    return fillNumbers(telmora::text(id),
                       {numbers.empty() ? 0 : numbers[0], numbers.size() < 2 ? 0 : numbers[1]});
}

std::string TriggerError::englishMessage() const {
    return (QStringLiteral("[E%1] ").arg(textNumber(id)) +
            fillNumbers(sourceText(id),
                        {numbers.empty() ? 0 : numbers[0], numbers.size() < 2 ? 0 : numbers[1]}))
        .toStdString();
}

std::optional<bool> TriggerCondition::beyond(const TypedReading& reading) const {
    if (!reading.hasValue() || std::isnan(reading.value))
        return std::nullopt;
    if (!unit.empty() && reading.unit != unit)
        return std::nullopt;
    return direction == TriggerDirection::Above ? reading.value > level : reading.value < level;
}

std::string TriggerCondition::text() const {
    std::string out = "M" + std::to_string(meter + 1);
    out += direction == TriggerDirection::Above ? " > " : " < ";
    out += levelText;
    if (!unit.empty()) {
        // "5 V", "2.2 kΩ": the prefix goes with the unit.
        const std::size_t digits = levelText.find_first_not_of("+-0123456789.eE");
        out.insert(out.size() - levelText.size() + std::min(digits, levelText.size()), " ");
        out += unit;
    }
    return out;
}

std::optional<TriggerCondition> ParseTriggerCondition(std::string_view text, int meters,
                                                      TriggerError* error) {
    text = TrimSpacesAndTabs(text);
    TriggerCondition condition;
    if (text.size() < 2 || (text.front() != 'M' && text.front() != 'm'))
        return refuse(error, TextId::TriggerConditionForm);
    const std::size_t operatorAt = text.find_first_of("<>");
    if (operatorAt == std::string_view::npos)
        return refuse(error, TextId::TriggerConditionForm);
    const std::string_view meterText = TrimSpacesAndTabs(text.substr(1, operatorAt - 1));
    long long meter = 0;
    const auto [end, ec] =
        std::from_chars(meterText.data(), meterText.data() + meterText.size(), meter);
    if (meterText.empty() || ec != std::errc() || end != meterText.data() + meterText.size())
        return refuse(error, TextId::TriggerConditionForm);
    condition.direction =
        text[operatorAt] == '>' ? TriggerDirection::Above : TriggerDirection::Below;
    const std::string_view rest = TrimSpacesAndTabs(text.substr(operatorAt + 1));
    if (rest.empty() || rest.front() == '=' || rest.front() == '<' || rest.front() == '>')
        return refuse(error, TextId::TriggerConditionForm);
    if (meter < 1 || meter > meters)
        return refuse(error, TextId::MathUnknownMeter, {meter, meters});
    condition.meter = static_cast<int>(meter - 1);
    if (!readLevel(rest, condition, error))
        return std::nullopt;
    return condition;
}

} // namespace telmora
