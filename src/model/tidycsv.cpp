#include "model/tidycsv.h"

#include "model/decimaltext.h"
#include "model/trimming.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace telmora {

namespace {

constexpr std::string_view kReadingColumns =
    "value,unit,mode,display,overload,sub_value,sub_unit,sub_mode,sub_display,sub_overload";

// Whether a field must be quoted: it holds a comma, a quote or a line break.
bool needsQuotes(std::string_view field) {
    for (const char c : field)
        if (c == ',' || c == '"' || c == '\r' || c == '\n')
            return true;
    return false;
}

// Appends a stored byte as UTF-8. Stored record texts are single bytes (ASCII in
// practice); a byte above 127 is taken as Latin-1 so that the output stays valid
// UTF-8 whatever was stored.
void appendStoredByte(std::string& out, char c) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
        out += c;
    } else {
        out += static_cast<char>(0xC0 | (byte >> 6));
        out += static_cast<char>(0x80 | (byte & 0x3F));
    }
}

// Bytes a stored text cannot be copied with as they are: those that make a field
// quoted and those above 127, which become two bytes of UTF-8.
constexpr auto kNeedsCare = [] {
    std::array<bool, 256> care{};
    for (const unsigned char c : {',', '"', '\r', '\n'})
        care[c] = true;
    for (std::size_t c = 0x80; c < 256; ++c)
        care[c] = true;
    return care;
}();

// Whether eight bytes hold none that needs care (kNeedsCare): no byte above 127 and
// none equal to a comma, a quote or a line break, each found as a zero byte of the
// word xor that byte repeated.
constexpr bool isPlainWord(std::uint64_t word) {
    constexpr std::uint64_t ones = 0x0101010101010101ull;
    constexpr std::uint64_t highs = 0x8080808080808080ull;
    const auto holds = [](std::uint64_t w, char c) {
        const std::uint64_t x = w ^ (ones * static_cast<unsigned char>(c));
        return (x - ones) & ~x & highs;
    };
    return ((word & highs) | holds(word, ',') | holds(word, '"') | holds(word, '\r') |
            holds(word, '\n')) == 0;
}

// Whether no byte of `text` needs care: eight bytes at a time for the texts of
// records (up to 16 bytes, read as two words that may overlap).
bool isPlain(std::string_view text) {
    const std::size_t n = text.size();
    if (n >= 8 && n <= 16) {
        std::uint64_t first = 0, last = 0;
        std::memcpy(&first, text.data(), 8);
        std::memcpy(&last, text.data() + n - 8, 8);
        return isPlainWord(first) && isPlainWord(last);
    }
    if (n >= 4 && n < 8) {
        std::uint32_t first = 0, last = 0;
        std::memcpy(&first, text.data(), 4);
        std::memcpy(&last, text.data() + n - 4, 4);
        return isPlainWord(first | std::uint64_t{last} << 32);
    }
    bool plain = true;
    for (const char c : text)
        plain &= !kNeedsCare[static_cast<unsigned char>(c)];
    return plain;
}

// Writes text at a place with room for it, known in advance: the rows of an export
// are written into one buffer without a check or a string per field.
class RowCursor {
public:
    explicit RowCursor(char* at) : m_at(at) {}
    void put(char c) { *m_at++ = c; }
    // Fields are short: up to 16 bytes are copied with two overlapping moves of
    // fixed size instead of a call.
    void put(std::string_view text) {
        const std::size_t n = text.size();
        const char* from = text.data();
        if (n >= 8 && n <= 16) {
            std::memcpy(m_at, from, 8);
            std::memcpy(m_at + n - 8, from + n - 8, 8);
        } else if (n >= 4 && n < 8) {
            std::memcpy(m_at, from, 4);
            std::memcpy(m_at + n - 4, from + n - 4, 4);
        } else if (n < 4) {
            for (std::size_t i = 0; i < n; ++i)
                m_at[i] = from[i];
        } else {
            std::memcpy(m_at, from, n);
        }
        m_at += n;
    }
    // A stored byte as UTF-8: stored record texts are single bytes (ASCII in
    // practice); a byte above 127 is taken as Latin-1 so that the output stays valid
    // UTF-8 whatever was stored.
    void putStoredByte(char c) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            put(c);
        } else {
            put(static_cast<char>(0xC0 | (byte >> 6)));
            put(static_cast<char>(0x80 | (byte & 0x3F)));
        }
    }
    char* at() const { return m_at; }

private:
    char* m_at;
};

// Writes "," and `lead` followed by the stored text `stored` as one field, quoted
// when needed: at most 3 + lead.size() + 2 * stored.size() bytes. `lead` is ASCII
// without quotes.
void putStoredField(RowCursor& out, std::string_view lead, std::string_view stored) {
    const bool plain = isPlain(stored); // the bytes go as they are
    out.put(',');
    if (plain) {
        out.put(lead);
        out.put(stored);
        return;
    }
    const bool quoted = needsQuotes(stored);
    if (quoted)
        out.put('"');
    out.put(lead);
    for (const char c : stored) {
        if (c == '"')
            out.put('"');
        out.putStoredByte(c);
    }
    if (quoted)
        out.put('"');
}

// The stored time of day without its leading blanks; `lead` is "0" when the hour has
// one digit (" 9:05:01.3" gives "0" and "9:05:01.3").
std::string_view timeOfDayParts(std::string_view storedTime, std::string_view& lead) {
    while (!storedTime.empty() && storedTime.front() == ' ')
        storedTime.remove_prefix(1);
    const bool oneDigitHour = storedTime.size() > 1 && storedTime[0] != ':' && storedTime[1] == ':';
    lead = oneDigitHour ? std::string_view("0") : std::string_view();
    return storedTime;
}

// Writes the value..overload columns of one record, each with its leading comma.
// A record's display text is at most 15 bytes, the units and modes of the function
// table a few: this stays within half of kMaxTidyReadingsBytes.
// The value's text is the one `cache` keeps with it: the shortest text of the
// reading's double, made from the same digits.
void putReading(RowCursor& out, const ReadingRecord& record, RecordOrigin origin, DisplayKind kind,
                StoredValueCache& cache) {
    const TypedReading reading = ReadingOfRecord(record, origin, kind, &cache, DisplayShape::Skip);
    out.put(',');
    if (reading.hasValue())
        out.put(std::string_view(cache.text, cache.length));
    // The function table's units and modes need no quotes.
    out.put(',');
    out.put(reading.unit);
    out.put(',');
    out.put(reading.modeText());
    putStoredField(out, {}, TrimSpaces(StoredTextView(record.displayText)));
    out.put(reading.overloaded() ? std::string_view(",true") : std::string_view(",false"));
}

// Days since 1970-01-01 to year, month and day (proleptic Gregorian calendar).
void civilFromDays(std::int64_t days, std::int64_t& year, int& month, int& day) {
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const auto dayOfEra = static_cast<std::int64_t>(days - era * 146097);
    const std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t monthIndex = (5 * dayOfYear + 2) / 153;
    day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
    month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
    year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
}

std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}

} // namespace

std::string TidyHeader(TidyTime time) {
    std::string header;
    switch (time) {
    case TidyTime::DateTime:
        header = "index,time,";
        break;
    case TidyTime::TimeOfDay:
        header = "index,time_of_day,";
        break;
    case TidyTime::Session:
        header = "index,session,time,";
        break;
    }
    header += kReadingColumns;
    return header;
}

std::string TidyLongHeader(TidyTime time) {
    std::string header = TidyHeader(time);
    header.insert(std::string_view("index,").size(), "meter,");
    return header;
}

std::string TidyWideHeader(TidyTime time, std::size_t meters, bool withMath) {
    std::string header = TidyHeader(time);
    header.resize(header.size() - kReadingColumns.size() - 1); // "index,time"
    for (std::size_t m = 1; m <= meters; ++m) {
        const std::string prefix = ",M" + std::to_string(m) + "_";
        for (const char* column :
             {"value", "unit", "mode", "display", "overload", "sub_value", "sub_unit"})
            header += prefix + column;
    }
    if (withMath)
        header += ",math_value,math_unit";
    return header;
}

void AppendTidyMainReading(std::string& line, const ReadingRecord& record, RecordOrigin origin) {
    char text[kMaxTidyReadingsBytes];
    RowCursor out(text);
    StoredValueCache cache;
    cache.withText = true;
    putReading(out, record, origin, DisplayKind::Main, cache);
    line.append(text, out.at());
}

void AppendTidySubValueUnit(std::string& line, const SampleEntry& entry, RecordOrigin origin) {
    if (entry.hasSub != 1) {
        line += ",,";
        return;
    }
    char text[kMaxTidyReadingsBytes];
    RowCursor out(text);
    StoredValueCache cache;
    cache.withText = true;
    putReading(out, entry.sub, origin, DisplayKind::Sub, cache);
    // ",value,unit,mode,...": value and unit hold no comma or quote.
    const std::string_view columns(text, static_cast<std::size_t>(out.at() - text));
    const std::size_t third = columns.find(',', columns.find(',', 1) + 1);
    line.append(columns.substr(0, third));
}

void AppendTidyMathValue(std::string& line, double value) {
    line += ',';
    if (std::isfinite(value))
        AppendShortestDouble(line, value);
}

void AppendTidyField(std::string& line, std::string_view field) {
    line += ',';
    if (!needsQuotes(field)) {
        line += field;
        return;
    }
    line += '"';
    for (const char c : field) {
        if (c == '"')
            line += '"';
        line += c;
    }
    line += '"';
}

char* WriteTidyReadings(char* at, const SampleEntry& entry, RecordOrigin origin,
                        TidyValueTexts* last) {
    RowCursor out(at);
    TidyValueTexts own;
    TidyValueTexts& values = last != nullptr ? *last : own;
    putReading(out, entry.main, origin, DisplayKind::Main, values.main);
    if (entry.hasSub == 1)
        putReading(out, entry.sub, origin, DisplayKind::Sub, values.sub);
    else
        out.put(",,,,,");
    return out.at();
}

void AppendTidyReadings(std::string& line, const SampleEntry& entry, RecordOrigin origin) {
    char text[kMaxTidyReadingsBytes];
    line.append(text, WriteTidyReadings(text, entry, origin));
}

std::string IsoDateTime(std::int64_t utcMs, std::int32_t utcOffsetSeconds) {
    const std::int64_t localMs = utcMs + std::int64_t{utcOffsetSeconds} * 1000;
    const std::int64_t days = floorDiv(localMs, 86'400'000);
    const std::int64_t msOfDay = localMs - days * 86'400'000;
    std::int64_t year = 0;
    int month = 0, day = 0;
    civilFromDays(days, year, month, day);
    const int offsetMinutes = std::abs(utcOffsetSeconds) / 60;
    char text[64];
    std::snprintf(text, sizeof text, "%04lld-%02d-%02dT%02d:%02d:%02d.%03d%c%02d:%02d",
                  static_cast<long long>(year), month, day, static_cast<int>(msOfDay / 3'600'000),
                  static_cast<int>(msOfDay / 60'000 % 60), static_cast<int>(msOfDay / 1000 % 60),
                  static_cast<int>(msOfDay % 1000), utcOffsetSeconds < 0 ? '-' : '+',
                  offsetMinutes / 60, offsetMinutes % 60);
    return text;
}

std::string TimeOfDayText(std::string_view storedTime) {
    std::string_view lead;
    const std::string_view time = timeOfDayParts(storedTime, lead);
    std::string out(lead);
    for (const char c : time)
        appendStoredByte(out, c);
    return out;
}

char* WriteTidyTimeOfDay(char* at, std::string_view storedTime) {
    std::string_view lead;
    const std::string_view time = timeOfDayParts(storedTime, lead);
    RowCursor out(at);
    putStoredField(out, lead, time);
    return out.at();
}

void AppendTidyTimeOfDay(std::string& line, std::string_view storedTime) {
    // A stored time is at most 15 bytes; anything longer takes the string's way.
    char text[kMaxTidyTimeOfDayBytes];
    if (storedTime.size() <= 15) {
        line.append(text, WriteTidyTimeOfDay(text, storedTime));
        return;
    }
    std::string_view lead;
    const std::string_view time = timeOfDayParts(storedTime, lead);
    std::string buffer(3 + lead.size() + 2 * time.size(), '\0');
    RowCursor out(buffer.data());
    putStoredField(out, lead, time);
    line.append(buffer.data(), out.at());
}

std::string SessionSecondsText(std::string_view sessionTime) {
    // "%d:%02d'%4.3f\"": hours, minutes, seconds.
    const std::size_t colon = sessionTime.find(':');
    const std::size_t quote = sessionTime.find('\'');
    int hours = 0, minutes = 0;
    double seconds = 0.0;
    const char* begin = sessionTime.data();
    const char* end = begin + sessionTime.size();
    const bool readable =
        colon != std::string_view::npos && quote != std::string_view::npos && colon < quote &&
        std::from_chars(begin, begin + colon, hours).ec == std::errc() &&
        std::from_chars(begin + colon + 1, begin + quote, minutes).ec == std::errc() &&
        std::from_chars(begin + quote + 1, end, seconds, std::chars_format::fixed).ec ==
            std::errc();
    if (!readable) {
        std::string out;
        for (const char c : sessionTime)
            appendStoredByte(out, c);
        return out;
    }
    const double total = hours * 3600.0 + minutes * 60.0 + seconds;
    char text[48];
    const auto written =
        std::to_chars(text, text + sizeof text, total, std::chars_format::fixed, 3);
    return std::string(text, written.ptr);
}

} // namespace telmora
