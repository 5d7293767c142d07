#include "logger/SessionFile.h"

#include "model/LoggerMemory.h"
#include "model/SaveFile.h"
#include "model/fileaccess.h"

#include <QBuffer>
#include <QFile>

#include <array>
#include <functional>
#include <new>
#include <span>

namespace telmora {

namespace {

void PutI32(std::uint8_t* out, std::int32_t value) {
    const auto v = static_cast<std::uint32_t>(value);
    out[0] = static_cast<std::uint8_t>(v & 0xFF);
    out[1] = static_cast<std::uint8_t>((v >> 8) & 0xFF);
    out[2] = static_cast<std::uint8_t>((v >> 16) & 0xFF);
    out[3] = static_cast<std::uint8_t>((v >> 24) & 0xFF);
}

std::int32_t GetI32(const std::uint8_t* in) {
    return static_cast<std::int32_t>(
        static_cast<std::uint32_t>(in[0]) | (static_cast<std::uint32_t>(in[1]) << 8) |
        (static_cast<std::uint32_t>(in[2]) << 16) | (static_cast<std::uint32_t>(in[3]) << 24));
}

// Collects the file image in pieces and hands them to a sink.
class ChunkWriter {
public:
    using Sink = std::function<bool(std::span<const std::uint8_t>)>;
    explicit ChunkWriter(Sink sink) : m_sink(std::move(sink)) { m_buffer.reserve(kChunk + 256); }
    std::uint8_t* grow(std::size_t n) {
        const std::size_t at = m_buffer.size();
        m_buffer.resize(at + n);
        return m_buffer.data() + at;
    }
    bool flushIfFull() { return m_buffer.size() < kChunk || flush(); }
    bool flush() {
        const bool ok = m_buffer.empty() || m_sink(m_buffer);
        m_buffer.clear();
        return ok;
    }

private:
    static constexpr std::size_t kChunk = 64 * 1024;
    Sink m_sink;
    std::vector<std::uint8_t> m_buffer;
};

// Reads exactly n bytes or fails.
bool ReadExactly(QIODevice& in, std::uint8_t* data, qint64 n) {
    qint64 got = 0;
    while (got < n) {
        const qint64 r = in.read(reinterpret_cast<char*>(data) + got, n - got);
        if (r <= 0) {
            return false;
        }
        got += r;
    }
    return true;
}

// Hands the file image of `sessions` to `sink` in pieces.
bool WriteSessionImage(std::span<const SampleList> sessions, const ChunkWriter::Sink& sink) {
    ChunkWriter w(sink);
    PutI32(w.grow(4), static_cast<std::int32_t>(sessions.size()));
    for (const SampleList& list : sessions) {
        PutI32(w.grow(4), static_cast<std::int32_t>(list.size()));
        for (std::size_t i = 0; i < list.size(); ++i) {
            const SampleEntry& e = list[i];
            const bool hasSub = e.hasSub != 0;
            std::uint8_t* p = w.grow(hasSub ? kSessionEntryWithSubSize : kSessionEntrySize);
            p[0] = hasSub ? 1 : 0;
            EncodeRecord(e.main, std::span<std::uint8_t>(p + 1, kSessionRecordSize));
            if (hasSub) {
                EncodeRecord(
                    e.sub, std::span<std::uint8_t>(p + 1 + kSessionRecordSize, kSessionRecordSize));
            }
            if (!w.flushIfFull()) {
                return false;
            }
        }
    }
    return w.flush();
}

} // namespace

bool WriteSessions(QIODevice& out, std::span<const SampleList> sessions) {
    return WriteSessionImage(sessions, [&out](std::span<const std::uint8_t> piece) {
        const auto size = static_cast<qint64>(piece.size());
        return out.write(reinterpret_cast<const char*>(piece.data()), size) == size;
    });
}

SessionFileStatus SaveSessionFile(const QString& path, std::span<const SampleList> sessions,
                                  QString* reason) {
    SaveFile file(path);
    const bool opened = file.open();
    if (!opened ||
        !WriteSessionImage(
            sessions, [&file](std::span<const std::uint8_t> piece) { return file.write(piece); }) ||
        !file.commit()) {
        if (reason != nullptr) {
            *reason = file.errorString();
        }
        return opened ? SessionFileStatus::WriteFailed : SessionFileStatus::OpenFailed;
    }
    return SessionFileStatus::Ok;
}

SessionFileStatus ReadSessions(QIODevice& in, std::vector<SampleList>& sessions,
                               const SessionReadProgress& progress) {
    try {
        std::array<std::uint8_t, kSessionEntryWithSubSize> buf{};
        if (!ReadExactly(in, buf.data(), 4)) {
            return SessionFileStatus::Damaged;
        }
        const std::int32_t count = GetI32(buf.data());
        if (count < 0 || count > kMaxImportSessions) {
            return SessionFileStatus::Damaged;
        }
        std::vector<SampleList> loaded(static_cast<std::size_t>(count));
        for (int s = 0; s < count; ++s) {
            if (!ReadExactly(in, buf.data(), 4)) {
                return SessionFileStatus::Damaged;
            }
            const std::int32_t entries = GetI32(buf.data());
            if (entries < 0) {
                return SessionFileStatus::Damaged;
            }
            SampleList& list = loaded[static_cast<std::size_t>(s)];
            for (std::int32_t l = 0; l < entries; ++l) {
                if (!ReadExactly(in, buf.data(), kSessionEntrySize)) {
                    return SessionFileStatus::Damaged;
                }
                if (buf[0] > 1) {
                    return SessionFileStatus::Damaged;
                }
                SampleEntry entry;
                entry.hasSub = buf[0];
                entry.main =
                    DecodeRecord(std::span<const std::uint8_t>(buf.data() + 1, kSessionRecordSize));
                if (entry.hasSub != 0) {
                    if (!ReadExactly(in, buf.data() + kSessionEntrySize, kSessionRecordSize)) {
                        return SessionFileStatus::Damaged;
                    }
                    entry.sub = DecodeRecord(std::span<const std::uint8_t>(
                        buf.data() + kSessionEntrySize, kSessionRecordSize));
                }
                list.append(entry);
                // Progress at most every 1024 entries and at the end of a session.
                if (progress && (((l + 1) & 1023) == 0 || l + 1 == entries) &&
                    !progress(s, l + 1, entries)) {
                    return SessionFileStatus::Cancelled;
                }
            }
            if (progress && entries == 0 && !progress(s, 0, 0)) {
                return SessionFileStatus::Cancelled;
            }
        }
        sessions = std::move(loaded);
        return SessionFileStatus::Ok;
    } catch (const std::bad_alloc&) {
        return SessionFileStatus::OutOfMemory;
    }
}

SessionFileStatus LoadSessionFile(const QString& path, std::vector<SampleList>& sessions,
                                  const SessionReadProgress& progress, QString* reason) {
    return LoadSessionFile(NativePath(path), sessions, progress, reason);
}

SessionFileStatus LoadSessionFile(const QByteArray& nativePath, std::vector<SampleList>& sessions,
                                  const SessionReadProgress& progress, QString* reason) {
    QFile file;
    if (!OpenRegularFile(file, nativePath, reason)) {
        return SessionFileStatus::OpenFailed;
    }
    return ReadSessions(file, sessions, progress);
}

SessionFileStatus ParseSessionBytes(std::span<const std::uint8_t> bytes,
                                    std::vector<SampleList>& sessions) {
    QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    return ReadSessions(buffer, sessions);
}

} // namespace telmora
