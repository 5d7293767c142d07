#pragma once

#include "app/Settings.h"
#include "app/UserFiles.h"

#include <QObject>

#include <memory>
#include <string>
#include <vector>

namespace telmora {

class AutomaticMarkers;
class CableAccess;
class CableBackend;
class IniSettings;
class LoggerSessions;
class Meter;
class MeterLink;
class ReadingPublisher;
class RecorderController;

// The program without its windows, built once in main(): the cable (real or
// simulated, behind one CableAccess), the meter link, the recorder and logger
// controllers, the settings file's values and the desktop state. Windows and the
// command line are handed the parts they bind to; nothing here shows anything.
//
// The comparator limits live here and nowhere else; the busy state (a long
// recorder or logger operation runs, so the link must not change) is written by
// this object alone, from what its controllers report.
class Application : public QObject {
    Q_OBJECT

public:
    // Reads the settings of `files` (see ReadUserSettings) and the desktop state.
    Application(std::shared_ptr<CableBackend> backend, UserFiles files, QObject* parent = nullptr);
    // The controllers end before the link, the link before the cable.
    ~Application() override;

    // The first meter's cable and link (the only ones while one meter is known).
    CableAccess& cable() const;
    MeterLink& link() const;

    // --- several meters ---
    // The meters known this run: the first always, further ones once linked. A
    // meter stays in the list (unlinked) when its link ends, so its windows and
    // name keep their place; meter i is "Meter i+1" until renamed.
    int meterCount() const { return static_cast<int>(m_meters.size()); }
    Meter& meter(int index) const { return *m_meters.at(static_cast<std::size_t>(index)); }
    // The meters whose link is up, in order.
    std::vector<Meter*> linkedMeters() const;
    // The cables the system lists now: key, serial number and the name of the meter
    // that is or was linked to each (its remembered name otherwise).
    struct PresentCable {
        std::string key;
        QString serial;
        QString name;
        bool linked = false;
    };
    std::vector<PresentCable> presentCables() const;
    // Starts linking every listed cable that no meter is linked to; each link ends
    // by its meter's MeterLink::linkFinished(). The number of links started. With
    // one cable this is the first meter's link() (started also without a cable,
    // so that its end tells what is missing).
    int linkAll();
    // Starts linking the cable known by `key` (a meter of its own unless one has it
    // already); true when it started or is linked already, false when no listed
    // cable has that key.
    bool linkCable(const std::string& key);
    // Ends every link.
    void unlinkAll();
    // Renames a meter; the name is remembered for its cable's serial number.
    void renameMeter(int index, const QString& name);
    RecorderController& recording() const { return *m_recording; }
    LoggerSessions& loggerSessions() const { return *m_loggerSessions; }
    // The meter whose logger memory a download reads: the one the user chose (by
    // its serial number) while it is known, otherwise the first linked meter in the
    // meters' order (the last one that was, while none is linked).
    Meter& loggerMeter() const;
    // The user chooses meter `index` for the downloads; ignored while a download or
    // another logger job runs.
    void chooseLoggerMeter(int index);
    // Publishing the readings to an MQTT broker ("Publish readings").
    ReadingPublisher& publishing() const { return *m_publishing; }

    const UserFiles& userFiles() const { return m_files; }
    // The values of the settings file, as they are now.
    const SettingsValues& settings() const { return m_settings; }
    void setComparatorLimits(double high, double low);
    // Writes the settings file; true when there is no file to write (a refused
    // configuration folder) or it was written, else false with the reason.
    bool writeSettings(QString* error) const;
    // Window places and preferences, kept beside the settings file.
    IniSettings& desktopState() const { return *m_desktopState; }

    // Whether a lost link is waited for (remembered in the desktop state).
    bool reconnectsAutomatically() const;
    void setReconnectAutomatically(bool on);

    bool isBusy() const { return m_recorderBusy || m_loggerBusy; }

signals:
    void busyChanged(bool busy);
    // A meter was added to the list, or a meter's link or name changed.
    void metersChanged();

private:
    void setBusyPart(bool& part, bool busy);
    // The meter for `key`: the one that had it before, an unlinked one without a
    // cable, or a new one.
    Meter& meterForCable(const std::string& key, const QString& serial);
    Meter& addMeter(const std::string& key);
    QString rememberedName(const QString& serial, int index) const;
    void watchMeter(Meter& meter);
    // Hands the recorder every linked meter, in order, with its name and serial.
    void updateRecorderMeters();
    // Points the logger at the meter loggerMeter() names now.
    void updateLoggerMeter();
    // Gives each meter of the recording the limits of the meter that records it.
    void updateRecorderLimits();

    UserFiles m_files;
    SettingsValues m_settings;
    std::unique_ptr<IniSettings> m_desktopState;
    std::shared_ptr<CableBackend> m_backend;
    std::vector<std::unique_ptr<Meter>> m_meters;
    std::unique_ptr<RecorderController> m_recording;
    std::unique_ptr<LoggerSessions> m_loggerSessions;
    std::unique_ptr<ReadingPublisher> m_publishing;
    std::unique_ptr<AutomaticMarkers> m_automaticMarkers;
    Meter* m_loggerMeter = nullptr;
    QString m_chosenLoggerSerial; // the user's choice; empty: none
    bool m_recorderBusy = false;
    bool m_loggerBusy = false;
};

} // namespace telmora
