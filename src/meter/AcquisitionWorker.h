#pragma once

#include "meter/CableProtocol.h"
#include "model/DecodedReply.h"

#include <QObject>

#include <atomic>
#include <chrono>
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
// With reconnecting switched on, neither a missing cable nor a silent meter ends
// the worker: it reports waitingForCable() once, closes its handle and looks for
// the cable again every reconnect pause until a poll brings a reading (the next
// readingReceived()) or it is stopped. Switching reconnecting off while it waits
// ends it as a lost link.
//
// Usage: move it to a QThread and call run() there (connect QThread::started).
// requestStop() and noticeClosed() may be called from any thread; neither waits
// for anything, and the worker never waits for the thread that owns it. A stop
// cancels the read under way, so the worker ends within moments, not after the
// reply time-out. Each poll takes its turn at the cable through `access`: while
// a download or a query holds the cable, polling pauses.
class CableAccess;

class AcquisitionWorker : public QObject {
    Q_OBJECT

public:
    explicit AcquisitionWorker(CableAccess& access);

    // At most this many readings are on their way to the receiver at once; a
    // reading that finds the way full is dropped (the next poll brings a newer one).
    static constexpr int kMaxReadingsInFlight = 4;
    // Consecutive failed polls after which the meter counts as silent.
    static constexpr int kMaxFailedPolls = 3;

    // Pause between two looks for a lost cable while reconnecting.
    static constexpr std::chrono::milliseconds kDefaultReconnectPause{500};

    void requestStop();
    bool stopRequested() const { return m_stop.load(); }
    // Whether a lost cable or a silent meter is waited for instead of ending the
    // link. May be changed from any thread, also while the worker waits.
    void setReconnect(bool on);
    void setReconnectPause(std::chrono::milliseconds pause) { m_reconnectPause = pause; }
    // The "No data received." notice was closed: the worker goes on and ends.
    void noticeClosed();
    // The receiver has taken one reading off the way.
    void readingDelivered();
    // Consecutive failed polls after which the cable was still present (0..2).
    int retryCount() const { return m_retryCount.load(); }
    // Set before the linkLost() that follows the "No data received." notice: the
    // cable was still there then (the meter is off or not plugged in).
    bool cableThereAfterSilence() const { return m_cableThereAfterSilence.load(); }

    // The poll loop; returns when the worker has ended (stop, lost cable, silent meter).
    // A cable that cannot be opened shows up as a failed first poll.
    void run();
    // Opens the cable first: when it is missing or refused, reports openFailed()
    // and ends; otherwise reports opened() and goes on as run().
    void openAndRun();

signals:
    // openAndRun(): the cable is open, polling begins.
    void opened();
    // openAndRun(): the cable could not be opened; `listed`: the system lists it
    // (it is there, but access to it is refused).
    void openFailed(bool listed);
    void readingReceived(const telmora::DecodedReply& reading);
    void pollFailed();
    void noDataReceived();
    void linkLost();
    // Reconnecting: the cable or the meter went away; readings come back by
    // readingReceived() when it returns.
    void waitingForCable();
    void finished();

private:
    // Handles one failed poll; false when the loop must end.
    bool recoverFromFailedPoll(CableHandle& cable);
    void publish(const PollBuffer& reply);
    // Waits until the notice is closed or a stop is requested.
    void waitForNoticeClosed();
    // Reconnecting: drops the handle, waits one reconnect pause (a stop or
    // switching reconnecting off cuts it short) and opens the cable again. False
    // when the loop must end.
    bool waitForCable(CableHandle& cable);
    // One poll in its turn at the cable; a stop cancels its read.
    bool pollInTurn(CableHandle& cable, PollBuffer& reply);
    void pollUntilEnd(CableHandle& cable);

    CableAccess& m_access;
    std::shared_ptr<CableBackend> m_backend;
    CableDevice* m_polledDevice = nullptr; // the device read from now; guarded by m_mutex
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_reconnect{false};
    std::atomic<std::chrono::milliseconds> m_reconnectPause{kDefaultReconnectPause};
    bool m_waiting = false; // worker thread only
    std::atomic<int> m_retryCount{0};
    std::atomic<int> m_readingsInFlight{0};
    std::atomic<bool> m_cableThereAfterSilence{false};
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_noticeClosed = false; // guarded by m_mutex
};

// The decode step of one complete reply: reply copy, frame data D1..D20 and all
// decoded fields of `reading`.
void FillDecodedReply(const PollBuffer& reply, DecodedReply& reading);

} // namespace telmora
