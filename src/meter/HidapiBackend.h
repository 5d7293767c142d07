#pragma once

#include "meter/CableBackend.h"

#include <span>
#include <string_view>

namespace telmora {

// What hidraw delivers for one input report, put into the 9-byte layout with the
// report number first: an unnumbered device's report arrives without its report
// number 0, which is put back in front. Returns the bytes delivered (always a
// whole report once anything arrived, as a HID read on any system gives).
std::size_t ToInputReport(std::span<const std::uint8_t> raw,
                          std::span<std::uint8_t, kInputReportSize> report);

// The serial-number string as UTF-16LE bytes, the first eight of them, zero-filled.
std::array<std::uint8_t, kSerialBytes> SerialBytes(std::wstring_view serial);

// The real cable: HID interfaces through hidapi (hidraw on Linux).
class HidapiBackend final : public CableBackend {
public:
    HidapiBackend();
    std::vector<HidInterfaceInfo> interfaces() override;
    std::unique_ptr<CableDevice> open(const std::string& path) override;
};

} // namespace telmora
