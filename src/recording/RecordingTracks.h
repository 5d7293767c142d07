#pragma once

#include "recording/MathTrack.h"
#include "recording/MeterTrack.h"
#include "recording/RecorderMeter.h"
#include "recording/Recording.h"

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
    RecordingStatistics statistics; // counted while it was loaded (all but the first)
};

// The tracks of the recorder's recording, one per meter and every one alike: the
// meters configured for the next recording (every linked meter, in order), the
// tracks of the recording shown (live or opened from files), which live meter each
// of them records, their math channel and the group file that ties their temporary
// files together for crash recovery. There is always at least one track; sample i
// of every track belongs to tick i.
class RecordingTracks {
public:
    // `defaultSource` is the one meter recorded while no meters are configured.
    RecordingTracks(QString temporaryDirectory, DecodedReplySource defaultSource);
    // Deletes the group files this run wrote or took over.
    ~RecordingTracks();
    RecordingTracks(const RecordingTracks&) = delete;
    RecordingTracks& operator=(const RecordingTracks&) = delete;

    // --- the meters configured for the next recording ---
    // Every meter to record, in order; none: the default source as one meter.
    void setConfigured(std::vector<RecorderMeter> meters);
    const std::vector<RecorderMeter>& configured() const { return m_configured; }
    // Renames the tracks of a recording taken live after the configured meters
    // with the same serial numbers. True when a name changed.
    bool renameFromConfigured();
    // Makes the configured meters those of the recording (which must be empty).
    // True when the meters of the recording changed.
    bool applyConfigured();
    // Binds the tracks of a recording that goes on (after it was opened, taken up
    // or stopped) to the configured meters: each to the one with the same serial
    // number, the rest in order; configured meters left over join the recording
    // with gaps for its earlier ticks (their times from the first track). Returns
    // the tracks that no configured meter records (they record gaps). Throws
    // std::bad_alloc.
    std::vector<int> bindConfigured();

    // --- the tracks of the recording shown ---
    int count() const { return static_cast<int>(m_tracks.size()); }
    bool several() const { return m_tracks.size() > 1; }
    // The number of ticks: every track holds one sample per tick.
    std::int64_t ticks() const;
    QString name(int meter) const;
    QString serial(int meter) const;
    // Track `meter` (0 .. count() - 1).
    MeterTrack& track(int meter) { return *m_tracks[static_cast<std::size_t>(meter)]; }
    const MeterTrack& track(int meter) const { return *m_tracks[static_cast<std::size_t>(meter)]; }
    // Whether any track's meter still delivers readings.
    bool anyDelivers() const;
    // Empties every track's recording (a new recording of the same meters); a
    // running recording's files stay open with `keepFilesOpen`.
    void clearRecordings(bool keepFilesOpen = false);
    // Replaces the tracks by those of an opened recording. They have no live
    // readings: a recording continued after it was opened binds live meters
    // (bindConfigured). `math` is the math channel's expression and `mathValues`
    // its values, one per tick. The first track's file stays open unless
    // `closeFiles`.
    void setLoaded(std::vector<LoadedMeter>& meters, const QString& math,
                   const std::vector<double>& mathValues, bool closeFiles);

    // --- the math channel ---
    MathTrack& math() { return m_math; }
    const MathTrack& math() const { return m_math; }
    // Takes a new expression; its values are pending until the count comes.
    bool setMathExpression(const QString& expression, QString* error);
    // The math value of the newest tick, from its samples (one per track).
    void appendMath(const std::vector<SampleEntry>& tick);
    // The counted values of the first ticks; the ticks taken since are computed here.
    void takeMathValues(const std::vector<double>& values);
    std::string mathUnit() const;

    // --- temporary files and crash recovery ---
    // Makes every track's temporary file ready for the next tick and the group file
    // current. False with the reason (the files are closed then).
    bool prepareFiles(QString* reason);
    void closeFiles();
    // Forgets every track's file: the next sample begins new ones.
    void forgetFiles();
    // A group file left by an earlier run whose files this run took over: deleted
    // with this run's own.
    void adoptGroupFile(const QString& path);
    // Forgets the group file of the recording (it was cleared or replaced).
    void dropGroupFile();

private:
    // Writes the group file beside the first track's temporary file when the
    // temporary files of the tracks changed. False with the reason.
    bool updateGroupFile(QString* error);
    // The configured meter for each track (-1: none), by serial number first, then
    // in order.
    std::vector<int> matchConfigured() const;
    // Points track `meter` at the live readings of `source`.
    void bindMeter(int meter, const RecorderMeter* source);
    void resetUnits() const { m_units.clear(); }

    QString m_directory;
    DecodedReplySource m_defaultSource;
    std::vector<RecorderMeter> m_configured;
    bool m_activeIsConfigured = true;
    // The tracks were taken live (not opened from files).
    bool m_activeIsLive = true;
    std::vector<std::unique_ptr<MeterTrack>> m_tracks;
    MathTrack m_math;
    // The meters' units as far as they are known (UTF-8), for the math unit.
    mutable std::vector<std::string> m_units;
    // Group files of this run, and the member paths the newest one names.
    std::vector<QString> m_groupFiles;
    QStringList m_groupMembers;
};

} // namespace telmora
