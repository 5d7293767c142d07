#pragma once

#include "displays/DisplayWorker.h"

class TAnalogMeterForm;

// The analog meter's worker: waits for AnalogUpdateEvent, copies the main
// sign, display line and function, and has the window update its needle when
// it is shown.
class TAnalogMeterThread : public telmora::DisplayWorker {
public:
    explicit TAnalogMeterThread(TAnalogMeterForm* form);
    ~TAnalogMeterThread() override;

    static constexpr std::chrono::milliseconds kSlice{100};

protected:
    void run() override;

private:
    TAnalogMeterForm* m_form;
};
