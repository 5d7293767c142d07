// Start-up time: from main() to the first paint of the main window, for Telmora
// with the simulated meter and, as the baseline, for an empty main window with one
// menu. Each start runs in a fresh process (this program started again with
// --child=telmora or --child=empty); the figure is the median of seven starts.
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

// Milliseconds to the first paint of seven starts of one kind, as the children
// printed them.
std::vector<double> startTimes(const char* program, const char* kind, const QString& home) {
    std::vector<double> times;
    for (int i = 0; i < 7; ++i) {
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/config"));
        env.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/data"));
        child.setProcessEnvironment(env);
        child.start(QString::fromLocal8Bit(program),
                    {QStringLiteral("--child=%1").arg(QLatin1String(kind))});
        if (!child.waitForFinished(60000) || child.exitCode() != 0) {
            std::fprintf(stderr, "bench_startup: the %s start failed\n", kind);
            return {};
        }
        times.push_back(child.readAllStandardOutput().trimmed().toDouble());
    }
    std::sort(times.begin(), times.end());
    return times;
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
    const std::vector<double> empty = startTimes(argv[0], "empty", home.path());
    const std::vector<double> telmora = startTimes(argv[0], "telmora", home.path());
    if (empty.empty() || telmora.empty())
        return 1;
    const double baseline = empty[empty.size() / 2];
    const double figure = telmora[telmora.size() / 2];
    std::printf("start to the first paint (median of 7): telmora --simulate %.1f ms, "
                "empty main window %.1f ms, ratio %.2f (goal <= 1.50)\n",
                figure, baseline, figure / baseline);
    return 0;
}
