#pragma once
// Values kept by key ("Group/key", or "key" for the general section) in an ini
// file in the layout QSettings reads and writes: "[Group]" sections, "key=value"
// lines, points as "@Point(x y)", sizes as "@Size(w h)", lists comma separated,
// other types as "@Variant(...)". The file is read through QSettings and written
// through SaveFile, so a full disk is reported instead of leaving an empty file.

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QVariant>

namespace telmora {

class IniSettings {
public:
    // Reads the values of `path`; a missing file, or one that is not a regular
    // file, gives no values. An empty path keeps the values in memory only.
    explicit IniSettings(QString path);

    const QString& path() const { return m_path; }
    QVariant value(const QString& key, const QVariant& fallback = {}) const {
        return m_values.value(key, fallback);
    }
    void setValue(const QString& key, const QVariant& value) { m_values.insert(key, value); }
    void remove(const QString& key) { m_values.remove(key); }

    // The file's contents as save() writes them.
    QByteArray text() const;

    // Writes every value to the file. False with the reason in `reason` when that
    // failed; the file on the disk is then as it was.
    bool save(QString* reason = nullptr) const;

private:
    QString m_path;
    QMap<QString, QVariant> m_values;
};

} // namespace telmora
