#pragma once

#include "model/FixedText.h"

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string_view>

namespace telmora {

// The state of one display (main or sub) at the moment of one sample. The layout
// is the one every recorder and session file uses: 84 packed bytes, texts
// zero-terminated inside their fixed fields, numbers little-endian, the value an
// IEEE 754 single. Files are written and read through EncodeRecord/DecodeRecord,
// so the in-memory object never has to match the host's byte order.
struct ReadingRecord {
    FixedText<8> valueText;         // digits as converted to the value ("-1.234", "0.L")
    FixedText<4> exponentText;      // power of ten of the unit prefix ("3", "-3")
    std::uint32_t functionCode = 0; // as published; bit 31 may be the low-battery mark
    FixedText<16> timeText;         // " 14:05:09.3" (recorder) or the session offset (import)
    FixedText<16> displayText;      // the display line text as the live windows show it
    FixedText<8> prefixText;        // first unit part (main) or prefix label (sub)
    FixedText<16> unitText;         // second unit part (main) or unit label (sub)
    float value = 0.0f;             // base units, or an overload substitute
    FixedText<8> modeText;          // "AC", "DC", "DC+AC", "T1", "T2", "T1-T2" or empty

    // The function code with the low-battery bit cleared, as every comparison uses it.
    std::uint32_t function() const { return functionCode & 0x7FFFFFFFu; }
};

static_assert(sizeof(ReadingRecord) == 84);
static_assert(offsetof(ReadingRecord, valueText) == 0);
static_assert(offsetof(ReadingRecord, exponentText) == 8);
static_assert(offsetof(ReadingRecord, functionCode) == 12);
static_assert(offsetof(ReadingRecord, timeText) == 16);
static_assert(offsetof(ReadingRecord, displayText) == 32);
static_assert(offsetof(ReadingRecord, prefixText) == 48);
static_assert(offsetof(ReadingRecord, unitText) == 56);
static_assert(offsetof(ReadingRecord, value) == 72);
static_assert(offsetof(ReadingRecord, modeText) == 76);

constexpr std::size_t kRecordSize = 84;        // full record (recorder files)
constexpr std::size_t kSessionRecordSize = 76; // without the mode text (session files, .g51)

// The text of a record's field, as view() gives it, found eight bytes at a time:
// for the fields of 8 and 16 bytes that exports read for millions of records.
template <std::size_t N> std::string_view StoredTextView(const FixedText<N>& text) {
    if constexpr (N % 8 == 0 && std::endian::native == std::endian::little) {
        for (std::size_t at = 0; at < N; at += 8) {
            std::uint64_t word = 0;
            std::memcpy(&word, text.data + at, 8);
            // The lowest byte flagged is the first zero byte.
            const std::uint64_t zeros =
                (word - 0x0101010101010101ull) & ~word & 0x8080808080808080ull;
            if (zeros != 0)
                return std::string_view(text.data,
                                        at + static_cast<std::size_t>(std::countr_zero(zeros) / 8));
        }
        return std::string_view(text.data, N);
    } else {
        return text.view();
    }
}

// One logged sample: the has-sub flag and both displays. In the recorder buffer the
// sub record always holds what the sub display published; in imported sessions it is
// meaningful only when hasSub is 1.
struct SampleEntry {
    std::uint8_t hasSub = 0;
    ReadingRecord main;
    ReadingRecord sub;
};

constexpr std::size_t kSampleSize = 1 + 2 * kRecordSize; // 169 bytes in .TMP and .g53 files

// Writes the record's first `out.size()` bytes of its file image (84 or 76): texts
// up to their terminator followed by zero bytes, numbers little-endian.
void EncodeRecord(const ReadingRecord& record, std::span<std::uint8_t> out);

// Reads a record from its file image of 84 or 76 bytes (a 76-byte image leaves the
// mode text empty). Bytes after a text's terminator are ignored; a text that fills
// its whole field is cut to keep the terminator inside the field.
ReadingRecord DecodeRecord(std::span<const std::uint8_t> in);

// The 169-byte image of a sample: has-sub byte, main record, sub record.
void EncodeSample(const SampleEntry& entry, std::span<std::uint8_t, kSampleSize> out);
SampleEntry DecodeSample(std::span<const std::uint8_t, kSampleSize> in);

// Reads a sample for a reader that looks at its texts only through view(), size(),
// empty() and comparisons (an export of millions of samples): the records are copied
// whole, each text field's last byte cleared so that every text ends inside its
// field, and the bytes after a terminator are left as the image had them. Those
// views and the numbers are DecodeSample's.
void DecodeSampleForViews(std::span<const std::uint8_t, kSampleSize> in, SampleEntry& out);

} // namespace telmora
