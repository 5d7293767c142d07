// The recorder window's open of a million-sample file (with the progress window,
// the data list and the graph) and the graph viewer's opening over the same data.
#include "ScriptedDialogs.h"
#include "recording/RecorderController.h"
#include "recording/RecorderFile.h"
#include "recording/RecordingStatistics.h"
#include "ui/chart/ChartWidget.h"
#include "ui/common/ProgressWindow.h"
#include "ui/recorder/DataListWindow.h"
#include "ui/recorder/RecorderWindow.h"

#include "ui/recorder/RecordingOverview.h"
#include <QSignalSpy>

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <memory>

using namespace telmora;

namespace {

constexpr int kSamples = 1'000'000;

QApplication& app() {
    static int argc = 1;
    static char name[] = "bench";
    static char* argv[] = {name, nullptr};
    static std::unique_ptr<QApplication> instance = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return std::make_unique<QApplication>(argc, argv);
    }();
    return *instance;
}

QString millionFile(QTemporaryDir& dir) {
    SampleList l;
    for (int i = 0; i < kSamples; ++i) {
        SampleEntry e;
        const float v = static_cast<float>(std::sin(i * 0.001) * 12.0);
        char text[16];
        std::snprintf(text, sizeof text, "%.3f", v);
        e.main.displayText.assign(text);
        e.main.unitText.assign("V");
        e.main.functionCode = 0x6;
        std::snprintf(text, sizeof text, "%3d:%02d:%02d.%1d", (i / 36000) % 24, (i / 600) % 60,
                      (i / 10) % 60, i % 10);
        e.main.timeText.assign(text);
        e.main.value = v;
        l.append(e);
    }
    const QString path = dir.filePath(QStringLiteral("million.g53"));
    SaveRecorderFile(path, l);
    return path;
}

struct Windows3 {
    explicit Windows3(UserDialogs& dialogs)
        : list{dialogs, &controller}, form{dialogs, controller} {
        form.resize(1200, 700);
        form.show();
        list.show();
    }
    QTemporaryDir dir;
    RecorderController controller{DecodedReplySource{}, dir.path()};
    DataListWindow list;
    RecorderWindow form;
};

void BM_WindowOpenMillion(benchmark::State& state) {
    app();
    QTemporaryDir dir;
    const QString path = millionFile(dir);
    ScriptedDialogs dialogs; // every box answered with OK
    dialogs.onFile = [&](const FileDialogRequest&) { return std::optional<QString>(path); };
    for (auto _ : state) {
        state.PauseTiming();
        auto w = std::make_unique<Windows3>(dialogs);
        QApplication::processEvents();
        state.ResumeTiming();
        QSignalSpy loaded(&w->controller, &RecorderController::loadFinished);
        w->form.openRecording();
        loaded.wait(600000);
        state.PauseTiming();
        if (w->form.recording().sampleCount() != kSamples)
            state.SkipWithError("not every sample loaded");
        w.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_WindowOpenMillion)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_ViewerOpeningMillion(benchmark::State& state) {
    app();
    QTemporaryDir dir;
    const QString path = millionFile(dir);
    RecorderFileReader reader;
    reader.open(path);
    const LoadResult loaded = LoadRecording(reader, {}, [](JobStage, auto, auto) {});
    const Recording& recorder = loaded.recording;
    // Counted once, as the recorder counts them after opening the file.
    const std::optional<RecordingStatistics> statistics =
        CountRecordingStatistics(recorder.records(), static_cast<std::int64_t>(recorder.size()));
    ScriptedDialogs dialogs;
    RecordingOverview viewer(dialogs);
    viewer.resize(1600, 900);
    viewer.show();
    QApplication::processEvents();
    auto* chart = viewer.findChild<ChartWidget*>(QStringLiteral("ChartWidgetView"));
    for (auto _ : state) {
        viewer.showRecording(recorder, *statistics);
        chart->repaint(); // the plot drawn on screen
        state.PauseTiming();
        viewer.releaseRecording();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ViewerOpeningMillion)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace
