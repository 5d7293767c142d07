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
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

std::string_view unitOf(const ReadingRecord& record, std::uint32_t c) {
    if (const std::string_view unit = FunctionRowOf(c).siUnit; !unit.empty())
        return unit;
    // A code without a unit of its own: the stored unit text without its mode mark.
    std::string_view stored = record.unitText.view();
    return trimmed(stored.substr(0, stored.find('[')));
}

std::string_view modeOf(const ReadingRecord& record) {
    if (const std::string_view mode = trimmed(record.modeText.view()); !mode.empty())
        return mode;
    // Imported sessions keep the mode only as a mark after the unit: "V [AC]".
    const std::string_view unit = record.unitText.view();
    const std::size_t open = unit.find('[');
    const std::size_t close = unit.find(']', open);
    if (open == std::string_view::npos || close == std::string_view::npos)
        return {};
    return unit.substr(open + 1, close - open - 1);
}

bool isOverload(const ReadingRecord& record) {
    const std::string_view text = trimmed(record.valueText.view());
    return text.find('L') != std::string_view::npos || text.find("---") != std::string_view::npos;
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

SiReading ReadSi(const ReadingRecord& record, RecordOrigin origin, DisplayKind kind) {
    SiReading out;
    out.function = record.function();
    out.overload = isOverload(record);
    out.unit = unitOf(record, out.function);
    out.mode = modeOf(record);
    out.display = trimmed(record.displayText.view());
    out.prefixExponent = prefixExponentOf(record.prefixText.view());
    out.decimals = decimalsOf(out.display);
    if (!out.overload) {
        out.value = static_cast<double>(record.value);
        if (const int shift = storedShift(origin, kind, out.function); shift != 0)
            out.value *= std::pow(10.0, shift);
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
