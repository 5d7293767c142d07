#include "ui/main/DesktopAlerts.h"

#include "model/IniSettings.h"

#include "app/Application.h"
#include "app/Meter.h"
#include "meter/MeterLink.h"
#include "recording/RecorderController.h"
#include "ui/common/DesktopNotifier.h"
#include "ui/live/ComparatorWindow.h"

#include <QApplication>
#include <QTimer>

namespace telmora {

namespace {

// The preferences key of the Window menu's "Desktop notifications".
const QString kNotificationsKey = QStringLiteral("Desktop/Notifications");

// `text` after the meter's name and a colon when there is a name.
QString named(const std::function<QString()>& name, const QString& text) {
    const QString meter = name ? name() : QString();
    return meter.isEmpty() ? text : meter + QStringLiteral(": ") + text;
}

} // namespace

DesktopAlerts::DesktopAlerts(IniSettings& desktopState, QObject* parent)
    : QObject(parent), m_desktopState(desktopState),
      m_enabled(desktopState.value(kNotificationsKey, true).toBool()) {}

void DesktopAlerts::followMeters(Application& app) {
    const auto followNew = [this, &app] {
        for (; m_followed < app.meterCount(); ++m_followed) {
            const Meter& meter = app.meter(m_followed);
            watchLink(meter.link(),
                      [&app, &meter] { return app.meterCount() > 1 ? meter.name() : QString(); });
        }
    };
    followNew();
    connect(&app, &Application::metersChanged, this, followNew);
}

void DesktopAlerts::watchLink(MeterLink& link, std::function<QString()> name) {
    connect(&link, &MeterLink::linkLostNotice, this, [this, name] {
        tell({translate("DesktopAlerts", "Meter link ended"),
              named(name, text(TextId::CableNotFound))});
    });
    connect(&link, &MeterLink::meterSilentNotice, this, [this, name] {
        tell({translate("DesktopAlerts", "Meter link ended"),
              named(name, text(TextId::MeterNotAnswering))});
    });
    connect(&link, &MeterLink::waitingForCableChanged, this, [this, name](bool waiting) {
        if (waiting)
            tell({translate("DesktopAlerts", "Waiting for the meter"),
                  named(name, translate("The cable or the meter is away. Telmora goes on as soon "
                                        "as readings come back."))});
    });
}

void DesktopAlerts::setEnabled(bool on) {
    if (m_enabled == on)
        return;
    m_enabled = on;
    m_desktopState.setValue(kNotificationsKey, on);
    // Remembered at once; a failure to write is told when the program closes,
    // where the desktop state is written again.
    m_desktopState.save();
}

bool DesktopAlerts::applicationActive() {
    return QGuiApplication::applicationState() == Qt::ApplicationActive &&
           QApplication::activeWindow() != nullptr;
}

void DesktopAlerts::watchComparator(ComparatorWindow& comparator, std::function<QString()> name) {
    connect(&comparator, &ComparatorWindow::alarmRaised, this,
            [this, name](bool above, const QString& limit) {
                const QString text =
                    above
                        ? translate("DesktopAlerts", "The reading is above the upper limit of %1.")
                              .arg(limit)
                        : translate("DesktopAlerts", "The reading is below the lower limit of %1.")
                              .arg(limit);
                tell({translate("DesktopAlerts", "Comparator alarm"), named(name, text)});
            });
}

void DesktopAlerts::watchRecording(RecorderController& recording) {
    m_recording = recording.isRecording();
    connect(&recording, &RecorderController::recordingStateChanged, this,
            &DesktopAlerts::onRecordingStateChanged);
    connect(&recording, &RecorderController::errorRaised, this, &DesktopAlerts::onRecorderError);
}

void DesktopAlerts::onRecordingStateChanged(bool recording) {
    if (m_recording && !recording) {
        m_justStopped = true;
        // The error that stops a recording follows the stop at once; by the
        // next turn of the event loop any later error is one of its own.
        QTimer::singleShot(0, this, [this] { m_justStopped = false; });
    }
    m_recording = recording;
}

void DesktopAlerts::onRecorderError(TextId textId) {
    // Errors of commands the user just gave (not linked, no manual sample) need
    // no notice: the user is here. Only an error that ends a recording does.
    if (m_recording || m_justStopped)
        tell({translate("DesktopAlerts", "Recording stopped"), text(textId)});
}

void DesktopAlerts::tell(const DesktopNotice& notice) {
    if (m_notifier == nullptr || !m_enabled || applicationActive())
        return;
    m_notifier->notify(notice);
}

} // namespace telmora
