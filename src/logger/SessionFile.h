#pragma once
// Session files (.slr): the sessions of the import window as a little-endian
// binary file without header or checksum: the session count S (signed 32-bit), then
// per session its entry count N (signed 32-bit) and N entries of a has-sub byte
// (0 or 1), the 76-byte main record and, when the byte is 1, the 76-byte sub
// record. Writing replaces a file only once the new one is complete; reading
// checks every count, flag and length and loads nothing from a damaged file.

#include "model/SampleLists.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

class QIODevice;

namespace telmora {

constexpr std::size_t kSessionEntrySize = 1 + kSessionRecordSize;            // 77
constexpr std::size_t kSessionEntryWithSubSize = 1 + 2 * kSessionRecordSize; // 153

// Name and filter the file dialogs offer.
inline constexpr const char* kSessionFileExtension = "slr";
inline constexpr const char* kSessionFileDefaultName = "Untitled.slr";
inline constexpr const char* kSessionFileFilter = "session logger data files(*.slr)";

// Writes the sessions to `out`; false when the device refused a write.
bool WriteSessions(QIODevice& out, std::span<const SampleList> sessions);

enum class SessionFileStatus {
    Ok,
    OpenFailed,  // the file could not be opened or created (FileOpenError on open, FileSaveError on
                 // save)
    WriteFailed, // the file could not be written completely (FileSaveError)
    Damaged,     // ends early, bad count or flag byte (FileOpenError)
    OutOfMemory, // the sessions do not fit in memory (OutOfMemory)
    Cancelled,   // the progress callback asked to stop
};

// Writes every session to `path` through a save file: an existing file is replaced
// only when the new one has been written completely, and never when it is not a
// regular file. `reason` gets why an OpenFailed or WriteFailed happened.
SessionFileStatus SaveSessionFile(const QString& path, std::span<const SampleList> sessions,
                                  QString* reason = nullptr);

// Called while reading: session index, entries read so far in it and its entry
// count. Returning false cancels the read.
using SessionReadProgress =
    std::function<bool(int session, std::int64_t entry, std::int64_t count)>;

// Reads sessions from `in` into `sessions` (replaced only on success).
SessionFileStatus ReadSessions(QIODevice& in, std::vector<SampleList>& sessions,
                               const SessionReadProgress& progress = {});

// The same from a file, which must be a regular file. `reason` gets why an
// OpenFailed happened.
SessionFileStatus LoadSessionFile(const QString& path, std::vector<SampleList>& sessions,
                                  const SessionReadProgress& progress = {},
                                  QString* reason = nullptr);
// The same by the bytes the system knows the file by.
SessionFileStatus LoadSessionFile(const QByteArray& nativePath, std::vector<SampleList>& sessions,
                                  const SessionReadProgress& progress = {},
                                  QString* reason = nullptr);

// The same from bytes in memory (used by the fuzz target and tests).
SessionFileStatus ParseSessionBytes(std::span<const std::uint8_t> bytes,
                                    std::vector<SampleList>& sessions);

} // namespace telmora
