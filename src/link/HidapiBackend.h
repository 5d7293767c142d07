#pragma once

#include "link/CableBackend.h"

namespace telmora {

// The real cable: HID interfaces through hidapi (hidraw on Linux).
class HidapiBackend final : public CableBackend {
public:
    HidapiBackend();
    std::vector<HidInterfaceInfo> interfaces() override;
    std::unique_ptr<CableDevice> open(const std::string& path) override;
};

} // namespace telmora
