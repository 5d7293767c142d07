#pragma once

#include "model/ReadingRecord.h"
#include "model/SampleLists.h"
#include "model/fileaccess.h"
#include "model/recordcheck.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

class QIODevice;

namespace telmora {

// The recorder's binary files. All are built from the 84-byte ReadingRecord:
//   .g53  signed 32-bit sample count, then 169 bytes per sample (written and read)
//   .TMP  169 bytes per sample, no header; count = size / 169
//   .g52  one 84-byte main record per sample; count = size / 84
//   .g51  the first 76 bytes of a main record per sample; count = size / 76
enum class RecorderFormat { G53, Tmp, G52, G51 };

// The format of a file, chosen by its file name alone (the folders above it do not
// count): a case-sensitive search anywhere in the name for ".g51", then ".g52",
// then ".tmp" or ".TMP"; anything else is a .g53 file. So "data.g51.g53" is read
// as .g51, and "x.tmp/demo.g53" as .g53.
RecorderFormat RecorderFormatForName(QStringView path);

// Bytes of one sample in a file of the format.
std::size_t RecorderSampleBytes(RecorderFormat format);
// How the records of a format are laid out for their check (recordcheck.h).
RecordLayout RecordLayoutOf(RecorderFormat format);

// The mode text rebuilt from a main function code for .g51 and .g52 samples, whose
// stored mode text is not used: "AC", "DC", "DC+AC", "T1", "T2", "T1-T2" or empty.
std::string_view ModeTextForCode(std::uint32_t code);

// Turns one stored sample of `format` (exactly RecorderSampleBytes bytes) into a
// buffer entry. Older formats get has-sub 0, an empty sub record and the mode text
// of their code.
SampleEntry DecodeRecorderSample(RecorderFormat format, std::span<const std::uint8_t> bytes);

// Writes `samples` as a .g53 file through SaveFile, so an existing file survives a
// failed save untouched. False with a reason in `error` when the file cannot be
// created or written (missing folder, no permission, disk full).
bool SaveRecorderFile(const QString& path, const SampleList& samples, QString* error = nullptr);

// The first sample of a file that no writer makes (see recordcheck.h).
struct RecordDamage {
    std::int64_t sample = 0; // its index, from 0
    RecordProblem problem;
};

// "sample 3: the main reading's time text is not a time" (samples counted from 1).
QString DamageText(const RecordDamage& damage);

// Reads a recorder file one sample at a time, so the caller can keep its window
// responsive and stop between samples. Whatever the bytes, the reader never reads
// beyond the data it was given and never allocates by a count read from the file:
// the number of samples is limited to the complete records present. Every record
// is checked as it is read: the reading stops before a record no writer makes
// (then damaged() is true), so nothing of it is ever handed out.
class RecorderFileReader {
public:
    enum class OpenStatus {
        Ok,
        CannotOpen,    // missing, unreadable or not a regular file (see openError())
        NegativeCount, // a .g53 header with a count below zero
    };

    RecorderFileReader();
    ~RecorderFileReader();
    RecorderFileReader(const RecorderFileReader&) = delete;
    RecorderFileReader& operator=(const RecorderFileReader&) = delete;

    // Opens a file; the format comes from its name. A file that grows while it is
    // read (the .TMP of a running acquisition) is read as far as it was when opened.
    // `links` Refuse opens the file only when the path's last part is no symbolic link.
    OpenStatus open(const QString& path, FileLinks links = FileLinks::Follow);
    // The same by the bytes the system knows the file by (command-line paths).
    OpenStatus openNative(const QByteArray& nativePath, FileLinks links = FileLinks::Follow);
    // Why the last open gave CannotOpen, in one line.
    QString openError() const { return m_openError; }
    // Reads from bytes held by the caller, which must outlive the reader.
    OpenStatus openBytes(std::span<const std::uint8_t> bytes, RecorderFormat format);

    RecorderFormat format() const { return m_format; }
    // Samples that will be read: the header count of a .g53 file, limited to the
    // complete records present; size / record size for the others.
    std::int64_t count() const { return m_count; }
    // The count a .g53 header announced (equals count() for the other formats).
    std::int64_t announcedCount() const { return m_announced; }
    // A .g53 file whose header announced more samples than it holds.
    bool cutShort() const { return m_announced > m_count; }

    // Why an opened file gives no samples at all.
    enum class NoSamples {
        No,            // it gives samples, or it was cut short (see cutShort())
        Empty,         // a complete, empty recording: a .g53 count of 0 and nothing
                       // after it, or an empty file of the other formats
        TooShort,      // damaged: shorter than a .g53 count or than the first sample it
                       // announces, or than one record of the other formats, yet not empty
        DataAfterZero, // damaged: a .g53 count of 0 with data after it
    };
    NoSamples noSamples() const { return m_noSamples; }
    std::int64_t position() const { return m_position; }

    // Reads the next sample. False at the end, when the data could not be read
    // (then readFailed() is true) or at a damaged record (then damaged() is true).
    bool readNext(SampleEntry& out);
    // Reads the main values of the next samples into `out`, as many as there are up
    // to out.size() (what opening a recording keeps in memory). Returns how many were
    // read: fewer at the end, when the data could not be read (then readFailed()) or
    // before a damaged record (then damaged()).
    std::size_t readValues(std::span<float> out);
    // Reads only the main record of the next sample (what opening a recording needs
    // for its values and statistics). False at the end, when the data could not be
    // read or at a damaged record, as readNext.
    bool readNextMain(ReadingRecord& out);
    // Reads and checks every remaining record without keeping any: true when all of
    // them are whole and sound. For readers that hand the file on unread (exports).
    bool checkRest();
    bool readFailed() const { return m_readFailed; }
    bool damaged() const { return m_damage.problem.fault != RecordFault::None; }
    const RecordDamage& damage() const { return m_damage; }

    // Byte of the first record: after the count of a .g53 file, 0 for the others.
    std::int64_t dataOffset() const { return m_format == RecorderFormat::G53 ? 4 : 0; }
    // Hands over the opened file (or buffer) so the records can be read again later.
    std::unique_ptr<QIODevice> releaseDevice();

private:
    OpenStatus start(std::int64_t size);
    bool fill();

    bool nextRecord();
    // Whether the record at the block's position is sound; keeps its damage when not.
    bool sound();

    std::unique_ptr<QIODevice> m_device;
    RecorderFormat m_format = RecorderFormat::G53;
    std::int64_t m_count = 0;
    std::int64_t m_announced = 0;
    NoSamples m_noSamples = NoSamples::No;
    std::int64_t m_position = 0;
    bool m_readFailed = false;
    RecordDamage m_damage;
    QString m_openError;
    std::vector<std::uint8_t> m_chunk;
    std::size_t m_chunkPos = 0;
    std::size_t m_chunkLen = 0;
    std::size_t m_chunkSound = 0; // records of the block before the first damaged one
};

// Why an opened file that gives no samples is damaged, in one line ("the file is
// damaged and holds no samples: its sample count is 0 but data follows it"); empty
// when it gives samples or is a complete, empty recording.
QString NoSamplesProblem(const RecorderFileReader& reader);

// Result of reading a whole file at once.
struct RecorderLoadResult {
    RecorderFileReader::OpenStatus status = RecorderFileReader::OpenStatus::CannotOpen;
    QString openError; // why the file could not be opened (CannotOpen)
    std::int64_t loaded = 0;
    bool cutShort = false;
    bool readFailed = false;
    bool outOfMemory = false;
    std::optional<RecordDamage> damage; // a record no writer makes; nothing was loaded
};

// Reads every sample of a file (the command-line tool, benchmarks and fuzzers use
// these; the recorder window reads sample by sample with its progress window). On
// success, a cut-short file included, the samples replace the contents of `into`;
// on any other failure `into` is left as it was.
RecorderLoadResult LoadRecorderFile(const QString& path, SampleList& into);
RecorderLoadResult LoadRecorderFileNative(const QByteArray& nativePath, SampleList& into);
RecorderLoadResult LoadRecorderBytes(std::span<const std::uint8_t> bytes, RecorderFormat format,
                                     SampleList& into);

} // namespace telmora
