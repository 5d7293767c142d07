#include "meter/aboutlines.h"

#include "meter/cablelist.h"

#include <algorithm>

namespace telmora {

QString SystemLine(const QString& prettyName, const QString& kernelType,
                   const QString& kernelVersion) {
    QString line = QStringLiteral("System: ") +
                   (prettyName.trimmed().isEmpty() ? kernelType : prettyName.trimmed());
    if (!kernelVersion.trimmed().isEmpty())
        line += QStringLiteral(", kernel ") + kernelVersion.trimmed();
    return line;
}

QString CableFirmwareLine(std::uint16_t versionNumber) {
    const QString hex = QStringLiteral("%1").arg(versionNumber, 4, 16, QLatin1Char('0')).toUpper();
    return QStringLiteral("Cable Firmware ver.:") + hex.left(2) + QLatin1Char('.') + hex.right(2);
}

QString CableSerialLine(const std::array<std::uint8_t, 8>& serial) {
    QString digits;
    for (auto it = serial.rbegin(); it != serial.rend(); ++it)
        digits += QStringLiteral("%1").arg(*it, 2, 16, QLatin1Char('0')).toUpper();
    return QStringLiteral("Cable SN : ") + digits;
}

QString CableSerialNumberLine(const std::array<std::uint8_t, 8>& serial) {
    const QString decoded = QString::fromStdString(SerialText(serial));
    const bool plain =
        !decoded.isEmpty() && std::all_of(decoded.begin(), decoded.end(), [](QChar c) {
            return c.unicode() > 0x20 && c.unicode() < 0x7F;
        });
    return plain ? QStringLiteral("Cable SN : ") + decoded : CableSerialLine(serial);
}

CableLines CableIdentityLines(bool opened, const CableIdentity& identity) {
    CableLines lines;
    if (!opened)
        return lines;
    // A version that could not be read is not shown as "00.00".
    if (identity.attributesOk)
        lines.firmware = CableFirmwareLine(identity.versionNumber);
    if (identity.serialOk)
        lines.serial = CableSerialNumberLine(identity.serial);
    return lines;
}

} // namespace telmora
