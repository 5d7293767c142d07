#pragma once

#include "jobs/Job.h"
#include "meter/CableBackend.h"
#include "meter/CableIdentity.h"
#include "meter/CableProtocol.h"

#include <QObject>

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>

namespace telmora {

// The one way to the cable. It owns the cable backend and keeps its users apart:
// live polling takes the cable for one poll at a time, while a logger download or
// an identity query takes it for itself. Such a use waits until the poll under way
// has ended, and polling pauses until the use is over, then goes on by itself.
//
// exclusiveUse() and pollTurn() block and belong on worker threads; queryIdentity()
// runs the query as a job and reports by identityArrived().
class CableAccess : public QObject {
    Q_OBJECT

public:
    // `cableKey` names the cable among several (see ListCables); empty: the first.
    explicit CableAccess(std::shared_ptr<CableBackend> backend, std::string cableKey = {},
                         QObject* parent = nullptr);
    // An identity query still running is waited for (its job ends with this object).
    ~CableAccess() override;

    // Null when the application runs without a cable backend.
    CableBackend* backend() const { return m_backend.get(); }
    const std::shared_ptr<CableBackend>& sharedBackend() const { return m_backend; }
    // The key of the cable this access serves; empty for the first cable found.
    std::string cableKey() const;
    // Serves another cable from now on (set while it is not linked).
    void setCableKey(std::string key);
    // Opens this access's cable (empty handle when it is missing or refused).
    CableHandle openCable() const;
    // True when the system lists this access's cable, openable or not.
    bool cableListed() const;

    // Holds the cable for one user; giving it back lets polling go on.
    class Use {
    public:
        Use() = default;
        Use(Use&& other) noexcept;
        Use& operator=(Use&& other) noexcept;
        Use(const Use&) = delete;
        Use& operator=(const Use&) = delete;
        ~Use() { release(); }
        explicit operator bool() const { return m_access != nullptr; }
        void release();

    private:
        using End = void (CableAccess::*)();
        Use(CableAccess* access, End end) : m_access(access), m_end(end) {}
        CableAccess* m_access = nullptr;
        End m_end = nullptr;
        friend class CableAccess;
    };

    // Takes the cable for a download or a query: waits until the poll under way
    // has ended; polling stays paused until the returned use ends.
    [[nodiscard]] Use exclusiveUse();
    // Takes the cable for one poll: waits while another user holds it, or until
    // `stop` is set (then the returned use is empty). wakePollers() makes a waiting
    // poller look at its stop flag again.
    [[nodiscard]] Use pollTurn(const std::atomic<bool>& stop);
    void wakePollers();
    // True while a download or a query holds the cable (polling is paused).
    bool pollingPaused() const;

    // Opens the cable, reads its identity and closes it as a job, in turn with the
    // other users; the answer comes by identityArrived(). A query asked for while
    // one runs replaces it: only the newer answer comes.
    void queryIdentity();

signals:
    // `opened` false: the cable could not be opened (the identity is empty).
    void identityArrived(bool opened, const telmora::CableIdentity& identity);
    // Polling paused for a download or a query (true) or goes on (false); sent
    // from this object's thread.
    void pollingPausedChanged(bool paused);

private:
    void endExclusive();
    void endPoll();
    void announcePause(bool paused);

    std::shared_ptr<CableBackend> m_backend;
    std::string m_cableKey; // guarded by m_mutex
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    int m_exclusiveUsers = 0; // holding or waiting for the cable; guarded by m_mutex
    bool m_exclusiveHeld = false;
    bool m_polling = false;
    Job m_identityJob; // last: ends (and waits for its work) before the rest goes
};

} // namespace telmora
