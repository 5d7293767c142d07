#pragma once

#include "meter/AutoResetEvent.h"
#include "model/LiveReading.h"

#include <array>
#include <cstdint>
#include <mutex>

namespace telmora {

// The process-wide state shared by the acquisition thread, the display threads,
// the recorder and the main window. Rules: the reading is read or written only
// under ReadingLock, each flag only under its own lock; no thread holds two of
// the locks at once and none is held while waiting, doing I/O or drawing.
struct SharedState {
    LiveReading liveReading;
    std::uint8_t LinkActive = 0;
    std::uint8_t ReadingValid = 0;

    std::mutex ReadingLock;
    std::mutex LinkFlagLock;
    std::mutex ValidFlagLock;

    // Auto-reset, initially unsignalled; created in this order.
    AutoResetEvent NewReadingEvent;
    AutoResetEvent LinkLostEvent;
    AutoResetEvent AnalogUpdateEvent;
    AutoResetEvent ComparatorUpdateEvent;
    AutoResetEvent AcquisitionEndedEvent;

    // Flag accessors that take the flag's own lock.
    bool linkActive();
    void setLinkActive(bool on);
    bool readingValid();
    void setReadingValid(bool on);

    // Copies the whole reading under ReadingLock.
    LiveReading copyReading();
    // Overwrites the reading under ReadingLock and signals NewReadingEvent.
    void publish(const LiveReading& reading);

    // Wakes every waiter on every event for good (application shut-down).
    void shutdownEvents();
    // Back to the start-up state: flags 0, events unsignalled and usable,
    // reading cleared. Used when the main window is created and by tests.
    void reset();
};

// The one instance of the shared state.
SharedState& Shared();

} // namespace telmora
