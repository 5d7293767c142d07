#pragma once

#include "publish/PublishSettings.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>

namespace telmora {

class IniSettings;
class Meter;
class MqttPublisher;
class PasswordStore;
class RecorderController;
struct Marker;
enum class PublisherState;

// Sends the readings of every linked meter to an MQTT broker when the user has
// switched "Publish readings" on: each reading as it comes, each meter's status
// as its link begins and ends, and every 10 s while a recording runs the
// statistics of each recorded meter. The network work happens in the
// publisher's own threads; nothing here waits for the broker.
class ReadingPublisher : public QObject {
    Q_OBJECT

public:
    // `passwordFile`: where the password is kept when there is no secret store
    // (empty: nowhere beyond this run).
    ReadingPublisher(IniSettings& desktopState, RecorderController& recording, QString passwordFile,
                     QObject* parent = nullptr);
    ~ReadingPublisher() override;

    // Publishes the readings of `meter`, the `number`th meter (from 1).
    void watch(Meter& meter, int number);

    // The settings as kept (the password is read separately: readPassword()).
    const PublishSettings& settings() const { return m_settings; }
    // Keeps `settings` (with their password) and starts or stops publishing
    // with them. When the desktop state or the password cannot be written,
    // keepFailed() says why; publishing follows the new settings all the same.
    void apply(const PublishSettings& settings);
    void readPassword(std::function<void(const QString&)> done);
    PasswordStore& passwords() const { return *m_passwords; }
    MqttPublisher& publisher() const { return *m_publisher; }

    // One line for the main window's status: empty while publishing is off.
    QString statusText() const;
    // The broker, the topics and the broker's or system's last reason, for a tooltip.
    QString statusDetail() const;
    // Publishes the recording's statistics now (the 10 s timer calls this).
    void publishStatistics();
    // Publishes a new marker of the recording: for the meter it came from, or for
    // every meter of the recording when the user made it.
    void publishMarker(const Marker& marker);

signals:
    void statusChanged();
    // Keeping the settings or the password failed; `reason` says why.
    void keepFailed(const QString& reason);

private:
    void start();
    // Starts the publisher with `settings` and says every linked meter online.
    void publishWith(const PublishSettings& settings);
    void onLinkedChanged(Meter& meter, int number, bool linked);
    void updateStatisticsTimer();

    IniSettings& m_desktopState;
    RecorderController& m_recording;
    std::unique_ptr<PasswordStore> m_passwords;
    std::unique_ptr<MqttPublisher> m_publisher;
    PublishSettings m_settings;
    QTimer m_statisticsTimer;
    // The meters watched, to say them online when publishing starts.
    std::vector<std::pair<Meter*, int>> m_meters;
};

} // namespace telmora
