#pragma once
// One meter's MQTT connection on a thread of its own: its bounded queue of
// readings, the newest statistics, its retained status and its last will. Every
// public call is thread-safe and returns at once; the network work (name lookup,
// connecting, TLS, writing) happens only on the connection's thread.

#include "publish/PublishSettings.h"

#include <QByteArray>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>

namespace telmora {

// Everything one connection needs, fixed for its lifetime.
struct ConnectionConfig {
    BrokerAddress address;
    std::string clientId;
    std::string userName; // empty: no credentials
    std::string password;
    std::string caFile; // empty: the system's CA store (mqtts only)
    std::string statusTopic;
    std::string readingTopic;
    std::string statisticsTopic;
    std::string markerTopic;
    int qos = 0;
    int queueLimit = 1000;
    int keepAliveSeconds = 30;
};

enum class ConnectionPhase { Connecting, Connected, Reconnecting, Refused, Closed };

class ConnectionCore;

class MeterConnection {
public:
    using Clock = std::chrono::steady_clock;

    // Starts the connection's thread. `changed` is called on that thread whenever
    // the phase changes. With a `predecessor` (the closing connection of the same
    // meter) the new one connects only once it has ended, so that its "offline"
    // cannot overtake this one's "online".
    MeterConnection(ConnectionConfig config, std::function<void()> changed,
                    std::shared_ptr<MeterConnection> predecessor = nullptr);
    // Ends the connection at once (no clean close) and waits for its thread, which
    // then ends within moments (a name lookup under way is waited for). The
    // publisher lets go of a connection only once it has ended, or at shutdown.
    ~MeterConnection();
    MeterConnection(const MeterConnection&) = delete;
    MeterConnection& operator=(const MeterConnection&) = delete;

    // Queues a reading; when the queue is full the oldest one goes. True when one
    // was dropped.
    bool enqueueReading(QByteArray payload);
    // Replaces the statistics waiting to be sent.
    void setStatistics(QByteArray payload);
    // Queues a marker; markers go out before the readings that wait, none is
    // dropped unless kMaxQueuedMarkers wait already.
    void enqueueMarker(QByteArray payload);
    static constexpr std::size_t kMaxQueuedMarkers = 1000;
    // A clean end: what waits is sent while connected, then the retained
    // "offline" and a disconnect; by `deadline` the connection ends in any case
    // (the broker then publishes the last will, also "offline").
    void close(Clock::time_point deadline);
    // Waits until the thread has ended or `deadline`; true when it has ended.
    bool waitEnded(Clock::time_point deadline) const;
    bool ended() const;

    ConnectionPhase phase() const;
    QString reason() const;
    // True once the first attempt has its result (connected, refused or failed).
    bool hasFirstResult() const;
    // Once ended: the readings it did not deliver (still queued, or sent without
    // the broker's acknowledgement).
    std::size_t unsentReadings() const;

private:
    std::shared_ptr<ConnectionCore> m_core;
    std::thread m_thread; // joined by the destructor
};

} // namespace telmora
