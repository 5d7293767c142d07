#include "recording/markerfiles.h"

#include "recording/RecordingManifest.h"
#include "recording/TemporaryGroupFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

namespace telmora {

namespace {

const QString kMarkersFormat = QStringLiteral("telmora-markers");
constexpr int kVersion = 1;
constexpr qint64 kMaxJournalBytes = 32 << 20;

QString withSuffix(const QString& path, const QString& suffix) {
    const QFileInfo info(path);
    QString base = info.fileName();
    const qsizetype dot = base.lastIndexOf(QLatin1Char('.'));
    if (dot > 0)
        base.truncate(dot);
    return info.dir().filePath(base + suffix);
}

std::optional<std::vector<Marker>> failMarkers(QString* error, const QString& reason) {
    if (error != nullptr)
        *error = reason;
    return std::nullopt;
}

} // namespace

QString MarkersManifestPath(const QString& recorderFilePath) {
    return withSuffix(recorderFilePath, QStringLiteral(".telmora"));
}

bool ManifestBelongsTo(const QString& manifestPath, const QString& recorderFilePath) {
    const std::optional<RecordingManifest> manifest = ReadManifest(manifestPath);
    return manifest && manifest->meters.size() == 1 &&
           manifest->meters.front().file == QFileInfo(recorderFilePath).fileName();
}

QString MarkersJournalPath(const QString& firstTemporaryPath) {
    return withSuffix(firstTemporaryPath, QStringLiteral(".markers"));
}

bool WriteMarkersJournal(const QString& path, const std::vector<Marker>& markers, bool create,
                         QString* error) {
    const QJsonObject root{{QStringLiteral("format"), kMarkersFormat},
                           {QStringLiteral("version"), kVersion},
                           {QStringLiteral("markers"), MarkersJson(markers)}};
    return WriteTemporaryGroupFile(path, QJsonDocument(root).toJson(QJsonDocument::Compact), create,
                                   error);
}

std::optional<std::vector<Marker>> ReadMarkersJournal(const QString& path, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return failMarkers(error, file.errorString());
    const QByteArray bytes = file.read(kMaxJournalBytes + 1);
    if (bytes.size() > kMaxJournalBytes)
        return failMarkers(error, QStringLiteral("the markers file is too large"));
    QJsonParseError parseError{};
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parseError);
    const QJsonObject root = document.object();
    if (parseError.error != QJsonParseError::NoError || !document.isObject() ||
        root.value(QStringLiteral("format")).toString() != kMarkersFormat ||
        root.value(QStringLiteral("version")).toInt() != kVersion)
        return failMarkers(error, QStringLiteral("the markers file is no valid markers file"));
    return ParseMarkers(root.value(QStringLiteral("markers")), error);
}

std::optional<std::vector<Marker>> MarkersBeside(const QString& path, QString* error) {
    if (path.endsWith(QStringLiteral(".TMP"), Qt::CaseInsensitive)) {
        const QString journal = MarkersJournalPath(path);
        if (!NameIsTaken(journal))
            return std::nullopt;
        return ReadMarkersJournal(journal, error);
    }
    const QString manifestPath = MarkersManifestPath(path);
    if (!QFileInfo(manifestPath).isFile())
        return std::nullopt;
    QString reason;
    const std::optional<RecordingManifest> manifest = ReadManifest(manifestPath, &reason);
    const QString shown = QFileInfo(manifestPath).fileName() + QStringLiteral(": ");
    if (!manifest)
        return failMarkers(error, shown + reason);
    if (manifest->meters.size() != 1 || manifest->meters.front().file != QFileInfo(path).fileName())
        return std::nullopt; // the manifest of other files: its markers are not ours
    if (!manifest->markersError.isEmpty())
        return failMarkers(error, shown + manifest->markersError);
    return manifest->markers;
}

} // namespace telmora
