#include "recording/meterexport.h"

#include "recording/RecordingManifest.h"
#include "recording/recorderexport.h"

#include <QFileInfo>

namespace telmora {

QStringList PerMeterExportPaths(const QString& chosenPath, std::span<const QString> meterNames) {
    const QFileInfo chosen(chosenPath);
    const QString suffix = chosen.suffix();
    QString stem = chosen.fileName();
    if (!suffix.isEmpty())
        stem.chop(suffix.size() + 1);
    const QString folder = chosen.path() + QLatin1Char('/');
    QStringList labels;
    QStringList paths;
    for (std::size_t m = 0; m < meterNames.size(); ++m) {
        const QString number = QStringLiteral("M%1").arg(m + 1);
        QString label = FileNamePart(meterNames[m]);
        if (label.isEmpty())
            label = number;
        while (labels.contains(label, Qt::CaseInsensitive))
            label += QLatin1Char('-') + number;
        labels.append(label);
        QString name = stem + QLatin1Char('-') + label;
        if (!suffix.isEmpty())
            name += QLatin1Char('.') + suffix;
        paths.append(folder + name);
    }
    return paths;
}

bool ExportRecorderTextPerMeter(const QString& chosenPath, std::span<const MeterTextExport> meters,
                                std::int32_t first, std::int32_t last, std::int32_t lastPage,
                                QStringList* written, QString* error, QString* failedPath,
                                std::stop_token stop) {
    std::vector<QString> names;
    for (const MeterTextExport& meter : meters)
        names.push_back(meter.name);
    const QStringList paths = PerMeterExportPaths(chosenPath, names);
    for (std::size_t m = 0; m < meters.size(); ++m) {
        const QString& path = paths[static_cast<qsizetype>(m)];
        if (!ExportRecorderText(path, *meters[m].records, first, last, lastPage, error, stop)) {
            if (failedPath != nullptr)
                *failedPath = path;
            return false;
        }
        if (written != nullptr)
            written->append(path);
    }
    return true;
}

} // namespace telmora
