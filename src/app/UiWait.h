#pragma once

#include <chrono>
#include <functional>

namespace telmora {

class AutoResetEvent;

// Waits on the user-interface thread for a worker without blocking it: between
// short waits the thread serves queued calls (a worker's message box or redraw
// that it waits for), so a worker that calls into the user-interface thread
// can never deadlock with this wait. User input is held back until the wait is
// over. Called on any other thread it is a plain wait.

// Waits until `event` is signalled and takes the signal; false when the event
// was shut down instead.
bool WaitServingUi(AutoResetEvent& event);

// Waits until `done` returns true.
void WaitServingUi(const std::function<bool()>& done);

} // namespace telmora
