#include "meter/AcquisitionWorker.h"

#include "meter/CableAccess.h"
#include "model/decode.h"

#include <span>

namespace telmora {

void FillDecodedReply(const PollBuffer& reply, DecodedReply& reading) {
    DecodeReply(std::span<const std::uint8_t, kReplySize>(reply.data(), kReplySize), reading);
}

AcquisitionWorker::AcquisitionWorker(CableAccess& access)
    : m_access(access), m_backend(access.sharedBackend()) {}

void AcquisitionWorker::requestStop() {
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
        if (m_polledDevice != nullptr)
            m_polledDevice->cancelReads();
    }
    m_wake.notify_all();
    m_access.wakePollers();
}

bool AcquisitionWorker::pollInTurn(CableHandle& cable, PollBuffer& reply) {
    CableAccess::Use turn = m_access.pollTurn(m_stop);
    if (!turn)
        return false;
    {
        std::lock_guard lock(m_mutex);
        if (m_stop)
            return false;
        m_polledDevice = cable.device();
    }
    const bool replied = PollMeterForAcquisition(cable, reply);
    std::lock_guard lock(m_mutex);
    m_polledDevice = nullptr;
    return replied;
}

void AcquisitionWorker::setReconnect(bool on) {
    {
        std::lock_guard lock(m_mutex);
        m_reconnect = on;
    }
    m_wake.notify_all();
}

void AcquisitionWorker::noticeClosed() {
    {
        std::lock_guard lock(m_mutex);
        m_noticeClosed = true;
    }
    m_wake.notify_all();
}

void AcquisitionWorker::readingDelivered() {
    if (m_readingsInFlight.load() > 0)
        --m_readingsInFlight;
}

void AcquisitionWorker::waitForNoticeClosed() {
    std::unique_lock lock(m_mutex);
    m_wake.wait(lock, [this] { return m_noticeClosed || m_stop.load(); });
    m_noticeClosed = false;
}

void AcquisitionWorker::publish(const PollBuffer& reply) {
    if (m_readingsInFlight.load() >= kMaxReadingsInFlight)
        return;
    DecodedReply reading;
    FillDecodedReply(reply, reading);
    ++m_readingsInFlight;
    emit readingReceived(reading);
}

bool AcquisitionWorker::recoverFromFailedPoll(CableHandle& cable) {
    // The recorder stops sampling at once.
    emit pollFailed();
    CableHandle probe = m_access.openCable();
    if (!probe && m_reconnect)
        return waitForCable(cable);
    if (!probe) {
        // The cable is gone. After a stop request nobody needs to hear about it:
        // the link is being switched off anyway.
        if (!m_stop)
            emit linkLost();
        m_retryCount = 0;
        return false;
    }
    probe.close();
    if (++m_retryCount >= kMaxFailedPolls && m_reconnect) {
        // A silent meter is waited for like a missing cable: no notice.
        m_retryCount = 0;
        return waitForCable(cable);
    }
    if (m_retryCount >= kMaxFailedPolls) {
        if (!m_stop) {
            // No polls while the notice is up; its end ends the link.
            emit noDataReceived();
            waitForNoticeClosed();
            if (!m_stop) {
                // Whether the meter is what fails, or the cable went in the meantime.
                CableHandle still = m_access.openCable();
                m_cableThereAfterSilence = still.valid();
                still.close();
                emit linkLost();
            }
        }
        m_retryCount = 0;
        return false;
    }
    cable.close();
    m_backend->pause(CableTiming::RetryPause);
    cable = m_access.openCable();
    return true;
}

bool AcquisitionWorker::waitForCable(CableHandle& cable) {
    cable.close();
    if (!m_waiting) {
        m_waiting = true;
        emit waitingForCable();
    }
    {
        std::unique_lock lock(m_mutex);
        m_wake.wait_for(lock, m_reconnectPause.load(),
                        [this] { return m_stop.load() || !m_reconnect.load(); });
    }
    if (m_stop)
        return false;
    if (!m_reconnect) {
        // Switched off while waiting: the link ends as it would have at the loss.
        m_waiting = false;
        emit linkLost();
        return false;
    }
    cable = m_access.openCable();
    return true;
}

void AcquisitionWorker::run() {
    // An empty handle shows up as a failed first poll.
    CableHandle cable = m_access.openCable();
    pollUntilEnd(cable);
}

void AcquisitionWorker::openAndRun() {
    CableHandle cable = m_access.openCable();
    if (!cable) {
        emit openFailed(m_access.cableListed());
        emit finished();
        return;
    }
    emit opened();
    pollUntilEnd(cable);
}

void AcquisitionWorker::pollUntilEnd(CableHandle& cable) {
    m_retryCount = 0;
    while (!m_stop) {
        PollBuffer reply{};
        if (pollInTurn(cable, reply)) {
            m_retryCount = 0;
            m_waiting = false;
            publish(reply);
            continue; // the meter's reply time sets the pace
        }
        // A stop cancels the read under way; that is no failed poll.
        if (m_stop || !m_backend || !recoverFromFailedPoll(cable))
            break;
    }
    cable.close();
    emit finished();
}

} // namespace telmora
