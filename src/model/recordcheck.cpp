#include "model/recordcheck.h"

#include "model/decode.h"
#include "model/functiontable.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstring>
#include <utility>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

constexpr std::array<TextField, 14> kSampleTexts = SampleTexts();
constexpr std::array<TextField, 6> kMainRecordTexts = MainRecordTexts();

// --- sets of byte positions ------------------------------------------------------------

// Byte positions of an image of up to 192 bytes, one bit each.
struct ByteSet {
    std::array<std::uint64_t, 3> w{};

    constexpr void add(std::size_t at) { w[at / 64] |= std::uint64_t{1} << (at % 64); }
    // Adds 16 positions from `at` given as the low bits of `bits`.
    void add16(std::size_t at, std::uint64_t bits) {
        const std::size_t word = at / 64;
        const std::size_t shift = at % 64;
        w[word] |= bits << shift;
        if (shift > 48)
            w[word + 1] |= bits >> (64 - shift);
    }
    constexpr bool none() const { return (w[0] | w[1] | w[2]) == 0; }
};

constexpr ByteSet operator&(const ByteSet& a, const ByteSet& b) {
    return {{a.w[0] & b.w[0], a.w[1] & b.w[1], a.w[2] & b.w[2]}};
}
constexpr ByteSet operator|(const ByteSet& a, const ByteSet& b) {
    return {{a.w[0] | b.w[0], a.w[1] | b.w[1], a.w[2] | b.w[2]}};
}
constexpr ByteSet operator^(const ByteSet& a, const ByteSet& b) {
    return {{a.w[0] ^ b.w[0], a.w[1] ^ b.w[1], a.w[2] ^ b.w[2]}};
}
constexpr ByteSet operator~(const ByteSet& a) {
    return {{~a.w[0], ~a.w[1], ~a.w[2]}};
}

// a - b as one 192-bit number.
constexpr ByteSet minus(const ByteSet& a, const ByteSet& b) {
    ByteSet out;
    std::uint64_t borrow = 0;
    for (std::size_t i = 0; i < 3; ++i) {
        const std::uint64_t d = a.w[i] - b.w[i];
        out.w[i] = d - borrow;
        borrow = (a.w[i] < b.w[i]) || (d < borrow) ? 1 : 0;
    }
    return out;
}

// The texts of a layout in two groups, alternating in the order of the image, so
// that the byte after a text is never part of another text of its group. For each
// group: the first byte of each text, the byte after each text and the texts' bytes.
struct TextGroup {
    ByteSet start, end, region;
};

template <std::size_t N> constexpr std::array<TextGroup, 2> GroupsOf(std::array<TextField, N> f) {
    // In the order of the image.
    for (std::size_t i = 1; i < N; ++i)
        for (std::size_t j = i; j > 0 && f[j].offset < f[j - 1].offset; --j)
            std::swap(f[j], f[j - 1]);
    std::array<TextGroup, 2> groups{};
    for (std::size_t i = 0; i < N; ++i) {
        TextGroup& g = groups[i % 2];
        g.start.add(f[i].offset);
        g.end.add(f[i].offset + f[i].size);
        for (std::size_t k = 0; k < f[i].size; ++k)
            g.region.add(f[i].offset + k);
    }
    return groups;
}

constexpr std::array<TextGroup, 2> kSampleGroups = GroupsOf(kSampleTexts);
constexpr std::array<TextGroup, 2> kMainRecordGroups = GroupsOf(kMainRecordTexts);

// The zero bytes of an image and the bytes that are no printable ASCII (zeros among them).
struct ByteClasses {
    ByteSet zero;
    ByteSet unprintable;
};

template <std::size_t N> ByteClasses classify(const std::uint8_t* p) {
    static_assert(N >= 16 && N <= 192);
    ByteClasses c;
#if defined(__SSE2__)
    const __m128i one = _mm_set1_epi8(1);
    const __m128i space = _mm_set1_epi8(0x20);
    const __m128i none = _mm_setzero_si128();
    const auto put = [&](std::size_t at) {
        __m128i v;
        std::memcpy(&v, p + at, sizeof v);
        // Printable ASCII (0x20..0x7E) is exactly the bytes b with (signed)(b + 1) > 0x20.
        const auto printable = static_cast<std::uint32_t>(
            _mm_movemask_epi8(_mm_cmpgt_epi8(_mm_add_epi8(v, one), space)));
        const auto zeros = static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, none)));
        c.zero.add16(at, zeros);
        c.unprintable.add16(at, ~printable & 0xFFFFu);
    };
    std::size_t at = 0;
    for (; at + 16 <= N; at += 16)
        put(at);
    if (at < N)
        put(N - 16); // the last bytes again, with those before them
#else
    for (std::size_t at = 0; at < N; ++at) {
        if (p[at] == 0)
            c.zero.add(at);
        if (p[at] < 0x20 || p[at] > 0x7E)
            c.unprintable.add(at);
    }
#endif
    return c;
}

// Whether every text of the layout ends inside its field with only printable bytes
// before its end. For each text at once: subtracting its first byte from the set of
// its zero bytes (plus the byte after it) sets every bit from the first byte up to
// the first zero, or up to the byte after the text when there is none.
bool textsEnd(const std::array<TextGroup, 2>& groups, const ByteClasses& c) {
    const ByteSet wrong = c.unprintable & ~c.zero;
    ByteSet failed;
    for (const TextGroup& g : groups) {
        const ByteSet stops = (c.zero & g.region) | g.end;
        const ByteSet upToEnd = minus(stops, g.start) ^ stops;
        failed = failed | (upToEnd & wrong & g.region) | (upToEnd & g.end);
    }
    return failed.none();
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

// The code, the time text and, for the main record, whether it shows anything, of
// one record whose texts have been checked (so each ends inside its field).
RecordProblem numbersAndTime(const std::uint8_t* record, bool inSub) {
    if (!IsRecordFunctionCode(le32(record + kCodeOffset)))
        return {RecordFault::FunctionCode, RecordField::FunctionCode, inSub};
    const char* time = reinterpret_cast<const char*>(record + kTimeOffset);
    const std::string_view text(time, std::strlen(time));
    if (!text.empty() && !IsRecordTimeText(text))
        return {RecordFault::TimeText, RecordField::TimeText, inSub};
    if (!inSub && record[kDisplayOffset] == 0 &&
        !std::isnan(std::bit_cast<float>(le32(record + kValueOffset))))
        return {RecordFault::NoReading, RecordField::DisplayText, inSub};
    return {};
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

RecordProblem CheckSampleImage(std::span<const std::uint8_t, kSampleSize> image) {
    const std::uint8_t* p = image.data();
    if (p[0] > 1)
        return {RecordFault::HasSubFlag, RecordField::HasSub, false};
    if (!textsEnd(kSampleGroups, classify<kSampleSize>(p)))
        return textProblem(p, kSampleTexts);
    if (const RecordProblem main = numbersAndTime(p + 1, false))
        return main;
    return numbersAndTime(p + kSubRecordOffset, true);
}

RecordProblem CheckMainRecordImage(std::span<const std::uint8_t, kSessionRecordSize> image) {
    const std::uint8_t* p = image.data();
    if (!textsEnd(kMainRecordGroups, classify<kSessionRecordSize>(p)))
        return textProblem(p, kMainRecordTexts);
    return numbersAndTime(p, false);
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
    return (function & ~DecodableCodeBits()) == 0 ||
           MeterFunctionOf(function) != MeterFunction::Unknown;
}

} // namespace telmora
