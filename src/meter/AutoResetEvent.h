#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace telmora {

// An auto-reset event: set() leaves it signalled until exactly one wait consumes
// the signal. Setting it twice before anybody waits wakes one waiter once.
// shutdown() releases every present and future waiter (wait returns false), so
// that threads which wait "without time-out" can still be ended cleanly.
class AutoResetEvent {
public:
    AutoResetEvent() = default;
    AutoResetEvent(const AutoResetEvent&) = delete;
    AutoResetEvent& operator=(const AutoResetEvent&) = delete;

    void set();
    // Clears a pending signal without waking anybody.
    void reset();
    // Waits until signalled; returns true when the signal was taken, false when
    // the event was shut down.
    bool wait();
    // Waits at most `timeout`; returns true when the signal was taken.
    bool waitFor(std::chrono::milliseconds timeout);
    // Returns the signal state without consuming it (for tests and diagnostics).
    bool isSet() const;

    void shutdown();
    // Makes a shut-down event usable again (a new main window, or a test).
    void restart();
    bool isShutDown() const;

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_cond;
    bool m_signalled = false;
    bool m_shutdown = false;
};

} // namespace telmora
