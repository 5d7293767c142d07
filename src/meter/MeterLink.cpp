#include "meter/MeterLink.h"

#include "meter/AcquisitionWorker.h"
#include "meter/CableAccess.h"
#include "meter/CableProtocol.h"

#include <QMetaType>
#include <QThread>

#include <algorithm>

#include <utility>

namespace telmora {

MeterLink::MeterLink(CableAccess& cable, QObject* parent)
    : QObject(parent), m_access(cable), m_backend(cable.sharedBackend()) {
    qRegisterMetaType<DecodedReply>("telmora::DecodedReply");
}

MeterLink::~MeterLink() {
    stopWorker();
    // At shutdown the threads are waited for; their stop cancelled their reads.
    for (Retiring& r : m_retiring)
        r.thread->wait();
}

void MeterLink::link() {
    if (m_linked || m_linking)
        return;
    const unsigned generation = ++m_generation;
    m_linking = true;
    m_readingValid = false;
    m_meterSilent = false;
    m_thread = std::make_unique<QThread>();
    m_thread->setObjectName(QStringLiteral("acquisition"));
    m_worker = std::make_unique<AcquisitionWorker>(m_access);
    m_worker->setReconnect(m_reconnect);
    m_worker->setReconnectPause(m_reconnectPause);
    m_worker->moveToThread(m_thread.get());
    AcquisitionWorker* worker = m_worker.get();
    QThread* thread = m_thread.get();
    // The worker opens the cable on its own thread: the link is up once it is open.
    connect(thread, &QThread::started, worker, &AcquisitionWorker::openAndRun);
    connect(worker, &AcquisitionWorker::finished, thread, &QThread::quit, Qt::DirectConnection);
    connect(thread, &QThread::finished, this, [this, thread] { retire(thread); });
    // Queued calls can arrive after an unlink; the generation tells them apart.
    const auto current = [this, generation] { return generation == m_generation && m_worker; };
    connect(worker, &AcquisitionWorker::opened, this, [this, current] {
        if (current())
            takeOpenedCable();
    });
    connect(worker, &AcquisitionWorker::openFailed, this, [this, current](bool listed) {
        if (current())
            takeFailedOpen(listed);
    });
    connectReadings(*worker, current);
    thread->start();
}

void MeterLink::takeOpenedCable() {
    m_linking = false;
    m_linked = true;
    emit linkedChanged(true);
    emit linkFinished(true);
}

void MeterLink::takeFailedOpen(bool listed) {
    m_linking = false;
    m_cableListed = listed;
    stopWorker();
    emit linkFinished(false);
}

template <class Current>
void MeterLink::connectReadings(AcquisitionWorker& worker, Current current) {
    connect(&worker, &AcquisitionWorker::readingReceived, this,
            [this, current](const DecodedReply& reading) {
                if (!current())
                    return;
                m_worker->readingDelivered();
                takeReading(reading);
            });
    connect(&worker, &AcquisitionWorker::pollFailed, this, [this, current] {
        if (current())
            m_readingValid = false;
    });
    connect(&worker, &AcquisitionWorker::noDataReceived, this, [this, current] {
        if (!current())
            return;
        m_meterSilent = true;
        emit noDataNotice();
    });
    connect(&worker, &AcquisitionWorker::waitingForCable, this, [this, current] {
        if (!current())
            return;
        m_readingValid = false;
        setWaitingForCable(true);
    });
    connect(&worker, &AcquisitionWorker::linkLost, this, [this, current] {
        if (current())
            onLinkLost();
    });
}

void MeterLink::takeReading(const DecodedReply& reading) {
    // The windows learn that the meter is back before its first reading arrives.
    setWaitingForCable(false);
    m_latest = reading;
    m_readingValid = true;
    ++m_readingCount;
    emit readingReceived(m_latest);
}

void MeterLink::setReconnectAutomatically(bool on) {
    m_reconnect = on;
    if (m_worker)
        m_worker->setReconnect(on);
}

void MeterLink::setWaitingForCable(bool waiting) {
    if (m_waitingForCable == waiting)
        return;
    m_waitingForCable = waiting;
    emit waitingForCableChanged(waiting);
}

void MeterLink::onLinkLost() {
    if (!m_linked)
        return;
    // After a silent meter the cable may well still be there; then the meter is
    // what does not answer, and saying the cable is missing would mislead. The
    // worker looked for the cable when the notice was closed.
    if (std::exchange(m_meterSilent, false) && m_worker->cableThereAfterSilence())
        emit meterSilentNotice();
    else
        emit linkLostNotice();
    unlink();
}

void MeterLink::noticeClosed() {
    if (m_worker)
        m_worker->noticeClosed();
}

void MeterLink::unlink() {
    if (m_linking) {
        // The cable is still being opened: the attempt is dropped without a word.
        m_linking = false;
        stopWorker();
        return;
    }
    if (!m_linked)
        return;
    stopWorker();
    m_linked = false;
    m_readingValid = false;
    setWaitingForCable(false);
    emit linkedChanged(false);
}

void MeterLink::stopWorker() {
    if (!m_thread)
        return;
    ++m_generation;
    m_worker->requestStop();
    // The thread ends by itself; retire() lets it go when it has. A thread that
    // ended before (its worker stopped on its own) is let go at once.
    QThread* thread = m_thread.get();
    const bool ended = thread->isFinished();
    m_retiring.push_back({std::move(m_thread), std::move(m_worker)});
    if (ended)
        QMetaObject::invokeMethod(
            this, [this, thread] { retire(thread); }, Qt::QueuedConnection);
}

void MeterLink::retire(QThread* thread) {
    const auto ended =
        std::find_if(m_retiring.begin(), m_retiring.end(),
                     [thread](const Retiring& r) { return r.thread.get() == thread; });
    if (ended == m_retiring.end())
        return;            // still the running link's thread: it ends by stopWorker()
    ended->thread->wait(); // has finished: returns at once
    m_retiring.erase(ended);
    if (m_retiring.empty())
        emit stopped();
}

} // namespace telmora
