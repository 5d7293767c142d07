#pragma once
// Conversion of the readings stored in the meter's logger memory into the records
// the import shows, saves and exports: value text, display text with the decimal
// point in place, prefix, unit with its mode mark, time text and the value in base
// units (overloads get a substitute about 1.1 times the top of their range so they
// plot at the edge of the graph). Pure functions; they never fail.

#include "model/Measurement.h"
#include "model/ReadingRecord.h"
#include "model/sessiontables.h"

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

namespace telmora {

// Which display a reading belongs to: the sub display never carries a DC or DC+AC
// mark.
enum class DisplayRole { Main, Sub };

// The texts of one reading before they go into their record fields (the record
// cuts a text that would not fit its field).
struct StoredReadingTexts {
    std::string valueText;    // mantissa with sign, "OL" or "----"
    std::string exponentText; // decimal exponent, "-2"
    std::string displayText;  // "12.34", ".OL", "025"
    std::string prefixText;   // "m", "k", ""
    std::string unitText;     // "V [AC]"
    float value = 0.0f;
    int prefixExponent = 0; // the power of ten of prefixText
    // The reading in the unit of StoredValueExponent as a double; NaN for an overload.
    double baseValue = std::numeric_limits<double>::quiet_NaN();
};

// Power of ten of the unit the value of a stored reading with function code `code`
// counts in: the decimal exponents of the capacitance ranges count microfarad (-6)
// and the one of conductance nanosiemens (-9), as its prefix shows; every other
// function counts its base unit (0). ReadingOfRecord scales by it to reach SI units.
int StoredValueExponent(std::uint32_t code);

// The texts and value of one stored reading of a display with function code
// `code` and range class `rangeClass`.
StoredReadingTexts ConvertReadingTexts(const UnpackedReading& reading, std::uint32_t code,
                                       int rangeClass, DisplayRole role);

// One stored reading as a Measurement: the value in SI base units, prefix, unit,
// mode, overload and open flags, resolution, and the texts of its record.
Measurement MeasureStoredReading(const UnpackedReading& reading, std::uint32_t code, int rangeClass,
                                 DisplayRole role = DisplayRole::Main);

// One display of one sample as a record.
ReadingRecord ConvertReading(const UnpackedReading& reading, std::uint32_t code, int rangeClass,
                             std::string_view timeText, DisplayRole role = DisplayRole::Main);

// One sample: the main reading and, when `hasSub` is set (flags bit 7), the sub
// reading with the same time text.
SampleEntry ConvertSample(const UnpackedReading& main, const SessionFunctions& functions,
                          bool hasSub, const UnpackedReading& sub, std::string_view timeText);

} // namespace telmora
