#include "MosquittoBroker.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <chrono>
#include <csignal>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace telmora::test {

namespace {

constexpr const char* kBroker = "/usr/sbin/mosquitto";
constexpr int kStartTimeoutMs = 10000;

sockaddr_in loopback(int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

// Starts `program` with `arguments`, its standard output and error into `log`;
// the process id, or -1.
pid_t spawn(const QString& program, const QStringList& arguments, const QString& log) {
    std::vector<QByteArray> storage{QFile::encodeName(program)};
    for (const QString& argument : arguments)
        storage.push_back(argument.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& a : storage)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    const QByteArray logName = QFile::encodeName(log);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, logName.constData(),
                                     O_WRONLY | O_CREAT | O_APPEND, 0600);
    posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    pid_t pid = -1;
    if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0)
        pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

// Waits for `pid` to end, `timeoutMs` at most; its wait status, or -1.
int waitForExit(pid_t pid, int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    int status = 0;
    for (;;) {
        const pid_t ended = ::waitpid(pid, &status, WNOHANG);
        if (ended == pid)
            return status;
        if (ended < 0 || deadline.hasExpired())
            return -1;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

QString fileText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(file.readAll()) : QString();
}

// Runs a tool to its end; false with its output in *error when it failed.
bool run(const QString& program, const QStringList& arguments, QString* error) {
    QTemporaryDir logDir;
    const QString log = logDir.filePath(QStringLiteral("output"));
    const pid_t pid = spawn(program, arguments, log);
    const int status = pid < 0 ? -1 : waitForExit(pid, 30000);
    if (status == -1 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        *error = program + QStringLiteral(" failed: ") + fileText(log);
        return false;
    }
    return true;
}

// The test CA, the server's certificate and key and the password file, made once
// per test process.
struct Credentials {
    QTemporaryDir dir;
    QString error;

    Credentials() {
        const QString d = dir.path() + u'/';
        const QStringList ec = {
            QStringLiteral("-newkey"), QStringLiteral("ec"), QStringLiteral("-pkeyopt"),
            QStringLiteral("ec_paramgen_curve:prime256v1"), QStringLiteral("-nodes")};
        QFile ext(d + QStringLiteral("server.ext"));
        if (!ext.open(QIODevice::WriteOnly) ||
            ext.write("subjectAltName=IP:127.0.0.1,DNS:localhost\n") < 0) {
            error = QStringLiteral("cannot write ") + ext.fileName();
            return;
        }
        ext.close();
        const bool made =
            run(QStringLiteral("openssl"),
                QStringList{QStringLiteral("req"), QStringLiteral("-x509")} + ec +
                    QStringList{QStringLiteral("-keyout"), d + QStringLiteral("ca.key"),
                                QStringLiteral("-out"), d + QStringLiteral("ca.crt"),
                                QStringLiteral("-days"), QStringLiteral("2"),
                                QStringLiteral("-subj"), QStringLiteral("/CN=Test CA"),
                                QStringLiteral("-addext"),
                                QStringLiteral("basicConstraints=critical,CA:TRUE"),
                                QStringLiteral("-addext"),
                                QStringLiteral("keyUsage=critical,keyCertSign,cRLSign")},
                &error) &&
            run(QStringLiteral("openssl"),
                QStringList{QStringLiteral("req")} + ec +
                    QStringList{QStringLiteral("-keyout"), d + QStringLiteral("server.key"),
                                QStringLiteral("-out"), d + QStringLiteral("server.csr"),
                                QStringLiteral("-subj"), QStringLiteral("/CN=127.0.0.1")},
                &error) &&
            run(QStringLiteral("openssl"),
                {QStringLiteral("x509"), QStringLiteral("-req"), QStringLiteral("-in"),
                 d + QStringLiteral("server.csr"), QStringLiteral("-CA"),
                 d + QStringLiteral("ca.crt"), QStringLiteral("-CAkey"),
                 d + QStringLiteral("ca.key"), QStringLiteral("-CAcreateserial"),
                 QStringLiteral("-out"), d + QStringLiteral("server.crt"), QStringLiteral("-days"),
                 QStringLiteral("2"), QStringLiteral("-extfile"), ext.fileName()},
                &error) &&
            run(QStringLiteral("mosquitto_passwd"),
                {QStringLiteral("-b"), QStringLiteral("-c"), d + QStringLiteral("passwd"),
                 QString::fromLatin1(MosquittoBroker::kUser),
                 QString::fromLatin1(MosquittoBroker::kPassword)},
                &error);
        // The broker may run as another user when started by root.
        QFile::setPermissions(d + QStringLiteral("server.key"),
                              QFileDevice::ReadOwner | QFileDevice::ReadOther);
        if (!made && error.isEmpty())
            error = QStringLiteral("cannot make the test certificates");
    }
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
};

const Credentials& credentials() {
    static const Credentials made;
    return made;
}

} // namespace

int FreeLocalPort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = loopback(0);
    socklen_t size = sizeof address;
    int port = 0;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size) == 0)
        port = ntohs(address.sin_port);
    ::close(fd);
    return port;
}

bool WaitForPort(int port, int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
        const sockaddr_in address = loopback(port);
        const bool open =
            ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
        ::close(fd);
        if (open)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

QString MosquittoBroker::unavailableReason() {
    if (!QFileInfo(QString::fromLatin1(kBroker)).isExecutable())
        return QStringLiteral("no MQTT broker at ") + QString::fromLatin1(kBroker);
    if (QStandardPaths::findExecutable(QStringLiteral("openssl")).isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("mosquitto_passwd")).isEmpty())
        return QStringLiteral("openssl or mosquitto_passwd is not installed");
    if (!credentials().error.isEmpty())
        return credentials().error;
    return QString();
}

MosquittoBroker::MosquittoBroker() {
    m_error = unavailableReason();
    if (!m_error.isEmpty())
        return;
    m_plainPort = FreeLocalPort();
    m_tlsPort = FreeLocalPort();
    if (writeConfig())
        start();
}

MosquittoBroker::~MosquittoBroker() {
    kill();
}

bool MosquittoBroker::running() const {
    int status = 0;
    return m_pid > 0 && ::waitpid(m_pid, &status, WNOHANG) == 0;
}

QString MosquittoBroker::plainUrl() const {
    return QStringLiteral("mqtt://127.0.0.1:%1").arg(m_plainPort);
}

QString MosquittoBroker::tlsUrl() const {
    return QStringLiteral("mqtts://127.0.0.1:%1").arg(m_tlsPort);
}

QString MosquittoBroker::caFile() const {
    return credentials().path("ca.crt");
}

bool MosquittoBroker::writeConfig() {
    const Credentials& c = credentials();
    QFile config(m_dir.filePath(QStringLiteral("mosquitto.conf")));
    QByteArray text = "per_listener_settings true\n"
                      "persistence true\n"
                      "persistence_location " +
                      QFile::encodeName(m_dir.path()) +
                      "/\n"
                      "log_dest stderr\n";
    if (::geteuid() == 0)
        text += "user root\n";
    text += "listener " + QByteArray::number(m_plainPort) + " 127.0.0.1\nallow_anonymous true\n";
    text += "listener " + QByteArray::number(m_tlsPort) +
            " 127.0.0.1\nallow_anonymous false\npassword_file " +
            QFile::encodeName(c.path("passwd")) + "\ncafile " +
            QFile::encodeName(c.path("ca.crt")) + "\ncertfile " +
            QFile::encodeName(c.path("server.crt")) + "\nkeyfile " +
            QFile::encodeName(c.path("server.key")) + "\n";
    if (!config.open(QIODevice::WriteOnly) || config.write(text) != text.size()) {
        m_error = QStringLiteral("cannot write the broker's configuration");
        return false;
    }
    return true;
}

bool MosquittoBroker::start() {
    if (m_pid > 0)
        return true;
    const QString log = m_dir.filePath(QStringLiteral("broker.log"));
    m_pid = spawn(QString::fromLatin1(kBroker),
                  {QStringLiteral("-c"), m_dir.filePath(QStringLiteral("mosquitto.conf"))}, log);
    if (m_pid < 0 || !WaitForPort(m_plainPort, kStartTimeoutMs) ||
        !WaitForPort(m_tlsPort, kStartTimeoutMs)) {
        m_error = QStringLiteral("the broker did not start: ") + fileText(log);
        kill();
        return false;
    }
    return true;
}

bool MosquittoBroker::restart() {
    stop();
    return start();
}

bool MosquittoBroker::end(int signal) {
    if (m_pid <= 0)
        return true;
    ::kill(m_pid, signal);
    if (waitForExit(m_pid, kStartTimeoutMs) == -1)
        return false;
    m_pid = -1;
    return true;
}

void MosquittoBroker::stop() {
    if (!end(SIGTERM))
        kill();
}

void MosquittoBroker::kill() {
    if (!end(SIGKILL))
        m_pid = -1; // not ours to wait for any longer
}

SilentListener::SilentListener() : m_fd(::socket(AF_INET, SOCK_STREAM, 0)) {
    sockaddr_in address = loopback(0);
    socklen_t size = sizeof address;
    if (::bind(m_fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        ::listen(m_fd, 16) == 0 &&
        ::getsockname(m_fd, reinterpret_cast<sockaddr*>(&address), &size) == 0)
        m_port = ntohs(address.sin_port);
}

SilentListener::~SilentListener() {
    if (m_fd >= 0)
        ::close(m_fd);
}

} // namespace telmora::test
