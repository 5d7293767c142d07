#pragma once

#include <array>
#include <cstdint>

namespace telmora {

// What the cable tells about itself: its HID attributes and serial-number bytes.
// Each part reports its own success.
struct CableIdentity {
    bool attributesOk = false;
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    std::uint16_t versionNumber = 0; // shown as the cable firmware version
    bool serialOk = false;
    std::array<std::uint8_t, 8> serial{}; // first 8 bytes of the serial string, zero-filled
};

} // namespace telmora
