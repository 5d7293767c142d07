#include "model/ReadingRecord.h"

#include <bit>
#include <cassert>
#include <cstring>
#include <limits>
#include <type_traits>

namespace telmora {

namespace {

template <std::size_t N>
void putText(const FixedText<N>& text, std::span<std::uint8_t> out, std::size_t offset) {
    const auto view = text.view();
    std::memset(out.data() + offset, 0, N);
    std::memcpy(out.data() + offset, view.data(), view.size());
}

// `word` (eight text bytes, the first in the lowest bits) up to its first zero byte,
// and zero once an earlier word held one.
std::uint64_t keepUntilZero(std::uint64_t word, bool& ended) {
    if (ended)
        return 0;
    // The lowest byte flagged here is the first zero byte (a borrow can only flag
    // bytes above a zero one).
    const std::uint64_t zeros = (word - 0x0101010101010101ull) & ~word & 0x8080808080808080ull;
    if (zeros == 0)
        return word;
    ended = true;
    const int zeroByteBits = std::countr_zero(zeros) - 7;
    return zeroByteBits == 0 ? 0 : word & ((std::uint64_t{1} << zeroByteBits) - 1);
}

template <std::size_t N>
void getText(FixedText<N>& text, std::span<const std::uint8_t> in, std::size_t offset) {
    // Bytes after the terminator carry no meaning; keep the in-memory field clean.
    // The last byte always ends the text. Files of millions of records decode every
    // field of every record: eight bytes at a time where the field allows it.
    if constexpr (N % 8 == 0 && std::endian::native == std::endian::little) {
        bool ended = false;
        for (std::size_t at = 0; at < N; at += 8) {
            std::uint64_t word = 0;
            std::memcpy(&word, in.data() + offset + at, 8);
            if (at + 8 == N)
                word &= 0x00FFFFFFFFFFFFFFull; // the last byte ends the text
            word = keepUntilZero(word, ended);
            std::memcpy(text.data + at, &word, 8);
        }
    } else {
        unsigned keep = 0xFFu;
        for (std::size_t i = 0; i < N; ++i) {
            const unsigned c = i + 1 < N ? in[offset + i] : 0u;
            keep &= c != 0 ? 0xFFu : 0u;
            text.data[i] = static_cast<char>(c & keep);
        }
    }
}

void putU32(std::uint32_t v, std::span<std::uint8_t> out, std::size_t offset) {
    for (int i = 0; i < 4; ++i)
        out[offset + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

std::uint32_t getU32(std::span<const std::uint8_t> in, std::size_t offset) {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i)
        v |= static_cast<std::uint32_t>(in[offset + i]) << (8 * i);
    return v;
}

} // namespace

void EncodeRecord(const ReadingRecord& r, std::span<std::uint8_t> out) {
    assert(out.size() == kRecordSize || out.size() == kSessionRecordSize);
    putText(r.valueText, out, 0);
    putText(r.exponentText, out, 8);
    putU32(r.functionCode, out, 12);
    putText(r.timeText, out, 16);
    putText(r.displayText, out, 32);
    putText(r.prefixText, out, 48);
    putText(r.unitText, out, 56);
    putU32(std::bit_cast<std::uint32_t>(r.value), out, 72);
    if (out.size() >= kRecordSize)
        putText(r.modeText, out, 76);
}

ReadingRecord DecodeRecord(std::span<const std::uint8_t> in) {
    assert(in.size() == kRecordSize || in.size() == kSessionRecordSize);
    ReadingRecord r;
    getText(r.valueText, in, 0);
    getText(r.exponentText, in, 8);
    r.functionCode = getU32(in, 12);
    getText(r.timeText, in, 16);
    getText(r.displayText, in, 32);
    getText(r.prefixText, in, 48);
    getText(r.unitText, in, 56);
    r.value = std::bit_cast<float>(getU32(in, 72));
    if (in.size() >= kRecordSize)
        getText(r.modeText, in, 76);
    return r;
}

void EncodeSample(const SampleEntry& e, std::span<std::uint8_t, kSampleSize> out) {
    out[0] = e.hasSub;
    EncodeRecord(e.main, out.subspan(1, kRecordSize));
    EncodeRecord(e.sub, out.subspan(1 + kRecordSize, kRecordSize));
}

SampleEntry DecodeSample(std::span<const std::uint8_t, kSampleSize> in) {
    SampleEntry e;
    e.hasSub = in[0];
    e.main = DecodeRecord(in.subspan(1, kRecordSize));
    e.sub = DecodeRecord(in.subspan(1 + kRecordSize, kRecordSize));
    return e;
}

namespace {

// The record image copied as it stands (the layouts agree on a little-endian
// machine), with each text's last byte cleared.
void copyRecordImage(const std::uint8_t* in, ReadingRecord& r) {
    static_assert(std::is_trivially_copyable_v<ReadingRecord>);
    std::memcpy(&r, in, kRecordSize);
    r.valueText.data[sizeof r.valueText.data - 1] = '\0';
    r.exponentText.data[sizeof r.exponentText.data - 1] = '\0';
    r.timeText.data[sizeof r.timeText.data - 1] = '\0';
    r.displayText.data[sizeof r.displayText.data - 1] = '\0';
    r.prefixText.data[sizeof r.prefixText.data - 1] = '\0';
    r.unitText.data[sizeof r.unitText.data - 1] = '\0';
    r.modeText.data[sizeof r.modeText.data - 1] = '\0';
}

} // namespace

void DecodeSampleForViews(std::span<const std::uint8_t, kSampleSize> in, SampleEntry& out) {
    if constexpr (std::endian::native == std::endian::little &&
                  std::numeric_limits<float>::is_iec559) {
        out.hasSub = in[0];
        copyRecordImage(in.data() + 1, out.main);
        copyRecordImage(in.data() + 1 + kRecordSize, out.sub);
    } else {
        out = DecodeSample(in);
    }
}

} // namespace telmora
