#include "recording/RecordStore.h"

#include "model/SaveFile.h"

#include <QFile>
#include <QFileInfo>

#ifdef __linux__
#include <unistd.h>
#endif

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <limits>

namespace telmora {

namespace {

constexpr std::size_t kCopyBytes = std::size_t{1} << 20; // bytes per read and write of a save
// Bytes the system copies between two looks at the progress and the stop request.
constexpr std::int64_t kCopyPiece = std::int64_t{64} << 20;

} // namespace

// --- RecordFile --------------------------------------------------------------------

RecordFile::RecordFile(std::unique_ptr<QIODevice> device) : m_device(std::move(device)) {
    if (const auto* file = dynamic_cast<QFileDevice*>(m_device.get()); file != nullptr)
        m_handle = file->handle();
}

RecordFile::~RecordFile() = default;

std::shared_ptr<RecordFile> RecordFile::open(const QString& path) {
    auto file = std::make_unique<QFile>(path);
    if (!QFileInfo(path).isFile() || !file->open(QIODevice::ReadOnly))
        return nullptr;
    return std::make_shared<RecordFile>(std::move(file));
}

std::size_t RecordFile::readAt(std::int64_t offset, std::span<std::uint8_t> out) {
#ifdef __linux__
    if (m_handle >= 0) {
        // Positioned reads move no shared position: the readers of an export's
        // threads read side by side without the lock.
        std::size_t got = 0;
        while (got < out.size()) {
            const ssize_t n = ::pread(m_handle, out.data() + got, out.size() - got,
                                      static_cast<off_t>(offset + static_cast<std::int64_t>(got)));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                break;
            got += static_cast<std::size_t>(n);
        }
        return got;
    }
#endif
    const std::lock_guard lock(m_lock);
    if (!m_device || !m_device->seek(offset))
        return 0;
    std::size_t got = 0;
    while (got < out.size()) {
        const qint64 n = m_device->read(reinterpret_cast<char*>(out.data() + got),
                                        static_cast<qint64>(out.size() - got));
        if (n <= 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    return got;
}

RecordFile::CopyOutcome RecordFile::copyTo(QFileDevice& out, std::int64_t offset,
                                           std::int64_t bytes, QString& reason,
                                           const std::function<bool(std::int64_t)>& copied) {
#ifdef __linux__
    const std::lock_guard lock(m_lock);
    auto* source = dynamic_cast<QFileDevice*>(m_device.get());
    if (source == nullptr || source->handle() < 0 || !out.flush() || out.handle() < 0)
        return CopyOutcome::Unsupported;
    loff_t from = offset;
    loff_t to = out.pos();
    std::int64_t left = bytes;
    while (left > 0) {
        // In pieces, so that whoever waits sees it move and may stop it.
        const ssize_t n =
            ::copy_file_range(source->handle(), &from, out.handle(), &to,
                              static_cast<std::size_t>(std::min(left, kCopyPiece)), 0);
        if (n < 0 && left == bytes &&
            (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP ||
             errno == EBADF))
            return CopyOutcome::Unsupported;
        if (n < 0) {
            reason = QString::fromLocal8Bit(std::strerror(errno));
            return CopyOutcome::Failed;
        }
        if (n == 0) {
            reason = QStringLiteral("the recording's file has become shorter");
            return CopyOutcome::Failed;
        }
        left -= n;
        if (copied && !copied(bytes - left)) {
            reason.clear();
            return CopyOutcome::Failed;
        }
    }
    // The device's own position follows the bytes written beside it.
    if (!out.seek(to)) {
        reason = out.errorString();
        return CopyOutcome::Failed;
    }
    return CopyOutcome::Copied;
#else
    Q_UNUSED(out);
    Q_UNUSED(offset);
    Q_UNUSED(bytes);
    Q_UNUSED(reason);
    Q_UNUSED(copied);
    return CopyOutcome::Unsupported;
#endif
}

// --- RecordStore -------------------------------------------------------------------

const RecordStore::Run& RecordStore::runOf(std::int64_t index) const {
    // Runs are few (one per file, one per stretch kept in memory): the last one is
    // the usual answer, a binary search the rest.
    if (m_runs.back().firstIndex <= index)
        return m_runs.back();
    const auto it = std::upper_bound(m_runs.begin(), m_runs.end(), index,
                                     [](std::int64_t i, const Run& r) { return i < r.firstIndex; });
    return *(it - 1);
}

void RecordStore::appendStored(std::shared_ptr<RecordFile> file, RecorderFormat format,
                               std::int64_t offset, std::int64_t count, bool unchecked) {
    if (count <= 0)
        return;
    if (!m_runs.empty()) {
        Run& last = m_runs.back();
        if (last.file == file && last.format == format && last.unchecked == unchecked &&
            last.offset + last.count * static_cast<std::int64_t>(last.recordBytes()) == offset) {
            last.count += count;
            m_size += count;
            return;
        }
    }
    Run run;
    run.firstIndex = m_size;
    run.count = count;
    run.file = std::move(file);
    run.format = format;
    run.offset = offset;
    run.unchecked = unchecked;
    m_runs.push_back(std::move(run));
    m_size += count;
}

void RecordStore::appendInMemory(const SampleEntry& entry) {
    std::array<std::uint8_t, kSampleSize> image{};
    EncodeSample(entry, image);
    if (m_runs.empty() || m_runs.back().file) {
        Run run;
        run.firstIndex = m_size;
        run.memory.assign(image.begin(), image.end());
        run.count = 1;
        m_runs.push_back(std::move(run));
    } else {
        Run& last = m_runs.back();
        last.memory.insert(last.memory.end(), image.begin(), image.end());
        ++last.count;
    }
    ++m_size;
}

void RecordStore::removeLast() {
    if (m_runs.empty())
        return;
    Run& last = m_runs.back();
    if (!last.file)
        last.memory.resize(last.memory.size() - kSampleSize);
    if (--last.count == 0)
        m_runs.pop_back();
    --m_size;
}

void RecordStore::clear() {
    m_runs.clear();
    m_runs.shrink_to_fit();
    m_size = 0;
}

// --- RecordReader ------------------------------------------------------------------

std::optional<SampleEntry> RecordReader::tryRead(const RecordStore& store, std::int64_t index) {
    if (index < 0 || index >= store.size())
        return std::nullopt;
    const RecordStore::Run& run = store.runOf(index);
    const std::size_t recordBytes = run.recordBytes();
    const std::int64_t inRun = index - run.firstIndex;
    if (!run.file) {
        return DecodeSample(std::span<const std::uint8_t, kSampleSize>(
            run.memory.data() + static_cast<std::size_t>(inRun) * kSampleSize, kSampleSize));
    }
    const std::int64_t offset = run.offset + inRun * static_cast<std::int64_t>(recordBytes);
    const bool cached = m_file == run.file && offset >= m_blockOffset &&
                        offset + static_cast<std::int64_t>(recordBytes) <=
                            m_blockOffset + static_cast<std::int64_t>(m_blockValid);
    const bool follows = index == m_lastIndex + 1;
    m_lastIndex = index;
    if (!cached) {
        // Readers that go on record by record get a block of neighbours; a lone read
        // far from the last one (a point of the whole view) takes only its record.
        const auto block = follows ? static_cast<std::int64_t>(m_blockRecords) : 1;
        const std::int64_t start = inRun / block * block;
        const std::int64_t records = std::min(block, run.count - start);
        m_block.resize(static_cast<std::size_t>(records) * recordBytes);
        m_file = run.file;
        m_blockOffset = run.offset + start * static_cast<std::int64_t>(recordBytes);
        m_blockValid = run.file->readAt(m_blockOffset, m_block);
        if (run.unchecked)
            m_blockValid = std::min(
                m_blockValid, recordBytes * FirstUnsoundRecord(RecordLayoutOf(run.format),
                                                               std::span<const std::uint8_t>(
                                                                   m_block.data(), m_blockValid)));
        if (offset + static_cast<std::int64_t>(recordBytes) >
            m_blockOffset + static_cast<std::int64_t>(m_blockValid)) {
            m_failed = true;
            return std::nullopt; // the file no longer holds this record, or not a sound one
        }
    }
    const auto at = static_cast<std::size_t>(offset - m_blockOffset);
    return DecodeRecorderSample(run.format,
                                std::span<const std::uint8_t>(m_block.data() + at, recordBytes));
}

void RecordReader::forget() {
    m_file.reset();
    m_block.clear();
    m_block.shrink_to_fit();
    m_blockValid = 0;
    m_lastIndex = -2;
    m_failed = false;
}

// --- saving ------------------------------------------------------------------------

namespace {

// Copies or converts one run into `out`; false with a reason when it failed.
// Counts the samples a save has written and tells the listener.
struct SaveCount {
    std::int64_t done = 0;
    std::int64_t total = 0;
    const SaveProgress* progress = nullptr;
    void add(std::int64_t samples) {
        done += samples;
        if (progress != nullptr && *progress)
            (*progress)(done, total);
    }
};

bool writeRun(SaveFile& out, const RecordStore::Run& run, std::vector<std::uint8_t>& buffer,
              QString& reason, std::stop_token stop, SaveCount& count) {
    const auto write = [&](const std::uint8_t* data, std::size_t n) {
        if (out.write(std::span(data, n)))
            return true;
        reason = out.errorString();
        return false;
    };
    if (!run.file) {
        if (!write(run.memory.data(), run.memory.size()))
            return false;
        count.add(run.count);
        return !stop.stop_requested();
    }
    const std::size_t recordBytes = run.recordBytes();
    if (recordBytes == kSampleSize) {
        // Records in the saved layout are copied by the system where it can.
        const auto bytes = run.count * static_cast<std::int64_t>(recordBytes);
        // The copy works on the descriptor; commit() flushes, syncs and checks after it.
        const std::int64_t before = count.done;
        const auto copied = [&](std::int64_t copiedBytes) {
            count.done = before;
            count.add(copiedBytes / static_cast<std::int64_t>(recordBytes));
            return !stop.stop_requested();
        };
        switch (run.file->copyTo(out.fileDevice(), run.offset, bytes, reason, copied)) {
        case RecordFile::CopyOutcome::Copied:
            return !stop.stop_requested();
        case RecordFile::CopyOutcome::Failed:
            return false;
        case RecordFile::CopyOutcome::Unsupported:
            break;
        }
    }
    const std::size_t perChunk = kCopyBytes / recordBytes;
    std::vector<std::uint8_t> converted;
    for (std::int64_t done = 0; done < run.count;) {
        if (stop.stop_requested())
            return false;
        const auto n = static_cast<std::size_t>(std::min<std::int64_t>(perChunk, run.count - done));
        buffer.resize(n * recordBytes);
        if (run.file->readAt(run.offset + done * static_cast<std::int64_t>(recordBytes), buffer) !=
            buffer.size()) {
            reason = QStringLiteral("the recording's file has become shorter");
            return false;
        }
        if (recordBytes == kSampleSize) {
            if (!write(buffer.data(), buffer.size()))
                return false;
        } else {
            converted.resize(n * kSampleSize);
            for (std::size_t k = 0; k < n; ++k)
                EncodeSample(DecodeRecorderSample(
                                 run.format, std::span<const std::uint8_t>(
                                                 buffer.data() + k * recordBytes, recordBytes)),
                             std::span<std::uint8_t, kSampleSize>(
                                 converted.data() + k * kSampleSize, kSampleSize));
            if (!write(converted.data(), converted.size()))
                return false;
        }
        done += static_cast<std::int64_t>(n);
        count.add(static_cast<std::int64_t>(n));
    }
    return true;
}

} // namespace

bool SaveRecordStore(const QString& path, const RecordStore& store, QString* error,
                     std::stop_token stop, const SaveProgress& progress) {
    QString reason;
    auto fail = [&] {
        if (error != nullptr)
            *error = stop.stop_requested() ? QString() : reason;
        return false;
    };
    if (store.size() > std::numeric_limits<std::int32_t>::max()) {
        reason = QStringLiteral("too many samples for one file");
        return fail();
    }
    SaveFile file(path);
    if (!file.open()) {
        reason = file.errorString();
        return fail();
    }
    const auto count = static_cast<std::uint32_t>(store.size());
    const std::array<std::uint8_t, 4> header{
        static_cast<std::uint8_t>(count), static_cast<std::uint8_t>(count >> 8),
        static_cast<std::uint8_t>(count >> 16), static_cast<std::uint8_t>(count >> 24)};
    if (!file.write(std::span(header))) {
        reason = file.errorString();
        return fail();
    }
    std::vector<std::uint8_t> buffer;
    SaveCount written{0, static_cast<std::int64_t>(store.size()), &progress};
    for (const RecordStore::Run& run : store.runs()) {
        if (!writeRun(file, run, buffer, reason, stop, written)) {
            file.cancel();
            return fail();
        }
    }
    if (!file.commit()) {
        reason = file.errorString();
        return fail();
    }
    return true;
}

} // namespace telmora
