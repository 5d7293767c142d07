// The several-meter part of RecorderController: the meters of a recording, the
// ticks that sample all of them, the math channel, and opening and saving a
// recording of several meters.
#include "recording/RecorderController.h"

#include "model/sampleconversion.h"
#include "recording/GapSample.h"
#include "recording/recorderexport.h"
#include "recording/recorderpages.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>

#include <new>

namespace telmora {

namespace {
constexpr TextId kTemporaryFileFailed = TextId::TempFileCreateFailed;
constexpr TextId kSampleOnlyInMemory = TextId::TempFileWriteFailed;
constexpr TextId kFileUnreadable = TextId::FileOpenError;
constexpr TextId kOutOfMemory = TextId::OutOfMemory;
constexpr TextId kFileCutShort = TextId::FileDamaged;
constexpr qint64 kProgressEveryMs = 30;
} // namespace

// --- the meters --------------------------------------------------------------------------

void RecorderController::setMeterName(const QString& name, const QString& serial) {
    const QString before = m_meters.name(0);
    m_meters.setFirstMeter(name, serial);
    if (m_meters.name(0) != before)
        emit metersChanged();
}

void RecorderController::setCompanionMeters(std::vector<RecorderMeter> meters) {
    m_meters.setCompanions(std::move(meters));
    if (!m_recordingOn && !m_busy && m_recording.empty())
        applyConfiguredMeters();
}

void RecorderController::applyConfiguredMeters() {
    if (m_meters.applyConfigured())
        emit metersChanged();
}

const Recording& RecorderController::meterRecording(int meter) const {
    return meter <= 0 || meter >= m_meters.count() ? m_recording
                                                   : m_meters.track(meter).recording();
}

const GroupedStatistics& RecorderController::meterStatistics(int meter) const {
    return meter <= 0 || meter >= m_meters.count() ? wholeStatistics()
                                                   : m_meters.track(meter).statistics();
}

void RecorderController::meterEnded(int meter) {
    if (!m_meters.several()) {
        if (m_recordingOn)
            stopRecording();
        return;
    }
    if (meter <= 0)
        m_meters.firstFreshness().end();
    else if (meter < m_meters.count())
        m_meters.track(meter).freshness().end();
    // The recording goes on as long as one meter still delivers.
    if (m_recordingOn && !anyMeterLinked())
        stopRecording();
}

bool RecorderController::anyMeterLinked() const {
    if (!m_meters.several())
        return m_source.linked && m_source.linked();
    if (!m_meters.firstFreshness().ended() && m_source.linked && m_source.linked())
        return true;
    for (int meter = 1; meter < m_meters.count(); ++meter) {
        const MeterTrack& track = m_meters.track(meter);
        if (!track.freshness().ended() && track.readings().linked && track.readings().linked())
            return true;
    }
    return false;
}

// --- ticks -------------------------------------------------------------------------------

void RecorderController::takeTick(bool always) {
    if (m_busy)
        return;
    const QDateTime now = QDateTime::currentDateTime();
    const QTime time = now.time();
    const std::string timeText =
        FormatSampleTime(time.hour(), time.minute(), time.second(), time.msec());
    DecodedReply firstReading;
    const std::optional<SampleEntry> first =
        m_meters.firstFreshness().take(m_source, timeText, &firstReading);
    bool anyFresh = first.has_value();
    std::vector<SampleEntry> companions;
    companions.reserve(static_cast<std::size_t>(m_meters.count() - 1));
    for (int meter = 1; meter < m_meters.count(); ++meter) {
        MeterTrack& track = m_meters.track(meter);
        const std::optional<SampleEntry> sample =
            track.freshness().take(track.readings(), timeText);
        anyFresh |= sample.has_value();
        companions.push_back(sample.value_or(MakeGapSample(timeText)));
    }
    if (!anyFresh && !always)
        return; // nothing new from any meter: no tick
    if (m_currentPage != m_lastPage)
        showPage(m_lastPage);
    const bool lowBatteryAppears = first && firstReading.lowBattery && !m_lowBatteryShown;
    if (first)
        m_lowBatteryShown = firstReading.lowBattery;
    // Every meter's file must be able to take the tick before any meter stores it.
    const bool manualSeries = m_mode == AcquisitionMode::Manual && !m_recordingOn;
    QString reason;
    if ((manualSeries || m_temporaryFiles.isOpen()) && !prepareAllFiles(&reason)) {
        if (m_recordingOn)
            stopRecording();
        emit errorRaised(kTemporaryFileFailed, reason);
        return;
    }
    const SampleEntry firstEntry = first.value_or(MakeGapSample(timeText));
    const WallClock clock{now.toMSecsSinceEpoch(), now.offsetFromUtc()};
    const FirstStored stored = storeFirstSample(firstEntry, clock);
    if (!stored.index)
        return;
    bool refused = false;
    try {
        for (int meter = 1; meter < m_meters.count(); ++meter) {
            MeterTrack& track = m_meters.track(meter);
            if (track.store(companions[static_cast<std::size_t>(meter - 1)], clock) ==
                MeterTrack::Stored::DiskRefused) {
                refused = true;
                reason = track.errorString();
            }
        }
        m_meters.appendMath(firstEntry, companions);
    } catch (const std::bad_alloc&) {
        // The meters after this one miss the tick; the recording ends here.
        stopRecording();
        emit errorRaised(kOutOfMemory, {});
    }
    announceSample(*stored.index, stored.storageFailed, stored.fileCut);
    if (refused && !stored.storageFailed) {
        // A companion's disk refused the sample: like the first meter's, it stays in
        // memory and the recording stops.
        closeTemporaryFiles();
        if (m_recordingOn)
            stopRecording();
        emit errorRaised(kSampleOnlyInMemory, reason);
    }
    if (lowBatteryAppears)
        emit lowBatteryAppeared();
}

bool RecorderController::prepareAllFiles(QString* reason) {
    if (!prepareTemporaryFile()) {
        *reason = m_temporaryFiles.errorString();
        return false;
    }
    if (!m_meters.several())
        return true;
    for (int meter = 1; meter < m_meters.count(); ++meter) {
        MeterTrack& track = m_meters.track(meter);
        if (!track.prepareFile()) {
            *reason = track.errorString();
            closeTemporaryFiles();
            return false;
        }
    }
    if (m_meters.updateGroupFile(m_temporaryFiles.currentPath(), reason))
        return true;
    closeTemporaryFiles();
    return false;
}

// --- math --------------------------------------------------------------------------------

bool RecorderController::setMathExpression(const QString& expression, QString* error) {
    if (m_busy) {
        if (error != nullptr)
            *error = tr("The recorder is busy.");
        return false;
    }
    if (!m_meters.setMathExpression(expression, m_recording, error))
        return false;
    emit metersChanged();
    return true;
}

// --- files ---------------------------------------------------------------------------------

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
    LoadResult first;
    first.outcome = result.outcome;
    first.cutShort = result.cutShort;
    QString shown = pathText;
    if (result.outcome == LoadOutcome::Loaded && !result.meters.empty()) {
        first.recording = std::move(result.meters.front().recording);
        m_meters.setLoaded(result.meters, result.math, std::move(result.mathValues));
        emit metersChanged();
    } else if (!result.failedFile.isEmpty()) {
        shown = QDir::toNativeSeparators(result.failedFile); // the file that failed
    }
    finishLoad(std::move(first), shown);
    if (result.outcome == LoadOutcome::Loaded)
        m_documentPath = pathText;
}

bool RecorderController::startSeveralSave(const QString& path) {
    setBusy(true);
    auto members = std::make_shared<std::vector<RecordingSetMember>>();
    for (int meter = 0; meter < m_meters.count(); ++meter)
        members->push_back(
            {m_meters.name(meter), m_meters.serial(meter), &meterRecording(meter).records()});
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
        [this](SaveResult&& result, JobOutcome) {
            if (result.saved)
                for (int meter = 1; meter < m_meters.count(); ++meter)
                    m_meters.track(meter).markSaved();
            finishSave(result);
        });
    return true;
}

TidyMeterSet RecorderController::tidyMeterSet() const {
    TidyMeterSet set;
    for (int meter = 0; meter < m_meters.count(); ++meter) {
        QString name = m_meters.name(meter);
        if (name.isEmpty())
            name = QStringLiteral("M%1").arg(meter + 1);
        set.meters.push_back({name.toStdString(), &meterRecording(meter).records()});
    }
    set.clockOf = [this](std::size_t i) { return m_recording.wallClock(i); };
    set.hasMath = hasMath();
    set.mathExpression = mathExpression().toStdString();
    set.mathUnit = mathUnit().toStdString();
    const auto ticks = static_cast<std::int64_t>(m_recording.size());
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
    m_meters.adoptGroupFile(groupPath);
    const QString firstPath = ManifestMemberPath(groupPath, group->meters.front().file);
    std::vector<std::unique_ptr<TemporaryFileClaim>> joined = claim->takeJoined();
    const auto claimOf = [&joined](const QString& path) {
        for (auto& member : joined)
            if (member && member->lockPath() == TemporaryFileLockPath(path))
                return std::move(member);
        return std::unique_ptr<TemporaryFileClaim>();
    };
    // Meters of the opened group follow the first one in the group's order.
    const bool sameMeters = m_meters.count() == static_cast<int>(group->meters.size());
    for (std::size_t i = 1; i < group->meters.size(); ++i) {
        const QString path = ManifestMemberPath(groupPath, group->meters[i].file);
        if (sameMeters && !m_recordingOn)
            m_meters.track(static_cast<int>(i)).adoptFile(path, claimOf(path));
        else
            m_temporaryFiles.adopt(path, claimOf(path)); // deleted with this run's own
    }
    adoptTemporaryFile(firstPath, std::move(claim));
}

} // namespace telmora
