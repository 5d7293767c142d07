#pragma once

namespace telmora::cli {

// Catches Ctrl-C while a command runs, so that the command can end its work in
// order (flush its output, close the cable) instead of being killed; restores the
// previous handler when it goes. One guard at a time.
class InterruptGuard {
public:
    InterruptGuard();
    ~InterruptGuard();
    InterruptGuard(const InterruptGuard&) = delete;
    InterruptGuard& operator=(const InterruptGuard&) = delete;

    // True once Ctrl-C was pressed while this guard was in place.
    bool interrupted() const;

private:
    void (*m_previous)(int);
};

} // namespace telmora::cli
