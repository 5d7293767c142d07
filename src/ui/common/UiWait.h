#pragma once

#include <chrono>
#include <functional>

class QObject;

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

// Runs `work` on the thread of `context` (the user-interface thread) and waits
// until it has run. Returns false when it could not run because `context` went
// away first. Called on the context's own thread it runs `work` directly. The
// hand-over is made with standard-library primitives so that race checkers see
// it (a blocking queued call synchronises inside the toolkit, where they cannot).
bool RunOnUiThreadAndWait(QObject* context, std::function<void()> work);

} // namespace telmora
