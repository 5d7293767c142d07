#include "ui/common/UiWait.h"

#include "meter/AutoResetEvent.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QMetaObject>
#include <QThread>

#include <atomic>
#include <future>
#include <memory>
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

bool RunOnUiThreadAndWait(QObject* context, std::function<void()> work) {
    if (context == nullptr)
        return false;
    if (QThread::currentThread() == context->thread()) {
        work();
        return true;
    }
    // The promise lives in the queued call: if the call is dropped unrun (its
    // context destroyed), the promise goes with it and the wait below ends.
    auto done = std::make_shared<std::promise<bool>>();
    std::future<bool> result = done->get_future();
    QMetaObject::invokeMethod(
        context,
        [done, work = std::move(work)] {
            work();
            done->set_value(true);
        },
        Qt::QueuedConnection);
    try {
        return result.get();
    } catch (const std::future_error&) {
        return false;
    }
}

} // namespace telmora
