#include "recording/RecorderController.h"

#include "model/fileaccess.h"
#include "model/sampleconversion.h"
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

WallClock WallClockOf(const QDateTime& moment) {
    return {moment.toMSecsSinceEpoch(), moment.offsetFromUtc()};
}
} // namespace

RecorderController::RecorderController(DecodedReplySource source, QString temporaryDirectory,
                                       QObject* parent)
    : QObject(parent), m_meters(temporaryDirectory, std::move(source)),
      m_temporaryFiles(std::move(temporaryDirectory)), m_sampleTimer(new QTimer(this)) {
    m_sampleTimer->setObjectName(QStringLiteral("samplingTimer"));
    m_sampleTimer->setInterval(m_intervalMs);
    connect(m_sampleTimer, &QTimer::timeout, this, &RecorderController::takeScheduledSample);
    watchRecording();
}

RecorderController::~RecorderController() {
    m_sampleTimer->stop();
}

// --- sampling ----------------------------------------------------------------------

void RecorderController::setAcquisition(AcquisitionMode mode, std::int32_t intervalMs) {
    if (mode != m_mode && !m_recordingOn)
        closeTemporaryFiles(); // a manual series ends with its mode
    m_mode = mode;
    m_intervalMs = intervalMs > 0 ? intervalMs : kFullSpeedMs;
    emit acquisitionChanged();
}

bool RecorderController::startRecording() {
    if (m_recordingOn)
        return true; // already running: starting again changes nothing
    if (m_recording.empty())
        applyConfiguredMeters();
    else if (!bindMeters())
        return false;
    reviveMeters();
    if (!anyMeterLinked()) {
        emit errorRaised(kNotLinked, {});
        emit recordingStateChanged(false);
        return false;
    }
    m_sampleTimer->setInterval(m_intervalMs);
    m_sampleTimer->start();
    m_lowBatteryShown = false; // a new recording tells of a low battery again
    setRecordingOn(true);
    QString reason;
    if (!prepareAllFiles(&reason)) {
        stopRecording();
        emit errorRaised(kTemporaryFileFailed, reason);
        return false;
    }
    return true;
}

void RecorderController::closeTemporaryFiles() {
    m_temporaryFiles.close();
    for (int meter = 1; meter < m_meters.count(); ++meter)
        m_meters.track(meter).closeFile();
}

void RecorderController::stopRecording() {
    closeTemporaryFiles();
    m_sampleTimer->stop();
    setRecordingOn(false);
}

void RecorderController::setRecordingOn(bool on) {
    m_recordingOn = on;
    emit recordingStateChanged(on);
}

void RecorderController::linkEnded() {
    if (m_meters.several()) {
        meterEnded(0);
        return;
    }
    if (m_recordingOn)
        stopRecording();
}

void RecorderController::readingsInterrupted() {
    if (m_recordingOn || m_temporaryFiles.isOpen()) {
        m_recording.markGapAfterLast();
        for (int meter = 1; meter < m_meters.count(); ++meter)
            m_meters.track(meter).markGapAfterLast();
    }
}

bool RecorderController::takeManualSample() {
    if (m_recording.empty())
        applyConfiguredMeters();
    else if (!m_recordingOn && !m_temporaryFiles.isOpen() && !bindMeters())
        return false; // a manual series begins
    if (!anyMeterLinked()) {
        emit errorRaised(kNotLinked, {});
        emit recordingStateChanged(m_recordingOn);
        return false;
    }
    takeSample();
    return true;
}

void RecorderController::takeScheduledSample() {
    if (m_meters.several()) {
        takeTick(false);
        return;
    }
    const DecodedReplySource& source = m_meters.firstSource();
    if (source.readingValid && source.readingValid())
        takeSample();
}

void RecorderController::takeSample() {
    if (m_recording.empty() && !m_busy)
        applyConfiguredMeters();
    if (m_meters.several()) {
        takeTick(true);
        return;
    }
    const DecodedReplySource& source = m_meters.firstSource();
    if (m_busy || !source.latestReading)
        return;
    const QDateTime now = QDateTime::currentDateTime();
    const QTime time = now.time();
    const std::string timeText =
        FormatSampleTime(time.hour(), time.minute(), time.second(), time.msec());
    const DecodedReply reading = source.latestReading();
    // Back to the newest page first.
    if (m_currentPage != m_lastPage)
        showPage(m_lastPage);
    // A low battery is told once when it appears, not with every sample, and it
    // never holds up sampling: the sample is stored like any other.
    const bool lowBatteryAppears = reading.lowBattery && !m_lowBatteryShown;
    m_lowBatteryShown = reading.lowBattery;
    // A reading that cannot be stored changes nothing.
    if (const auto entry = BuildSample(reading, timeText))
        addSample(*entry, WallClockOf(now));
    if (lowBatteryAppears)
        emit lowBatteryAppeared();
}

bool RecorderController::startTemporaryFile() {
    closeTemporaryFiles();
    m_fileHoldsRecording = false;
    if (!m_meters.several())
        return prepareTemporaryFile();
    QString reason; // the other meters go on in their files, the group names the new one
    return prepareAllFiles(&reason);
}

bool RecorderController::prepareTemporaryFile() {
    const auto count = static_cast<std::int64_t>(m_recording.size());
    if (m_temporaryFiles.isOpen() && m_fileHoldsRecording &&
        m_temporaryFiles.sampleCount() == count)
        return true;
    // The recording goes on in its own file; a new file is only begun for a
    // recording that has none (new, cleared, opened) or whose file is gone.
    const bool goesOn = m_fileHoldsRecording && m_temporaryFiles.sampleCount() <= count &&
                        m_temporaryFiles.reopenCurrent();
    if (!goesOn) {
        m_fileHoldsRecording = false;
        if (!m_temporaryFiles.startNext())
            return false;
        m_fileHoldsRecording = true;
    }
    // Samples the file does not hold yet (taken while the disk refused them, or
    // read from an opened file) go first, so the file holds the whole recording.
    if (m_temporaryFiles.appendFrom(m_recording.records(), m_temporaryFiles.sampleCount(), count))
        return true;
    m_temporaryFiles.close();
    return false;
}

void RecorderController::adoptTemporaryFile(const QString& path,
                                            std::unique_ptr<TemporaryFileClaim> claim) {
    if (IsManifestPath(path)) {
        adoptTemporaryGroup(path, std::move(claim));
        return;
    }
    m_temporaryFiles.adopt(path, std::move(claim));
    if (!m_recordingOn)
        m_fileHoldsRecording =
            m_temporaryFiles.continueIn(path, static_cast<std::int64_t>(m_recording.size()));
}

void RecorderController::addSample(const SampleEntry& entry, std::optional<WallClock> clock) {
    // Manual samples are mirrored to disk too. An open file takes the sample only
    // after every earlier sample of the recording.
    const bool manualSeries = m_mode == AcquisitionMode::Manual && !m_recordingOn;
    if ((manualSeries || m_temporaryFiles.isOpen()) && !prepareTemporaryFile()) {
        const QString reason = m_temporaryFiles.errorString();
        if (m_recordingOn)
            stopRecording();
        emit errorRaised(kTemporaryFileFailed, reason);
        return;
    }
    const FirstStored stored = storeFirstSample(entry, clock ? *clock : wallClockNow());
    if (stored.index)
        announceSample(*stored.index, stored.storageFailed, stored.fileCut);
}

RecorderController::FirstStored RecorderController::storeFirstSample(const SampleEntry& entry,
                                                                     WallClock clock) {
    // The sample goes to disk first, so the recording can read it back from there;
    // a sample the disk refused is kept in memory.
    FirstStored out;
    std::int64_t offset = 0;
    out.storageFailed = m_temporaryFiles.isOpen() && !m_temporaryFiles.append(entry, &offset);
    const bool stored =
        m_temporaryFiles.isOpen() && !out.storageFailed && m_temporaryFiles.records();
    out.fileCut = out.storageFailed && m_temporaryFiles.wasCut();
    try {
        out.index = m_recording.addSample(entry, clock,
                                          stored ? m_temporaryFiles.records() : nullptr, offset);
        if (!m_statisticsJob.isRunning()) // else counted when the count is taken
            m_statistics.add(entry);
    } catch (const std::bad_alloc&) {
        if (m_temporaryFiles.isOpen() && !out.storageFailed)
            m_temporaryFiles.removeLast(); // the file mirrors the recording
        stopRecording();
        emit errorRaised(kOutOfMemory, {});
        return {};
    }
    return out;
}

void RecorderController::announceSample(std::size_t index, bool storageFailed, bool fileCut) {
    m_lastPage = PageOfIndex(static_cast<std::int64_t>(index));
    m_currentPage = m_lastPage;
    emit sampleAdded(static_cast<qsizetype>(index));
    emit extremesChanged();
    emit unsavedChanged();
    if (storageFailed)
        this->storageFailed(fileCut);
}

void RecorderController::storageFailed(bool fileCut) {
    // The disk refused the sample (full?), or the file was cut short under the
    // recording: the sample stays in memory with the recording, the recording
    // stops. A full disk leaves every sample before it in the file; the next start
    // writes the rest first.
    const QString reason = m_temporaryFiles.errorString();
    m_temporaryFiles.close();
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
    m_statistics = statistics;
    // Samples taken while the count ran are counted now.
    for (auto i = static_cast<std::int64_t>(m_statistics.size());
         i < static_cast<std::int64_t>(m_recording.size()); ++i) {
        if (const std::optional<SampleEntry> sample = m_recording.readSample(i))
            m_statistics.add(*sample);
        else
            m_statistics.skip();
    }
    if (m_statistics.unreadable() > 0)
        reportUnreadableSamples();
    emit statisticsChanged();
}

void RecorderController::watchRecording() {
    m_recording.setUnreadableHandler([this] { reportUnreadableSamples(); });
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
        return m_recording.readSample(static_cast<std::int64_t>(i));
    };
    first = std::max<std::int64_t>(first, 0);
    end = std::max<std::int64_t>(end, 0);
    if (!m_damaged && !m_recording.hasUnreadableSamples())
        return m_statistics.range(static_cast<std::size_t>(first), static_cast<std::size_t>(end),
                                  sampleAt);
    // The precounted blocks may hold samples that can no longer be read: the range is
    // read sample by sample, so that it counts what the graph and the list show.
    GroupedStatistics out;
    end = std::min(end, static_cast<std::int64_t>(m_recording.size()));
    for (std::int64_t i = first; i < end; ++i)
        if (const std::optional<SampleEntry> sample = sampleAt(static_cast<std::size_t>(i)))
            out.add(RecorderMainReading(*sample));
    return out;
}

GroupedStatistics RecorderController::pageStatistics(std::int32_t page) const {
    const auto count = static_cast<std::int64_t>(m_recording.size());
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
    if (!m_recordingOn)
        closeTemporaryFiles();    // a manual series ends with its recording
    m_fileHoldsRecording = false; // the next sample begins a new file
    m_meters.clearRecordings();
    m_lastPage = m_currentPage = 1;
    m_sampleTimer->setInterval(m_intervalMs);
    m_recording.clear();
    m_documentPath.clear();
    ++m_recordingGeneration;
    m_damaged = false;
    m_statisticsJob.discard();
    m_mathJob.discard();
    m_statistics.clear();
    if (!m_recordingOn)
        applyConfiguredMeters();
    emit cleared();
    emit pageChanged(m_currentPage, m_lastPage);
    emit extremesChanged();
    emit unsavedChanged();
}

void RecorderController::setBusy(bool busy) {
    if (m_busy == busy)
        return;
    m_busy = busy;
    emit busyChanged(busy);
}

// --- statistics job --------------------------------------------------------------------

void RecorderController::countStatistics(std::int64_t count) {
    m_statisticsJob.start(
        [records = m_recording.records(), count](const JobControl& control) {
            return CountRecordingStatistics(records, count, control.token());
        },
        [this](std::optional<RecordingStatistics>&& counted, JobOutcome outcome) {
            if (outcome == JobOutcome::Done && counted)
                takeCountedStatistics(*counted);
        });
}

} // namespace telmora
