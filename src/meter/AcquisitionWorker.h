#pragma once

// Module Thread_korrel: the acquisition thread that polls the meter while linked.

#include "meter/CableProtocol.h"
#include "meter/SharedState.h"

#include <atomic>
#include <functional>
#include <thread>

namespace telmora {

// Polls the meter back to back, publishes every complete reply as the
// LiveReading and signals NewReadingEvent. After a failed poll it checks that the
// cable is still there and reopens it; when the cable is gone, or the meter stays
// silent for three polls in a row (after the "No data received." notice), it sets
// LinkLostEvent and ends. The last thing it does is set AcquisitionEndedEvent.
//
// Ownership: the link action creates it and keeps it; unlink asks it to end
// (Terminate), waits for AcquisitionEndedEvent and then drops it. Dropping it
// asks it to end and joins the thread, which by then returns at once.
class AcquisitionWorker {
public:
    // Shows the "No data received." notice and returns when the user closed it.
    // Runs on the acquisition thread; it must hand the box to the user-interface
    // thread itself.
    using NoDataNotice = std::function<void()>;

    explicit AcquisitionWorker(NoDataNotice notice, SharedState& state = Shared());
    ~AcquisitionWorker();
    AcquisitionWorker(const AcquisitionWorker&) = delete;
    AcquisitionWorker& operator=(const AcquisitionWorker&) = delete;

    // Asks the loop to end at its next check.
    void Terminate();
    bool terminateRequested() const;
    // True once the loop has ended and AcquisitionEndedEvent was set.
    bool finished() const { return m_finished.load(); }
    // Consecutive failed polls after which the cable was still present (0..2).
    int retryCount() const { return m_retryCount.load(); }

private:
    void Execute(std::stop_token stop);
    void publish(const PollBuffer& reply);

    NoDataNotice m_notice;
    SharedState& m_state;
    CableHandle m_cable; // belongs to the acquisition thread while it runs
    std::atomic<int> m_retryCount{0};
    std::atomic<bool> m_finished{false};
    std::jthread m_thread; // last: started after every other member is ready
};

// The decode step of one complete reply: reply copy, frame data D1..D20 and all
// decoded fields of `reading`.
void FillLiveReading(const PollBuffer& reply, LiveReading& reading);

} // namespace telmora
