#pragma once
// The checks every command makes on the recorder and session files it reads, so
// that a file without samples is reported the same way everywhere: a damaged one
// (too short for its header, or data after a count of 0) fails, a complete empty
// one is noted and gives an empty result.

#include "model/fileaccess.h"

#include <cstddef>
#include <cstdio>

class QIODevice;

namespace telmora {
class RecorderFileReader;
}

namespace telmora::cli {

// Opens the recorder file `path` (format by its name) into `reader`. False after a
// one-line message on `err` when it cannot be opened, announces a negative count,
// or is damaged without a sample; a complete empty recording is noted on `err`
// and gives true.
// `links` Refuse opens no symbolic link (the member files of a manifest).
bool OpenRecorderInput(RecorderFileReader& reader, const char* path, std::FILE* err,
                       FileLinks links = FileLinks::Follow);

// After `sessions` sessions were read from the session file `path` (`in` just
// after them): when there are none, false after a message on `err` if data follows
// the count (a damaged file); otherwise true, with a note on `err` that the file
// holds no sessions.
bool CheckSessionCount(QIODevice& in, std::size_t sessions, const char* path, std::FILE* err);

} // namespace telmora::cli
