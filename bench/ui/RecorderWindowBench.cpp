// The recorder window with a million samples in its buffer and data list:
// memory, adding one sample (graph append and list update included) and drawing
// a page.
#include "meter/LiveSource.h"
#include "model/sampleconversion.h"
#include "recording/RecorderController.h"
#include "ui/chart/ChartWidget.h"
#include "ui/common/WidgetDialogs.h"
#include "ui/recorder/DataListWindow.h"
#include "ui/recorder/RecorderWindow.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cmath>
#include <memory>

using namespace telmora;

namespace {

// A meter link that always has the same reading.
struct BenchLiveSource final : telmora::LiveSource {
    bool linked = false;
    bool valid = false;
    telmora::DecodedReply reading;
    bool isLinked() const override { return linked; }
    bool readingValid() const override { return valid; }
    telmora::DecodedReply latestReading() const override { return reading; }
    std::uint64_t readingCount() const override { return 0; }
};

// The meter link the recorder samples.
BenchLiveSource g_live;

constexpr std::int64_t kSamples = 1'000'000;

long residentKiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').front().toLong();
    return 0;
}

void publish(double v) {
    DecodedReply live;
    char text[16];
    std::snprintf(text, sizeof text, "%6.3f", v);
    live.main = MeasureDisplay(text, v < 0, 0x6, 0, DisplayKind::Main);
    g_live.reading = live;
    g_live.valid = true;
    g_live.linked = true;
}

// One window with a million samples, built once for all benchmarks.
struct Recorder {
    QTemporaryDir dir;
    WidgetDialogs dialogs;
    std::unique_ptr<RecorderController> controller;
    std::unique_ptr<DataListWindow> list;
    std::unique_ptr<RecorderWindow> form;
    long memoryKiB = 0;

    Recorder() {
        const long before = residentKiB();
        controller = std::make_unique<RecorderController>(ReadingsOf(g_live), dir.path());
        // Fill the recording before the windows bind to it (as a loaded file would),
        // then list every line.
        RecorderController& state = *controller;
        // Manual mode: every sample goes to a temporary file, as the recorder takes it.
        state.setAcquisition(AcquisitionMode::Manual, 500);
        publish(1.0);
        auto entry = *BuildSample(g_live.reading, FormatSampleTime(10, 0, 0, 0));
        for (std::int64_t i = 0; i < kSamples; ++i) {
            entry.main.value = static_cast<float>(std::sin(i * 0.01) * 5.0);
            state.addSample(entry);
        }
        list = std::make_unique<DataListWindow>(dialogs, controller.get());
        form = std::make_unique<RecorderWindow>(dialogs, *controller);
        form->resize(1280, 720);
        form->show();
        list->show();
        list->addLine(kSamples - 1);
        QApplication::processEvents();
        memoryKiB = residentKiB() - before;
        controller->setAcquisition(AcquisitionMode::Manual, 500); // manual: one sample per call
        form->showLastPage();
        QApplication::processEvents();
    }
};

std::unique_ptr<Recorder> g_recorder;

Recorder& recorder() {
    if (!g_recorder)
        g_recorder = std::make_unique<Recorder>();
    return *g_recorder;
}

} // namespace

static void BM_MemoryForAMillionSamples(benchmark::State& state) {
    Recorder& r = recorder();
    for (auto _ : state)
        benchmark::DoNotOptimize(r.memoryKiB);
    state.counters["MB"] = double(r.memoryKiB) / 1024.0;
    state.counters["pages"] = r.list->pageCount();
}
BENCHMARK(BM_MemoryForAMillionSamples)->Iterations(1);

static void BM_AddSampleAndRepaintAtAMillion(benchmark::State& state) {
    Recorder& r = recorder();
    double v = 0.0;
    for (auto _ : state) {
        publish(v += 0.001);
        r.form->takeManualSample();    // take, append to graph, post to the list
        QApplication::processEvents(); // the list adds its line, the graph repaints
    }
    state.counters["samples"] = double(r.form->recording().sampleCount());
}
BENCHMARK(BM_AddSampleAndRepaintAtAMillion)->Unit(benchmark::kMillisecond)->Iterations(300);

static void BM_AddSampleAtAMillion(benchmark::State& state) {
    Recorder& r = recorder();
    double v = 0.0;
    for (auto _ : state) {
        publish(v += 0.001);
        r.form->takeManualSample();
        // Whatever the list has queued is delivered; painting is left out.
        QApplication::sendPostedEvents(r.list.get());
    }
}
BENCHMARK(BM_AddSampleAtAMillion)->Unit(benchmark::kMillisecond)->Iterations(300);

static void BM_AddSampleWithoutDataListAtAMillion(benchmark::State& state) {
    Recorder& r = recorder();
    QObject::disconnect(r.controller.get(), nullptr, r.list.get(), nullptr);
    double v = 0.0;
    for (auto _ : state) {
        publish(v += 0.001);
        r.form->takeManualSample();
    }
    r.list->bindTo(*r.controller);
    r.list->addLine(r.form->recording().sampleCount() - 1);
}
BENCHMARK(BM_AddSampleWithoutDataListAtAMillion)->Unit(benchmark::kMillisecond)->Iterations(300);

static void BM_DataListAddLine(benchmark::State& state) {
    Recording buffer;
    SampleEntry e;
    e.main.timeText.assign(" 10:00:00.0");
    e.main.displayText.assign("1.234");
    for (int i = 0; i < 20000; ++i)
        buffer.addSample(e);
    WidgetDialogs dialogs;
    DataListWindow list(dialogs);
    list.setRecording(&buffer);
    list.show();
    list.addLine(19999);
    QApplication::processEvents();
    for (auto _ : state) {
        list.addLine(static_cast<std::int64_t>(buffer.addSample(e)));
    }
}
BENCHMARK(BM_DataListAddLine)->Unit(benchmark::kMicrosecond)->Iterations(2000);

static void BM_DrawPageAtAMillion(benchmark::State& state) {
    Recorder& r = recorder();
    for (auto _ : state) {
        r.form->showFirstPage();
        for (int i = 1; i < 3; ++i)
            r.form->showNextPage();    // three page draws
        QApplication::processEvents(); // the graph replotted and painted
    }
    state.SetItemsProcessed(state.iterations() * 3);
}
BENCHMARK(BM_DrawPageAtAMillion)->Unit(benchmark::kMillisecond)->Iterations(50);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QLocale::setDefault(QLocale::c());
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_recorder.reset(); // windows go before the application object
    return 0;
}
