#include "app/UiWait.h"

#include "link/AutoResetEvent.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>

#include <thread>

namespace telmora {

namespace {

constexpr std::chrono::milliseconds kSlice{5};

bool onUiThread() {
    const QCoreApplication* app = QCoreApplication::instance();
    return app != nullptr && QThread::currentThread() == app->thread();
}

void serveQueuedCalls() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace

bool WaitServingUi(AutoResetEvent& event) {
    if (!onUiThread())
        return event.wait();
    for (;;) {
        if (event.waitFor(kSlice))
            return true;
        if (event.isShutDown())
            return false;
        serveQueuedCalls();
    }
}

void WaitServingUi(const std::function<bool()>& done) {
    const bool ui = onUiThread();
    while (!done()) {
        if (ui)
            serveQueuedCalls();
        std::this_thread::sleep_for(kSlice);
    }
}

} // namespace telmora
