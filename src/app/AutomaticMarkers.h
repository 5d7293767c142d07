#pragma once

#include <QObject>
#include <QString>

#include <map>

namespace telmora {

class Meter;
class RecorderController;
struct Measurement;

// Marks the running recording by itself where something happened to a meter it
// records: a reading crossed the meter's comparator limits (it went above the
// upper one or below the lower one, once per crossing) or its cable was lost or
// came back. Each marker names the meter and says what happened.
class AutomaticMarkers : public QObject {
    Q_OBJECT

public:
    explicit AutomaticMarkers(RecorderController& recording, QObject* parent = nullptr);

    // Watches `meter` (its readings, limits and link) from now on.
    void watch(Meter& meter);

private:
    struct MeterState {
        int alarmSide = 0; // the alarm tone of the last reading: 0 within the limits
        bool cableLost = false;
    };

    void takeReading(Meter& meter, const Measurement& main);
    void cableWaiting(Meter& meter, bool waiting);
    // Marks the newest sample for `meter`; nothing while no recording runs.
    void mark(const Meter& meter, const QString& note);

    RecorderController& m_recording;
    std::map<const Meter*, MeterState> m_states;
};

} // namespace telmora
