#pragma once

#include "model/ReadingRecord.h"

#include <cmath>
#include <limits>
#include <string_view>

namespace telmora {

// A tick of a several-meter recording at which a meter had no fresh reading (it
// sent none since the previous tick, its reading was invalid or its link had
// ended). It is stored as an ordinary 169-byte record so that every meter keeps
// one sample per tick: the tick's time text, no function, no sub reading, empty
// value, display, prefix, unit and mode texts, and NaN as the value. Readers that
// know nothing of gaps show an empty line and draw a break; statistics leave it
// out (a NaN value is never counted).
inline SampleEntry MakeGapSample(std::string_view timeText) {
    SampleEntry gap;
    gap.main.timeText.assign(timeText);
    gap.main.value = std::numeric_limits<float>::quiet_NaN();
    gap.sub.value = std::numeric_limits<float>::quiet_NaN();
    return gap;
}

// Whether a record is the main record of a gap sample.
inline bool IsGapRecord(const ReadingRecord& record) {
    return std::isnan(record.value) && record.valueText.empty() && record.displayText.empty();
}
inline bool IsGapSample(const SampleEntry& entry) {
    return IsGapRecord(entry.main);
}

} // namespace telmora
