#include "cli/InterruptGuard.h"

#include <atomic>
#include <csignal>

namespace telmora::cli {

namespace {

// A signal handler can reach nothing but a lock-free flag of static duration.
std::atomic<bool> ctrlCPressed{false};

extern "C" void NoteCtrlC(int) {
    ctrlCPressed.store(true);
}

} // namespace

InterruptGuard::InterruptGuard() {
    ctrlCPressed.store(false);
    m_previous = std::signal(SIGINT, NoteCtrlC);
}

InterruptGuard::~InterruptGuard() {
    std::signal(SIGINT, m_previous);
}

bool InterruptGuard::interrupted() const {
    return ctrlCPressed.load();
}

} // namespace telmora::cli
