#include "model/TypedReading.h"

#include "model/decimaltext.h"
#include "model/storedreading.h"
#include "model/trimming.h"

#include <bit>
#include <cmath>

namespace telmora {

namespace {

// What a stored value text shows besides a number: an "L" ("0.L", "OL") is an
// overload, a run of three dashes an open input. One pass over the text, as every
// sample of an export asks.
ReadingState stateOfValueText(std::string_view text) {
    int dashes = 0;
    for (const char c : text) {
        if (c == 'L')
            return ReadingState::Overload;
        dashes = c == '-' ? dashes + 1 : 0;
        if (dashes == 3)
            return ReadingState::Open;
    }
    return ReadingState::Value;
}

// The mode of a display of `row`: the sub display shows its own mode label live, and
// the logger import leaves the DC marks off the sub display.
Mode modeOf(const FunctionRow& row, RecordOrigin origin, DisplayKind kind) {
    if (kind == DisplayKind::Main)
        return row.mode;
    if (origin == RecordOrigin::Recorder)
        return row.liveSubMode;
    return row.mode == Mode::Dc || row.mode == Mode::DcAc ? Mode::None : row.mode;
}

// The power of ten the prefix of a stored display stands for ("dB" and unknown
// texts: 0).
int prefixExponentOf(std::string_view prefix) {
    prefix = TrimSpaces(prefix);
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

} // namespace

TypedReading ReadingOfMeasurement(const Measurement& measurement) {
    const FunctionRow& row = measurement.row();
    TypedReading out;
    out.function = measurement.functionCode();
    out.mode = measurement.kind == DisplayKind::Main ? row.mode : row.liveSubMode;
    out.unit = row.siUnit;
    out.prefixExponent = measurement.prefixExponent;
    out.decimals = measurement.decimals;
    if (measurement.overload)
        out.state = ReadingState::Overload;
    else if (measurement.open)
        out.state = ReadingState::Open;
    else if (measurement.hasNumber() && std::isfinite(measurement.value))
        out.state = ReadingState::Value;
    if (out.hasValue())
        out.value = measurement.value;
    return out;
}

TypedReading ReadingOfRecord(const ReadingRecord& record, RecordOrigin origin, DisplayKind kind,
                             StoredValueCache* cache, DisplayShape shape) {
    const std::uint32_t function = record.function();
    const FunctionRow& row = FunctionRowOf(function);
    TypedReading out;
    out.function = function;
    out.mode = modeOf(row, origin, kind);
    out.unit = row.siUnit;
    if (shape == DisplayShape::Read) {
        out.prefixExponent = prefixExponentOf(StoredTextView(record.prefixText));
        out.decimals = DecimalsOf(TrimSpaces(StoredTextView(record.displayText)));
    }
    const std::string_view valueText = StoredTextView(record.valueText);
    // A gap keeps NaN as its value and no texts.
    if (std::isnan(record.value) && valueText.empty() && record.displayText.empty())
        return out;
    out.state = stateOfValueText(valueText);
    if (out.state != ReadingState::Value)
        return out;
    const int shift = origin == RecordOrigin::Session
                          ? StoredValueExponent(function)
                          : (kind == DisplayKind::Main ? row.valueExponent : 0);
    const auto bits = std::bit_cast<std::uint32_t>(record.value);
    if (cache == nullptr) {
        out.value = ShortestDecimalValue(record.value, shift);
    } else if (cache->known && cache->bits == bits && cache->shift == shift) {
        out.value = cache->value;
    } else {
        cache->known = true;
        cache->bits = bits;
        cache->shift = shift;
        if (cache->withText)
            cache->length = WriteShortestDecimal(cache->text, record.value, shift, cache->value);
        else
            cache->value = ShortestDecimalValue(record.value, shift);
        out.value = cache->value;
    }
    if (std::isnan(out.value))
        out.state = ReadingState::None; // a stored infinity or NaN is no number
    return out;
}

} // namespace telmora
