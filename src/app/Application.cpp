#include "app/Application.h"

#include "app/AutomaticMarkers.h"
#include "app/Meter.h"
#include "app/ReadingPublisher.h"
#include "app/recorderlimits.h"
#include "logger/LoggerSessions.h"
#include "meter/CableAccess.h"
#include "meter/MeterLink.h"
#include "meter/cablelist.h"
#include "model/IniSettings.h"
#include "recording/RecorderController.h"
#include "recording/RecordingLimits.h"

#include <QFileInfo>

#include <algorithm>

namespace telmora {

namespace {

// The preferences key of the Link menu's "Reconnect automatically".
const QString kReconnectKey = QStringLiteral("Link/ReconnectAutomatically");

// Where the broker password is kept when the desktop has no secret store: beside
// the desktop state, in the configuration folder that only the user may read.
QString PasswordFileBeside(const QString& desktopStateFile) {
    if (desktopStateFile.isEmpty())
        return {};
    return QFileInfo(desktopStateFile).absolutePath() + QStringLiteral("/publish-password");
}

// The desktop-state keys of what is remembered per cable serial number.
QString MeterKey(const QString& serial, const char* what) {
    return QStringLiteral("Meters/%1/%2").arg(serial, QLatin1String(what));
}

} // namespace

Application::Application(std::shared_ptr<CableBackend> backend, UserFiles files, QObject* parent)
    : QObject(parent), m_files(std::move(files)), m_settings(ReadUserSettings(m_files)),
      m_desktopState(std::make_unique<IniSettings>(m_files.desktopStateFile)),
      m_backend(std::move(backend)) {
    Meter& first = addMeter({});
    first.setLimits(m_settings.highLimit, m_settings.lowLimit);
    // The recorder records the linked meters (updateRecorderMeters), none first.
    m_recording =
        std::make_unique<RecorderController>(DecodedReplySource{}, m_files.temporaryDirectory);
    m_loggerSessions = std::make_unique<LoggerSessions>(first.cable());
    m_loggerMeter = &first;
    m_publishing = std::make_unique<ReadingPublisher>(*m_desktopState, *m_recording,
                                                      PasswordFileBeside(m_files.desktopStateFile));
    // Every meter is published alike, under its serial number (its number without one).
    for (int i = 0; i < meterCount(); ++i)
        m_publishing->watch(meter(i), i + 1);
    // Alarms and lost cables mark the recording.
    m_automaticMarkers = std::make_unique<AutomaticMarkers>(*m_recording);
    for (int i = 0; i < meterCount(); ++i)
        m_automaticMarkers->watch(meter(i));
    connect(m_recording.get(), &RecorderController::busyChanged, this,
            [this](bool busy) { setBusyPart(m_recorderBusy, busy); });
    connect(m_loggerSessions.get(), &LoggerSessions::busyChanged, this,
            [this](bool busy) { setBusyPart(m_loggerBusy, busy); });
    // The recorder samples every linked meter.
    connect(this, &Application::metersChanged, this, &Application::updateRecorderMeters);
    connect(this, &Application::metersChanged, this, &Application::updateLoggerMeter);
    // Each meter's limit counts follow its comparator limits.
    connect(this, &Application::metersChanged, this, &Application::updateRecorderLimits);
    connect(m_recording.get(), &RecorderController::metersChanged, this,
            &Application::updateRecorderLimits);
    connect(m_recording.get(), &RecorderController::recordingLoaded, this,
            &Application::updateRecorderLimits);
    connect(m_recording.get(), &RecorderController::cleared, this,
            &Application::updateRecorderLimits);
    updateRecorderMeters();
    updateRecorderLimits();
}

Application::~Application() {
    // The workers end before the controllers they feed.
    unlinkAll();
    // The meters have said "offline"; the publisher's connections end cleanly.
    m_publishing.reset();
    m_automaticMarkers.reset();
    m_loggerSessions.reset();
    m_recording.reset();
    m_meters.clear();
}

CableAccess& Application::cable() const {
    return m_meters.front()->cable();
}

MeterLink& Application::link() const {
    return m_meters.front()->link();
}

Meter& Application::addMeter(const std::string& key) {
    const int index = meterCount();
    m_meters.push_back(std::make_unique<Meter>(m_backend, key, rememberedName({}, index)));
    Meter& meter = *m_meters.back();
    meter.link().setReconnectAutomatically(reconnectsAutomatically());
    watchMeter(meter);
    if (m_publishing)
        m_publishing->watch(meter, index + 1);
    if (m_automaticMarkers)
        m_automaticMarkers->watch(meter);
    return meter;
}

void Application::watchMeter(Meter& meter) {
    connect(&meter.link(), &MeterLink::linkedChanged, this, &Application::metersChanged);
    connect(&meter, &Meter::nameChanged, this, &Application::metersChanged);
    // A meter whose link ends records gaps from then on; the others go on, and the
    // recording stops when no meter is left. While a meter is away (its cable is
    // waited for) the recording marks a gap.
    connect(&meter.link(), &MeterLink::linkedChanged, this, [this](bool linked) {
        if (!linked && m_recording)
            m_recording->meterLinkEnded();
    });
    connect(&meter.link(), &MeterLink::waitingForCableChanged, this, [this](bool waiting) {
        if (waiting && m_recording)
            m_recording->readingsInterrupted();
    });
    connect(&meter, &Meter::limitsChanged, this, &Application::updateRecorderLimits);
    connect(&meter, &Meter::limitsChanged, this, [this, &meter] {
        if (&meter == m_meters.front().get() || meter.serial().isEmpty())
            return;
        m_desktopState->setValue(MeterKey(meter.serial(), "HighLimit"), meter.highLimit());
        m_desktopState->setValue(MeterKey(meter.serial(), "LowLimit"), meter.lowLimit());
    });
}

void Application::updateRecorderMeters() {
    std::vector<RecorderMeter> linked;
    for (const Meter* meter : linkedMeters())
        linked.push_back({meter->name(), meter->serial(), ReadingsOf(meter->link())});
    m_recording->setMeters(std::move(linked));
}

Meter& Application::loggerMeter() const {
    return *m_loggerMeter;
}

void Application::chooseLoggerMeter(int index) {
    if (m_loggerSessions->isWorking())
        return;
    const Meter& chosen = meter(index);
    // A meter without a serial number cannot be found again: it is chosen for now.
    m_chosenLoggerSerial = chosen.serial();
    m_loggerMeter = &meter(index);
    m_loggerSessions->setCable(m_loggerMeter->cable());
}

void Application::updateLoggerMeter() {
    if (m_loggerSessions->isWorking())
        return;
    Meter* target = nullptr;
    if (!m_chosenLoggerSerial.isEmpty())
        for (const auto& known : m_meters)
            if (known->serial() == m_chosenLoggerSerial)
                target = known.get();
    if (target == nullptr) {
        // The first linked meter in the meters' order, whichever link came up first.
        const std::vector<Meter*> linked = linkedMeters();
        if (!linked.empty())
            target = linked.front();
    }
    if (target == nullptr || target == m_loggerMeter)
        return;
    m_loggerMeter = target;
    m_loggerSessions->setCable(target->cable());
}

QString Application::rememberedName(const QString& serial, int index) const {
    const QString fallback = tr("Meter %1").arg(index + 1);
    if (serial.isEmpty())
        return fallback;
    const QString name = m_desktopState->value(MeterKey(serial, "Name"), QString()).toString();
    return name.trimmed().isEmpty() ? fallback : name;
}

std::vector<Meter*> Application::linkedMeters() const {
    std::vector<Meter*> linked;
    for (const auto& meter : m_meters)
        if (meter->link().isLinked())
            linked.push_back(meter.get());
    return linked;
}

std::vector<Application::PresentCable> Application::presentCables() const {
    std::vector<PresentCable> present;
    if (!m_backend)
        return present;
    const std::vector<CableEntry> cables = ListCables(*m_backend);
    for (std::size_t i = 0; i < cables.size(); ++i) {
        const CableEntry& cable = cables[i];
        PresentCable entry{cable.key, QString::fromStdString(cable.serial), {}, false};
        entry.name = rememberedName(entry.serial, meterCount());
        for (const auto& meter : m_meters) {
            const std::string key = meter->cableKey();
            // A meter without a key hangs on the first cable listed.
            if (key == cable.key || (key.empty() && i == 0)) {
                entry.name = meter->name();
                entry.linked = meter->link().isLinked();
                break;
            }
        }
        present.push_back(entry);
    }
    return present;
}

namespace {

// The meter's link is up or on its way up.
bool LinkInUse(const Meter& meter) {
    return meter.link().isLinked() || meter.link().isLinking();
}

} // namespace

Meter& Application::meterForCable(const std::string& key, const QString& serial) {
    // The meter that had this cable, else the first meter while it is free, else a new one.
    int index = -1;
    for (int i = 0; i < meterCount(); ++i)
        if (meter(i).cableKey() == key && !LinkInUse(meter(i)))
            index = i;
    if (index < 0 && !LinkInUse(meter(0)))
        index = 0;
    if (index < 0) {
        addMeter(key);
        index = meterCount() - 1;
    }
    Meter& chosen = meter(index);
    chosen.setCableKey(key);
    chosen.setSerial(serial);
    chosen.setName(rememberedName(serial, index));
    if (index > 0 && !serial.isEmpty())
        chosen.setLimits(
            m_desktopState->value(MeterKey(serial, "HighLimit"), m_settings.highLimit).toDouble(),
            m_desktopState->value(MeterKey(serial, "LowLimit"), m_settings.lowLimit).toDouble());
    return chosen;
}

int Application::linkAll() {
    if (!m_backend)
        return 0;
    const std::vector<CableEntry> cables = ListCables(*m_backend);
    if (cables.size() <= 1 && meterCount() == 1) {
        // One cable: the first meter links it exactly as a single meter always has.
        // Once several meters are known, a cable goes back to the meter that had it.
        Meter& first = *m_meters.front();
        if (LinkInUse(first))
            return 0;
        first.setCableKey({});
        // Its serial number names the meter's topics when readings are published.
        first.setSerial(cables.empty() ? QString() : QString::fromStdString(cables.front().serial));
        first.link().link();
        return 1;
    }
    // The first meter, linked to "the first cable found", now names that cable, so
    // that a later search for it cannot take another meter's cable.
    Meter& first = *m_meters.front();
    if (first.link().isLinked() && first.cableKey().empty()) {
        first.setCableKey(cables.front().key);
        first.setSerial(QString::fromStdString(cables.front().serial));
    }
    int started = 0;
    for (const CableEntry& cable : cables) {
        const bool taken = std::any_of(m_meters.begin(), m_meters.end(), [&](const auto& meter) {
            return LinkInUse(*meter) && meter->cableKey() == cable.key;
        });
        if (taken)
            continue;
        meterForCable(cable.key, QString::fromStdString(cable.serial)).link().link();
        ++started;
    }
    emit metersChanged();
    return started;
}

bool Application::linkCable(const std::string& key) {
    if (!m_backend)
        return false;
    for (const auto& meter : m_meters)
        if (LinkInUse(*meter) && meter->cableKey() == key)
            return true;
    for (const CableEntry& cable : ListCables(*m_backend))
        if (cable.key == key) {
            meterForCable(key, QString::fromStdString(cable.serial)).link().link();
            return true;
        }
    return false;
}

void Application::unlinkAll() {
    for (const auto& meter : m_meters)
        meter->link().unlink();
}

void Application::renameMeter(int index, const QString& name) {
    Meter& renamed = meter(index);
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty())
        return;
    renamed.setName(trimmed);
    if (!renamed.serial().isEmpty()) {
        m_desktopState->setValue(MeterKey(renamed.serial(), "Name"), trimmed);
        m_desktopState->save();
    }
}

void Application::updateRecorderLimits() {
    if (!m_recording)
        return;
    std::vector<const Meter*> meters;
    for (const auto& meter : m_meters)
        meters.push_back(meter.get());
    m_recording->limitCounts().setLimits(RecorderLimitsOf(*m_recording, meters));
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
    m_meters.front()->setLimits(high, low); // what its alarm markers compare with
}

bool Application::writeSettings(QString* error) const {
    return m_files.settingsFile.isEmpty() ||
           WriteSettingsFile(m_files.settingsFile, m_settings, error);
}

bool Application::reconnectsAutomatically() const {
    return m_desktopState->value(kReconnectKey, false).toBool();
}

void Application::setReconnectAutomatically(bool on) {
    for (const auto& meter : m_meters)
        meter->link().setReconnectAutomatically(on);
    // Remembered with the desktop state for the next run. Should the file not be
    // written now, it is written again at exit, where a failure is reported.
    if (reconnectsAutomatically() != on) {
        m_desktopState->setValue(kReconnectKey, on);
        m_desktopState->save();
    }
}

} // namespace telmora
