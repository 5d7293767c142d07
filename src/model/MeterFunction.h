#pragma once

#include <cstdint>

namespace telmora {

// Every function the meter reports, one enumerator per function code (bit 31, the
// low-battery annunciator, cleared). The order is the order of the codes, which is
// the order of the rows of the function table. `Unknown` stands for any code the
// table has no row for.
enum class MeterFunction : std::uint8_t {
    None,                           // 0x0: the display shows no function
    Volts,                          // 0x4: volts without an AC or DC mark
    VoltsAc,                        // 0x5
    VoltsDc,                        // 0x6
    VoltsDcAc,                      // 0x7
    Capacitance,                    // 0x8
    VoltsLogged,                    // 0x14: volts as some logged sessions store them
    Celsius,                        // 0x20: a bare degree Celsius display
    Fahrenheit,                     // 0x40: a bare degree Fahrenheit display
    Resistance,                     // 0x80
    ResistanceAlternate,            // 0x180: resistance with the second range mark
    CurrentAc,                      // 0x201
    CurrentDc,                      // 0x202
    CurrentDcAc,                    // 0x203
    ApparentPower,                  // 0x205: VA
    Frequency,                      // 0x400
    DutyCycle,                      // 0x800
    Conductance,                    // 0x1000
    DecibelMilliwatt,               // 0x2000: dBm
    DecibelOhms,                    // 0x2080: decibel against a reference impedance
    TemperatureT2,                  // 0x4000: input T2 without a degree letter
    TemperatureT2Celsius,           // 0x4020
    TemperatureT2Fahrenheit,        // 0x4040
    TemperatureT1,                  // 0x8000
    TemperatureT1Celsius,           // 0x8020
    TemperatureT1Fahrenheit,        // 0x8040
    TemperatureT1MinusT2,           // 0xC000
    TemperatureT1MinusT2Celsius,    // 0xC020
    TemperatureT1MinusT2Fahrenheit, // 0xC040
    DutyCyclePercent,               // 0x10800: duty cycle as logged sessions store it
    ReactivePower,                  // 0x20205: VAR
    ActivePower,                    // 0x40001: W
    FrequencySubRange,              // 0x200000: a sub-display frequency range
    VoltsAcVariant,                 // 0x1000005: volts AC with the variant mark
    VoltsDcVariant,                 // 0x1000006: volts DC with the variant mark
    Unknown,                        // a code without a row
};

// Resistance in either of its two range marks: files and exports spell its unit
// "Ohm" where the display shows the letter "W".
constexpr bool IsResistance(MeterFunction function) {
    return function == MeterFunction::Resistance || function == MeterFunction::ResistanceAlternate;
}

// A bare temperature display (no input named): its prefix is the degree sign and
// its unit the scale's letter, drawn side by side.
constexpr bool IsBareTemperature(MeterFunction function) {
    return function == MeterFunction::Celsius || function == MeterFunction::Fahrenheit;
}

} // namespace telmora
