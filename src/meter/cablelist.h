#pragma once

#include "meter/CableBackend.h"
#include "meter/CableProtocol.h"

#include <string>
#include <string_view>
#include <vector>

namespace telmora {

// One cable the system lists: where it is, its serial number as the system reports
// it, and the key Telmora knows it by. The key is the serial number; a cable
// without one, or whose serial number another listed cable shares, is known by its
// device path instead, so that every cable present has a key of its own.
struct CableEntry {
    std::string path;
    std::string serial;
    std::string key;
};

// Every listed interface with the cable's vendor and product ids, in the system's
// order (not only the first of the numbered interfaces).
std::vector<CableEntry> ListCables(CableBackend& backend, std::uint16_t vendor = kCableVendorId,
                                   std::uint16_t product = kCableProductId);

// Opens the cable known by `key`; an empty key opens the first cable as OpenCable()
// does. Empty handle when no listed cable has that key or it cannot be opened.
CableHandle OpenCableByKey(CableBackend& backend, std::string_view key);

// The opener of the cable known by `key` for one long use (a download): the key's
// device path is looked up now, once, and opened at every call (an empty handle
// once it is gone). An empty key opens the first cable, as OpenCable() does.
CableOpener KeyedCableOpener(CableBackend& backend, const std::string& key);

// True when a cable with that key (any cable for an empty key) is listed, whether
// or not it can be opened.
bool CableKeyListed(CableBackend& backend, std::string_view key);

// The serial-number bytes a cable reports (UTF-16LE, zero-filled) as text; stops at
// the first zero unit.
std::string SerialText(const std::array<std::uint8_t, kSerialBytes>& bytes);

} // namespace telmora
