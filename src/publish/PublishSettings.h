#pragma once
// Where and how the readings are published over MQTT, and the parsing of the
// broker's address.

#include <QString>

#include <optional>

namespace telmora {

struct PublishSettings {
    bool enabled = false;
    QString brokerUrl; // "mqtt://host:1883" or "mqtts://host:8883" (port optional)
    QString clientId;  // empty: "telmora-<hostname>-<pid>"
    QString userName;  // empty: no credentials
    QString password;
    QString topicPrefix;       // empty: DefaultTopicPrefix()
    int qos = 0;               // 0 or 1
    QString caFile;            // mqtts only: CA certificate file; empty: the system's CA store
    int queueLimit = 1000;     // readings waiting per meter before the oldest is dropped
    int keepAliveSeconds = 30; // the broker drops a silent connection after 1.5 times this

    bool operator==(const PublishSettings&) const = default;
};

// "telmora/<short hostname>".
QString DefaultTopicPrefix();
// "telmora-<hostname>-<pid>".
QString DefaultClientId();

struct BrokerAddress {
    QString host;
    int port = 1883;
    bool tls = false;
};

// Parses "mqtt://host[:port][/]" or "mqtts://host[:port][/]" (an IPv6 host in
// brackets); on failure returns nothing and a reason a user understands in *error.
std::optional<BrokerAddress> ParseBrokerUrl(const QString& url, QString* error);

// The prefix as the topics use it (no trailing "/"), or nothing and the reason in
// *error when MQTT does not allow it in a topic name (wildcards, empty levels at
// the start, a NUL).
std::optional<QString> CheckedTopicPrefix(const QString& prefix, QString* error);

// A serial number as one topic level: "/", "+", "#" and control characters become
// "_", so that a cable's key can never reach into another meter's topics.
QString TopicLevel(const QString& text);

} // namespace telmora
