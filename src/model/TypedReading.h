#pragma once
// One display of a sample as a typed value: the number in SI base units as a double
// (capacitance in farad, conductance in siemens, resistance in ohm; temperatures in
// the degrees shown, decibel readings in dBm), its unit and mode from the function
// table, and whether the display showed a number, an overload, open-input dashes or
// nothing. A reading is made once where a sample enters: from a live Measurement, or
// from a stored record when a file is read. Statistics, the math channel, the tidy
// export and the read-outs use it; nothing reads a record's texts back into a number.

#include "model/Measurement.h"
#include "model/ReadingRecord.h"
#include "model/decimaltext.h"
#include "model/functiontable.h"

#include <cstdint>
#include <limits>
#include <string_view>

namespace telmora {

// Where a record was made: each conversion counts capacitance and conductance in
// the unit its prefix shows (microfarad and nanosiemens) - the recorder on the main
// display only (RecorderValueExponent), the logger import on either display
// (StoredValueExponent) - and everything else in base units.
enum class RecordOrigin { Recorder, Session };

enum class ReadingState : std::uint8_t {
    Value,    // a number
    Overload, // an overload display ("0.L", "OL")
    Open,     // the dashes of an open input ("---", "----")
    None,     // no reading: a gap of a several-meter recording, a blank display
};

struct TypedReading {
    std::uint32_t function = 0; // the function code without the low-battery bit
    ReadingState state = ReadingState::None;
    Mode mode = Mode::None;
    // The number in SI base units; NaN unless the state is Value.
    double value = std::numeric_limits<double>::quiet_NaN();
    // "V", "Ω", "°C", "Hz", "dBm", ... (UTF-8); empty for a function without a unit.
    std::string_view unit;
    // How the display wrote the number: the power of ten of its unit prefix (3 for
    // "k", -6 for "µ", 0 without one) and the digits after its decimal point.
    int prefixExponent = 0;
    int decimals = 0;

    bool hasValue() const { return state == ReadingState::Value; }
    // An overload or open-input display: counted, but it has no value.
    bool overloaded() const {
        return state == ReadingState::Overload || state == ReadingState::Open;
    }
    std::string_view modeText() const { return ModeText(mode); }
};

// The reading of a live display.
TypedReading ReadingOfMeasurement(const Measurement& measurement);

// The value of the last record read, kept by a reader of many records (an export of
// millions of samples): a recording repeats its readings, whose value is then taken
// over instead of worked out again. With `withText` set the value's shortest text
// (AppendShortestDouble's) is kept too, made from the same digits as the value.
struct StoredValueCache {
    bool withText = false;
    bool known = false;
    std::uint32_t bits = 0; // the stored float's bits
    int shift = 0;
    double value = 0.0;
    std::size_t length = 0;
    char text[kMaxShortestDecimalBytes];
};

// The reading of one display of a stored record made by `origin`. The value is the
// stored float's shortest decimal text scaled to SI units, read as a double
// (ShortestDecimalValue): a display of 1.505 V stored as a float reads 1.505, not
// 1.5049999952316284.
// Whether prefixExponent and decimals are worked out: the read-outs show them,
// statistics and exports of millions of records need them not.
enum class DisplayShape { Read, Skip };
TypedReading ReadingOfRecord(const ReadingRecord& record, RecordOrigin origin,
                             DisplayKind kind = DisplayKind::Main,
                             StoredValueCache* cache = nullptr,
                             DisplayShape shape = DisplayShape::Read);

} // namespace telmora
