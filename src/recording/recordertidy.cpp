#include "recording/recordertidy.h"

#include "model/SaveFile.h"
#include "model/tidycsv.h"
#include "recording/recorderexportpieces.h"
#include "recording/recorderpages.h"

#include <algorithm>
#include <charconv>
#include <vector>

namespace telmora {

namespace {

// Samples per piece of an export formatted on its own: a few hundred kilobytes of
// text, small enough to stay in the processor's cache until it is written.
constexpr std::int64_t kPieceSamples = 1 << 12;
// Records read at once by each worker's reader: sequential reads of about 170 kB,
// which stay in the cache while they are decoded.
constexpr std::size_t kBlockRecords = 1024;

template <typename ClockOf> bool everyDateKnown(PageIndexRange range, const ClockOf& clockOf) {
    for (std::int64_t j = range.begin; j < range.end; ++j)
        if (!clockOf(static_cast<std::size_t>(j)).has_value())
            return false;
    return true;
}

void appendNumber(std::string& line, std::int64_t number) {
    char text[24];
    const auto [end, ec] = std::to_chars(text, text + sizeof text, number);
    line.append(text, ec == std::errc() ? end : text);
}

// Appends the row of sample `index` without its line end.
void appendTidyRow(std::string& line, std::int64_t index, const SampleEntry& entry,
                   const std::optional<WallClock>& clock) {
    appendNumber(line, index + 1);
    if (clock)
        AppendTidyField(line, IsoDateTime(clock->utcMs, clock->utcOffsetSeconds));
    else
        AppendTidyTimeOfDay(line, entry.main.timeText.view());
    AppendTidyReadings(line, entry, RecordOrigin::Recorder);
}

} // namespace

std::string RecorderTidyLine(std::int64_t index, const SampleEntry& entry,
                             const std::optional<WallClock>& clock) {
    std::string line;
    line.reserve(128);
    appendTidyRow(line, index, entry, clock);
    return line;
}

namespace {

// The export of the samples of `records`; `clockOf(i)` gives sample i's date and time
// or nothing.
template <typename ClockOf>
bool writeTidy(const RecordStore& records, const ClockOf& clockOf, std::int32_t first,
               std::int32_t last, std::int32_t lastPage, const TextSink& sink) {
    const PageIndexRange range = IndexRangeOfPages(records.size(), first, last, lastPage);
    const bool withDate = everyDateKnown(range, clockOf);
    std::string header = TidyHeader(withDate ? TidyTime::DateTime : TidyTime::TimeOfDay);
    header += "\r\n";
    if (!sink(header))
        return false;
    const std::int64_t pieces = (range.size() + kPieceSamples - 1) / kPieceSamples;
    // A reader for each worker: the export may also run on a job's thread.
    std::vector<RecordReader> readers;
    for (int i = 0; i < PieceWorkers(pieces); ++i)
        readers.emplace_back(kBlockRecords);
    return WritePiecesInOrder(
        pieces,
        [&](int worker, std::int64_t piece, std::string& out) {
            RecordReader& reader = readers[static_cast<std::size_t>(worker)];
            const std::int64_t begin = range.begin + piece * kPieceSamples;
            const std::int64_t end = std::min(begin + kPieceSamples, range.end);
            out.reserve(static_cast<std::size_t>(end - begin) * 128);
            for (std::int64_t j = begin; j < end; ++j) {
                // A record its file no longer holds would be an empty row: the export fails.
                const std::optional<SampleEntry> entry = reader.tryRead(records, j);
                if (!entry)
                    return false;
                appendTidyRow(out, j, *entry,
                              withDate ? clockOf(static_cast<std::size_t>(j)) : std::nullopt);
                out += "\r\n";
            }
            return true;
        },
        sink);
}

} // namespace

bool WriteRecorderTidy(const Recording& recording, std::int32_t first, std::int32_t last,
                       std::int32_t lastPage, const TextSink& sink) {
    return writeTidy(
        recording.records(), [&recording](std::size_t i) { return recording.wallClock(i); }, first,
        last, lastPage, sink);
}

bool WriteRecorderTidy(const RecordStore& records, std::int32_t first, std::int32_t last,
                       std::int32_t lastPage, const TextSink& sink) {
    return writeTidy(
        records, [](std::size_t) { return std::optional<WallClock>(); }, first, last, lastPage,
        sink);
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
