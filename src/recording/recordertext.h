#pragma once

#include "model/ReadingRecord.h"

#include <QString>

#include <cstdint>

namespace telmora {

// Texts the recorder builds from stored samples.

// A record text field as a string (the fields hold 8-bit characters).
template <std::size_t N> QString RecordText(const FixedText<N>& field) {
    const auto v = field.view();
    return QString::fromLatin1(v.data(), static_cast<qsizetype>(v.size()));
}

// The line of a sample whose record its file no longer holds: the number and a
// marker in place of the readings.
QString UnreadableDataListLine(std::int64_t index);

// The unit shown after "Reading" on the recorder's Y axis for a main record:
// "(uF)", "(Ohm)", "(nS)", "(dBm)" or "(" + unit text + ")".
QString YAxisUnitSuffix(const ReadingRecord& main);

// The recorder's clock text: two spaces, AM/PM, 12-hour "hh:mm:ss" and a closing '"'.
QString RecorderClockText(int hour, int minute, int second);

} // namespace telmora
