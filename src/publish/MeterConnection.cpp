#include "publish/MeterConnection.h"
#include "publish/ConnectionCore.h"

#include <thread>

namespace telmora {

MeterConnection::MeterConnection(ConnectionConfig config, std::function<void()> changed,
                                 std::shared_ptr<MeterConnection> predecessor)
    : m_core(std::make_shared<ConnectionCore>(std::move(config), std::move(changed))) {
    m_thread = std::thread([core = m_core, predecessor = std::move(predecessor)]() mutable {
        core->run(std::move(predecessor));
    });
}

MeterConnection::~MeterConnection() {
    {
        const std::lock_guard lock(m_core->m_mutex);
        m_core->m_abort = true;
    }
    m_core->m_wake.ring();
    m_thread.join();
}

bool MeterConnection::enqueueReading(QByteArray payload) {
    bool dropped = false;
    {
        const std::lock_guard lock(m_core->m_mutex);
        const auto limit = static_cast<std::size_t>(std::max(1, m_core->m_config.queueLimit));
        while (m_core->m_readings.size() >= limit) {
            m_core->m_readings.pop_front();
            dropped = true;
        }
        m_core->m_readings.push_back(std::move(payload));
    }
    m_core->m_wake.ring();
    return dropped;
}

void MeterConnection::setStatistics(QByteArray payload) {
    {
        const std::lock_guard lock(m_core->m_mutex);
        m_core->m_statistics = std::move(payload);
    }
    m_core->m_wake.ring();
}

void MeterConnection::enqueueMarker(QByteArray payload) {
    {
        const std::lock_guard lock(m_core->m_mutex);
        if (m_core->m_markers.size() >= kMaxQueuedMarkers)
            m_core->m_markers.pop_front();
        m_core->m_markers.push_back(std::move(payload));
    }
    m_core->m_wake.ring();
}

void MeterConnection::close(Clock::time_point deadline) {
    {
        const std::lock_guard lock(m_core->m_mutex);
        if (m_core->m_closing)
            return;
        m_core->m_closing = true;
        m_core->m_closeDeadline = deadline;
    }
    m_core->m_wake.ring();
}

bool MeterConnection::waitEnded(Clock::time_point deadline) const {
    std::unique_lock lock(m_core->m_mutex);
    return m_core->m_endedChanged.wait_until(lock, deadline, [&] { return m_core->m_ended; });
}

bool MeterConnection::ended() const {
    const std::lock_guard lock(m_core->m_mutex);
    return m_core->m_ended;
}

ConnectionPhase MeterConnection::phase() const {
    const std::lock_guard lock(m_core->m_mutex);
    return m_core->m_phase;
}

QString MeterConnection::reason() const {
    const std::lock_guard lock(m_core->m_mutex);
    return m_core->m_reason;
}

std::size_t MeterConnection::unsentReadings() const {
    const std::lock_guard lock(m_core->m_mutex);
    return m_core->m_unsent;
}

bool MeterConnection::hasFirstResult() const {
    const std::lock_guard lock(m_core->m_mutex);
    return m_core->m_firstResult;
}

} // namespace telmora
