#include "app/Application.h"

#include "logger/LoggerSessions.h"
#include "meter/CableAccess.h"
#include "meter/MeterLink.h"
#include "model/IniSettings.h"
#include "recording/RecorderController.h"

namespace telmora {

namespace {

// The preferences key of the Link menu's "Reconnect automatically".
const QString kReconnectKey = QStringLiteral("Link/ReconnectAutomatically");

} // namespace

Application::Application(std::shared_ptr<CableBackend> backend, UserFiles files, QObject* parent)
    : QObject(parent), m_files(std::move(files)), m_settings(ReadUserSettings(m_files)),
      m_desktopState(std::make_unique<IniSettings>(m_files.desktopStateFile)),
      m_cable(std::make_unique<CableAccess>(std::move(backend))),
      m_link(std::make_unique<MeterLink>(*m_cable)),
      m_recording(
          std::make_unique<RecorderController>(ReadingsOf(*m_link), m_files.temporaryDirectory)),
      m_loggerSessions(std::make_unique<LoggerSessions>(*m_cable)) {
    m_link->setReconnectAutomatically(reconnectsAutomatically());
    connect(m_recording.get(), &RecorderController::busyChanged, this,
            [this](bool busy) { setBusyPart(m_recorderBusy, busy); });
    connect(m_loggerSessions.get(), &LoggerSessions::busyChanged, this,
            [this](bool busy) { setBusyPart(m_loggerBusy, busy); });
    // The recorder stops sampling while the meter is away and when the link ends.
    connect(m_link.get(), &MeterLink::waitingForCableChanged, this, [this](bool waiting) {
        if (waiting)
            m_recording->readingsInterrupted();
    });
    connect(m_link.get(), &MeterLink::linkedChanged, this, [this](bool linked) {
        if (!linked)
            m_recording->linkEnded();
    });
}

Application::~Application() {
    // The worker ends before the controllers it feeds.
    m_link->unlink();
    m_loggerSessions.reset();
    m_recording.reset();
    m_link.reset();
}

void Application::setBusyPart(bool& part, bool busy) {
    const bool before = isBusy();
    part = busy;
    if (isBusy() != before)
        emit busyChanged(isBusy());
}

void Application::setComparatorLimits(double high, double low) {
    m_settings.highLimit = high;
    m_settings.lowLimit = low;
}

bool Application::writeSettings(QString* error) const {
    return m_files.settingsFile.isEmpty() ||
           WriteSettingsFile(m_files.settingsFile, m_settings, error);
}

bool Application::reconnectsAutomatically() const {
    return m_desktopState->value(kReconnectKey, false).toBool();
}

void Application::setReconnectAutomatically(bool on) {
    m_link->setReconnectAutomatically(on);
    // Remembered with the desktop state for the next run. Should the file not be
    // written now, it is written again at exit, where a failure is reported.
    if (reconnectsAutomatically() != on) {
        m_desktopState->setValue(kReconnectKey, on);
        m_desktopState->save();
    }
}

} // namespace telmora
