#include "logger/sessionrows.h"

#include "model/functiontable.h"

namespace telmora {

std::string SessionCellText(const ReadingRecord& record) {
    std::string text(record.displayText.view());
    text += record.prefixText.view();
    if (IsResistance(MeterFunctionOf(record.function()))) {
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
