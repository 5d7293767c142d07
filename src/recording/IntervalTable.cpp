#include "recording/IntervalTable.h"

#include "recording/RecorderController.h"
#include "recording/RecordingLimits.h"
#include "recording/recordertidy.h"

namespace telmora {

TidyMeterSet IntervalSource::set() const {
    TidyMeterSet out;
    for (std::size_t m = 0; m < records.size(); ++m)
        out.meters.push_back({names[m], &records[m]});
    if (!clocks.empty())
        out.clockOf = [this](std::size_t i) -> std::optional<WallClock> {
            return i < clocks.size() ? std::optional<WallClock>(clocks[i]) : std::nullopt;
        };
    out.hasMath = hasMath;
    out.mathUnit = mathUnit;
    out.mathValues = mathValues;
    return out;
}

IntervalSource IntervalSourceOf(const RecorderController& recorder, const RecordingLimits* limits) {
    IntervalSource source;
    for (int m = 0; m < recorder.meterCount(); ++m) {
        // One meter is M1, as the export of its recorder file names it.
        QString name = recorder.meterCount() > 1 ? recorder.meterName(m) : QString();
        if (name.isEmpty())
            name = QStringLiteral("M%1").arg(m + 1);
        source.names.push_back(name.toStdString());
        source.records.push_back(recorder.meterRecording(m).records());
        const LimitTest* test = limits != nullptr ? limits->limits(m) : nullptr;
        source.limits.push_back(test != nullptr ? std::optional<LimitTest>(*test) : std::nullopt);
    }
    const Recording& recording = recorder.recording();
    const std::size_t ticks = recording.size();
    // Dated only when every tick has its date (a live recording): a recording read
    // from a file keeps the time of day alone.
    for (std::size_t i = 0; i < ticks; ++i) {
        const std::optional<WallClock> clock = recording.wallClock(i);
        if (!clock) {
            source.clocks.clear();
            break;
        }
        source.clocks.push_back(*clock);
    }
    source.hasMath = recorder.hasMath();
    source.mathUnit = recorder.mathUnit().toStdString();
    for (std::size_t i = 0; i < ticks && source.hasMath; ++i)
        source.mathValues.push_back(recorder.mathValueAt(static_cast<std::int64_t>(i)));
    return source;
}

std::optional<IntervalTable> ReduceIntervals(const IntervalSource& source, std::int64_t lengthMs,
                                             std::stop_token stop) {
    IntervalTable table;
    if (source.records.empty())
        return table;
    const TidyMeterSet set = source.set();
    const IntervalShape shape = IntervalShapeOf(set);
    table.names = shape.names;
    table.withLimits = std::any_of(source.limits.begin(), source.limits.end(),
                                   [](const std::optional<LimitTest>& l) { return l.has_value(); });
    const bool reduced = ReduceRecorderIntervals(
        set, lengthMs, source.limits, shape.withDate, [&](const IntervalRows& rows) {
            const std::string start = IntervalStartText(rows, shape.withDate);
            for (const IntervalFigures& figures : rows.figures)
                table.rows.push_back({start, figures});
            return !stop.stop_requested();
        });
    if (!reduced)
        return std::nullopt;
    return table;
}

bool ExportIntervals(const QString& path, const IntervalSource& source, std::int64_t lengthMs,
                     QString* error, std::stop_token stop) {
    const TidyMeterSet set = source.set();
    return ExportTextFile(path, error, stop, [&](const TextSink& sink) {
        return WriteRecorderIntervals(set, lengthMs, sink, source.limits);
    });
}

} // namespace telmora
