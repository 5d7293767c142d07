#include "ui/live/DisplayWorker.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMetaObject>
#include <QObject>

namespace telmora {

using namespace std::chrono_literals;

DisplayWorker::DisplayWorker(QObject* uiContext) : m_context(uiContext) {}

DisplayWorker::~DisplayWorker() {
    stop();
}

void DisplayWorker::start() {
    if (m_thread.joinable())
        return;
    m_stop = false;
    m_finished = false;
    m_thread = std::thread([this] {
        run();
        {
            std::lock_guard lock(m_mutex);
            m_finished = true;
        }
        m_cond.notify_all();
    });
}

void DisplayWorker::stop() {
    if (!m_thread.joinable())
        return;
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_cond.notify_all();
    // Wake a wait on a shared event; the worker takes that signal itself.
    if (AutoResetEvent* event = m_waitingOn.load())
        event->set();
    // Serve the worker's blocking calls while waiting for it (they return at
    // once now), so that a worker inside such a call is released.
    for (;;) {
        QCoreApplication::sendPostedEvents(m_context, QEvent::MetaCall);
        std::unique_lock lock(m_mutex);
        if (m_cond.wait_for(lock, 5ms, [this] { return m_finished.load(); }))
            break;
    }
    m_thread.join();
}

bool DisplayWorker::callUi(const std::function<void()>& work) {
    if (m_stop)
        return false;
    QMetaObject::invokeMethod(
        m_context,
        [this, &work] {
            if (!m_stop)
                work();
        },
        Qt::BlockingQueuedConnection);
    return !m_stop;
}

bool DisplayWorker::waitEvent(AutoResetEvent& event, std::chrono::milliseconds timeout) {
    if (m_stop)
        return false;
    m_waitingOn = &event;
    bool signalled = !m_stop && event.waitFor(timeout);
    m_waitingOn = nullptr;
    if (!signalled && event.isShutDown())
        pause(timeout); // the application is ending; do not spin on a dead event
    return signalled && !m_stop;
}

bool DisplayWorker::pause(std::chrono::milliseconds timeout) {
    std::unique_lock lock(m_mutex);
    m_cond.wait_for(lock, timeout, [this] { return m_stop.load(); });
    return !m_stop;
}

} // namespace telmora
