// Eight meters on one bench: the whole program with eight simulated cables linked,
// the workspace showing every meter's card in the meter strip and the recorder
// recording at full speed, against the same program with one meter. Each case runs
// in a fresh process (this program started again with --child=N); the two cases
// take turns, so that a machine busy with other work slows both alike, and each
// figure is the median of the runs of its case.
//
//   bench_eight_meters_cpu [--runs=N] [--seconds=S] [--all-windows]
//   bench_eight_meters_cpu --memory=SECONDS
//
// --all-windows also shows every meter's digital meter, analog meter and
// comparator panels and the data list (24 live panels for eight meters).
// --memory runs eight meters alone for SECONDS after the warm-up and prints the
// resident memory at the start and at the end of that stretch.
#include "ProcessCpu.h"
#include "app/Application.h"
#include "app/Meter.h"
#include "app/UserFiles.h"
#include "meter/MeterLink.h"
#include "recording/RecorderController.h"
#include "sim/SimulatedCables.h"
#include "ui/common/WidgetDialogs.h"
#include "ui/main/LiveWindowSet.h"
#include "ui/main/MainWindow.h"
#include "ui/main/MeterStrip.h"
#include "ui/main/MeterWindowSets.h"
#include "ui/main/startup.h"
#include "ui/recorder/DataListWindow.h"
#include "ui/recorder/RecorderWindow.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace {

using telmora::bench::ProcessCpuSeconds;
using telmora::bench::ResidentMegabytes;

constexpr int kWarmUpMs = 4000;
constexpr int kEight = 8;
constexpr double kGoalPercent = 3.0;
constexpr double kGoalRatio = 2.5;
constexpr double kGoalGrowthMb = 60.0;

struct ChildOptions {
    int meters = 1;
    int measureMs = 15000;
    bool allWindows = false;
};

// Shows what a run measures: the cards, the recorder and, with `all`, every live
// panel and the data list; then records at full speed.
void showAndRecord(telmora::Application& application, telmora::MainWindow& mainWindow, bool all) {
    if (all) {
        for (int i = 0; i < application.meterCount(); ++i) {
            const telmora::LiveWindowSet set = mainWindow.meterWindows()->windowsOf(i);
            for (auto kind : {telmora::LiveWindowKind::Digital, telmora::LiveWindowKind::Analog,
                              telmora::LiveWindowKind::Comparator})
                if (QWidget* window = set.window(kind))
                    window->show();
        }
        mainWindow.dataList()->show();
    }
    mainWindow.recorder()->show();
    mainWindow.tileWindows();
    application.recording().setAcquisition(telmora::AcquisitionMode::Automatic, 0);
    application.recording().startRecording();
}

// Links the simulated cables, shows and records, and prints the CPU share of one
// core, the readings received, the cards shown and the resident memory at the
// start and at the end of the measured stretch.
int runChild(int argc, char** argv, const ChildOptions& options) {
    QLocale::setDefault(QLocale::c());
    std::vector<std::shared_ptr<telmora::SimulatedMeter>> sims;
    for (int i = 0; i < options.meters; ++i)
        sims.push_back(std::make_shared<telmora::SimulatedMeter>(telmora::SimScenario::Demo));
    auto cables = std::make_shared<telmora::SimulatedCables>(std::move(sims));
    cables->nameCables();

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Telmora"));
    telmora::Application application(cables, telmora::LocateUserFiles(QDir::currentPath()));
    telmora::WidgetDialogs dialogs;
    telmora::MainWindow mainWindow(application, dialogs);
    telmora::StartMainWindow(mainWindow, QString());
    // Wide enough for eight cards side by side.
    mainWindow.resize(1900, 1000);

    long long readings = 0;
    bool measuring = false;
    double cpuAtStart = 0.0;
    double memoryAtStart = 0.0;
    QTimer::singleShot(500, &mainWindow, [&] {
        application.linkAll();
        for (int i = 0; i < application.meterCount(); ++i)
            QObject::connect(&application.meter(i).link(), &telmora::MeterLink::readingReceived,
                             &mainWindow, [&] { readings += measuring ? 1 : 0; });
    });
    QTimer::singleShot(1500, &mainWindow,
                       [&] { showAndRecord(application, mainWindow, options.allWindows); });
    QTimer::singleShot(kWarmUpMs, &mainWindow, [&] {
        measuring = true;
        cpuAtStart = ProcessCpuSeconds();
        memoryAtStart = ResidentMegabytes();
    });
    QTimer::singleShot(kWarmUpMs + options.measureMs, &mainWindow, [&] {
        const double share =
            (ProcessCpuSeconds() - cpuAtStart) / (options.measureMs / 1000.0) * 100.0;
        const auto* strip = mainWindow.findChild<telmora::MeterStrip*>();
        std::printf("%.3f %lld %d %.1f %.1f\n", share, readings,
                    strip != nullptr ? strip->cardCount() : 0, memoryAtStart, ResidentMegabytes());
        std::fflush(stdout);
        application.recording().stopRecording();
        application.recording().clear();
        application.unlinkAll();
        QApplication::exit(0);
    });
    return QApplication::exec();
}

struct Figure {
    double cpuPercent = 0.0;
    long long readings = 0;
    int cards = 0;
    double memoryAtStart = 0.0;
    double memoryAtEnd = 0.0;
};

bool measure(const char* program, const ChildOptions& options, const QString& home,
             Figure& figure) {
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"),
               home + QStringLiteral("/config%1").arg(options.meters));
    env.insert(QStringLiteral("XDG_DATA_HOME"),
               home + QStringLiteral("/data%1").arg(options.meters));
    child.setProcessEnvironment(env);
    QStringList arguments{QStringLiteral("--child=%1").arg(options.meters),
                          QStringLiteral("--ms=%1").arg(options.measureMs)};
    if (options.allWindows)
        arguments << QStringLiteral("--all-windows");
    child.start(QString::fromLocal8Bit(program), arguments);
    const int limitMs = kWarmUpMs + options.measureMs + 120000;
    if (!child.waitForFinished(limitMs) || child.exitCode() != 0)
        return false;
    const QList<QByteArray> parts = child.readAllStandardOutput().trimmed().split(' ');
    if (parts.size() != 5)
        return false;
    figure = {parts[0].toDouble(), parts[1].toLongLong(), parts[2].toInt(), parts[3].toDouble(),
              parts[4].toDouble()};
    return true;
}

Figure median(std::vector<Figure> runs) {
    std::sort(runs.begin(), runs.end(),
              [](const Figure& a, const Figure& b) { return a.cpuPercent < b.cpuPercent; });
    return runs[runs.size() / 2];
}

// The value of "--name=value" among the arguments, or `fallback`.
int intOption(int argc, char** argv, const char* name, int fallback) {
    const std::size_t length = std::strlen(name);
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], name, length) == 0 && argv[i][length] == '=')
            return std::atoi(argv[i] + length + 1);
    return fallback;
}

bool hasOption(int argc, char** argv, const char* name) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], name) == 0)
            return true;
    return false;
}

int runMemory(const char* program, const QString& home, int seconds) {
    Figure figure;
    if (!measure(program, {kEight, seconds * 1000, false}, home, figure)) {
        std::fputs("bench_eight_meters_cpu: the run failed\n", stderr);
        return 1;
    }
    const double growth = figure.memoryAtEnd - figure.memoryAtStart;
    std::printf("eight meters linked, cards shown, recording at full speed for %d s:\n"
                "  resident memory %.1f MB at the start, %.1f MB at the end: %+.1f MB "
                "(goal <= %.0f MB after an hour) %s\n"
                "  %lld readings, %.2f %% of one core\n",
                seconds, figure.memoryAtStart, figure.memoryAtEnd, growth, kGoalGrowthMb,
                growth <= kGoalGrowthMb ? "met" : "NOT MET", figure.readings, figure.cpuPercent);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strncmp(argv[1], "--child=", 8) == 0)
        return runChild(argc, argv,
                        {std::atoi(argv[1] + 8), intOption(argc, argv, "--ms", 15000),
                         hasOption(argc, argv, "--all-windows")});

    QCoreApplication app(argc, argv);
    QTemporaryDir home;
    const int memorySeconds = intOption(argc, argv, "--memory", 0);
    if (memorySeconds > 0)
        return runMemory(argv[0], home.path(), memorySeconds);

    const int runs = std::max(1, intOption(argc, argv, "--runs", 3));
    const int measureMs = std::max(1, intOption(argc, argv, "--seconds", 15)) * 1000;
    const bool all = hasOption(argc, argv, "--all-windows");
    std::vector<Figure> ones;
    std::vector<Figure> eights;
    for (int i = 0; i < runs; ++i) {
        Figure one;
        Figure eight;
        if (!measure(argv[0], {1, measureMs, all}, home.path(), one) ||
            !measure(argv[0], {kEight, measureMs, all}, home.path(), eight)) {
            std::fputs("bench_eight_meters_cpu: a run failed\n", stderr);
            return 1;
        }
        std::printf("  run %d: 1 meter %.2f %%, 8 meters %.2f %%\n", i + 1, one.cpuPercent,
                    eight.cpuPercent);
        std::fflush(stdout);
        ones.push_back(one);
        eights.push_back(eight);
    }
    const Figure one = median(ones);
    const Figure eight = median(eights);
    const double ratio = eight.cpuPercent / one.cpuPercent;
    std::printf("linked, %s, recording at full speed, %d s each, median of %d runs taking "
                "turns:\n"
                "  1 meter:  %.2f %% of one core, %lld readings\n"
                "  8 meters: %.2f %% of one core, %lld readings, %d cards\n"
                "  8 meters %s (goal <= %.1f %%), ratio %.2f %s (goal <= %.1f)\n",
                all ? "every panel open" : "the meter strip's cards and the recorder",
                measureMs / 1000, runs, one.cpuPercent, one.readings, eight.cpuPercent,
                eight.readings, eight.cards, eight.cpuPercent <= kGoalPercent ? "met" : "NOT MET",
                kGoalPercent, ratio, ratio <= kGoalRatio ? "met" : "NOT MET", kGoalRatio);
    return 0;
}
