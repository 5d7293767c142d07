#include "model/sireading.h"

#include "model/decimaltext.h"
#include "model/functiontable.h"
#include "model/storedreading.h"
#include "model/unitstrings.h"

#include <charconv>
#include <cmath>

namespace telmora {

namespace {

std::string_view trimmed(std::string_view s) {
    std::size_t begin = 0;
    std::size_t end = s.size();
    while (begin < end && s[begin] == ' ')
        ++begin;
    while (end > begin && s[end - 1] == ' ')
        --end;
    return s.substr(begin, end - begin);
}

std::string_view unitOf(const ReadingRecord& record, const FunctionRow& row) {
    if (!row.siUnit.empty())
        return row.siUnit;
    // A code without a unit of its own: the stored unit text without its mode mark.
    std::string_view stored = StoredTextView(record.unitText);
    return trimmed(stored.substr(0, stored.find('[')));
}

std::string_view modeOf(const ReadingRecord& record) {
    if (const std::string_view mode = trimmed(StoredTextView(record.modeText)); !mode.empty())
        return mode;
    // Imported sessions keep the mode only as a mark after the unit: "V [AC]".
    const std::string_view unit = StoredTextView(record.unitText);
    const std::size_t open = unit.find('[');
    if (open == std::string_view::npos)
        return {};
    const std::size_t close = unit.find(']', open);
    if (close == std::string_view::npos)
        return {};
    return unit.substr(open + 1, close - open - 1);
}

// An overload display: an "L" ("0.L", "OL") or a run of three dashes in the value
// text. One pass over the text, as every sample of an export asks.
bool isOverload(const ReadingRecord& record) {
    int dashes = 0;
    for (const char c : StoredTextView(record.valueText)) {
        if (c == 'L')
            return true;
        dashes = c == '-' ? dashes + 1 : 0;
        if (dashes == 3)
            return true;
    }
    return false;
}

// Powers of ten between the stored value and its SI value: the unit the conversion
// that made the record counted the value in.
int storedShift(RecordOrigin origin, DisplayKind kind, std::uint32_t c) {
    return origin == RecordOrigin::Recorder ? RecorderValueExponent(c, kind)
                                            : StoredValueExponent(c);
}

// The power of ten a display's prefix text stands for ("dB" and unknown texts: 0).
int prefixExponentOf(std::string_view prefix) {
    prefix = trimmed(prefix);
    if (prefix == "n")
        return -9;
    if (prefix == "u" || prefix == "\xC2\xB5")
        return -6;
    if (prefix == "m")
        return -3;
    if (prefix == "k")
        return 3;
    if (prefix == "M")
        return 6;
    return 0;
}

// Digits after the decimal point of a display text ("4.770" has 3).
int decimalsOf(std::string_view display) {
    const std::size_t point = display.find('.');
    if (point == std::string_view::npos)
        return 0;
    int digits = 0;
    for (std::size_t i = point + 1; i < display.size() && display[i] >= '0' && display[i] <= '9';
         ++i)
        ++digits;
    return digits;
}

} // namespace

SiTexts ReadSiTexts(const ReadingRecord& record, RecordOrigin origin, DisplayKind kind) {
    const std::uint32_t function = record.function();
    const FunctionRow& row = FunctionRowOf(function);
    SiTexts out;
    out.overload = isOverload(record);
    out.unit = unitOf(record, row);
    out.mode = modeOf(record);
    out.display = trimmed(StoredTextView(record.displayText));
    // storedShift without a second look at the table (RecorderValueExponent: main only).
    out.shift = origin == RecordOrigin::Recorder
                    ? (kind == DisplayKind::Main ? row.valueExponent : 0)
                    : StoredValueExponent(function);
    return out;
}

SiReading ReadSi(const ReadingRecord& record, RecordOrigin origin, DisplayKind kind) {
    const SiTexts texts = ReadSiTexts(record, origin, kind);
    SiReading out;
    out.function = record.function();
    out.overload = texts.overload;
    out.unit = texts.unit;
    out.mode = texts.mode;
    out.display = texts.display;
    out.prefixExponent = prefixExponentOf(record.prefixText.view());
    out.decimals = decimalsOf(out.display);
    if (!out.overload) {
        out.value = static_cast<double>(record.value);
        if (texts.shift != 0)
            out.value *= std::pow(10.0, texts.shift);
    }
    return out;
}

std::string SiValueText(const ReadingRecord& record, RecordOrigin origin, DisplayKind kind) {
    std::string text;
    if (!isOverload(record))
        AppendSiValueText(text, record, origin, kind);
    return text;
}

void AppendSiValueText(std::string& out, const ReadingRecord& record, RecordOrigin origin,
                       DisplayKind kind) {
    AppendShortestDecimal(out, record.value, storedShift(origin, kind, record.function()));
}

} // namespace telmora
