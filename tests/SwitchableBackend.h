#pragma once

#include "meter/CableBackend.h"

#include <memory>
#include <mutex>

namespace telmora {

// A cable backend for tests whose cable changes while the object under test
// keeps the backend it was built with: every call goes to the backend set last
// (no cable at all while none is set).
class SwitchableBackend final : public CableBackend {
public:
    void use(std::shared_ptr<CableBackend> backend) {
        std::lock_guard lock(m_mutex);
        m_backend = std::move(backend);
    }

    std::vector<HidInterfaceInfo> interfaces() override {
        const auto b = current();
        return b ? b->interfaces() : std::vector<HidInterfaceInfo>{};
    }
    std::unique_ptr<CableDevice> open(const std::string& path) override {
        const auto b = current();
        return b ? b->open(path) : nullptr;
    }
    void pause(std::chrono::milliseconds duration) override {
        if (const auto b = current())
            b->pause(duration);
    }

private:
    std::shared_ptr<CableBackend> current() {
        std::lock_guard lock(m_mutex);
        return m_backend;
    }

    std::mutex m_mutex;
    std::shared_ptr<CableBackend> m_backend;
};

} // namespace telmora
