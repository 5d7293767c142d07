#include "sim/DemoLoggerMemory.h"

#include "model/LoggerMemory.h"

#include <cmath>
#include <cstdlib>
#include <functional>
#include <numbers>

namespace telmora {

PackedReading PackStoredReading(UnpackedReading r) {
    return {static_cast<std::uint8_t>(((r.status & 0x0F) << 4) | (r.range & 0x0F)),
            static_cast<std::uint8_t>(r.count & 0xFF), static_cast<std::uint8_t>(r.count >> 8)};
}

std::vector<std::uint8_t> BuildLoggerImage(const std::vector<LoggerSession>& sessions) {
    std::vector<std::uint8_t> image(kLoggerHeaderSize, 0);
    for (const LoggerSession& s : sessions) {
        const bool hasSub = (s.flags & SessionFlag::HasSub) != 0;
        const std::size_t offset = image.size();
        const std::size_t dataLength = s.main.size() * kStoredReadingSize * (hasSub ? 2 : 1);
        const std::size_t next = offset + kSessionHeaderSize + dataLength;
        const MemoryAddress nextAddress = OffsetToMemoryAddress(static_cast<std::ptrdiff_t>(next));
        image.insert(image.end(),
                     {0, 0, 0, 0, 0, nextAddress.low, nextAddress.middle, nextAddress.high, s.type,
                      s.kind, s.flags, static_cast<std::uint8_t>(dataLength & 0xFF),
                      static_cast<std::uint8_t>((dataLength >> 8) & 0xFF),
                      static_cast<std::uint8_t>((dataLength >> 16) & 0xFF)});
        for (std::size_t n = 0; n < s.main.size(); ++n) {
            image.insert(image.end(), s.main[n].begin(), s.main[n].end());
            if (hasSub) {
                const PackedReading sub = n < s.sub.size() ? s.sub[n] : PackedReading{};
                image.insert(image.end(), sub.begin(), sub.end());
            }
        }
    }
    const std::size_t length = image.size();
    image[1] = static_cast<std::uint8_t>(length & 0xFF);
    image[2] = static_cast<std::uint8_t>((length >> 8) & 0xFF);
    image[3] = static_cast<std::uint8_t>((length >> 16) & 0xFF);
    image[4] = static_cast<std::uint8_t>(sessions.size() & 0xFF);
    image[5] = static_cast<std::uint8_t>((sessions.size() >> 8) & 0xFF);
    image.resize(RoundedImageLength(static_cast<std::uint32_t>(length)), 0);
    return image;
}

namespace {

// A small deterministic noise source (the demo must look the same on every run).
class Noise {
public:
    explicit Noise(std::uint32_t seed) : m_state(seed) {}
    // Uniform in [-1, 1].
    double next() {
        m_state = m_state * 1664525u + 1013904223u;
        return static_cast<double>(m_state >> 8) / static_cast<double>(1u << 23) - 1.0;
    }

private:
    std::uint32_t m_state;
};

// A reading of `digits` display counts (negative values set the sign bit) in
// range `range`; counts beyond the display give an overload.
PackedReading Reading(double digits, std::uint8_t range, int maxCount = 9999) {
    UnpackedReading r;
    r.range = range;
    const long count = std::lround(std::fabs(digits));
    if (digits < 0) {
        r.status |= StoredStatus::Negative;
    }
    if (count > maxCount) {
        r.status |= StoredStatus::Overload;
        r.count = 0;
    } else {
        r.count = static_cast<std::uint16_t>(count);
    }
    return PackStoredReading(r);
}

PackedReading Overload(std::uint8_t range) {
    UnpackedReading r;
    r.range = range;
    r.status = StoredStatus::Overload;
    return PackStoredReading(r);
}

LoggerSession Make(std::uint8_t type, std::uint8_t kind, std::uint8_t flags, int samples,
                   const std::function<PackedReading(int)>& main,
                   const std::function<PackedReading(int)>& sub = {}) {
    LoggerSession s;
    s.type = type;
    s.kind = kind;
    s.flags = flags;
    s.main.reserve(static_cast<std::size_t>(samples));
    for (int n = 0; n < samples; ++n) {
        s.main.push_back(main(n));
        if ((flags & SessionFlag::HasSub) != 0) {
            s.sub.push_back(sub ? sub(n) : PackedReading{});
        }
    }
    return s;
}

constexpr double kPi = std::numbers::pi;

// The sessions of the demo memory are appended in groups, in memory order, all
// drawing on one noise source: the order of the groups fixes the noise each
// sample gets.

// Voltage sessions, with frequency and AC parts in the sub display.
void AppendVoltageSessions(std::vector<LoggerSession>& sessions, Noise& noise) {
    // 1: mains voltage (V AC, range 2: 230.0) with its frequency (Hz, range 1: 50.00).
    sessions.push_back(Make(
        1, 0, SessionFlag::HasSub | 3, 120,
        [&](int n) { return Reading(2300 + 25 * std::sin(n / 9.0) + 4 * noise.next(), 2); },
        [&](int) { return Reading(5000 + 3 * noise.next(), 1); }));

    // 2: DC volts at 0.05 s swinging through zero (range 1: 12.34), two overloads.
    sessions.push_back(Make(2, 0, 0, 400, [&](int n) {
        if (n == 151 || n == 152) {
            return Overload(1);
        }
        return Reading(1500 * std::sin(2 * kPi * n / 100.0) + 10 * noise.next(), 1);
    }));

    // 3: millivolts DC (range 0: 12.34 mV) with the AC part in the sub display.
    sessions.push_back(Make(
        3, 1, SessionFlag::HasSub | 4, 150,
        [&](int n) { return Reading(800 * std::cos(n / 12.0) - 200 + 6 * noise.next(), 0); },
        [&](int n) { return Reading(350 + 40 * std::sin(n / 7.0) + 3 * noise.next(), 1); }));

    // 4: AC millivolts with the frequency in the sub display.
    sessions.push_back(Make(
        4, 0, SessionFlag::HasSub | 3, 60,
        [&](int n) { return Reading(4500 + 300 * std::sin(n / 5.0) + 10 * noise.next(), 1); },
        [&](int n) { return Reading(1000 + n * 15 + 2 * noise.next(), 2); }));
}

// Resistance, conductance and temperature sessions.
void AppendResistanceAndTemperatureSessions(std::vector<LoggerSession>& sessions, Noise& noise) {
    // 5: resistance in kilo-ohms (range 1: 1.234 k) warming up, with an open lead.
    sessions.push_back(Make(5, 0, 8, 90, [&](int n) {
        if (n >= 70 && n < 74) {
            return Overload(1);
        }
        return Reading(4700 - 8.5 * n + 3 * noise.next(), 1);
    }));

    // 6: conductance (nanosiemens).
    sessions.push_back(
        Make(5, 2, 4, 20, [&](int n) { return Reading(2345 + 20 * n + 5 * noise.next(), 0); }));

    // 7: T1 in Celsius (025 ... 080), one open thermocouple.
    sessions.push_back(Make(6, 0, 5, 200, [&](int n) {
        if (n == 120) {
            return Overload(0); // shown as ----
        }
        return Reading(25 + 55 * (1 - std::exp(-n / 50.0)) + 0.6 * noise.next(), 0);
    }));

    // 8: a freezer in Fahrenheit: T1 going down to -40 F, T2 in the sub display.
    sessions.push_back(Make(
        6, 2, SessionFlag::HasSub | SessionFlag::Variant4 | 7, 100,
        [&](int n) {
            return Reading(70 - 110 * (1 - std::exp(-n / 25.0)) + 0.5 * noise.next(), 0);
        },
        [&](int n) {
            return Reading(68 - 20 * (1 - std::exp(-n / 40.0)) + 0.5 * noise.next(), 0);
        }));

    // 9: T1-T2 in Celsius with T2 in the sub display.
    sessions.push_back(Make(
        6, 3, SessionFlag::HasSub | 6, 40,
        [&](int n) { return Reading(5 - n * 0.4 + noise.next(), 0); },
        [&](int) { return Reading(21 + 0.5 * noise.next(), 0); }));
}

// Capacitance and current sessions (amperes, milliamperes, microamperes).
void AppendCapacitanceAndCurrentSessions(std::vector<LoggerSession>& sessions, Noise& noise) {
    // 10: capacitance (range 2: 4.700 uF).
    sessions.push_back(
        Make(7, 0, 9, 40, [&](int n) { return Reading(4700 - n * 2 + 4 * noise.next(), 2); }));

    // 11: volts in the capacitance type's second kind.
    sessions.push_back(
        Make(7, 1, 3, 30, [&](int n) { return Reading(3300 - n * 5 + 2 * noise.next(), 0); }));

    // 12: DC+AC current in amperes (larger ranges) with the AC part, one overload.
    sessions.push_back(Make(
        8, 2, SessionFlag::HasSub | SessionFlag::Variant5 | 3, 100,
        [&](int n) {
            if (n == 64) {
                return Overload(0);
            }
            return Reading(1250 + 600 * std::sin(n / 10.0) + 8 * noise.next(), 0);
        },
        [&](int n) { return Reading(420 + 60 * std::sin(n / 6.0) + 4 * noise.next(), 0); }));

    // 13: milliamperes AC with the frequency.
    sessions.push_back(Make(
        8, 3, SessionFlag::HasSub | 4, 50,
        [&](int n) { return Reading(1800 + 120 * std::sin(n / 4.0) + 5 * noise.next(), 1); },
        [&](int) { return Reading(6000 + 5 * noise.next(), 1); }));

    // 14: microamperes DC charging and discharging (negative half), AC in the sub.
    sessions.push_back(Make(
        9, 1, SessionFlag::HasSub | 1, 200,
        [&](int n) { return Reading(2400 * std::sin(2 * kPi * n / 200.0) + 6 * noise.next(), 1); },
        [&](int n) { return Reading(150 + 30 * std::cos(n / 11.0) + 3 * noise.next(), 0); }));
}

// A duty cycle and the long battery discharge.
void AppendDutyCycleAndBatterySessions(std::vector<LoggerSession>& sessions, Noise& noise) {
    // 15: duty cycle.
    sessions.push_back(
        Make(3, 4, 10, 50, [&](int n) { return Reading(5000 + 25 * n + 10 * noise.next(), 0); }));

    // 16: a battery discharge at 0.5 s, 9000 samples (more than one graph in direct
    // mode holds): 1.600 V down to 1.000 V with a knee at the end.
    sessions.push_back(Make(2, 0, 2, 9000, [&](int n) {
        const double x = n / 9000.0;
        const double volts = 1.6 - 0.35 * x - 0.25 * std::pow(x, 8);
        return Reading(volts * 1000 + 2 * noise.next(), 0);
    }));
}

} // namespace

std::vector<LoggerSession> DemoLoggerSessions() {
    std::vector<LoggerSession> sessions;
    Noise noise(20261208u);
    AppendVoltageSessions(sessions, noise);
    AppendResistanceAndTemperatureSessions(sessions, noise);
    AppendCapacitanceAndCurrentSessions(sessions, noise);
    AppendDutyCycleAndBatterySessions(sessions, noise);
    return sessions;
}

std::vector<std::uint8_t> DemoLoggerImage() {
    return BuildLoggerImage(DemoLoggerSessions());
}

} // namespace telmora
