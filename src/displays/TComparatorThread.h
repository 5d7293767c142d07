#pragma once

#include "displays/DisplayWorker.h"

class TComparatorForm;

// The comparator's worker: waits for ComparatorUpdateEvent, copies the main
// sign, text, prefix exponent and function, and has the window compare the
// reading with its limits when it is shown.
class TComparatorThread : public telmora::DisplayWorker {
public:
    explicit TComparatorThread(TComparatorForm* form);
    ~TComparatorThread() override;

    static constexpr std::chrono::milliseconds kSlice{100};

protected:
    void run() override;

private:
    TComparatorForm* m_form;
};
