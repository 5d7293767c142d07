#include "app/PasswordStore.h"

#include "model/SaveFile.h"

#include <QFile>
#include <QFileInfo>
#include <qt6keychain/keychain.h>

namespace telmora {

namespace {

const QString kService = QStringLiteral("telmora");
const QString kKey = QStringLiteral("mqtt-broker-password");

// Errors that say there is no secret store to use (rather than no entry in it).
bool NoSecretStore(QKeychain::Error error) {
    return error != QKeychain::NoError && error != QKeychain::EntryNotFound;
}

} // namespace

bool WritePrivateFile(const QString& path, const QByteArray& bytes, QString* reason) {
    // A link in the password's place would send the password wherever it points:
    // the link goes, and a file of our own takes its place.
    if (QFileInfo(path).isSymLink() && !QFile::remove(path)) {
        if (reason)
            *reason = QStringLiteral("%1: cannot remove the link in its place").arg(path);
        return false;
    }
    SaveFile file(path);
    if (!file.open()) {
        if (reason)
            *reason = file.errorString();
        return false;
    }
    // The temporary file becomes the target: limit it before the secret is in it.
    if (!file.fileDevice().setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner)) {
        file.fail(file.fileDevice().errorString());
    } else if (file.write(bytes) && file.commit()) {
        return true;
    }
    if (reason)
        *reason = file.errorString();
    return false;
}

PasswordStore::PasswordStore(QString fallbackFile, Backend backend, QObject* parent)
    : QObject(parent), m_fallbackFile(std::move(fallbackFile)), m_backend(backend) {}

void PasswordStore::read(std::function<void(const QString&)> done) {
    if (m_backend == Backend::FileOnly || m_place == Place::File || m_place == Place::Memory) {
        readFallback(done);
        return;
    }
    auto* job = new QKeychain::ReadPasswordJob(kService, this);
    job->setKey(kKey);
    connect(job, &QKeychain::Job::finished, this, [this, job, done] {
        if (NoSecretStore(job->error())) {
            readFallback(done);
            return;
        }
        m_place = Place::SecretStore;
        if (job->error() == QKeychain::EntryNotFound) {
            // Kept in the file by an earlier run without a secret store.
            readFallback(done);
            m_place = Place::SecretStore;
            return;
        }
        done(job->textData());
    });
    job->start();
}

void PasswordStore::write(const QString& password, std::function<void(bool, const QString&)> done) {
    if (m_backend == Backend::FileOnly || m_place == Place::File || m_place == Place::Memory) {
        writeFallback(password, done);
        return;
    }
    auto* job = new QKeychain::WritePasswordJob(kService, this);
    job->setKey(kKey);
    job->setTextData(password);
    connect(job, &QKeychain::Job::finished, this, [this, job, password, done] {
        if (job->error() != QKeychain::NoError) {
            writeFallback(password, done);
            return;
        }
        m_place = Place::SecretStore;
        // The secret store has it now: no copy stays behind in a file.
        if (!m_fallbackFile.isEmpty())
            QFile::remove(m_fallbackFile);
        done(true, {});
    });
    job->start();
}

void PasswordStore::readFallback(const std::function<void(const QString&)>& done) {
    if (m_fallbackFile.isEmpty()) {
        m_place = Place::Memory;
        done(m_memory);
        return;
    }
    m_place = Place::File;
    QFile file(m_fallbackFile);
    const QFileInfo info(m_fallbackFile);
    // Only a regular file of this user's is read; anything else is no password.
    if (!info.isFile() || info.isSymLink() || !file.open(QIODevice::ReadOnly)) {
        done(m_memory);
        return;
    }
    done(QString::fromUtf8(file.read(4096)));
}

void PasswordStore::writeFallback(const QString& password,
                                  const std::function<void(bool, const QString&)>& done) {
    m_memory = password;
    if (m_fallbackFile.isEmpty()) {
        m_place = Place::Memory;
        done(true, {});
        return;
    }
    m_place = Place::File;
    if (password.isEmpty()) {
        QFile::remove(m_fallbackFile);
        done(true, {});
        return;
    }
    QString reason;
    const bool kept = WritePrivateFile(m_fallbackFile, password.toUtf8(), &reason);
    done(kept, reason);
}

} // namespace telmora
