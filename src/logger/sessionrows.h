#pragma once
// The texts of one row of a session table: "No.", "Time", "Main-Data", "Sub-Data".

#include "model/SampleLists.h"

#include <cstddef>
#include <string>

namespace telmora {

struct SessionGridRow {
    std::string number;
    std::string time;
    std::string mainData;
    std::string subData; // empty when the sample has no sub reading
};

// Display text, prefix and unit of a record as the table shows it; resistance
// shows " Ohm" instead of the unit letter ("1.234k Ohm").
std::string SessionCellText(const ReadingRecord& record);

// Row of entry `index` (0-based) of a session.
SessionGridRow SessionGridRowTexts(const SampleEntry& entry, std::size_t index);

} // namespace telmora
