#include "meter/aboutlines.h"

#include <QRegularExpression>

namespace telmora {

QString SystemLine(const QString& kernelType, const QString& kernelVersion) {
    const QString family = kernelType == QLatin1String("winnt")
                               ? QStringLiteral("System: Windows NT ")
                               : QStringLiteral("System: Unknown ");
    // Only the leading "major.minor" counts ("6.1.0-18-amd64" gives 6.1).
    static const QRegularExpression numbers(QStringLiteral("^\\s*(\\d+)(?:\\.(\\d+))?"));
    const QRegularExpressionMatch m = numbers.match(kernelVersion);
    unsigned long major = 0;
    unsigned long minor = 0;
    if (m.hasMatch()) {
        major = m.captured(1).toULong();
        minor = m.captured(2).toULong(); // 0 when there is no minor number
    }
    return family + QString::number(major) + QLatin1Char('.') + QString::number(minor);
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

CableLines CableIdentityLines(bool opened, const CableIdentity& identity) {
    CableLines lines;
    if (!opened)
        return lines;
    // A version that could not be read is not shown as "00.00".
    if (identity.attributesOk)
        lines.firmware = CableFirmwareLine(identity.versionNumber);
    if (identity.serialOk)
        lines.serial = CableSerialLine(identity.serial);
    return lines;
}

} // namespace telmora
