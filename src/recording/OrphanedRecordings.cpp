#include "recording/OrphanedRecordings.h"

#include "model/ReadingRecord.h"
#include "recording/TemporaryStorage.h"
#include "text/texts.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace telmora {

namespace {

// "~ODMDL<n>.TMP" exactly, as the recorder names its temporary files.
QRegularExpression temporaryFileName() {
    QString prefix = text(TextId::TempFilePrefix);
    if (prefix.isEmpty())
        prefix = QStringLiteral("~ODMDL");
    return QRegularExpression(QStringLiteral("^") + QRegularExpression::escape(prefix) +
                              QStringLiteral("[0-9]+\\.TMP$"));
}

} // namespace

std::vector<OrphanedRecording> ClaimOrphanedRecordings(const QString& directory) {
    std::vector<OrphanedRecording> found;
    const QRegularExpression pattern = temporaryFileName();
    const QFileInfoList files = QDir(directory).entryInfoList(QDir::Files | QDir::Hidden);
    for (const QFileInfo& file : files) {
        if (!pattern.match(file.fileName()).hasMatch())
            continue;
        OrphanedRecording orphan;
        orphan.path = file.absoluteFilePath();
        orphan.claim = ClaimTemporaryFile(orphan.path);
        if (!orphan.claim)
            continue; // a running program owns it (or the directory takes no claim)
        const QFileInfo current(orphan.path); // as it is now that nobody can write it
        if (!current.exists())
            continue;
        orphan.sampleCount = current.size() / static_cast<qint64>(kSampleSize);
        orphan.lastWritten = current.lastModified();
        if (orphan.sampleCount == 0) {
            DiscardOrphanedRecording(orphan);
            continue;
        }
        found.push_back(std::move(orphan));
    }
    std::sort(found.begin(), found.end(),
              [](const OrphanedRecording& a, const OrphanedRecording& b) {
                  return a.lastWritten < b.lastWritten;
              });
    return found;
}

bool DiscardOrphanedRecording(OrphanedRecording& orphan) {
    const bool removed = !QFile::exists(orphan.path) || QFile::remove(orphan.path);
    orphan.claim.reset();
    return removed;
}

} // namespace telmora
