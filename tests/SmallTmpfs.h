#pragma once

// A small tmpfs mounted over a fresh folder for one test, to make a disk that is
// really full (size=...) or has no room for one more file (nr_inodes=...). Only
// the superuser may mount: tests skip when isMounted() is false, giving whyNot().
#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cerrno>
#include <cstring>

#ifdef Q_OS_LINUX
#include <sys/mount.h>
#endif

class SmallTmpfs {
public:
    // `options` as for mount -o, for example "size=12k,mode=0700".
    explicit SmallTmpfs(const char* options) {
        if (!m_dir.isValid()) {
            m_whyNot = QStringLiteral("no folder to mount on");
            return;
        }
        m_mounted = mountWith(0, options);
    }
    ~SmallTmpfs() {
#ifdef Q_OS_LINUX
        if (m_mounted)
            ::umount2(m_path.constData(), MNT_DETACH);
#endif
    }
    SmallTmpfs(const SmallTmpfs&) = delete;
    SmallTmpfs& operator=(const SmallTmpfs&) = delete;

    bool isMounted() const {
        return m_mounted;
    }
    const QString& whyNot() const {
        return m_whyNot;
    }
    QString path() const {
        return m_dir.path();
    }
    QString filePath(const QString& name) const {
        return m_dir.filePath(name);
    }
    // Gives the mounted disk other limits (more room, say), keeping its files.
    bool remount(const char* options) {
        return m_mounted && mountWith(remountFlag(), options);
    }

private:
#ifdef Q_OS_LINUX
    static unsigned long remountFlag() {
        return MS_REMOUNT;
    }
    bool mountWith(unsigned long flags, const char* options) {
        m_path = QFile::encodeName(m_dir.path());
        if (::mount("tmpfs", m_path.constData(), "tmpfs", flags, options) == 0)
            return true;
        m_whyNot = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
#else
    static unsigned long remountFlag() {
        return 0;
    }
    bool mountWith(unsigned long, const char*) {
        m_whyNot = QStringLiteral("tmpfs exists on Linux only");
        return false;
    }
#endif

    QTemporaryDir m_dir;
    QByteArray m_path;
    QString m_whyNot;
    bool m_mounted = false;
};
