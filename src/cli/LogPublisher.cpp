#include "cli/LogPublisher.h"

#include "publish/MqttPublisher.h"

#include <QSysInfo>

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include <unistd.h>

namespace telmora::cli {

namespace {

using namespace std::chrono_literals;

constexpr auto kConnectWait = 10000ms;
constexpr auto kCloseWait = 2500ms;

// The value of an option at argv[i] named `name` ("--mqtt"): in the same argument
// after "=", or the next one.
OptionMatch takeValue(int argc, char** argv, int& i, std::string_view name, std::string& value) {
    const std::string_view arg = argv[i];
    if (arg == name) {
        if (i + 1 >= argc) {
            std::fprintf(stderr, "telmora-cli: %.*s needs a value\n", static_cast<int>(name.size()),
                         name.data());
            return OptionMatch::Bad;
        }
        value = argv[++i];
        return OptionMatch::Taken;
    }
    if (arg.size() > name.size() && arg.starts_with(name) && arg[name.size()] == '=') {
        value = std::string(arg.substr(name.size() + 1));
        return OptionMatch::Taken;
    }
    return OptionMatch::NotThis;
}

QString environmentText(const char* name) {
    return qEnvironmentVariable(name);
}

} // namespace

OptionMatch TakeMqttOption(int argc, char** argv, int& i, MqttOptions& options) {
    OptionMatch match = takeValue(argc, argv, i, "--mqtt", options.url);
    QString error;
    if (match == OptionMatch::Taken &&
        !ParseBrokerUrl(QString::fromStdString(options.url), &error)) {
        std::fprintf(stderr, "telmora-cli: --mqtt %s: %s\n", options.url.c_str(),
                     error.toLocal8Bit().constData());
        return OptionMatch::Bad;
    }
    if (match == OptionMatch::NotThis)
        match = takeValue(argc, argv, i, "--topic", options.topicPrefix);
    if (match == OptionMatch::NotThis)
        match = takeValue(argc, argv, i, "--cafile", options.caFile);
    if (match != OptionMatch::NotThis)
        return match;
    std::string qos;
    match = takeValue(argc, argv, i, "--qos", qos);
    if (match == OptionMatch::Taken) {
        if (qos != "0" && qos != "1") {
            std::fputs("telmora-cli: --qos needs 0 or 1\n", stderr);
            return OptionMatch::Bad;
        }
        options.qos = qos[0] - '0';
        options.qosGiven = true;
    }
    return match;
}

bool CheckMqttOptions(const MqttOptions& options) {
    if (options.url.empty() &&
        (!options.topicPrefix.empty() || !options.caFile.empty() || options.qosGiven)) {
        std::fputs("telmora-cli: --topic, --qos and --cafile go with --mqtt URL\n", stderr);
        return false;
    }
    return true;
}

std::unique_ptr<LogPublisher> LogPublisher::Connect(const MqttOptions& options,
                                                    const std::vector<std::string>& serials) {
    PublishSettings settings;
    settings.enabled = true;
    settings.brokerUrl = QString::fromStdString(options.url);
    settings.topicPrefix = QString::fromStdString(options.topicPrefix);
    settings.caFile = QString::fromStdString(options.caFile);
    settings.qos = options.qos;
    settings.clientId = QStringLiteral("telmora-cli-%1-%2")
                            .arg(QSysInfo::machineHostName())
                            .arg(static_cast<qint64>(::getpid()));
    settings.userName = environmentText("TELMORA_MQTT_USER");
    settings.password = environmentText("TELMORA_MQTT_PASSWORD");

    auto publisher = std::make_unique<MqttPublisher>();
    publisher->start(settings);
    for (const std::string& serial : serials)
        publisher->meterOnline(QString::fromStdString(serial));
    const PublisherState state = publisher->waitForFirstResult(kConnectWait);
    if (state != PublisherState::Connected) {
        QString reason = publisher->stateReason();
        if (reason.isEmpty())
            reason = QStringLiteral("no answer from the broker");
        std::fprintf(stderr, "telmora-cli: cannot publish to %s: %s\n", options.url.c_str(),
                     reason.toLocal8Bit().constData());
        return nullptr;
    }
    return std::make_unique<LogPublisher>(std::move(publisher), options.url, serials);
}

LogPublisher::LogPublisher(std::unique_ptr<MqttPublisher> publisher, std::string url,
                           std::vector<std::string> serials)
    : m_publisher(std::move(publisher)), m_url(std::move(url)), m_serials(std::move(serials)) {}

LogPublisher::~LogPublisher() {
    m_publisher->stop();
    m_publisher->waitUntilClosed(kCloseWait);
    // Dropped from a full queue, or still waiting when the broker was gone at the end.
    const quint64 lost = m_publisher->droppedCount() + m_publisher->unsentCount();
    if (lost > 0) {
        std::fprintf(stderr, "telmora-cli: %llu readings were not published to %s\n",
                     static_cast<unsigned long long>(lost), m_url.c_str());
    }
}

void LogPublisher::publish(std::size_t index, const Measurement& main, const QDateTime& time) {
    if (index >= m_serials.size())
        return;
    m_publisher->publishReading(QString::fromStdString(m_serials[index]),
                                QStringLiteral("Meter %1").arg(index + 1), main,
                                time.toMSecsSinceEpoch(), time.offsetFromUtc());
}

void LogPublisher::meterLost(std::size_t index) {
    if (index < m_serials.size())
        m_publisher->meterOffline(QString::fromStdString(m_serials[index]));
}

} // namespace telmora::cli
