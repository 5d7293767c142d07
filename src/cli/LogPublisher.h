#pragma once
// The --mqtt options of telmora-cli log, and the publishing of its readings to an
// MQTT broker while it logs.

#include "cli/formatoption.h"
#include "model/Measurement.h"

#include <QDateTime>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace telmora {
class MqttPublisher;
}

namespace telmora::cli {

struct MqttOptions {
    std::string url; // empty: no publishing
    std::string topicPrefix;
    std::string caFile;
    int qos = 0;
    bool qosGiven = false;
};

// Reads "--mqtt URL", "--topic PREFIX", "--qos 0|1" or "--cafile FILE" (or their
// "--option=VALUE" forms) at argv[i].
OptionMatch TakeMqttOption(int argc, char** argv, int& i, MqttOptions& options);
// False (after a message) when --topic, --qos or --cafile came without --mqtt.
bool CheckMqttOptions(const MqttOptions& options);

// Publishes the logged readings, one connection per meter. The user name and
// password come from TELMORA_MQTT_USER and TELMORA_MQTT_PASSWORD.
class LogPublisher {
public:
    // Connects for the meters with these serial numbers and waits (10 s at most)
    // for the broker; null after "cannot publish to URL: reason" on stderr.
    static std::unique_ptr<LogPublisher> Connect(const MqttOptions& options,
                                                 const std::vector<std::string>& serials);
    // Takes a publisher that is connected to `url` for these meters.
    LogPublisher(std::unique_ptr<MqttPublisher> publisher, std::string url,
                 std::vector<std::string> serials);
    // Publishes "offline" for every meter and disconnects, waiting about 2 s at
    // most for what is still queued; says on stderr how many readings were not
    // published, if any.
    ~LogPublisher();
    LogPublisher(const LogPublisher&) = delete;
    LogPublisher& operator=(const LogPublisher&) = delete;

    // Queues the reading of meter number `index` (from 0, in the order of the
    // serial numbers given) taken at `time`.
    void publish(std::size_t index, const Measurement& main, const QDateTime& time);

    // Meter number `index` is gone: its "offline" and the end of its connection.
    void meterLost(std::size_t index);

private:
    std::unique_ptr<MqttPublisher> m_publisher;
    std::string m_url;
    std::vector<std::string> m_serials;
};

} // namespace telmora::cli
