#pragma once
// One display of a stored sample read as a measurement: the value in SI base units
// (capacitance in farad, conductance in siemens, resistance in ohm), the unit as
// people write it (UTF-8, with the ohm and degree signs), the mode, the text the
// meter showed, and whether the display showed an overload instead of a number.
// Temperatures stay in the degrees the meter showed and decibel readings in dBm.

#include "model/ReadingRecord.h"
#include "model/sampleconversion.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace telmora {

// Where a record was made: each conversion counts capacitance and conductance in
// the unit its prefix shows (microfarad and nanosiemens) - the recorder on the main
// display only (RecorderValueExponent), the logger import on either display
// (StoredValueExponent) - and everything else in base units.
enum class RecordOrigin { Recorder, Session };

// The views point into the record or into constant texts: they live as long as the
// record does.
struct SiReading {
    std::uint32_t function = 0; // the function code without the low-battery bit
    bool overload = false;      // an overload or open-input display: no value
    double value = 0.0;         // in SI base units; 0 for an overload
    std::string_view unit;      // "V", "Ω", "°C", "Hz", "dBm", ...
    std::string_view mode;      // "AC", "DC", "T1", ... or empty
    std::string_view display;   // the display text without surrounding blanks
    // How the display wrote the number: the power of ten of its unit prefix (3 for
    // "k", -6 for "µ", 0 without one) and the digits after its decimal point.
    int prefixExponent = 0;
    int decimals = 0;
};

SiReading ReadSi(const ReadingRecord& record, RecordOrigin origin,
                 DisplayKind kind = DisplayKind::Main);

// What ReadSi says of a record besides its value and number shape, for exports that
// write the value as text: the overload mark, the texts, and the power of ten
// between the stored value and its SI value (AppendShortestDecimal's shift).
struct SiTexts {
    bool overload = false;
    std::string_view unit;
    std::string_view mode;
    std::string_view display;
    int shift = 0;
};
SiTexts ReadSiTexts(const ReadingRecord& record, RecordOrigin origin,
                    DisplayKind kind = DisplayKind::Main);

// The value of ReadSi as the shortest decimal text that gives back the stored
// number ("0.0012345", "4.7e-09"), "." as decimal point whatever the locale;
// empty for an overload.
std::string SiValueText(const ReadingRecord& record, RecordOrigin origin,
                        DisplayKind kind = DisplayKind::Main);
// Appends the same text to `out` for a record that shows no overload (the export's
// way: no string per field).
void AppendSiValueText(std::string& out, const ReadingRecord& record, RecordOrigin origin,
                       DisplayKind kind = DisplayKind::Main);

} // namespace telmora
