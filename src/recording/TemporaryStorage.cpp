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
    return m_file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered);
}

bool TemporaryFile::append(const SampleEntry& entry) {
    if (!m_file.isOpen())
        return false;
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

void TemporaryFile::close() {
    if (m_file.isOpen())
        m_file.close();
}

TemporaryFileSeries::~TemporaryFileSeries() {
    deleteAll();
    m_file.close();
}

bool TemporaryFileSeries::startNext() {
    ++m_counter;
    return m_file.create(TemporaryFilePath(m_directory, m_counter));
}

void TemporaryFileSeries::deleteAll() {
    for (int n = 1; n <= m_counter; ++n) {
        const QString path = TemporaryFilePath(m_directory, n);
        DeleteWithRetry(path, [&] {
            if (m_file.isOpen() && m_file.path() == path)
                m_file.close();
        });
    }
}

} // namespace telmora
