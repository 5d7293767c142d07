#include "recording/recordertext.h"

#include "model/TypedReading.h"
#include "model/functiontable.h"
#include "model/needle.h"

#include "text/texts.h"

namespace telmora {

QString UnreadableDataListLine(std::int64_t index) {
    return QString::number(index + 1) + QLatin1Char(',') +
           translate("RecorderText", "[cannot be read: the recording's file has become shorter]");
}

QString YAxisUnitSuffix(const ReadingRecord& main) {
    const std::string_view axis = FunctionRowOf(main.function()).axisUnit;
    if (!axis.empty())
        return QString::fromLatin1(axis.data(), static_cast<qsizetype>(axis.size()));
    // The unit as people write it ("°C", "%", "Hz"): some functions store no
    // unit text of their own and would leave the brackets empty.
    const std::string_view unit = FunctionRowOf(main.function()).siUnit;
    return QLatin1Char('(') + QString::fromUtf8(unit.data(), static_cast<qsizetype>(unit.size())) +
           QLatin1Char(')');
}

QString RecorderClockText(int hour, int minute, int second) {
    const int h12 = hour % 12 == 0 ? 12 : hour % 12;
    return QStringLiteral("  %1 %2:%3:%4\"")
        .arg(hour < 12 ? QStringLiteral("AM") : QStringLiteral("PM"))
        .arg(h12, 2, 10, QLatin1Char('0'))
        .arg(minute, 2, 10, QLatin1Char('0'))
        .arg(second, 2, 10, QLatin1Char('0'));
}

} // namespace telmora
