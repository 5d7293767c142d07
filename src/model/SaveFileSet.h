#pragma once
// Several files that belong together, saved as one: either every one of them is
// replaced or none is.
//
// Each new file is written completely (through SaveFile, so synced to the disk)
// under a name of its own beside the file it is to replace, while the old files
// stay where they are. Only when every new file has been written does commit()
// move them onto their targets, one rename each; no byte is written then, so a
// full disk cannot break a set half-way. A set that is not committed (a write
// failed, the user stopped, the object is destroyed) removes every file it made
// and leaves the old ones exactly as they were.
//
// Sets whose files are named by one of them (a recording's manifest names its
// meters' files) write those files under names no file has yet (claimNew), and
// stage only the naming file for replacement: its rename is then the one moment
// at which the old set becomes the new one, and a crash at any moment leaves
// either the old set or the new one complete. The files the old naming file named
// are removed after that rename (removeAfterCommit).
//
// Like SaveFile, a target that is a link is followed: the file the link points to
// is replaced, beside it.

#include <QString>
#include <QStringList>

#include <vector>

namespace telmora {

class SaveFileSet {
public:
    SaveFileSet() = default;
    // A set that was not committed is discarded.
    ~SaveFileSet();
    SaveFileSet(const SaveFileSet&) = delete;
    SaveFileSet& operator=(const SaveFileSet&) = delete;

    // The file a save to `target` replaces: `target`, or where its links lead.
    static QString ReplacedFile(const QString& target);

    // Makes a new, empty file beside the file `target` names (see ReplacedFile), to
    // be written through SaveFile and moved onto that file by commit(). Returns its
    // path, or an empty text with the reason in errorString() when the target may
    // not be replaced (a device, a folder) or no file can be made beside it. A new
    // file gets the permissions the target has.
    QString stageReplacement(const QString& target);

    enum class NewFile { Claimed, Taken, Failed };
    // Makes the new, empty file `path` as part of the set: it is written in place
    // (through SaveFile), stays where it is when the set is committed and is removed
    // when it is not. Taken when something of that name is there already (also a
    // link, which is never followed); Failed with the reason in errorString() when
    // the file cannot be made.
    NewFile claimNew(const QString& path);

    // A file to remove once the set has been committed: one the new files replace
    // under other names. Files of the set itself are never removed.
    void removeAfterCommit(const QString& path);

    // Moves the staged files onto their targets in the order they were staged, makes
    // that lasting on the disk, then removes the files named for removal. False with
    // the reason (and failedFile()) when a move failed: the files staged after it are
    // removed and their targets kept; the moves made before it cannot be undone, and
    // errorString() says which targets were replaced.
    bool commit();

    // Removes every file the set made; the old files stay. Nothing after a commit.
    void discard();

    const QString& errorString() const { return m_reason; }
    // The target whose move failed, or the file that could not be made.
    const QString& failedFile() const { return m_failedFile; }

private:
    struct Staged {
        QString path;   // the new file
        QString target; // the file it replaces; empty for a claimed file
    };

    bool fail(const QString& file, const QString& reason);
    bool isPartOfSet(const QString& path) const;

    std::vector<Staged> m_files;
    QStringList m_removals;
    QString m_reason;
    QString m_failedFile;
    bool m_committed = false;
};

} // namespace telmora
