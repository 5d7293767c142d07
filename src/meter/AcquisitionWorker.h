#pragma once

#include "meter/CableProtocol.h"
#include "model/LiveReading.h"

#include <QObject>

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>

namespace telmora {

// Polls the meter back to back on its own thread and reports by queued signals.
// Every complete reply becomes a readingReceived(); a failed poll reports
// pollFailed() at once and then checks that the cable is still there: when it is
// gone the worker reports linkLost() and ends; when the meter stays silent for
// three polls in a row it reports noDataReceived(), waits until the notice is
// closed (or it is stopped), then reports linkLost() and ends. Its last signal is
// finished().
//
// Usage: move it to a QThread and call run() there (connect QThread::started).
// requestStop() and noticeClosed() may be called from any thread; neither waits
// for anything, and the worker never waits for the thread that owns it.
class AcquisitionWorker : public QObject {
    Q_OBJECT

public:
    explicit AcquisitionWorker(std::shared_ptr<CableBackend> backend);

    // At most this many readings are on their way to the receiver at once; a
    // reading that finds the way full is dropped (the next poll brings a newer one).
    static constexpr int kMaxReadingsInFlight = 4;
    // Consecutive failed polls after which the meter counts as silent.
    static constexpr int kMaxFailedPolls = 3;

    void requestStop();
    bool stopRequested() const { return m_stop.load(); }
    // The "No data received." notice was closed: the worker goes on and ends.
    void noticeClosed();
    // The receiver has taken one reading off the way.
    void readingDelivered();
    // Consecutive failed polls after which the cable was still present (0..2).
    int retryCount() const { return m_retryCount.load(); }

    // The poll loop; returns when the worker has ended (stop, lost cable, silent meter).
    void run();

signals:
    void readingReceived(const telmora::LiveReading& reading);
    void pollFailed();
    void noDataReceived();
    void linkLost();
    void finished();

private:
    // Handles one failed poll; false when the loop must end.
    bool recoverFromFailedPoll(CableHandle& cable);
    void publish(const PollBuffer& reply);
    // Waits until the notice is closed or a stop is requested.
    void waitForNoticeClosed();

    std::shared_ptr<CableBackend> m_backend;
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_retryCount{0};
    std::atomic<int> m_readingsInFlight{0};
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_noticeClosed = false; // guarded by m_mutex
};

// The decode step of one complete reply: reply copy, frame data D1..D20 and all
// decoded fields of `reading`.
void FillLiveReading(const PollBuffer& reply, LiveReading& reading);

} // namespace telmora
