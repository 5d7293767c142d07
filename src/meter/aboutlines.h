#pragma once

#include "meter/CableIdentity.h"

#include <QString>

#include <array>
#include <cstdint>

namespace telmora {

// Texts of the About box that are computed rather than taken from the string
// table. telmora-cli shows the cable lines the same way.

// "System: Debian GNU/Linux 12 (bookworm), kernel 6.1.0-18-amd64": the running
// system's name as it calls itself, then its kernel's version. `prettyName` and
// `kernelVersion` are as QSysInfo reports them; an empty name gives the kernel's
// type instead, an empty version leaves the kernel part out.
QString SystemLine(const QString& prettyName, const QString& kernelType,
                   const QString& kernelVersion);

// "Cable Firmware ver.:01.05" for version number 0x0105.
QString CableFirmwareLine(std::uint16_t versionNumber);

// "Cable SN : 0807060504030201" for the serial bytes 1..8: two upper-case hex
// digits per byte, from the last byte to the first.
QString CableSerialLine(const std::array<std::uint8_t, 8>& serial);
// The serial number as the program names the cable everywhere: the text the
// cable reports ("Cable SN : 5310"); a serial that is no plain text keeps the
// hex form of CableSerialLine.
QString CableSerialNumberLine(const std::array<std::uint8_t, 8>& serial);

// Lines 8 and 9 of the About box after a cable query (the serial number as
// CableSerialNumberLine writes it): both empty when the cable could not be opened,
// each empty when its own part of the query failed.
struct CableLines {
    QString firmware;
    QString serial;
};
CableLines CableIdentityLines(bool opened, const CableIdentity& identity);

} // namespace telmora
