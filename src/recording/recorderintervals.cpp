#include "recording/recorderintervals.h"

#include "model/decimaltext.h"
#include "model/tidycsv.h"
#include "recording/recorderexportpieces.h"
#include "recording/recorderexportrecords.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

namespace telmora {

namespace {

// Text handed to the sink at once.
constexpr std::size_t kFlushBytes = 1 << 16;
// Ticks read and typed at once by a worker: with eight meters the readings of a
// piece still stay within the processor's cache.
constexpr std::int64_t kPieceTicks = 1 << 12;

void appendInteger(std::string& out, std::int64_t number) {
    char text[24];
    const auto [end, ec] = std::to_chars(text, text + sizeof text, number);
    out.append(text, ec == std::errc() ? end : text);
}

void appendFigure(std::string& out, bool exists, double value) {
    out += ',';
    if (exists)
        AppendShortestDouble(out, value);
}

// "14:05:00": the time of day of a start on the timeline of a time of day.
void appendTimeOfDay(std::string& out, std::int64_t startMs) {
    const std::int64_t ms = startMs % IntervalStatistics::kDayMs;
    const std::int64_t ofDay = ms < 0 ? ms + IntervalStatistics::kDayMs : ms;
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", static_cast<int>(ofDay / 3'600'000),
                  static_cast<int>(ofDay / 60'000 % 60), static_cast<int>(ofDay / 1000 % 60));
    out += text;
}

} // namespace

std::string IntervalStartText(const IntervalRows& rows, bool withDate) {
    if (withDate)
        return IsoDateTime(rows.startMs - std::int64_t{rows.utcOffsetSeconds} * 1000,
                           rows.utcOffsetSeconds);
    std::string out;
    appendTimeOfDay(out, rows.startMs);
    return out;
}

std::string IntervalHeader(bool withLimits) {
    std::string header = "interval_start,meter,unit,count,mean,min,max,stddev,overloads";
    if (withLimits)
        header += ",inside,above,below,excursions";
    return header;
}

namespace {

void appendLimitCounts(std::string& out, const std::optional<LimitTest>& limits) {
    if (!limits) {
        out += ",,,,";
        return;
    }
    const LimitCounts& c = limits->counts();
    for (const std::int64_t n : {c.inside, c.above, c.below, c.excursions}) {
        out += ',';
        appendInteger(out, n);
    }
}

bool anyLimits(const IntervalLimits& limits) {
    return std::any_of(limits.begin(), limits.end(),
                       [](const std::optional<LimitTest>& l) { return l.has_value(); });
}

} // namespace

void AppendIntervalRows(std::string& out, const IntervalRows& rows,
                        const std::vector<std::string>& names, bool withDate, bool withLimits) {
    const std::string start = IntervalStartText(rows, withDate);
    for (const IntervalFigures& figures : rows.figures) {
        out += start;
        AppendTidyField(out, figures.meter < names.size() ? names[figures.meter] : std::string());
        AppendTidyField(out, figures.unit);
        out += ',';
        const RunningStatistics& v = figures.values;
        appendInteger(out, v.count());
        appendFigure(out, !v.empty(), v.mean());
        appendFigure(out, !v.empty(), v.minimum());
        appendFigure(out, !v.empty(), v.maximum());
        appendFigure(out, v.count() > 1, v.standardDeviation());
        out += ',';
        appendInteger(out, figures.overloads);
        if (withLimits)
            appendLimitCounts(out, figures.limits);
        out += "\r\n";
    }
}

namespace {

// Whether every tick below `ticks` has a date.
bool everyDateKnown(const TidyMeterSet& set, std::int64_t ticks) {
    if (!set.clockOf)
        return false;
    for (std::int64_t j = 0; j < ticks; ++j)
        if (!set.clockOf(static_cast<std::size_t>(j)).has_value())
            return false;
    return true;
}

// The ticks every meter of `set` holds.
std::int64_t tickCount(const TidyMeterSet& set) {
    std::int64_t ticks = set.meters.front().records->size();
    for (const TidyMeter& meter : set.meters)
        ticks = std::min(ticks, meter.records->size());
    return ticks;
}

IntervalTime datedTime(const WallClock& clock) {
    return {clock.utcMs + std::int64_t{clock.utcOffsetSeconds} * 1000, clock.utcOffsetSeconds};
}

// The typed main readings of a piece of ticks, made on a worker thread: reading the
// records and working out their values is most of the reduction, and the pieces
// are independent. The statistics themselves take each piece in order.
struct TickPiece {
    std::int64_t begin = 0;
    std::int64_t end = 0;
    std::vector<TypedReading> readings;             // tick by tick, meter by meter
    std::vector<std::optional<std::int64_t>> ofDay; // the first meter's stored time of day
};

// What a worker keeps from piece to piece: a reader and a value cache per meter.
struct PieceReaders {
    std::vector<ExportRecords> records;
    std::vector<StoredValueCache> caches;
};

// Reads ticks piece.begin .. piece.end - 1 of every meter into `piece`; the times
// of day only when `withTimeOfDay`. False when a record cannot be read.
bool readPiece(const TidyMeterSet& set, PieceReaders& readers, bool withTimeOfDay,
               TickPiece& piece) {
    const std::size_t meters = set.meters.size();
    const auto ticks = static_cast<std::size_t>(piece.end - piece.begin);
    piece.readings.resize(ticks * meters);
    piece.ofDay.assign(withTimeOfDay ? ticks : 0, std::nullopt);
    SampleEntry entry;
    for (std::size_t m = 0; m < meters; ++m) {
        StoredValueCache& cache = readers.caches[m];
        const auto take = [&](std::int64_t j, const SampleEntry& decoded) {
            const auto at = static_cast<std::size_t>(j - piece.begin);
            piece.readings[at * meters + m] =
                ReadingOfRecord(decoded.main, RecordOrigin::Recorder, DisplayKind::Main, &cache,
                                DisplayShape::Skip);
            if (m == 0 && withTimeOfDay)
                piece.ofDay[at] = StoredTimeOfDayMs(StoredTextView(decoded.main.timeText));
        };
        if (!readers.records[m].forEach(
                piece.begin, piece.end,
                [&](std::int64_t j, const std::uint8_t* image) {
                    DecodeSampleForViews(
                        std::span<const std::uint8_t, kSampleSize>(image, kSampleSize), entry);
                    take(j, entry);
                },
                take))
            return false; // its file no longer holds the records
    }
    return true;
}

} // namespace

IntervalShape IntervalShapeOf(const TidyMeterSet& set) {
    IntervalShape shape;
    if (set.meters.empty())
        return shape;
    shape.withDate = everyDateKnown(set, tickCount(set));
    for (const TidyMeter& meter : set.meters)
        shape.names.push_back(meter.name);
    if (set.hasMath)
        shape.names.push_back(set.mathName);
    return shape;
}

bool ReduceRecorderIntervals(const TidyMeterSet& set, std::int64_t lengthMs,
                             const IntervalLimits& limits, bool withDate,
                             const std::function<bool(const IntervalRows&)>& take) {
    if (set.meters.empty())
        return false;
    const std::int64_t ticks = tickCount(set);
    const std::size_t math = set.meters.size();
    bool refused = false;
    IntervalStatistics intervals(lengthMs, math + (set.hasMath ? 1 : 0),
                                 [&](const IntervalRows& rows) {
                                     if (!refused && !take(rows))
                                         refused = true;
                                 });
    for (std::size_t m = 0; m < limits.size() && m < math; ++m)
        if (limits[m])
            intervals.setLimits(m, *limits[m]);
    const std::int64_t pieces = (ticks + kPieceTicks - 1) / kPieceTicks;
    std::vector<PieceReaders> readers(static_cast<std::size_t>(PieceWorkers(pieces)));
    for (PieceReaders& ofWorker : readers) {
        for (const TidyMeter& meter : set.meters)
            ofWorker.records.emplace_back(*meter.records);
        ofWorker.caches.resize(set.meters.size());
    }
    std::vector<TickPiece> held(PieceSlots(pieces));
    TimeOfDayTimeline timeline;
    const auto reduce = [&](const TickPiece& piece) {
        const std::size_t meters = set.meters.size();
        for (std::int64_t j = piece.begin; j < piece.end; ++j) {
            const auto at = static_cast<std::size_t>(j - piece.begin);
            std::optional<IntervalTime> time;
            if (withDate)
                time = datedTime(*set.clockOf(static_cast<std::size_t>(j)));
            else if (piece.ofDay[at])
                time = IntervalTime{timeline.localMs(*piece.ofDay[at]), 0};
            if (!time)
                continue;
            for (std::size_t m = 0; m < meters; ++m)
                intervals.add(m, *time, piece.readings[at * meters + m]);
            if (set.hasMath && j < static_cast<std::int64_t>(set.mathValues.size()))
                intervals.addValue(math, *time, set.mathValues[static_cast<std::size_t>(j)],
                                   set.mathUnit);
        }
        return !refused;
    };
    if (!RunPiecesInOrder(
            pieces,
            [&](int worker, std::int64_t index, std::size_t slot) {
                TickPiece& piece = held[slot];
                piece.begin = index * kPieceTicks;
                piece.end = std::min(piece.begin + kPieceTicks, ticks);
                return readPiece(set, readers[static_cast<std::size_t>(worker)], !withDate, piece);
            },
            [&](std::int64_t, std::size_t slot) { return reduce(held[slot]); }))
        return false;
    intervals.finish();
    return !refused;
}

bool WriteRecorderIntervals(const TidyMeterSet& set, std::int64_t lengthMs, const TextSink& sink,
                            const IntervalLimits& limits) {
    if (set.meters.empty())
        return false;
    const IntervalShape shape = IntervalShapeOf(set);
    const bool withLimits = anyLimits(limits);
    std::string out = IntervalHeader(withLimits) + "\r\n";
    const bool reduced = ReduceRecorderIntervals(
        set, lengthMs, limits, shape.withDate, [&](const IntervalRows& rows) {
            AppendIntervalRows(out, rows, shape.names, shape.withDate, withLimits);
            if (out.size() < kFlushBytes)
                return true;
            const bool taken = sink(out);
            out.clear();
            return taken;
        });
    return reduced && sink(out);
}

} // namespace telmora
