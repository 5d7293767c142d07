#pragma once
// Readings as a screen reader speaks them: number, prefix and unit, mode
// ("1.513 V DC", "4.70 kΩ", "25.3 °C T1"). The number is written as the display
// shows it; the unit as people write it (Ω, µ, °C) rather than the display's letters.

#include <QString>

#include <cstdint>

namespace telmora {

struct Measurement;
struct ReadingRecord;

// One live display's reading; empty while the display shows nothing.
QString SpokenReading(const Measurement& reading);
// One stored reading (a recorder sample's main or sub record); empty for a record
// that holds no reading.
QString SpokenRecord(const ReadingRecord& record);

// The unit of a temperature as the windows write it, "°C" or "°F"; empty for a
// function that measures no temperature on a scale. The displays and the files
// write the bare letter.
QString DegreeUnit(std::uint32_t function);
// A display's text without the degree letter a lettered temperature display ends
// in ("51.1C" is 51.1), trimmed.
QString WithoutDegreeLetter(std::uint32_t function, const QString& text);

} // namespace telmora
