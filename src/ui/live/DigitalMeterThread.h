#pragma once

#include "meter/SharedState.h"
#include "ui/live/DisplayWorker.h"

namespace telmora {

class DigitalMeterWindow;

// The digital meter's worker and the distributor of readings: the only waiter
// on NewReadingEvent. For each reading it takes its copy, wakes the analog
// meter and comparator threads, and then has its window show the reading.
// While unlinked it keeps the window blank, sleeping between looks at the flag.
class DigitalMeterThread : public telmora::DisplayWorker {
public:
    explicit DigitalMeterThread(DigitalMeterWindow* form);
    ~DigitalMeterThread() override;

    // How long one wait lasts before the thread looks at the link flag again.
    static constexpr std::chrono::milliseconds kSlice{100};

protected:
    void run() override;

private:
    // Copies everything but the raw reply and frame bytes under ReadingLock.
    static telmora::LiveReading takeCopy();

    DigitalMeterWindow* m_form;
    bool m_iconFlag = false;
};

} // namespace telmora
