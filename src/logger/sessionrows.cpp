#include "logger/sessionrows.h"

namespace telmora {

std::string SessionCellText(const ReadingRecord& record) {
    std::string text(record.displayText.view());
    text += record.prefixText.view();
    const std::uint32_t code = record.function();
    if (code == 0x80 || code == 0x180) {
        text += " Ohm";
    } else {
        text += record.unitText.view();
    }
    return text;
}

SessionGridRow SessionGridRowTexts(const SampleEntry& entry, std::size_t index) {
    SessionGridRow row;
    row.number = std::to_string(index + 1);
    row.time = std::string(entry.main.timeText.view());
    row.mainData = SessionCellText(entry.main);
    if (entry.hasSub != 0) {
        row.subData = SessionCellText(entry.sub);
    }
    return row;
}

} // namespace telmora
