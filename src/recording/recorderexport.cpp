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

std::string RecorderTextLine(std::int64_t index, const SampleEntry& e) {
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

    std::string line;
    line.reserve(96);
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
    return line;
}

std::int32_t LastPageForCount(std::int64_t count) {
    return count <= 0 ? 1 : PageOfIndex(count - 1);
}

bool WriteRecorderText(const SampleList& samples, std::int32_t first, std::int32_t last,
                       std::int32_t lastPage, const TextSink& sink) {
    std::string block;
    block.reserve(kFlushBytes + 256);
    block += kRecorderTextHeader;
    block += "\r\n";
    const auto count = static_cast<std::int64_t>(samples.size());
    first = std::max(first, 1);
    last = std::min(last, lastPage);
    for (std::int32_t page = first; page <= last; ++page) {
        const PageContents c = ContentsOfPage(count, lastPage, page);
        const std::int64_t end = std::min<std::int64_t>(c.firstIndex + c.samples, count);
        for (std::int64_t j = std::max<std::int64_t>(c.firstIndex, 0); j < end; ++j) {
            block += RecorderTextLine(j, samples[static_cast<std::size_t>(j)]);
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

bool ExportRecorderText(const QString& path, const SampleList& samples, std::int32_t first,
                        std::int32_t last, std::int32_t lastPage, QString* error,
                        std::stop_token stop) {
    QSaveFile file(path);
    if (!OpenSaveFile(file, error))
        return false;
    const bool written = WriteRecorderText(samples, first, last, lastPage, [&](std::string_view s) {
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

} // namespace telmora
