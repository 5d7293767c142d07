#pragma once

#include "ui/live/DisplayWorker.h"

namespace telmora {

class AnalogMeterWindow;

// The analog meter's worker: waits for AnalogUpdateEvent, copies the main
// sign, display line and function, and has the window update its needle when
// it is shown.
class AnalogMeterThread : public telmora::DisplayWorker {
public:
    explicit AnalogMeterThread(AnalogMeterWindow* form);
    ~AnalogMeterThread() override;

    static constexpr std::chrono::milliseconds kSlice{100};

protected:
    void run() override;

private:
    AnalogMeterWindow* m_form;
};

} // namespace telmora
