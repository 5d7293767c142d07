#pragma once

// Points XDG_CONFIG_HOME and XDG_DATA_HOME at fresh folders for one test, so the
// per-user files of the code under test land there; the earlier values come back
// at the end of the test.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QString>
#include <QTemporaryDir>

class UserDirectories {
public:
    UserDirectories()
        : m_oldConfig(qgetenv("XDG_CONFIG_HOME")), m_oldData(qgetenv("XDG_DATA_HOME")) {
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_root.filePath(QStringLiteral("config"))));
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_root.filePath(QStringLiteral("data"))));
    }
    ~UserDirectories() {
        qputenv("XDG_CONFIG_HOME", m_oldConfig);
        qputenv("XDG_DATA_HOME", m_oldData);
    }
    UserDirectories(const UserDirectories&) = delete;
    UserDirectories& operator=(const UserDirectories&) = delete;

    bool isValid() const { return m_root.isValid(); }
    QString configHome() const { return m_root.filePath(QStringLiteral("config")); }
    QString dataHome() const { return m_root.filePath(QStringLiteral("data")); }
    // Where the application keeps its settings file and its temporary recordings.
    static QString appConfigDirectory() {
        return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    }
    static QString appDataDirectory() {
        return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    }
    static QString settingsFile() {
        return QDir(appConfigDirectory()).filePath(QStringLiteral("ORLANDL.ini"));
    }

private:
    QTemporaryDir m_root;
    QByteArray m_oldConfig;
    QByteArray m_oldData;
};
