#pragma once

#include <QObject>
#include <QString>

#include <functional>

namespace telmora {

// Keeps one password (the broker's) between runs: in the desktop's secret store
// when one answers, otherwise in a file of the user's configuration folder that
// only the user may read (mode 0600), written through the save routine. Reading
// and writing the secret store are asynchronous; the callbacks run on the
// owner's thread.
class PasswordStore : public QObject {
    Q_OBJECT

public:
    enum class Backend { Platform, FileOnly };
    enum class Place {
        Unknown,     // nothing read or written yet
        SecretStore, // the desktop's secret store
        File,        // fallbackFile(), mode 0600
        Memory,      // no file either (the configuration folder is refused): this run only
    };

    // `fallbackFile` empty: without a secret store the password lasts this run only.
    explicit PasswordStore(QString fallbackFile, Backend backend = Backend::Platform,
                           QObject* parent = nullptr);

    void read(std::function<void(const QString& password)> done);
    // `done` gets false and the reason when the password could not be kept.
    void write(const QString& password, std::function<void(bool kept, const QString& reason)> done);

    Place place() const { return m_place; }
    const QString& fallbackFile() const { return m_fallbackFile; }

private:
    void readFallback(const std::function<void(const QString&)>& done);
    void writeFallback(const QString& password,
                       const std::function<void(bool, const QString&)>& done);

    QString m_fallbackFile;
    Backend m_backend;
    Place m_place = Place::Unknown;
    QString m_memory; // the password while it can be kept nowhere else
};

// Writes `password` as the whole of `path`, readable and writable by the owner
// only, through the save routine. False with the reason when that failed.
bool WritePrivateFile(const QString& path, const QByteArray& bytes, QString* reason);

} // namespace telmora
