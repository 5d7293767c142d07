#include "MqttSubscriber.h"

#include <mosquitto.h>

#include <algorithm>
#include <mutex>

namespace telmora::test {

MqttSubscriber::MqttSubscriber(int port, std::string filter, std::string clientId)
    : m_filter(std::move(filter)) {
    static std::once_flag once;
    std::call_once(once, [] { mosquitto_lib_init(); });
    const bool persistent = !clientId.empty();
    m_client = mosquitto_new(persistent ? clientId.c_str() : nullptr, !persistent, this);
    if (!m_client)
        return;
    mosquitto_connect_callback_set(m_client, &MqttSubscriber::onConnect);
    mosquitto_subscribe_callback_set(m_client, &MqttSubscriber::onSubscribe);
    mosquitto_message_callback_set(m_client, &MqttSubscriber::onMessage);
    mosquitto_reconnect_delay_set(m_client, 1, 1, false);
    mosquitto_connect_async(m_client, "127.0.0.1", port, 10);
    mosquitto_loop_start(m_client);
}

MqttSubscriber::~MqttSubscriber() {
    if (!m_client)
        return;
    mosquitto_disconnect(m_client);
    mosquitto_loop_stop(m_client, true);
    mosquitto_destroy(m_client);
}

void MqttSubscriber::onConnect(mosquitto* client, void* self, int rc) {
    if (rc == 0)
        mosquitto_subscribe(client, nullptr, static_cast<MqttSubscriber*>(self)->m_filter.c_str(),
                            1);
}

void MqttSubscriber::onSubscribe(mosquitto*, void* self, int, int, const int*) {
    auto* subscriber = static_cast<MqttSubscriber*>(self);
    {
        const std::lock_guard lock(subscriber->m_mutex);
        subscriber->m_subscribed = true;
    }
    subscriber->m_changed.notify_all();
}

void MqttSubscriber::onMessage(mosquitto*, void* self, const mosquitto_message* message) {
    auto* subscriber = static_cast<MqttSubscriber*>(self);
    ReceivedMessage received;
    received.topic = message->topic;
    if (message->payloadlen > 0)
        received.payload.assign(static_cast<const char*>(message->payload),
                                static_cast<std::size_t>(message->payloadlen));
    received.retained = message->retain;
    {
        const std::lock_guard lock(subscriber->m_mutex);
        subscriber->m_messages.push_back(std::move(received));
    }
    subscriber->m_changed.notify_all();
}

bool MqttSubscriber::waitSubscribed(std::chrono::milliseconds timeout) {
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, timeout, [this] { return m_subscribed; });
}

bool MqttSubscriber::waitFor(const std::function<bool(const std::vector<ReceivedMessage>&)>& done,
                             std::chrono::milliseconds timeout) {
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, timeout, [&] { return done(m_messages); });
}

bool MqttSubscriber::waitForMessage(const std::string& topic, const std::string& payload,
                                    std::chrono::milliseconds timeout) {
    return waitFor(
        [&](const std::vector<ReceivedMessage>& messages) {
            return std::any_of(messages.begin(), messages.end(), [&](const ReceivedMessage& m) {
                return m.topic == topic && (payload.empty() || m.payload == payload);
            });
        },
        timeout);
}

std::vector<ReceivedMessage> MqttSubscriber::messages() const {
    const std::lock_guard lock(m_mutex);
    return m_messages;
}

std::vector<ReceivedMessage> MqttSubscriber::messagesOn(const std::string& topic) const {
    std::vector<ReceivedMessage> found;
    for (ReceivedMessage& m : messages()) {
        if (m.topic == topic)
            found.push_back(std::move(m));
    }
    return found;
}

} // namespace telmora::test
