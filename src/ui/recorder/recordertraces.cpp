#include "ui/recorder/recordertraces.h"

#include "model/needle.h"
#include "recording/RecorderController.h"
#include "recording/recordertext.h"
#include "text/texts.h"
#include "ui/live/SpokenReading.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace telmora {

namespace {

constexpr float kNoValue = std::numeric_limits<float>::quiet_NaN();

// Display text, prefix and unit of a record, with the ohm sign for a resistance
// (its stored unit letter is "W").
QString readingText(const ReadingRecord& r) {
    const QString degrees = DegreeUnit(r.function());
    if (!degrees.isEmpty())
        return (WithoutDegreeLetter(r.function(), RecordText(r.displayText)) + QLatin1Char(' ') +
                degrees)
            .trimmed();
    QString unit = RecordText(r.unitText).trimmed();
    if (ShowsOhmSign(r.function()) && unit == QStringLiteral("W"))
        unit = QString(QChar(0x03A9));
    return QStringLiteral("%1 %2%3")
        .arg(RecordText(r.displayText).trimmed(), RecordText(r.prefixText).trimmed(), unit)
        .trimmed();
}

// A reading and its mode as the data list writes it: the display text as the
// meter showed it, a resistance spelt "Ohm" and a temperature with its degree sign.
QString withMode(const ReadingRecord& r) {
    QString shown =
        !DegreeUnit(r.function()).isEmpty()
            ? readingText(r)
            : RecordText(r.displayText) + QLatin1Char(' ') + RecordText(r.prefixText) +
                  (ShowsOhmSign(r.function()) ? QStringLiteral("Ohm") : RecordText(r.unitText));
    if (!r.modeText.empty())
        shown += QStringLiteral("  [") + RecordText(r.modeText) + QLatin1Char(']');
    return shown;
}

bool hasValue(float v) {
    return std::isfinite(v) && v != static_cast<float>(ChartWidget::kDefaultNullValue);
}

// Meter `meter`'s value at buffer index `index`; NaN where it has none.
float meterValue(const RecorderController& controller, int meter, std::int64_t index) {
    const Recording& recording = controller.meterRecording(meter);
    if (index < 0 || index >= static_cast<std::int64_t>(recording.size()))
        return kNoValue;
    return recording.valueAt(index);
}

float mathValue(const RecorderController& controller, std::int64_t index) {
    const auto count = static_cast<std::int64_t>(controller.recording().size());
    return index < 0 || index >= count ? kNoValue
                                       : static_cast<float>(controller.mathValueAt(index));
}

} // namespace

QString MeterLabel(const RecorderController& controller, int meter) {
    const QString name = controller.meterName(meter).trimmed();
    return name.isEmpty() ? translate("RecorderWindow", "Meter %1").arg(meter + 1) : name;
}

QString MeterAxisUnit(const RecorderController& controller, int meter, int points,
                      const PointIndex& indexOf) {
    const Recording& recording = controller.meterRecording(meter);
    for (int p = points - 1; p >= 0; --p) {
        const std::int64_t i = indexOf(p);
        if (!hasValue(meterValue(controller, meter, i)))
            continue;
        if (const std::optional<SampleEntry> sample = recording.readSample(i))
            return YAxisUnitSuffix(sample->main);
    }
    return {};
}

QString MathLabel(const RecorderController& controller) {
    const QString unit = controller.mathUnit();
    const QString label = controller.mathExpression();
    return unit.isEmpty() ? label : QStringLiteral("%1 (%2)").arg(label, unit);
}

QColor TraceColour(int trace, bool darkBackground) {
    static const QColor onDark[] = {QColor(255, 200, 0), QColor(0, 220, 255), QColor(80, 255, 80),
                                    QColor(255, 100, 200), QColor(255, 140, 40)};
    static const QColor onLight[] = {QColor(200, 0, 0), QColor(0, 140, 0), QColor(160, 0, 200),
                                     QColor(200, 110, 0), QColor(0, 130, 160)};
    const auto k = static_cast<std::size_t>(trace) % std::size(onDark);
    return darkBackground ? onDark[k] : onLight[k];
}

std::vector<ChartWidget::Trace> RecorderTraces(const RecorderController& controller, int points,
                                               const PointIndex& indexOf, bool darkBackground) {
    std::vector<ChartWidget::Trace> traces;
    const int meters = controller.meterCount();
    for (int m = 1; m < meters; ++m) {
        ChartWidget::Trace trace{MeterLabel(controller, m),
                                 TraceColour(m - 1, darkBackground),
                                 MeterAxisUnit(controller, m, points, indexOf),
                                 {}};
        trace.values.reserve(static_cast<std::size_t>(points));
        for (int p = 0; p < points; ++p)
            trace.values.push_back(meterValue(controller, m, indexOf(p)));
        traces.push_back(std::move(trace));
    }
    if (controller.hasMath()) {
        const QString unit = controller.mathUnit();
        ChartWidget::Trace trace{MathLabel(controller),
                                 TraceColour(meters - 1, darkBackground),
                                 unit.isEmpty() ? QString() : QStringLiteral("(%1)").arg(unit),
                                 {}};
        trace.values.reserve(static_cast<std::size_t>(points));
        for (int p = 0; p < points; ++p)
            trace.values.push_back(mathValue(controller, indexOf(p)));
        traces.push_back(std::move(trace));
    }
    return traces;
}

QString MeterReadingAt(const RecorderController& controller, int meter, std::int64_t index) {
    if (hasValue(meterValue(controller, meter, index)))
        if (const std::optional<SampleEntry> sample =
                controller.meterRecording(meter).readSample(index))
            return readingText(sample->main);
    return QStringLiteral("-");
}

void SplitByUnit(ChartWidget::Trace& trace, const std::vector<QString>& units,
                 std::vector<ChartWidget::Trace>& out) {
    if (trace.unit.isEmpty())
        return;
    const std::size_t first = out.size();
    const std::size_t points = std::min(units.size(), trace.values.size());
    for (std::size_t p = 0; p < points; ++p) {
        const QString& unit = units[p];
        if (unit.isEmpty() || unit == trace.unit)
            continue;
        auto line = std::find_if(out.begin() + static_cast<std::ptrdiff_t>(first), out.end(),
                                 [&unit](const ChartWidget::Trace& t) { return t.unit == unit; });
        if (line == out.end()) {
            out.push_back({trace.name + QLatin1Char(' ') + unit, trace.colour, unit,
                           std::vector<float>(trace.values.size(), kNoValue)});
            line = out.end() - 1;
        }
        line->values[p] = std::exchange(trace.values[p], kNoValue);
    }
}

QString DataListReadings(const SampleEntry& sample) {
    const QString sub = withMode(sample.sub);
    return withMode(sample.main) + QLatin1Char(',') + (sub.isEmpty() ? QStringLiteral(" ") : sub);
}

QString DataListLineOf(const SampleEntry& sample, std::int64_t index) {
    return QString::number(index + 1) + QLatin1Char(',') + RecordText(sample.main.timeText) +
           QLatin1Char(',') + DataListReadings(sample);
}

QString MeterDataListText(const RecorderController& controller, int meter, std::int64_t index) {
    if (hasValue(meterValue(controller, meter, index)))
        if (const std::optional<SampleEntry> sample =
                controller.meterRecording(meter).readSample(index))
            return DataListReadings(*sample);
    return QStringLiteral("-");
}

QStringList ReadingsAt(const RecorderController& controller, std::int64_t index) {
    QStringList lines;
    for (int m = 0; m < controller.meterCount(); ++m)
        lines << QStringLiteral("%1: %2").arg(MeterLabel(controller, m),
                                              MeterReadingAt(controller, m, index));
    if (controller.hasMath()) {
        const float v = mathValue(controller, index);
        const QString value =
            hasValue(v) ? QString::number(double(v), 'g', 6) : QStringLiteral("-");
        const QString unit = hasValue(v) ? controller.mathUnit() : QString();
        lines
            << QStringLiteral("%1: %2 %3").arg(controller.mathExpression(), value, unit).trimmed();
    }
    return lines;
}

bool HasSeveralTraces(const RecorderController& controller) {
    return controller.meterCount() > 1 || controller.hasMath();
}

} // namespace telmora
