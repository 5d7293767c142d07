#pragma once

#include <QString>

#include <memory>
#include <utility>
#include <vector>

#ifndef Q_OS_UNIX
#include <QLockFile>
#endif

namespace telmora {

// The claim of one temporary file: a lock file beside it ("~ODMDL<n>.TMP.lock")
// that a running program holds as long as it owns the file. The hold is a lock the
// system keeps on the open lock file and drops when the holder ends, however it
// ends; so a lock file left by a killed program is recognised at once and taken
// over, and a claim never depends on process numbers or file ages.
//
// The lock file is created exclusively and never through a link: a link or any
// other thing planted at its name is left alone and the number counts as taken.
// Ending the claim removes the lock file.
class TemporaryFileClaim {
    struct Key {}; // only tryClaim makes claims

public:
    enum class Outcome {
        Claimed,
        // A running program holds the file, or something that is not a lock file of
        // this user lies at the lock file's name: the file is not ours to use.
        Taken,
        // No lock file can be made here (no room left, no permission): see the reason.
        Failed,
    };

    // Tries to claim `temporaryFilePath` without waiting. `outcome` receives what
    // happened and `reason` the system's error text of a failure; null unless claimed.
    static std::unique_ptr<TemporaryFileClaim> tryClaim(const QString& temporaryFilePath,
                                                        Outcome* outcome = nullptr,
                                                        QString* reason = nullptr);
#ifdef Q_OS_UNIX
    TemporaryFileClaim(Key, QString lockPath, int descriptor)
        : m_lockPath(std::move(lockPath)), m_descriptor(descriptor) {}
#else
    TemporaryFileClaim(Key, QString lockPath) : m_lockPath(lockPath), m_lock(lockPath) {}
#endif
    ~TemporaryFileClaim();
    TemporaryFileClaim(const TemporaryFileClaim&) = delete;
    TemporaryFileClaim& operator=(const TemporaryFileClaim&) = delete;

    const QString& lockPath() const {
        return m_lockPath;
    }

    // Claims of other files that go with this one (the files of the other meters
    // of a several-meter recording): held as long as this claim, or until taken.
    void join(std::unique_ptr<TemporaryFileClaim> other) {
        m_joined.push_back(std::move(other));
    }
    std::vector<std::unique_ptr<TemporaryFileClaim>> takeJoined() {
        return std::exchange(m_joined, {});
    }
    const std::vector<std::unique_ptr<TemporaryFileClaim>>& joined() const {
        return m_joined;
    }

private:
    QString m_lockPath;
    std::vector<std::unique_ptr<TemporaryFileClaim>> m_joined;
#ifdef Q_OS_UNIX
    int m_descriptor = -1;
#else
    QLockFile m_lock;
#endif
};

// The lock file of a temporary file: its path with ".lock" added.
QString TemporaryFileLockPath(const QString& temporaryFilePath);

} // namespace telmora
