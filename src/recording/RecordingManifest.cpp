#include "recording/RecordingManifest.h"

#include "model/SaveFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

namespace telmora {

namespace {

const QString kSuffix = QStringLiteral(".telmora");
const QString kFormat = QStringLiteral("telmora-recording");
// A manifest is a few hundred bytes, and its markers at most a few megabytes;
// anything far larger is no manifest.
constexpr qint64 kMaxManifestBytes = 32 << 20;

bool fail(QString* error, const QString& reason) {
    if (error != nullptr)
        *error = reason;
    return false;
}

// A plain file name: no folder, no way out of the manifest's folder, no control
// characters.
bool isPlainFileName(const QString& file) {
    const bool control = std::any_of(
        file.begin(), file.end(), [](QChar c) { return c.unicode() < 0x20 || c == QChar(0x7F); });
    return !file.isEmpty() && file != QLatin1String(".") && file != QLatin1String("..") &&
           !file.contains(QLatin1Char('/')) && !file.contains(QLatin1Char('\\')) && !control &&
           !QDir::isAbsolutePath(file);
}

} // namespace

bool IsManifestPath(const QString& path) {
    return path.endsWith(kSuffix, Qt::CaseInsensitive);
}

QByteArray ManifestJson(const RecordingManifest& manifest) {
    QJsonArray meters;
    for (const ManifestMeter& meter : manifest.meters)
        meters.append(QJsonObject{{QStringLiteral("name"), meter.name},
                                  {QStringLiteral("serial"), meter.serial},
                                  {QStringLiteral("file"), meter.file}});
    QJsonObject root{{QStringLiteral("format"), kFormat},
                     {QStringLiteral("version"), kManifestVersion},
                     {QStringLiteral("meters"), meters}};
    if (!manifest.math.isEmpty())
        root.insert(QStringLiteral("math"), manifest.math);
    if (!manifest.trigger.isEmpty())
        root.insert(QStringLiteral("trigger"),
                    QJsonObject{{QStringLiteral("start"), manifest.trigger.start},
                                {QStringLiteral("stop"), manifest.trigger.stop}});
    if (!manifest.markers.empty())
        root.insert(QStringLiteral("markers"), MarkersJson(manifest.markers));
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

std::optional<RecordingManifest> ParseManifest(const QByteArray& json, QString* error) {
    QJsonParseError parseError{};
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError || !document.isObject()) {
        fail(error, QStringLiteral("the manifest is no valid JSON object"));
        return std::nullopt;
    }
    const QJsonObject root = document.object();
    if (root.value(QStringLiteral("format")).toString() != kFormat) {
        fail(error, QStringLiteral("the file is no recording manifest"));
        return std::nullopt;
    }
    const QJsonValue version = root.value(QStringLiteral("version"));
    if (!version.isDouble() || version.toDouble() != kManifestVersion) {
        fail(error, QStringLiteral("the manifest's version is not supported (version %1 is)")
                        .arg(kManifestVersion));
        return std::nullopt;
    }
    const QJsonValue meters = root.value(QStringLiteral("meters"));
    const QJsonValue math = root.value(QStringLiteral("math"));
    if (!meters.isArray() || meters.toArray().isEmpty() ||
        !(math.isUndefined() || math.isString())) {
        fail(error, QStringLiteral("the manifest names no meters"));
        return std::nullopt;
    }
    if (meters.toArray().size() > kMaxManifestMeters) {
        fail(error, QStringLiteral("the manifest names %1 meters, but a recording holds at most %2")
                        .arg(meters.toArray().size())
                        .arg(kMaxManifestMeters));
        return std::nullopt;
    }
    RecordingManifest manifest;
    manifest.math = math.toString();
    // A trigger that is no pair of texts is left out: the recording opens without it.
    const QJsonObject trigger = root.value(QStringLiteral("trigger")).toObject();
    manifest.trigger.start = trigger.value(QStringLiteral("start")).toString();
    manifest.trigger.stop = trigger.value(QStringLiteral("stop")).toString();
    for (const QJsonValue& entry : meters.toArray()) {
        const QJsonObject meter = entry.toObject();
        const QJsonValue name = meter.value(QStringLiteral("name"));
        const QJsonValue serial = meter.value(QStringLiteral("serial"));
        const QJsonValue file = meter.value(QStringLiteral("file"));
        if (!entry.isObject() || !name.isString() || !(serial.isString() || serial.isUndefined()) ||
            !file.isString()) {
            fail(error, QStringLiteral("a meter of the manifest lacks its name or file"));
            return std::nullopt;
        }
        if (!isPlainFileName(file.toString())) {
            fail(error, QStringLiteral("the manifest names a file outside its folder: %1")
                            .arg(file.toString()));
            return std::nullopt;
        }
        const bool named = std::any_of(
            manifest.meters.begin(), manifest.meters.end(),
            [&file](const ManifestMeter& other) { return other.file == file.toString(); });
        if (named) {
            fail(error,
                 QStringLiteral("the manifest names the file %1 twice").arg(file.toString()));
            return std::nullopt;
        }
        manifest.meters.push_back({name.toString(), serial.toString(), file.toString()});
    }
    if (const QJsonValue markers = root.value(QStringLiteral("markers")); !markers.isUndefined()) {
        std::optional<std::vector<Marker>> parsed = ParseMarkers(markers, &manifest.markersError);
        if (parsed)
            manifest.markers = std::move(*parsed);
    }
    return manifest;
}

std::optional<RecordingManifest> ReadManifest(const QString& path, QString* error) {
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        fail(error,
             file.errorString().isEmpty() ? QStringLiteral("no such file") : file.errorString());
        return std::nullopt;
    }
    const QByteArray json = file.read(kMaxManifestBytes + 1);
    if (json.size() > kMaxManifestBytes) {
        fail(error, QStringLiteral("the file is too large for a recording manifest"));
        return std::nullopt;
    }
    return ParseManifest(json, error);
}

bool WriteManifest(const QString& path, const RecordingManifest& manifest, QString* error) {
    return SaveFile::writeWhole(path, ManifestJson(manifest), error);
}

QString ManifestMemberPath(const QString& manifestPath, const QString& file) {
    return QFileInfo(manifestPath).absoluteDir().filePath(file);
}

QString FileNamePart(const QString& text) {
    QString part;
    for (const QChar c : text.trimmed()) {
        const bool refused =
            c.unicode() < 0x20 || c.unicode() == 0x7F || QStringLiteral("/\\:*?\"<>|").contains(c);
        part += refused ? QLatin1Char('_') : c;
    }
    while (part.endsWith(QLatin1Char('.')) || part.endsWith(QLatin1Char(' ')))
        part.chop(1); // names some systems cut off
    return part;
}

QString MeterFileName(const QString& manifestPath, const QString& meterName,
                      const std::vector<QString>& taken) {
    QString base = QFileInfo(manifestPath).fileName();
    if (IsManifestPath(base))
        base.chop(kSuffix.size());
    QString part = FileNamePart(meterName);
    if (part.isEmpty())
        part = QStringLiteral("meter");
    const auto isTaken = [&taken](const QString& name) {
        return std::any_of(taken.begin(), taken.end(), [&name](const QString& other) {
            return other.compare(name, Qt::CaseInsensitive) == 0;
        });
    };
    QString name = base + QLatin1Char('-') + part + QStringLiteral(".g53");
    for (int n = 2; isTaken(name); ++n)
        name = base + QLatin1Char('-') + part + QLatin1Char('-') + QString::number(n) +
               QStringLiteral(".g53");
    return name;
}

} // namespace telmora
