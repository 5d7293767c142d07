#pragma once

#include "meter/AcquisitionWorker.h"
#include "meter/CableAccess.h"
#include "model/DecodedReply.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace telmora::cli {

// Wakes the command thread when any of its acquisitions has news, so that one
// thread can wait on several meters at once.
class ReadingBell {
public:
    void ring();
    // Waits at most `timeout` for a ring after the `seen`-th; the rings so far.
    std::uint64_t waitAfter(std::uint64_t seen, std::chrono::milliseconds timeout);

private:
    std::mutex m_mutex;
    std::condition_variable m_rung;
    std::uint64_t m_rings = 0;
};

// The acquisition worker of one cable on its own thread, and what it last
// reported. The worker's signals are taken directly on its thread (the command
// has no event loop); the command thread asks for them here.
class LiveAcquisition {
public:
    // Polls the cable known by `cableKey` (the first cable for an empty key) and
    // rings `bell` on each reading and on a lost link.
    LiveAcquisition(std::shared_ptr<CableBackend> backend, std::string cableKey, ReadingBell& bell);
    ~LiveAcquisition();
    LiveAcquisition(const LiveAcquisition&) = delete;
    LiveAcquisition& operator=(const LiveAcquisition&) = delete;

    // True once, for each reading newer than the last one taken.
    bool takeNewReading();
    bool linkLost();
    // The newest reading, when the last poll brought one.
    std::optional<DecodedReply> validReading();

private:
    template <class F> void update(F change);

    ReadingBell& m_bell;
    CableAccess m_cable;
    AcquisitionWorker m_worker;
    std::mutex m_mutex;
    DecodedReply m_reading;
    bool m_valid = false;
    bool m_fresh = false;
    bool m_lost = false;
    std::jthread m_thread; // last: started once everything else is ready
};

} // namespace telmora::cli
