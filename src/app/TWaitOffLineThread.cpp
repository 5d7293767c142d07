#include "app/TWaitOffLineThread.h"

#include "app/UiWait.h"

#include <QObject>

namespace telmora {

TWaitOffLineThread::TWaitOffLineThread(QObject* context, Step step, SharedState& state)
    : m_context(context), m_step(std::move(step)), m_state(state),
      m_thread([this](std::stop_token stop) { Execute(stop); }) {}

TWaitOffLineThread::~TWaitOffLineThread() {
    Terminate();
    WaitServingUi([this] { return finished(); });
}

void TWaitOffLineThread::Terminate() {
    if (m_thread.request_stop())
        m_state.LinkLostEvent.set(); // wakes the wait; the loop sees the stop request
}

void TWaitOffLineThread::Execute(std::stop_token stop) {
    while (!stop.stop_requested()) {
        if (!m_state.LinkLostEvent.wait())
            break; // the shared events were shut down
        if (stop.stop_requested())
            break;
        RunOnUiThreadAndWait(m_context, m_step);
    }
    m_finished = true;
}

} // namespace telmora
