#include "ui/common/DbusDesktopNotifier.h"

#include <QDBusMessage>
#include <QStringList>
#include <QVariantMap>

namespace telmora {

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");

// The notification server chooses how long a notice stays.
constexpr int kServerDefaultTimeout = -1;
// "normal" of the notification service's urgency levels (0 low, 1 normal, 2 critical).
constexpr uchar kNormalUrgency = 1;

} // namespace

DbusDesktopNotifier::DbusDesktopNotifier() = default;

DbusDesktopNotifier::DbusDesktopNotifier(const QDBusConnection& bus) : m_bus(bus) {}

void DbusDesktopNotifier::notify(const DesktopNotice& notice) {
    // Connecting to the session bus costs a round trip; a run that never has
    // anything to tell never pays it.
    if (!m_bus)
        m_bus = QDBusConnection::sessionBus();
    if (!m_bus->isConnected())
        return;
    QDBusMessage call =
        QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("Notify"));
    QVariantMap hints;
    // Lets the desktop show the program's name and icon and group its notices.
    hints.insert(QStringLiteral("desktop-entry"), QStringLiteral("telmora"));
    hints.insert(QStringLiteral("urgency"), QVariant::fromValue(kNormalUrgency));
    call << QStringLiteral("Telmora")                      // application name
         << 0U                                             // replaces no earlier notice
         << QStringLiteral("telmora")                      // icon name
         << notice.summary << notice.body << QStringList() // no actions
         << hints << kServerDefaultTimeout;
    // Sent without waiting: the answer (the notice's number, or an error when no
    // service is there) is of no use here.
    m_bus->send(call);
}

} // namespace telmora
