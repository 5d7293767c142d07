#include "recording/recordertext.h"

#include "model/TypedReading.h"
#include "model/functiontable.h"
#include "model/needle.h"

#include "text/texts.h"

namespace telmora {

QString DataListLine(const SampleEntry& e, std::int64_t index) {
    QString line = QString::number(index + 1);
    line += QLatin1Char(',');
    line += RecordText(e.main.timeText);
    line += QLatin1Char(',');
    line += RecordText(e.main.displayText);
    line += QLatin1Char(' ');
    line += RecordText(e.main.prefixText);
    line += ShowsOhmSign(e.main.function()) ? QStringLiteral("Ohm") : RecordText(e.main.unitText);
    if (!e.main.modeText.empty())
        line += QStringLiteral("  [") + RecordText(e.main.modeText) + QLatin1Char(']');
    line += QLatin1Char(',');
    line += RecordText(e.sub.displayText);
    line += QLatin1Char(' ');
    line += RecordText(e.sub.prefixText);
    line += RecordText(e.sub.unitText);
    if (!e.sub.modeText.empty())
        line += QStringLiteral("  [") + RecordText(e.sub.modeText) + QLatin1Char(']');
    return line;
}

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
