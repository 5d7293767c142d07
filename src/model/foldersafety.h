#pragma once
// Whether a folder may hold this user's private files: the temporary recordings,
// their lock files, the settings. A folder that another user owns, or in which
// others may create, rename or delete names, lets them plant a link at a name the
// program is about to write (so the program would write through it) or swap a file
// under it; such a folder is not used.

#include <QString>

namespace telmora {

// Empty when `path` is a folder of the user running the program in which nobody
// else may change names: not writable by others, or marked sticky (others may add
// names there but not touch ours). Write permission for the folder's group is
// harmless when the group is the user's own private group (named after the user,
// nobody else in it), as many systems give every user. Otherwise one line saying
// why the folder is refused ("it belongs to another user (user id 1001)", "others
// may write to it", the system's error text when it cannot be looked at).
QString FolderRefusal(const QString& path);

} // namespace telmora
