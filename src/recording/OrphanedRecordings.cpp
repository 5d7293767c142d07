#include "recording/OrphanedRecordings.h"

#include "model/ReadingRecord.h"
#include "model/foldersafety.h"
#include "recording/RecordingManifest.h"
#include "recording/TemporaryStorage.h"
#include "recording/markerfiles.h"
#include "text/texts.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <optional>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace telmora {

namespace {

// "~ODMDL<n>" and `suffix` exactly, as the recorder names its temporary files
// (".TMP") and the group files of several meters (".telmora").
QRegularExpression temporaryFileName(const QString& suffix = QStringLiteral(".TMP")) {
    QString prefix = text(TextId::TempFilePrefix);
    if (prefix.isEmpty())
        prefix = QStringLiteral("~ODMDL");
    return QRegularExpression(QStringLiteral("^") + QRegularExpression::escape(prefix) +
                              QStringLiteral("[0-9]+") + QRegularExpression::escape(suffix) +
                              QStringLiteral("$"));
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

// Whether `claim` (or a claim joined to it) holds the temporary file `path`.
bool holds(const TemporaryFileClaim& claim, const QString& path) {
    const QString lock = TemporaryFileLockPath(path);
    if (claim.lockPath() == lock)
        return true;
    return std::any_of(claim.joined().begin(), claim.joined().end(), [&lock](const auto& member) {
        return member && member->lockPath() == lock;
    });
}

// Puts the orphans of each several-meter recording together as one, named by its
// group file, when every file of the group is among them. A group file whose
// files are all gone is removed; the files of an incomplete group are offered one
// by one.
void groupOrphans(const QString& directory, std::vector<OrphanedRecording>& found) {
    const QRegularExpression pattern = temporaryFileName(QStringLiteral(".telmora"));
    const QFileInfoList files = QDir(directory).entryInfoList(QDir::Files | QDir::Hidden);
    for (const QFileInfo& file : files) {
        if (!pattern.match(file.fileName()).hasMatch() || !isOwnRegularFile(file))
            continue;
        const QString groupPath = file.absoluteFilePath();
        const std::optional<RecordingManifest> group = ReadManifest(groupPath);
        if (!group)
            continue;
        std::vector<std::size_t> members;
        bool anyOnDisk = false;
        for (const ManifestMeter& meter : group->meters) {
            const QString path = ManifestMemberPath(groupPath, meter.file);
            anyOnDisk |= QFileInfo::exists(path);
            const auto it = std::find_if(found.begin(), found.end(),
                                         [&path](const auto& o) { return o.path == path; });
            if (it != found.end())
                members.push_back(static_cast<std::size_t>(it - found.begin()));
        }
        if (!anyOnDisk) {
            QFile::remove(groupPath); // a group of files that are gone
            continue;
        }
        if (members.size() != group->meters.size() || members.size() < 2)
            continue;
        OrphanedRecording whole;
        whole.path = groupPath;
        whole.claim = std::move(found[members.front()].claim);
        whole.sampleCount = found[members.front()].sampleCount;
        whole.lastWritten = found[members.front()].lastWritten;
        for (std::size_t k = 1; k < members.size(); ++k) {
            OrphanedRecording& member = found[members[k]];
            whole.claim->join(std::move(member.claim));
            whole.sampleCount = std::min(whole.sampleCount, member.sampleCount);
            whole.lastWritten = std::max(whole.lastWritten, member.lastWritten);
        }
        std::sort(members.begin(), members.end());
        for (auto k = members.rbegin(); k != members.rend(); ++k)
            found.erase(found.begin() + static_cast<std::ptrdiff_t>(*k));
        found.push_back(std::move(whole));
    }
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
    groupOrphans(directory, found);
    std::sort(found.begin(), found.end(),
              [](const OrphanedRecording& a, const OrphanedRecording& b) {
                  return a.lastWritten < b.lastWritten;
              });
    return found;
}

bool DiscardOrphanedRecording(OrphanedRecording& orphan) {
    bool removed = true;
    if (IsManifestPath(orphan.path) && orphan.claim) {
        // The files of every meter the group claims, then the group file.
        if (const std::optional<RecordingManifest> group = ReadManifest(orphan.path)) {
            for (const ManifestMeter& meter : group->meters) {
                const QString path = ManifestMemberPath(orphan.path, meter.file);
                if (holds(*orphan.claim, path))
                    removed &= !QFile::exists(path) || QFile::remove(path);
            }
            // The markers kept beside the first meter's file.
            if (!group->meters.empty())
                QFile::remove(MarkersJournalPath(
                    ManifestMemberPath(orphan.path, group->meters.front().file)));
        }
        if (!removed) {
            orphan.claim.reset();
            return false; // the group file stays with the files it names
        }
    }
    if (!IsManifestPath(orphan.path))
        QFile::remove(MarkersJournalPath(orphan.path));
    removed &= !QFile::exists(orphan.path) || QFile::remove(orphan.path);
    orphan.claim.reset();
    return removed;
}

} // namespace telmora
