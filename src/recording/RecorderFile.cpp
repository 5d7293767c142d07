#include "recording/RecorderFile.h"

#include "model/SaveFile.h"
#include "model/fileaccess.h"
#include "model/functiontable.h"

#include <QBuffer>
#include <QFile>

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <limits>
#include <new>

namespace telmora {

namespace {

constexpr std::size_t kChunkSamples = 2048; // samples read or written per block
constexpr std::size_t kValueOffset = offsetof(ReadingRecord, value); // in a record's image

std::int32_t readLe32(const std::uint8_t* p) {
    return static_cast<std::int32_t>(
        static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
        static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24);
}

} // namespace

RecorderFormat RecorderFormatForName(QStringView path) {
    qsizetype folderEnd = path.lastIndexOf(u'/');
#ifdef Q_OS_WIN
    folderEnd = std::max(folderEnd, path.lastIndexOf(u'\\'));
#endif
    const QStringView name = path.mid(folderEnd + 1);
    if (name.contains(u".g51"))
        return RecorderFormat::G51;
    if (name.contains(u".g52"))
        return RecorderFormat::G52;
    if (name.contains(u".tmp") || name.contains(u".TMP"))
        return RecorderFormat::Tmp;
    return RecorderFormat::G53;
}

std::size_t RecorderSampleBytes(RecorderFormat format) {
    switch (format) {
    case RecorderFormat::G53:
    case RecorderFormat::Tmp:
        return kSampleSize;
    case RecorderFormat::G52:
        return kRecordSize;
    case RecorderFormat::G51:
        return kSessionRecordSize;
    }
    return kSampleSize;
}

std::string_view ModeTextForCode(std::uint32_t code) {
    return ModeText(FunctionRowOf(code).mode);
}

SampleEntry DecodeRecorderSample(RecorderFormat format, std::span<const std::uint8_t> bytes) {
    switch (format) {
    case RecorderFormat::G53:
    case RecorderFormat::Tmp:
        return DecodeSample(bytes.first<kSampleSize>());
    case RecorderFormat::G52:
    case RecorderFormat::G51: {
        SampleEntry e;
        e.main = DecodeRecord(bytes.first(RecorderSampleBytes(format)));
        e.main.modeText.assign(ModeTextForCode(e.main.functionCode));
        return e;
    }
    }
    return {};
}

bool SaveRecorderFile(const QString& path, const SampleList& samples, QString* error) {
    auto fail = [&](const QString& reason) {
        if (error != nullptr)
            *error = reason;
        return false;
    };
    if (samples.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
        return fail(QStringLiteral("too many samples for one file"));

    SaveFile file(path);
    if (!file.open())
        return fail(file.errorString());

    const auto count = static_cast<std::uint32_t>(samples.size());
    const std::array<std::uint8_t, 4> header{
        static_cast<std::uint8_t>(count), static_cast<std::uint8_t>(count >> 8),
        static_cast<std::uint8_t>(count >> 16), static_cast<std::uint8_t>(count >> 24)};
    if (!file.write(std::span(header)))
        return fail(file.errorString());
    std::vector<std::uint8_t> block(kChunkSamples * kSampleSize);
    std::size_t i = 0;
    while (i < samples.size()) {
        const std::size_t n = std::min(kChunkSamples, samples.size() - i);
        for (std::size_t k = 0; k < n; ++k)
            EncodeSample(samples[i + k], std::span<std::uint8_t, kSampleSize>(
                                             block.data() + k * kSampleSize, kSampleSize));
        if (!file.write(std::span<const std::uint8_t>(block.data(), n * kSampleSize)))
            return fail(file.errorString());
        i += n;
    }
    if (!file.commit())
        return fail(file.errorString());
    return true;
}

QString DamageText(const RecordDamage& damage) {
    return QStringLiteral("sample %1: %2")
        .arg(damage.sample + 1)
        .arg(QString::fromStdString(DescribeRecordProblem(damage.problem)));
}

RecorderFileReader::RecorderFileReader() = default;
RecorderFileReader::~RecorderFileReader() = default;

RecorderFileReader::OpenStatus RecorderFileReader::open(const QString& path, FileLinks links) {
    return openNative(NativePath(path), links);
}

RecorderFileReader::OpenStatus RecorderFileReader::openNative(const QByteArray& nativePath,
                                                              FileLinks links) {
    m_format = RecorderFormatForName(PathText(nativePath));
    m_openError.clear();
    auto file = std::make_unique<QFile>();
    // Only regular files: a pipe or device would block or never end.
    if (!OpenRegularFile(*file, nativePath, links, &m_openError))
        return OpenStatus::CannotOpen;
    const qint64 size = file->size();
    m_device = std::move(file);
    return start(size);
}

RecorderFileReader::OpenStatus RecorderFileReader::openBytes(std::span<const std::uint8_t> bytes,
                                                             RecorderFormat format) {
    m_format = format;
    // The buffer holds its own view of the caller's bytes, so it may outlive the reader.
    auto buffer = std::make_unique<QBuffer>();
    buffer->setData(QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                            static_cast<qsizetype>(bytes.size())));
    if (!buffer->open(QIODevice::ReadOnly))
        return OpenStatus::CannotOpen;
    m_device = std::move(buffer);
    return start(static_cast<std::int64_t>(bytes.size()));
}

RecorderFileReader::OpenStatus RecorderFileReader::start(std::int64_t size) {
    m_position = 0;
    m_readFailed = false;
    m_damage = {};
    m_chunkPos = m_chunkLen = m_chunkSound = 0;
    m_noSamples = NoSamples::No;
    const auto recordBytes = static_cast<std::int64_t>(RecorderSampleBytes(m_format));
    if (m_format == RecorderFormat::G53) {
        std::array<std::uint8_t, 4> header{};
        if (size < 4 || m_device->read(reinterpret_cast<char*>(header.data()), 4) != 4) {
            // Too short even for its count: a file without samples.
            m_announced = m_count = 0;
            m_noSamples = NoSamples::TooShort;
            return OpenStatus::Ok;
        }
        const std::int32_t announced = readLe32(header.data());
        if (announced < 0) {
            m_device.reset();
            return OpenStatus::NegativeCount;
        }
        m_announced = announced;
        m_count = std::min<std::int64_t>(announced, (size - 4) / recordBytes);
        if (announced == 0)
            m_noSamples = size > 4 ? NoSamples::DataAfterZero : NoSamples::Empty;
        else if (m_count == 0)
            m_noSamples = NoSamples::TooShort; // not one of the samples it announces
    } else {
        m_count = m_announced = size / recordBytes;
        if (m_count == 0)
            m_noSamples = size > 0 ? NoSamples::TooShort : NoSamples::Empty;
    }
    // The block is made when the first record is read: a recording of many meters
    // opens all its files before it reads them one after another.
    m_chunk.clear();
    m_chunk.shrink_to_fit();
    return OpenStatus::Ok;
}

std::unique_ptr<QIODevice> RecorderFileReader::releaseDevice() {
    m_chunk.clear();
    m_chunk.shrink_to_fit();
    m_chunkPos = m_chunkLen = m_chunkSound = 0;
    return std::move(m_device);
}

bool RecorderFileReader::fill() {
    const std::size_t recordBytes = RecorderSampleBytes(m_format);
    if (m_chunk.empty())
        m_chunk.resize(kChunkSamples * recordBytes);
    const auto remaining = static_cast<std::size_t>(m_count - m_position);
    const std::size_t want = std::min(kChunkSamples, remaining) * recordBytes;
    std::size_t got = 0;
    while (got < want) {
        const qint64 n = m_device->read(reinterpret_cast<char*>(m_chunk.data() + got),
                                        static_cast<qint64>(want - got));
        if (n <= 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    // Only whole records count; a file that shrank under us ends the reading.
    m_chunkLen = got - got % recordBytes;
    m_chunkPos = 0;
    // Every record is checked as the block comes in, while it is in the processor's
    // cache: the records before the first damaged one are handed out.
    m_chunkSound = FirstUnsoundRecord(RecordLayoutOf(m_format),
                                      std::span<const std::uint8_t>(m_chunk.data(), m_chunkLen));
    if (m_chunkLen == 0) {
        m_readFailed = true;
        return false;
    }
    return true;
}

bool RecorderFileReader::nextRecord() {
    if (!m_device || m_readFailed || damaged() || m_position >= m_count)
        return false;
    return m_chunkPos < m_chunkLen || fill();
}

bool RecorderFileReader::sound() {
    const std::size_t recordBytes = RecorderSampleBytes(m_format);
    if (m_chunkPos < m_chunkSound * recordBytes)
        return true;
    const RecordLayout layout = RecordLayoutOf(m_format);
    m_damage = {m_position,
                CheckRecordImage(layout, std::span<const std::uint8_t>(m_chunk.data() + m_chunkPos,
                                                                       RecordLayoutBytes(layout)))};
    return false;
}

bool RecorderFileReader::checkRest() {
    const std::size_t recordBytes = RecorderSampleBytes(m_format);
    while (nextRecord()) {
        if (!sound())
            return false;
        // The rest of the block was checked when it was read.
        const std::size_t records = (m_chunkLen - m_chunkPos) / recordBytes;
        const std::size_t checked = std::min(records, m_chunkSound - m_chunkPos / recordBytes);
        m_chunkPos += checked * recordBytes;
        m_position += static_cast<std::int64_t>(checked);
    }
    return !m_readFailed && !damaged();
}

bool RecorderFileReader::readNext(SampleEntry& out) {
    if (!nextRecord() || !sound())
        return false;
    const std::size_t recordBytes = RecorderSampleBytes(m_format);
    out = DecodeRecorderSample(
        m_format, std::span<const std::uint8_t>(m_chunk.data() + m_chunkPos, recordBytes));
    m_chunkPos += recordBytes;
    ++m_position;
    return true;
}

std::size_t RecorderFileReader::readValues(std::span<float> out) {
    const std::size_t recordBytes = RecorderSampleBytes(m_format);
    // The main record follows the has-sub byte in the 169-byte layouts.
    const std::size_t valueAt =
        (m_format == RecorderFormat::G53 || m_format == RecorderFormat::Tmp ? 1 : 0) + kValueOffset;
    std::size_t done = 0;
    while (done < out.size() && nextRecord() && sound()) {
        // Only the records before the first damaged one of the block are read.
        const std::size_t take =
            std::min({out.size() - done, (m_chunkLen - m_chunkPos) / recordBytes,
                      m_chunkSound - m_chunkPos / recordBytes});
        const std::uint8_t* record = m_chunk.data() + m_chunkPos;
        for (std::size_t k = 0; k < take; ++k, record += recordBytes) {
            const std::uint8_t* p = record + valueAt;
            const std::uint32_t bits =
                static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
                static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
            out[done + k] = std::bit_cast<float>(bits);
        }
        done += take;
        m_chunkPos += take * recordBytes;
        m_position += static_cast<std::int64_t>(take);
    }
    return done;
}

bool RecorderFileReader::readNextMain(ReadingRecord& out) {
    if (!nextRecord() || !sound())
        return false;
    // The main record follows the has-sub byte in the 169-byte layouts.
    const std::size_t recordBytes = RecorderSampleBytes(m_format);
    const bool full = m_format == RecorderFormat::G53 || m_format == RecorderFormat::Tmp;
    const std::uint8_t* p = m_chunk.data() + m_chunkPos + (full ? 1 : 0);
    out = DecodeRecord(std::span<const std::uint8_t>(p, full ? kRecordSize : recordBytes));
    if (!full)
        out.modeText.assign(ModeTextForCode(out.functionCode));
    m_chunkPos += recordBytes;
    ++m_position;
    return true;
}

QString NoSamplesProblem(const RecorderFileReader& reader) {
    using NoSamples = RecorderFileReader::NoSamples;
    switch (reader.noSamples()) {
    case NoSamples::No:
    case NoSamples::Empty:
        return {};
    case NoSamples::TooShort:
        return reader.format() == RecorderFormat::G53
                   ? QStringLiteral("the file is damaged and holds no samples: it is too short "
                                    "for its sample count")
                   : QStringLiteral("the file is damaged and holds no samples: it is shorter "
                                    "than one sample");
    case NoSamples::DataAfterZero:
        return QStringLiteral("the file is damaged and holds no samples: its sample count is 0 "
                              "but data follows it");
    }
    return {};
}

namespace {

RecorderLoadResult loadAll(RecorderFileReader& reader, RecorderFileReader::OpenStatus status,
                           SampleList& into) {
    RecorderLoadResult result;
    result.status = status;
    result.openError = reader.openError();
    if (status != RecorderFileReader::OpenStatus::Ok)
        return result;
    SampleList loaded;
    SampleEntry entry;
    try {
        while (reader.readNext(entry))
            loaded.append(entry);
    } catch (const std::bad_alloc&) {
        result.outOfMemory = true;
        return result;
    }
    if (reader.readFailed()) {
        result.readFailed = true;
        return result;
    }
    if (reader.damaged()) {
        result.damage = reader.damage();
        return result;
    }
    result.loaded = static_cast<std::int64_t>(loaded.size());
    result.cutShort = reader.cutShort();
    into = std::move(loaded);
    return result;
}

} // namespace

RecorderLoadResult LoadRecorderFile(const QString& path, SampleList& into) {
    RecorderFileReader reader;
    const auto status = reader.open(path);
    return loadAll(reader, status, into);
}

RecorderLoadResult LoadRecorderFileNative(const QByteArray& nativePath, SampleList& into) {
    RecorderFileReader reader;
    const auto status = reader.openNative(nativePath);
    return loadAll(reader, status, into);
}

RecorderLoadResult LoadRecorderBytes(std::span<const std::uint8_t> bytes, RecorderFormat format,
                                     SampleList& into) {
    RecorderFileReader reader;
    const auto status = reader.openBytes(bytes, format);
    return loadAll(reader, status, into);
}

RecordLayout RecordLayoutOf(RecorderFormat format) {
    switch (format) {
    case RecorderFormat::G53:
    case RecorderFormat::Tmp:
        return RecordLayout::Sample;
    case RecorderFormat::G52:
        return RecordLayout::MainRecord;
    case RecorderFormat::G51:
        return RecordLayout::SessionRecord;
    }
    return RecordLayout::Sample;
}

} // namespace telmora
