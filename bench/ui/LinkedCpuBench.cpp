// CPU of the whole program while one meter is linked through the real cable
// backend: every panel of the main window is shown (digital meter, analog meter,
// comparator, recorder, data list, overview and logger); the recorder either
// waits or records every reading. The cable is the hidapi stand-in (linked in place of the
// library), answering each poll after 100 to 250 ms like the meter does. What answers behind it is
// no simulation: the replies were computed before the measurement (by the simulated meter, then
// replayed), so the figure counts none of the simulation's work. The stand-in's own work (a queue
// and a condition variable per report) stays in, as the real library's system calls would.
//
// Each case runs in a fresh process (this program again with --child=CASE),
// waits out a warm-up and measures its own CPU time (every thread) over 15 s of
// wall time. On a virtual machine the CPU time of the same work varies much from
// run to run, so each case runs five times, interleaved with the others, and the
// median is given with the range. The baseline is the same program with the same windows open and
// no cable linked. Run it under a real X server for painting costs to count, e.g.
//   xvfb-run -a -s '-screen 0 1600x1000x24' build/dev/bench/bench_linked_cpu
// (offscreen works too but paints into memory only; the platform is printed).
#include "HidStub.h"
#include "ProcessCpu.h"

#include "app/Application.h"
#include "app/Meter.h"
#include "app/UserFiles.h"
#include "meter/CableProtocol.h"
#include "meter/HidapiBackend.h"
#include "meter/MeterLink.h"
#include "recording/RecorderController.h"
#include "sim/SimulatedMeter.h"
#include "ui/common/WidgetDialogs.h"
#include "ui/main/LiveWindowSet.h"
#include "ui/main/MainWindow.h"
#include "ui/main/MeterWindowSets.h"
#include "ui/main/startup.h"
#include "ui/recorder/DataListWindow.h"
#include "ui/recorder/RecorderWindow.h"
#include "ui/recorder/RecordingOverview.h"

#include <QApplication>
#include <QDir>
#include <QLocale>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace {

using telmora::bench::ProcessCpuSeconds;

constexpr int kWarmUpMs = 4000;
constexpr int kMeasureMs = 15000;
constexpr int kReplies = 400; // replayed in a loop; more than a measurement takes
constexpr int kRuns = 5;

enum class Case { Idle = 0, Linked = 1, Recording = 2 };

using Report = std::array<std::uint8_t, telmora::kInputReportSize>;
using Reply = std::vector<Report>;

// What the meter says, recorded once before the program starts.
struct Recorded {
    std::vector<telmora::HidInterfaceInfo> interfaces;
    std::string cablePath;
    std::optional<telmora::HidAttributes> attributes;
    std::optional<std::array<std::uint8_t, telmora::kSerialBytes>> serial;
    std::vector<Reply> replies;
};

Recorded recordMeter() {
    telmora::SimulatedMeter sim(telmora::SimScenario::Demo, false);
    Recorded r;
    r.interfaces = sim.interfaces();
    for (const telmora::HidInterfaceInfo& i : r.interfaces)
        if (i.attributes.vendorId == telmora::kCableVendorId &&
            i.attributes.productId == telmora::kCableProductId)
            r.cablePath = i.path;
    std::unique_ptr<telmora::CableDevice> device = sim.open(r.cablePath);
    r.attributes = device->attributes();
    r.serial = device->serialNumber();
    const std::array<std::uint8_t, telmora::kOutputReportSize> poll{
        0, 0, telmora::CommandByte(telmora::CableCommand::Poll),
        telmora::CommandByte(telmora::CableCommand::PollArgument)};
    for (int n = 0; n < kReplies; ++n) {
        device->write(poll, std::chrono::milliseconds(0));
        Reply reply;
        for (;;) {
            Report report{};
            const telmora::ReadOutcome out = device->read(report, std::chrono::milliseconds(0));
            if (out.result != telmora::CableResult::Done || out.transferred == 0)
                break;
            reply.push_back(report);
        }
        r.replies.push_back(std::move(reply));
    }
    return r;
}

// The cable replaying the recorded replies, one per poll command.
class ReplayDevice final : public telmora::CableDevice {
public:
    ReplayDevice(const Recorded& recorded, std::size_t& next)
        : m_recorded(recorded), m_next(next) {}
    std::int32_t write(std::span<const std::uint8_t, telmora::kOutputReportSize> report,
                       std::chrono::milliseconds) override {
        if (report[2] == telmora::CommandByte(telmora::CableCommand::Poll)) {
            const Reply& reply = m_recorded.replies[m_next++ % m_recorded.replies.size()];
            m_pending.assign(reply.begin(), reply.end());
        }
        return telmora::CableResult::Done;
    }
    telmora::ReadOutcome read(std::span<std::uint8_t, telmora::kInputReportSize> report,
                              std::chrono::milliseconds) override {
        if (m_pending.empty())
            return {telmora::CableResult::TimedOut, 0};
        std::copy(m_pending.front().begin(), m_pending.front().end(), report.begin());
        m_pending.pop_front();
        return {telmora::CableResult::Done, telmora::kInputReportSize};
    }
    void cancel() override { m_pending.clear(); }
    void cancelReads() override {}
    std::optional<telmora::HidAttributes> attributes() override { return m_recorded.attributes; }
    std::optional<std::array<std::uint8_t, telmora::kSerialBytes>> serialNumber() override {
        return m_recorded.serial;
    }

private:
    const Recorded& m_recorded;
    std::size_t& m_next;
    std::deque<Report> m_pending;
};

class ReplayMeter final : public telmora::CableBackend {
public:
    explicit ReplayMeter(Recorded recorded) : m_recorded(std::move(recorded)) {}
    std::vector<telmora::HidInterfaceInfo> interfaces() override { return m_recorded.interfaces; }
    std::unique_ptr<telmora::CableDevice> open(const std::string& path) override {
        if (path != m_recorded.cablePath)
            return nullptr;
        return std::make_unique<ReplayDevice>(m_recorded, m_next);
    }

private:
    Recorded m_recorded;
    std::size_t m_next = 0;
};

// With TELMORA_BENCH_PAINTS set, a run with --child=CASE counts the paint cycles
// per window and the paint and layout events per widget while measuring and
// lists them on the error output: a look at where painting goes (the filter
// costs a little CPU itself).
class PaintCounter : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        const char* kind = type == QEvent::Paint           ? "paints: "
                           : type == QEvent::LayoutRequest ? "layouts: "
                           : type == QEvent::UpdateRequest ? "paint cycles: "
                                                           : nullptr;
        if (counting && kind != nullptr && watched->isWidgetType()) {
            const QWidget* widget = static_cast<QWidget*>(watched);
            ++counts[QString::fromLatin1(kind) + widget->window()->objectName() +
                     QStringLiteral(" / ") +
                     QString::fromLatin1(widget->metaObject()->className()) + QStringLiteral(" ") +
                     widget->objectName()];
        }
        return false;
    }
    void print(long long readings) const {
        for (auto i = counts.cbegin(); i != counts.cend(); ++i)
            std::fprintf(stderr, "  %6.2f per reading, %s\n",
                         readings > 0 ? double(i.value()) / double(readings) : 0.0,
                         qPrintable(i.key()));
    }
    bool counting = false;
    QMap<QString, long long> counts;
};

// Every panel of the workspace shown, in the default arrangement: the live
// displays, the recorder with the overview and the logger as its tabs, and the
// data list.
void showWindows(telmora::MainWindow& mainWindow) {
    const telmora::LiveWindowSet set = mainWindow.meterWindows()->windowsOf(0);
    for (auto kind : {telmora::LiveWindowKind::Digital, telmora::LiveWindowKind::Analog,
                      telmora::LiveWindowKind::Comparator})
        if (QWidget* window = set.window(kind))
            window->show();
    for (QWidget* panel : {mainWindow.loggerWindow(), static_cast<QWidget*>(mainWindow.overview()),
                           static_cast<QWidget*>(mainWindow.dataList()),
                           static_cast<QWidget*>(mainWindow.recorder())})
        panel->show();
    mainWindow.tileWindows();
}

// Runs one case and prints the CPU share of one core and the readings received
// while measuring.
int runChild(int argc, char** argv, Case which) {
    QLocale::setDefault(QLocale::c());
    ReplayMeter meter(recordMeter());
    hidstub::reset(&meter, 2);
    hidstub::setReplyTime(std::chrono::milliseconds(100), std::chrono::milliseconds(250));

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Telmora"));
    telmora::Application application(std::make_shared<telmora::HidapiBackend>(),
                                     telmora::LocateUserFiles(QDir::currentPath()));
    telmora::WidgetDialogs dialogs;
    telmora::MainWindow mainWindow(application, dialogs);
    telmora::StartMainWindow(mainWindow, QString());

    PaintCounter paints;
    if (qEnvironmentVariableIsSet("TELMORA_BENCH_PAINTS"))
        app.installEventFilter(&paints);
    long long readings = 0;
    bool measuring = false;
    double cpuAtStart = 0.0;
    QTimer::singleShot(500, &mainWindow, [&] {
        if (which == Case::Idle)
            return;
        application.linkAll();
        QObject::connect(&application.meter(0).link(), &telmora::MeterLink::readingReceived,
                         &mainWindow, [&] { readings += measuring ? 1 : 0; });
    });
    QTimer::singleShot(1500, &mainWindow, [&] {
        showWindows(mainWindow);
        if (which == Case::Recording) {
            application.recording().setAcquisition(telmora::AcquisitionMode::Automatic, 0);
            application.recording().startRecording();
        }
    });
    QTimer::singleShot(kWarmUpMs, &mainWindow, [&] {
        measuring = true;
        paints.counting = true;
        cpuAtStart = ProcessCpuSeconds();
    });
    QTimer::singleShot(kWarmUpMs + kMeasureMs, &mainWindow, [&] {
        const double share = (ProcessCpuSeconds() - cpuAtStart) / (kMeasureMs / 1000.0) * 100.0;
        std::printf("%.3f %lld %s\n", share, readings, qPrintable(QApplication::platformName()));
        std::fflush(stdout);
        paints.counting = false;
        paints.print(readings);
        if (which == Case::Recording) {
            application.recording().stopRecording();
            application.recording().clear();
        }
        application.unlinkAll();
        QApplication::exit(0);
    });
    const int code = QApplication::exec();
    hidstub::reset(nullptr);
    return code;
}

struct Figure {
    double cpuPercent = 0.0;
    long long readings = 0;
    QString platform;
};

bool measure(const char* program, Case which, const QString& home, Figure& figure) {
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    const QString tag = QString::number(static_cast<int>(which));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/config") + tag);
    env.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/data") + tag);
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QString::fromLocal8Bit(program), {QStringLiteral("--child=") + tag});
    if (!child.waitForFinished(120000) || child.exitCode() != 0)
        return false;
    const QList<QByteArray> parts = child.readAllStandardOutput().trimmed().split(' ');
    if (parts.size() != 3)
        return false;
    figure = {parts[0].toDouble(), parts[1].toLongLong(), QString::fromUtf8(parts[2])};
    return true;
}

// The run with the median CPU share of a case, with the lowest and highest share.
struct Runs {
    Figure median;
    double lowest = 0.0;
    double highest = 0.0;
};

Runs summarise(std::vector<Figure> runs) {
    std::sort(runs.begin(), runs.end(),
              [](const Figure& a, const Figure& b) { return a.cpuPercent < b.cpuPercent; });
    return {runs[runs.size() / 2], runs.front().cpuPercent, runs.back().cpuPercent};
}

void printCase(const char* name, const Runs& runs, const Runs& idle) {
    const Figure& f = runs.median;
    const double perSecond = double(f.readings) / (kMeasureMs / 1000.0);
    const double usPerReading =
        f.readings > 0 ? f.cpuPercent / 100.0 * (kMeasureMs / 1000.0) / double(f.readings) * 1e6
                       : 0.0;
    std::printf("  %-22s %6.2f %% of one core (%.2f to %.2f), %5.2f readings/s, %6.0f us CPU per "
                "reading, %5.1f x idle\n",
                name, f.cpuPercent, runs.lowest, runs.highest, perSecond, usPerReading,
                idle.median.cpuPercent > 0 ? f.cpuPercent / idle.median.cpuPercent : 0.0);
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strncmp(argv[1], "--child=", 8) == 0)
        return runChild(argc, argv, static_cast<Case>(std::atoi(argv[1] + 8)));

    QCoreApplication app(argc, argv);
    QTemporaryDir home;
    std::vector<Figure> figures[3];
    for (int run = 0; run < kRuns; ++run)
        for (Case which : {Case::Idle, Case::Linked, Case::Recording}) {
            Figure figure;
            if (!measure(argv[0], which, home.path(), figure)) {
                std::fputs("bench_linked_cpu: a run failed\n", stderr);
                return 1;
            }
            figures[static_cast<int>(which)].push_back(figure);
        }
    const Runs idle = summarise(figures[0]);
    const Runs linked = summarise(figures[1]);
    const Runs recording = summarise(figures[2]);
    std::printf("one meter through the real cable backend and the hidapi stand-in (replies\n"
                "replayed, no simulation counted), every panel of the main window shown,\n"
                "platform %s, %d s each, median of %d runs:\n",
                qPrintable(linked.median.platform), kMeasureMs / 1000, kRuns);
    std::printf("  %-22s %6.2f %% of one core (%.2f to %.2f)\n",
                "idle, unlinked:", idle.median.cpuPercent, idle.lowest, idle.highest);
    printCase("linked, not recording:", linked, idle);
    printCase("linked, recording:", recording, idle);
    std::printf("  goal: <= 1.50 %% of one core while linked, <= 2.00 %% while recording\n");
    return 0;
}
