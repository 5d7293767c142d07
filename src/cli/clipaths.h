#pragma once
// Paths from the command line. A file to read is reached by the exact bytes the
// user gave (names need not be valid UTF-8); a file to write must have a name the
// save file can spell, and may not be a device or FIFO. Messages show the path as
// it was given.

#include <QString>

#include <optional>
#include <string>

class QFile;

namespace telmora::cli {

// Opens the input file `arg` when it is a regular file. Otherwise false, with the
// message "cannot open <what> '<arg>': <reason>" in `message`.
bool OpenInputFile(QFile& file, const char* arg, const char* what, std::string& message);

// The path to write for `arg`, or nothing with the message "cannot write <what>
// '<arg>': <reason>" in `message` (a name that is not valid UTF-8, or an existing
// target that is not a regular file).
std::optional<QString> OutputPath(const char* arg, const char* what, std::string& message);

// "<verb> <what> '<arg>'" and, when there is one, ": <reason>".
std::string PathMessage(const char* verb, const char* what, const char* arg, const QString& reason);

} // namespace telmora::cli
