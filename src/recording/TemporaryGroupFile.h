#pragma once

#include <QByteArray>
#include <QString>

namespace telmora {

// The path of the group file of a several-meter recording whose first meter's
// temporary file is `firstTemporaryPath` ("~ODMDL3.TMP" gives "~ODMDL3.telmora").
QString GroupFilePath(const QString& firstTemporaryPath);

// Whether anything at all lies at `path`: a file, a folder, a link (even one that
// leads nowhere). Links are never followed.
bool NameIsTaken(const QString& path);

// Writes `bytes` as the group file `path`, which ties the temporary files of a
// several-meter recording together, like the temporary files themselves: the
// first write (`create`) makes the name exclusively and never through a link, so
// whatever lies there already (a file another run left, a link someone planted)
// stays untouched and the write fails. A later write makes a new file beside it
// the same way, syncs it and renames it over the name, which replaces the name
// itself and never what a link there leads to: a crash leaves the old or the new
// group whole. False with the system's reason in `error`.
bool WriteTemporaryGroupFile(const QString& path, const QByteArray& bytes, bool create,
                             QString* error);

} // namespace telmora
