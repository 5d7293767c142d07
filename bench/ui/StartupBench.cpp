// Start-up time: from main() to the first paint of the main window, for Telmora
// with the simulated meter and, as the baseline, for an empty main window with one
// menu. Each start runs in a fresh process (this program started again with
// --child=telmora or --child=empty); the figure is the median of eleven starts
// of each, the two kinds taking turns.
#include "app/Application.h"
#include "app/UserFiles.h"
#include "app/cablebackends.h"
#include "ui/common/WidgetDialogs.h"
#include "ui/main/MainWindow.h"
#include "ui/main/startup.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QLocale>
#include <QMainWindow>
#include <QMenuBar>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Prints the milliseconds since `start` at the first paint of the watched window
// and ends the event loop.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(Clock::time_point start) : m_start(start) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            const double ms =
                std::chrono::duration<double, std::milli>(Clock::now() - m_start).count();
            std::printf("%.2f\n", ms);
            std::fflush(stdout);
            QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    Clock::time_point m_start;
    bool m_seen = false;
};

int runEmpty(int argc, char** argv, Clock::time_point start) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("&File"))->addAction(QStringLiteral("E&xit"));
    FirstPaint watch(start);
    window.installEventFilter(&watch);
    window.show();
    return QApplication::exec();
}

int runTelmora(int argc, char** argv, Clock::time_point start) {
    QLocale::setDefault(QLocale::c());
    const std::shared_ptr<telmora::CableBackend> backend = telmora::MakeCableBackend("--simulate");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Telmora"));
    const telmora::UserFiles files = telmora::LocateUserFiles(QDir::currentPath());
    const auto stamp = [start](const char* what) {
        if (qEnvironmentVariableIsSet("TELMORA_STARTUP_PHASES"))
            std::fprintf(stderr, "%s %.1f\n", what,
                         std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    };
    stamp("qapplication");
    telmora::Application application(backend, files);
    stamp("application");
    telmora::WidgetDialogs dialogs;
    telmora::MainWindow mainWindow(application, dialogs);
    stamp("mainwindow");
    FirstPaint watch(start);
    mainWindow.installEventFilter(&watch);
    if (qEnvironmentVariableIsSet("TELMORA_STARTUP_PHASES")) {
        mainWindow.createWindows();
        stamp("windows");
    }
    telmora::StartMainWindow(mainWindow, QString());
    stamp("started");
    return QApplication::exec();
}

constexpr int kStarts = 11;

// Milliseconds to the first paint of one start of `kind`, as the child printed
// it; negative when the start failed.
double startTime(const char* program, const char* kind, const QString& home) {
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/config"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/data"));
    child.setProcessEnvironment(env);
    child.start(QString::fromLocal8Bit(program),
                {QStringLiteral("--child=%1").arg(QLatin1String(kind))});
    if (!child.waitForFinished(60000) || child.exitCode() != 0) {
        std::fprintf(stderr, "bench_startup: the %s start failed\n", kind);
        return -1.0;
    }
    return child.readAllStandardOutput().trimmed().toDouble();
}

double median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    const Clock::time_point start = Clock::now();
    if (argc > 1 && std::strcmp(argv[1], "--child=empty") == 0)
        return runEmpty(argc, argv, start);
    if (argc > 1 && std::strcmp(argv[1], "--child=telmora") == 0)
        return runTelmora(argc, argv, start);

    QCoreApplication app(argc, argv);
    QTemporaryDir home;
    // The two kinds take turns, so that a machine busy with other work slows both
    // alike; the ratio is that of the two medians.
    std::vector<double> empty;
    std::vector<double> telmora;
    for (int i = 0; i < kStarts; ++i) {
        empty.push_back(startTime(argv[0], "empty", home.path()));
        telmora.push_back(startTime(argv[0], "telmora", home.path()));
        if (empty.back() < 0.0 || telmora.back() < 0.0)
            return 1;
    }
    const double baseline = median(empty);
    const double figure = median(telmora);
    std::printf("start to the first paint (median of %d, taking turns): telmora --simulate "
                "%.1f ms, empty main window %.1f ms, ratio %.2f (goal <= 1.50)\n",
                kStarts, figure, baseline, figure / baseline);
    return 0;
}
