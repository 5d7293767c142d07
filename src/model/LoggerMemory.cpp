#include "model/LoggerMemory.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace telmora {

std::ptrdiff_t MemoryAddressOffset(MemoryAddress a) {
    // C++ integer division truncates toward zero, as the meter's arithmetic does.
    const std::ptrdiff_t bank = (static_cast<std::ptrdiff_t>(a.high) - 160) / 2;
    return bank * 65536 + static_cast<std::ptrdiff_t>(a.middle) * 256 +
           static_cast<std::ptrdiff_t>(a.low) - 122;
}

MemoryAddress OffsetToMemoryAddress(std::ptrdiff_t offset) {
    const std::ptrdiff_t x = offset + 122;
    MemoryAddress a;
    a.high = static_cast<std::uint8_t>(160 + 2 * (x >> 16));
    a.middle = static_cast<std::uint8_t>((x >> 8) & 0xFF);
    a.low = static_cast<std::uint8_t>(x & 0xFF);
    return a;
}

std::uint32_t AnnouncedLength(std::span<const std::uint8_t> header) {
    return static_cast<std::uint32_t>(header[1]) | (static_cast<std::uint32_t>(header[2]) << 8) |
           (static_cast<std::uint32_t>(header[3]) << 16);
}

std::uint16_t AnnouncedSessionCount(std::span<const std::uint8_t> header) {
    return static_cast<std::uint16_t>(header[4] | (header[5] << 8));
}

std::size_t RoundedImageLength(std::uint32_t announced) {
    std::size_t length = announced;
    if (length % kLoggerBlockSize != 0) {
        length += kLoggerBlockSize - length % kLoggerBlockSize;
    }
    // The header block is always read, even when the meter announces less.
    return length < kLoggerBlockSize ? kLoggerBlockSize : length;
}

double SampleIntervalSeconds(std::uint8_t intervalCode) {
    static constexpr std::array<double, 16> kSeconds = {0.05, 0.1, 0.5, 1,  2,   3,   4,   5,
                                                        10,   15,  30,  60, 120, 180, 300, 600};
    return kSeconds[intervalCode & SessionFlag::IntervalMask];
}

std::string FormatSessionTime(double t) {
    const int hours = static_cast<int>(std::trunc(t / 3600.0));
    const int minutes = static_cast<int>(std::trunc((t - 3600.0 * hours) / 60.0));
    const float seconds = static_cast<float>(t - 3600.0 * hours - 60.0 * minutes);

    // Written with to_chars, which knows no locale, so the point stays a point.
    // Seconds with three decimals are at least five characters, so they never
    // need padding.
    std::array<char, 32> buf{};
    std::string text;
    text.reserve(16);
    auto append = [&](auto... args) {
        const auto r = std::to_chars(buf.data(), buf.data() + buf.size(), args...);
        text.append(buf.data(), r.ptr);
    };
    append(hours);
    text += ':';
    if (minutes >= 0 && minutes < 10) {
        text += '0';
    }
    append(minutes);
    text += '\'';
    append(static_cast<double>(seconds), std::chars_format::fixed, 3);
    text += '"';
    return text;
}

std::vector<SessionExtent> WalkSessionChain(std::span<const std::uint8_t> image,
                                            MemoryParseStatus& status) {
    std::vector<SessionExtent> extents;
    if (image.size() < kLoggerHeaderSize) {
        status = MemoryParseStatus::NoHeader;
        return extents;
    }
    const std::size_t limit = std::min<std::size_t>(AnnouncedLength(image), image.size());
    const int announced = AnnouncedSessionCount(image);
    const int wanted = std::min(announced, kMaxImportSessions);
    status = MemoryParseStatus::Complete;
    extents.reserve(static_cast<std::size_t>(wanted));

    // Sessions of a sound memory do not overlap, so together they fit in the
    // limit; a chain that revisits its own bytes is cut there and memory use stays
    // bounded by the image size.
    std::size_t used = kLoggerHeaderSize;
    MemoryAddress address; // the first session: A0 00 80
    for (int s = 0; s < wanted; ++s) {
        const std::ptrdiff_t offset = MemoryAddressOffset(address);
        // The block header must lie past the memory header and inside the limit.
        if (offset < kFirstSessionOffset ||
            static_cast<std::size_t>(offset) + kSessionHeaderSize > limit) {
            status = MemoryParseStatus::Truncated;
            return extents;
        }
        const std::size_t o = static_cast<std::size_t>(offset);
        SessionExtent e;
        e.offset = o;
        e.type = image[o + 8];
        e.kind = image[o + 9];
        e.flags = image[o + 10];
        const std::size_t dataLength = static_cast<std::size_t>(image[o + 11]) |
                                       (static_cast<std::size_t>(image[o + 12]) << 8) |
                                       (static_cast<std::size_t>(image[o + 13]) << 16);
        if (dataLength > limit - (o + kSessionHeaderSize) ||
            used + kSessionHeaderSize + dataLength > limit) {
            status = MemoryParseStatus::Truncated;
            return extents;
        }
        const std::size_t perSample =
            ((e.flags & SessionFlag::HasSub) != 0 ? 2 : 1) * kStoredReadingSize;
        e.samples = dataLength / perSample; // an incomplete last sample is dropped
        used += kSessionHeaderSize + dataLength;
        extents.push_back(e);
        address = MemoryAddress{image[o + 7], image[o + 6], image[o + 5]};
    }
    if (announced > kMaxImportSessions) {
        status = MemoryParseStatus::TooManySessions;
    }
    return extents;
}

LoggerMemory ParseLoggerMemory(std::span<const std::uint8_t> image) {
    LoggerMemory memory;
    if (image.size() >= kLoggerHeaderSize) {
        memory.announcedLength = AnnouncedLength(image);
        memory.announcedSessions = AnnouncedSessionCount(image);
    }
    const std::vector<SessionExtent> extents = WalkSessionChain(image, memory.status);
    memory.sessions.reserve(extents.size());
    for (const SessionExtent& e : extents) {
        SessionInfo info;
        info.type = e.type;
        info.kind = e.kind;
        info.flags = e.flags;
        info.offset = e.offset;
        const bool hasSub = info.hasSub();
        info.main.resize(e.samples);
        if (hasSub) {
            info.sub.resize(e.samples);
        }
        // WalkSessionChain checked that every sample lies inside the image.
        const std::uint8_t* q = image.data() + e.offset + kSessionHeaderSize;
        for (std::size_t n = 0; n < e.samples; ++n) {
            info.main[n] = UnpackStoredReading(std::span<const std::uint8_t, 3>(q, 3));
            q += kStoredReadingSize;
            if (hasSub) {
                info.sub[n] = UnpackStoredReading(std::span<const std::uint8_t, 3>(q, 3));
                q += kStoredReadingSize;
            }
        }
        memory.sessions.push_back(std::move(info));
    }
    return memory;
}

} // namespace telmora
