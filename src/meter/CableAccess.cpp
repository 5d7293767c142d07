#include "meter/CableAccess.h"

#include "meter/cablelist.h"

#include "meter/CableProtocol.h"

#include <QMetaObject>

#include <utility>

namespace telmora {

CableAccess::Use::Use(Use&& other) noexcept
    : m_access(std::exchange(other.m_access, nullptr)), m_end(other.m_end) {}

CableAccess::Use& CableAccess::Use::operator=(Use&& other) noexcept {
    if (this != &other) {
        release();
        m_access = std::exchange(other.m_access, nullptr);
        m_end = other.m_end;
    }
    return *this;
}

void CableAccess::Use::release() {
    if (CableAccess* access = std::exchange(m_access, nullptr))
        (access->*m_end)();
}

CableAccess::CableAccess(std::shared_ptr<CableBackend> backend, std::string cableKey,
                         QObject* parent)
    : QObject(parent), m_backend(std::move(backend)), m_cableKey(std::move(cableKey)) {
    qRegisterMetaType<CableIdentity>("telmora::CableIdentity");
}

CableAccess::~CableAccess() = default;

CableAccess::Use CableAccess::exclusiveUse() {
    bool first = false;
    {
        std::unique_lock lock(m_mutex);
        first = m_exclusiveUsers++ == 0;
        // A waiting exclusive user keeps new polls from starting, so it gets its
        // turn as soon as the poll under way ends.
        m_changed.wait(lock, [this] { return !m_polling && !m_exclusiveHeld; });
        m_exclusiveHeld = true;
    }
    if (first)
        announcePause(true);
    return Use(this, &CableAccess::endExclusive);
}

void CableAccess::endExclusive() {
    bool last = false;
    {
        std::lock_guard lock(m_mutex);
        m_exclusiveHeld = false;
        last = --m_exclusiveUsers == 0;
    }
    m_changed.notify_all();
    if (last)
        announcePause(false);
}

void CableAccess::announcePause(bool paused) {
    // Users take the cable on their own threads; the signal leaves from this
    // object's thread, in the order of the changes.
    QMetaObject::invokeMethod(
        this, [this, paused] { emit pollingPausedChanged(paused); }, Qt::QueuedConnection);
}

CableAccess::Use CableAccess::pollTurn(const std::atomic<bool>& stop) {
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock,
                   [this, &stop] { return stop.load() || (m_exclusiveUsers == 0 && !m_polling); });
    if (stop.load())
        return {};
    m_polling = true;
    return Use(this, &CableAccess::endPoll);
}

void CableAccess::endPoll() {
    {
        std::lock_guard lock(m_mutex);
        m_polling = false;
    }
    m_changed.notify_all();
}

void CableAccess::wakePollers() {
    {
        // Taking the lock orders the caller's stop flag before the pollers' check.
        std::lock_guard lock(m_mutex);
    }
    m_changed.notify_all();
}

std::string CableAccess::cableKey() const {
    std::lock_guard lock(m_mutex);
    return m_cableKey;
}

void CableAccess::setCableKey(std::string key) {
    std::lock_guard lock(m_mutex);
    m_cableKey = std::move(key);
}

CableHandle CableAccess::openCable() const {
    return m_backend ? OpenCableByKey(*m_backend, cableKey()) : CableHandle();
}

bool CableAccess::cableListed() const {
    return m_backend && CableKeyListed(*m_backend, cableKey());
}

bool CableAccess::pollingPaused() const {
    std::lock_guard lock(m_mutex);
    return m_exclusiveUsers > 0;
}

void CableAccess::queryIdentity() {
    struct Answer {
        bool opened = false;
        CableIdentity identity;
    };
    m_identityJob.start(
        [this](const JobControl&) {
            Answer answer;
            if (!m_backend)
                return answer;
            const Use use = exclusiveUse();
            CableHandle handle = openCable();
            if (handle) {
                answer.identity = QueryCableIdentity(handle);
                answer.opened = true;
            }
            return answer;
        },
        [this](Answer&& answer, JobOutcome) {
            emit identityArrived(answer.opened, answer.identity);
        });
}

} // namespace telmora
