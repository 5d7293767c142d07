// RecorderController and the files of its recording: an opened recording taken up
// into the tracks, saving and exporting what the tracks hold (the work itself is
// RecordingFiles'), and taking over the temporary files a recording an earlier run
// left.
#include "recording/RecorderController.h"

#include "model/fileaccess.h"
#include "recording/RecordingManifest.h"
#include "recording/recorderpages.h"
#include "text/texts.h"

#include <QDir>

namespace telmora {

namespace {
constexpr TextId kFileCutShort = TextId::FileDamaged;
} // namespace

void RecorderController::watchFiles() {
    connect(&m_files, &RecordingFiles::busyChanged, this, &RecorderController::busyChanged);
    connect(&m_files, &RecordingFiles::errorRaised, this, &RecorderController::errorRaised);
    connect(&m_files, &RecordingFiles::saveFinished, this, &RecorderController::finishSave);
    connect(&m_files, &RecordingFiles::textExportFinished, this,
            &RecorderController::textExportFinished);
    connect(&m_files, &RecordingFiles::textExportedPerMeter, this,
            &RecorderController::textExportedPerMeter);
}

bool RecorderController::startLoad(const QString& path) {
    return startLoad(NativePath(path));
}

bool RecorderController::startLoad(const QByteArray& nativePath) {
    return m_files.startLoad(nativePath, [this](RecordingSetLoad&& result, const QString& shown) {
        takeOpened(std::move(result), shown);
    });
}

void RecorderController::abortJob() {
    m_files.abort();
}

void RecorderController::takeOpened(RecordingSetLoad result, const QString& shownPath) {
    const bool loaded = result.outcome == LoadOutcome::Loaded && !result.meters.empty();
    if (loaded) {
        const int before = m_tracks.count();
        m_tracks.setLoaded(result.meters, result.math, result.mathValues, !m_recordingOn);
        takeTrigger(result.trigger);
        if (before > 1 || m_tracks.several())
            emit metersChanged();
    } else {
        m_tracks.clearRecordings(); // every meter's recording goes
        m_tracks.track(0).setRecording(Recording(), !m_recordingOn);
    }
    beginNewRecording();
    if (loaded)
        takeOpenedMarkers(std::move(result.markers), result.markersError);
    watchRecording();
    const auto count = static_cast<std::int64_t>(recording().size());
    if (count > 0)
        countStatistics(count);
    m_lastPage = m_currentPage = LastPageForCount(count);
    m_files.setBusy(false);
    if (result.outcome == LoadOutcome::Unreadable)
        emit errorRaised(TextId::FileOpenError,
                         shownPath + QStringLiteral(": the file could not be read to its end"));
    else if (result.outcome == LoadOutcome::Damaged)
        emit errorRaised(TextId::FileDamaged,
                         shownPath + QStringLiteral(": ") + DamageText(result.damage));
    else if (result.outcome == LoadOutcome::OutOfMemory)
        emit errorRaised(TextId::OutOfMemory, {});
    m_documentPath = loaded ? shownPath : QString();
    if (loaded)
        emit recordingLoaded(static_cast<qsizetype>(count));
    else
        emit cleared();
    emit pageChanged(m_currentPage, m_lastPage);
    emit extremesChanged();
    emit unsavedChanged();
    emit loadFinished(result.outcome, result.cutShort);
    if (loaded && result.cutShort)
        emit noticeRaised(kFileCutShort);
}

bool RecorderController::startSave(const QString& path) {
    // One meter is saved as a .g53 file, several as the manifest `path` with a
    // .g53 file per meter.
    std::vector<RecordingSetMember> members;
    for (int meter = 0; meter < m_tracks.count(); ++meter)
        members.push_back(
            {m_tracks.name(meter), m_tracks.serial(meter), &meterRecording(meter).records()});
    const ManifestTrigger trigger{QString::fromStdString(m_trigger.startText()),
                                  QString::fromStdString(m_trigger.stopText())};
    return m_files.startSave(path, std::move(members), mathExpression(), trigger, m_markers.all());
}

void RecorderController::startTextExport(const QString& path, std::int32_t first, std::int32_t last,
                                         TextExportFormat format, TidyLayout layout) {
    if (isBusy())
        return;
    TextExportRequest request;
    request.path = path;
    request.first = first;
    request.last = last;
    request.lastPage = m_lastPage;
    request.format = format;
    request.layout = layout;
    request.single = &recording();
    request.markers = TidyMarkerNotes(m_markers.all());
    if (format == TextExportFormat::Tidy && (m_tracks.several() || layout == TidyLayout::Wide))
        request.several = tidyMeterSet();
    // The standard text holds one meter: several meters go to a file each.
    for (int meter = 0;
         format == TextExportFormat::Standard && m_tracks.several() && meter < m_tracks.count();
         ++meter)
        request.perMeter.push_back({m_tracks.name(meter), &meterRecording(meter).records()});
    m_files.startTextExport(std::move(request));
}

void RecorderController::finishSave(bool saved, const QString& path, const QString& reason) {
    if (saved) {
        for (int meter = 0; meter < m_tracks.count(); ++meter)
            m_tracks.track(meter).markSaved();
        m_markersUnsaved = false;
        m_documentPath = QDir::toNativeSeparators(path);
        emit unsavedChanged();
    }
    emit saveFinished(saved, path, reason);
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
    set.markers = TidyMarkerNotes(m_markers.all());
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
    // The tracks of the opened group follow the first one in the group's order.
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
