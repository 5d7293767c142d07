#pragma once

#include "model/DecodedReply.h"

#include <array>
#include <cstdint>

namespace telmora {

// How long the demo meter stays on each of its functions.
inline constexpr double kDemoSecondsPerFunction = 60.0;
// The number of functions the demo meter goes through before it starts over.
inline constexpr int kDemoFunctions = 7;

// The display image (data bytes D0..D23) that the demo meter shows `seconds`
// after it was switched on. It stays on each function for a minute, with
// readings that change slowly the way real ones do: a battery discharging under
// load (DC volts), the mains (AC volts with the frequency on the sub display), a
// resistor warming up (kilo-ohms, with the probes slipping off once: an
// overload), a temperature T1 in degrees Celsius rising and settling, a
// capacitor, a falling charge current (DC milliamps) and an audio level in dBm.
// `noise` is a random number that makes the last digits wander; `lowBattery`
// lights the low-battery annunciator.
std::array<std::uint8_t, kDataBytes> DemoDisplayData(double seconds, std::uint32_t noise,
                                                     bool lowBattery);

// The quick tour: the same functions with steady readings, a few seconds each
// (handy for looking at every display).
std::array<std::uint8_t, kDataBytes> CycleDisplayData(double seconds, std::uint32_t noise,
                                                      bool lowBattery);

} // namespace telmora
