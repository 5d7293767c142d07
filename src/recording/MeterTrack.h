#pragma once

#include "recording/RecorderMeter.h"
#include "recording/Recording.h"
#include "recording/RecordingStatistics.h"
#include "recording/TemporaryStorage.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

namespace telmora {

// Which readings of a meter a several-meter recording has taken: a reading is
// fresh for a tick only when the meter delivered it since its previous sample.
class FreshReadings {
public:
    // The meter's newest reading as the sample of this tick, when it is fresh, valid,
    // its link is up and it can be stored; nothing otherwise (the tick records a gap).
    // `reading` receives the reading taken, if any.
    std::optional<SampleEntry> take(const DecodedReplySource& source, std::string_view timeText,
                                    DecodedReply* reading = nullptr);
    // Whether take() would give a sample now.
    bool hasFresh(const DecodedReplySource& source) const;
    // The meter's link ended: from now on only gaps.
    void end() { m_ended = true; }
    bool ended() const { return m_ended; }
    // The recording is started again: a meter whose link is up again delivers again.
    void revive(const DecodedReplySource& source) {
        if (source.linked && source.linked())
            m_ended = false;
    }
    // A new recording: the next reading counts as fresh again, the link as up.
    void reset() {
        m_lastCount.reset();
        m_ended = false;
    }

private:
    std::optional<std::uint64_t> m_lastCount;
    bool m_ended = false;
};

// One meter of a recording, every meter alike: its recording (one sample per
// tick, gaps included), the statistics of its whole recording, the live readings
// it records and its own series of crash-safe temporary files. A recording's
// temporary file holds its samples from the first on: a recording that is stopped
// and started again, or continued after it was opened, goes on in its file, so that
// after a crash it comes back whole.
class MeterTrack {
public:
    MeterTrack(RecorderMeter meter, QString temporaryDirectory);

    const QString& name() const { return m_meter.name; }
    const QString& serial() const { return m_meter.serial; }
    const DecodedReplySource& readings() const { return m_meter.readings; }
    // Records the live readings of another meter (or none) from now on.
    void bindReadings(DecodedReplySource readings, const QString& serial) {
        m_meter.readings = std::move(readings);
        m_boundSerial = serial;
    }
    const QString& boundSerial() const { return m_boundSerial; }
    void rename(const QString& name, const QString& serial) {
        m_meter.name = name;
        m_meter.serial = serial;
    }
    FreshReadings& freshness() { return m_fresh; }
    const FreshReadings& freshness() const { return m_fresh; }
    // Whether the meter it records is linked and has not ended.
    bool delivers() const {
        return !m_fresh.ended() && m_meter.readings.linked && m_meter.readings.linked();
    }

    const Recording& recording() const { return m_recording; }
    Recording& recording() { return m_recording; }
    // Replaces the recording (an opened file); the next sample begins a new
    // temporary file. `closeFile` ends the current one at once.
    void setRecording(Recording recording, bool closeFile = true);
    const GroupedStatistics& statistics() const { return m_statistics.whole(); }
    RecordingStatistics& countedStatistics() { return m_statistics; }
    const RecordingStatistics& countedStatistics() const { return m_statistics; }
    // The readings stopped for a while after the newest sample.
    void markGapAfterLast() { m_recording.markGapAfterLast(); }

    // Makes the temporary file ready for the next sample: open and holding every
    // sample so far. False, with errorString(), when it cannot be.
    bool prepareFile();
    void closeFile() { m_files.close(); }
    // The next sample begins a new temporary file.
    void forgetFile() {
        m_files.close();
        m_fileHoldsRecording = false;
    }
    bool fileOpen() const { return m_files.isOpen(); }
    QString filePath() const { return m_files.currentPath(); }
    const QString& errorString() const { return m_files.errorString(); }
    const QString& temporaryDirectory() const { return m_files.directory(); }
    // Takes over a file an earlier run left; when `goOnInIt`, it holds this
    // recording's samples and the recording goes on in it.
    void adoptFile(const QString& path, std::unique_ptr<TemporaryFileClaim> claim,
                   bool goOnInIt = true);

    enum class Stored { InFile, InMemory, DiskRefused, FileCut };
    // Appends the tick's sample: to the open temporary file, then to the recording
    // and (with `count`) its statistics. A sample the disk refuses stays in memory
    // (DiskRefused, or FileCut when the file was cut short under the recording; the
    // file is then closed). Throws std::bad_alloc with the recording unchanged.
    Stored store(const SampleEntry& entry, std::optional<WallClock> clock, bool count = true);
    void markSaved() { m_recording.setUnsaved(false); }
    // Records `meter` from a new, empty recording on; the files of earlier
    // recordings stay until the track goes.
    void reset(RecorderMeter meter) {
        m_meter = std::move(meter);
        m_boundSerial = m_meter.serial;
        clear();
    }
    // Empties the recording; its temporary file ends unless `keepFile` (a running
    // recording cleared goes on in a new file with its next sample).
    void clear(bool keepFileOpen = false);

private:
    RecorderMeter m_meter;
    QString m_boundSerial; // of the live meter whose readings it records
    FreshReadings m_fresh;
    TemporaryFileSeries m_files;
    bool m_fileHoldsRecording = false;
    Recording m_recording;
    RecordingStatistics m_statistics;
};

} // namespace telmora
