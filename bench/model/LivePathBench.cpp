// The live path of one reply as the three live windows see it: the decode into the
// two displays' measurements, then what the analog meter (needle position), the
// comparator (value, needle, alarm verdict) and the digital meter (its texts)
// compute from the main measurement.
#include "model/decode.h"
#include "model/needle.h"
#include "sim/DisplayEncoder.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

std::vector<std::array<std::uint8_t, telmora::kReplySize>> LiveReplies() {
    using namespace telmora;
    std::vector<std::array<std::uint8_t, kReplySize>> replies;
    const char* texts[] = {" 1.234", "-12.34", " 0.L ", "----", "25C", "0.000", "4.700", "12.00"};
    const std::uint32_t codes[] = {0x6, 0x5, 0x180, 0x8020, 0x8020, 0x1000005, 0x8, 0x1000};
    const int exponents[] = {0, -3, 6, 0, 0, 0, -9, -9};
    for (int i = 0; i < 8; ++i) {
        DesiredReading d;
        SetDisplayText(texts[i], d.main);
        SetDisplayText("50.00", d.sub);
        d.main.code = codes[i];
        d.sub.code = i % 2 ? 0x400 : 0;
        d.main.prefixExponent = exponents[i];
        replies.push_back(EncodeDisplay(d));
    }
    return replies;
}

void BM_LivePath(benchmark::State& state) {
    const auto replies = LiveReplies();
    telmora::DecodedReply reading;
    telmora::AnalogScale scale = telmora::AnalogRestScale();
    std::string digital;
    std::size_t i = 0;
    for (auto _ : state) {
        telmora::DecodeReply(replies[i], reading);
        // Analog meter: counts and needle angle.
        scale = telmora::AnalogCounts(reading.main, scale);
        const double needle = telmora::AnalogNeedleAngle(scale.counts, scale.fullScale);
        // Comparator: value, needle and alarm verdict.
        const float value = telmora::ComparatorValue(reading.main, 5.0, -5.0);
        const double dial = telmora::ComparatorNeedleAngle(value, 5.0, -5.0);
        const int alarm = telmora::AlarmFrequency(value, 5.0, -5.0);
        // Digital meter: its texts.
        digital.assign(reading.main.text.view());
        digital.append(reading.main.line.part1.view());
        digital.append(reading.main.line.part2.view());
        digital.append(reading.sub.line.text.view());
        benchmark::DoNotOptimize(needle);
        benchmark::DoNotOptimize(dial);
        benchmark::DoNotOptimize(alarm);
        benchmark::DoNotOptimize(digital);
        i = (i + 1) % replies.size();
    }
    state.counters["replies_per_s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_LivePath);

} // namespace
