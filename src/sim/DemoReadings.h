#pragma once

#include "model/LiveReading.h"

#include <array>
#include <cstdint>

namespace telmora {

// The display image (data bytes D0..D23) that the demo meter shows `seconds`
// after it was switched on. It steps through DC volts with noise, AC volts with
// the frequency on the sub display, kilo-ohms (with the open-probe overload now
// and then), temperature T1 in degrees Celsius, capacitance, DC current and dBm,
// a few seconds each. `noise` is a random number that makes the last digits
// wander; `lowBattery` lights the low-battery annunciator.
std::array<std::uint8_t, kDataBytes> DemoDisplayData(double seconds, std::uint32_t noise,
                                                     bool lowBattery);

} // namespace telmora
