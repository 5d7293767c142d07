#pragma once
// The check every record read from a recorder file passes before it is believed.
// A record is accepted when some writer of recorder files could have made it:
//   - the has-sub byte is 0 or 1;
//   - every text ends with a zero byte inside its field and holds only printable
//     ASCII before it (the displays, labels and times are never anything else);
//     the bytes after the terminator carry no meaning and are not looked at;
//   - the function code (low-battery bit aside) is one of the function table, or
//     made only of annunciator bits the frame decode assembles (a meter showing an
//     unusual combination is still recorded as it was shown);
//   - a time text is empty or a time: " 14:05:09.3" as the recorder writes it, or
//     1:02'03.500" as the logger's sessions do (older formats and gaps leave the
//     sub record's empty; records made without a clock leave it empty);
//   - the main record shows something: its display text is empty only in a gap
//     sample, whose value is NaN (a display always shows at least its blanks).
// So a file of zero bytes, of 0xFF bytes or of random bytes is refused at its
// first record.
//
// The checks look at the bytes of a record's file image, the only place where a
// missing terminator can be seen; they are pure and safe on any thread, and fast
// enough to run over every record of a file of millions while it is read.

#include "model/ReadingRecord.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace telmora {

enum class RecordFault : std::uint8_t {
    None,
    HasSubFlag,       // the has-sub byte is neither 0 nor 1
    TextUnterminated, // a text fills its field without a terminating zero byte
    TextByte,         // a text holds a control byte or a byte outside printable ASCII
    FunctionCode,     // a function code no meter reports
    TimeText,         // the time text is not a time
    NoReading,        // the main record shows nothing and is no gap
};

enum class RecordField : std::uint8_t {
    HasSub,
    ValueText,
    ExponentText,
    FunctionCode,
    TimeText,
    DisplayText,
    PrefixText,
    UnitText,
    ModeText,
};

// What is wrong with a record, if anything.
struct RecordProblem {
    RecordFault fault = RecordFault::None;
    RecordField field = RecordField::HasSub;
    bool inSub = false; // the fault is in the sub reading's record

    explicit operator bool() const { return fault != RecordFault::None; }
};

// The layouts of the records of a file.
enum class RecordLayout {
    Sample,        // 169 bytes: has-sub byte, main and sub record (.g53, .TMP)
    MainRecord,    // 84 bytes: a main record; its mode text is not read (.g52)
    SessionRecord, // 76 bytes: a main record without mode text (.g51)
};
std::size_t RecordLayoutBytes(RecordLayout layout);

// What is wrong with one record image of `layout` (RecordLayoutBytes bytes).
RecordProblem CheckRecordImage(RecordLayout layout, std::span<const std::uint8_t> image);
// The same for the 169-byte image of a sample and for the first 76 bytes of a main
// record.
RecordProblem CheckSampleImage(std::span<const std::uint8_t, kSampleSize> image);
RecordProblem CheckMainRecordImage(std::span<const std::uint8_t, kSessionRecordSize> image);

// The index of the first record that is not sound among the images of records of
// `layout` laid back to back in `images`, or their number when all are. This is
// the check files are read with: it looks at a block of records at once, at about
// the speed the records are read from the disk cache.
std::size_t FirstUnsoundRecord(RecordLayout layout, std::span<const std::uint8_t> images);

// The problem in plain words, for messages: "the main reading's time text is not a
// time", "the sub reading's unit text has no terminating zero byte", ...
std::string DescribeRecordProblem(const RecordProblem& problem);

// Whether `text` is a time text a writer puts in a record (see above).
bool IsRecordTimeText(std::string_view text);
// Whether a stored function code is one a meter reports (see above).
bool IsRecordFunctionCode(std::uint32_t code);

} // namespace telmora
