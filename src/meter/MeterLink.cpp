#include "meter/MeterLink.h"

#include "meter/AcquisitionWorker.h"
#include "meter/CableProtocol.h"

#include <QMetaType>
#include <QThread>

#include <utility>

namespace telmora {

MeterLink::MeterLink(std::shared_ptr<CableBackend> backend, QObject* parent)
    : QObject(parent), m_backend(std::move(backend)) {
    qRegisterMetaType<DecodedReply>("telmora::DecodedReply");
}

MeterLink::~MeterLink() {
    stopWorker();
}

bool MeterLink::link() {
    if (m_linked)
        return true;
    // The probe only shows that the cable is there; the worker opens its own handle.
    CableHandle probe = m_backend ? OpenCable(*m_backend) : CableHandle();
    if (!probe)
        return false;
    probe.close();

    const unsigned generation = ++m_generation;
    m_readingValid = false;
    m_meterSilent = false;
    m_thread = std::make_unique<QThread>();
    m_thread->setObjectName(QStringLiteral("acquisition"));
    m_worker = std::make_unique<AcquisitionWorker>(m_backend);
    m_worker->setReconnect(m_reconnect);
    m_worker->setReconnectPause(m_reconnectPause);
    m_worker->moveToThread(m_thread.get());
    AcquisitionWorker* worker = m_worker.get();
    QThread* thread = m_thread.get();
    connect(thread, &QThread::started, worker, &AcquisitionWorker::run);
    connect(worker, &AcquisitionWorker::finished, thread, &QThread::quit, Qt::DirectConnection);
    // Queued calls can arrive after an unlink; the generation tells them apart.
    const auto current = [this, generation] { return generation == m_generation && m_worker; };
    connect(worker, &AcquisitionWorker::readingReceived, this,
            [this, current](const DecodedReply& reading) {
                if (!current())
                    return;
                m_worker->readingDelivered();
                takeReading(reading);
            });
    connect(worker, &AcquisitionWorker::pollFailed, this, [this, current] {
        if (current())
            m_readingValid = false;
    });
    connect(worker, &AcquisitionWorker::noDataReceived, this, [this, current] {
        if (!current())
            return;
        m_meterSilent = true;
        emit noDataNotice();
    });
    connect(worker, &AcquisitionWorker::waitingForCable, this, [this, current] {
        if (!current())
            return;
        m_readingValid = false;
        setWaitingForCable(true);
    });
    connect(worker, &AcquisitionWorker::linkLost, this, [this, current] {
        if (current())
            onLinkLost();
    });
    m_linked = true;
    thread->start();
    emit linkedChanged(true);
    return true;
}

void MeterLink::takeReading(const DecodedReply& reading) {
    // The windows learn that the meter is back before its first reading arrives.
    setWaitingForCable(false);
    m_latest = reading;
    m_readingValid = true;
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
    // what does not answer, and saying the cable is missing would mislead.
    if (std::exchange(m_meterSilent, false) && cablePresent())
        emit meterSilentNotice();
    else
        emit linkLostNotice();
    unlink();
}

bool MeterLink::cableListed() const {
    return m_backend && CableListed(*m_backend);
}

bool MeterLink::cablePresent() const {
    if (!m_backend)
        return false;
    CableHandle probe = OpenCable(*m_backend);
    const bool present = probe.valid();
    probe.close();
    return present;
}

void MeterLink::noticeClosed() {
    if (m_worker)
        m_worker->noticeClosed();
}

void MeterLink::unlink() {
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
    // The worker never waits for this thread, so this wait ends within one poll.
    m_thread->wait();
    m_worker.reset();
    m_thread.reset();
}

} // namespace telmora
