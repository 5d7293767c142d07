#pragma once

#include "model/RunningStatistics.h"
#include "recording/MathChannel.h"
#include "recording/MeterTrack.h"
#include "recording/RecorderMeter.h"
#include "recording/Recording.h"
#include "recording/TemporaryGroupFile.h"

#include <QString>
#include <QStringList>

#include <functional>

#include <memory>
#include <string>
#include <vector>

namespace telmora {

// A meter of a recording read from files: its name, serial and samples.
struct LoadedMeter {
    QString name;
    QString serial;
    Recording recording;
    RecordingStatistics statistics; // counted while it was loaded (companions only)
};

// The meters of the recorder's recording: the meters configured for the next
// recording (every linked meter, in order), the meters of the recording shown
// (live or opened from files; the first one's samples the controller keeps
// itself, the others are companions), which live meter each of them records,
// their math channel and the group file that ties their temporary files together
// for crash recovery.
class RecorderMeters {
public:
    // `defaultSource` is the one meter recorded while no meters are configured.
    RecorderMeters(QString temporaryDirectory, DecodedReplySource defaultSource);
    // Deletes the group files this run wrote or took over.
    ~RecorderMeters();
    RecorderMeters(const RecorderMeters&) = delete;
    RecorderMeters& operator=(const RecorderMeters&) = delete;

    // --- the meters configured for the next recording ---
    // Every meter to record, in order; none: the default source as one meter.
    void setConfigured(std::vector<RecorderMeter> meters);
    const std::vector<RecorderMeter>& configured() const { return m_configured; }
    // Renames the meters of a recording taken live after the configured meters
    // with the same serial numbers. True when a name changed.
    bool renameFromConfigured();
    // Makes the configured meters those of the recording (which must be empty).
    // True when the meters of the recording changed.
    bool applyConfigured();
    // Binds the meters of a recording that goes on (after it was opened, taken
    // up or stopped) to the configured meters: each to the one with the same
    // serial number, the rest in order; configured meters left over join the
    // recording with gaps for its `ticks` earlier ticks (their times from
    // `timeTextAt`). Returns the meters of the recording that no configured meter
    // records (they record gaps). Throws std::bad_alloc.
    std::vector<int> bindConfigured(std::int64_t ticks,
                                    const std::function<std::string(std::int64_t)>& timeTextAt);
    // The live readings of the first meter of the recording.
    const DecodedReplySource& firstSource() const { return m_firstSource; }

    // --- the meters of the recording shown ---
    int count() const { return 1 + static_cast<int>(m_tracks.size()); }
    bool several() const { return !m_tracks.empty(); }
    QString name(int meter) const;
    QString serial(int meter) const;
    // Meter `meter` (1 .. count() - 1).
    MeterTrack& track(int meter) { return *m_tracks[static_cast<std::size_t>(meter - 1)]; }
    const MeterTrack& track(int meter) const {
        return *m_tracks[static_cast<std::size_t>(meter - 1)];
    }
    FreshReadings& firstFreshness() { return m_firstFresh; }
    const FreshReadings& firstFreshness() const { return m_firstFresh; }
    // Empties the companions' recordings (a new recording of the same meters).
    void clearRecordings();
    // Replaces the meters by those of an opened recording (meters[0] is the first
    // meter, whose recording the controller takes). They have no live readings:
    // a recording continued after it was opened records gaps for them. `math` is
    // the math channel's expression and `mathValues` its values, one per tick.
    void setLoaded(std::vector<LoadedMeter>& meters, const QString& math,
                   std::vector<double> mathValues);

    // --- the math channel ---
    // Takes a new expression (see RecorderController::setMathExpression). Its
    // values are then pending until takeMathValues() brings them.
    bool setMathExpression(const QString& expression, QString* error);
    const MathChannel& math() const { return m_math; }
    bool mathPending() const { return m_mathPending; }
    // Takes the math value of the newest tick: `first` is the first meter's sample.
    // Nothing while the values are pending (the count takes them up).
    void appendMath(const SampleEntry& first, const std::vector<SampleEntry>& companions);
    // The values of the first ticks, counted elsewhere; the ticks taken since are
    // computed here. `first` is the first meter's recording.
    void takeMathValues(std::vector<double> values, const Recording& first);
    double mathValueAt(std::int64_t index) const;
    const RunningStatistics& mathStatistics() const { return m_mathStatistics; }
    std::string mathUnit(const Recording& first) const;

    // --- crash recovery ---
    // Writes the group file beside the first meter's temporary file when the
    // temporary files of the meters changed. False with the reason.
    bool updateGroupFile(const QString& firstTemporaryPath, QString* error);
    // A group file left by an earlier run whose files this run took over: deleted
    // with this run's own.
    void adoptGroupFile(const QString& path);
    // Forgets the group file of the recording (it was cleared or replaced); the
    // file goes at once when it names files that are gone.
    void dropGroupFile();

private:
    // Appends a math value and counts it.
    void pushMath(double value);

    // The configured meter for each meter of the recording (-1: none), by serial
    // number first, then in order.
    std::vector<int> matchConfigured() const;
    // Points meter `meter` of the recording at the live readings of `source`.
    void bindMeter(int meter, const RecorderMeter* source);

    QString m_directory;
    DecodedReplySource m_defaultSource;
    std::vector<RecorderMeter> m_configured;
    bool m_activeIsConfigured = true;
    // The meters of the recording were taken live (not opened from files).
    bool m_activeIsLive = true;
    QString m_activeFirstName;
    QString m_activeFirstSerial;
    DecodedReplySource m_firstSource;
    // The serial number of the live meter the first meter records.
    QString m_firstBoundSerial;
    FreshReadings m_firstFresh;
    std::vector<std::unique_ptr<MeterTrack>> m_tracks;
    MathChannel m_math;
    std::vector<double> m_mathValues;
    // The meters' units as far as they are known (UTF-8), for the math unit.
    mutable std::vector<std::string> m_units;
    bool m_mathPending = false;
    RunningStatistics m_mathStatistics;
    // Group files of this run, and the member paths the newest one names.
    std::vector<QString> m_groupFiles;
    QStringList m_groupMembers;
};

} // namespace telmora
