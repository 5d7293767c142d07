#pragma once
// A test subscriber made with libmosquitto: subscribes to a topic filter at QoS 1
// and collects every message, for tests to wait on with a deadline.

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

struct mosquitto;
struct mosquitto_message;

namespace telmora::test {

struct ReceivedMessage {
    std::string topic;
    std::string payload;
    bool retained = false;
};

class MqttSubscriber {
public:
    // Connects to 127.0.0.1:port (plain) and subscribes to `filter`. With a
    // `clientId`, the session is persistent: the broker keeps what arrives while
    // this subscriber is cut off (a broker restart).
    MqttSubscriber(int port, std::string filter, std::string clientId = {});
    ~MqttSubscriber();
    MqttSubscriber(const MqttSubscriber&) = delete;
    MqttSubscriber& operator=(const MqttSubscriber&) = delete;

    // Waits until the subscription is in place; false after `timeout`.
    bool waitSubscribed(std::chrono::milliseconds timeout);
    // Waits until `done` holds for the messages so far; false after `timeout`.
    bool waitFor(const std::function<bool(const std::vector<ReceivedMessage>&)>& done,
                 std::chrono::milliseconds timeout);
    // Waits for a message on `topic` with `payload` (any payload when empty).
    bool waitForMessage(const std::string& topic, const std::string& payload,
                        std::chrono::milliseconds timeout);
    std::vector<ReceivedMessage> messages() const;
    std::vector<ReceivedMessage> messagesOn(const std::string& topic) const;

private:
    static void onConnect(mosquitto*, void* self, int rc);
    static void onSubscribe(mosquitto*, void* self, int, int, const int*);
    static void onMessage(mosquitto*, void* self, const mosquitto_message* message);

    std::string m_filter;
    mosquitto* m_client = nullptr;
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<ReceivedMessage> m_messages;
    bool m_subscribed = false;
};

} // namespace telmora::test
