#include "sim/DemoReadings.h"

#include "model/decode.h"
#include "sim/DisplayEncoder.h"

#include <charconv>
#include <cmath>
#include <string>

namespace telmora {

namespace {

constexpr double kSecondsPerFunction = 5.0;
constexpr int kFunctions = 7;

// `value` as the four-digit display shows it, with `decimals` digits after the point.
std::string displayText(double value, int decimals) {
    char buffer[32];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    return std::string(buffer, result.ptr);
}

// A small symmetric wobble of the last digit, from the noise value.
double wobble(std::uint32_t noise, int spread) {
    return static_cast<int>(noise % static_cast<std::uint32_t>(2 * spread + 1)) - spread;
}

void show(DesiredDisplay& display, const std::string& text, std::uint32_t code, int exponent) {
    SetDisplayText(text, display);
    display.code = code;
    display.prefixExponent = exponent;
}

} // namespace

std::array<std::uint8_t, kDataBytes> DemoDisplayData(double seconds, std::uint32_t noise,
                                                     bool lowBattery) {
    using namespace FunctionCodes;
    DesiredReading r;
    r.lowBattery = lowBattery;
    const double phaseTime = std::fmod(seconds, kSecondsPerFunction);
    const int function = static_cast<int>(seconds / kSecondsPerFunction) % kFunctions;
    switch (function) {
    case 0: // DC volts of a small supply, with noise in the last digit
        show(r.main, displayText(12.34 + 0.01 * wobble(noise, 2), 2), VoltDc, 0);
        break;
    case 1: // mains AC volts with the frequency on the sub display
        show(r.main, displayText(230.1 + 0.1 * wobble(noise, 3), 1), VoltAc, 0);
        show(r.sub, displayText(50.00 + 0.01 * wobble(noise >> 8, 1), 2), Frequency, 0);
        break;
    case 2: // a 4.7 k resistor; the probes come off for a moment: overload
        if (phaseTime > 3.5)
            show(r.main, " 0.L ", Resistance, 3);
        else
            show(r.main, displayText(4.702 + 0.001 * wobble(noise, 1), 3), Resistance, 3);
        break;
    case 3: // temperature input T1 in degrees Celsius, warming slowly
        show(r.main, displayText(23.5 + 0.2 * phaseTime + 0.1 * wobble(noise, 1), 1) + "C",
             TempT1 + Celsius, 0);
        break;
    case 4: // a 47 nF capacitor
        show(r.main, displayText(47.21 + 0.01 * wobble(noise, 2), 2), Capacitance, -9);
        break;
    case 5: // DC current in milliamps
        show(r.main, displayText(12.45 + 0.01 * wobble(noise, 3), 2), CurrentDc, -3);
        break;
    default: // dBm (decibel with the milli annunciator)
        show(r.main, displayText(-3.21 + 0.01 * wobble(noise, 2), 2), Decibel, -3);
        break;
    }
    const std::array<std::uint8_t, kReplySize> reply = EncodeDisplay(r);
    return ExtractDataBytes(reply);
}

} // namespace telmora
