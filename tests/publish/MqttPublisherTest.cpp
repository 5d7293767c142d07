// The publisher against a real broker: topics and payloads of two meters, the
// retained status, QoS 1 across a broker restart (with a full queue dropping its
// oldest reading), refused credentials over TLS, a broker that never answers and
// the bounded queue while the broker is down.
#include "publish/MqttPublisher.h"
#include "MosquittoBroker.h"
#include "MqttSubscriber.h"

#include <QDeadlineTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <algorithm>

using namespace telmora;
using namespace telmora::test;
using namespace std::chrono_literals;

namespace {

constexpr qint64 kUtcMs = 1796765401125;

#define SKIP_WITHOUT_BROKER()                                                                      \
    if (const QString why = MosquittoBroker::unavailableReason(); !why.isEmpty())                  \
    GTEST_SKIP() << why.toStdString()

PublishSettings settingsFor(const QString& url, const QString& prefix, int qos = 0) {
    PublishSettings settings;
    settings.enabled = true;
    settings.brokerUrl = url;
    settings.topicPrefix = prefix;
    settings.qos = qos;
    settings.clientId = QStringLiteral("test-publisher");
    settings.keepAliveSeconds = 5;
    return settings;
}

// Waits (with the event loop running) until the publisher is in `wanted`.
bool waitForState(MqttPublisher& publisher, PublisherState wanted, int timeoutMs = 15000) {
    QSignalSpy spy(&publisher, &MqttPublisher::stateChanged);
    const QDeadlineTimer deadline(timeoutMs);
    while (publisher.state() != wanted && !deadline.hasExpired())
        spy.wait(static_cast<int>(std::max<qint64>(1, deadline.remainingTime())));
    return publisher.state() == wanted;
}

Measurement volts(const char* text) {
    return MeasureDisplay(text, false, 0x6, 0, DisplayKind::Main);
}

QJsonObject json(const std::string& payload) {
    return QJsonDocument::fromJson(QByteArray::fromStdString(payload)).object();
}

} // namespace

TEST(MqttPublisher, TwoMetersPublishTheirReadingsStatisticsAndStatus) {
    SKIP_WITHOUT_BROKER();
    MosquittoBroker broker;
    ASSERT_TRUE(broker.running()) << broker.error().toStdString();
    MqttSubscriber live(broker.plainPort(), "lab/a/#");
    ASSERT_TRUE(live.waitSubscribed(5s));

    MqttPublisher publisher;
    publisher.start(settingsFor(broker.plainUrl(), QStringLiteral("lab/a/")));
    EXPECT_EQ(publisher.topicPrefix(), QStringLiteral("lab/a"));
    publisher.meterOnline(QStringLiteral("5310"));
    publisher.meterOnline(QStringLiteral("5311"));
    ASSERT_TRUE(waitForState(publisher, PublisherState::Connected))
        << publisher.stateReason().toStdString();
    publisher.publishReading(QStringLiteral("5310"), QStringLiteral("Meter 1"), volts(" 1.2345"),
                             kUtcMs, 3600);
    publisher.publishReading(QStringLiteral("5311"), QStringLiteral("Meter 2"),
                             MeasureDisplay(" 0.L ", false, 0x80, 6, DisplayKind::Main), kUtcMs,
                             3600);
    PublishedStatistics statistics;
    statistics.meterName = QStringLiteral("Meter 1");
    statistics.unit = QStringLiteral("V");
    statistics.samples = 1;
    statistics.mean = statistics.minimum = statistics.maximum = 1.2345;
    publisher.publishStatistics(QStringLiteral("5310"), statistics, kUtcMs, 3600);
    publisher.publishReading(QStringLiteral("9999"), QStringLiteral("not online"), volts(" 1.0000"),
                             kUtcMs, 0);

    ASSERT_TRUE(live.waitForMessage("lab/a/5310/reading", "", 10s));
    ASSERT_TRUE(live.waitForMessage("lab/a/5311/reading", "", 10s));
    ASSERT_TRUE(live.waitForMessage("lab/a/5310/statistics", "", 10s));
    const QJsonObject first = json(live.messagesOn("lab/a/5310/reading").at(0).payload);
    EXPECT_DOUBLE_EQ(first.value(QStringLiteral("value")).toDouble(), 1.2345);
    EXPECT_EQ(first.value(QStringLiteral("serial")).toString(), QStringLiteral("5310"));
    EXPECT_EQ(first.value(QStringLiteral("time")).toString(),
              QStringLiteral("2026-12-08T22:30:01.125+01:00"));
    const QJsonObject second = json(live.messagesOn("lab/a/5311/reading").at(0).payload);
    EXPECT_TRUE(second.value(QStringLiteral("value")).isNull());
    EXPECT_TRUE(second.value(QStringLiteral("overload")).toBool());
    EXPECT_EQ(second.value(QStringLiteral("meter")).toString(), QStringLiteral("Meter 2"));
    EXPECT_EQ(json(live.messagesOn("lab/a/5310/statistics").at(0).payload)
                  .value(QStringLiteral("samples"))
                  .toInt(),
              1);
    EXPECT_TRUE(live.messagesOn("lab/a/9999/reading").empty());

    // A subscriber that comes later still learns that both meters are online.
    MqttSubscriber later(broker.plainPort(), "lab/a/+/status");
    EXPECT_TRUE(later.waitForMessage("lab/a/5310/status", "online", 10s));
    EXPECT_TRUE(later.waitForMessage("lab/a/5311/status", "online", 10s));
    EXPECT_TRUE(later.messages().at(0).retained);

    // A clean stop leaves both "offline", also for subscribers that come later.
    publisher.stop();
    EXPECT_TRUE(publisher.waitUntilClosed(5000ms));
    EXPECT_EQ(publisher.state(), PublisherState::Off);
    MqttSubscriber afterStop(broker.plainPort(), "lab/a/+/status");
    EXPECT_TRUE(afterStop.waitForMessage("lab/a/5310/status", "offline", 10s));
    EXPECT_TRUE(afterStop.waitForMessage("lab/a/5311/status", "offline", 10s));
}

TEST(MqttPublisher, QosOneReadingsQueuedWhileTheBrokerIsDownArriveInOrderAfterItsRestart) {
    SKIP_WITHOUT_BROKER();
    MosquittoBroker broker;
    ASSERT_TRUE(broker.running()) << broker.error().toStdString();
    MqttSubscriber subscriber(broker.plainPort(), "lab/b/+/reading", "test-subscriber-b");
    ASSERT_TRUE(subscriber.waitSubscribed(5s));

    MqttPublisher publisher;
    PublishSettings settings = settingsFor(broker.plainUrl(), QStringLiteral("lab/b"), 1);
    settings.queueLimit = 3;
    publisher.start(settings);
    publisher.meterOnline(QStringLiteral("5310"));
    ASSERT_TRUE(waitForState(publisher, PublisherState::Connected));
    publisher.publishReading(QStringLiteral("5310"), QStringLiteral("M"), volts(" 0.0001"), kUtcMs,
                             0);
    ASSERT_TRUE(subscriber.waitForMessage("lab/b/5310/reading", "", 10s));

    broker.stop();
    ASSERT_TRUE(waitForState(publisher, PublisherState::Reconnecting));
    EXPECT_FALSE(publisher.stateReason().isEmpty());
    for (const char* text : {" 0.0002", " 0.0003", " 0.0004", " 0.0005"})
        publisher.publishReading(QStringLiteral("5310"), QStringLiteral("M"), volts(text), kUtcMs,
                                 0);
    ASSERT_TRUE(broker.start()) << broker.error().toStdString();
    ASSERT_TRUE(waitForState(publisher, PublisherState::Connected, 40000));
    EXPECT_TRUE(subscriber.waitFor([](const auto& m) { return m.size() >= 4; }, 20s));
    std::vector<double> values;
    for (const ReceivedMessage& m : subscriber.messagesOn("lab/b/5310/reading"))
        values.push_back(json(m.payload).value(QStringLiteral("value")).toDouble());
    // QoS 1 delivers at least once: the broker may hand a reading on again after
    // its restart. Apart from that, the full queue dropped its oldest reading.
    values.erase(std::unique(values.begin(), values.end()), values.end());
    EXPECT_EQ(values, (std::vector<double>{0.0001, 0.0003, 0.0004, 0.0005}));
    EXPECT_EQ(publisher.droppedCount(), 1u);
}

TEST(MqttPublisher, TlsWithTheRightPasswordConnectsAndWithAWrongOneIsRefused) {
    SKIP_WITHOUT_BROKER();
    MosquittoBroker broker;
    ASSERT_TRUE(broker.running()) << broker.error().toStdString();
    PublishSettings settings = settingsFor(broker.tlsUrl(), QStringLiteral("lab/c"));
    settings.caFile = broker.caFile();
    settings.userName = QString::fromLatin1(MosquittoBroker::kUser);
    settings.password = QString::fromLatin1(MosquittoBroker::kPassword);

    MqttPublisher publisher;
    publisher.start(settings);
    publisher.meterOnline(QStringLiteral("5310"));
    EXPECT_TRUE(waitForState(publisher, PublisherState::Connected))
        << publisher.stateReason().toStdString();

    settings.password = QStringLiteral("wrong");
    QSignalSpy states(&publisher, &MqttPublisher::stateChanged);
    publisher.start(settings);
    ASSERT_TRUE(waitForState(publisher, PublisherState::Refused));
    EXPECT_TRUE(publisher.stateReason().contains(QStringLiteral("Connection Refused")))
        << publisher.stateReason().toStdString();
    EXPECT_EQ(states.last().at(0).value<PublisherState>(), PublisherState::Refused);

    // Without the test CA the server's certificate is not trusted.
    settings.password = QString::fromLatin1(MosquittoBroker::kPassword);
    settings.caFile.clear();
    publisher.start(settings);
    EXPECT_EQ(publisher.waitForFirstResult(10000ms), PublisherState::Reconnecting);
    settings.caFile = QStringLiteral("/nonexistent/ca.crt");
    publisher.start(settings);
    EXPECT_EQ(publisher.waitForFirstResult(10000ms), PublisherState::Refused);
    EXPECT_EQ(publisher.stateReason(), QStringLiteral("The CA certificate file cannot be read."));
}

TEST(MqttPublisher, ABrokerThatNeverAnswersNeitherSlowsNorGrowsThePublisher) {
    SKIP_WITHOUT_BROKER();
    const SilentListener silent;
    ASSERT_NE(silent.port(), 0);
    PublishSettings settings =
        settingsFor(QStringLiteral("mqtt://127.0.0.1:%1").arg(silent.port()), QStringLiteral("x"));
    settings.queueLimit = 100;
    MqttPublisher publisher;
    publisher.start(settings);
    publisher.meterOnline(QStringLiteral("5310"));
    for (int i = 0; i < 5000; ++i)
        publisher.publishReading(QStringLiteral("5310"), QStringLiteral("M"), volts(" 1.0000"),
                                 kUtcMs + i, 0);
    EXPECT_GE(publisher.droppedCount(), 4900u);
    EXPECT_EQ(publisher.state(), PublisherState::Connecting);
}

TEST(MqttPublisher, ReadingsBeyondTheQueueLimitAreDroppedAndCountedWhileTheBrokerIsDown) {
    SKIP_WITHOUT_BROKER();
    const int port = FreeLocalPort(); // nothing listens there
    PublishSettings settings =
        settingsFor(QStringLiteral("mqtt://127.0.0.1:%1").arg(port), QStringLiteral("lab/d"), 1);
    settings.queueLimit = 10;
    MqttPublisher publisher;
    QSignalSpy dropped(&publisher, &MqttPublisher::droppedChanged);
    publisher.start(settings);
    publisher.meterOnline(QStringLiteral("5310"));
    EXPECT_EQ(publisher.waitForFirstResult(10000ms), PublisherState::Reconnecting);
    EXPECT_TRUE(publisher.stateReason().contains(QStringLiteral("refused")))
        << publisher.stateReason().toStdString();
    for (int i = 0; i < 25; ++i)
        publisher.publishReading(QStringLiteral("5310"), QStringLiteral("M"), volts(" 1.0000"),
                                 kUtcMs + i, 0);
    EXPECT_EQ(publisher.droppedCount(), 15u);
    ASSERT_EQ(dropped.size(), 15);
    EXPECT_EQ(dropped.last().at(0).toULongLong(), 15u);
    // The ten still queued at the end are told apart from the dropped ones.
    publisher.stop();
    EXPECT_TRUE(publisher.waitUntilClosed(5000ms));
    EXPECT_EQ(publisher.unsentCount(), 10u);

    // A restart with a broker that is there connects and publishes.
    MosquittoBroker broker;
    ASSERT_TRUE(broker.running()) << broker.error().toStdString();
    MqttSubscriber subscriber(broker.plainPort(), "lab/d/5310/reading");
    ASSERT_TRUE(subscriber.waitSubscribed(5s));
    settings.brokerUrl = broker.plainUrl();
    publisher.start(settings);
    EXPECT_EQ(publisher.droppedCount(), 0u) << "counted since start()";
    EXPECT_EQ(publisher.unsentCount(), 0u);
    ASSERT_TRUE(waitForState(publisher, PublisherState::Connected));
    publisher.publishReading(QStringLiteral("5310"), QStringLiteral("M"), volts(" 2.0000"), kUtcMs,
                             0);
    EXPECT_TRUE(subscriber.waitForMessage("lab/d/5310/reading", "", 10s));
}

TEST(MqttPublisher, AMeterGoingOfflineAndARestartLeaveTheRightRetainedStatuses) {
    SKIP_WITHOUT_BROKER();
    MosquittoBroker broker;
    ASSERT_TRUE(broker.running()) << broker.error().toStdString();
    MqttSubscriber subscriber(broker.plainPort(), "lab/e/+/status");
    ASSERT_TRUE(subscriber.waitSubscribed(5s));
    const PublishSettings settings = settingsFor(broker.plainUrl(), QStringLiteral("lab/e"), 1);
    MqttPublisher publisher;
    publisher.start(settings);
    publisher.meterOnline(QStringLiteral("A"));
    publisher.meterOnline(QStringLiteral("B"));
    ASSERT_TRUE(waitForState(publisher, PublisherState::Connected));
    ASSERT_TRUE(subscriber.waitForMessage("lab/e/B/status", "online", 10s));

    publisher.meterOffline(QStringLiteral("A"));
    EXPECT_TRUE(subscriber.waitForMessage("lab/e/A/status", "offline", 10s));
    EXPECT_EQ(publisher.state(), PublisherState::Connected) << "B is still connected";

    // The same settings again change nothing; a restart closes B's connection
    // before its new one says "online", so that "online" is what stays.
    publisher.start(settings);
    publisher.stop();
    publisher.start(settings);
    const auto lastOfB = [](const std::vector<ReceivedMessage>& messages) {
        std::vector<std::string> b;
        for (const ReceivedMessage& m : messages) {
            if (m.topic == "lab/e/B/status")
                b.push_back(m.payload);
        }
        return b;
    };
    EXPECT_TRUE(subscriber.waitFor([&](const auto& m) { return lastOfB(m).size() >= 3; }, 10s));
    EXPECT_EQ(lastOfB(subscriber.messages()),
              (std::vector<std::string>{"online", "offline", "online"}));
    MqttSubscriber later(broker.plainPort(), "lab/e/+/status");
    EXPECT_TRUE(later.waitFor([](const auto& m) { return m.size() >= 2; }, 10s));
    EXPECT_TRUE(later.waitForMessage("lab/e/A/status", "offline", 1s));
    EXPECT_TRUE(later.waitForMessage("lab/e/B/status", "online", 1s));
    EXPECT_EQ(later.messages().size(), 2u);
    EXPECT_EQ(lastOfB(subscriber.messages()).size(), 3u) << "no restart for the same settings";
}
