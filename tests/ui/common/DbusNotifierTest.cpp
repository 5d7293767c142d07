// The D-Bus notifier against a notification service of the test's own, on a
// private session bus (skipped where no dbus-daemon is installed).
#include "ui/common/DbusDesktopNotifier.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QObject>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QVariantMap>

#include <gtest/gtest.h>

using namespace telmora;

namespace {

// Stands in for the desktop's notification server and remembers what it was sent.
class FakeNotificationServer : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    QString appName, icon, summary, body;
    QStringList actions;
    QVariantMap hints;
    int timeout = 0;

public slots:
    uint Notify(const QString& app_name, uint, const QString& app_icon, const QString& summary_,
                const QString& body_, const QStringList& actions_, const QVariantMap& hints_,
                int expire_timeout) {
        appName = app_name;
        icon = app_icon;
        summary = summary_;
        body = body_;
        actions = actions_;
        hints = hints_;
        timeout = expire_timeout;
        emit notified();
        return 1;
    }

signals:
    void notified();
};

// A session bus of the test's own, ended with the test.
class PrivateBus {
public:
    PrivateBus() {
        const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
        if (daemon.isEmpty())
            return;
        m_daemon.start(daemon, {QStringLiteral("--session"), QStringLiteral("--nofork"),
                                QStringLiteral("--print-address=1")});
        if (!m_daemon.waitForStarted(10000) || !m_daemon.waitForReadyRead(10000))
            return;
        m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
    }
    ~PrivateBus() {
        m_daemon.terminate();
        m_daemon.waitForFinished(10000);
    }
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;

    QString address() const { return m_address; }
    QDBusConnection connect(const QString& name) const {
        return QDBusConnection::connectToBus(m_address, name);
    }

private:
    QProcess m_daemon;
    QString m_address;
};

} // namespace

TEST(DbusDesktopNotifier, SendsTheNoticeToTheNotificationService) {
    PrivateBus bus;
    if (bus.address().isEmpty())
        GTEST_SKIP() << "no dbus-daemon to start a private bus with";
    QDBusConnection serverBus = bus.connect(QStringLiteral("server"));
    ASSERT_TRUE(serverBus.isConnected());
    FakeNotificationServer server;
    ASSERT_TRUE(serverBus.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &server,
                                         QDBusConnection::ExportAllSlots));
    ASSERT_TRUE(serverBus.registerService(QStringLiteral("org.freedesktop.Notifications")));

    DbusDesktopNotifier notifier(bus.connect(QStringLiteral("client")));
    QSignalSpy notified(&server, &FakeNotificationServer::notified);
    notifier.notify({QStringLiteral("Comparator alarm"),
                     QStringLiteral("The reading is above the upper limit of 3 V.")});
    ASSERT_TRUE(notified.wait(10000));
    EXPECT_EQ(server.appName, QStringLiteral("Telmora"));
    EXPECT_EQ(server.icon, QStringLiteral("telmora"));
    EXPECT_EQ(server.summary, QStringLiteral("Comparator alarm"));
    EXPECT_EQ(server.body, QStringLiteral("The reading is above the upper limit of 3 V."));
    EXPECT_TRUE(server.actions.isEmpty());
    EXPECT_EQ(server.hints.value(QStringLiteral("desktop-entry")).toString(),
              QStringLiteral("telmora"));
    EXPECT_EQ(server.hints.value(QStringLiteral("urgency")).toInt(), 1);
    EXPECT_EQ(server.timeout, -1);
    QDBusConnection::disconnectFromBus(QStringLiteral("server"));
    QDBusConnection::disconnectFromBus(QStringLiteral("client"));
}

TEST(DbusDesktopNotifier, WithoutAServiceOrABusNothingHappens) {
    PrivateBus bus;
    if (bus.address().isEmpty())
        GTEST_SKIP() << "no dbus-daemon to start a private bus with";
    QDBusConnection client = bus.connect(QStringLiteral("lonely"));
    ASSERT_TRUE(client.isConnected());
    ASSERT_FALSE(
        client.interface()->isServiceRegistered(QStringLiteral("org.freedesktop.Notifications")));
    DbusDesktopNotifier lonely(client);
    lonely.notify({QStringLiteral("Recording stopped"), QStringLiteral("nobody listens")});
    QDBusConnection::disconnectFromBus(QStringLiteral("lonely"));

    // A bus address that leads nowhere gives a connection that is not connected.
    QDBusConnection nowhere = QDBusConnection::connectToBus(
        QStringLiteral("unix:path=/nonexistent/telmora-test-bus"), QStringLiteral("nowhere"));
    ASSERT_FALSE(nowhere.isConnected());
    DbusDesktopNotifier unconnected(nowhere);
    unconnected.notify({QStringLiteral("Meter link ended"), QStringLiteral("nobody listens")});
    QDBusConnection::disconnectFromBus(QStringLiteral("nowhere"));
}

#include "DbusNotifierTest.moc"
