// The meters of RecorderController's recording: binding them to live meters, the
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

namespace {} // namespace

// --- the meters --------------------------------------------------------------------------

void RecorderController::setMeters(std::vector<RecorderMeter> meters) {
    m_tracks.setConfigured(std::move(meters));
    if (!m_recordingOn && !isBusy() && recording().empty())
        applyConfiguredMeters();
    else if (m_tracks.renameFromConfigured())
        emit metersChanged();
}

bool RecorderController::bindMeters() {
    const int before = m_tracks.count();
    std::vector<int> missing;
    try {
        missing = m_tracks.bindConfigured();
    } catch (const std::bad_alloc&) {
        emit errorRaised(TextId::OutOfMemory, {});
        return false;
    }
    if (m_tracks.count() != before) {
        watchRecording();
        emit metersChanged();
    }
    QStringList names;
    for (const int meter : missing) {
        const QString name = m_tracks.name(meter).trimmed();
        names << (name.isEmpty() ? translate("RecorderWindow", "Meter %1").arg(meter + 1) : name);
    }
    if (!names.isEmpty() && m_tracks.anyDelivers()) // else nothing records: message 9002
        emit metersMissing(names);
    return true;
}

void RecorderController::applyConfiguredMeters() {
    if (!m_tracks.applyConfigured())
        return;
    watchRecording();
    emit metersChanged();
}

const Recording& RecorderController::meterRecording(int meter) const {
    return m_tracks.track(meter < 0 || meter >= m_tracks.count() ? 0 : meter).recording();
}

const GroupedStatistics& RecorderController::meterStatistics(int meter) const {
    return m_tracks.track(meter < 0 || meter >= m_tracks.count() ? 0 : meter).statistics();
}

GroupedStatistics RecorderController::meterRangeStatistics(int meter, std::int64_t first,
                                                           std::int64_t end) const {
    if (meter <= 0 || meter >= m_tracks.count())
        return rangeStatistics(first, end); // reads sample by sample in a damaged recording
    const MeterTrack& track = m_tracks.track(meter);
    const Recording& recording = track.recording();
    return track.countedStatistics().range(
        static_cast<std::size_t>(std::max<std::int64_t>(first, 0)),
        static_cast<std::size_t>(std::max<std::int64_t>(end, 0)),
        [&recording](std::size_t i) { return recording.readSample(static_cast<std::int64_t>(i)); });
}

void RecorderController::meterEnded(int meter) {
    if (meter >= 0 && meter < m_tracks.count())
        m_tracks.track(meter).freshness().end();
    // The recording goes on as long as one meter still delivers.
    if (m_recordingOn && (!m_tracks.several() || !m_tracks.anyDelivers()))
        stopRecording();
}

void RecorderController::reviveMeters() {
    for (int meter = 0; meter < m_tracks.count(); ++meter) {
        MeterTrack& track = m_tracks.track(meter);
        track.freshness().revive(track.readings());
    }
}

void RecorderController::meterLinkEnded() {
    for (int meter = 0; meter < m_tracks.count(); ++meter) {
        MeterTrack& track = m_tracks.track(meter);
        if (!track.readings().linked || !track.readings().linked())
            track.freshness().end();
    }
    if (m_recordingOn && !m_tracks.anyDelivers())
        stopRecording();
}

// --- ticks -------------------------------------------------------------------------------

std::optional<std::vector<SampleEntry>>
RecorderController::tickSamples(const std::string& timeText, bool always, bool& lowBattery) {
    std::vector<SampleEntry> samples;
    samples.reserve(static_cast<std::size_t>(m_tracks.count()));
    lowBattery = false;
    if (!m_tracks.several()) {
        // One meter repeats its newest reading at each tick while it is valid; a
        // manual sample takes the newest reading as it is.
        const DecodedReplySource& source = m_tracks.track(0).readings();
        const bool usable =
            always ? static_cast<bool>(source.latestReading)
                   : source.readingValid && source.readingValid() && source.latestReading;
        if (!usable)
            return std::nullopt;
        const DecodedReply reading = source.latestReading();
        std::optional<SampleEntry> sample = BuildSample(reading, timeText);
        if (!sample) // a reading that cannot be stored changes nothing
            return std::nullopt;
        lowBattery = reading.lowBattery;
        samples.push_back(*sample);
        return samples;
    }
    // Several meters: each its fresh reading or a gap, so that sample i of every
    // meter belongs to tick i.
    bool anyFresh = false;
    for (int meter = 0; meter < m_tracks.count(); ++meter) {
        MeterTrack& track = m_tracks.track(meter);
        DecodedReply reading;
        const std::optional<SampleEntry> sample =
            track.freshness().take(track.readings(), timeText, &reading);
        anyFresh |= sample.has_value();
        lowBattery |= sample.has_value() && reading.lowBattery;
        samples.push_back(sample.value_or(MakeGapSample(timeText)));
    }
    if (!anyFresh && !always)
        return std::nullopt; // nothing new from any meter: no tick
    return samples;
}

void RecorderController::takeTick(bool always) {
    if (isBusy())
        return;
    const QDateTime now = QDateTime::currentDateTime();
    const QTime time = now.time();
    const std::string timeText =
        FormatSampleTime(time.hour(), time.minute(), time.second(), time.msec());
    bool lowBattery = false;
    const std::optional<std::vector<SampleEntry>> samples =
        tickSamples(timeText, always, lowBattery);
    if (!samples || (m_recordingOn && !always && !triggerAdmits(*samples, now.toMSecsSinceEpoch())))
        return;
    // Back to the newest page first.
    if (m_currentPage != m_lastPage)
        showPage(m_lastPage);
    // A low battery is told once when it appears, not with every sample, and it
    // never holds up sampling: the sample is stored like any other.
    const bool lowBatteryAppears = lowBattery && !m_lowBatteryShown;
    m_lowBatteryShown = lowBattery;
    storeTick(*samples, {now.toMSecsSinceEpoch(), now.offsetFromUtc()});
    if (lowBatteryAppears)
        emit lowBatteryAppeared();
    if (m_recordingOn && !always)
        triggerAfterTick(*samples);
}

// --- math --------------------------------------------------------------------------------

bool RecorderController::setMathExpression(const QString& expression, QString* error) {
    if (isBusy()) {
        if (error != nullptr)
            *error = tr("The recorder is busy.");
        return false;
    }
    if (!m_tracks.setMathExpression(expression, error))
        return false;
    m_mathJob.discard();
    if (hasMath()) {
        // Every tick so far is computed on a worker, from copies of the stores (the
        // recording grows meanwhile); the ticks taken since follow on delivery.
        std::vector<RecordStore> stores;
        std::int64_t ticks = m_tracks.ticks();
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
                m_tracks.takeMathValues(values);
                emit metersChanged();
            });
    }
    emit metersChanged();
    return true;
}

} // namespace telmora
