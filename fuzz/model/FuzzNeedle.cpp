// Arbitrary display texts, functions and limits through the live displays'
// needle and value rules: every result must be a defined needle position.
#include "model/needle.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace {

template <class T> T take(const std::uint8_t*& data, std::size_t& size) {
    T value{};
    if (size >= sizeof(T)) {
        std::memcpy(&value, data, sizeof(T));
        data += sizeof(T);
        size -= sizeof(T);
    }
    return value;
}

void check(bool ok) {
    if (!ok)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace telmora;
    const auto function = take<std::uint32_t>(data, size);
    const bool negative = take<std::uint8_t>(data, size) & 1;
    const auto upper = take<double>(data, size);
    const auto lower = take<double>(data, size);
    const auto previousFull = take<std::int64_t>(data, size);
    const auto exponent = static_cast<int>(take<std::int8_t>(data, size));
    const std::string_view rest(reinterpret_cast<const char*>(data), size);
    const Measurement main = MeasureDisplay(rest, negative, function, exponent, DisplayKind::Main);
    const Measurement sub = MeasureDisplay(rest, negative, function, exponent, DisplayKind::Sub);
    check(!main.recorded.recordable || std::isfinite(main.recorded.value));
    check(!sub.recorded.recordable || std::isfinite(sub.recorded.value));

    const AnalogScale scale = AnalogCounts(main, {0, previousFull, 2});
    const double analog = AnalogNeedleAngle(scale.counts, scale.fullScale);
    check(std::isfinite(analog) && analog >= kNeedleStop && analog <= kNeedleZero);
    const int image = AnalogScaleImage(function, scale.multiplierExponent);
    check(image == 60 || image == 100 || image == 200);
    check(MultiplierText(scale.multiplierExponent).size() <= 32);

    const float value = ComparatorValue(main, upper, lower);
    const double angle = ComparatorNeedleAngle(value, upper, lower);
    check(std::isfinite(angle) && angle >= 50.0 - 1e-9 && angle <= 130.0 + 1e-9);
    const int tone = AlarmFrequency(value, upper, lower);
    check(tone == 0 || tone == kAlarmHighHz || tone == kAlarmLowHz);
    const ComparatorLabels labels = ComparatorLabelsFor(function);
    check(labels.prefixPart.size() <= 7 && labels.unitPart.size() <= 7);

    if (const auto number = ReadDecimal(rest))
        check(std::isfinite(*number));
    return 0;
}
