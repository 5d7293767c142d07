#pragma once

#include "meter/SharedState.h"

#include <atomic>
#include <functional>
#include <thread>

class QObject;

namespace telmora {

// The link-loss watcher: waits for LinkLostEvent and then runs the main window's
// link-loss step (the CableNotFound message and the unlink) on the user-interface thread,
// waiting until that step is done. One instance lives as long as the main window.
class LinkLossWatcher {
public:
    using Step = std::function<void()>;

    // `context` is the user-interface object the step runs on; it must outlive
    // the watcher.
    LinkLossWatcher(QObject* context, Step step, SharedState& state = Shared());
    // Asks the watcher to end, wakes it and waits for it while serving the
    // user-interface thread (the watcher may be inside its blocking call).
    ~LinkLossWatcher();
    LinkLossWatcher(const LinkLossWatcher&) = delete;
    LinkLossWatcher& operator=(const LinkLossWatcher&) = delete;

    void Terminate();
    bool finished() const { return m_finished.load(); }

private:
    void Execute(std::stop_token stop);

    QObject* m_context;
    Step m_step;
    SharedState& m_state;
    std::atomic<bool> m_finished{false};
    std::jthread m_thread; // last: starts once the members above are ready
};

} // namespace telmora
