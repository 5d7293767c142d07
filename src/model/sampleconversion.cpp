#include "model/sampleconversion.h"

#include "model/decimaltext.h"
#include "model/functiontable.h"
#include "model/trimming.h"

#include <cstdio>

namespace telmora {

namespace {

void fillRecord(ReadingRecord& record, const Measurement& m, std::string_view valueText,
                float value, std::string_view timeText) {
    record.valueText.assign(valueText);
    record.exponentText.assign(ExponentText(m.prefixExponent));
    record.functionCode = m.code;
    record.timeText.assign(timeText);
    record.displayText.assign(m.line.text.view());
    record.prefixText.assign(m.line.part1.view());
    record.unitText.assign(m.line.part2.view().substr(0, 7)); // written up to 8 bytes
    record.value = value;
    record.modeText.assign(m.modeLabel.view());
}

} // namespace

int RecorderValueExponent(std::uint32_t code, DisplayKind kind) {
    if (kind != DisplayKind::Main)
        return 0;
    return FunctionRowOf(code).valueExponent;
}

std::optional<double> ParseDisplayNumber(std::string_view s) {
    // A display never shows a plus sign.
    if (!s.empty() && s.front() == '+')
        return std::nullopt;
    return ReadDecimal(s);
}

std::optional<ConvertedValue> ConvertDisplayValue(const Measurement& display) {
    if (!display.recorded.recordable)
        return std::nullopt;
    return ConvertedValue{display.recorded.text.str(), display.recorded.value};
}

std::string FormatSampleTime(int hour, int minute, int second, int millisecond) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%3d:%02d:%02d.%1d", hour, minute, second, millisecond / 100);
    return buf;
}

std::optional<SampleEntry> BuildSample(const DecodedReply& r, std::string_view timeText) {
    if (!r.main.recorded.recordable)
        return std::nullopt;
    const bool hasSub = r.sub.functionCode() != 0;
    if (hasSub && !r.sub.recorded.recordable)
        return std::nullopt;

    SampleEntry e;
    e.hasSub = hasSub ? 1 : 0;
    fillRecord(e.main, r.main, r.main.recorded.text.view(), r.main.recorded.value, timeText);
    if (hasSub)
        fillRecord(e.sub, r.sub, r.sub.recorded.text.view(), r.sub.recorded.value, timeText);
    else
        fillRecord(e.sub, r.sub, TrimSpaces(r.sub.text.view()), 0.0f, timeText);
    return e;
}

} // namespace telmora
