#pragma once

#include "meter/AutoResetEvent.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

class QObject;

namespace telmora {

// The common part of the live displays' worker threads: a thread with a stop
// flag, waits that end promptly when the stop flag is set, and blocking calls
// into the user-interface thread that are skipped once stopping.
//
// stop() is called on the user-interface thread (the window's destructor). It
// never blocks that thread blindly: while it waits for the worker it delivers
// the worker's pending calls into the window, which return at once because the
// stop flag is set. So a worker caught in the middle of a blocking call is
// released and the join cannot deadlock.
class DisplayWorker {
public:
    // `uiContext` lives on the user-interface thread; the worker's window work
    // runs there.
    explicit DisplayWorker(QObject* uiContext);
    // Derived classes call stop() in their own destructor, before their part of
    // the object is gone.
    virtual ~DisplayWorker();
    DisplayWorker(const DisplayWorker&) = delete;
    DisplayWorker& operator=(const DisplayWorker&) = delete;

    void start();
    // Sets the stop flag, wakes the worker and waits until it has ended.
    void stop();
    bool stopRequested() const { return m_stop.load(); }
    bool running() const { return m_thread.joinable() && !m_finished.load(); }

protected:
    virtual void run() = 0;

    // Runs `work` on the user-interface thread and waits for it. Returns false
    // (and does nothing) once the stop flag is set.
    bool callUi(const std::function<void()>& work);
    // Waits at most `timeout` for `event`; stop() wakes the wait. Returns true
    // when the event was signalled and the worker is not stopping.
    bool waitEvent(AutoResetEvent& event, std::chrono::milliseconds timeout);
    // Waits at most `timeout`; returns false when the stop flag is set.
    bool pause(std::chrono::milliseconds timeout);

private:
    QObject* m_context;
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_finished{false};
    std::atomic<AutoResetEvent*> m_waitingOn{nullptr};
    std::mutex m_mutex;
    std::condition_variable m_cond;
};

} // namespace telmora
