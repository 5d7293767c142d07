#include "recording/recorderexport.h"

#include "model/functiontable.h"

#include "model/SaveFile.h"
#include "recording/recorderexportpieces.h"
#include "recording/recorderexportrecords.h"
#include "recording/recorderpages.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cstring>
#include <optional>
#include <vector>

namespace telmora {

namespace {

// Length of a text stored zero-terminated in a field of N bytes (N = 8 or 16) at
// `p`: the bytes before the first zero, the last byte always ending it. Eight bytes
// are looked at at a time.
template <std::size_t N> std::size_t storedTextLength(const char* p) {
    static_assert(N % 8 == 0);
    if constexpr (std::endian::native != std::endian::little) {
        std::size_t n = 0;
        while (n + 1 < N && p[n] != '\0')
            ++n;
        return n;
    }
    for (std::size_t at = 0; at < N; at += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, p + at, 8);
        if (at + 8 == N)
            word &= 0x00FFFFFFFFFFFFFFull; // the last byte ends the text
        // The lowest byte flagged is the first zero byte.
        const std::uint64_t zeros = (word - 0x0101010101010101ull) & ~word & 0x8080808080808080ull;
        if (zeros != 0)
            return at + static_cast<std::size_t>(std::countr_zero(zeros) / 8);
    }
    return N - 1;
}

// A text of a record in its field of N bytes: the field and the text's length.
template <std::size_t N> struct FieldText {
    const char* data;
    std::size_t size;
};

// A decoded record, as the line formatter reads it.
struct DecodedFields {
    const ReadingRecord& r;
    std::uint32_t function() const { return r.function(); }
    FieldText<16> time() const { return {r.timeText.data, StoredTextView(r.timeText).size()}; }
    FieldText<16> display() const {
        return {r.displayText.data, StoredTextView(r.displayText).size()};
    }
    FieldText<8> prefix() const { return {r.prefixText.data, StoredTextView(r.prefixText).size()}; }
    FieldText<16> unit() const { return {r.unitText.data, StoredTextView(r.unitText).size()}; }
    FieldText<8> mode() const { return {r.modeText.data, StoredTextView(r.modeText).size()}; }
};

// A record in its 84-byte file image, read where it lies.
struct ImageFields {
    const char* p;
    template <std::size_t N> FieldText<N> text(std::size_t offset) const {
        return {p + offset, storedTextLength<N>(p + offset)};
    }
    std::uint32_t function() const {
        const auto* b = reinterpret_cast<const unsigned char*>(p + 12);
        return (std::uint32_t{b[0]} | std::uint32_t{b[1]} << 8 | std::uint32_t{b[2]} << 16 |
                std::uint32_t{b[3]} << 24) &
               kFunctionMask;
    }
    FieldText<16> time() const { return text<16>(16); }
    FieldText<16> display() const { return text<16>(32); }
    FieldText<8> prefix() const { return text<8>(48); }
    FieldText<16> unit() const { return text<16>(56); }
    FieldText<8> mode() const { return text<8>(76); }
};

// Writes lines into a buffer with room for the longest line: fields are copied
// whole (cheap for their fixed size) and the cursor moves by their length.
class LineWriter {
public:
    explicit LineWriter(char* at) : m_at(at) {}
    template <std::size_t N> void add(FieldText<N> text) { add(text, text.size); }
    template <std::size_t N> void add(FieldText<N> text, std::size_t length) {
        std::memcpy(m_at, text.data, N);
        m_at += length;
    }
    void add(std::string_view text) {
        std::memcpy(m_at, text.data(), text.size());
        m_at += text.size();
    }
    void add(char c) { *m_at++ = c; }
    void add(const LineNumber& number) { m_at = number.write(m_at); }
    char* end() const { return m_at; }

private:
    char* m_at;
};

// The longest line with its line end: a number, the time and two displays of
// 16-byte texts with their separators and mode brackets, and room for a whole field
// copied last.
constexpr std::size_t kMaxLineBytes = 24 + 16 + 2 * (3 + 3 * 16 + 8 + 8) + 2 + 16;

// Writes ",display,prefix,unit" of one display: resistance units read "Ohm" (main
// only), decibel prefixes move into the unit (main only), degree letters move from
// the display text into the unit with the mode ("25.3" / " C [T1]"), and other mode
// texts follow the unit in brackets after `modeGap`.
template <typename Fields>
void addDisplayFields(LineWriter& line, const Fields& r, bool main, std::string_view modeGap) {
    const FunctionRow& row = FunctionRowOf(r.function());
    const FieldText<16> display = r.display();
    const char degree = row.degreeLetter();
    const bool degreeMoves =
        degree != '\0' && std::memchr(display.data, degree, display.size) != nullptr;
    line.add(',');
    line.add(display, degreeMoves ? display.size - 1 : display.size);
    line.add(',');
    if (main && row.function == MeterFunction::DecibelMilliwatt) {
        line.add(',');
        line.add(r.prefix());
        line.add(r.unit());
        return;
    }
    line.add(r.prefix());
    line.add(',');
    if (main && row.ohm) {
        line.add(std::string_view("Ohm"));
        return;
    }
    line.add(r.unit());
    if (degreeMoves) {
        line.add(' ');
        line.add(degree);
        line.add(std::string_view(" ["));
        line.add(r.mode());
        line.add(']');
    } else if (const FieldText<8> mode = r.mode(); degree == '\0' && mode.size != 0) {
        line.add(modeGap);
        line.add(mode);
        line.add(']');
    }
}

// Writes the line of sample `index` at `at`, without its line end; returns its end.
template <typename Fields>
char* writeLine(char* at, const LineNumber& number, const Fields& main, const Fields* sub) {
    LineWriter line(at);
    line.add(number);
    line.add(',');
    line.add(main.time());
    addDisplayFields(line, main, true, "  [");
    if (sub != nullptr)
        addDisplayFields(line, *sub, false, " [");
    return line.end();
}

char* writeLine(char* at, const LineNumber& number, const SampleEntry& e) {
    const DecodedFields main{e.main};
    const DecodedFields sub{e.sub};
    return writeLine(at, number, main, e.hasSub == 1 ? &sub : nullptr);
}

// Writes the line of a sample in its 169-byte file image.
char* writeImageLine(char* at, const LineNumber& number, const std::uint8_t* image) {
    const auto* p = reinterpret_cast<const char*>(image);
    const ImageFields main{p + 1};
    const ImageFields sub{p + 1 + kRecordSize};
    return writeLine(at, number, main, image[0] == 1 ? &sub : nullptr);
}

char* addLineEnd(char* at) {
    at[0] = '\r';
    at[1] = '\n';
    return at + 2;
}

} // namespace

std::string RecorderTextLine(std::int64_t index, const SampleEntry& entry) {
    std::string line;
    line.reserve(96);
    AppendRecorderTextLine(line, index, entry);
    return line;
}

void AppendRecorderTextLine(std::string& out, std::int64_t index, const SampleEntry& e) {
    char line[kMaxLineBytes];
    out.append(line, writeLine(line, LineNumber(index + 1), e));
}

std::int32_t LastPageForCount(std::int64_t count) {
    return count <= 0 ? 1 : PageOfIndex(count - 1);
}

namespace {

// Samples per piece of an export formatted on its own: a few hundred kilobytes of
// text, small enough to stay in the processor's cache until it is written.
constexpr std::int64_t kPieceSamples = 1 << 13;

// The text of pages first..last of `count` samples, formatted in pieces on worker
// threads. `writeLines(begin, end, at)` writes the lines of samples begin .. end - 1
// at `at` (room for kMaxLineBytes each) and returns their end, or null when it could
// not read them. Each worker writes into a buffer of its own, which goes to the
// piece's text with one copy.
template <typename WriteLines>
bool writeText(std::int64_t count, WriteLines&& writeLines, std::int32_t first, std::int32_t last,
               std::int32_t lastPage, const TextSink& sink) {
    std::string header(kRecorderTextHeader);
    header += "\r\n";
    if (!sink(header))
        return false;
    const PageIndexRange range = IndexRangeOfPages(count, first, last, lastPage);
    const std::int64_t pieces = (range.size() + kPieceSamples - 1) / kPieceSamples;
    std::vector<std::vector<char>> buffers(static_cast<std::size_t>(PieceWorkers(pieces)));
    return WritePiecesInOrder(
        pieces,
        [&](int worker, std::int64_t piece, std::string& out) {
            const std::int64_t begin = range.begin + piece * kPieceSamples;
            const std::int64_t end = std::min(begin + kPieceSamples, range.end);
            std::vector<char>& buffer = buffers[static_cast<std::size_t>(worker)];
            buffer.resize(static_cast<std::size_t>(end - begin) * kMaxLineBytes);
            const char* written = writeLines(worker, begin, end, buffer.data());
            if (written == nullptr)
                return false;
            out.assign(buffer.data(), static_cast<std::size_t>(written - buffer.data()));
            return true;
        },
        sink);
}

// The lines of the samples of a store, each worker reading with a reader of its own.
class StoreLines {
public:
    explicit StoreLines(const RecordStore& samples) {
        const int workers = PieceWorkers(samples.size());
        for (int i = 0; i < workers; ++i)
            m_readers.emplace_back(samples);
    }

    char* operator()(int worker, std::int64_t begin, std::int64_t end, char* at) {
        ExportRecords& records = m_readers[static_cast<std::size_t>(worker)];
        LineNumber number(begin + 1);
        const bool read = records.forEach(
            begin, end,
            [&](std::int64_t, const std::uint8_t* image) {
                at = addLineEnd(writeImageLine(at, number, image));
                number.next();
            },
            [&](std::int64_t, const SampleEntry& entry) {
                at = addLineEnd(writeLine(at, number, entry));
                number.next();
            });
        return read ? at : nullptr; // a file that no longer holds a record fails the piece
    }

    // Whether a record could not be read.
    bool failed() const {
        return std::any_of(m_readers.begin(), m_readers.end(),
                           [](const ExportRecords& r) { return r.failed(); });
    }

private:
    std::vector<ExportRecords> m_readers;
};

// Writes through SaveFile what `produce(sink)` hands to its sink. A failure that
// is not the file's own (the producer gave up) leaves `error` to the caller.
template <typename Produce>
bool exportText(const QString& path, QString* error, std::stop_token stop, Produce&& produce) {
    SaveFile file(path);
    const bool opened = file.open();
    EarlyWriteback writeback(opened ? file.fileDevice().handle() : -1);
    const bool written = opened && produce([&](std::string_view s) {
                             if (stop.stop_requested() || !file.write(s))
                                 return false;
                             writeback.written(s.size());
                             return true;
                         }) &&
                         !stop.stop_requested() && file.commit();
    if (!written) {
        file.cancel();
        if (error != nullptr)
            *error = stop.stop_requested() ? QString() : file.errorString();
    }
    return written;
}

} // namespace

bool WriteRecorderText(const SampleList& samples, std::int32_t first, std::int32_t last,
                       std::int32_t lastPage, const TextSink& sink) {
    return writeText(
        static_cast<std::int64_t>(samples.size()),
        [&](int, std::int64_t begin, std::int64_t end, char* at) {
            LineNumber number(begin + 1);
            for (std::int64_t j = begin; j < end; ++j, number.next())
                at = addLineEnd(writeLine(at, number, samples[static_cast<std::size_t>(j)]));
            return at;
        },
        first, last, lastPage, sink);
}

bool WriteRecorderText(const RecordStore& samples, std::int32_t first, std::int32_t last,
                       std::int32_t lastPage, const TextSink& sink) {
    StoreLines lines(samples);
    return writeText(samples.size(), lines, first, last, lastPage, sink);
}

bool ExportRecorderText(const QString& path, const SampleList& samples, std::int32_t first,
                        std::int32_t last, std::int32_t lastPage, QString* error,
                        std::stop_token stop) {
    return exportText(path, error, stop, [&](const TextSink& sink) {
        return WriteRecorderText(samples, first, last, lastPage, sink);
    });
}

bool ExportRecorderText(const QString& path, const RecordStore& samples, std::int32_t first,
                        std::int32_t last, std::int32_t lastPage, QString* error,
                        std::stop_token stop) {
    StoreLines lines(samples);
    const bool written = exportText(path, error, stop, [&](const TextSink& sink) {
        return writeText(samples.size(), lines, first, last, lastPage, sink);
    });
    // A record its file no longer holds would be an empty line: no file then.
    if (!written && lines.failed() && error != nullptr)
        *error = QStringLiteral("the recording's file has become shorter");
    return written;
}

} // namespace telmora
