#include "recording/TemporaryStorage.h"

#include "model/foldersafety.h"
#include "recording/RecorderFile.h"
#include "recording/TemporaryGroupFile.h"
#include "text/texts.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <array>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace telmora {

namespace {

constexpr auto kSampleBytes = static_cast<qint64>(kSampleSize);
// Samples read and written at once while a file catches up with its recording.
constexpr std::int64_t kSamplesPerWrite = 4096;

const QString kFileBecameShorter = QStringLiteral("the recording's file has become shorter");

#ifdef Q_OS_UNIX
std::pair<std::uint64_t, std::uint64_t> identityOf(const struct stat& info) {
    return {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
}
#endif

} // namespace

QString TemporaryFilePath(const QString& applicationDirectory, int number) {
    QString prefix = text(TextId::TempFilePrefix);
    if (prefix.isEmpty())
        prefix = QStringLiteral("~ODMDL");
    const QString name = prefix + QString::number(number) + QStringLiteral(".TMP");
    return QDir::toNativeSeparators(QDir(applicationDirectory).filePath(name));
}

// --- one file ------------------------------------------------------------------------

bool TemporaryFile::openDevice(int descriptor, QIODevice::OpenMode mode) {
    m_file.setFileName(m_path);
    const bool opened = descriptor >= 0
                            ? m_file.open(descriptor, mode, QFileDevice::AutoCloseHandle)
                            : m_file.open(mode);
    if (!opened) {
        m_error = m_file.errorString();
#ifdef Q_OS_UNIX
        if (descriptor >= 0)
            ::close(descriptor);
#endif
    }
    return opened;
}

void TemporaryFile::openReader() {
#ifdef Q_OS_UNIX
    // Read through the name, but only when it still leads to the file being written.
    const int descriptor =
        ::open(QFile::encodeName(m_path).constData(), O_RDONLY | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0)
        return;
    struct stat info {};
    auto reader = std::make_unique<QFile>(m_path);
    if (::fstat(descriptor, &info) != 0 || identityOf(info) != m_identity ||
        !reader->open(descriptor, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(descriptor);
        return;
    }
    m_records = std::make_shared<RecordFile>(std::move(reader));
#else
    m_records = RecordFile::open(m_path);
#endif
}

bool TemporaryFile::create(const QString& path) {
    close();
    m_path = path;
    m_size = 0;
    m_cut = false;
    m_records.reset();
    m_error.clear();
    m_nameTaken = false;
#ifdef Q_OS_UNIX
    // Exclusive and never through a link: whatever lies at the name stays untouched.
    const int descriptor =
        ::open(QFile::encodeName(path).constData(),
               O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC, 0600);
    if (descriptor < 0) {
        m_nameTaken = errno == EEXIST;
        m_error = qt_error_string(errno);
        return false;
    }
    struct stat info {};
    if (::fstat(descriptor, &info) != 0) {
        m_error = qt_error_string(errno);
        ::close(descriptor);
        return false;
    }
    m_identity = identityOf(info);
    if (!openDevice(descriptor, QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
#else
    if (QFileInfo::exists(path) || QFileInfo(path).isSymLink()) {
        m_nameTaken = true;
        m_error = QStringLiteral("a file of that name is already there");
        return false;
    }
    if (!openDevice(-1, QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered)) {
        m_nameTaken = QFileInfo::exists(path);
        return false;
    }
#endif
    openReader();
    return true;
}

bool TemporaryFile::takeOver(const QString& path, std::int64_t samples) {
    close();
    m_path.clear();
    m_records.reset();
    m_error.clear();
    m_nameTaken = false;
    m_size = 0;
#ifdef Q_OS_UNIX
    struct stat info {};
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0 || !S_ISREG(info.st_mode) ||
        info.st_size / kSampleBytes != samples)
        return false;
    m_identity = identityOf(info);
#else
    const QFileInfo info(path);
    if (!info.isFile() || info.isSymLink() || info.size() / kSampleBytes != samples)
        return false;
#endif
    m_path = path;
    m_size = samples * kSampleBytes;
    return true;
}

bool TemporaryFile::reopen() {
    if (m_file.isOpen())
        return true;
    if (m_path.isEmpty())
        return false;
    m_error.clear();
#ifdef Q_OS_UNIX
    const int descriptor =
        ::open(QFile::encodeName(m_path).constData(), O_WRONLY | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0) {
        m_error = qt_error_string(errno);
        return false;
    }
    struct stat info {};
    const bool same = ::fstat(descriptor, &info) == 0 && S_ISREG(info.st_mode) &&
                      identityOf(info) == m_identity &&
                      info.st_size / kSampleBytes == sampleCount();
    // A torn last sample (the run that wrote it was killed mid-write) is cut off.
    if (!same || (info.st_size != m_size && ::ftruncate(descriptor, m_size) != 0) ||
        ::lseek(descriptor, m_size, SEEK_SET) != m_size) {
        m_error = same ? qt_error_string(errno) : kFileBecameShorter;
        ::close(descriptor);
        return false;
    }
    if (!openDevice(descriptor, QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
#else
    if (!openDevice(-1, QIODevice::ReadWrite | QIODevice::Unbuffered))
        return false;
    if (m_file.size() / kSampleBytes != sampleCount() || !m_file.resize(m_size) ||
        !m_file.seek(m_size)) {
        m_error = kFileBecameShorter;
        m_file.close();
        return false;
    }
#endif
    if (!m_records)
        openReader();
    return true;
}

bool TemporaryFile::writeSamples(const char* data, qint64 bytes) {
    if (!m_file.isOpen()) {
        m_error = QStringLiteral("the temporary file is not open");
        return false;
    }
    qint64 done = 0;
    while (done < bytes) {
        const qint64 written = m_file.write(data + done, bytes - done);
        if (written <= 0)
            break;
        done += written;
    }
    if (done == bytes) {
        m_size += bytes;
        return true;
    }
    m_error = m_file.errorString();
    if (m_error.isEmpty())
        m_error = QStringLiteral("the disk took only part of a sample");
    // Keep the file a whole number of samples so every reader sees only complete ones.
    const qint64 whole = m_size + done / kSampleBytes * kSampleBytes;
    if (whole != m_size + done && m_file.resize(whole))
        m_file.seek(whole);
    m_size = whole;
    return false;
}

bool TemporaryFile::append(const SampleEntry& entry, std::int64_t* offset) {
    // Writing to a file cut short under us would put the sample past its end, with a
    // run of zero bytes before it that reads back as empty samples.
    if (m_cut || m_file.size() < m_size) {
        m_cut = true;
        m_error = kFileBecameShorter;
        return false;
    }
    if (offset != nullptr)
        *offset = m_size;
    std::array<std::uint8_t, kSampleSize> bytes{};
    EncodeSample(entry, bytes);
    return writeSamples(reinterpret_cast<const char*>(bytes.data()), kSampleBytes);
}

bool TemporaryFile::appendFrom(const RecordStore& store, std::int64_t first, std::int64_t end) {
    std::vector<std::uint8_t> read;
    std::vector<std::uint8_t> converted;
    for (const RecordStore::Run& run : store.runs()) {
        const std::int64_t runEnd = run.firstIndex + run.count;
        for (std::int64_t at = std::max(first, run.firstIndex); at < std::min(end, runEnd);) {
            const std::int64_t count = std::min({kSamplesPerWrite, end - at, runEnd - at});
            const std::int64_t inRun = at - run.firstIndex;
            const char* data = nullptr;
            if (!run.file) {
                data = reinterpret_cast<const char*>(run.memory.data()) + inRun * kSampleBytes;
            } else {
                const auto recordBytes = static_cast<std::int64_t>(run.recordBytes());
                read.resize(static_cast<std::size_t>(count * recordBytes));
                if (run.file->readAt(run.offset + inRun * recordBytes, read) != read.size()) {
                    m_error = kFileBecameShorter;
                    return false;
                }
                data = reinterpret_cast<const char*>(read.data());
                if (recordBytes != kSampleBytes) { // an older layout: converted
                    converted.resize(static_cast<std::size_t>(count) * kSampleSize);
                    for (std::size_t k = 0; k < static_cast<std::size_t>(count); ++k)
                        EncodeSample(
                            DecodeRecorderSample(run.format,
                                                 std::span<const std::uint8_t>(
                                                     read.data() + k * recordBytes, recordBytes)),
                            std::span<std::uint8_t, kSampleSize>(converted.data() + k * kSampleSize,
                                                                 kSampleSize));
                    data = reinterpret_cast<const char*>(converted.data());
                }
            }
            if (!writeSamples(data, count * kSampleBytes))
                return false;
            at += count;
        }
    }
    return true;
}

void TemporaryFile::removeLast() {
    if (m_file.isOpen() && m_size >= kSampleBytes && m_file.resize(m_size - kSampleBytes)) {
        m_size -= kSampleBytes;
        m_file.seek(m_size);
    }
}

void TemporaryFile::close() {
    if (m_file.isOpen())
        m_file.close();
}

// --- the files of a run ----------------------------------------------------------------

TemporaryFileSeries::~TemporaryFileSeries() {
    deleteAll();
    m_file.close();
}

bool TemporaryFileSeries::startNext() {
    m_error.clear();
    m_file.close();
    // Files in a folder that others may change could be swapped under the program.
    if (const QString refusal = FolderRefusal(m_directory); !refusal.isEmpty()) {
        ++m_counter;
        m_error = translate("TemporaryStorage", "The folder %1 is not used: %2.")
                      .arg(QDir::toNativeSeparators(m_directory), refusal);
        return false;
    }
    // Numbers held by other programs or occupied by a left-behind file are passed
    // over; the bound only matters for a directory that refuses every file.
    constexpr int kMaxNumbersTried = 10000;
    for (int tried = 0; tried < kMaxNumbersTried; ++tried) {
        ++m_counter;
        const QString path = TemporaryFilePath(m_directory, m_counter);
        TemporaryFileClaim::Outcome outcome = TemporaryFileClaim::Outcome::Failed;
        std::unique_ptr<TemporaryFileClaim> claim = TemporaryFileClaim::tryClaim(path, &outcome);
        if (outcome == TemporaryFileClaim::Outcome::Taken)
            continue; // another running program holds this number
        // The number also names the group file of a several-meter recording:
        // whatever lies at that name (a left-behind group, a planted link) is
        // passed over too.
        if (NameIsTaken(GroupFilePath(path)))
            continue;
        // Without a claim (the directory takes no lock file) the file is still
        // made; creating it reports why the directory refuses it, if it does.
        if (m_file.create(path)) {
            m_owned.push_back({path, std::move(claim)});
            return true;
        }
        if (!m_file.nameTaken())
            return false;
        // A file an earlier run left behind (the user decides about it), or
        // something planted there: never touched, the next number is tried.
    }
    return false;
}

bool TemporaryFileSeries::reopenCurrent() {
    m_error.clear();
    return m_file.reopen();
}

void TemporaryFileSeries::adopt(const QString& path, std::unique_ptr<TemporaryFileClaim> claim) {
    m_owned.push_back({path, std::move(claim)});
}

bool TemporaryFileSeries::continueIn(const QString& path, std::int64_t samples) {
    const bool owned = std::any_of(m_owned.begin(), m_owned.end(),
                                   [&](const OwnedFile& file) { return file.path == path; });
    m_file.close();
    return owned && m_file.takeOver(path, samples);
}

void TemporaryFileSeries::deleteAll() {
    for (OwnedFile& owned : m_owned) {
        DeleteWithRetry(owned.path, [&] {
            if (m_file.isOpen() && m_file.path() == owned.path)
                m_file.close();
        });
        owned.claim.reset(); // removes the lock file
    }
    m_owned.clear();
}

} // namespace telmora
