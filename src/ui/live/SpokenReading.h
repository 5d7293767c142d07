#pragma once
// Readings as a screen reader speaks them: number, prefix and unit, mode
// ("1.513 V DC", "4.70 kΩ", "25.3 °C T1"). The number is written as the display
// shows it; the unit as people write it (Ω, µ, °C) rather than the display's letters.

#include <QString>

namespace telmora {

struct Measurement;
struct ReadingRecord;

// One live display's reading; empty while the display shows nothing.
QString SpokenReading(const Measurement& reading);
// One stored reading (a recorder sample's main or sub record); empty for a record
// that holds no reading.
QString SpokenRecord(const ReadingRecord& record);

} // namespace telmora
