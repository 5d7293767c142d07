#include "meter/cablelist.h"

#include <QString>

#include <algorithm>

namespace telmora {

std::vector<CableEntry> ListCables(CableBackend& backend, std::uint16_t vendor,
                                   std::uint16_t product) {
    std::vector<CableEntry> cables;
    for (const HidInterfaceInfo& info : backend.interfaces())
        if (info.attributes.vendorId == vendor && info.attributes.productId == product)
            cables.push_back({info.path, info.serial, {}});
    for (CableEntry& cable : cables) {
        const auto sameSerial =
            std::count_if(cables.begin(), cables.end(),
                          [&](const CableEntry& other) { return other.serial == cable.serial; });
        cable.key = cable.serial.empty() || sameSerial > 1 ? cable.path : cable.serial;
    }
    return cables;
}

CableHandle OpenCableByKey(CableBackend& backend, std::string_view key) {
    if (key.empty())
        return OpenCable(backend);
    for (const CableEntry& cable : ListCables(backend)) {
        if (cable.key != key)
            continue;
        std::unique_ptr<CableDevice> device = backend.open(cable.path);
        return device ? CableHandle(backend, std::move(device)) : CableHandle();
    }
    return {};
}

CableOpener KeyedCableOpener(CableBackend& backend, const std::string& key) {
    if (key.empty())
        return [&backend] { return OpenCable(backend); };
    std::string path;
    for (const CableEntry& cable : ListCables(backend))
        if (cable.key == key)
            path = cable.path;
    return [&backend, path] {
        if (path.empty())
            return CableHandle();
        std::unique_ptr<CableDevice> device = backend.open(path);
        return device ? CableHandle(backend, std::move(device)) : CableHandle();
    };
}

bool CableKeyListed(CableBackend& backend, std::string_view key) {
    if (key.empty())
        return CableListed(backend);
    const std::vector<CableEntry> cables = ListCables(backend);
    return std::any_of(cables.begin(), cables.end(),
                       [key](const CableEntry& cable) { return cable.key == key; });
}

std::string SerialText(const std::array<std::uint8_t, kSerialBytes>& bytes) {
    char16_t units[kSerialBytes / 2];
    qsizetype length = 0;
    for (std::size_t i = 0; i + 1 < kSerialBytes; i += 2) {
        const auto unit = static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8));
        if (unit == 0)
            break;
        units[length++] = unit;
    }
    return QString::fromUtf16(units, length).toStdString();
}

} // namespace telmora
