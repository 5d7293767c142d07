// One sample through the recorder core: copy of the live reading, conversion,
// scale and extremes, buffer append and the unbuffered write to the temporary file.
#include "model/LiveReading.h"
#include "model/sampleconversion.h"
#include "recording/Recording.h"
#include "recording/TemporaryStorage.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

using namespace telmora;

static void BM_TakeSampleWithoutDrawing(benchmark::State& state) {
    LiveReading live;
    live.mainText.assign("-1.234");
    live.mainNegative = 1;
    live.mainPrefixExponent.assign("-3");
    live.mainCode = 0x6;
    live.mainModeLabel.assign("DC");
    live.mainDisplayLine.text.assign("-1.234");
    live.mainDisplayLine.part1.assign("m");
    live.mainDisplayLine.part2.assign("V");
    live.subCode = 0x400;
    live.subText.assign("60.00");
    live.subPrefixExponent.assign("0");
    live.subDisplayLine.text.assign("60.00");
    live.subDisplayLine.part2.assign("Hz");

    QTemporaryDir dir;
    Recording recorder;
    TemporaryFileSeries files(dir.path());
    files.startNext();
    for (auto _ : state) {
        const RecorderReading r = CopyRecorderReading(live);
        const auto entry = BuildSample(r, FormatSampleTime(14, 5, 9, 300));
        benchmark::DoNotOptimize(recorder.addSample(*entry));
        files.append(*entry);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_TakeSampleWithoutDrawing)->Unit(benchmark::kMicrosecond);

static void BM_ValueConversion(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(ConvertDisplayValue(" 0.L ", false, 0x6, "3", DisplayKind::Main));
}
BENCHMARK(BM_ValueConversion);
