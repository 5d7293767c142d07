#include "recording/TemporaryStorage.h"

#include "text/texts.h"

#include <QDir>

#include <array>

namespace telmora {

QString TemporaryFilePath(const QString& applicationDirectory, int number) {
    QString prefix = text(TextId::TempFilePrefix);
    if (prefix.isEmpty())
        prefix = QStringLiteral("~ODMDL");
    const QString name = prefix + QString::number(number) + QStringLiteral(".TMP");
    return QDir::toNativeSeparators(QDir(applicationDirectory).filePath(name));
}

bool TemporaryFile::create(const QString& path) {
    close();
    m_file.setFileName(path);
    m_size = 0;
    m_cut = false;
    m_records.reset();
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        return false;
    m_records = RecordFile::open(path);
    return true;
}

bool TemporaryFile::append(const SampleEntry& entry, std::int64_t* offset) {
    if (!m_file.isOpen())
        return false;
    // Writing to a file cut short under us would put the sample past its end, with a
    // run of zero bytes before it that reads back as empty samples.
    if (m_cut || m_file.size() < m_size) {
        m_cut = true;
        return false;
    }
    if (offset != nullptr)
        *offset = m_size;
    std::array<std::uint8_t, kSampleSize> bytes{};
    EncodeSample(entry, bytes);
    const qint64 written = m_file.write(reinterpret_cast<const char*>(bytes.data()), kSampleSize);
    if (written == static_cast<qint64>(kSampleSize)) {
        m_size += written;
        return true;
    }
    // Keep the file a whole number of samples so every reader sees only complete ones.
    if (written > 0 && m_file.resize(m_size))
        m_file.seek(m_size);
    return false;
}

void TemporaryFile::removeLast() {
    if (m_file.isOpen() && m_size >= qint64(kSampleSize) && m_file.resize(m_size - kSampleSize)) {
        m_size -= kSampleSize;
        m_file.seek(m_size);
    }
}

void TemporaryFile::close() {
    if (m_file.isOpen())
        m_file.close();
}

QString TemporaryFileLockPath(const QString& temporaryFilePath) {
    return temporaryFilePath + QStringLiteral(".lock");
}

std::unique_ptr<QLockFile> ClaimTemporaryFile(const QString& temporaryFilePath) {
    auto claim = std::make_unique<QLockFile>(TemporaryFileLockPath(temporaryFilePath));
    // Only a dead holder makes a claim stale, never its age: a recording may run for days.
    claim->setStaleLockTime(0);
    if (!claim->tryLock(0))
        return nullptr;
    return claim;
}

TemporaryFileSeries::~TemporaryFileSeries() {
    deleteAll();
    m_file.close();
}

bool TemporaryFileSeries::startNext() {
    // Numbers held by other programs or occupied by a left-behind file are passed
    // over; the bound only matters for a directory that refuses every file.
    constexpr int kMaxNumbersTried = 10000;
    for (int tried = 0; tried < kMaxNumbersTried; ++tried) {
        ++m_counter;
        const QString path = TemporaryFilePath(m_directory, m_counter);
        auto claim = std::make_unique<QLockFile>(TemporaryFileLockPath(path));
        claim->setStaleLockTime(0);
        if (!claim->tryLock(0)) {
            if (claim->error() == QLockFile::LockFailedError)
                continue; // another running program holds this number
            // The directory takes no lock file: go on without one (creating the
            // file there reports the failure).
            claim.reset();
        }
        if (QFile::exists(path))
            continue; // a file an earlier run left behind: the user decides about it
        const bool created = m_file.create(path);
        if (created)
            m_owned.push_back({path, std::move(claim)});
        return created;
    }
    return false;
}

void TemporaryFileSeries::adopt(const QString& path, std::unique_ptr<QLockFile> claim) {
    m_owned.push_back({path, std::move(claim)});
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
