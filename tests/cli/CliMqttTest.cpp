// telmora-cli log --mqtt against a real broker, run as the real program: a killed
// logger leaves its meter "offline" through the last will, and credentials over
// TLS are taken from the environment (a wrong password ends the command).
#include "MosquittoBroker.h"
#include "MqttSubscriber.h"

#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

#include <algorithm>

using namespace telmora::test;
using namespace std::chrono_literals;

namespace {

constexpr int kTimeoutMs = 30000;

#define SKIP_WITHOUT_BROKER()                                                                      \
    if (const QString why = MosquittoBroker::unavailableReason(); !why.isEmpty())                  \
    GTEST_SKIP() << why.toStdString()

void startCli(QProcess& process, const QStringList& arguments, const QString& user = {},
              const QString& password = {}) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("TELMORA_MQTT_USER"), user);
    environment.insert(QStringLiteral("TELMORA_MQTT_PASSWORD"), password);
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(TELMORA_CLI_PATH), QStringList{QStringLiteral("log")} + arguments);
}

} // namespace

TEST(CliMqtt, AKilledLoggerLeavesItsMeterOfflineThroughTheLastWill) {
    SKIP_WITHOUT_BROKER();
    MosquittoBroker broker;
    ASSERT_TRUE(broker.running()) << broker.error().toStdString();
    MqttSubscriber subscriber(broker.plainPort(), "cli/#");
    ASSERT_TRUE(subscriber.waitSubscribed(5s));

    QProcess cli;
    startCli(cli, {QStringLiteral("--simulate"), QStringLiteral("--mqtt=") + broker.plainUrl(),
                   QStringLiteral("--topic"), QStringLiteral("cli"), QStringLiteral("--qos=1")});
    ASSERT_TRUE(subscriber.waitForMessage("cli/5310/status", "online", 15s))
        << cli.readAllStandardError().constData();
    ASSERT_TRUE(subscriber.waitForMessage("cli/5310/reading", "", 15s));
    cli.kill(); // SIGKILL: no clean end
    ASSERT_TRUE(cli.waitForFinished(kTimeoutMs));

    ASSERT_TRUE(subscriber.waitForMessage("cli/5310/status", "offline", 15s));
    // The will is retained: a subscriber that comes later sees it too.
    MqttSubscriber later(broker.plainPort(), "cli/5310/status");
    EXPECT_TRUE(later.waitForMessage("cli/5310/status", "offline", 10s));
}

TEST(CliMqtt, CredentialsComeFromTheEnvironmentAndAWrongPasswordEndsTheCommand) {
    SKIP_WITHOUT_BROKER();
    MosquittoBroker broker;
    ASSERT_TRUE(broker.running()) << broker.error().toStdString();
    MqttSubscriber subscriber(broker.plainPort(), "tls/#");
    ASSERT_TRUE(subscriber.waitSubscribed(5s));
    const QStringList arguments = {QStringLiteral("--simulate"),
                                   QStringLiteral("--count"),
                                   QStringLiteral("2"),
                                   QStringLiteral("--mqtt"),
                                   broker.tlsUrl(),
                                   QStringLiteral("--cafile"),
                                   broker.caFile(),
                                   QStringLiteral("--topic=tls")};

    QProcess rightPassword;
    startCli(rightPassword, arguments, QString::fromLatin1(MosquittoBroker::kUser),
             QString::fromLatin1(MosquittoBroker::kPassword));
    ASSERT_TRUE(rightPassword.waitForFinished(kTimeoutMs));
    EXPECT_EQ(rightPassword.exitCode(), 0) << rightPassword.readAllStandardError().constData();
    // Both logged readings went out before the clean end's "offline".
    ASSERT_TRUE(subscriber.waitForMessage("tls/5310/status", "offline", 10s));
    const std::vector<ReceivedMessage> messages = subscriber.messages();
    const auto offline = std::find_if(messages.begin(), messages.end(), [](const auto& m) {
        return m.topic == "tls/5310/status" && m.payload == "offline";
    });
    EXPECT_EQ(std::count_if(messages.begin(), offline,
                            [](const auto& m) { return m.topic == "tls/5310/reading"; }),
              2);

    QProcess wrongPassword;
    startCli(wrongPassword, arguments, QString::fromLatin1(MosquittoBroker::kUser),
             QStringLiteral("wrong"));
    ASSERT_TRUE(wrongPassword.waitForFinished(kTimeoutMs));
    EXPECT_EQ(wrongPassword.exitCode(), 1);
    const QByteArray error = wrongPassword.readAllStandardError();
    EXPECT_TRUE(error.startsWith("telmora-cli: cannot publish to " + broker.tlsUrl().toUtf8() +
                                 ": Connection Refused"))
        << error.constData();
    EXPECT_TRUE(wrongPassword.readAllStandardOutput().isEmpty()) << "nothing is logged";
}

TEST(CliMqtt, ReadingsThatNeverReachedTheBrokerAreReported) {
    SKIP_WITHOUT_BROKER();
    MosquittoBroker broker;
    ASSERT_TRUE(broker.running()) << broker.error().toStdString();
    MqttSubscriber subscriber(broker.plainPort(), "gone/+/reading");
    ASSERT_TRUE(subscriber.waitSubscribed(5s));
    QProcess cli;
    startCli(cli,
             {QStringLiteral("--simulate"), QStringLiteral("--count=20"), QStringLiteral("--mqtt"),
              broker.plainUrl(), QStringLiteral("--topic=gone"), QStringLiteral("--qos=1")});
    ASSERT_TRUE(subscriber.waitForMessage("gone/5310/reading", "", 15s));
    broker.kill();
    ASSERT_TRUE(cli.waitForFinished(kTimeoutMs));
    EXPECT_EQ(cli.exitCode(), 0) << "the log itself is complete";
    EXPECT_EQ(cli.readAllStandardOutput().count('\n'), 21);
    const QByteArray error = cli.readAllStandardError();
    EXPECT_TRUE(error.contains("readings were not published to " + broker.plainUrl().toUtf8()))
        << error.constData();
}
