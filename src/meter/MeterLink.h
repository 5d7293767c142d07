#pragma once

#include "meter/LiveSource.h"
#include "model/DecodedReply.h"

#include <QObject>

#include <chrono>
#include <memory>
#include <vector>

class QThread;

namespace telmora {

class AcquisitionWorker;
class CableAccess;
class CableBackend;

// The live link to the meter, on the user-interface thread. link() starts an
// AcquisitionWorker on its own thread, which opens the cable there; the link is up
// (linkedChanged(true), then linkFinished(true)) once the cable is open, and
// linkFinished(false) says that it is missing or refused. The worker's readings
// come back as readingReceived(). It shows nothing itself: the owner connects its
// signals to the windows and the message routine.
//
// When the worker finds the cable gone, MeterLink emits linkLostNotice() (the
// owner shows "USB adapter cable not found.") and then unlinks. When the meter
// stays silent it emits noDataNotice(); the owner shows "No data received." and
// calls noticeClosed(), after which the link ends: with meterSilentNotice() when
// the cable is still there (the meter is off or not plugged in), otherwise with
// linkLostNotice() as above.
//
// With reconnecting switched on, a lost cable or a silent meter shows nothing and
// keeps the link: waitingForCableChanged(true) is emitted, the worker looks for
// the cable in the background, and the first reading that comes back ends the
// wait (waitingForCableChanged(false) just before its readingReceived()). Unlink
// ends the wait at once.
//
// Unlinking never waits for the worker: it asks the worker to stop, which cancels
// the read under way, and reports stopped() once the worker's thread has ended.
class MeterLink : public QObject, public LiveSource {
    Q_OBJECT

public:
    // Polls the cable of `cable`, which outlives the link.
    explicit MeterLink(CableAccess& cable, QObject* parent = nullptr);
    // Ends a running worker and waits for its thread (a stop cancels its read).
    ~MeterLink() override;

    bool isLinked() const override { return m_linked; }
    // False from a failed poll until the next reading.
    bool readingValid() const override { return m_readingValid; }
    DecodedReply latestReading() const override { return m_latest; }
    std::uint64_t readingCount() const override { return m_readingCount; }
    const std::shared_ptr<CableBackend>& backend() const { return m_backend; }
    CableAccess& cableAccess() const { return m_access; }
    // An ended link's worker is still on its way out (stopped() follows).
    bool isStopping() const { return !m_retiring.empty(); }
    // After a link that failed: true when the system listed the cable although it
    // could not be opened (it is there, but access to it is refused).
    bool cableListed() const { return m_cableListed; }

    // Starts linking and returns at once; linkFinished() tells how it went. Nothing
    // happens while linked or linking already.
    void link();
    // From link() until linkFinished() (or an unlink, which drops the attempt).
    bool isLinking() const { return m_linking; }
    // Ends the link at once: asks the worker to stop without waiting for it;
    // stopped() follows when its thread has ended. While linking, it drops the
    // attempt: no linkFinished() comes.
    void unlink();
    // The "No data received." notice was closed.
    void noticeClosed();

    // Whether a lost link is waited for instead of ended (off by default). Takes
    // effect at once, also on a running link and during a wait.
    void setReconnectAutomatically(bool on);
    bool reconnectsAutomatically() const { return m_reconnect; }
    void setReconnectPause(std::chrono::milliseconds pause) { m_reconnectPause = pause; }
    // Linked, but the cable or the meter is away and being waited for.
    bool isWaitingForCable() const { return m_waitingForCable; }

signals:
    void linkedChanged(bool linked);
    // The end of a link() attempt: true once the link is up (after linkedChanged),
    // false when the cable is missing or refused (nothing else changed).
    void linkFinished(bool linked);
    void readingReceived(const telmora::DecodedReply& reading);
    void noDataNotice();
    void linkLostNotice();
    void meterSilentNotice();
    void waitingForCableChanged(bool waiting);
    // The worker of an ended link has stopped; the cable is free of it.
    void stopped();

private:
    // A stopped worker and its thread, kept until the thread has ended.
    struct Retiring {
        std::unique_ptr<QThread> thread;
        std::unique_ptr<AcquisitionWorker> worker;
    };
    void retire(QThread* thread);
    template <class Current> void connectReadings(AcquisitionWorker& worker, Current current);
    void takeOpenedCable();
    void takeFailedOpen(bool listed);
    void takeReading(const DecodedReply& reading);
    void onLinkLost();
    void stopWorker();
    void setWaitingForCable(bool waiting);

    CableAccess& m_access;
    std::shared_ptr<CableBackend> m_backend;
    std::vector<Retiring> m_retiring;
    std::unique_ptr<QThread> m_thread;
    std::unique_ptr<AcquisitionWorker> m_worker;
    // Counts the links; signals of a worker from an earlier link are ignored.
    unsigned m_generation = 0;
    bool m_linked = false;
    bool m_linking = false;
    bool m_cableListed = false;
    bool m_readingValid = false;
    // The worker reported a silent meter; its link ends after the notice.
    bool m_meterSilent = false;
    bool m_reconnect = false;
    bool m_waitingForCable = false;
    std::chrono::milliseconds m_reconnectPause = std::chrono::milliseconds(500);
    DecodedReply m_latest;
    std::uint64_t m_readingCount = 0;
};

} // namespace telmora
