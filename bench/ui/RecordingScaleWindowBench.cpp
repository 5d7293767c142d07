// The recorder window, its data list and the whole-recording viewer with a
// 10^7-sample file opened: how long the window stays busy when the opened file
// arrives, adding a sample (graph and list included), drawing a page and opening
// the overview. Usage: bench_recording_scale_window [SAMPLES] (default 10000000).
#include "../recording/scalebench.h"
#include "meter/LiveSource.h"
#include "recording/RecorderController.h"
#include "ui/recorder/DataListWindow.h"
#include "ui/recorder/RecorderWindow.h"
#include "ui/recorder/RecordingOverview.h"

#include <QApplication>
#include <QLocale>
#include <QTemporaryDir>

#include <algorithm>
#include <memory>

using namespace telmora;
using namespace telmora::bench;

namespace {

// A meter link that always has the reading last published.
struct BenchLiveSource final : LiveSource {
    LiveReading reading;
    bool isLinked() const override { return true; }
    bool readingValid() const override { return true; }
    LiveReading latestReading() const override { return reading; }
};

void publish(BenchLiveSource& live, double v) {
    char text[16];
    std::snprintf(text, sizeof text, "%6.3f", v);
    live.reading.mainText.assign(text);
    live.reading.mainNegative = v < 0;
    live.reading.mainPrefixExponent.assign("0");
    live.reading.mainCode = 0x6;
    live.reading.mainModeLabel.assign("DC");
    live.reading.mainDisplayLine.text.assign(text);
    live.reading.mainDisplayLine.part2.assign("V");
}

struct Timing {
    double mean = 0;
    double worst = 0;
};

// Runs `step` `times` times, each followed by the window's painting.
Timing timeSteps(int times, const std::function<void(int)>& step) {
    Timing t;
    for (int i = 0; i < times; ++i) {
        const double s = secondsOf([&] {
            step(i);
            QApplication::processEvents();
        });
        t.mean += s / times;
        t.worst = std::max(t.worst, s);
    }
    return t;
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
    auto list = std::make_unique<DataListWindow>(&controller);
    auto form = std::make_unique<RecorderWindow>(controller);
    form->resize(1280, 720);
    form->show();
    list->show();
    QApplication::processEvents();

    printHeader();
    // The load runs on the worker thread; what is timed here is the window taking the
    // result (pages, list, graph), the longest the window is blocked by an open.
    controller.startLoad(file);
    const double arrive = secondsOf([&] {
        controller.waitForJob();
        QApplication::processEvents();
    });
    printRow("window taking an opened file (incl. wait)", seconds(arrive), "-", 0, "-", true);
    // The statistics follow on their own thread while the window is usable.
    const double counted = secondsOf([&] {
        controller.finishStatisticsNow();
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
    printRow("add a sample incl. graph and list", seconds(add.mean), "-", 0, "<= 1 ms",
             add.mean <= 0.001);
    printRow("add a sample, worst", seconds(add.worst), "-", 0, "-", true);

    RecordingOverview overview;
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
