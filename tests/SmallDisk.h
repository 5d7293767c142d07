#pragma once

// A small file system of its own for the tests of full disks: a tmpfs mounted on a
// fresh folder for the life of the object and unmounted in its destructor, also
// when the test failed (lazily, so a file left open cannot keep it mounted).
// Mounting needs root or CAP_SYS_ADMIN; without it mounted() is false and whyNot()
// says why, for GTEST_SKIP().
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <string>

#ifdef __linux__
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>
#endif

class SmallDisk {
public:
    explicit SmallDisk(int kib = 64)
        : SmallDisk(("size=" + std::to_string(kib) + "k,mode=0700").c_str()) {}
    // `options` as for mount -o: "size=12k,mode=0700", "nr_inodes=2" (room for no
    // more files), ...
    explicit SmallDisk(const char* options) {
        if (!m_dir.isValid()) {
            m_whyNot = "no temporary folder to mount on";
            return;
        }
        m_mounted = mountWith(0, options);
    }
    ~SmallDisk() {
#ifdef __linux__
        if (m_mounted)
            ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
#endif
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    // Gives the mounted disk other limits (more room, say), keeping its files.
    bool remount(const char* options) {
#ifdef __linux__
        return m_mounted && mountWith(MS_REMOUNT, options);
#else
        (void)options;
        return false;
#endif
    }

    bool mounted() const {
        return m_mounted;
    }
    const std::string& whyNot() const {
        return m_whyNot;
    }
    QString root() const {
        return m_dir.path();
    }
    QString path(const QString& name) const {
        return m_dir.filePath(name);
    }

    // Writes `bytes` as file `name`; false when the disk refused them.
    bool put(const QString& name, const QByteArray& bytes) const {
        QFile file(path(name));
        return file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) &&
               file.write(bytes) == bytes.size() && file.flush();
    }
    QByteArray read(const QString& name) const {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // Fills what is left of the disk with file `name`, until it takes no byte more.
    bool fill(const QString& name = QStringLiteral("filler")) const {
#ifdef __linux__
        const int fd = ::open(QFile::encodeName(path(name)).constData(),
                              O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
        if (fd < 0)
            return false;
        const std::string block(4096, 'f');
        std::size_t size = block.size();
        for (;;) {
            const ssize_t n = ::write(fd, block.data(), size);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                const bool full = errno == ENOSPC;
                ::close(fd);
                return full;
            }
            if (static_cast<std::size_t>(n) < size)
                size = 1; // the last page: byte by byte until it is full
        }
#else
        (void)name;
        return false;
#endif
    }
    // The names in the folder, the files written by the code under test and ours,
    // in the order of their characters' codes.
    QStringList files() const {
        QStringList names =
            QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        names.sort();
        return names;
    }

private:
    bool mountWith(unsigned long flags, const char* options) {
#ifdef __linux__
        if (::mount("tmpfs", QFile::encodeName(m_dir.path()).constData(), "tmpfs",
                    flags | MS_NOSUID | MS_NODEV, options) == 0)
            return true;
        m_whyNot = std::string("a tmpfs cannot be mounted here (") + std::strerror(errno) +
                   "); full disks need root or CAP_SYS_ADMIN";
#else
        (void)flags;
        (void)options;
        m_whyNot = "full disks are made with a tmpfs mount, which only Linux has";
#endif
        return false;
    }

    QTemporaryDir m_dir;
    bool m_mounted = false;
    std::string m_whyNot;
};

// Skips the test when no small disk could be mounted.
#define SKIP_WITHOUT_SMALL_DISK(disk)                                                              \
    do {                                                                                           \
        if (!(disk).mounted())                                                                     \
            GTEST_SKIP() << (disk).whyNot();                                                       \
    } while (false)
