// The import window's drawing of a 100,000-sample session (reduction, Y range,
// extremes, cursor read-out and the chart's redraw) and its opening of a session
// file of that size.
#include "ScriptedDialogs.h"
#include "logger/LoggerSessions.h"
#include "logger/SessionFile.h"
#include "meter/CableAccess.h"
#include "meter/CableBackend.h"
#include "ui/logger/LoggerWindow.h"
#include "ui/logger/SessionGraphView.h"

#include <QApplication>
#include <QEventLoop>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <memory>

using namespace telmora;

namespace {

constexpr int kSamples = 100'000;

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

QString sessionFile(QTemporaryDir& dir) {
    SampleList list;
    char text[32];
    for (int i = 0; i < kSamples; ++i) {
        SampleEntry e;
        const float v = static_cast<float>(std::sin(i * 0.001) * 5.0);
        std::snprintf(text, sizeof text, "%.3f", static_cast<double>(v));
        e.main.displayText.assign(text);
        e.main.unitText.assign("V [DC]");
        e.main.functionCode = 0x6;
        e.main.value = v;
        std::snprintf(text, sizeof text, "0:00'%d.000\"", i % 60);
        e.main.timeText.assign(text);
        e.hasSub = 1;
        e.sub = e.main;
        list.append(e);
    }
    const QString path = dir.filePath(QStringLiteral("bench.slr"));
    std::vector<SampleList> sessions;
    sessions.push_back(std::move(list));
    if (SaveSessionFile(path, sessions) != SessionFileStatus::Ok)
        std::abort();
    return path;
}

struct Fixture {
    QTemporaryDir dir;
    QString path;
    CableAccess cable{nullptr};
    LoggerSessions sessions{cable};
    ScriptedDialogs dialogs; // every box answered with OK
    std::unique_ptr<LoggerWindow> form;
    Fixture() {
        app();
        path = sessionFile(dir);
        dialogs.onFile = [this](const FileDialogRequest&) -> std::optional<QString> {
            return path;
        };
        form = std::make_unique<LoggerWindow>(dialogs, sessions);
        form->resize(1400, 850);
    }
    ~Fixture() { form.reset(); }
};

// Opens the session file through the window and waits until it is shown.
void openFile(Fixture& f) {
    QEventLoop loop;
    QObject::connect(&f.sessions, &LoggerSessions::fileOpened, &loop, &QEventLoop::quit);
    f.form->openFile();
    if (f.sessions.isWorking())
        loop.exec();
}

void BM_DrawSession100k(benchmark::State& state) {
    Fixture f;
    openFile(f);
    if (f.sessions.sessionCount() != 1)
        state.SkipWithError("session file not opened");
    for (auto _ : state)
        f.form->graph().drawSession(0);
}
BENCHMARK(BM_DrawSession100k)->Unit(benchmark::kMillisecond);

void BM_OpenSessionFile100k(benchmark::State& state) {
    Fixture f;
    for (auto _ : state)
        openFile(f);
}
BENCHMARK(BM_OpenSessionFile100k)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
