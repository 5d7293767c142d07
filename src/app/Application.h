#pragma once

#include "app/Settings.h"
#include "app/UserFiles.h"

#include <QObject>

#include <memory>

namespace telmora {

class CableAccess;
class CableBackend;
class IniSettings;
class LoggerSessions;
class MeterLink;
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

    CableAccess& cable() const { return *m_cable; }
    MeterLink& link() const { return *m_link; }
    RecorderController& recording() const { return *m_recording; }
    LoggerSessions& loggerSessions() const { return *m_loggerSessions; }

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

private:
    void setBusyPart(bool& part, bool busy);

    UserFiles m_files;
    SettingsValues m_settings;
    std::unique_ptr<IniSettings> m_desktopState;
    std::unique_ptr<CableAccess> m_cable;
    std::unique_ptr<MeterLink> m_link;
    std::unique_ptr<RecorderController> m_recording;
    std::unique_ptr<LoggerSessions> m_loggerSessions;
    bool m_recorderBusy = false;
    bool m_loggerBusy = false;
};

} // namespace telmora
