#include "cli/LiveAcquisition.h"

#include <cstdio>

namespace telmora::cli {

void ReadingBell::ring() {
    {
        std::lock_guard lock(m_mutex);
        ++m_rings;
    }
    m_rung.notify_all();
}

std::uint64_t ReadingBell::waitAfter(std::uint64_t seen, std::chrono::milliseconds timeout) {
    std::unique_lock lock(m_mutex);
    m_rung.wait_for(lock, timeout, [&] { return m_rings > seen; });
    return m_rings;
}

LiveAcquisition::LiveAcquisition(std::shared_ptr<CableBackend> backend, std::string cableKey,
                                 ReadingBell& bell)
    : m_bell(bell), m_cable(std::move(backend), std::move(cableKey)), m_worker(m_cable) {
    using W = AcquisitionWorker;
    const auto direct = Qt::DirectConnection;
    QObject::connect(
        &m_worker, &W::readingReceived, &m_worker,
        [this](const DecodedReply& reading) {
            m_worker.readingDelivered();
            update([&] {
                m_reading = reading;
                m_valid = true;
                m_fresh = true;
            });
        },
        direct);
    QObject::connect(
        &m_worker, &W::pollFailed, &m_worker, [this] { update([&] { m_valid = false; }); }, direct);
    QObject::connect(
        &m_worker, &W::noDataReceived, &m_worker,
        [this] {
            std::fputs("telmora-cli: No data received.\n", stderr);
            m_worker.noticeClosed();
        },
        direct);
    QObject::connect(
        &m_worker, &W::linkLost, &m_worker, [this] { update([&] { m_lost = true; }); }, direct);
    m_thread = std::jthread([this] { m_worker.run(); });
}

LiveAcquisition::~LiveAcquisition() {
    m_worker.requestStop();
    m_thread.join();
}

template <class F> void LiveAcquisition::update(F change) {
    {
        std::lock_guard lock(m_mutex);
        change();
    }
    m_bell.ring();
}

bool LiveAcquisition::takeNewReading() {
    std::lock_guard lock(m_mutex);
    return std::exchange(m_fresh, false);
}

bool LiveAcquisition::linkLost() {
    std::lock_guard lock(m_mutex);
    return m_lost;
}

std::optional<DecodedReply> LiveAcquisition::validReading() {
    std::lock_guard lock(m_mutex);
    if (!m_valid)
        return std::nullopt;
    return m_reading;
}

} // namespace telmora::cli
