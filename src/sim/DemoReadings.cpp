#include "sim/DemoReadings.h"

#include "model/decode.h"
#include "sim/DisplayEncoder.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <numbers>
#include <string>

namespace telmora {

namespace {

constexpr double kCycleSecondsPerFunction = 5.0;
constexpr double kTwoPi = 2 * std::numbers::pi;

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

// Measurement noise in [-1, 1] from two bytes of the noise value (`part` 0 or 1):
// the sum of two uniform values, so small deviations are the common ones.
double jitter(std::uint32_t noise, int part) {
    const std::uint32_t bits = noise >> (16 * part);
    return ((bits & 0xFF) + ((bits >> 8) & 0xFF)) / 255.0 - 1.0;
}

void show(DesiredDisplay& display, const std::string& text, MeterFunction function, int exponent) {
    SetDisplayText(text, display);
    display.setFunction(function);
    display.prefixExponent = exponent;
}

std::array<std::uint8_t, kDataBytes> encode(const DesiredReading& reading) {
    const std::array<std::uint8_t, kReplySize> reply = EncodeDisplay(reading);
    return ExtractDataBytes(reply);
}

// The demo meter's functions. `t` is the time since the function was chosen
// (0..60 s), `round` counts the times the meter has been round all of them.
using F = MeterFunction;

// A 1.5 V cell under load: a quick sag, then a slow steady fall; every round
// starts a little lower.
void batteryVolts(DesiredReading& r, double t, int round, std::uint32_t noise) {
    const double start = 1.534 - 0.012 * (round % 20);
    const double volts = start - 0.008 * (1 - std::exp(-t / 6)) - 0.00035 * t;
    show(r.main, displayText(volts + 0.0015 * jitter(noise, 0), 3), F::VoltsDc, 0);
}

// The mains: the voltage drifts by a volt or two, the frequency by a few
// hundredths of a hertz.
void mainsVolts(DesiredReading& r, double t, std::uint32_t noise) {
    const double volts = 230.4 + 1.2 * std::sin(kTwoPi * t / 37) +
                         0.5 * std::sin(kTwoPi * t / 11 + 1) + 0.15 * jitter(noise, 0);
    const double hertz = 50.0 + 0.015 * std::sin(kTwoPi * t / 23) + 0.01 * jitter(noise, 1);
    show(r.main, displayText(volts, 1), F::VoltsAc, 0);
    show(r.sub, displayText(hertz, 2), F::Frequency, 0);
}

// A 4.7 k resistor warming up under load; for two seconds the probes slip off.
void warmingResistor(DesiredReading& r, double t, std::uint32_t noise) {
    if (t >= 41.0 && t < 43.0) {
        show(r.main, " 0.L ", F::Resistance, 3);
        return;
    }
    const double kiloOhms = 4.702 + 0.088 * (1 - std::exp(-t / 20)) + 0.0012 * jitter(noise, 0);
    show(r.main, displayText(kiloOhms, 3), F::Resistance, 3);
}

// A thermocouple put on something warm: rises and settles at about 64 degrees.
void risingTemperature(DesiredReading& r, double t, std::uint32_t noise) {
    const double celsius = 21.8 + 42.0 * (1 - std::exp(-t / 11)) + 0.12 * jitter(noise, 0);
    show(r.main, displayText(celsius, 1) + "C", F::TemperatureT1Celsius, 0);
}

// A 47 nF capacitor whose reading creeps up while the meter settles.
void capacitor(DesiredReading& r, double t, std::uint32_t noise) {
    const double nanoFarads = 47.12 - 0.3 * std::exp(-t / 9) + 0.015 * jitter(noise, 0);
    show(r.main, displayText(nanoFarads, 2), F::Capacitance, -9);
}

// The charge current of a cell, falling as it fills.
void chargeCurrent(DesiredReading& r, double t, std::uint32_t noise) {
    const double milliAmps = 18.0 + 24.0 * std::exp(-t / 25) + 0.025 * jitter(noise, 0);
    show(r.main, displayText(milliAmps, 2), F::CurrentDc, -3);
}

// An audio line level in dBm, swelling and fading with the music.
void audioLevel(DesiredReading& r, double t, std::uint32_t noise) {
    const double dbm = -6.0 + 1.5 * std::sin(kTwoPi * t / 17) + 0.8 * std::sin(kTwoPi * t / 41) +
                       0.025 * jitter(noise, 0);
    show(r.main, displayText(dbm, 2), F::DecibelMilliwatt, -3);
}

} // namespace

std::array<std::uint8_t, kDataBytes> DemoDisplayData(double seconds, std::uint32_t noise,
                                                     bool lowBattery) {
    DesiredReading r;
    r.lowBattery = lowBattery;
    seconds = std::max(seconds, 0.0);
    const auto step = static_cast<long long>(seconds / kDemoSecondsPerFunction);
    const double t = seconds - static_cast<double>(step) * kDemoSecondsPerFunction;
    const int round = static_cast<int>(step / kDemoFunctions);
    switch (static_cast<int>(step % kDemoFunctions)) {
    case 0:
        batteryVolts(r, t, round, noise);
        break;
    case 1:
        mainsVolts(r, t, noise);
        break;
    case 2:
        warmingResistor(r, t, noise);
        break;
    case 3:
        risingTemperature(r, t, noise);
        break;
    case 4:
        capacitor(r, t, noise);
        break;
    case 5:
        chargeCurrent(r, t, noise);
        break;
    default:
        audioLevel(r, t, noise);
        break;
    }
    return encode(r);
}

std::array<std::uint8_t, kDataBytes> CycleDisplayData(double seconds, std::uint32_t noise,
                                                      bool lowBattery) {
    DesiredReading r;
    r.lowBattery = lowBattery;
    const double phaseTime = std::fmod(seconds, kCycleSecondsPerFunction);
    const int function = static_cast<int>(seconds / kCycleSecondsPerFunction) % kDemoFunctions;
    switch (function) {
    case 0: // DC volts of a small supply, with noise in the last digit
        show(r.main, displayText(12.34 + 0.01 * wobble(noise, 2), 2), F::VoltsDc, 0);
        break;
    case 1: // mains AC volts with the frequency on the sub display
        show(r.main, displayText(230.1 + 0.1 * wobble(noise, 3), 1), F::VoltsAc, 0);
        show(r.sub, displayText(50.00 + 0.01 * wobble(noise >> 8, 1), 2), F::Frequency, 0);
        break;
    case 2: // a 4.7 k resistor; the probes come off for a moment: overload
        if (phaseTime > 3.5)
            show(r.main, " 0.L ", F::Resistance, 3);
        else
            show(r.main, displayText(4.702 + 0.001 * wobble(noise, 1), 3), F::Resistance, 3);
        break;
    case 3: // temperature input T1 in degrees Celsius, warming slowly
        show(r.main, displayText(23.5 + 0.2 * phaseTime + 0.1 * wobble(noise, 1), 1) + "C",
             F::TemperatureT1Celsius, 0);
        break;
    case 4: // a 47 nF capacitor
        show(r.main, displayText(47.21 + 0.01 * wobble(noise, 2), 2), F::Capacitance, -9);
        break;
    case 5: // DC current in milliamps
        show(r.main, displayText(12.45 + 0.01 * wobble(noise, 3), 2), F::CurrentDc, -3);
        break;
    default: // dBm (decibel with the milli annunciator)
        show(r.main, displayText(-3.21 + 0.01 * wobble(noise, 2), 2), F::DecibelMilliwatt, -3);
        break;
    }
    return encode(r);
}

} // namespace telmora
