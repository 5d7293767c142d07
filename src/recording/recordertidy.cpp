#include "recording/recordertidy.h"

#include "model/SaveFile.h"
#include "model/tidycsv.h"
#include "recording/recorderexportpieces.h"
#include "recording/recorderexportrecords.h"
#include "recording/recorderpages.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <vector>

namespace telmora {

namespace {

// Samples per piece of an export formatted on its own: a few hundred kilobytes of
// text, small enough to stay in the processor's cache until it is written.
constexpr std::int64_t kTidyPieceSamples = 1 << 12;
// Records read at once by each worker's reader (of several meters): sequential
// reads of about 170 kB, which stay in the cache while they are decoded.
constexpr std::size_t kBlockRecords = 1024;

template <typename ClockOf> bool everyDateKnown(PageIndexRange range, const ClockOf& clockOf) {
    for (std::int64_t j = range.begin; j < range.end; ++j)
        if (!clockOf(static_cast<std::size_t>(j)).has_value())
            return false;
    return true;
}

// Appends "," and the marker column.
void appendNote(std::string& line, std::string_view note) {
    AppendTidyField(line, note);
}

// Writes "," and `note` as a field at `at` (room for 3 + 2 * note.size() bytes).
char* writeNote(char* at, std::string_view note) {
    *at++ = ',';
    const bool quoted = note.find_first_of(",\"\r\n") != std::string_view::npos;
    if (!quoted)
        return std::copy(note.begin(), note.end(), at);
    *at++ = '"';
    for (const char c : note) {
        if (c == '"')
            *at++ = '"';
        *at++ = c;
    }
    *at++ = '"';
    return at;
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

// The longest time field of a date: "," and IsoDateTime (at most 63 bytes).
constexpr std::size_t kMaxIsoDateTimeBytes = 64;
// The longest row of writeTidyRow with its line end and an empty marker column
// (the note of a marked sample takes TidyMarkerNotes::fieldBytes more).
constexpr std::size_t kMaxRowBytes = 24 + kMaxIsoDateTimeBytes + kMaxTidyReadingsBytes + 3;
static_assert(kMaxTidyTimeOfDayBytes <= kMaxIsoDateTimeBytes);

// Writes the row numbered `number` with its line end at `at` (room for kMaxRowBytes);
// returns its end.
char* writeTidyRow(char* at, const LineNumber& number, const SampleEntry& entry,
                   const std::optional<WallClock>& clock, TidyValueTexts& last,
                   std::string_view note) {
    at = number.write(at);
    if (clock) {
        // Digits, signs, 'T', ':' and '.': never quoted.
        const std::string time = IsoDateTime(clock->utcMs, clock->utcOffsetSeconds);
        *at++ = ',';
        at = std::copy_n(time.data(), std::min(time.size(), kMaxIsoDateTimeBytes - 1), at);
    } else {
        at = WriteTidyTimeOfDay(at, StoredTextView(entry.main.timeText));
    }
    at = WriteTidyReadings(at, entry, RecordOrigin::Recorder, &last);
    at = writeNote(at, note);
    *at++ = '\r';
    *at++ = '\n';
    return at;
}

} // namespace

TidyMarkerNotes::TidyMarkerNotes(const std::vector<Marker>& markers) {
    for (const Marker& marker : markers) {
        const std::string note = marker.note.toStdString();
        if (!m_samples.empty() && m_samples.back() == marker.sample) {
            if (!note.empty())
                m_notes.back() += m_notes.back().empty() ? note : "; " + note;
            continue;
        }
        m_samples.push_back(marker.sample);
        m_notes.push_back(note);
    }
}

std::string_view TidyMarkerNotes::noteAt(std::int64_t index) const {
    const auto at = std::lower_bound(m_samples.begin(), m_samples.end(), index);
    if (at == m_samples.end() || *at != index)
        return {};
    return m_notes[static_cast<std::size_t>(at - m_samples.begin())];
}

std::size_t TidyMarkerNotes::fieldBytes(std::int64_t begin, std::int64_t end) const {
    std::size_t bytes = 0;
    for (auto at = std::lower_bound(m_samples.begin(), m_samples.end(), begin);
         at != m_samples.end() && *at < end; ++at)
        bytes += 3 + 2 * m_notes[static_cast<std::size_t>(at - m_samples.begin())].size();
    return bytes;
}

std::string RecorderTidyHeader(TidyTime time) {
    return TidyHeader(time) + ",marker";
}

std::string RecorderTidyLine(std::int64_t index, const SampleEntry& entry,
                             const std::optional<WallClock>& clock, std::string_view note) {
    std::string line;
    line.reserve(128);
    appendTidyRow(line, index, entry, clock);
    appendNote(line, note);
    return line;
}

namespace {

// The export of the samples of `records`; `clockOf(i)` gives sample i's date and time
// or nothing.
template <typename ClockOf>
bool writeTidy(const RecordStore& records, const ClockOf& clockOf, std::int32_t first,
               std::int32_t last, std::int32_t lastPage, const TextSink& sink,
               const TidyMarkerNotes& markers) {
    const PageIndexRange range = IndexRangeOfPages(records.size(), first, last, lastPage);
    const bool withDate = everyDateKnown(range, clockOf);
    std::string header = RecorderTidyHeader(withDate ? TidyTime::DateTime : TidyTime::TimeOfDay);
    header += "\r\n";
    if (!sink(header))
        return false;
    const std::int64_t pieces = (range.size() + kTidyPieceSamples - 1) / kTidyPieceSamples;
    // A reader for each worker: the export may also run on a job's thread.
    std::vector<ExportRecords> readers;
    for (int i = 0; i < PieceWorkers(pieces); ++i)
        readers.emplace_back(records);
    std::vector<std::vector<char>> buffers(readers.size());
    return WritePiecesInOrder(
        pieces,
        [&](int worker, std::int64_t piece, std::string& out) {
            const std::int64_t begin = range.begin + piece * kTidyPieceSamples;
            const std::int64_t end = std::min(begin + kTidyPieceSamples, range.end);
            // The rows go into the worker's buffer, with room for the longest row each,
            // and to the piece's text with one copy.
            std::vector<char>& buffer = buffers[static_cast<std::size_t>(worker)];
            buffer.resize(static_cast<std::size_t>(end - begin) * kMaxRowBytes +
                          markers.fieldBytes(begin, end));
            char* at = buffer.data();
            LineNumber number(begin + 1);
            TidyValueTexts last;
            const auto row = [&](std::int64_t j, const SampleEntry& entry) {
                at = writeTidyRow(at, number, entry,
                                  withDate ? clockOf(static_cast<std::size_t>(j)) : std::nullopt,
                                  last, markers.noteAt(j));
                number.next();
            };
            // A record its file no longer holds would be an empty row: the export fails.
            SampleEntry entry;
            const bool read = readers[static_cast<std::size_t>(worker)].forEach(
                begin, end,
                [&](std::int64_t j, const std::uint8_t* image) {
                    DecodeSampleForViews(
                        std::span<const std::uint8_t, kSampleSize>(image, kSampleSize), entry);
                    row(j, entry);
                },
                row);
            if (read)
                out.assign(buffer.data(), static_cast<std::size_t>(at - buffer.data()));
            return read;
        },
        sink);
}

} // namespace

bool WriteRecorderTidy(const Recording& recording, std::int32_t first, std::int32_t last,
                       std::int32_t lastPage, const TextSink& sink,
                       const TidyMarkerNotes& markers) {
    return writeTidy(
        recording.records(), [&recording](std::size_t i) { return recording.wallClock(i); }, first,
        last, lastPage, sink, markers);
}

bool WriteRecorderTidy(const RecordStore& records, std::int32_t first, std::int32_t last,
                       std::int32_t lastPage, const TextSink& sink,
                       const TidyMarkerNotes& markers) {
    return writeTidy(
        records, [](std::size_t) { return std::optional<WallClock>(); }, first, last, lastPage,
        sink, markers);
}

namespace {

// Appends "," and the time of a tick: its date and time, or the stored time of day.
void appendTime(std::string& line, const std::optional<WallClock>& clock,
                const SampleEntry& entry) {
    if (clock)
        AppendTidyField(line, IsoDateTime(clock->utcMs, clock->utcOffsetSeconds));
    else
        AppendTidyTimeOfDay(line, entry.main.timeText.view());
}

// Appends the rows of tick `j` (each with its line end); entries[m] is meter m's sample.
void appendTick(std::string& out, std::int64_t j, const std::vector<SampleEntry>& entries,
                const TidyMeterSet& set, const std::optional<WallClock>& clock, TidyLayout layout) {
    const std::string_view note = set.markers.noteAt(j);
    const double math = j < static_cast<std::int64_t>(set.mathValues.size())
                            ? set.mathValues[static_cast<std::size_t>(j)]
                            : std::nan("");
    if (layout == TidyLayout::Wide) {
        appendNumber(out, j + 1);
        appendTime(out, clock, entries.front());
        for (const SampleEntry& entry : entries) {
            AppendTidyMainReading(out, entry.main, RecordOrigin::Recorder);
            AppendTidySubValueUnit(out, entry, RecordOrigin::Recorder);
        }
        if (set.hasMath) {
            AppendTidyMathValue(out, math);
            AppendTidyField(out, set.mathUnit);
        }
        appendNote(out, note);
        out += "\r\n";
        return;
    }
    for (std::size_t m = 0; m < entries.size(); ++m) {
        appendNumber(out, j + 1);
        AppendTidyField(out, set.meters[m].name);
        appendTime(out, clock, entries[m]);
        AppendTidyReadings(out, entries[m], RecordOrigin::Recorder);
        appendNote(out, note);
        out += "\r\n";
    }
    if (set.hasMath) {
        appendNumber(out, j + 1);
        AppendTidyField(out, set.mathName);
        appendTime(out, clock, entries.front());
        AppendTidyMathValue(out, math);
        AppendTidyField(out, set.mathUnit);
        out += ','; // no mode
        AppendTidyField(out, set.mathExpression);
        out += ",false,,,,,";
        appendNote(out, note);
        out += "\r\n";
    }
}

} // namespace

bool WriteRecorderTidy(const TidyMeterSet& set, std::int32_t first, std::int32_t last,
                       std::int32_t lastPage, TidyLayout layout, const TextSink& sink) {
    if (set.meters.empty())
        return false;
    std::int64_t ticks = set.meters.front().records->size();
    for (const TidyMeter& meter : set.meters)
        ticks = std::min(ticks, meter.records->size());
    const PageIndexRange range = IndexRangeOfPages(ticks, first, last, lastPage);
    const bool withDate = set.clockOf && everyDateKnown(range, set.clockOf);
    const TidyTime time = withDate ? TidyTime::DateTime : TidyTime::TimeOfDay;
    std::string header = layout == TidyLayout::Wide
                             ? TidyWideHeader(time, set.meters.size(), set.hasMath)
                             : TidyLongHeader(time);
    header += ",marker\r\n";
    if (!sink(header))
        return false;
    const std::int64_t pieces = (range.size() + kTidyPieceSamples - 1) / kTidyPieceSamples;
    // Readers for each worker and meter: the export may also run on a job's thread.
    std::vector<std::vector<RecordReader>> readers(static_cast<std::size_t>(PieceWorkers(pieces)));
    for (auto& ofWorker : readers)
        ofWorker.assign(set.meters.size(), RecordReader(kBlockRecords));
    return WritePiecesInOrder(
        pieces,
        [&](int worker, std::int64_t piece, std::string& out) {
            std::vector<RecordReader>& ofWorker = readers[static_cast<std::size_t>(worker)];
            const std::int64_t begin = range.begin + piece * kTidyPieceSamples;
            const std::int64_t end = std::min(begin + kTidyPieceSamples, range.end);
            std::vector<SampleEntry> entries(set.meters.size());
            for (std::int64_t j = begin; j < end; ++j) {
                for (std::size_t m = 0; m < set.meters.size(); ++m) {
                    const std::optional<SampleEntry> entry =
                        ofWorker[m].tryRead(*set.meters[m].records, j);
                    if (!entry)
                        return false; // its file no longer holds it: the export fails
                    entries[m] = *entry;
                }
                appendTick(out, j, entries, set,
                           withDate ? set.clockOf(static_cast<std::size_t>(j)) : std::nullopt,
                           layout);
            }
            return true;
        },
        sink);
}

bool ExportTextFile(const QString& path, QString* error, std::stop_token stop,
                    const std::function<bool(const TextSink&)>& produce) {
    SaveFile file(path);
    const bool opened = file.open();
    EarlyWriteback writeback(opened ? file.fileDevice().handle() : -1);
    const bool written = opened && produce([&](std::string_view s) {
                             if (stop.stop_requested() || !file.write(s))
                                 return false;
                             writeback.written(s.size());
                             return true;
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

bool ExportRecorderTidy(const QString& path, const TidyMeterSet& set, std::int32_t first,
                        std::int32_t last, std::int32_t lastPage, TidyLayout layout, QString* error,
                        std::stop_token stop) {
    return ExportTextFile(path, error, stop, [&](const TextSink& sink) {
        return WriteRecorderTidy(set, first, last, lastPage, layout, sink);
    });
}

bool ExportRecorderTidy(const QString& path, const Recording& recording, std::int32_t first,
                        std::int32_t last, std::int32_t lastPage, QString* error,
                        std::stop_token stop, const TidyMarkerNotes& markers) {
    return ExportTextFile(path, error, stop, [&](const TextSink& sink) {
        return WriteRecorderTidy(recording, first, last, lastPage, sink, markers);
    });
}

} // namespace telmora
