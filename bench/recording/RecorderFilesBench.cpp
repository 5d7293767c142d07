// Recorder files with a million samples: save, open with the second pass, text
// export of all pages, and the viewer's reduction.
#include "model/viewreduction.h"
#include "recording/RecorderFile.h"
#include "recording/recorderexport.h"
#include "recording/recordingjobs.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <string>

using namespace telmora;

namespace {

constexpr int kSamples = 1'000'000;

const SampleList& millionSamples() {
    static SampleList list = [] {
        SampleList l;
        for (int i = 0; i < kSamples; ++i) {
            SampleEntry e;
            const float v = static_cast<float>(std::sin(i * 0.001) * 12.0);
            char text[16];
            std::snprintf(text, sizeof text, "%.3f", v);
            e.main.valueText.assign(text);
            e.main.exponentText.assign("0");
            e.main.functionCode = 0x5;
            std::snprintf(text, sizeof text, "%3d:%02d:%02d.%1d", (i / 36000) % 24, (i / 600) % 60,
                          (i / 10) % 60, i % 10);
            e.main.timeText.assign(text);
            e.main.displayText.assign(e.main.valueText.view());
            e.main.unitText.assign("V");
            e.main.value = v;
            e.main.modeText.assign("AC");
            e.sub.timeText = e.main.timeText;
            if (i % 2 == 0) {
                e.hasSub = 1;
                e.sub.functionCode = 0x400;
                e.sub.displayText.assign("50.00");
                e.sub.unitText.assign("Hz");
                e.sub.value = 50.0f;
            }
            l.append(e);
        }
        return l;
    }();
    return list;
}

QTemporaryDir& workDir() {
    static QTemporaryDir dir;
    return dir;
}

QString savedFile() {
    static const QString path = [] {
        const QString p = workDir().filePath(QStringLiteral("million.g53"));
        SaveRecorderFile(p, millionSamples());
        return p;
    }();
    return path;
}

void BM_SaveG53(benchmark::State& state) {
    const SampleList& samples = millionSamples();
    const QString path = workDir().filePath(QStringLiteral("save.g53"));
    for (auto _ : state) {
        if (!SaveRecorderFile(path, samples))
            state.SkipWithError("save failed");
    }
    state.SetItemsProcessed(state.iterations() * kSamples);
}
BENCHMARK(BM_SaveG53)->Unit(benchmark::kMillisecond)->Iterations(3);

// Reading every sample and the second pass (scale, extremes, count) of the open.
void BM_OpenG53WithSecondPass(benchmark::State& state) {
    const QString path = savedFile();
    for (auto _ : state) {
        RecorderFileReader reader;
        reader.open(path);
        const LoadResult result = LoadRecording(reader, {}, [](JobStage, auto, auto) {});
        benchmark::DoNotOptimize(result.recording.maxIndex());
    }
    state.SetItemsProcessed(state.iterations() * kSamples);
}
BENCHMARK(BM_OpenG53WithSecondPass)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_TextExportAllPages(benchmark::State& state) {
    const SampleList& samples = millionSamples();
    const QString path = workDir().filePath(QStringLiteral("all.csv"));
    const std::int32_t lastPage = LastPageForCount(kSamples);
    for (auto _ : state) {
        if (!ExportRecorderText(path, samples, 1, lastPage, lastPage))
            state.SkipWithError("export failed");
    }
    state.SetItemsProcessed(state.iterations() * kSamples);
}
BENCHMARK(BM_TextExportAllPages)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ViewReduction(benchmark::State& state) {
    const SampleList& samples = millionSamples();
    for (auto _ : state) {
        ViewReduction r = ReduceForView(samples, 1570, 4712);
        benchmark::DoNotOptimize(r.indexes.data());
    }
}
BENCHMARK(BM_ViewReduction)->Unit(benchmark::kMillisecond);

} // namespace
