#include "model/functiontable.h"

#include <algorithm>
#include <array>

namespace telmora {

namespace {

// Rows name only the columns that differ from the defaults of FunctionRow; every
// column has a default member initializer, so the omitted ones are well defined.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

using F = MeterFunction;
using O = OverloadRule;
using L = LoggedDisplay;
using P = PrefixRule;
using A = AnalogRange;
using S = TemperatureScale;
using I = TemperatureInput;

constexpr FunctionRow Volts(std::uint32_t code, F function, Mode mode, Mode subMode, O liveOverload,
                            O liveSubOverload, O loggedOverload, A range, int image) {
    return {.code = code,
            .function = function,
            .liveUnit = "V",
            .loggedUnit = "V",
            .siUnit = "V",
            .mode = mode,
            .liveSubMode = subMode,
            .prefixRule = P::VoltRange,
            .liveOverload = liveOverload,
            .liveSubOverload = liveSubOverload,
            .loggedOverload = loggedOverload,
            .loggedDisplay = L::Volt,
            .analogRange = range,
            .analogImage = image};
}

constexpr FunctionRow Current(std::uint32_t code, F function, Mode mode, Mode subMode,
                              O liveSubOverload) {
    return {.code = code,
            .function = function,
            .liveUnit = "A",
            .loggedUnit = "A",
            .siUnit = "A",
            .mode = mode,
            .liveSubMode = subMode,
            .prefixRule = P::Current,
            .liveOverload = O::Range6_6,
            .liveSubOverload = liveSubOverload,
            .loggedOverload = O::Range6_6,
            .loggedDisplay = L::Current};
}

constexpr FunctionRow Resistance(std::uint32_t code, F function) {
    return {.code = code,
            .function = function,
            .liveUnit = "W",
            .loggedUnit = "W",
            .siUnit = "\u03A9",
            .axisUnit = "(Ohm)",
            .prefixRule = P::Decade,
            .liveOverload = O::Range6_6,
            .loggedOverload = O::Range6_6,
            .loggedDisplay = L::Resistance,
            .ohm = true};
}

// A temperature input; `scale` None is the input without a degree letter.
constexpr FunctionRow Temperature(std::uint32_t code, F function, I input, Mode mode, S scale) {
    const bool celsius = scale == S::Celsius;
    const bool lettered = scale != S::None;
    return {.code = code,
            .function = function,
            .liveUnit = "",
            .loggedUnit = !lettered ? ""
                          : celsius ? "C"
                                    : "F",
            .siUnit = !lettered ? ""
                      : celsius ? "\u00B0C"
                                : "\u00B0F",
            .mode = mode,
            .liveSubMode = mode,
            .loggedDisplay = !lettered ? L::Other
                             : celsius ? L::Celsius
                                       : L::Fahrenheit,
            .scale = scale,
            .input = input,
            .analogRange = lettered ? A::SixCounts : A::Temperature,
            .analogImage = 200};
}

// A function known only from logged sessions: its unit text and prefix rule.
constexpr FunctionRow Logged(std::uint32_t code, F function, std::string_view unit, P prefixRule,
                             int image = 60) {
    return {.code = code,
            .function = function,
            .loggedUnit = unit,
            .siUnit = unit,
            .prefixRule = prefixRule,
            .analogImage = image};
}

constexpr std::array kRows = {
    FunctionRow{.code = 0x0, .function = F::None, .liveUnit = ""},
    FunctionRow{.code = 0x4,
                .function = F::Volts,
                .liveUnit = "V",
                .loggedUnit = "V",
                .siUnit = "V",
                .liveOverload = O::Range6_6,
                .loggedDisplay = L::Volt},
    Volts(0x5, F::VoltsAc, Mode::Ac, Mode::Ac, O::Range10_9989, O::Range6_6, O::Range10_9989,
          A::Decade, 100),
    Volts(0x6, F::VoltsDc, Mode::Dc, Mode::None, O::Range10_9989, O::None, O::Range10_9989,
          A::Decade, 100),
    Volts(0x7, F::VoltsDcAc, Mode::DcAc, Mode::None, O::Range10_9989, O::None, O::Range10_9989,
          A::Decade, 100),
    FunctionRow{.code = 0x8,
                .function = F::Capacitance,
                .liveUnit = "F",
                .loggedUnit = "F",
                .siUnit = "F",
                .axisUnit = "(uF)",
                .prefixRule = P::Capacitance,
                .valueExponent = -6,
                .liveOverload = O::Range6_6,
                .loggedDisplay = L::Capacitance,
                .analogRange = A::Capacitance,
                .comparatorScale = 1e6},
    FunctionRow{.code = 0x14,
                .function = F::VoltsLogged,
                .loggedUnit = "V",
                .siUnit = "V",
                .loggedDisplay = L::Volt},
    FunctionRow{.code = 0x20,
                .function = F::Celsius,
                .loggedUnit = "C",
                .siUnit = "\u00B0C",
                .scale = S::Celsius,
                .analogImage = 200},
    FunctionRow{.code = 0x40,
                .function = F::Fahrenheit,
                .loggedUnit = "F",
                .siUnit = "\u00B0F",
                .scale = S::Fahrenheit,
                .analogImage = 200},
    Resistance(0x80, F::Resistance),
    Resistance(0x180, F::ResistanceAlternate),
    Current(0x201, F::CurrentAc, Mode::Ac, Mode::Ac, O::Range6_6),
    Current(0x202, F::CurrentDc, Mode::Dc, Mode::None, O::None),
    Current(0x203, F::CurrentDcAc, Mode::DcAc, Mode::None, O::None),
    Logged(0x205, F::ApparentPower, "VA", P::Power, 100),
    FunctionRow{.code = 0x400,
                .function = F::Frequency,
                .liveUnit = "Hz",
                .loggedUnit = "Hz",
                .siUnit = "Hz",
                .prefixRule = P::Decade,
                .liveOverload = O::Range10_9989,
                .liveSubOverload = O::Range10_9989,
                .loggedOverload = O::Range10_9989,
                .loggedDisplay = L::Frequency,
                .analogRange = A::Decade,
                .analogImage = 100},
    FunctionRow{.code = 0x800,
                .function = F::DutyCycle,
                .liveUnit = "%",
                .loggedUnit = "%",
                .siUnit = "%",
                .liveOverload = O::Percent110,
                .loggedOverload = O::Percent110,
                .loggedDisplay = L::Frequency,
                .analogRange = A::Decade,
                .analogImage = 100},
    FunctionRow{.code = 0x1000,
                .function = F::Conductance,
                .liveUnit = "S",
                .loggedUnit = "S",
                .siUnit = "S",
                .axisUnit = "(nS)",
                .prefixRule = P::Nano,
                .valueExponent = -9,
                .liveOverload = O::Range10_9989,
                .loggedOverload = O::Range10_9989,
                .loggedDisplay = L::Conductance,
                .analogRange = A::Decade,
                .analogImage = 100,
                .comparatorScale = 1e9},
    FunctionRow{.code = 0x2000,
                .function = F::DecibelMilliwatt,
                .liveUnit = "dB",
                .loggedUnit = "m",
                .siUnit = "dBm",
                .axisUnit = "(dBm)",
                .prefixRule = P::Milli,
                .liveOverload = O::Decibel1100,
                .loggedOverload = O::Decibel1100,
                .decibel = true,
                .analogRange = A::Decade,
                .analogImage = 100,
                .comparatorScale = 1e3},
    FunctionRow{.code = 0x2080,
                .function = F::DecibelOhms,
                .liveUnit = "W",
                .loggedUnit = "W",
                .siUnit = "\u03A9",
                .axisUnit = "(Ohm)",
                .liveOverload = O::Range6_6,
                .decibel = true,
                .ohm = true,
                .analogRange = A::Decade},
    Temperature(0x4000, F::TemperatureT2, I::T2, Mode::T2, S::None),
    Temperature(0x4020, F::TemperatureT2Celsius, I::T2, Mode::T2, S::Celsius),
    Temperature(0x4040, F::TemperatureT2Fahrenheit, I::T2, Mode::T2, S::Fahrenheit),
    Temperature(0x8000, F::TemperatureT1, I::T1, Mode::T1, S::None),
    Temperature(0x8020, F::TemperatureT1Celsius, I::T1, Mode::T1, S::Celsius),
    Temperature(0x8040, F::TemperatureT1Fahrenheit, I::T1, Mode::T1, S::Fahrenheit),
    Temperature(0xC000, F::TemperatureT1MinusT2, I::T1MinusT2, Mode::T1MinusT2, S::None),
    Temperature(0xC020, F::TemperatureT1MinusT2Celsius, I::T1MinusT2, Mode::T1MinusT2, S::Celsius),
    Temperature(0xC040, F::TemperatureT1MinusT2Fahrenheit, I::T1MinusT2, Mode::T1MinusT2,
                S::Fahrenheit),
    Logged(0x10800, F::DutyCyclePercent, "%", P::VoltRange),
    Logged(0x20205, F::ReactivePower, "VAR", P::Power),
    Logged(0x40001, F::ActivePower, "W", P::Power),
    FunctionRow{
        .code = 0x200000, .function = F::FrequencySubRange, .liveSubOverload = O::Range10_9989},
    Volts(0x1000005, F::VoltsAcVariant, Mode::Ac, Mode::None, O::Range6_6, O::None, O::Range6_6,
          A::SixCounts, 60),
    Volts(0x1000006, F::VoltsDcVariant, Mode::Dc, Mode::None, O::Range6_6, O::None, O::Range6_6,
          A::SixCounts, 60),
    FunctionRow{.function = F::Unknown},
};

#pragma GCC diagnostic pop

// Rows are in code order and in the order of MeterFunction, so a function is found
// by its index.
constexpr bool RowsInOrder() {
    for (std::size_t i = 0; i < kRows.size(); ++i) {
        if (static_cast<std::size_t>(kRows[i].function) != i)
            return false;
        if (i + 2 < kRows.size() && kRows[i].code >= kRows[i + 1].code)
            return false;
    }
    return kRows.back().function == F::Unknown;
}
static_assert(RowsInOrder());

constexpr std::span<const FunctionRow> kKnownRows(kRows.data(), kRows.size() - 1);

// Codes are found through a perfect hash: a multiplier chosen at compile time sends
// every known code to a bucket of its own, so a lookup is one multiplication and
// one comparison (the live decode looks up both displays of every reply).
constexpr std::size_t kBucketCount = 256;

constexpr std::size_t BucketOf(std::uint32_t code, std::uint32_t multiplier) {
    return static_cast<std::size_t>((code * multiplier) >> 24);
}

constexpr std::uint32_t FindMultiplier() {
    for (std::uint32_t multiplier = 0x9E3779B1u;; multiplier += 0x2A) {
        std::array<bool, kBucketCount> used{};
        bool distinct = true;
        for (const FunctionRow& row : kKnownRows) {
            const std::size_t bucket = BucketOf(row.code, multiplier);
            distinct = distinct && !used[bucket];
            used[bucket] = true;
        }
        if (distinct)
            return multiplier;
    }
}

constexpr std::uint32_t kMultiplier = FindMultiplier();

constexpr std::array<std::uint8_t, kBucketCount> MakeBuckets() {
    std::array<std::uint8_t, kBucketCount> buckets{};
    buckets.fill(static_cast<std::uint8_t>(kRows.size() - 1));
    for (std::size_t i = 0; i < kKnownRows.size(); ++i)
        buckets[BucketOf(kKnownRows[i].code, kMultiplier)] = static_cast<std::uint8_t>(i);
    return buckets;
}

constexpr std::array<std::uint8_t, kBucketCount> kBuckets = MakeBuckets();

} // namespace

std::string_view ModeText(Mode mode) {
    switch (mode) {
    case Mode::Ac:
        return "AC";
    case Mode::Dc:
        return "DC";
    case Mode::DcAc:
        return "DC+AC";
    case Mode::T1:
        return "T1";
    case Mode::T2:
        return "T2";
    case Mode::T1MinusT2:
        return "T1-T2";
    case Mode::None:
        break;
    }
    return "";
}

const FunctionRow& FunctionRowOf(std::uint32_t code) {
    const std::uint32_t c = code & kFunctionMask;
    const FunctionRow& row = kRows[kBuckets[BucketOf(c, kMultiplier)]];
    return row.code == c ? row : kRows.back();
}

const FunctionRow& FunctionRowOf(MeterFunction function) {
    const auto index = static_cast<std::size_t>(function);
    return index < kRows.size() ? kRows[index] : kRows.back();
}

MeterFunction MeterFunctionOf(std::uint32_t code) {
    return FunctionRowOf(code).function;
}

std::uint32_t FunctionCodeOf(MeterFunction function) {
    return FunctionRowOf(function).code;
}

std::span<const FunctionRow> FunctionTable() {
    return kRows;
}

} // namespace telmora
