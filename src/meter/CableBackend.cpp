#include "meter/CableBackend.h"

#include "meter/HidapiBackend.h"

#include <mutex>
#include <thread>

namespace telmora {

void CableBackend::pause(std::chrono::milliseconds duration) {
    std::this_thread::sleep_for(duration);
}

namespace {
std::mutex g_backendLock;
std::shared_ptr<CableBackend> g_backend;
} // namespace

std::shared_ptr<CableBackend> CurrentCableBackend() {
    std::lock_guard lock(g_backendLock);
    if (!g_backend)
        g_backend = std::make_shared<HidapiBackend>();
    return g_backend;
}

void SetCableBackend(std::shared_ptr<CableBackend> backend) {
    std::lock_guard lock(g_backendLock);
    g_backend = std::move(backend);
}

} // namespace telmora
