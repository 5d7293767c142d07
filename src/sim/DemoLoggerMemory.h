#pragma once
// Logger memory images for the simulated meter and for tests: a builder that lays
// out sessions the way the meter does (header, chained session blocks, three-byte
// stored readings), and the memory of the demo meter.

#include "model/sessiontables.h"

#include <array>
#include <cstdint>
#include <vector>

namespace telmora {

using PackedReading = std::array<std::uint8_t, 3>;

// Status nibble and range code in byte 0, the count low byte first.
PackedReading PackStoredReading(UnpackedReading reading);

// One session to lay out: type, kind and flags (bit 7: every sample has a sub
// reading, bits 0..3: interval code) and its readings. `sub` is written only when
// flags bit 7 is set and must then be as long as `main`.
struct LoggerSession {
    std::uint8_t type = 2;
    std::uint8_t kind = 0;
    std::uint8_t flags = 3;
    std::vector<PackedReading> main;
    std::vector<PackedReading> sub;
};

// The image of a logger memory holding `sessions`: the announced length counts the
// header and every session block exactly; the image is padded with zeros to whole
// 24-byte blocks. Each block's next address points just past it.
std::vector<std::uint8_t> BuildLoggerImage(const std::vector<LoggerSession>& sessions);

// The sessions of the demo meter's memory: every session type 1..9 with sub
// readings, overloads, negative values, Celsius and Fahrenheit, and one session of
// more than 8192 samples. Deterministic.
std::vector<LoggerSession> DemoLoggerSessions();

// BuildLoggerImage(DemoLoggerSessions()).
std::vector<std::uint8_t> DemoLoggerImage();

} // namespace telmora
