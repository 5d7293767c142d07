#include "meter/CableBackend.h"

#include <thread>

namespace telmora {

void CableBackend::pause(std::chrono::milliseconds duration) {
    std::this_thread::sleep_for(duration);
}

} // namespace telmora
