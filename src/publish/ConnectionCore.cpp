#include "publish/ConnectionCore.h"

#include <mosquitto.h>

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <set>
#include <system_error>
#include <thread>

#include <poll.h>
#include <pthread.h>
#include <signal.h>
#include <unistd.h>

namespace telmora {

namespace {

using namespace std::chrono_literals;
using Clock = MeterConnection::Clock;

// Messages handed to the library and not yet written (QoS 0) or acknowledged
// (QoS 1); the rest waits in the bounded queue, so a broker that stops reading
// cannot make the library's own queue grow.
constexpr std::size_t kMaxHandedOver = 16;
constexpr Clock::duration kMaxDelay = 30s;
constexpr Clock::duration kRefusedDelay = 60s;
constexpr Clock::duration kIdleWake = 1s; // keep-alive pings are due on this scale

void initLibrary() {
    static std::once_flag once;
    std::call_once(once, [] { mosquitto_lib_init(); });
}

int pollTimeout(Clock::time_point until) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(until - Clock::now());
    return static_cast<int>(std::clamp<std::chrono::milliseconds::rep>(left.count(), 0, 1000));
}

QString errorText(int rc, int savedErrno) {
    if (rc == MOSQ_ERR_ERRNO && savedErrno != 0)
        return QString::fromStdString(std::generic_category().message(savedErrno));
    if (rc == MOSQ_ERR_EAI)
        return QStringLiteral("The broker's host name was not found.");
    return QString::fromUtf8(mosquitto_strerror(rc));
}

} // namespace
void ConnectionCore::run(std::shared_ptr<MeterConnection> predecessor) {
    // A write to a connection the broker has closed must give an error here, not
    // a SIGPIPE that ends the whole program (TLS writes cannot ask for that per
    // call). Blocked on this thread, the signal stays pending for it and is never
    // delivered elsewhere.
    sigset_t brokenPipe;
    sigemptyset(&brokenPipe);
    sigaddset(&brokenPipe, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &brokenPipe, nullptr);
    if (predecessor) {
        // In short steps, so that an abort of this connection is not held up.
        const auto deadline = Clock::now() + 5s;
        while (!predecessor->waitEnded(std::min(deadline, Clock::now() + 100ms)) &&
               Clock::now() < deadline && !request().abort) {
        }
    }
    predecessor.reset();
    if (setUp())
        loop();
    else
        waitForWake(Clock::time_point::max());
    m_client.reset();
    {
        const std::lock_guard lock(m_mutex);
        m_unsent = m_readings.size() + m_handedReadings.size();
        m_ended = true;
        if (m_phase != ConnectionPhase::Refused || m_closing)
            m_phase = ConnectionPhase::Closed;
    }
    m_endedChanged.notify_all();
    m_changed();
}

bool ConnectionCore::setUp() {
    initLibrary();
    // A persistent session for QoS 1, so that the broker keeps what it has not
    // yet acknowledged across a lost connection.
    m_client.reset(mosquitto_new(m_config.clientId.c_str(), m_config.qos == 0, this));
    if (!m_client) {
        setPhase(ConnectionPhase::Refused, errorText(MOSQ_ERR_ERRNO, errno));
        return false;
    }
    mosquitto* client = m_client.get();
    // The library must not write from the calling thread: this thread runs its loop.
    mosquitto_threaded_set(client, true);
    mosquitto_connect_callback_set(client, &ConnectionCore::onConnect);
    mosquitto_disconnect_callback_set(client, &ConnectionCore::onDisconnect);
    mosquitto_publish_callback_set(client, &ConnectionCore::onPublish);
    int rc =
        mosquitto_will_set(client, m_config.statusTopic.c_str(), 7, "offline", m_config.qos, true);
    if (rc == MOSQ_ERR_SUCCESS && !m_config.userName.empty()) {
        rc =
            mosquitto_username_pw_set(client, m_config.userName.c_str(), m_config.password.c_str());
    }
    if (rc == MOSQ_ERR_SUCCESS && m_config.address.tls) {
        const bool ownCa = !m_config.caFile.empty();
        rc = mosquitto_tls_set(client, ownCa ? m_config.caFile.c_str() : nullptr,
                               ownCa ? nullptr : "/etc/ssl/certs", nullptr, nullptr, nullptr);
        if (rc == MOSQ_ERR_INVAL && ownCa) {
            setPhase(ConnectionPhase::Refused,
                     QStringLiteral("The CA certificate file cannot be read."));
            return false;
        }
    }
    if (rc != MOSQ_ERR_SUCCESS) {
        setPhase(ConnectionPhase::Refused, errorText(rc, errno));
        return false;
    }
    return true;
}

ConnectionCore::Request ConnectionCore::request() const {
    const std::lock_guard lock(m_mutex);
    return {m_closing, m_abort, m_closeDeadline};
}

void ConnectionCore::loop() {
    for (;;) {
        const Request r = request();
        const auto now = Clock::now();
        if (r.abort || (r.closing && now >= r.deadline))
            return;
        if (r.closing && (!m_connected || mosquitto_socket(m_client.get()) < 0))
            return; // disconnected, or nothing more can reach the broker
        if (mosquitto_socket(m_client.get()) < 0) {
            if (now < m_nextAttempt) {
                waitForWake(m_nextAttempt);
                continue;
            }
            attempt();
            continue;
        }
        if (m_connected) {
            pump();
            if (r.closing)
                closeStep();
        }
        service(r.closing ? r.deadline : Clock::time_point::max());
    }
}

void ConnectionCore::attempt() {
    m_connected = false;
    m_disconnectRc = MOSQ_ERR_SUCCESS;
    errno = 0;
    const int rc =
        m_attempted
            ? mosquitto_reconnect_async(m_client.get())
            : mosquitto_connect_async(m_client.get(), m_config.address.host.toUtf8().constData(),
                                      m_config.address.port, m_config.keepAliveSeconds);
    const int savedErrno = errno;
    m_attempted = true;
    if (rc != MOSQ_ERR_SUCCESS || mosquitto_socket(m_client.get()) < 0)
        lost(rc == MOSQ_ERR_SUCCESS ? MOSQ_ERR_NO_CONN : rc, savedErrno);
}

// Hands waiting messages to the library: the "online" status first, then the
// statistics, the markers, then the readings in order.
void ConnectionCore::pump() {
    while (m_handedOver.size() < kMaxHandedOver && m_connected) {
        if (m_onlinePending) {
            m_onlinePending = false;
            publish(m_config.statusTopic, QByteArrayLiteral("online"), true);
            continue;
        }
        QByteArray payload;
        const std::string* topic = &m_config.readingTopic;
        bool reading = true;
        {
            const std::lock_guard lock(m_mutex);
            if (m_statistics) {
                payload = std::move(*m_statistics);
                m_statistics.reset();
                topic = &m_config.statisticsTopic;
                reading = false;
            } else if (!m_markers.empty()) {
                payload = std::move(m_markers.front());
                m_markers.pop_front();
                topic = &m_config.markerTopic;
                reading = false;
            } else if (!m_readings.empty()) {
                payload = std::move(m_readings.front());
                m_readings.pop_front();
            } else {
                return;
            }
        }
        publish(*topic, payload, false, reading);
    }
}

// The clean end once everything waiting went out: the retained "offline", then
// the disconnect once that went out too.
void ConnectionCore::closeStep() {
    if (!m_handedOver.empty() || m_onlinePending || m_disconnectSent)
        return;
    if (!m_offlineQueued) {
        {
            const std::lock_guard lock(m_mutex);
            if (m_statistics || !m_markers.empty() || !m_readings.empty())
                return;
        }
        m_offlineQueued = true;
        publish(m_config.statusTopic, QByteArrayLiteral("offline"), true);
        return;
    }
    m_disconnectSent = true;
    mosquitto_disconnect(m_client.get());
}

void ConnectionCore::publish(const std::string& topic, const QByteArray& payload, bool retain,
                             bool reading) {
    int mid = 0;
    const int rc =
        mosquitto_publish(m_client.get(), &mid, topic.c_str(), static_cast<int>(payload.size()),
                          payload.constData(), m_config.qos, retain);
    if (rc == MOSQ_ERR_SUCCESS) {
        m_handedOver.insert(mid);
        if (reading)
            m_handedReadings.insert(mid);
    }
    // Otherwise the message cannot be sent at all (too large, no memory); a lost
    // connection is noticed by the loop.
}

void ConnectionCore::service(Clock::time_point until) {
    mosquitto* client = m_client.get();
    pollfd fds[2] = {{mosquitto_socket(client),
                      static_cast<short>(POLLIN | (mosquitto_want_write(client) ? POLLOUT : 0)), 0},
                     {m_wake.fd(), POLLIN, 0}};
    ::poll(fds, 2, pollTimeout(std::min(until, Clock::now() + kIdleWake)));
    if (fds[1].revents != 0)
        m_wake.drain();
    int rc = MOSQ_ERR_SUCCESS;
    int savedErrno = 0;
    if (fds[0].revents & (POLLIN | POLLERR | POLLHUP)) {
        errno = 0;
        rc = mosquitto_loop_read(client, 64);
        savedErrno = errno;
    }
    if (rc == MOSQ_ERR_SUCCESS && mosquitto_socket(client) >= 0 && mosquitto_want_write(client)) {
        errno = 0;
        rc = mosquitto_loop_write(client, 64);
        savedErrno = errno;
    }
    if (rc == MOSQ_ERR_SUCCESS && mosquitto_socket(client) >= 0) {
        errno = 0;
        rc = mosquitto_loop_misc(client);
        savedErrno = errno;
    }
    if (m_disconnectSent)
        return; // the clean end closes the socket itself
    if (rc != MOSQ_ERR_SUCCESS || mosquitto_socket(client) < 0)
        lost(rc != MOSQ_ERR_SUCCESS ? rc : m_disconnectRc, savedErrno);
}

void ConnectionCore::lost(int rc, int savedErrno) {
    m_connected = false;
    if (m_config.qos == 0) {
        // The library drops unsent QoS 0 messages with the connection.
        m_handedOver.clear();
        m_handedReadings.clear();
    }
    if (m_refused) {
        m_nextAttempt = Clock::now() + kRefusedDelay;
        return; // the phase already says why
    }
    m_nextAttempt = Clock::now() + m_delay;
    m_delay = std::min(m_delay * 2, kMaxDelay);
    const int code = rc == MOSQ_ERR_SUCCESS ? MOSQ_ERR_CONN_LOST : rc;
    setPhase(ConnectionPhase::Reconnecting, errorText(code, savedErrno));
}

void ConnectionCore::waitForWake(Clock::time_point until) const {
    for (;;) {
        const Request r = request();
        if (r.abort || r.closing || Clock::now() >= until)
            return;
        pollfd fd{m_wake.fd(), POLLIN, 0};
        ::poll(&fd, 1, pollTimeout(until));
        if (fd.revents != 0)
            m_wake.drain();
    }
}

void ConnectionCore::setPhase(ConnectionPhase phase, const QString& reason) {
    {
        const std::lock_guard lock(m_mutex);
        m_phase = phase;
        m_reason = reason;
        m_firstResult = true;
    }
    m_endedChanged.notify_all();
    m_changed();
}

void ConnectionCore::onConnect(mosquitto*, void* self, int rc) {
    auto* core = static_cast<ConnectionCore*>(self);
    if (rc != 0) {
        core->m_refused = true;
        core->setPhase(ConnectionPhase::Refused, QString::fromUtf8(mosquitto_connack_string(rc)));
        return;
    }
    core->m_connected = true;
    core->m_refused = false;
    core->m_delay = kFirstReconnectDelay;
    core->m_onlinePending = true; // also replaces the last will after a lost connection
    if (core->m_config.qos == 0) {
        core->m_handedOver.clear();
        core->m_handedReadings.clear();
    }
    core->setPhase(ConnectionPhase::Connected, QString());
}

void ConnectionCore::onDisconnect(mosquitto*, void* self, int rc) {
    static_cast<ConnectionCore*>(self)->m_disconnectRc = rc;
}

void ConnectionCore::onPublish(mosquitto*, void* self, int mid) {
    auto* core = static_cast<ConnectionCore*>(self);
    core->m_handedOver.erase(mid);
    core->m_handedReadings.erase(mid);
}

} // namespace telmora
