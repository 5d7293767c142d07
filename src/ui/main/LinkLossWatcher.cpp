#include "ui/main/LinkLossWatcher.h"

#include "ui/common/UiWait.h"

#include <QObject>

namespace telmora {

LinkLossWatcher::LinkLossWatcher(QObject* context, Step step, SharedState& state)
    : m_context(context), m_step(std::move(step)), m_state(state),
      m_thread([this](std::stop_token stop) { Execute(stop); }) {}

LinkLossWatcher::~LinkLossWatcher() {
    Terminate();
    WaitServingUi([this] { return finished(); });
}

void LinkLossWatcher::Terminate() {
    if (m_thread.request_stop())
        m_state.LinkLostEvent.set(); // wakes the wait; the loop sees the stop request
}

void LinkLossWatcher::Execute(std::stop_token stop) {
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
