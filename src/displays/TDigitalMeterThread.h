#pragma once

#include "displays/DisplayWorker.h"
#include "link/SharedState.h"

class TDigitalMeterForm;

// The digital meter's worker and the distributor of readings: the only waiter
// on NewReadingEvent. For each reading it takes its copy, wakes the analog
// meter and comparator threads, and then has its window show the reading.
// While unlinked it keeps the window blank, sleeping between looks at the flag.
class TDigitalMeterThread : public telmora::DisplayWorker {
public:
    explicit TDigitalMeterThread(TDigitalMeterForm* form);
    ~TDigitalMeterThread() override;

    // How long one wait lasts before the thread looks at the link flag again.
    static constexpr std::chrono::milliseconds kSlice{100};

protected:
    void run() override;

private:
    // Copies everything but the raw reply and frame bytes under ReadingLock.
    static telmora::LiveReading takeCopy();

    TDigitalMeterForm* m_form;
    bool m_iconFlag = false;
};
