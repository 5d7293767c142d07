// The files of RecorderController: opening a recording (a recorder file, or the
// manifest of several meters), saving it, its text exports, and taking over the
// temporary files of a recording an earlier run left.
#include "recording/RecorderController.h"

#include "model/fileaccess.h"
#include "recording/meterexport.h"
#include "recording/recorderexport.h"
#include "recording/recorderpages.h"
#include "recording/recordertidy.h"
#include "text/texts.h"

#include <QDir>
#include <QElapsedTimer>

namespace telmora {

namespace {
constexpr TextId kFileUnreadable = TextId::FileOpenError;
constexpr TextId kOutOfMemory = TextId::OutOfMemory;
constexpr TextId kFileCutShort = TextId::FileDamaged;
constexpr TextId kFileDamaged = TextId::FileDamaged;
// How often a save reports how far it has come.
constexpr qint64 kProgressEveryMs = 30;
} // namespace

// --- opening, saving, exporting -------------------------------------------------------

bool RecorderController::startLoad(const QString& path) {
    return startLoad(NativePath(path));
}

bool RecorderController::startLoad(const QByteArray& nativePath) {
    if (m_busy)
        return false;
    if (IsManifestPath(PathText(nativePath)))
        return startManifestLoad(PathText(nativePath));
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
    setBusy(true);
    const std::int64_t count = reader->count();
    m_job.start(
        [reader](const JobControl& control) {
            return LoadRecording(*reader, control.token(),
                                 [&control](JobStage stage, std::int64_t done, std::int64_t total) {
                                     control.report(stage, done, total);
                                 });
        },
        [this, pathText](LoadResult&& result, JobOutcome) {
            finishLoad(std::move(result), pathText);
        },
        JobProgress{JobStage::ReadingFile, 0, count});
    return true;
}

void RecorderController::abortJob() {
    m_job.cancel();
}

void RecorderController::finishLoad(LoadResult result, const QString& pathText) {
    // A recorder file holds one meter.
    std::vector<LoadedMeter> single(1);
    single.front().recording = std::move(result.recording);
    if (result.outcome == LoadOutcome::Loaded) {
        const bool several = m_tracks.several();
        m_tracks.setLoaded(single, {}, {}, !m_recordingOn);
        if (several)
            emit metersChanged();
    } else {
        m_tracks.clearRecordings(); // every meter's recording goes
        m_tracks.track(0).setRecording(std::move(single.front().recording), !m_recordingOn);
    }
    showLoaded(result, pathText);
}

void RecorderController::showLoaded(const LoadResult& result, const QString& pathText) {
    beginNewRecording();
    watchRecording();
    const auto count = static_cast<std::int64_t>(recording().size());
    if (count > 0)
        countStatistics(count);
    m_lastPage = m_currentPage = LastPageForCount(count);
    setBusy(false);
    if (result.outcome == LoadOutcome::Unreadable)
        emit errorRaised(kFileUnreadable,
                         pathText + QStringLiteral(": the file could not be read to its end"));
    else if (result.outcome == LoadOutcome::Damaged)
        emit errorRaised(kFileDamaged, pathText + QStringLiteral(": ") + DamageText(result.damage));
    else if (result.outcome == LoadOutcome::OutOfMemory)
        emit errorRaised(kOutOfMemory, {});
    m_documentPath = result.outcome == LoadOutcome::Loaded ? pathText : QString();
    if (result.outcome == LoadOutcome::Loaded)
        emit recordingLoaded(static_cast<qsizetype>(count));
    else
        emit cleared();
    emit pageChanged(m_currentPage, m_lastPage);
    emit extremesChanged();
    emit unsavedChanged();
    emit loadFinished(result.outcome, result.cutShort);
    if (result.outcome == LoadOutcome::Loaded && result.cutShort)
        emit noticeRaised(kFileCutShort);
}

bool RecorderController::startSave(const QString& path) {
    if (m_busy)
        return false;
    if (m_tracks.several())
        return startSeveralSave(path);
    setBusy(true);
    m_job.start(
        [this, path](const JobControl& control) {
            SaveResult result;
            result.path = path;
            QElapsedTimer sinceReport;
            sinceReport.start();
            const SaveProgress progress = [&control, &sinceReport](std::int64_t done,
                                                                   std::int64_t total) {
                if (done < total && sinceReport.elapsed() < kProgressEveryMs)
                    return;
                sinceReport.restart();
                control.report(JobStage::WritingFile, done, total);
            };
            // The recording does not change while the controller is busy.
            result.saved = SaveRecordStore(path, recording().records(), &result.reason,
                                           control.token(), progress);
            return result;
        },
        [this](SaveResult&& result, JobOutcome) { finishSave(result); });
    return true;
}

void RecorderController::startTextExport(const QString& path, std::int32_t first, std::int32_t last,
                                         TextExportFormat format, TidyLayout layout) {
    if (m_busy)
        return;
    setBusy(true);
    // The recording does not change while the controller is busy.
    std::optional<TidyMeterSet> several;
    if (format == TextExportFormat::Tidy && (m_tracks.several() || layout == TidyLayout::Wide))
        several = tidyMeterSet();
    // The standard text holds one meter: several meters go to a file each.
    std::vector<MeterTextExport> perMeter;
    for (int meter = 0;
         format == TextExportFormat::Standard && m_tracks.several() && meter < m_tracks.count();
         ++meter)
        perMeter.push_back({m_tracks.name(meter), &meterRecording(meter).records()});
    m_job.start(
        [this, path, first, last, format, layout, several = std::move(several),
         perMeter = std::move(perMeter), lastPage = m_lastPage](const JobControl& control) {
            SaveResult result;
            result.path = path;
            if (!perMeter.empty()) {
                result.saved = ExportRecorderTextPerMeter(path, perMeter, first, last, lastPage,
                                                          &result.written, &result.reason,
                                                          &result.path, control.token());
                return result;
            }
            if (several) {
                result.saved = ExportRecorderTidy(path, *several, first, last, lastPage, layout,
                                                  &result.reason, control.token());
                return result;
            }
            result.saved = format == TextExportFormat::Tidy
                               ? ExportRecorderTidy(path, recording(), first, last, lastPage,
                                                    &result.reason, control.token())
                               : ExportRecorderText(path, recording().records(), first, last,
                                                    lastPage, &result.reason, control.token());
            return result;
        },
        [this](SaveResult&& result, JobOutcome) {
            setBusy(false);
            emit textExportFinished(result.saved, result.path, result.reason);
            if (result.saved && !result.written.isEmpty())
                emit textExportedPerMeter(result.written);
        });
}

void RecorderController::finishSave(const SaveResult& result) {
    if (result.saved) {
        for (int meter = 0; meter < m_tracks.count(); ++meter)
            m_tracks.track(meter).markSaved();
        m_documentPath = QDir::toNativeSeparators(result.path);
        emit unsavedChanged();
    }
    setBusy(false);
    emit saveFinished(result.saved, result.path, result.reason);
}

// --- several meters ---------------------------------------------------------------------

bool RecorderController::startManifestLoad(const QString& path) {
    QString error;
    auto files = std::make_shared<std::optional<RecordingSetFiles>>(OpenRecordingSet(path, &error));
    if (!*files) {
        emit errorRaised(kFileUnreadable, error);
        return false;
    }
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
        [this, pathText](RecordingSetLoad&& result, JobOutcome) {
            finishManifestLoad(std::move(result), pathText);
        },
        JobProgress{JobStage::ReadingFile, 0, total});
    return true;
}

void RecorderController::finishManifestLoad(RecordingSetLoad result, const QString& pathText) {
    LoadResult shown;
    shown.outcome = result.outcome;
    shown.cutShort = result.cutShort;
    shown.damage = result.damage;
    QString name = pathText;
    if (result.outcome == LoadOutcome::Loaded && !result.meters.empty()) {
        m_tracks.setLoaded(result.meters, result.math,
                           std::vector<double>(result.mathValues.begin(), result.mathValues.end()),
                           !m_recordingOn);
        emit metersChanged();
    } else {
        if (!result.failedFile.isEmpty())
            name = QDir::toNativeSeparators(result.failedFile); // the file that failed
        m_tracks.clearRecordings();
        m_tracks.track(0).setRecording(Recording(), !m_recordingOn);
    }
    showLoaded(shown, name);
    if (result.outcome == LoadOutcome::Loaded)
        m_documentPath = pathText;
}

bool RecorderController::startSeveralSave(const QString& path) {
    setBusy(true);
    auto members = std::make_shared<std::vector<RecordingSetMember>>();
    for (int meter = 0; meter < m_tracks.count(); ++meter)
        members->push_back(
            {m_tracks.name(meter), m_tracks.serial(meter), &meterRecording(meter).records()});
    // The recordings do not change while the controller is busy.
    m_job.start(
        [members, path, math = mathExpression()](const JobControl& control) {
            SaveResult result;
            result.path = path;
            QElapsedTimer sinceReport;
            sinceReport.start();
            const SaveProgress progress = [&control, &sinceReport](std::int64_t done,
                                                                   std::int64_t total) {
                if (done < total && sinceReport.elapsed() < kProgressEveryMs)
                    return;
                sinceReport.restart();
                control.report(JobStage::WritingFile, done, total);
            };
            result.saved =
                SaveRecordingSet(path, *members, math, &result.reason, control.token(), progress);
            return result;
        },
        [this](SaveResult&& result, JobOutcome) { finishSave(result); });
    return true;
}

TidyMeterSet RecorderController::tidyMeterSet() const {
    TidyMeterSet set;
    for (int meter = 0; meter < m_tracks.count(); ++meter) {
        QString name = m_tracks.name(meter);
        if (name.isEmpty())
            name = QStringLiteral("M%1").arg(meter + 1);
        set.meters.push_back({name.toStdString(), &meterRecording(meter).records()});
    }
    set.clockOf = [this](std::size_t i) { return recording().wallClock(i); };
    set.hasMath = hasMath();
    set.mathExpression = mathExpression().toStdString();
    set.mathUnit = mathUnit().toStdString();
    const auto ticks = static_cast<std::int64_t>(recording().size());
    for (std::int64_t i = 0; i < ticks && set.hasMath; ++i)
        set.mathValues.push_back(mathValueAt(i));
    return set;
}

// --- crash recovery ----------------------------------------------------------------------

void RecorderController::adoptTemporaryGroup(const QString& groupPath,
                                             std::unique_ptr<TemporaryFileClaim> claim) {
    const std::optional<RecordingManifest> group = ReadManifest(groupPath);
    if (!group || group->meters.empty() || !claim)
        return;
    m_tracks.adoptGroupFile(groupPath);
    const QString firstPath = ManifestMemberPath(groupPath, group->meters.front().file);
    std::vector<std::unique_ptr<TemporaryFileClaim>> joined = claim->takeJoined();
    const auto claimOf = [&joined](const QString& path) {
        for (auto& member : joined)
            if (member && member->lockPath() == TemporaryFileLockPath(path))
                return std::move(member);
        return std::unique_ptr<TemporaryFileClaim>();
    };
    // Meters of the opened group follow the first one in the group's order.
    const bool sameMeters = m_tracks.count() == static_cast<int>(group->meters.size());
    for (std::size_t i = 1; i < group->meters.size(); ++i) {
        const QString path = ManifestMemberPath(groupPath, group->meters[i].file);
        if (sameMeters && !m_recordingOn)
            m_tracks.track(static_cast<int>(i)).adoptFile(path, claimOf(path));
        else // deleted with this run's own
            m_tracks.track(0).adoptFile(path, claimOf(path), false);
    }
    adoptTemporaryFile(firstPath, std::move(claim));
}

} // namespace telmora
