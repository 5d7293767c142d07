#include "recording/OrphanedRecordings.h"

#include "model/ReadingRecord.h"
#include "model/foldersafety.h"
#include "recording/TemporaryStorage.h"
#include "text/texts.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

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

// A file this user's programs could have written: a regular file (not a link) of
// this user.
bool isOwnRegularFile(const QFileInfo& file) {
    if (file.isSymLink() || !file.isFile())
        return false;
#ifdef Q_OS_UNIX
    return file.ownerId() == ::geteuid();
#else
    return true;
#endif
}

std::int64_t wholeSamples(const QFileInfo& file) {
    return file.size() / static_cast<qint64>(kSampleSize);
}

} // namespace

std::vector<OrphanedRecording> ClaimOrphanedRecordings(const QString& directory,
                                                       std::vector<UnclaimedRecording>* unclaimed) {
    std::vector<OrphanedRecording> found;
    if (!FolderRefusal(directory).isEmpty())
        return found;
    const QRegularExpression pattern = temporaryFileName();
    const QFileInfoList files = QDir(directory).entryInfoList(QDir::Files | QDir::Hidden);
    for (const QFileInfo& file : files) {
        if (!pattern.match(file.fileName()).hasMatch() || !isOwnRegularFile(file))
            continue;
        OrphanedRecording orphan;
        orphan.path = file.absoluteFilePath();
        TemporaryFileClaim::Outcome outcome = TemporaryFileClaim::Outcome::Taken;
        QString reason;
        orphan.claim = TemporaryFileClaim::tryClaim(orphan.path, &outcome, &reason);
        if (outcome == TemporaryFileClaim::Outcome::Failed && unclaimed != nullptr &&
            wholeSamples(file) > 0)
            unclaimed->push_back({orphan.path, wholeSamples(file), reason});
        if (!orphan.claim)
            continue; // a running program owns it, or it cannot be claimed now
        const QFileInfo current(orphan.path); // as it is now that nobody can write it
        if (!current.exists() || !isOwnRegularFile(current))
            continue;
        orphan.sampleCount = wholeSamples(current);
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
