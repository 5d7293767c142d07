#include "recording/recorderexport.h"

#include "model/functiontable.h"

#include "model/SaveFile.h"
#include "recording/recorderexportpieces.h"
#include "recording/recorderpages.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <optional>
#include <vector>

namespace telmora {

namespace {

// One line under construction in a fixed buffer: the fields are copied whole and
// the line goes to the text with one append, as millions of lines are written.
class LineBuffer {
public:
    // Copies the whole field (cheap for its fixed size) and keeps `length` bytes of it.
    template <std::size_t N> void add(const FixedText<N>& text, std::size_t length) {
        std::memcpy(m_data + m_size, text.data, N);
        m_size += length;
    }
    template <std::size_t N> void add(const FixedText<N>& text) { add(text, text.size()); }
    void add(std::string_view text) {
        std::memcpy(m_data + m_size, text.data(), text.size());
        m_size += text.size();
    }
    void add(char c) { m_data[m_size++] = c; }
    void addNumber(std::int64_t number) {
        const auto [end, ec] = std::to_chars(m_data + m_size, m_data + m_size + 24, number);
        if (ec == std::errc())
            m_size = static_cast<std::size_t>(end - m_data);
    }
    std::string_view text() const { return std::string_view(m_data, m_size); }

private:
    // The longest line: a number, the time and two displays of 16-byte texts with
    // their separators and mode brackets, with room for a whole field copied last.
    char m_data[320];
    std::size_t m_size = 0;
};

// Appends ",display,prefix,unit" of one display: resistance units read "Ohm" (main
// only), decibel prefixes move into the unit (main only), degree letters move from
// the display text into the unit with the mode ("25.3" / " C [T1]"), and other mode
// texts follow the unit in brackets after `modeGap`.
void appendDisplayFields(LineBuffer& line, const ReadingRecord& r, bool main,
                         std::string_view modeGap) {
    const FunctionRow& row = FunctionRowOf(r.function());
    const std::string_view display = r.displayText.view();
    const char degree = row.degreeLetter();
    const bool degreeMoves = degree != '\0' && display.find(degree) != std::string_view::npos;
    line.add(',');
    line.add(r.displayText, degreeMoves ? display.size() - 1 : display.size());
    line.add(',');
    if (main && row.function == MeterFunction::DecibelMilliwatt) {
        line.add(',');
        line.add(r.prefixText);
        line.add(r.unitText);
        return;
    }
    line.add(r.prefixText);
    line.add(',');
    if (main && row.ohm) {
        line.add(std::string_view("Ohm"));
        return;
    }
    line.add(r.unitText);
    if (degreeMoves) {
        line.add(' ');
        line.add(degree);
        line.add(std::string_view(" ["));
        line.add(r.modeText);
        line.add(']');
    } else if (degree == '\0' && !r.modeText.empty()) {
        line.add(modeGap);
        line.add(r.modeText);
        line.add(']');
    }
}

} // namespace

std::string RecorderTextLine(std::int64_t index, const SampleEntry& entry) {
    std::string line;
    line.reserve(96);
    AppendRecorderTextLine(line, index, entry);
    return line;
}

void AppendRecorderTextLine(std::string& out, std::int64_t index, const SampleEntry& e) {
    LineBuffer line;
    line.addNumber(index + 1);
    line.add(',');
    line.add(e.main.timeText);
    appendDisplayFields(line, e.main, true, "  [");
    if (e.hasSub == 1)
        appendDisplayFields(line, e.sub, false, " [");
    out += line.text();
}

std::int32_t LastPageForCount(std::int64_t count) {
    return count <= 0 ? 1 : PageOfIndex(count - 1);
}

namespace {

// Samples per piece of an export formatted on its own: a few hundred kilobytes of
// text, small enough to stay in the processor's cache until it is written.
constexpr std::int64_t kPieceSamples = 1 << 13;

// The text of pages first..last of `count` samples, formatted in pieces on worker
// threads. `appendLines(worker, begin, end, out)` appends the lines of samples
// begin .. end - 1 and says whether it could read them.
template <typename AppendLines>
bool writeText(std::int64_t count, AppendLines&& appendLines, std::int32_t first, std::int32_t last,
               std::int32_t lastPage, const TextSink& sink) {
    std::string header(kRecorderTextHeader);
    header += "\r\n";
    if (!sink(header))
        return false;
    const PageIndexRange range = IndexRangeOfPages(count, first, last, lastPage);
    const std::int64_t pieces = (range.size() + kPieceSamples - 1) / kPieceSamples;
    return WritePiecesInOrder(
        pieces,
        [&](int worker, std::int64_t piece, std::string& out) {
            const std::int64_t begin = range.begin + piece * kPieceSamples;
            const std::int64_t end = std::min(begin + kPieceSamples, range.end);
            out.reserve(static_cast<std::size_t>(end - begin) * 64);
            return appendLines(worker, begin, end, out);
        },
        sink);
}

// The lines of the samples of a store, each worker decoding with a reader of its own.
class StoreLines {
public:
    explicit StoreLines(const RecordStore& samples) : m_samples(samples) {
        const auto workers = static_cast<std::size_t>(PieceWorkers(samples.size()));
        for (std::size_t i = 0; i < workers; ++i)
            m_readers.emplace_back(kExportBlockRecords);
    }

    bool operator()(int worker, std::int64_t begin, std::int64_t end, std::string& out) {
        RecordReader& reader = m_readers[static_cast<std::size_t>(worker)];
        for (std::int64_t j = begin; j < end; ++j) {
            const std::optional<SampleEntry> entry = reader.tryRead(m_samples, j);
            if (!entry)
                return false; // its file no longer holds the record
            AppendRecorderTextLine(out, j, *entry);
            out += "\r\n";
        }
        return true;
    }

    // Whether a record could not be read.
    bool failed() const {
        return std::any_of(m_readers.begin(), m_readers.end(),
                           [](const RecordReader& r) { return r.failed(); });
    }

private:
    // Records read at once by each reader: sequential reads of about 170 kB, which
    // stay in the cache while they are decoded.
    static constexpr std::size_t kExportBlockRecords = 1024;

    const RecordStore& m_samples;
    std::vector<RecordReader> m_readers;
};

// Writes through SaveFile what `produce(sink)` hands to its sink. A failure that
// is not the file's own (the producer gave up) leaves `error` to the caller.
template <typename Produce>
bool exportText(const QString& path, QString* error, std::stop_token stop, Produce&& produce) {
    SaveFile file(path);
    const bool written =
        file.open() &&
        produce([&](std::string_view s) { return !stop.stop_requested() && file.write(s); }) &&
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
        [&](int, std::int64_t begin, std::int64_t end, std::string& out) {
            for (std::int64_t j = begin; j < end; ++j) {
                AppendRecorderTextLine(out, j, samples[static_cast<std::size_t>(j)]);
                out += "\r\n";
            }
            return true;
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
