#include "meter/SharedState.h"

namespace telmora {

bool SharedState::linkActive() {
    std::lock_guard lock(LinkFlagLock);
    return LinkActive != 0;
}

void SharedState::setLinkActive(bool on) {
    std::lock_guard lock(LinkFlagLock);
    LinkActive = on ? 1 : 0;
}

bool SharedState::readingValid() {
    std::lock_guard lock(ValidFlagLock);
    return ReadingValid != 0;
}

void SharedState::setReadingValid(bool on) {
    std::lock_guard lock(ValidFlagLock);
    ReadingValid = on ? 1 : 0;
}

LiveReading SharedState::copyReading() {
    std::lock_guard lock(ReadingLock);
    return liveReading;
}

void SharedState::publish(const LiveReading& reading) {
    {
        std::lock_guard lock(ReadingLock);
        liveReading = reading;
    }
    NewReadingEvent.set();
}

void SharedState::shutdownEvents() {
    NewReadingEvent.shutdown();
    LinkLostEvent.shutdown();
    AnalogUpdateEvent.shutdown();
    ComparatorUpdateEvent.shutdown();
    AcquisitionEndedEvent.shutdown();
}

void SharedState::reset() {
    NewReadingEvent.restart();
    LinkLostEvent.restart();
    AnalogUpdateEvent.restart();
    ComparatorUpdateEvent.restart();
    AcquisitionEndedEvent.restart();
    setLinkActive(false);
    setReadingValid(false);
    std::lock_guard lock(ReadingLock);
    liveReading = LiveReading{};
}

SharedState& Shared() {
    static SharedState state;
    return state;
}

} // namespace telmora
