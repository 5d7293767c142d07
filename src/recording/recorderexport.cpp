#include "recording/recorderexport.h"

#include "model/SaveFile.h"
#include "recording/recorderpages.h"

#include <algorithm>
#include <charconv>

namespace telmora {

namespace {

constexpr std::size_t kFlushBytes = 1 << 20;

bool isCelsius(std::uint32_t code) {
    return code == 0x4020 || code == 0x8020 || code == 0xC020;
}

bool isFahrenheit(std::uint32_t code) {
    return code == 0x4040 || code == 0x8040 || code == 0xC040;
}

// Appends ",display,prefix,unit" of one display: resistance units read "Ohm" (main
// only), decibel prefixes move into the unit (main only), degree letters move from
// the display text into the unit with the mode ("25.3" / " C [T1]"), and other mode
// texts follow the unit in brackets after `modeGap`.
void appendDisplayFields(std::string& line, const ReadingRecord& r, bool main,
                         std::string_view modeGap) {
    const std::uint32_t code = r.function();
    std::string_view display = r.displayText.view();
    std::string_view prefix = r.prefixText.view();
    const std::string_view unit = r.unitText.view();
    const std::string_view mode = r.modeText.view();
    const char degree = isCelsius(code) ? 'C' : isFahrenheit(code) ? 'F' : '\0';
    const bool degreeMoves = degree != '\0' && display.find(degree) != std::string_view::npos;
    if (degreeMoves)
        display.remove_suffix(1);
    line += ',';
    line += display;
    line += ',';
    if (main && code == 0x2000) {
        line += ',';
        line += prefix;
        line += unit;
        return;
    }
    line += prefix;
    line += ',';
    if (main && (code == 0x80 || code == 0x180 || code == 0x2080)) {
        line += "Ohm";
        return;
    }
    line += unit;
    if (degreeMoves) {
        line += ' ';
        line += degree;
        line += " [";
        line += mode;
        line += ']';
    } else if (degree == '\0' && !mode.empty()) {
        line += modeGap;
        line += mode;
        line += ']';
    }
}

} // namespace

std::string RecorderTextLine(std::int64_t index, const SampleEntry& entry) {
    std::string line;
    line.reserve(96);
    AppendRecorderTextLine(line, index, entry);
    return line;
}

void AppendRecorderTextLine(std::string& line, std::int64_t index, const SampleEntry& e) {
    char number[24];
    const auto [end, ec] = std::to_chars(number, number + sizeof number, index + 1);
    line.append(number, ec == std::errc() ? end : number);
    line += ',';
    line += e.main.timeText.view();
    appendDisplayFields(line, e.main, true, "  [");
    if (e.hasSub == 1)
        appendDisplayFields(line, e.sub, false, " [");
}

std::int32_t LastPageForCount(std::int64_t count) {
    return count <= 0 ? 1 : PageOfIndex(count - 1);
}

namespace {

// The text of pages first..last of `count` samples; `sampleAt(j)` gives sample j.
template <typename SampleAt>
bool writeText(std::int64_t count, SampleAt&& sampleAt, std::int32_t first, std::int32_t last,
               std::int32_t lastPage, const TextSink& sink) {
    std::string block;
    block.reserve(kFlushBytes + 256);
    block += kRecorderTextHeader;
    block += "\r\n";
    first = std::max(first, 1);
    last = std::min(last, lastPage);
    for (std::int32_t page = first; page <= last; ++page) {
        const PageContents c = ContentsOfPage(count, lastPage, page);
        const std::int64_t end = std::min<std::int64_t>(c.firstIndex + c.samples, count);
        for (std::int64_t j = std::max<std::int64_t>(c.firstIndex, 0); j < end; ++j) {
            AppendRecorderTextLine(block, j, sampleAt(j));
            block += "\r\n";
            if (block.size() >= kFlushBytes) {
                if (!sink(block))
                    return false;
                block.clear();
            }
        }
    }
    return sink(block);
}

// Writes through SaveFile what `produce(sink)` hands to its sink. A failure that
// is not the file's own (the producer gave up) leaves `error` to the caller.
template <typename Produce>
bool exportText(const QString& path, QString* error, std::stop_token stop, Produce&& produce) {
    SaveFile file(path);
    const bool written =
        file.open() &&
        produce([&](std::string_view s) { return !stop.stop_requested() && file.write(s); }) &&
        !stop.stop_requested() && file.commit();
    if (!written) {
        file.cancel();
        if (error != nullptr)
            *error = stop.stop_requested() ? QString() : file.errorString();
    }
    return written;
}

// Samples read in blocks of this many records while exporting.
constexpr std::size_t kExportBlockRecords = 4096;

} // namespace

bool WriteRecorderText(const SampleList& samples, std::int32_t first, std::int32_t last,
                       std::int32_t lastPage, const TextSink& sink) {
    return writeText(
        static_cast<std::int64_t>(samples.size()),
        [&](std::int64_t j) -> const SampleEntry& { return samples[static_cast<std::size_t>(j)]; },
        first, last, lastPage, sink);
}

bool WriteRecorderText(const RecordStore& samples, std::int32_t first, std::int32_t last,
                       std::int32_t lastPage, const TextSink& sink) {
    RecordReader reader(kExportBlockRecords);
    return writeText(
        samples.size(), [&](std::int64_t j) { return reader.read(samples, j); }, first, last,
        lastPage, sink);
}

bool ExportRecorderText(const QString& path, const SampleList& samples, std::int32_t first,
                        std::int32_t last, std::int32_t lastPage, QString* error,
                        std::stop_token stop) {
    return exportText(path, error, stop, [&](const TextSink& sink) {
        return WriteRecorderText(samples, first, last, lastPage, sink);
    });
}

bool ExportRecorderText(const QString& path, const RecordStore& samples, std::int32_t first,
                        std::int32_t last, std::int32_t lastPage, QString* error,
                        std::stop_token stop) {
    RecordReader reader(kExportBlockRecords);
    const bool written = exportText(path, error, stop, [&](const TextSink& sink) {
        return writeText(
            samples.size(), [&](std::int64_t j) { return reader.read(samples, j); }, first, last,
            lastPage, [&](std::string_view s) { return !reader.failed() && sink(s); });
    });
    // A record its file no longer holds would be an empty line: no file then.
    if (reader.failed() && error != nullptr)
        *error = QStringLiteral("the recording's file has become shorter");
    return written && !reader.failed();
}

} // namespace telmora
