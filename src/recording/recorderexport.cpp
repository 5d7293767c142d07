#include "recording/recorderexport.h"

#include "model/fileaccess.h"
#include "recording/recorderpages.h"

#include <QSaveFile>

#include <algorithm>
#include <charconv>

namespace telmora {

namespace {

constexpr std::size_t kFlushBytes = 1 << 16;

bool isCelsius(std::uint32_t code) {
    return code == 0x4020 || code == 0x8020 || code == 0xC020;
}

bool isFahrenheit(std::uint32_t code) {
    return code == 0x4040 || code == 0x8040 || code == 0xC040;
}

// A temperature display: the degree letter leaves the display text and joins the
// unit text with the mode, as " C [T1]".
void moveDegreeLetter(std::string& display, std::string& unit, std::string_view mode, char letter) {
    if (display.find(letter) == std::string::npos)
        return;
    display.pop_back();
    unit += ' ';
    unit += letter;
    unit += " [";
    unit += mode;
    unit += ']';
}

void appendField(std::string& line, std::string_view field) {
    line += ',';
    line += field;
}

} // namespace

std::string RecorderTextLine(std::int64_t index, const SampleEntry& entry) {
    std::string line;
    line.reserve(96);
    AppendRecorderTextLine(line, index, entry);
    return line;
}

void AppendRecorderTextLine(std::string& line, std::int64_t index, const SampleEntry& e) {
    const std::uint32_t mainCode = e.main.function();
    std::string display = e.main.displayText.str();
    std::string prefix = e.main.prefixText.str();
    std::string unit = e.main.unitText.str();
    const std::string_view mode = e.main.modeText.view();

    if (mainCode == 0x80 || mainCode == 0x180 || mainCode == 0x2080) {
        unit = "Ohm";
    } else if (mainCode == 0x2000) {
        unit = prefix + unit;
        prefix.clear();
    } else if (isCelsius(mainCode)) {
        moveDegreeLetter(display, unit, mode, 'C');
    } else if (isFahrenheit(mainCode)) {
        moveDegreeLetter(display, unit, mode, 'F');
    } else if (!mode.empty()) {
        unit += "  [";
        unit += mode;
        unit += ']';
    }

    char number[24];
    const auto [end, ec] = std::to_chars(number, number + sizeof number, index + 1);
    line.append(number, ec == std::errc() ? end : number);
    appendField(line, e.main.timeText.view());
    appendField(line, display);
    appendField(line, prefix);
    appendField(line, unit);

    if (e.hasSub == 1) {
        const std::uint32_t subCode = e.sub.function();
        std::string subDisplay = e.sub.displayText.str();
        std::string subUnit = e.sub.unitText.str();
        const std::string_view subMode = e.sub.modeText.view();
        if (isCelsius(subCode)) {
            moveDegreeLetter(subDisplay, subUnit, subMode, 'C');
        } else if (isFahrenheit(subCode)) {
            moveDegreeLetter(subDisplay, subUnit, subMode, 'F');
        } else if (!subMode.empty()) {
            subUnit += " [";
            subUnit += subMode;
            subUnit += ']';
        }
        appendField(line, subDisplay);
        appendField(line, e.sub.prefixText.view());
        appendField(line, subUnit);
    }
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

// Writes through QSaveFile what `produce(sink)` hands to its sink.
template <typename Produce>
bool exportText(const QString& path, QString* error, std::stop_token stop, Produce&& produce) {
    QSaveFile file(path);
    if (!OpenSaveFile(file, error))
        return false;
    const bool written = produce([&](std::string_view s) {
        return !stop.stop_requested() &&
               file.write(s.data(), static_cast<qint64>(s.size())) == qint64(s.size());
    });
    if (!written) {
        if (error != nullptr)
            *error = stop.stop_requested() ? QString() : file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        if (error != nullptr)
            *error = file.errorString();
        return false;
    }
    return true;
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
    return exportText(path, error, stop, [&](const TextSink& sink) {
        return WriteRecorderText(samples, first, last, lastPage, sink);
    });
}

} // namespace telmora
