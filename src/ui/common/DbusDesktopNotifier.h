#pragma once

#include "ui/common/DesktopNotifier.h"

#include <QDBusConnection>

#include <optional>

namespace telmora {

// Sends notices to the freedesktop notification service
// (org.freedesktop.Notifications on the session bus). The call is sent without
// waiting for its answer; when no bus or no service is there, nothing happens.
class DbusDesktopNotifier : public DesktopNotifier {
public:
    // The session bus, looked up at the first notice.
    DbusDesktopNotifier();
    // A bus of the caller's choice (tests start a bus of their own).
    explicit DbusDesktopNotifier(const QDBusConnection& bus);

    void notify(const DesktopNotice& notice) override;

private:
    std::optional<QDBusConnection> m_bus;
};

} // namespace telmora
