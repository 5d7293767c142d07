#pragma once

#include <cstdint>

#include <sys/eventfd.h>
#include <unistd.h>

namespace telmora {

// An eventfd that wakes the connection's thread out of poll().
class WakeSignal {
public:
    WakeSignal() : m_fd(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {}
    ~WakeSignal() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    WakeSignal(const WakeSignal&) = delete;
    WakeSignal& operator=(const WakeSignal&) = delete;

    int fd() const { return m_fd; }
    void ring() const {
        const std::uint64_t one = 1;
        [[maybe_unused]] const auto written = ::write(m_fd, &one, sizeof one);
    }
    void drain() const {
        std::uint64_t count = 0;
        [[maybe_unused]] const auto got = ::read(m_fd, &count, sizeof count);
    }

private:
    int m_fd;
};

} // namespace telmora
