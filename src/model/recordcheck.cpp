#include "model/recordcheck.h"

#include "model/decode.h"
#include "model/functiontable.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstring>
#include <numeric>
#include <utility>

namespace telmora {

namespace {

// --- where the texts lie ---------------------------------------------------------------

struct TextField {
    std::size_t offset = 0; // in the image
    std::size_t size = 0;
    RecordField field = RecordField::ValueText;
    bool inSub = false;
};

constexpr std::size_t kCodeOffset = offsetof(ReadingRecord, functionCode);
constexpr std::size_t kTimeOffset = offsetof(ReadingRecord, timeText);
constexpr std::size_t kDisplayOffset = offsetof(ReadingRecord, displayText);
constexpr std::size_t kValueOffset = offsetof(ReadingRecord, value);
constexpr std::size_t kSubRecordOffset = 1 + kRecordSize; // in a sample image

constexpr std::array<TextField, 7> kRecordTexts = {{
    {offsetof(ReadingRecord, valueText), 8, RecordField::ValueText},
    {offsetof(ReadingRecord, exponentText), 4, RecordField::ExponentText},
    {offsetof(ReadingRecord, timeText), 16, RecordField::TimeText},
    {offsetof(ReadingRecord, displayText), 16, RecordField::DisplayText},
    {offsetof(ReadingRecord, prefixText), 8, RecordField::PrefixText},
    {offsetof(ReadingRecord, unitText), 16, RecordField::UnitText},
    {offsetof(ReadingRecord, modeText), 8, RecordField::ModeText},
}};

constexpr std::array<TextField, 14> SampleTexts() {
    std::array<TextField, 14> fields{};
    for (std::size_t i = 0; i < kRecordTexts.size(); ++i) {
        fields[i] = kRecordTexts[i];
        fields[i].offset += 1;
        fields[i + kRecordTexts.size()] = kRecordTexts[i];
        fields[i + kRecordTexts.size()].offset += kSubRecordOffset;
        fields[i + kRecordTexts.size()].inSub = true;
    }
    return fields;
}

constexpr std::array<TextField, 6> MainRecordTexts() {
    std::array<TextField, 6> fields{};
    for (std::size_t i = 0; i < fields.size(); ++i)
        fields[i] = kRecordTexts[i]; // all but the mode text
    return fields;
}

const std::uint32_t kDecodableBits = DecodableCodeBits();

constexpr std::array<TextField, 14> kSampleTexts = SampleTexts();
constexpr std::array<TextField, 6> kMainRecordTexts = MainRecordTexts();

// --- texts -------------------------------------------------------------------------

// Bytes looked at together: 32 where the processor can (AVX2), otherwise two
// halves of 16 (SSE2) or whatever the compiler makes of them.
constexpr std::size_t kLane = 32;

// Where the texts are in records of `RecordBytes` bytes laid back to back, over
// enough records to make a whole number of lanes: the text bytes, and the last
// byte of each text.
template <std::size_t RecordBytes> struct TextPattern {
    static constexpr std::size_t kPeriod = RecordBytes * kLane / std::gcd(RecordBytes, kLane);
    std::array<std::uint8_t, kPeriod> inText{};
    std::array<std::uint8_t, kPeriod> last{};
};

template <std::size_t RecordBytes, std::size_t Fields>
constexpr TextPattern<RecordBytes> PatternOf(const std::array<TextField, Fields>& fields) {
    TextPattern<RecordBytes> pattern;
    for (std::size_t record = 0; record < pattern.kPeriod; record += RecordBytes) {
        for (const TextField& f : fields) {
            for (std::size_t k = 0; k < f.size; ++k)
                pattern.inText[record + f.offset + k] = 0xFF;
            pattern.last[record + f.offset + f.size - 1] = 0xFF;
        }
    }
    return pattern;
}

constexpr auto kSamplePattern = PatternOf<kSampleSize>(kSampleTexts);
constexpr auto kRecordPattern = PatternOf<kRecordSize>(kMainRecordTexts);
constexpr auto kSessionRecordPattern = PatternOf<kSessionRecordSize>(kMainRecordTexts);

// A version for processors with AVX2 besides the plain one, chosen when the program
// is loaded. The sanitizers' runtimes are not ready at that moment, so builds that
// use one take the plain version only.
#if defined(__SANITIZE_THREAD__) || defined(__SANITIZE_ADDRESS__)
#define TELMORA_CLONES
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer) || __has_feature(address_sanitizer) ||                         \
    __has_feature(memory_sanitizer)
#define TELMORA_CLONES
#endif
#endif
#ifndef TELMORA_CLONES
#define TELMORA_CLONES [[gnu::target_clones("avx2", "default")]]
#endif

using Lane = std::uint8_t __attribute__((vector_size(kLane)));
using SignedLane = std::int8_t __attribute__((vector_size(kLane)));

// Whether the texts of records laid back to back in `bytes` bytes look as every
// writer leaves them: each text byte is zero or printable ASCII, and the last byte
// of each text is zero (a text ends inside its field and writers fill the rest of
// it with zeros). True means the texts are sound; false is looked at record by
// record (bytes after a terminator carry no meaning, so a file may hold anything
// there). A lane at a time, with no branch: a file holds millions of records.
TELMORA_CLONES bool textsLookWritten(const std::uint8_t* p, std::size_t bytes,
                                     const std::uint8_t* inText, const std::uint8_t* last,
                                     std::size_t period) {
    Lane wrong{};
    std::size_t at = 0;
    std::size_t m = 0; // where in the pattern
    for (; at + kLane <= bytes; at += kLane) {
        Lane v;
        Lane text;
        Lane end;
        std::memcpy(&v, p + at, kLane);
        std::memcpy(&text, inText + m, kLane);
        std::memcpy(&end, last + m, kLane);
        const Lane zero = __builtin_bit_cast(Lane, v == 0);
        // Printable ASCII (0x20..0x7E) is exactly the bytes b with (signed)(b + 1) > 0x20.
        const Lane printable =
            __builtin_bit_cast(Lane, __builtin_bit_cast(SignedLane, v + 1) > 0x20);
        wrong |= ~(zero | printable) & text;
        wrong |= ~zero & end;
        m += kLane;
        if (m == period)
            m = 0;
    }
    std::uint8_t tail = 0;
    for (; at < bytes; ++at, ++m) {
        const std::uint8_t b = p[at];
        const bool printable = b >= 0x20 && b <= 0x7E;
        tail |= static_cast<std::uint8_t>(inText[m] & (b != 0 && !printable ? 0xFF : 0));
        tail |= static_cast<std::uint8_t>(last[m] & (b != 0 ? 0xFF : 0));
    }
    std::array<std::uint64_t, kLane / 8> words{};
    std::memcpy(words.data(), &wrong, kLane);
    std::uint64_t any = tail;
    for (const std::uint64_t word : words)
        any |= word;
    return any == 0;
}

// The first text that does not end as it should, found byte by byte.
template <std::size_t N>
RecordProblem textProblem(const std::uint8_t* p, const std::array<TextField, N>& fields) {
    for (const TextField& f : fields) {
        for (std::size_t k = 0;; ++k) {
            if (k == f.size)
                return {RecordFault::TextUnterminated, f.field, f.inSub};
            const std::uint8_t b = p[f.offset + k];
            if (b == 0)
                break;
            if (b < 0x20 || b > 0x7E)
                return {RecordFault::TextByte, f.field, f.inSub};
        }
    }
    return {};
}

std::uint32_t le32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

// " 14:05:09.3" with the hour in three places, as the recorder writes every time
// text: looked at first, a word at a time, without finding the text's end.
bool isRecorderTimeAsWritten(const std::uint8_t* t) {
    const auto digit = [](std::uint8_t c) { return static_cast<unsigned>(c - '0') < 10u; };
    const bool hour = t[1] == ' ' ? t[0] == ' ' : digit(t[1]) && (t[0] == ' ' || digit(t[0]));
    if constexpr (std::endian::native == std::endian::little) {
        std::uint64_t head = 0; // bytes 0..7: "HHH:MM:S"
        std::uint32_t tail = 0; // bytes 8..11: "S.T" and the terminator
        std::memcpy(&head, t, 8);
        std::memcpy(&tail, t + 8, 4);
        // The separators: ':' at 3 and 6, '.' at 9, the terminator at 11.
        const bool separators = (head & 0x00FF0000FF000000ull) == 0x003A00003A000000ull &&
                                (tail & 0xFF00FF00u) == 0x00002E00u;
        // Digits at 2, 5, 8 and 10, tens of minutes and seconds (0..5) at 4 and 7: each
        // byte minus '0' plus an amount that reaches 0x80 just past its largest digit.
        const std::uint64_t headDigits = (head ^ 0x3030303030303030ull) & 0xFF00FFFF00FF0000ull;
        const std::uint32_t tailDigits = (tail ^ 0x30303030u) & 0x00FF00FFu;
        const bool digits =
            ((headDigits | (headDigits + 0x7A00767A00760000ull)) & 0x8000808000800000ull) == 0 &&
            ((tailDigits | (tailDigits + 0x00760076u)) & 0x00800080u) == 0;
        return hour && separators && digits;
    } else {
        const auto tens = [](std::uint8_t c) { return static_cast<unsigned>(c - '0') < 6u; };
        return hour && digit(t[2]) && t[3] == ':' && tens(t[4]) && digit(t[5]) && t[6] == ':' &&
               tens(t[7]) && digit(t[8]) && t[9] == '.' && digit(t[10]) && t[11] == 0;
    }
}

// The code, the time text and, for the main record, whether it shows anything, of
// one record whose texts have been checked (so each ends inside its field).
RecordFault numbersAndTime(const std::uint8_t* record, bool inSub) {
    // Codes made of annunciator bits are the usual answer; the table is asked only
    // for the codes of logged functions.
    const std::uint32_t code = le32(record + kCodeOffset) & kFunctionMask;
    if ((code & ~kDecodableBits) != 0 && MeterFunctionOf(code) == MeterFunction::Unknown)
        return RecordFault::FunctionCode;
    const std::uint8_t* time = record + kTimeOffset;
    if (time[0] != 0 && !isRecorderTimeAsWritten(time) &&
        !IsRecordTimeText(reinterpret_cast<const char*>(time)))
        return RecordFault::TimeText;
    if (!inSub && record[kDisplayOffset] == 0 &&
        !std::isnan(std::bit_cast<float>(le32(record + kValueOffset))))
        return RecordFault::NoReading;
    return RecordFault::None;
}

RecordProblem problemOf(RecordFault fault, bool inSub) {
    switch (fault) {
    case RecordFault::FunctionCode:
        return {fault, RecordField::FunctionCode, inSub};
    case RecordFault::TimeText:
        return {fault, RecordField::TimeText, inSub};
    case RecordFault::NoReading:
        return {fault, RecordField::DisplayText, inSub};
    default:
        return {fault, RecordField::HasSub, inSub};
    }
}

// --- time texts --------------------------------------------------------------------

class Cursor {
public:
    explicit Cursor(std::string_view text) : m_text(text) {}
    bool take(char c) {
        if (m_at >= m_text.size() || m_text[m_at] != c)
            return false;
        ++m_at;
        return true;
    }
    // From `least` to `most` digits; their number in `value`.
    bool digits(std::size_t least, std::size_t most, int& value) {
        value = 0;
        std::size_t n = 0;
        while (n < most && m_at < m_text.size() && m_text[m_at] >= '0' && m_text[m_at] <= '9') {
            value = value * 10 + (m_text[m_at] - '0');
            ++m_at;
            ++n;
        }
        return n >= least;
    }
    bool sixty(std::size_t least) { // minutes or seconds: 0..59
        int value = 0;
        return digits(least, 2, value) && value < 60;
    }
    void skipSpaces() {
        while (m_at < m_text.size() && m_text[m_at] == ' ')
            ++m_at;
    }
    bool atEnd() const { return m_at == m_text.size(); }

private:
    std::string_view m_text;
    std::size_t m_at = 0;
};

// " 14:05:09.3": the hour right-aligned in three places, tenths of a second.
bool isRecorderTime(std::string_view text) {
    Cursor c(text);
    int hour = 0;
    int tenths = 0;
    c.skipSpaces();
    return c.digits(1, 3, hour) && c.take(':') && c.sixty(2) && c.take(':') && c.sixty(2) &&
           c.take('.') && c.digits(1, 1, tenths) && c.atEnd();
}

// 1:02'03.500" (hours, minutes, seconds with milliseconds since the session began).
bool isSessionTime(std::string_view text) {
    Cursor c(text);
    int hours = 0;
    int milliseconds = 0;
    return c.digits(1, 6, hours) && c.take(':') && c.sixty(2) && c.take('\'') && c.sixty(1) &&
           c.take('.') && c.digits(3, 3, milliseconds) && c.take('"') && c.atEnd();
}

std::string_view fieldName(RecordField field) {
    switch (field) {
    case RecordField::HasSub:
        return "has-sub flag";
    case RecordField::ValueText:
        return "value text";
    case RecordField::ExponentText:
        return "exponent text";
    case RecordField::FunctionCode:
        return "function code";
    case RecordField::TimeText:
        return "time text";
    case RecordField::DisplayText:
        return "display text";
    case RecordField::PrefixText:
        return "prefix text";
    case RecordField::UnitText:
        return "unit text";
    case RecordField::ModeText:
        return "mode text";
    }
    return "field";
}

} // namespace

namespace {

// The layouts a file's records come in.
struct Layout {
    std::size_t recordBytes;
    const std::uint8_t* inText;
    const std::uint8_t* last;
    std::size_t period;
};

template <std::size_t RecordBytes> constexpr Layout LayoutOf(const TextPattern<RecordBytes>& p) {
    return {RecordBytes, p.inText.data(), p.last.data(), p.kPeriod};
}

Layout layoutOf(RecordLayout layout) {
    switch (layout) {
    case RecordLayout::Sample:
        return LayoutOf(kSamplePattern);
    case RecordLayout::MainRecord:
        return LayoutOf(kRecordPattern);
    case RecordLayout::SessionRecord:
        break;
    }
    return LayoutOf(kSessionRecordPattern);
}

// Everything but the texts, which have been found sound.
bool restLooksWritten(RecordLayout layout, const std::uint8_t* p) {
    if (layout != RecordLayout::Sample)
        return numbersAndTime(p, false) == RecordFault::None;
    if (p[0] > 1 || numbersAndTime(p + 1, false) != RecordFault::None)
        return false;
    // The sub record mostly carries the main record's time and no function.
    const std::uint8_t* sub = p + kSubRecordOffset;
    if (le32(sub + kCodeOffset) == 0 &&
        std::memcmp(sub + kTimeOffset, p + 1 + kTimeOffset, 16) == 0)
        return true;
    return numbersAndTime(sub, true) == RecordFault::None;
}

} // namespace

RecordProblem CheckSampleImage(std::span<const std::uint8_t, kSampleSize> image) {
    return CheckRecordImage(RecordLayout::Sample, image);
}

RecordProblem CheckMainRecordImage(std::span<const std::uint8_t, kSessionRecordSize> image) {
    return CheckRecordImage(RecordLayout::SessionRecord, image);
}

RecordProblem CheckRecordImage(RecordLayout layout, std::span<const std::uint8_t> image) {
    const std::uint8_t* p = image.data();
    if (layout == RecordLayout::Sample) {
        if (p[0] > 1)
            return {RecordFault::HasSubFlag, RecordField::HasSub, false};
        if (const RecordProblem texts = textProblem(p, kSampleTexts))
            return texts;
        if (const RecordFault main = numbersAndTime(p + 1, false); main != RecordFault::None)
            return problemOf(main, false);
        return problemOf(numbersAndTime(p + kSubRecordOffset, true), true);
    }
    if (const RecordProblem texts = textProblem(p, kMainRecordTexts))
        return texts;
    return problemOf(numbersAndTime(p, false), false);
}

std::size_t RecordLayoutBytes(RecordLayout layout) {
    return layoutOf(layout).recordBytes;
}

std::size_t FirstUnsoundRecord(RecordLayout layout, std::span<const std::uint8_t> images) {
    const Layout l = layoutOf(layout);
    const std::size_t count = images.size() / l.recordBytes;
    const std::uint8_t* p = images.data();
    // The texts of all at once; when they do not look as written, record by record.
    const bool texts = textsLookWritten(p, count * l.recordBytes, l.inText, l.last, l.period);
    for (std::size_t k = 0; k < count; ++k, p += l.recordBytes) {
        const bool sound = texts ? restLooksWritten(layout, p)
                                 : !CheckRecordImage(layout, std::span(p, l.recordBytes));
        if (!sound)
            return k;
    }
    return count;
}

std::string DescribeRecordProblem(const RecordProblem& problem) {
    if (problem.fault == RecordFault::HasSubFlag)
        return "its has-sub flag is neither 0 nor 1";
    std::string text = problem.inSub ? "the sub reading's " : "the main reading's ";
    text += fieldName(problem.field);
    switch (problem.fault) {
    case RecordFault::None:
        return {};
    case RecordFault::HasSubFlag:
        break;
    case RecordFault::TextUnterminated:
        return text + " has no terminating zero byte";
    case RecordFault::TextByte:
        return text + " holds a byte that is no printable text";
    case RecordFault::FunctionCode:
        return text + " is not one a meter reports";
    case RecordFault::TimeText:
        return text + " is not a time";
    case RecordFault::NoReading:
        return "the main reading shows nothing, yet it is no gap";
    }
    return text;
}

bool IsRecordTimeText(std::string_view text) {
    return isRecorderTime(text) || isSessionTime(text);
}

bool IsRecordFunctionCode(std::uint32_t code) {
    const std::uint32_t function = code & kFunctionMask;
    return (function & ~kDecodableBits) == 0 || MeterFunctionOf(function) != MeterFunction::Unknown;
}

} // namespace telmora
