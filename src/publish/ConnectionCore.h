#pragma once

// The thread side of one meter's broker connection: it owns the client library's
// handle, connects and reconnects, and sends what MeterConnection queues.

#include "publish/MeterConnection.h"
#include "publish/WakeSignal.h"

#include <mosquitto.h>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <set>

namespace telmora {

struct MosquittoDeleter {
    void operator()(mosquitto* client) const { mosquitto_destroy(client); }
};
using MosquittoPtr = std::unique_ptr<mosquitto, MosquittoDeleter>;

// The first wait before connecting again; it doubles up to a limit.
inline constexpr MeterConnection::Clock::duration kFirstReconnectDelay = std::chrono::seconds(1);

class ConnectionCore {
public:
    ConnectionCore(ConnectionConfig config, std::function<void()> changed)
        : m_config(std::move(config)), m_changed(std::move(changed)) {}

    void run(std::shared_ptr<MeterConnection> predecessor);

    // Shared with the callers, under m_mutex.
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_endedChanged;
    std::deque<QByteArray> m_readings;
    std::optional<QByteArray> m_statistics;
    std::deque<QByteArray> m_markers;
    bool m_closing = false;
    bool m_abort = false;
    MeterConnection::Clock::time_point m_closeDeadline;
    bool m_ended = false;
    ConnectionPhase m_phase = ConnectionPhase::Connecting;
    QString m_reason;
    bool m_firstResult = false;
    std::size_t m_unsent = 0; // readings not delivered when the thread ended
    WakeSignal m_wake;
    const ConnectionConfig m_config;

private:
    struct Request {
        bool closing = false;
        bool abort = false;
        MeterConnection::Clock::time_point deadline;
    };

    bool setUp();
    void loop();
    Request request() const;
    void attempt();
    void pump();
    void closeStep();
    void service(MeterConnection::Clock::time_point until);
    void lost(int rc, int savedErrno);
    void publish(const std::string& topic, const QByteArray& payload, bool retain,
                 bool reading = false);
    void waitForWake(MeterConnection::Clock::time_point until) const;
    void setPhase(ConnectionPhase phase, const QString& reason);

    static void onConnect(mosquitto*, void* self, int rc);
    static void onDisconnect(mosquitto*, void* self, int rc);
    static void onPublish(mosquitto*, void* self, int mid);

    // Used on the connection's thread only.
    std::function<void()> m_changed;
    MosquittoPtr m_client;
    bool m_attempted = false;
    bool m_connected = false; // the broker accepted the connection
    bool m_refused = false;
    bool m_onlinePending = false;
    bool m_offlineQueued = false;
    bool m_disconnectSent = false;
    int m_disconnectRc = MOSQ_ERR_SUCCESS;
    std::set<int> m_handedOver;
    std::set<int> m_handedReadings; // the readings among them
    MeterConnection::Clock::duration m_delay = kFirstReconnectDelay;
    MeterConnection::Clock::time_point m_nextAttempt;
};

} // namespace telmora
