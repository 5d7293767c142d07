#include "app/AutomaticMarkers.h"

#include "app/Meter.h"
#include "meter/MeterLink.h"
#include "model/needle.h"
#include "recording/RecorderController.h"
#include "text/texts.h"

namespace telmora {

AutomaticMarkers::AutomaticMarkers(RecorderController& recording, QObject* parent)
    : QObject(parent), m_recording(recording) {}

void AutomaticMarkers::watch(Meter& meter) {
    m_states[&meter] = {};
    connect(&meter.link(), &MeterLink::readingReceived, this,
            [this, &meter](const DecodedReply& reading) { takeReading(meter, reading.main); });
    connect(&meter.link(), &MeterLink::waitingForCableChanged, this,
            [this, &meter](bool waiting) { cableWaiting(meter, waiting); });
    connect(&meter.link(), &MeterLink::linkLostNotice, this,
            [this, &meter] { cableWaiting(meter, true); });
    // New limits, or a new link: the next crossing is a new one.
    connect(&meter, &Meter::limitsChanged, this,
            [this, &meter] { m_states[&meter].alarmSide = 0; });
    connect(&meter.link(), &MeterLink::linkedChanged, this, [this, &meter](bool linked) {
        MeterState& state = m_states[&meter];
        state.alarmSide = 0;
        if (linked)
            state.cableLost = false;
    });
}

void AutomaticMarkers::takeReading(Meter& meter, const Measurement& main) {
    const float value = ComparatorValue(main, meter.highLimit(), meter.lowLimit());
    const int side = AlarmFrequency(value, meter.highLimit(), meter.lowLimit());
    MeterState& state = m_states[&meter];
    const int before = std::exchange(state.alarmSide, side);
    if (side == 0 || side == before)
        return;
    const QString name = meter.name();
    mark(
        meter,
        text(side == kAlarmHighHz ? TextId::MarkerAlarmAbove : TextId::MarkerAlarmBelow).arg(name));
}

void AutomaticMarkers::cableWaiting(Meter& meter, bool waiting) {
    MeterState& state = m_states[&meter];
    if (waiting == state.cableLost || (!waiting && !meter.link().isLinked()))
        return;
    state.cableLost = waiting;
    mark(meter,
         text(waiting ? TextId::MarkerCableLost : TextId::MarkerCableBack).arg(meter.name()));
}

void AutomaticMarkers::mark(const Meter& meter, const QString& note) {
    if (!(m_recording.isRecording() || m_recording.temporaryFileOpen()) ||
        m_recording.recording().empty())
        return;
    int track = m_recording.meterOfSerial(meter.serial());
    if (track < 0 && m_recording.meterCount() == 1 && m_recording.meterSerial(0).isEmpty())
        track = 0;
    if (track >= 0)
        m_recording.addMarker(note, -1, track);
}

} // namespace telmora
