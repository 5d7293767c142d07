#include "meter/AutoResetEvent.h"

namespace telmora {

void AutoResetEvent::set() {
    {
        std::lock_guard lock(m_mutex);
        m_signalled = true;
    }
    m_cond.notify_one();
}

void AutoResetEvent::reset() {
    std::lock_guard lock(m_mutex);
    m_signalled = false;
}

bool AutoResetEvent::wait() {
    std::unique_lock lock(m_mutex);
    m_cond.wait(lock, [this] { return m_signalled || m_shutdown; });
    if (m_shutdown)
        return false;
    m_signalled = false;
    return true;
}

bool AutoResetEvent::waitFor(std::chrono::milliseconds timeout) {
    std::unique_lock lock(m_mutex);
    if (!m_cond.wait_for(lock, timeout, [this] { return m_signalled || m_shutdown; }))
        return false;
    if (m_shutdown)
        return false;
    m_signalled = false;
    return true;
}

bool AutoResetEvent::isSet() const {
    std::lock_guard lock(m_mutex);
    return m_signalled;
}

void AutoResetEvent::shutdown() {
    {
        std::lock_guard lock(m_mutex);
        m_shutdown = true;
    }
    m_cond.notify_all();
}

void AutoResetEvent::restart() {
    std::lock_guard lock(m_mutex);
    m_shutdown = false;
    m_signalled = false;
}

bool AutoResetEvent::isShutDown() const {
    std::lock_guard lock(m_mutex);
    return m_shutdown;
}

} // namespace telmora
