#pragma once
// The checks every reader and writer of files makes before it touches a file, in
// one place: a file to read must be a regular file (a FIFO would block for ever, a
// device such as /dev/zero would never end), and a file a save replaces must be a
// regular file or not exist yet (a device or FIFO is refused and left as it is).
// Every refusal comes with one line saying why: the system's error text or what the
// file is instead.
//
// Paths are handled in two forms: the text form (QString, as dialogs and settings
// give them) and the native form, the bytes the system knows the file by. Command
// lines hand over native bytes that need not be valid UTF-8; opening by those bytes
// reaches files whose names no QString can spell.

#include <QByteArray>
#include <QString>

class QFile;

namespace telmora {

// The native bytes of a text path.
QByteArray NativePath(const QString& path);

// The text form of native bytes, for messages and name rules (bytes that are not
// valid UTF-8 become replacement characters).
QString PathText(const QByteArray& nativePath);

// True when the text form of `nativePath` leads back to the same bytes, so that
// APIs taking text paths reach the same file.
bool PathTextIsExact(const QByteArray& nativePath);

// Opens `file` read-only when the path names a regular file (links are followed).
// Never waits: a FIFO without a writer is refused at once. False with the reason
// in `reason` otherwise ("No such file or directory", "Permission denied", "is a
// directory", "is a FIFO, not a regular file", ...).
bool OpenRegularFile(QFile& file, const QByteArray& nativePath, QString* reason = nullptr);
bool OpenRegularFile(QFile& file, const QString& path, QString* reason = nullptr);

// Whether a path whose last part is a symbolic link is followed to the link's target.
enum class FileLinks { Follow, Refuse };

// As OpenRegularFile, with the choice whether a link is followed. Refused, the last
// part of the path must be the regular file itself: a link is not opened ("is a
// symbolic link, not a regular file"), so a file named by a list of files (the
// members of a recording) cannot lead out of the folder it is meant to be in.
bool OpenRegularFile(QFile& file, const QByteArray& nativePath, FileLinks links,
                     QString* reason = nullptr);

// Empty when a save may replace `path`: nothing is there yet, or a regular file
// (links are followed). Otherwise why not ("is a directory", "is a character
// device, not a regular file", ...). SaveFile::open() asks this first.
QString ReplaceTargetProblem(const QString& path);

} // namespace telmora
