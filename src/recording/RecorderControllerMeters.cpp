// The several-meter part of RecorderController: the meters of a recording, the
// ticks that sample all of them and the math channel.
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
#include <string>

namespace telmora {

namespace {
constexpr TextId kTemporaryFileFailed = TextId::TempFileCreateFailed;
constexpr TextId kSampleOnlyInMemory = TextId::TempFileWriteFailed;
constexpr TextId kOutOfMemory = TextId::OutOfMemory;
} // namespace

// --- the meters --------------------------------------------------------------------------

void RecorderController::setMeters(std::vector<RecorderMeter> meters) {
    m_meters.setConfigured(std::move(meters));
    if (!m_recordingOn && !m_busy && m_recording.empty())
        applyConfiguredMeters();
    else if (m_meters.renameFromConfigured())
        emit metersChanged();
}

bool RecorderController::bindMeters() {
    const int before = m_meters.count();
    std::vector<int> missing;
    try {
        missing = m_meters.bindConfigured(
            static_cast<std::int64_t>(m_recording.size()), [this](std::int64_t i) {
                return std::string(m_recording.sampleAt(i).main.timeText.view());
            });
    } catch (const std::bad_alloc&) {
        emit errorRaised(kOutOfMemory, {});
        return false;
    }
    if (m_meters.count() != before)
        emit metersChanged();
    QStringList names;
    for (const int meter : missing) {
        const QString name = m_meters.name(meter).trimmed();
        names << (name.isEmpty() ? translate("RecorderWindow", "Meter %1").arg(meter + 1) : name);
    }
    if (!names.isEmpty() && anyMeterLinked()) // else nothing records: message 9002
        emit metersMissing(names);
    return true;
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

GroupedStatistics RecorderController::meterRangeStatistics(int meter, std::int64_t first,
                                                           std::int64_t end) const {
    if (meter <= 0 || meter >= m_meters.count())
        return rangeStatistics(first, end);
    const Recording& recording = m_meters.track(meter).recording();
    return m_meters.track(meter).countedStatistics().range(
        static_cast<std::size_t>(std::max<std::int64_t>(first, 0)),
        static_cast<std::size_t>(std::max<std::int64_t>(end, 0)),
        [&recording](std::size_t i) { return recording.readSample(static_cast<std::int64_t>(i)); });
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

void RecorderController::reviveMeters() {
    if (!m_meters.several())
        return;
    m_meters.firstFreshness().revive(m_meters.firstSource());
    for (int meter = 1; meter < m_meters.count(); ++meter) {
        MeterTrack& track = m_meters.track(meter);
        track.freshness().revive(track.readings());
    }
}

void RecorderController::meterLinkEnded() {
    const auto linked = [](const DecodedReplySource& source) {
        return source.linked && source.linked();
    };
    if (!m_meters.several()) {
        if (!linked(m_meters.firstSource()))
            linkEnded();
        return;
    }
    if (!linked(m_meters.firstSource()))
        m_meters.firstFreshness().end();
    for (int meter = 1; meter < m_meters.count(); ++meter)
        if (!linked(m_meters.track(meter).readings()))
            m_meters.track(meter).freshness().end();
    if (m_recordingOn && !anyMeterLinked())
        stopRecording();
}

bool RecorderController::anyMeterLinked() const {
    const DecodedReplySource& first = m_meters.firstSource();
    if (!m_meters.several())
        return first.linked && first.linked();
    if (!m_meters.firstFreshness().ended() && first.linked && first.linked())
        return true;
    for (int meter = 1; meter < m_meters.count(); ++meter) {
        const MeterTrack& track = m_meters.track(meter);
        if (!track.freshness().ended() && track.readings().linked && track.readings().linked())
            return true;
    }
    return false;
}

// --- ticks -------------------------------------------------------------------------------

std::vector<SampleEntry> RecorderController::companionSamples(const std::string& timeText,
                                                              bool& anyFresh) {
    std::vector<SampleEntry> companions;
    companions.reserve(static_cast<std::size_t>(m_meters.count() - 1));
    for (int meter = 1; meter < m_meters.count(); ++meter) {
        MeterTrack& track = m_meters.track(meter);
        const std::optional<SampleEntry> sample =
            track.freshness().take(track.readings(), timeText);
        anyFresh |= sample.has_value();
        companions.push_back(sample.value_or(MakeGapSample(timeText)));
    }
    return companions;
}

bool RecorderController::storeCompanionSamples(const std::vector<SampleEntry>& companions,
                                               WallClock clock, QString& refusal) {
    bool refused = false;
    for (int meter = 1; meter < m_meters.count(); ++meter) {
        MeterTrack& track = m_meters.track(meter);
        if (track.store(companions[static_cast<std::size_t>(meter - 1)], clock) ==
            MeterTrack::Stored::DiskRefused) {
            refused = true;
            refusal = track.errorString();
        }
    }
    return !refused;
}

void RecorderController::takeTick(bool always) {
    if (m_busy)
        return;
    const QDateTime now = QDateTime::currentDateTime();
    const QTime time = now.time();
    const std::string timeText =
        FormatSampleTime(time.hour(), time.minute(), time.second(), time.msec());
    DecodedReply firstReading;
    const std::optional<SampleEntry> first =
        m_meters.firstFreshness().take(m_meters.firstSource(), timeText, &firstReading);
    bool anyFresh = first.has_value();
    const std::vector<SampleEntry> companions = companionSamples(timeText, anyFresh);
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
    bool companionsInFile = true;
    try {
        companionsInFile = storeCompanionSamples(companions, clock, reason);
        m_meters.appendMath(firstEntry, companions);
    } catch (const std::bad_alloc&) {
        // The meters after the one that ran out miss the tick; the recording ends here.
        stopRecording();
        emit errorRaised(kOutOfMemory, {});
    }
    announceSample(*stored.index, stored.storageFailed, stored.fileCut);
    if (!companionsInFile && !stored.storageFailed) {
        // Like the first meter's, a sample the disk refused stays in memory and the
        // recording stops.
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
    if (!m_meters.setMathExpression(expression, error))
        return false;
    m_mathJob.discard();
    if (hasMath()) {
        // Every tick so far is computed on a worker, from copies of the stores (the
        // recording grows meanwhile); the ticks taken since follow on delivery.
        std::vector<RecordStore> stores;
        std::int64_t ticks = static_cast<std::int64_t>(m_recording.size());
        for (int meter = 0; meter < meterCount(); ++meter) {
            stores.push_back(meterRecording(meter).records());
            ticks = std::min(ticks, stores.back().size());
        }
        m_mathJob.start(
            [stores = std::move(stores), math = mathExpression(), meters = meterCount(),
             ticks](const JobControl& control) {
                MathChannel channel;
                channel.setExpression(math, meters);
                std::vector<const RecordStore*> pointers;
                for (const RecordStore& store : stores)
                    pointers.push_back(&store);
                return ComputeMathValues(channel, pointers, ticks, control.token());
            },
            [this, generation = m_recordingGeneration](std::vector<double>&& values,
                                                       JobOutcome outcome) {
                if (outcome != JobOutcome::Done || generation != m_recordingGeneration)
                    return;
                m_meters.takeMathValues(std::move(values), m_recording);
                emit metersChanged();
            });
    }
    emit metersChanged();
    return true;
}

} // namespace telmora
