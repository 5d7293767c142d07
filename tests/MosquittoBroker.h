#pragma once
// A real MQTT broker for tests: /usr/sbin/mosquitto on free local ports, with a
// plain listener (anonymous clients) and a TLS listener (a test CA, a certificate
// for 127.0.0.1 and a password file). Persistence is on, so that sessions survive
// restart(). Tests skip when the broker or openssl is not installed. Processes
// are started with posix_spawn (not QProcess), so that the helper also runs under
// ThreadSanitizer.

#include <QString>
#include <QTemporaryDir>

#include <sys/types.h>

namespace telmora::test {

class MosquittoBroker {
public:
    static constexpr const char* kUser = "tester";
    static constexpr const char* kPassword = "right-password";

    // Empty when a broker can run here; otherwise why not (for GTEST_SKIP).
    static QString unavailableReason();

    // Starts the broker; error() tells why when running() is false.
    MosquittoBroker();
    ~MosquittoBroker(); // kills the broker
    MosquittoBroker(const MosquittoBroker&) = delete;
    MosquittoBroker& operator=(const MosquittoBroker&) = delete;

    bool running() const;
    QString error() const { return m_error; }
    int plainPort() const { return m_plainPort; }
    int tlsPort() const { return m_tlsPort; }
    QString plainUrl() const;
    QString tlsUrl() const;
    QString caFile() const; // the test CA's certificate

    // Ends the broker cleanly (it saves its sessions) and starts it again on the
    // same ports; true once it accepts connections again.
    bool restart();
    // Ends the broker cleanly.
    void stop();
    // Ends the broker at once (SIGKILL).
    void kill();
    // Starts a stopped broker again on the same ports.
    bool start();

private:
    bool writeConfig();
    // Sends `signal` and waits for the broker to end; false when it did not.
    bool end(int signal);

    QTemporaryDir m_dir;
    pid_t m_pid = -1;
    int m_plainPort = 0;
    int m_tlsPort = 0;
    QString m_error;
};

// A free TCP port on 127.0.0.1 at the time of asking.
int FreeLocalPort();
// True once 127.0.0.1:port accepts a connection, trying until `timeoutMs`.
bool WaitForPort(int port, int timeoutMs);

// A TCP listener on 127.0.0.1 that accepts connections into its backlog and never
// reads them: a "broker" that never answers.
class SilentListener {
public:
    SilentListener();
    ~SilentListener();
    SilentListener(const SilentListener&) = delete;
    SilentListener& operator=(const SilentListener&) = delete;
    int port() const { return m_port; }

private:
    int m_fd = -1;
    int m_port = 0;
};

} // namespace telmora::test
