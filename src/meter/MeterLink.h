#pragma once

#include "meter/LiveSource.h"
#include "model/DecodedReply.h"

#include <QObject>

#include <chrono>
#include <memory>

class QThread;

namespace telmora {

class AcquisitionWorker;
class CableBackend;

// The live link to the meter, on the user-interface thread. link() checks that
// the cable is there and starts an AcquisitionWorker on its own thread; the
// worker's readings come back as readingReceived(). It shows nothing itself: the
// owner connects its signals to the windows and the message routine.
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
class MeterLink : public QObject, public LiveSource {
    Q_OBJECT

public:
    explicit MeterLink(std::shared_ptr<CableBackend> backend, QObject* parent = nullptr);
    // Ends a running worker and waits for its thread (bounded by one poll).
    ~MeterLink() override;

    bool isLinked() const override { return m_linked; }
    // False from a failed poll until the next reading.
    bool readingValid() const override { return m_readingValid; }
    DecodedReply latestReading() const override { return m_latest; }
    const std::shared_ptr<CableBackend>& backend() const { return m_backend; }
    // After a link() that failed: true when the system lists the cable although it
    // could not be opened (it is there, but access to it is refused).
    bool cableListed() const;

    // Starts the link; false (and nothing changes) when the cable is missing.
    bool link();
    // Ends the link: asks the worker to stop and waits until its thread has ended.
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
    void readingReceived(const telmora::DecodedReply& reading);
    void noDataNotice();
    void linkLostNotice();
    void meterSilentNotice();
    void waitingForCableChanged(bool waiting);

private:
    void takeReading(const DecodedReply& reading);
    void onLinkLost();
    // Opens and closes the cable once: true when it is there.
    bool cablePresent() const;
    void stopWorker();
    void setWaitingForCable(bool waiting);

    std::shared_ptr<CableBackend> m_backend;
    std::unique_ptr<QThread> m_thread;
    std::unique_ptr<AcquisitionWorker> m_worker;
    // Counts the links; signals of a worker from an earlier link are ignored.
    unsigned m_generation = 0;
    bool m_linked = false;
    bool m_readingValid = false;
    // The worker reported a silent meter; its link ends after the notice.
    bool m_meterSilent = false;
    bool m_reconnect = false;
    bool m_waitingForCable = false;
    std::chrono::milliseconds m_reconnectPause = std::chrono::milliseconds(500);
    DecodedReply m_latest;
};

} // namespace telmora
