#pragma once

#include "meter/CableIdentity.h"

#include <QString>

#include <array>
#include <cstdint>

namespace telmora {

// Texts of the About box that are computed rather than taken from the string
// table. telmora-cli shows the cable lines the same way.

// "System: Unknown 6.1": the platform family ("System: Windows NT " for the NT
// kernel, "System: Unknown " otherwise) followed by the kernel's major and minor
// version numbers. `kernelType` and `kernelVersion` are as QSysInfo reports them.
QString SystemLine(const QString& kernelType, const QString& kernelVersion);

// "Cable Firmware ver.:01.05" for version number 0x0105.
QString CableFirmwareLine(std::uint16_t versionNumber);

// "Cable SN : 0807060504030201" for the serial bytes 1..8: two upper-case hex
// digits per byte, from the last byte to the first.
QString CableSerialLine(const std::array<std::uint8_t, 8>& serial);

// Lines 8 and 9 of the About box after a cable query: both empty when the cable
// could not be opened, each empty when its own part of the query failed.
struct CableLines {
    QString firmware;
    QString serial;
};
CableLines CableIdentityLines(bool opened, const CableIdentity& identity);

} // namespace telmora
