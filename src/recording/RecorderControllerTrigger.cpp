// The trigger of RecorderController's recording: when its ticks begin to be kept
// and when it stops by itself.
#include "recording/RecorderController.h"

#include "model/TypedReading.h"

namespace telmora {

namespace {

TypedReading mainReading(const SampleEntry& sample) {
    return ReadingOfRecord(sample.main, RecordOrigin::Recorder);
}
} // namespace

void RecorderController::setTrigger(const RecordingTrigger& trigger) {
    if (trigger == m_trigger)
        return;
    m_trigger = trigger;
    emit triggerChanged();
}

void RecorderController::takeTrigger(const ManifestTrigger& saved) {
    if (saved.isEmpty())
        return;
    RecordingTrigger trigger;
    if (ParseStartText(saved.start.toStdString(), meterCount(), trigger) &&
        ParseStopText(saved.stop.toStdString(), meterCount(), trigger))
        setTrigger(trigger);
}

bool RecorderController::triggerAdmits(const std::vector<SampleEntry>& samples,
                                       std::int64_t nowMs) {
    if (!m_watch.waiting()) {
        if (!m_watch.durationOver(nowMs))
            return true;
        stopRecording();
        return false;
    }
    for (std::size_t meter = 0; meter < samples.size(); ++meter)
        m_watch.offer(static_cast<int>(meter), mainReading(samples[meter]));
    m_watch.offerTime(nowMs);
    if (m_watch.waiting())
        return false;
    // The start has come: this tick is the first sample, kept in the recording's files.
    emit triggerWaitingChanged(false);
    QString reason;
    if (!m_tracks.prepareFiles(&reason)) {
        stopRecording();
        emit errorRaised(TextId::TempFileCreateFailed, reason);
        return false;
    }
    return true;
}

void RecorderController::triggerAfterTick(const std::vector<SampleEntry>& samples) {
    bool stop = false;
    for (std::size_t meter = 0; meter < samples.size(); ++meter)
        stop |= m_watch.kept(static_cast<int>(meter), mainReading(samples[meter]));
    if (stop)
        stopRecording();
}

} // namespace telmora
