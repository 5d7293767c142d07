#include "publish/MqttPublisher.h"

#include "publish/MeterConnection.h"

#include <QCoreApplication>

#include <algorithm>
#include <condition_variable>
#include <mutex>

namespace telmora {

using namespace std::chrono_literals;
using Clock = MeterConnection::Clock;

namespace {

constexpr auto kCloseTime = 2s; // for the queued messages and the "offline" of a clean end

} // namespace

// What the connections' threads share with the publisher: they tell it of every
// change, which it takes on its own thread (and which wakes the waits of the
// command line).
class PublisherHub {
public:
    explicit PublisherHub(MqttPublisher* owner) : m_owner(owner) {}

    void detach() {
        const std::lock_guard lock(m_mutex);
        m_owner = nullptr;
    }
    void changed() {
        const std::lock_guard lock(m_mutex);
        m_changed.notify_all();
        if (m_owner && QCoreApplication::instance()) {
            MqttPublisher* owner = m_owner;
            QMetaObject::invokeMethod(
                owner, [owner] { owner->refreshState(); }, Qt::QueuedConnection);
        }
    }
    template <class Predicate> bool waitUntil(Clock::time_point deadline, Predicate done) {
        std::unique_lock lock(m_mutex);
        return m_changed.wait_until(lock, deadline, done);
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    MqttPublisher* m_owner;
};

MqttPublisher::MqttPublisher(QObject* parent)
    : QObject(parent), m_hub(std::make_shared<PublisherHub>(this)) {}

MqttPublisher::~MqttPublisher() {
    m_hub->detach();
    blockSignals(true); // no "Off" to receivers that may be going away with it
    stop();
    waitUntilClosed(kCloseTime);
    // Connections still closing are ended at once as their handles go, and their
    // threads are waited for.
}

void MqttPublisher::start(const PublishSettings& settings) {
    if (m_running && settings == m_requested && state() == PublisherState::Connected)
        return;
    m_requested = settings;
    const QStringList online = m_connections.keys();
    stop();
    m_dropped = 0;
    m_unsent = 0;
    for (Retired& retired : m_retired)
        retired.sinceStart = false;
    m_setupError.clear();
    if (!settings.enabled)
        return;
    m_settings = settings;
    m_settings.qos = std::clamp(settings.qos, 0, 1);
    m_settings.queueLimit = std::max(1, settings.queueLimit);
    m_settings.keepAliveSeconds = std::clamp(settings.keepAliveSeconds, 5, 3600);
    m_clientId =
        settings.clientId.trimmed().isEmpty() ? DefaultClientId() : settings.clientId.trimmed();
    const std::optional<BrokerAddress> address = ParseBrokerUrl(settings.brokerUrl, &m_setupError);
    const std::optional<QString> prefix =
        address ? CheckedTopicPrefix(settings.topicPrefix, &m_setupError) : std::nullopt;
    m_running = true;
    m_prefix = prefix.value_or(QString());
    if (!address || !prefix) {
        refreshState();
        return;
    }
    m_address = *address;
    for (const QString& serial : online)
        openConnection(serial);
    refreshState();
}

void MqttPublisher::stop() {
    const QStringList online = m_connections.keys();
    for (const QString& serial : online)
        retire(serial);
    if (!m_running)
        return;
    m_running = false;
    // The meters stay known, so that the next start() brings them online again.
    for (const QString& serial : online)
        m_connections.insert(serial, nullptr);
    refreshState();
}

bool MqttPublisher::running() const {
    return m_running;
}

void MqttPublisher::meterOnline(const QString& serial) {
    if (m_connections.value(serial))
        return;
    if (m_running && m_setupError.isEmpty())
        openConnection(serial);
    else
        m_connections.insert(serial, nullptr);
    refreshState();
}

void MqttPublisher::meterOffline(const QString& serial) {
    retire(serial);
    m_connections.remove(serial);
    refreshState();
}

void MqttPublisher::publishReading(const QString& serial, const QString& meterName,
                                   const Measurement& main, qint64 utcMs, qint32 utcOffsetSeconds) {
    const std::shared_ptr<MeterConnection> connection = m_connections.value(serial);
    if (!connection)
        return;
    if (connection->enqueueReading(ReadingJson(main, utcMs, utcOffsetSeconds, meterName, serial)))
        emit droppedChanged(++m_dropped);
}

void MqttPublisher::publishStatistics(const QString& serial, const PublishedStatistics& statistics,
                                      qint64 utcMs, qint32 utcOffsetSeconds) {
    if (const std::shared_ptr<MeterConnection> connection = m_connections.value(serial))
        connection->setStatistics(StatisticsJson(statistics, utcMs, utcOffsetSeconds, serial));
}

void MqttPublisher::publishMarker(const QString& serial, const QString& time, qint64 sample,
                                  const QString& note, const QString& meterName) {
    if (const std::shared_ptr<MeterConnection> connection = m_connections.value(serial))
        connection->enqueueMarker(MarkerJson(time, sample, note, meterName, serial));
}

PublisherState MqttPublisher::state() const {
    return currentState().first;
}

QString MqttPublisher::stateReason() const {
    return currentState().second;
}

quint64 MqttPublisher::droppedCount() const {
    return m_dropped;
}

quint64 MqttPublisher::unsentCount() const {
    pruneRetired();
    quint64 unsent = m_unsent;
    for (const Retired& retired : m_retired) {
        if (retired.sinceStart)
            unsent += retired.connection->unsentReadings(); // 0 while it still runs
    }
    return unsent;
}

QString MqttPublisher::topicPrefix() const {
    if (!m_prefix.isEmpty())
        return m_prefix;
    return CheckedTopicPrefix(m_settings.topicPrefix, nullptr).value_or(QString());
}

PublisherState MqttPublisher::waitForFirstResult(std::chrono::milliseconds timeout) const {
    m_hub->waitUntil(Clock::now() + timeout, [this] {
        return std::all_of(m_connections.cbegin(), m_connections.cend(),
                           [](const auto& c) { return !c || c->hasFirstResult(); });
    });
    return state();
}

bool MqttPublisher::waitUntilClosed(std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    const bool closed = std::all_of(m_retired.cbegin(), m_retired.cend(), [&](const auto& entry) {
        return entry.connection->waitEnded(deadline);
    });
    pruneRetired();
    return closed;
}

void MqttPublisher::refreshState() {
    const auto [state, reason] = currentState();
    if (state == m_reportedState && reason == m_reportedReason)
        return;
    m_reportedState = state;
    m_reportedReason = reason;
    emit stateChanged(state, reason);
}

void MqttPublisher::openConnection(const QString& serial) {
    pruneRetired();
    const QString level = TopicLevel(serial);
    const QString base = m_prefix + u'/' + level + u'/';
    ConnectionConfig config;
    config.address = m_address;
    config.clientId = (m_clientId + u'-' + level).toStdString();
    config.userName = m_settings.userName.toStdString();
    config.password = m_settings.password.toStdString();
    config.caFile = m_settings.caFile.toStdString();
    config.statusTopic = (base + QStringLiteral("status")).toStdString();
    config.readingTopic = (base + QStringLiteral("reading")).toStdString();
    config.statisticsTopic = (base + QStringLiteral("statistics")).toStdString();
    config.markerTopic = (base + QStringLiteral("marker")).toStdString();
    config.qos = m_settings.qos;
    config.queueLimit = m_settings.queueLimit;
    config.keepAliveSeconds = m_settings.keepAliveSeconds;
    std::shared_ptr<MeterConnection> predecessor;
    for (const Retired& retired : m_retired) {
        if (retired.serial == serial)
            predecessor = retired.connection; // the newest one; it waits for those before it
    }
    m_connections.insert(
        serial, std::make_shared<MeterConnection>(
                    std::move(config), [hub = m_hub] { hub->changed(); }, std::move(predecessor)));
}

void MqttPublisher::retire(const QString& serial) {
    const std::shared_ptr<MeterConnection> connection = m_connections.value(serial);
    if (!connection)
        return;
    connection->close(Clock::now() + kCloseTime);
    m_retired.push_back({serial, connection});
    m_connections.insert(serial, nullptr);
}

void MqttPublisher::pruneRetired() const {
    std::erase_if(m_retired, [this](const Retired& retired) {
        if (!retired.connection->ended())
            return false;
        if (retired.sinceStart)
            m_unsent += retired.connection->unsentReadings();
        return true;
    });
}

std::pair<PublisherState, QString> MqttPublisher::currentState() const {
    if (!m_running)
        return {PublisherState::Off, QString()};
    if (!m_setupError.isEmpty())
        return {PublisherState::Refused, m_setupError};
    std::pair<PublisherState, QString> worst{PublisherState::Connecting, QString()};
    bool allConnected = true;
    bool any = false;
    for (const std::shared_ptr<MeterConnection>& connection : m_connections) {
        if (!connection)
            continue;
        any = true;
        const ConnectionPhase phase = connection->phase();
        allConnected = allConnected && phase == ConnectionPhase::Connected;
        if (phase == ConnectionPhase::Refused)
            return {PublisherState::Refused, connection->reason()};
        if (phase == ConnectionPhase::Reconnecting && worst.first != PublisherState::Reconnecting)
            worst = {PublisherState::Reconnecting, connection->reason()};
    }
    if (any && allConnected)
        return {PublisherState::Connected, QString()};
    return worst;
}

} // namespace telmora
