#pragma once

#include "recording/TemporaryFileClaim.h"

#include <QDateTime>
#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

namespace telmora {

// A temporary recording ("~ODMDL<n>.TMP") that no running program owns: the run
// that wrote it ended without cleaning up (a crash, a kill, a power cut). While
// this object holds its claim, no other starting program offers it too.
// A recording of several meters is one orphan: `path` is its group file
// ("~ODMDL<n>.telmora", a manifest naming each meter's temporary file), which
// opens like a saved several-meter recording; `claim` holds the first meter's file
// with the claims of the others joined to it, and sampleCount is what every meter
// holds.
struct OrphanedRecording {
    QString path;
    QDateTime lastWritten; // when its newest sample was written (local time)
    std::int64_t sampleCount = 0;
    std::unique_ptr<TemporaryFileClaim> claim;
};

// An orphaned recording that cannot be claimed now because no lock file can be
// made beside it (the disk is full, say). It stays on disk, untouched.
struct UnclaimedRecording {
    QString path;
    std::int64_t sampleCount = 0;
    QString reason; // the system's words
};

// Finds and claims the orphaned recordings of `directory`, oldest first. Files
// that another running program holds are left alone, and so are files that hold
// no complete sample (those are removed: there is nothing in them to offer). Only
// regular files of this user count, never links, and a directory that another user
// owns or others may write to is not searched. Orphans that cannot be claimed now
// are listed in `unclaimed` when it is given.
std::vector<OrphanedRecording>
ClaimOrphanedRecordings(const QString& directory,
                        std::vector<UnclaimedRecording>* unclaimed = nullptr);

// Deletes the file of an orphan (every file of a group) and releases its claim. False when the file
// could not be deleted (it is then kept, claim released, for the next start).
bool DiscardOrphanedRecording(OrphanedRecording& orphan);

} // namespace telmora
