#pragma once

#include "link/AutoResetEvent.h"
#include "link/FixedText.h"

#include <array>
#include <cstdint>
#include <mutex>

namespace telmora {

constexpr std::size_t kReplySize = 27;     // three 9-byte input reports
constexpr std::size_t kReportSize = 9;     // report number + 8 data bytes
constexpr std::size_t kDataBytes = 24;     // D0..D23
constexpr std::size_t kFrameDataSize = 20; // D1..D20

// One display line as the windows show it: the text and two unit parts.
struct DisplayLine {
    FixedText<16> text;
    FixedText<8> part1;
    FixedText<8> part2;
};

// The newest decoded reading, as published by the acquisition thread.
// Plain data: readers copy what they need under ReadingLock.
struct LiveReading {
    std::array<std::uint8_t, kReplySize> replyCopy{};
    std::array<std::uint8_t, kFrameDataSize> frameData{}; // D1..D20
    std::uint8_t mainNegative = 0;
    FixedText<16> mainText;
    FixedText<8> mainPrefixExponent; // "-9", "-6", "-3", "0", "3", "6"
    std::uint32_t mainCode = 0;      // as assembled, bit 31 = low battery
    std::uint8_t subNegative = 0;
    FixedText<16> subText;
    FixedText<8> subPrefixExponent;
    std::uint32_t subCode = 0;
    FixedText<8> mainPrefixLabel;
    FixedText<8> subPrefixLabel;
    FixedText<8> mainUnitLabel;
    FixedText<8> subUnitLabel;
    std::uint32_t mainFunction = 0; // main code with bit 31 cleared
    std::uint32_t subFunction = 0;  // sub code with bit 31 cleared
    FixedText<8> mainModeLabel;
    DisplayLine mainDisplayLine;
    FixedText<8> subModeLabel;
    DisplayLine subDisplayLine;
    std::uint8_t lowBattery = 0;
};

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
