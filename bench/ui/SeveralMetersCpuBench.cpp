// CPU of several linked meters: the whole program with 1 and with 3 simulated
// cables linked, every live window of every meter open with the recorder and the
// data list, recording at full speed. Each case runs in a fresh process (this
// program started again with --child=N) and measures its own CPU time over a
// stretch of wall time after a warm-up; the figure to watch is the ratio, which
// should stay at or below the number of meters.
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
#include "ui/main/MeterWindowSets.h"
#include "ui/main/startup.h"
#include "ui/recorder/DataListWindow.h"
#include "ui/recorder/RecorderWindow.h"

#include <QApplication>
#include <QDir>
#include <QLocale>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace {

using telmora::bench::ProcessCpuSeconds;

constexpr int kWarmUpMs = 3000;
constexpr int kMeasureMs = 15000;

// Links `meters` simulated cables, opens every window, records, and prints the
// CPU share of one core and the readings received while measuring.
int runChild(int argc, char** argv, int meters) {
    QLocale::setDefault(QLocale::c());
    std::vector<std::shared_ptr<telmora::SimulatedMeter>> sims;
    for (int i = 0; i < meters; ++i)
        sims.push_back(std::make_shared<telmora::SimulatedMeter>(telmora::SimScenario::Demo));
    auto cables = std::make_shared<telmora::SimulatedCables>(std::move(sims));
    cables->nameCables();

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Telmora"));
    telmora::Application application(cables, telmora::LocateUserFiles(QDir::currentPath()));
    telmora::WidgetDialogs dialogs;
    telmora::MainWindow mainWindow(application, dialogs);
    telmora::StartMainWindow(mainWindow, QString());

    long long readings = 0;
    bool measuring = false;
    double cpuAtStart = 0.0;
    QTimer::singleShot(500, &mainWindow, [&] {
        application.linkAll();
        for (int i = 0; i < application.meterCount(); ++i)
            QObject::connect(&application.meter(i).link(), &telmora::MeterLink::readingReceived,
                             &mainWindow, [&] { readings += measuring ? 1 : 0; });
    });
    QTimer::singleShot(1500, &mainWindow, [&] {
        for (int i = 0; i < application.meterCount(); ++i) {
            const telmora::LiveWindowSet set = mainWindow.meterWindows()->windowsOf(i);
            for (auto kind : {telmora::LiveWindowKind::Digital, telmora::LiveWindowKind::Analog,
                              telmora::LiveWindowKind::Comparator})
                if (QWidget* window = set.window(kind))
                    window->show();
        }
        mainWindow.recorder()->show();
        mainWindow.dataList()->show();
        mainWindow.tileWindows();
        application.recording().setAcquisition(telmora::AcquisitionMode::Automatic, 0);
        application.recording().startRecording();
    });
    QTimer::singleShot(kWarmUpMs, &mainWindow, [&] {
        measuring = true;
        cpuAtStart = ProcessCpuSeconds();
    });
    QTimer::singleShot(kWarmUpMs + kMeasureMs, &mainWindow, [&] {
        const double share = (ProcessCpuSeconds() - cpuAtStart) / (kMeasureMs / 1000.0) * 100.0;
        std::printf("%.2f %lld\n", share, readings);
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
};

bool measure(const char* program, int meters, const QString& home, Figure& figure) {
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/config%1").arg(meters));
    env.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/data%1").arg(meters));
    child.setProcessEnvironment(env);
    child.start(QString::fromLocal8Bit(program), {QStringLiteral("--child=%1").arg(meters)});
    if (!child.waitForFinished(120000) || child.exitCode() != 0)
        return false;
    const QList<QByteArray> parts = child.readAllStandardOutput().trimmed().split(' ');
    if (parts.size() != 2)
        return false;
    figure = {parts[0].toDouble(), parts[1].toLongLong()};
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strncmp(argv[1], "--child=", 8) == 0)
        return runChild(argc, argv, std::atoi(argv[1] + 8));

    QCoreApplication app(argc, argv);
    QTemporaryDir home;
    Figure one;
    Figure three;
    if (!measure(argv[0], 1, home.path(), one) || !measure(argv[0], 3, home.path(), three)) {
        std::fputs("bench_several_meters_cpu: a run failed\n", stderr);
        return 1;
    }
    std::printf("linked, every window open, recording at full speed, %d s each:\n"
                "  1 meter:  %.2f %% of one core, %lld readings\n"
                "  3 meters: %.2f %% of one core, %lld readings\n"
                "  ratio %.2f (goal <= 3.00)\n",
                kMeasureMs / 1000, one.cpuPercent, one.readings, three.cpuPercent, three.readings,
                three.cpuPercent / one.cpuPercent);
    return 0;
}
