// The recorder window, its data list and the whole-recording viewer with a
// 10^7-sample file opened: how long the window stays busy when the opened file
// arrives, adding a sample (graph and list included), drawing a page and opening
// the overview. Usage: bench_recording_scale_window [SAMPLES] (default 10000000).
#include "../recording/scalebench.h"
#include "meter/LiveSource.h"
#include "recording/RecorderController.h"
#include "ui/common/WidgetDialogs.h"
#include "ui/recorder/DataListWindow.h"
#include "ui/recorder/RecorderWindow.h"
#include "ui/recorder/RecordingOverview.h"

#include <QApplication>
#include <QEventLoop>
#include <QLocale>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <memory>

using namespace telmora;
using namespace telmora::bench;

namespace {

// A meter link that always has the reading last published.
struct BenchLiveSource final : LiveSource {
    DecodedReply reading;
    bool isLinked() const override { return true; }
    bool readingValid() const override { return true; }
    DecodedReply latestReading() const override { return reading; }
    std::uint64_t readingCount() const override { return 0; }
};

void publish(BenchLiveSource& live, double v) {
    char text[16];
    std::snprintf(text, sizeof text, "%6.3f", v);
    live.reading.main = telmora::MeasureDisplay(text, v < 0, 0x6, 0, telmora::DisplayKind::Main);
}

struct Timing {
    double mean = 0; // the step and the painting it caused
    double worst = 0;
    double updateMean = 0; // the step alone: models, graph data and list rows
};

// Runs `step` `times` times, each followed by the window's painting.
Timing timeSteps(int times, const std::function<void(int)>& step) {
    Timing t;
    for (int i = 0; i < times; ++i) {
        const double update = secondsOf([&] { step(i); });
        const double paint = secondsOf([] { QApplication::processEvents(); });
        t.mean += (update + paint) / times;
        t.updateMean += update / times;
        t.worst = std::max(t.worst, update + paint);
    }
    return t;
}

// Runs the event loop until `finished` is emitted, with a timer ticking every
// millisecond; returns the total time and the longest gap between two ticks, the
// longest the window could not answer the user.
template <typename Signal>
std::pair<double, double> longestStall(RecorderController& controller, Signal finished,
                                       const std::function<void()>& start) {
    QEventLoop loop;
    QObject::connect(&controller, finished, &loop, &QEventLoop::quit);
    QElapsedTimer sinceTick;
    double longest = 0;
    QTimer tick;
    tick.setInterval(1);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        longest = std::max(longest, static_cast<double>(sinceTick.nsecsElapsed()) / 1e9);
        sinceTick.restart();
    });
    const double total = secondsOf([&] {
        sinceTick.start();
        tick.start();
        start();
        loop.exec();
    });
    longest = std::max(longest, static_cast<double>(sinceTick.nsecsElapsed()) / 1e9);
    return {total, longest};
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QLocale::setDefault(QLocale::c());
    QApplication app(argc, argv);
    const std::int64_t samples = sampleCountArgument(argc, argv, 10'000'000);
    QTemporaryDir temporary;
    const QString dir = qEnvironmentVariableIsSet("TELMORA_BENCH_DIR")
                            ? qEnvironmentVariable("TELMORA_BENCH_DIR")
                            : temporary.path();
    const QString file = dir + QStringLiteral("/scale.g53");
    if (!writeGeneratedG53(file, samples)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
        return 1;
    }
    std::printf("%lld samples, file %s\n", static_cast<long long>(samples), qPrintable(file));

    BenchLiveSource live;
    publish(live, 1.0);
    RecorderController controller(ReadingsOf(live), dir);
    WidgetDialogs dialogs;
    auto list = std::make_unique<DataListWindow>(dialogs, &controller);
    auto form = std::make_unique<RecorderWindow>(dialogs, controller);
    form->resize(1280, 720);
    form->show();
    list->show();
    QApplication::processEvents();

    printHeader();
    // The load runs on the worker thread while the window goes on answering.
    const auto [opening, openStall] = longestStall(controller, &RecorderController::loadFinished,
                                                   [&] { controller.startLoad(file); });
    QApplication::processEvents();
    printRow("open in the window", seconds(opening), "-", 0, "-", true);
    printRow("open, longest the window stalls", seconds(openStall), "-", 0, "<= 100 ms",
             openStall <= 0.100);
    // The statistics follow on their own thread while the window is usable.
    const double counted = secondsOf([&] {
        QEventLoop untilCounted;
        QObject::connect(&controller, &RecorderController::statisticsChanged, &untilCounted,
                         &QEventLoop::quit);
        if (controller.statisticsPending())
            untilCounted.exec();
        QApplication::processEvents();
    });
    printRow("statistics counted after that (background)", seconds(counted), "-", 0, "-", true);
    if (static_cast<std::int64_t>(controller.recording().size()) != samples) {
        std::fprintf(stderr, "opened %zu samples\n", controller.recording().size());
        return 1;
    }

    const Timing page = timeSteps(60, [&](int i) {
        if (i % 3 == 0)
            form->showFirstPage();
        else
            form->showNextPage();
    });
    printRow("draw a page", seconds(page.mean), "-", 0, "<= 10 ms", page.mean <= 0.010);
    printRow("draw a page, worst", seconds(page.worst), "-", 0, "-", true);

    controller.setAcquisition(AcquisitionMode::Manual, 500);
    double v = 0.0;
    const Timing add = timeSteps(300, [&](int) {
        publish(live, v += 0.001);
        form->takeManualSample();
    });
    printRow("add a sample incl. graph and list", seconds(add.updateMean), "-", 0, "<= 1 ms",
             add.updateMean <= 0.001);
    printRow("add a sample and paint the windows", seconds(add.mean), "-", 0, "-", true);
    printRow("add a sample and paint, worst", seconds(add.worst), "-", 0, "-", true);

    // Saving and exporting all pages run on the worker thread too.
    const QString saved = dir + QStringLiteral("/window-saved.g53");
    const auto [saving, saveStall] = longestStall(controller, &RecorderController::saveFinished,
                                                  [&] { controller.startSave(saved); });
    QFile::remove(saved);
    printRow("save in the window", seconds(saving), "-", 0, "-", true);
    printRow("save, longest the window stalls", seconds(saveStall), "-", 0, "<= 100 ms",
             saveStall <= 0.100);
    const QString text = dir + QStringLiteral("/window-all.csv");
    const auto [exporting, exportStall] =
        longestStall(controller, &RecorderController::textExportFinished, [&] {
            controller.startTextExport(text, 1, controller.lastPage(), TextExportFormat::Standard);
        });
    QFile::remove(text);
    printRow("export all pages in the window", seconds(exporting), "-", 0, "-", true);
    printRow("export, longest the window stalls", seconds(exportStall), "-", 0, "<= 100 ms",
             exportStall <= 0.100);

    RecordingOverview overview(dialogs);
    overview.resize(1280, 720);
    overview.show();
    const Timing whole = timeSteps(
        5, [&](int) { overview.showRecording(controller.recording(), controller.statistics()); });
    printRow("open the overview", seconds(whole.mean), "-", 0, "<= 100 ms", whole.mean <= 0.100);
    overview.hide();

    form.reset();
    list.reset();
    if (!qEnvironmentVariableIsSet("TELMORA_BENCH_DIR"))
        QFile::remove(file);
    return 0;
}
