#pragma once
// Publishes the readings of the online meters to an MQTT broker: one connection per
// meter, each with its own last will, so that a publisher that dies leaves every
// one of its meters "offline". Lives on its owner's thread; the network work
// happens on the connections' own threads, and every call returns at once.

#include "model/Measurement.h"
#include "publish/PublishSettings.h"
#include "publish/publishmessages.h"

#include <QMap>
#include <QObject>
#include <QString>

#include <atomic>
#include <chrono>
#include <memory>
#include <utility>
#include <vector>

namespace telmora {

enum class PublisherState { Off, Connecting, Connected, Reconnecting, Refused };

class MeterConnection;
class PublisherHub;

class MqttPublisher : public QObject {
    Q_OBJECT
public:
    explicit MqttPublisher(QObject* parent = nullptr);
    // Like stop(), then waits about 2 s at most for the connections to end.
    ~MqttPublisher() override;

    // (Re)starts with these settings; the meters already online stay online (on
    // new connections). With enabled false, or an address or prefix that is not
    // valid (state Refused with the reason), nothing is published. The same
    // settings again while every connection is up change nothing.
    void start(const PublishSettings& settings);
    // A clean end: the retained "offline" for each online meter, then disconnect.
    void stop();
    bool running() const;

    // This meter now publishes: retained "online" on <prefix>/<serial>/status.
    void meterOnline(const QString& serial);
    // Clean unlink: retained "offline", then its connection closes.
    void meterOffline(const QString& serial);
    // Queues the reading for <prefix>/<serial>/reading (the oldest is dropped from
    // a full queue); nothing when the meter is not online.
    void publishReading(const QString& serial, const QString& meterName, const Measurement& main,
                        qint64 utcMs, qint32 utcOffsetSeconds);
    // Replaces the statistics waiting for <prefix>/<serial>/statistics.
    void publishStatistics(const QString& serial, const PublishedStatistics& statistics,
                           qint64 utcMs, qint32 utcOffsetSeconds);

    // Queues a marker of the recording for <prefix>/<serial>/marker (see
    // MarkerJson); nothing when the meter is not online.
    void publishMarker(const QString& serial, const QString& time, qint64 sample,
                       const QString& note, const QString& meterName);

    // Of all meters' connections together: Refused or Reconnecting when one is,
    // Connected when every one is; Connecting while running without a meter online.
    PublisherState state() const;
    // The broker's or the system's reason for Refused or Reconnecting.
    QString stateReason() const;
    // Readings dropped from full queues since start().
    quint64 droppedCount() const;
    // Readings that connections closed since start() did not deliver: still queued
    // at the end of the clean close's time, or, at QoS 1, without acknowledgement.
    quint64 unsentCount() const;
    // The prefix in use (the default one for an empty setting).
    QString topicPrefix() const;

    // For callers without an event loop (the command line): waits until every
    // online meter's connection has the result of its first attempt, or
    // `timeout`; the state then. Blocks the calling thread.
    PublisherState waitForFirstResult(std::chrono::milliseconds timeout) const;
    // Waits until the connections ended by stop() or meterOffline() have closed,
    // or `timeout`; true when all have. Blocks the calling thread.
    bool waitUntilClosed(std::chrono::milliseconds timeout);

signals:
    void stateChanged(telmora::PublisherState state, const QString& reason);
    void droppedChanged(quint64 dropped);

private:
    friend class PublisherHub;
    void refreshState();
    void openConnection(const QString& serial);
    void retire(const QString& serial);
    std::pair<PublisherState, QString> currentState() const;
    void pruneRetired() const;

    std::shared_ptr<PublisherHub> m_hub;
    PublishSettings m_requested; // as given to start()
    PublishSettings m_settings;  // as used (values brought into range)
    BrokerAddress m_address;
    QString m_prefix;
    QString m_clientId;
    bool m_running = false;
    QString m_setupError; // why start() could not run
    QMap<QString, std::shared_ptr<MeterConnection>> m_connections;
    struct Retired {
        QString serial;
        std::shared_ptr<MeterConnection> connection;
        bool sinceStart = true; // closed since the last start(): its unsent readings count
    };
    // Closing connections (mutable: pruned of the ended ones also when asked).
    mutable std::vector<Retired> m_retired;
    std::atomic<quint64> m_dropped{0};
    mutable quint64 m_unsent = 0; // of the retired connections pruned so far
    PublisherState m_reportedState = PublisherState::Off;
    QString m_reportedReason;
};

} // namespace telmora
