// Publishing as the application does it, against a real broker: two simulated
// meters linked together publish their readings, statuses and the recording's
// statistics and markers under their own serial numbers; a broker that accepts connections
// but never answers neither holds up the recording nor lets readings pile up.
#include "LinkWaits.h"
#include "MosquittoBroker.h"
#include "MqttSubscriber.h"
#include "UserDirectories.h"
#include "app/Application.h"
#include "app/Meter.h"
#include "app/ReadingPublisher.h"
#include "app/UserFiles.h"
#include "meter/MeterLink.h"
#include "model/GroupedStatistics.h"
#include "model/LimitTest.h"
#include "publish/MqttPublisher.h"
#include "recording/RecorderController.h"
#include "recording/RecordingStatistics.h"
#include "sim/SimulatedCables.h"

#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

using namespace telmora;
using namespace telmora::test;
using namespace std::chrono_literals;

namespace {

class PublishingApp : public ::testing::Test {
protected:
    void SetUp() override {
        if (const QString why = MosquittoBroker::unavailableReason(); !why.isEmpty())
            GTEST_SKIP() << why.toStdString();
        std::vector<std::shared_ptr<SimulatedMeter>> meters;
        for (int i = 0; i < 2; ++i)
            meters.push_back(std::make_shared<SimulatedMeter>(SimScenario::Demo, false));
        m_cables = std::make_shared<SimulatedCables>(std::move(meters));
        m_cables->nameCables();
        m_app = std::make_unique<Application>(m_cables, LocateUserFiles(m_start.path()));
    }
    void TearDown() override {
        if (!m_app)
            return;
        for (int i = 0; i < m_app->meterCount(); ++i) {
            MeterLink& link = m_app->meter(i).link();
            QSignalSpy stopped(&link, &MeterLink::stopped);
            link.unlink();
            if (link.isStopping())
                stopped.wait(10000);
        }
    }

    static PublishSettings settingsFor(const QString& url) {
        PublishSettings settings;
        settings.enabled = true;
        settings.brokerUrl = url;
        settings.topicPrefix = QStringLiteral("lab/bench");
        settings.clientId = QStringLiteral("app-test");
        settings.keepAliveSeconds = 5;
        return settings;
    }
    // Takes the first meter's readings as they come until `done` holds or 20 s
    // have passed.
    bool waitUntil(const std::function<bool()>& done) const {
        QSignalSpy readings(&m_app->meter(0).link(), &MeterLink::readingReceived);
        QElapsedTimer clock;
        clock.start();
        while (!done() && clock.elapsed() < 20000)
            readings.wait(500);
        return done();
    }

    UserDirectories m_home;
    QTemporaryDir m_start;
    std::shared_ptr<SimulatedCables> m_cables;
    std::unique_ptr<Application> m_app;
};

QJsonObject Json(const std::string& payload) {
    return QJsonDocument::fromJson(QByteArray::fromStdString(payload)).object();
}

// The limit counts of a recording, worked out here sample by sample.
LimitCounts CountAgainst(const Recording& recording, double low, double high) {
    LimitCounts counts;
    bool outside = false;
    for (std::int64_t i = 0; i < static_cast<std::int64_t>(recording.size()); ++i) {
        const std::optional<SampleEntry> sample = recording.readSample(i);
        const TypedReading reading = RecorderMainReading(*sample);
        const bool over = reading.overloaded() || (reading.hasValue() && reading.value > high);
        const bool under = reading.hasValue() && reading.value < low;
        if (!over && !under && !reading.hasValue())
            continue; // a gap
        if (over || under) {
            ++(over ? counts.above : counts.below);
            counts.excursions += outside ? 0 : 1;
        } else {
            ++counts.inside;
        }
        outside = over || under;
    }
    return counts;
}

TEST_F(PublishingApp, EveryLinkedMeterPublishesUnderItsSerialNumber) {
    MosquittoBroker broker;
    ASSERT_TRUE(broker.running()) << broker.error().toStdString();
    MqttSubscriber watcher(broker.plainPort(), "lab/bench/#");
    ASSERT_TRUE(watcher.waitSubscribed(10s));

    ReadingPublisher& publishing = m_app->publishing();
    publishing.apply(settingsFor(broker.plainUrl()));
    ASSERT_EQ(LinkAllAndWait(*m_app), 2);
    m_app->renameMeter(1, QStringLiteral("Shunt"));
    for (const char* serial : {"5310", "5311"})
        ASSERT_TRUE(
            watcher.waitForMessage(std::string("lab/bench/") + serial + "/status", "online", 20s))
            << serial;
    // Readings taken before the rename may still be on their way under the old name;
    // from the first under the new name on, every one carries it.
    const auto namedShunt = [](const ReceivedMessage& m) {
        return Json(m.payload).value("meter").toString() == QLatin1String("Shunt");
    };
    ASSERT_TRUE(waitUntil([&] {
        const std::vector<ReceivedMessage> second = watcher.messagesOn("lab/bench/5311/reading");
        const auto renamed = std::find_if(second.begin(), second.end(), namedShunt);
        return watcher.messagesOn("lab/bench/5310/reading").size() >= 3 &&
               std::distance(renamed, second.end()) >= 2 &&
               publishing.publisher().state() == PublisherState::Connected;
    })) << "a rename shows in the next readings";
    EXPECT_EQ(publishing.statusText(), QStringLiteral("MQTT: connected"));
    const QJsonObject first = Json(watcher.messagesOn("lab/bench/5310/reading").back().payload);
    EXPECT_EQ(first.value("meter").toString(), "Meter 1");
    EXPECT_EQ(first.value("serial").toString(), "5310");
    const std::vector<ReceivedMessage> seconds = watcher.messagesOn("lab/bench/5311/reading");
    const auto renamed = std::find_if(seconds.begin(), seconds.end(), namedShunt);
    EXPECT_TRUE(std::all_of(renamed, seconds.end(), namedShunt)) << "no reading goes back";
    const QJsonObject second = Json(seconds.back().payload);
    EXPECT_EQ(second.value("serial").toString(), "5311");
    EXPECT_TRUE(second.value("time").toString().contains(QLatin1Char('T')));

    // The statistics of the running recording, per recorded meter, each with its
    // meter's limit counts: every reading of the first meter lies within its limits
    // (an overload counts above), every reading of the second above its own.
    m_app->setComparatorLimits(3e9, -3e9);
    m_app->meter(1).setLimits(-2e9, -3e9);
    RecorderController& recorder = m_app->recording();
    recorder.setAcquisition(AcquisitionMode::Manual, 0);
    for (int i = 0; i < 3; ++i) {
        // Each sample gets a fresh reading of the second meter (else it is a gap).
        QSignalSpy fresh(&m_app->meter(1).link(), &MeterLink::readingReceived);
        ASSERT_TRUE(fresh.wait(10000));
        ASSERT_TRUE(recorder.takeManualSample());
    }
    publishing.publishStatistics();
    ASSERT_TRUE(watcher.waitForMessage("lab/bench/5311/statistics", "", 10s));
    const QJsonObject figures =
        Json(watcher.messagesOn("lab/bench/5311/statistics").back().payload);
    // The figures of the unit the meter measures now, as the recorder counts them.
    const StatisticsGroup& newest = recorder.meterStatistics(1).groups().back();
    EXPECT_EQ(figures.value("unit").toString().toStdString(), newest.unit);
    EXPECT_EQ(figures.value("samples").toInteger(), newest.values.count());
    EXPECT_EQ(figures.value("meter").toString(), "Shunt");
    for (const int meter : {0, 1}) {
        const std::string topic =
            meter == 0 ? "lab/bench/5310/statistics" : "lab/bench/5311/statistics";
        ASSERT_TRUE(watcher.waitForMessage(topic, "", 10s));
        const QJsonObject limits =
            Json(watcher.messagesOn(topic).back().payload).value("limits").toObject();
        const LimitCounts expected =
            CountAgainst(recorder.meterRecording(meter), m_app->meter(meter).lowLimit(),
                         m_app->meter(meter).highLimit());
        EXPECT_EQ(limits.value("low").toDouble(), m_app->meter(meter).lowLimit()) << meter;
        EXPECT_EQ(limits.value("high").toDouble(), m_app->meter(meter).highLimit()) << meter;
        EXPECT_EQ(limits.value("inside").toInteger(), expected.inside) << meter;
        EXPECT_EQ(limits.value("above").toInteger(), expected.above) << meter;
        EXPECT_EQ(limits.value("below").toInteger(), expected.below) << meter;
        EXPECT_EQ(limits.value("excursions").toInteger(), expected.excursions) << meter;
    }
    EXPECT_GT(Json(watcher.messagesOn("lab/bench/5311/statistics").back().payload)
                  .value("limits")
                  .toObject()
                  .value("above")
                  .toInteger(),
              0);

    // A marker the user made goes out for every recorded meter, one the recorder
    // made for a meter only for that meter. (Alarms of the running series may mark
    // the recording too.)
    recorder.addMarker(QStringLiteral("valve \"A\", opened"));
    recorder.addMarker(QStringLiteral("from the shunt"), -1, 1);
    // The condition sees the messages so far; it may not ask the watcher again.
    const auto noted = [](const std::vector<ReceivedMessage>& all, const char* serial,
                          const char* note) {
        return std::count_if(all.begin(), all.end(), [&](const ReceivedMessage& m) {
            return m.topic == std::string("lab/bench/") + serial + "/marker" &&
                   Json(m.payload).value("note").toString() == QLatin1String(note);
        });
    };
    ASSERT_TRUE(watcher.waitFor(
        [&](const std::vector<ReceivedMessage>& all) {
            return noted(all, "5310", "valve \"A\", opened") == 1 &&
                   noted(all, "5311", "valve \"A\", opened") == 1 &&
                   noted(all, "5311", "from the shunt") == 1;
        },
        10s));
    EXPECT_EQ(noted(watcher.messages(), "5310", "from the shunt"), 0);
    const auto markerOf = [&](const char* serial, const QString& note) {
        for (const ReceivedMessage& m :
             watcher.messagesOn("lab/bench/" + std::string(serial) + "/marker"))
            if (Json(m.payload).value("note").toString() == note)
                return Json(m.payload);
        return QJsonObject();
    };
    const QJsonObject mark = markerOf("5310", QStringLiteral("valve \"A\", opened"));
    EXPECT_EQ(mark.value("sample").toInteger(), 2);
    EXPECT_EQ(mark.value("time").toString(),
              recorder.markers().at(recorder.markers().count() - 2).time);
    EXPECT_EQ(markerOf("5311", QStringLiteral("from the shunt")).value("meter").toString(),
              "Shunt");

    // A clean unlink leaves both meters offline.
    m_app->unlinkAll();
    for (const char* serial : {"5310", "5311"})
        EXPECT_TRUE(
            watcher.waitForMessage(std::string("lab/bench/") + serial + "/status", "offline", 10s))
            << serial;

    // Switched off, nothing more goes out and the status panel is empty.
    PublishSettings off = publishing.settings();
    off.enabled = false;
    publishing.apply(off);
    EXPECT_TRUE(publishing.statusText().isEmpty());
}

TEST_F(PublishingApp, ABrokerThatNeverAnswersDoesNotHoldUpTheRecording) {
    SilentListener silent;
    PublishSettings settings =
        settingsFor(QStringLiteral("mqtt://127.0.0.1:%1").arg(silent.port()));
    settings.queueLimit = 5;
    m_app->publishing().apply(settings);
    ASSERT_EQ(LinkAllAndWait(*m_app), 2);

    RecorderController& recorder = m_app->recording();
    recorder.setAcquisition(AcquisitionMode::Automatic, 200);
    ASSERT_TRUE(recorder.startRecording());
    QSignalSpy added(&recorder, &RecorderController::sampleAdded);
    QElapsedTimer clock;
    clock.start();
    std::vector<qint64> at;
    while (at.size() < 12 && clock.elapsed() < 30000)
        if (added.wait(5000))
            while (at.size() < static_cast<std::size_t>(added.count()))
                at.push_back(clock.elapsed());
    recorder.stopRecording();
    ASSERT_GE(at.size(), 12u) << "the recording went on while the broker said nothing";
    // Ticks keep their pace: none waits on the broker (a blocked publish would
    // stall the loop for the broker's whole time-out).
    for (std::size_t i = 1; i < at.size(); ++i)
        EXPECT_LT(at[i] - at[i - 1], 2000) << i;
    ReadingPublisher& publishing = m_app->publishing();
    EXPECT_NE(publishing.publisher().state(), PublisherState::Connected);
    EXPECT_GT(publishing.publisher().droppedCount(), 0u);
    EXPECT_TRUE(publishing.statusText().contains(QStringLiteral("readings dropped")))
        << publishing.statusText().toStdString();
}

} // namespace
