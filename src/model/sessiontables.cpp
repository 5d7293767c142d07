#include "model/sessiontables.h"

#include "model/functiontable.h"

#include <cstddef>
#include <initializer_list>
#include <span>

namespace telmora {

namespace {

using F = MeterFunction;

// One kind of session: the functions and range classes of its main and sub display.
struct KindRow {
    MeterFunction main;
    int mainClass;
    MeterFunction sub;
    int subClass;
};

// The main and sub function and range class of each kind, by session type.
constexpr KindRow kVoltsWithFrequency[] = {{F::VoltsAc, 1, F::Frequency, 7},
                                           {F::Frequency, 7, F::VoltsAc, 1}};
constexpr KindRow kVolts[] = {
    {F::VoltsDc, 2, F::None, 0}, {F::VoltsDc, 2, F::VoltsAc, 1}, {F::VoltsDcAc, 3, F::VoltsAc, 1}};
constexpr KindRow kMillivolts[] = {{F::VoltsDcVariant, 5, F::None, 0},
                                   {F::VoltsDcVariant, 5, F::VoltsAcVariant, 4},
                                   {F::VoltsDcAc, 6, F::VoltsAcVariant, 4},
                                   {F::Frequency, 7, F::None, 0},
                                   {F::DutyCycle, 8, F::None, 0}};
constexpr KindRow kMillivoltsWithFrequency[] = {{F::VoltsAcVariant, 4, F::Frequency, 7},
                                                {F::Frequency, 7, F::VoltsAcVariant, 4}};
constexpr KindRow kResistance[] = {{F::Resistance, 9, F::None, 0},
                                   {F::ResistanceAlternate, 10, F::None, 0},
                                   {F::Conductance, 11, F::None, 0}};
// Temperature inputs T1, T2 and T1-T2; the session flags add the degree letter.
constexpr KindRow kTemperature[] = {{F::TemperatureT1, 23, F::None, 0},
                                    {F::TemperatureT2, 23, F::None, 0},
                                    {F::TemperatureT1, 23, F::TemperatureT2, 23},
                                    {F::TemperatureT1MinusT2, 23, F::TemperatureT2, 23}};
constexpr KindRow kCapacitance[] = {{F::Capacitance, 12, F::None, 0}, {F::Volts, 13, F::None, 0}};
// Flag bit 5 selects the larger current ranges (classes 14..16 instead of 17..19).
constexpr KindRow kLargeCurrent[] = {{F::CurrentDc, 15, F::None, 0},
                                     {F::CurrentDc, 15, F::CurrentAc, 14},
                                     {F::CurrentDcAc, 16, F::CurrentAc, 14},
                                     {F::CurrentAc, 14, F::Frequency, 7}};
constexpr KindRow kSmallCurrent[] = {{F::CurrentDc, 18, F::None, 0},
                                     {F::CurrentDc, 18, F::CurrentAc, 17},
                                     {F::CurrentDcAc, 19, F::CurrentAc, 17},
                                     {F::CurrentAc, 17, F::Frequency, 7}};
constexpr KindRow kMicroamperes[] = {{F::CurrentDc, 21, F::None, 0},
                                     {F::CurrentDc, 21, F::CurrentAc, 20},
                                     {F::CurrentDcAc, 22, F::CurrentAc, 20},
                                     {F::CurrentAc, 20, F::Frequency, 7}};

using KindTable = std::span<const KindRow>;

constexpr std::uint8_t kTemperatureType = 6;

KindTable KindsOfType(std::uint8_t type, bool largeCurrent) {
    switch (type) {
    case 1:
        return kVoltsWithFrequency;
    case 2:
        return kVolts;
    case 3:
        return kMillivolts;
    case 4:
        return kMillivoltsWithFrequency;
    case 5:
        return kResistance;
    case kTemperatureType:
        return kTemperature;
    case 7:
        return kCapacitance;
    case 8:
        return largeCurrent ? KindTable(kLargeCurrent) : KindTable(kSmallCurrent);
    case 9:
        return kMicroamperes;
    default:
        return {};
    }
}

// A temperature input with its degree letter.
MeterFunction WithDegreeLetter(MeterFunction input, bool fahrenheit) {
    switch (input) {
    case F::TemperatureT1:
        return fahrenheit ? F::TemperatureT1Fahrenheit : F::TemperatureT1Celsius;
    case F::TemperatureT2:
        return fahrenheit ? F::TemperatureT2Fahrenheit : F::TemperatureT2Celsius;
    case F::TemperatureT1MinusT2:
        return fahrenheit ? F::TemperatureT1MinusT2Fahrenheit : F::TemperatureT1MinusT2Celsius;
    default:
        return input;
    }
}

} // namespace

SessionFunctions SessionFunctionTable(std::uint8_t type, std::uint8_t kind, std::uint8_t flags) {
    const bool fahrenheit = (flags & SessionFlag::Variant4) != 0;
    const bool largeCurrent = (flags & SessionFlag::Variant5) != 0;
    const KindTable kinds = KindsOfType(type, largeCurrent);
    if (kind >= kinds.size()) {
        return {};
    }
    KindRow row = kinds[kind];
    if (type == kTemperatureType) {
        // Every temperature the session holds carries the degree letter of its flags.
        row.main = WithDegreeLetter(row.main, fahrenheit);
        row.sub = WithDegreeLetter(row.sub, fahrenheit);
    }
    return {FunctionCodeOf(row.main), row.mainClass, FunctionCodeOf(row.sub), row.subClass};
}

int DecimalExponentTable(int rangeClass, int rangeCode) {
    // Each row lists the exponents of R = 0, 1, ...; codes past the row give 0.
    auto pick = [rangeCode](std::initializer_list<int> row) {
        if (rangeCode < 0 || static_cast<std::size_t>(rangeCode) >= row.size()) {
            return 0;
        }
        return row.begin()[rangeCode];
    };
    switch (rangeClass) {
    case 1:
    case 2:
    case 3:
        return pick({0, 1, 2, 3});
    case 4:
    case 5:
    case 6:
        return pick({-2, -1});
    case 7:
        return pick({0, 1, 2, 3, 4, 5, 6});
    case 8:
        return pick({1, 2});
    case 9:
    case 10:
        return pick({2, 3, 4, 5, 6, 7});
    case 11:
        return 1;
    case 12:
        return pick({-2, -1, 0, 1, 2, 3, 4});
    case 13:
        return 0;
    case 14:
    case 15:
    case 16:
        return pick({0, 1});
    case 17:
    case 18:
    case 19:
        return pick({-2, -1});
    case 20:
    case 21:
    case 22:
        return pick({-4, -3});
    case 23:
        return 3;
    default:
        return 0;
    }
}

} // namespace telmora
