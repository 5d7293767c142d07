#pragma once
// The meter's logger memory as downloaded: a header with the total length L and
// the session count S, then a chain of session blocks, each holding three-byte
// stored readings (six bytes per sample when the session records the sub display
// too). Parsing never reads outside the image: a session is kept only when its
// whole block lies inside the announced length and the bytes present.

#include "model/sessiontables.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace telmora {

constexpr std::size_t kLoggerBlockSize = 24;   // one cable transaction
constexpr std::size_t kLoggerHeaderSize = 6;   // unused byte, L (3 bytes), S (2 bytes)
constexpr std::size_t kSessionHeaderSize = 14; // up to the first stored reading
constexpr std::size_t kStoredReadingSize = 3;
constexpr std::ptrdiff_t kFirstSessionOffset = 6;
constexpr int kMaxImportSessions = 999; // slots of the session lists

// Where the meter names a place in its memory: high, middle and low address byte.
struct MemoryAddress {
    std::uint8_t high = 0xA0;
    std::uint8_t middle = 0x00;
    std::uint8_t low = 0x80;
};

// Image offset of a memory address: ((high - 160) div 2) * 65536 + middle * 256 +
// low - 122, the division truncating toward zero. May be negative for addresses
// that do not point into the logger memory.
std::ptrdiff_t MemoryAddressOffset(MemoryAddress address);
// The address of an image offset (offset 6 gives A0 00 80).
MemoryAddress OffsetToMemoryAddress(std::ptrdiff_t offset);

// Total length L announced by the header (bytes 1..3) and the session count S
// (bytes 4..5). The caller makes sure the header is present.
std::uint32_t AnnouncedLength(std::span<const std::uint8_t> header);
std::uint16_t AnnouncedSessionCount(std::span<const std::uint8_t> header);

// L rounded up to whole 24-byte blocks, and never less than the header block.
std::size_t RoundedImageLength(std::uint32_t announced);

// Seconds between two samples for an interval code (only bits 0..3 count).
double SampleIntervalSeconds(std::uint8_t intervalCode);

// The time text of an offset from the session start: hours, two-digit minutes and
// the seconds (single precision) with three decimals, as in 1:05'09.250", always
// with ".".
std::string FormatSessionTime(double seconds);

// Time stamps of one session: t(0) = 0 and t(n) = t(n-1) + interval, summed in
// double precision as the meter's intervals add up.
class SessionClock {
public:
    explicit SessionClock(double interval) : m_interval(interval) {}
    double seconds() const { return m_seconds; }
    std::string text() const { return FormatSessionTime(m_seconds); }
    void advance() { m_seconds += m_interval; }

private:
    double m_interval;
    double m_seconds = 0.0;
};

// One session of the logger memory, unpacked.
struct SessionInfo {
    std::uint8_t type = 0;
    std::uint8_t kind = 0;
    std::uint8_t flags = 0;
    std::size_t offset = 0; // image offset of the session block
    std::vector<UnpackedReading> main;
    std::vector<UnpackedReading> sub; // as many as main when hasSub(), else empty

    bool hasSub() const { return (flags & SessionFlag::HasSub) != 0; }
    std::size_t sampleCount() const { return main.size(); }
    double interval() const { return SampleIntervalSeconds(flags); }
};

// How far the chain of sessions could be followed.
enum class MemoryParseStatus {
    Complete,        // every announced session was read
    NoHeader,        // the image is shorter than the header
    Truncated,       // a session left the announced length or the bytes present
    TooManySessions, // more sessions than the session lists hold; the first 999 kept
};

struct LoggerMemory {
    std::uint32_t announcedLength = 0;   // L
    std::uint16_t announcedSessions = 0; // S
    std::vector<SessionInfo> sessions;   // those read completely, in chain order
    MemoryParseStatus status = MemoryParseStatus::Complete;
};

// Walks the session chain of `image` (header at offset 0). Reads stay inside
// min(L, image size); at the first session that does not fit, the sessions before
// it are kept and the status says Truncated.
LoggerMemory ParseLoggerMemory(std::span<const std::uint8_t> image);

// The same without unpacking the readings (sample counts only): the cheap check
// used before memory is committed.
struct SessionExtent {
    std::size_t offset = 0;
    std::uint8_t type = 0, kind = 0, flags = 0;
    std::size_t samples = 0;
};
std::vector<SessionExtent> WalkSessionChain(std::span<const std::uint8_t> image,
                                            MemoryParseStatus& status);

} // namespace telmora
