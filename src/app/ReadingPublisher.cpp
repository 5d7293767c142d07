#include "app/ReadingPublisher.h"

#include "app/Meter.h"
#include "app/PasswordStore.h"
#include "app/publishpreferences.h"
#include "meter/MeterLink.h"
#include "model/DecodedReply.h"
#include "model/GroupedStatistics.h"
#include "model/IniSettings.h"
#include "publish/MqttPublisher.h"
#include "recording/RecorderController.h"
#include "recording/RecordingLimits.h"

#include <QCoreApplication>
#include <QDateTime>

#include <algorithm>

namespace telmora {

namespace {

constexpr int kStatisticsIntervalMs = 10'000;

struct Now {
    qint64 utcMs;
    qint32 offsetSeconds;
};

Now CurrentTime() {
    const QDateTime now = QDateTime::currentDateTime();
    return {now.toMSecsSinceEpoch(), now.offsetFromUtc()};
}

// The figures of the function and unit the meter measured last: a recording's
// groups come in the order their first reading came, so the newest group is the
// one a meter switched to last.
const StatisticsGroup* CurrentGroup(const GroupedStatistics& statistics) {
    if (statistics.groups().empty())
        return nullptr;
    return &statistics.groups().back();
}

} // namespace

ReadingPublisher::ReadingPublisher(IniSettings& desktopState, RecorderController& recording,
                                   QString passwordFile, QObject* parent)
    : QObject(parent), m_desktopState(desktopState), m_recording(recording),
      m_passwords(std::make_unique<PasswordStore>(std::move(passwordFile))),
      m_publisher(std::make_unique<MqttPublisher>()),
      m_settings(ReadPublishSettings(desktopState)) {
    m_statisticsTimer.setInterval(kStatisticsIntervalMs);
    connect(&m_statisticsTimer, &QTimer::timeout, this, &ReadingPublisher::publishStatistics);
    connect(&m_recording, &RecorderController::recordingStateChanged, this,
            &ReadingPublisher::updateStatisticsTimer);
    connect(&m_recording, &RecorderController::markerAdded, this, &ReadingPublisher::publishMarker);
    connect(m_publisher.get(), &MqttPublisher::stateChanged, this,
            &ReadingPublisher::statusChanged);
    connect(m_publisher.get(), &MqttPublisher::droppedChanged, this,
            &ReadingPublisher::statusChanged);
    if (m_settings.enabled)
        start();
}

ReadingPublisher::~ReadingPublisher() = default;

void ReadingPublisher::watch(Meter& meter, int number) {
    m_meters.emplace_back(&meter, number);
    connect(&meter.link(), &MeterLink::linkedChanged, this,
            [this, &meter, number](bool linked) { onLinkedChanged(meter, number, linked); });
    connect(&meter.link(), &MeterLink::readingReceived, this,
            [this, &meter, number](const DecodedReply& reading) {
                if (!m_publisher->running())
                    return;
                const Now now = CurrentTime();
                m_publisher->publishReading(MeterTopicName(meter.serial(), number), meter.name(),
                                            reading.main, now.utcMs, now.offsetSeconds);
            });
}

void ReadingPublisher::onLinkedChanged(Meter& meter, int number, bool linked) {
    if (m_publisher->running()) {
        const QString name = MeterTopicName(meter.serial(), number);
        if (linked)
            m_publisher->meterOnline(name);
        else
            m_publisher->meterOffline(name);
    }
    emit statusChanged();
}

void ReadingPublisher::readPassword(std::function<void(const QString&)> done) {
    m_passwords->read(std::move(done));
}

void ReadingPublisher::apply(const PublishSettings& settings) {
    m_settings = settings;
    m_settings.password.clear();
    StorePublishSettings(m_desktopState, settings);
    QString reason;
    if (!m_desktopState.save(&reason))
        emit keepFailed(reason);
    m_passwords->write(settings.password, [this](bool kept, const QString& why) {
        if (!kept)
            emit keepFailed(why);
    });
    m_publisher->stop();
    if (settings.enabled)
        publishWith(settings);
    updateStatisticsTimer();
    emit statusChanged();
}

void ReadingPublisher::start() {
    m_passwords->read([this](const QString& password) {
        if (!m_settings.enabled)
            return;
        PublishSettings withPassword = m_settings;
        withPassword.password = password;
        publishWith(withPassword);
        updateStatisticsTimer();
        emit statusChanged();
    });
}

void ReadingPublisher::publishWith(const PublishSettings& settings) {
    m_publisher->start(settings);
    for (const auto& [meter, number] : m_meters)
        if (meter->link().isLinked())
            m_publisher->meterOnline(MeterTopicName(meter->serial(), number));
}

void ReadingPublisher::updateStatisticsTimer() {
    if (m_publisher->running() && m_recording.isRecording())
        m_statisticsTimer.start();
    else
        m_statisticsTimer.stop();
}

void ReadingPublisher::publishStatistics() {
    if (!m_publisher->running())
        return;
    const Now now = CurrentTime();
    for (int k = 0; k < m_recording.meterCount(); ++k) {
        const StatisticsGroup* group = CurrentGroup(m_recording.meterStatistics(k));
        PublishedStatistics figures;
        figures.meterName = m_recording.meterName(k);
        if (group) {
            figures.unit = QString::fromStdString(group->unit);
            figures.samples = group->values.count();
            figures.overloads = group->overloads;
            figures.mean = group->values.mean();
            figures.stddev = group->values.standardDeviation();
            figures.minimum = group->values.minimum();
            figures.maximum = group->values.maximum();
        }
        if (const LimitTest* limits = m_recording.limitCounts().counts(k))
            figures.limits = *limits;
        m_publisher->publishStatistics(MeterTopicName(m_recording.meterSerial(k), k + 1), figures,
                                       now.utcMs, now.offsetSeconds);
    }
}

void ReadingPublisher::publishMarker(const Marker& marker) {
    if (!m_publisher->running())
        return;
    for (int k = 0; k < m_recording.meterCount(); ++k) {
        if (!marker.serial.isEmpty() && marker.serial != m_recording.meterSerial(k))
            continue;
        m_publisher->publishMarker(MeterTopicName(m_recording.meterSerial(k), k + 1), marker.time,
                                   marker.sample, marker.note, marker.meter);
    }
}

QString ReadingPublisher::statusText() const {
    if (!m_settings.enabled || !m_publisher->running())
        return {};
    const bool anyLinked = std::any_of(m_meters.begin(), m_meters.end(), [](const auto& entry) {
        return entry.first->link().isLinked();
    });
    if (!anyLinked)
        return tr("MQTT: no meter linked");
    QString text;
    switch (m_publisher->state()) {
    case PublisherState::Off:
        return {};
    case PublisherState::Connecting:
        text = tr("MQTT: connecting");
        break;
    case PublisherState::Connected:
        text = tr("MQTT: connected");
        break;
    case PublisherState::Reconnecting:
        text = tr("MQTT: not connected");
        break;
    case PublisherState::Refused:
        text = tr("MQTT: refused");
        break;
    }
    if (const quint64 dropped = m_publisher->droppedCount())
        text += QStringLiteral(", ") + tr("%1 readings dropped").arg(dropped);
    return text;
}

QString ReadingPublisher::statusDetail() const {
    if (!m_settings.enabled || !m_publisher->running())
        return {};
    const QString reason = m_publisher->stateReason();
    const QString where = m_settings.brokerUrl + QStringLiteral(" \u2192 ") +
                          m_publisher->topicPrefix() + QStringLiteral("/\u2026");
    return reason.isEmpty() ? where : where + QLatin1Char('\n') + reason;
}

} // namespace telmora
