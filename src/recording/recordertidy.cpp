#include "recording/recordertidy.h"

#include "model/SaveFile.h"
#include "model/tidycsv.h"
#include "recording/recorderpages.h"

#include <algorithm>
#include <charconv>

namespace telmora {

namespace {

constexpr std::size_t kFlushBytes = 1 << 16;

// Buffer indices first .. end - 1 of pages first..last.
struct IndexRange {
    std::int64_t first = 0;
    std::int64_t end = 0;
};

template <typename Visit>
void forEachPageRange(std::int64_t count, std::int32_t first, std::int32_t last,
                      std::int32_t lastPage, Visit visit) {
    first = std::max(first, 1);
    last = std::min(last, lastPage);
    for (std::int32_t page = first; page <= last; ++page) {
        const PageContents c = ContentsOfPage(count, lastPage, page);
        const std::int64_t end = std::min<std::int64_t>(c.firstIndex + c.samples, count);
        const std::int64_t begin = std::max<std::int64_t>(c.firstIndex, 0);
        if (begin < end && !visit(IndexRange{begin, end}))
            return;
    }
}

template <typename ClockOf>
bool everyDateKnown(std::int64_t count, const ClockOf& clockOf, std::int32_t first,
                    std::int32_t last, std::int32_t lastPage) {
    bool known = true;
    forEachPageRange(count, first, last, lastPage, [&](IndexRange r) {
        for (std::int64_t j = r.first; j < r.end && known; ++j)
            known = clockOf(static_cast<std::size_t>(j)).has_value();
        return known;
    });
    return known;
}

} // namespace

std::string RecorderTidyLine(std::int64_t index, const SampleEntry& entry,
                             const std::optional<WallClock>& clock) {
    std::string line;
    line.reserve(128);
    char number[24];
    const auto [end, ec] = std::to_chars(number, number + sizeof number, index + 1);
    line.append(number, ec == std::errc() ? end : number);
    AppendTidyField(line, clock ? IsoDateTime(clock->utcMs, clock->utcOffsetSeconds)
                                : TimeOfDayText(entry.main.timeText.view()));
    AppendTidyReadings(line, entry, RecordOrigin::Recorder);
    return line;
}

bool WriteRecorderTidy(const Recording& recording, std::int32_t first, std::int32_t last,
                       std::int32_t lastPage, const TextSink& sink) {
    const auto clockOf = [&recording](std::size_t i) { return recording.wallClock(i); };
    // A reader of its own: the export may run on a job's thread.
    RecordReader reader(256);
    const RecordStore& records = recording.records();
    const auto count = static_cast<std::int64_t>(recording.size());
    const bool withDate = everyDateKnown(count, clockOf, first, last, lastPage);
    std::string block = TidyHeader(withDate ? TidyTime::DateTime : TidyTime::TimeOfDay);
    block += "\r\n";
    bool written = true;
    forEachPageRange(count, first, last, lastPage, [&](IndexRange r) {
        for (std::int64_t j = r.first; j < r.end && written; ++j) {
            const auto i = static_cast<std::size_t>(j);
            block +=
                RecorderTidyLine(j, reader.read(records, j), withDate ? clockOf(i) : std::nullopt);
            block += "\r\n";
            if (block.size() >= kFlushBytes) {
                written = !reader.failed() && sink(block);
                block.clear();
            }
        }
        return written;
    });
    // A record its file no longer holds would be an empty row: the export fails.
    return written && !reader.failed() && sink(block);
}

bool ExportRecorderTidy(const QString& path, const Recording& recording, std::int32_t first,
                        std::int32_t last, std::int32_t lastPage, QString* error,
                        std::stop_token stop) {
    SaveFile file(path);
    const bool written = file.open() &&
                         WriteRecorderTidy(recording, first, last, lastPage,
                                           [&](std::string_view s) {
                                               return !stop.stop_requested() && file.write(s);
                                           }) &&
                         !stop.stop_requested() && file.commit();
    if (!written) {
        file.cancel();
        // Besides the file, only the recording's own file can fail the export.
        QString reason = file.errorString();
        if (reason.isEmpty())
            reason = QStringLiteral("the recording's file has become shorter");
        if (error != nullptr)
            *error = stop.stop_requested() ? QString() : reason;
    }
    return written;
}

} // namespace telmora
