#pragma once

#include "ui/live/DisplayWorker.h"

namespace telmora {

class ComparatorWindow;

// The comparator's worker: waits for ComparatorUpdateEvent, copies the main
// sign, text, prefix exponent and function, and has the window compare the
// reading with its limits when it is shown.
class ComparatorThread : public telmora::DisplayWorker {
public:
    explicit ComparatorThread(ComparatorWindow* form);
    ~ComparatorThread() override;

    static constexpr std::chrono::milliseconds kSlice{100};

protected:
    void run() override;

private:
    ComparatorWindow* m_form;
};

} // namespace telmora
