#include "recording/RecordingFiles.h"

#include "model/fileaccess.h"
#include "recording/RecorderFile.h"
#include "recording/RecordingManifest.h"
#include "recording/markerfiles.h"
#include "recording/recorderexport.h"

#include <QDir>
#include <QElapsedTimer>

#include <memory>

namespace telmora {

namespace {
constexpr TextId kFileUnreadable = TextId::FileOpenError;
constexpr TextId kFileDamaged = TextId::FileDamaged;
// How often a save reports how far it has come.
constexpr qint64 kProgressEveryMs = 30;

// A save's progress for the job, at most every kProgressEveryMs and at the end.
SaveProgress ThrottledProgress(const JobControl& control, QElapsedTimer& sinceReport) {
    sinceReport.start();
    return [&control, &sinceReport](std::int64_t done, std::int64_t total) {
        if (done < total && sinceReport.elapsed() < kProgressEveryMs)
            return;
        sinceReport.restart();
        control.report(JobStage::WritingFile, done, total);
    };
}
} // namespace

RecordingFiles::RecordingFiles(QObject* parent) : QObject(parent) {}

void RecordingFiles::setBusy(bool busy) {
    if (m_busy == busy)
        return;
    m_busy = busy;
    emit busyChanged(busy);
}

bool RecordingFiles::startLoad(const QByteArray& nativePath, Opened opened) {
    if (m_busy)
        return false;
    if (IsManifestPath(PathText(nativePath)))
        return startManifestLoad(PathText(nativePath), std::move(opened));
    return startFileLoad(nativePath, std::move(opened));
}

bool RecordingFiles::startFileLoad(const QByteArray& nativePath, Opened opened) {
    auto reader = std::make_shared<RecorderFileReader>();
    const QString pathText = QDir::toNativeSeparators(PathText(nativePath));
    switch (reader->openNative(nativePath)) {
    case RecorderFileReader::OpenStatus::Ok:
        break;
    case RecorderFileReader::OpenStatus::CannotOpen:
        emit errorRaised(kFileUnreadable, pathText + QStringLiteral(": ") + reader->openError());
        return false;
    case RecorderFileReader::OpenStatus::NegativeCount:
        emit errorRaised(kFileUnreadable,
                         pathText + QStringLiteral(": the file is damaged (its sample count "
                                                   "is negative)"));
        return false;
    }
    if (const QString problem = NoSamplesProblem(*reader); !problem.isEmpty()) {
        emit errorRaised(kFileDamaged, pathText + QStringLiteral(": ") + problem);
        return false;
    }
    QString markersError;
    std::optional<std::vector<Marker>> markers = MarkersBeside(PathText(nativePath), &markersError);
    setBusy(true);
    const std::int64_t count = reader->count();
    m_job.start(
        [reader](const JobControl& control) {
            return LoadRecording(*reader, control.token(),
                                 [&control](JobStage stage, std::int64_t done, std::int64_t total) {
                                     control.report(stage, done, total);
                                 });
        },
        [opened = std::move(opened), pathText, markers = std::move(markers),
         markersError](LoadResult&& loaded, JobOutcome) {
            // A recorder file holds one meter.
            RecordingSetLoad result;
            result.outcome = loaded.outcome;
            result.cutShort = loaded.cutShort;
            result.damage = loaded.damage;
            result.meters.resize(1);
            result.meters.front().recording = std::move(loaded.recording);
            result.markers = markers.value_or(std::vector<Marker>{});
            result.markersError = markersError;
            opened(std::move(result), pathText);
        },
        JobProgress{JobStage::ReadingFile, 0, count});
    return true;
}

bool RecordingFiles::startManifestLoad(const QString& path, Opened opened) {
    QString error;
    auto files = std::make_shared<std::optional<RecordingSetFiles>>(OpenRecordingSet(path, &error));
    if (!*files) {
        emit errorRaised(kFileUnreadable, error);
        return false;
    }
    // A group of temporary files keeps its markers beside its first file.
    QString markersError = (*files)->manifest.markersError;
    std::vector<Marker> markers = (*files)->manifest.markers;
    const QString& first = (*files)->paths.front();
    if (first.endsWith(QStringLiteral(".TMP"), Qt::CaseInsensitive))
        if (std::optional<std::vector<Marker>> kept = MarkersBeside(first, &markersError))
            markers = std::move(*kept);
    setBusy(true);
    const std::int64_t total = (*files)->count * static_cast<std::int64_t>((*files)->paths.size());
    const QString pathText = QDir::toNativeSeparators(path);
    m_job.start(
        [files](const JobControl& control) {
            return LoadRecordingSet(
                **files, control.token(),
                [&control](JobStage stage, std::int64_t done, std::int64_t all) {
                    control.report(stage, done, all);
                });
        },
        [opened = std::move(opened), pathText, markers = std::move(markers),
         markersError](RecordingSetLoad&& result, JobOutcome) {
            result.markers = markers;
            result.markersError = markersError;
            const QString shown =
                result.outcome != LoadOutcome::Loaded && !result.failedFile.isEmpty()
                    ? QDir::toNativeSeparators(result.failedFile)
                    : pathText;
            opened(std::move(result), shown);
        },
        JobProgress{JobStage::ReadingFile, 0, total});
    return true;
}

bool RecordingFiles::startSave(const QString& path, std::vector<RecordingSetMember> members,
                               const QString& math, const ManifestTrigger& trigger,
                               std::vector<Marker> markers) {
    if (m_busy || members.empty())
        return false;
    setBusy(true);
    m_job.start(
        [members = std::move(members), path, math, trigger,
         markers = std::move(markers)](const JobControl& control) {
            SaveResult result;
            result.path = path;
            QElapsedTimer sinceReport;
            const SaveProgress progress = ThrottledProgress(control, sinceReport);
            result.saved = members.size() == 1
                               ? SaveRecordingWithMarkers(path, members.front(), markers,
                                                          &result.reason, control.token(), progress)
                               : SaveRecordingSet(path, members, math, &result.reason,
                                                  control.token(), progress, trigger, markers);
            return result;
        },
        [this](SaveResult&& result, JobOutcome) {
            setBusy(false);
            emit saveFinished(result.saved, result.path, result.reason);
        });
    return true;
}

bool RecordingFiles::startTextExport(TextExportRequest request) {
    if (m_busy)
        return false;
    setBusy(true);
    m_job.start(
        [request = std::move(request)](const JobControl& control) {
            SaveResult result;
            result.path = request.path;
            if (!request.perMeter.empty()) {
                result.saved = ExportRecorderTextPerMeter(
                    request.path, request.perMeter, request.first, request.last, request.lastPage,
                    &result.written, &result.reason, &result.path, control.token());
            } else if (request.several) {
                result.saved = ExportRecorderTidy(request.path, *request.several, request.first,
                                                  request.last, request.lastPage, request.layout,
                                                  &result.reason, control.token());
            } else if (request.format == TextExportFormat::Tidy) {
                result.saved = ExportRecorderTidy(request.path, *request.single, request.first,
                                                  request.last, request.lastPage, &result.reason,
                                                  control.token(), request.markers);
            } else {
                result.saved = ExportRecorderText(request.path, request.single->records(),
                                                  request.first, request.last, request.lastPage,
                                                  &result.reason, control.token());
            }
            return result;
        },
        [this](SaveResult&& result, JobOutcome) {
            setBusy(false);
            emit textExportFinished(result.saved, result.path, result.reason);
            if (result.saved && !result.written.isEmpty())
                emit textExportedPerMeter(result.written);
        });
    return true;
}

} // namespace telmora
