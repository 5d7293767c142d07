// One sample through the recorder core: copy of the live reading, conversion,
// scale and extremes, buffer append and the unbuffered write to the temporary file;
// and the statistics of a recording whose samples fall into very many groups.
#include "model/DecodedReply.h"
#include "model/sampleconversion.h"
#include "recording/Recording.h"
#include "recording/RecordingStatistics.h"
#include "recording/TemporaryStorage.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include <string>
#include <vector>

using namespace telmora;

static void BM_TakeSampleWithoutDrawing(benchmark::State& state) {
    DecodedReply live;
    live.main = MeasureDisplay("-1.234", true, 0x6, -3, DisplayKind::Main);
    live.sub = MeasureDisplay("60.00", false, 0x400, 0, DisplayKind::Sub);

    QTemporaryDir dir;
    Recording recorder;
    TemporaryFileSeries files(dir.path());
    files.startNext();
    for (auto _ : state) {
        const auto entry = BuildSample(live, FormatSampleTime(14, 5, 9, 300));
        benchmark::DoNotOptimize(recorder.addSample(*entry));
        files.append(*entry);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_TakeSampleWithoutDrawing)->Unit(benchmark::kMicrosecond);

static void BM_ValueConversion(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(
            ConvertDisplayValue(MeasureDisplay(" 0.L ", false, 0x6, 3, DisplayKind::Main)));
}
BENCHMARK(BM_ValueConversion);

// Counting a recording whose every sample is of a function and unit of its own (a
// damaged or random file), then its statistics as the overview asks for them: the
// merged blocks of the whole range. Time should grow with the samples, not with
// their square.
static void BM_StatisticsOfDistinctGroups(benchmark::State& state) {
    const auto samples = static_cast<std::size_t>(state.range(0));
    std::vector<ReadingRecord> records(samples);
    for (std::size_t i = 0; i < samples; ++i) {
        records[i].functionCode = static_cast<std::uint32_t>(i % 4096);
        records[i].unitText.assign("u" + std::to_string(i / 4096));
        records[i].valueText.assign("1.0");
        records[i].value = 1.0f;
    }
    for (auto _ : state) {
        RecordingStatistics statistics;
        for (const ReadingRecord& r : records)
            statistics.add(r);
        const GroupedStatistics shown = statistics.range(
            0, samples, [&records](std::size_t i) -> const ReadingRecord& { return records[i]; });
        benchmark::DoNotOptimize(shown.groups().size());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_StatisticsOfDistinctGroups)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
