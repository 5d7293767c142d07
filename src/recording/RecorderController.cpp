#include "recording/RecorderController.h"
#include "recording/RecordingLimits.h"

#include "model/fileaccess.h"
#include "model/sampleconversion.h"
#include "recording/GapSample.h"
#include "recording/recorderexport.h"
#include "recording/recorderpages.h"
#include "recording/recordertidy.h"
#include "text/texts.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <new>

namespace telmora {

namespace {
// Message numbers the recorder raises.
constexpr TextId kNotLinked = TextId::LinkBeforeLogging;
constexpr TextId kTemporaryFileFailed = TextId::TempFileCreateFailed;
constexpr TextId kSampleOnlyInMemory = TextId::TempFileWriteFailed;
constexpr TextId kOutOfMemory = TextId::OutOfMemory;
constexpr TextId kRecordingCutShort = TextId::RecordingFileCutShort;
constexpr TextId kAtFirstPage = TextId::AtFirstPage;
constexpr TextId kAtLastPage = TextId::AtLastPage;
} // namespace

RecorderController::RecorderController(DecodedReplySource source, QString temporaryDirectory,
                                       QObject* parent)
    : QObject(parent), m_temporaryDirectory(temporaryDirectory),
      m_tracks(std::move(temporaryDirectory), std::move(source)), m_sampleTimer(new QTimer(this)) {
    m_sampleTimer->setObjectName(QStringLiteral("samplingTimer"));
    m_sampleTimer->setInterval(m_intervalMs);
    connect(m_sampleTimer, &QTimer::timeout, this, &RecorderController::takeScheduledSample);
    watchRecording();
    watchFiles();
    m_limitCounts = std::make_unique<RecordingLimits>(*this);
}

RecorderController::~RecorderController() {
    m_sampleTimer->stop();
}

bool RecorderController::hasUnsavedData() const {
    for (int meter = 0; meter < m_tracks.count(); ++meter) {
        const Recording& recording = m_tracks.track(meter).recording();
        if (!recording.isEmpty() && recording.isUnsaved())
            return true;
    }
    return m_markersUnsaved && !recording().isEmpty();
}

// --- sampling ----------------------------------------------------------------------

void RecorderController::setAcquisition(AcquisitionMode mode, std::int32_t intervalMs) {
    if (mode != m_mode && !m_recordingOn)
        m_tracks.closeFiles(); // a manual series ends with its mode
    m_mode = mode;
    m_intervalMs = intervalMs > 0 ? intervalMs : kFullSpeedMs;
    emit acquisitionChanged();
}

bool RecorderController::startRecording() {
    if (m_recordingOn)
        return true; // already running: starting again changes nothing
    if (recording().empty())
        applyConfiguredMeters();
    else if (!bindMeters())
        return false;
    reviveMeters();
    if (!m_tracks.anyDelivers()) {
        emit errorRaised(kNotLinked, {});
        emit recordingStateChanged(false);
        return false;
    }
    m_sampleTimer->setInterval(m_intervalMs);
    m_sampleTimer->start();
    m_lowBatteryShown = false; // a new recording tells of a low battery again
    const QDateTime now = QDateTime::currentDateTime();
    m_watch.arm(m_trigger, now.toMSecsSinceEpoch(), now.time().msecsSinceStartOfDay() / 1000);
    setRecordingOn(true);
    if (m_watch.waiting()) {
        emit triggerWaitingChanged(true);
        return true; // its files are made when the start comes
    }
    QString reason;
    if (!m_tracks.prepareFiles(&reason)) {
        stopRecording();
        emit errorRaised(kTemporaryFileFailed, reason);
        return false;
    }
    return true;
}

void RecorderController::stopRecording() {
    const bool waited = waitingForTrigger();
    m_watch.disarm();
    m_tracks.closeFiles();
    m_sampleTimer->stop();
    setRecordingOn(false);
    if (waited)
        emit triggerWaitingChanged(false);
}

void RecorderController::setRecordingOn(bool on) {
    m_recordingOn = on;
    emit recordingStateChanged(on);
}

void RecorderController::linkEnded() {
    meterEnded(0);
}

void RecorderController::readingsInterrupted() {
    if (m_recordingOn || temporaryFileOpen())
        for (int meter = 0; meter < m_tracks.count(); ++meter)
            m_tracks.track(meter).markGapAfterLast();
}

bool RecorderController::takeManualSample() {
    if (recording().empty())
        applyConfiguredMeters();
    else if (!m_recordingOn && !temporaryFileOpen() && !bindMeters())
        return false; // a manual series begins
    reviveMeters();
    if (!m_tracks.anyDelivers()) {
        emit errorRaised(kNotLinked, {});
        emit recordingStateChanged(m_recordingOn);
        return false;
    }
    takeSample();
    return true;
}

void RecorderController::takeScheduledSample() {
    takeTick(false);
}

void RecorderController::takeSample() {
    if (recording().empty() && !isBusy())
        applyConfiguredMeters();
    takeTick(true);
}

bool RecorderController::startTemporaryFile() {
    m_tracks.forgetFiles();
    QString reason; // the tracks begin new files, the group names them
    return m_tracks.prepareFiles(&reason);
}

void RecorderController::adoptTemporaryFile(const QString& path,
                                            std::unique_ptr<TemporaryFileClaim> claim) {
    if (IsManifestPath(path)) {
        adoptTemporaryGroup(path, std::move(claim));
        return;
    }
    m_tracks.track(0).adoptFile(path, std::move(claim), !m_recordingOn);
    m_journal.adopt(path);
}

void RecorderController::addSample(const SampleEntry& entry, std::optional<WallClock> clock) {
    // The other meters of the tick record gaps.
    std::vector<SampleEntry> samples(static_cast<std::size_t>(m_tracks.count()),
                                     MakeGapSample(std::string(entry.main.timeText.view())));
    samples.front() = entry;
    storeTick(samples, clock ? *clock : wallClockNow());
}

bool RecorderController::writesFiles() const {
    // Manual samples are mirrored to disk too; a running recording always is.
    const bool manualSeries = m_mode == AcquisitionMode::Manual && !m_recordingOn;
    return manualSeries || m_recordingOn || temporaryFileOpen();
}

void RecorderController::storeTick(const std::vector<SampleEntry>& samples, WallClock clock) {
    // Every meter's file must be able to take the tick before any meter stores it:
    // an open file takes a sample only after every earlier sample of its recording.
    QString reason;
    if (writesFiles() && !m_tracks.prepareFiles(&reason)) {
        if (m_recordingOn)
            stopRecording();
        emit errorRaised(kTemporaryFileFailed, reason);
        return;
    }
    bool refused = false;
    bool fileCut = false;
    int stored = 0;
    try {
        for (; stored < m_tracks.count(); ++stored) {
            MeterTrack& track = m_tracks.track(stored);
            // The first track's statistics of an opened recording are being counted:
            // the count takes this sample up when it comes.
            const bool count = stored > 0 || !m_statisticsJob.isRunning();
            const MeterTrack::Stored outcome =
                track.store(samples[static_cast<std::size_t>(stored)], clock, count);
            if (outcome == MeterTrack::Stored::DiskRefused ||
                outcome == MeterTrack::Stored::FileCut) {
                if (!refused)
                    reason = track.errorString();
                refused = true;
                fileCut |= outcome == MeterTrack::Stored::FileCut;
            }
        }
        m_tracks.appendMath(samples);
    } catch (const std::bad_alloc&) {
        // The meters after the one that ran out miss the tick; the recording ends here.
        stopRecording();
        emit errorRaised(kOutOfMemory, {});
        if (stored == 0)
            return;
    }
    // A recording that went on in new temporary files keeps its markers beside them.
    if (!m_markers.empty() && temporaryFileOpen() && !m_journal.writesBeside(temporaryFilePath()))
        keepMarkers();
    const auto index = static_cast<std::int64_t>(recording().size()) - 1;
    m_lastPage = PageOfIndex(index);
    m_currentPage = m_lastPage;
    emit sampleAdded(static_cast<qsizetype>(index));
    emit extremesChanged();
    emit unsavedChanged();
    if (refused)
        storageFailed(fileCut, reason);
}

void RecorderController::storageFailed(bool fileCut, const QString& reason) {
    // The disk refused the sample (full?), or a file was cut short under the
    // recording: the sample stays in memory with the recording, the recording
    // stops. A full disk leaves every sample before it in the file; the next start
    // writes the rest first.
    m_tracks.closeFiles();
    if (m_recordingOn)
        stopRecording();
    if (fileCut)
        reportUnreadableSamples();
    else
        emit errorRaised(kSampleOnlyInMemory, reason);
}

WallClock RecorderController::wallClockNow() {
    // Looking up the local time zone costs far more than taking a sample; the offset
    // can only change on a whole second, so it is looked up once per second.
    const qint64 ms = QDateTime::currentMSecsSinceEpoch();
    const qint64 second = ms >= 0 ? ms / 1000 : (ms - 999) / 1000;
    if (second != m_offsetSecond) {
        m_offsetSecond = second;
        m_utcOffsetSeconds = QDateTime::fromMSecsSinceEpoch(ms).offsetFromUtc();
    }
    return {ms, m_utcOffsetSeconds};
}

// --- statistics ----------------------------------------------------------------------

void RecorderController::takeCountedStatistics(const RecordingStatistics& statistics) {
    RecordingStatistics& counted = m_tracks.track(0).countedStatistics();
    counted = statistics;
    // Samples taken while the count ran are counted now.
    for (auto i = static_cast<std::int64_t>(counted.size());
         i < static_cast<std::int64_t>(recording().size()); ++i) {
        if (const std::optional<SampleEntry> sample = recording().readSample(i))
            counted.add(*sample);
        else
            counted.skip();
    }
    if (counted.unreadable() > 0)
        reportUnreadableSamples();
    emit statisticsChanged();
}

void RecorderController::watchRecording() {
    for (int meter = 0; meter < m_tracks.count(); ++meter)
        m_tracks.track(meter).recording().setUnreadableHandler(
            [this] { reportUnreadableSamples(); });
}

void RecorderController::reportUnreadableSamples() {
    QMetaObject::invokeMethod(
        this,
        [this, generation = m_recordingGeneration] {
            if (generation != m_recordingGeneration || m_damaged)
                return;
            m_damaged = true;
            emit recordingDamaged();
            emit errorRaised(kRecordingCutShort, {});
        },
        Qt::QueuedConnection);
}

GroupedStatistics RecorderController::rangeStatistics(std::int64_t first, std::int64_t end) const {
    const auto sampleAt = [this](std::size_t i) {
        return recording().readSample(static_cast<std::int64_t>(i));
    };
    first = std::max<std::int64_t>(first, 0);
    end = std::max<std::int64_t>(end, 0);
    if (!m_damaged && !recording().hasUnreadableSamples())
        return statistics().range(static_cast<std::size_t>(first), static_cast<std::size_t>(end),
                                  sampleAt);
    // The precounted blocks may hold samples that can no longer be read: the range is
    // read sample by sample, so that it counts what the graph and the list show.
    GroupedStatistics out;
    end = std::min(end, static_cast<std::int64_t>(recording().size()));
    for (std::int64_t i = first; i < end; ++i)
        if (const std::optional<SampleEntry> sample = sampleAt(static_cast<std::size_t>(i)))
            out.add(RecorderMainReading(*sample));
    return out;
}

GroupedStatistics RecorderController::pageStatistics(std::int32_t page) const {
    const auto count = static_cast<std::int64_t>(recording().size());
    const PageContents contents = ContentsOfPage(count, m_lastPage, page);
    return rangeStatistics(contents.firstIndex, contents.firstIndex + contents.samples);
}

// --- pages -------------------------------------------------------------------------

void RecorderController::showPage(std::int32_t page) {
    m_currentPage = std::clamp(page, 1, m_lastPage);
    emit pageChanged(m_currentPage, m_lastPage);
}

void RecorderController::showPreviousPage() {
    if (m_currentPage <= 1) {
        emit noticeRaised(kAtFirstPage);
        return;
    }
    showPage(m_currentPage - 1);
}

void RecorderController::showNextPage() {
    if (m_currentPage >= m_lastPage) {
        emit noticeRaised(kAtLastPage);
        return;
    }
    showPage(m_currentPage + 1);
}

std::pair<std::int32_t, std::int32_t>
RecorderController::exportPages(ExportPages scope, std::int32_t from, std::int32_t to) const {
    switch (scope) {
    case ExportPages::Current:
        break;
    case ExportPages::Range: {
        std::int32_t first = std::clamp(from, 1, m_lastPage);
        std::int32_t last = std::clamp(to, 1, m_lastPage);
        if (first > last)
            std::swap(first, last);
        return {first, last};
    }
    case ExportPages::All:
        return {1, m_lastPage};
    }
    return {m_currentPage, m_currentPage};
}

// --- clearing ----------------------------------------------------------------

void RecorderController::clear() {
    // A manual series ends with its recording; a running recording goes on in new
    // files with its next sample.
    m_tracks.clearRecordings(m_recordingOn);
    m_lastPage = m_currentPage = 1;
    m_sampleTimer->setInterval(m_intervalMs);
    m_documentPath.clear();
    beginNewRecording();
    if (!m_recordingOn)
        applyConfiguredMeters();
    emit cleared();
    emit pageChanged(m_currentPage, m_lastPage);
    emit extremesChanged();
    emit unsavedChanged();
}

void RecorderController::beginNewRecording() {
    ++m_recordingGeneration;
    m_damaged = false;
    m_statisticsJob.discard();
    m_mathJob.discard();
    m_markers.clear();
    m_markersUnsaved = false;
    m_journal.forget();
    emit markersChanged();
}

// --- statistics job --------------------------------------------------------------------

void RecorderController::countStatistics(std::int64_t count) {
    m_statisticsJob.start(
        [records = recording().records(), count](const JobControl& control) {
            return CountRecordingStatistics(records, count, control.token());
        },
        [this](std::optional<RecordingStatistics>&& counted, JobOutcome outcome) {
            if (outcome == JobOutcome::Done && counted)
                takeCountedStatistics(*counted);
        });
}

} // namespace telmora
