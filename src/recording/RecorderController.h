#pragma once

#include "jobs/Job.h"
#include "model/DecodedReply.h"
#include "model/TriggerWatch.h"
#include "model/exportoptions.h"
#include "recording/MarkerJournal.h"
#include "recording/RecorderMeter.h"
#include "recording/Recording.h"
#include "recording/RecordingFiles.h"
#include "recording/RecordingMarkers.h"
#include "recording/RecordingStatistics.h"
#include "recording/RecordingTracks.h"
#include "recording/TemporaryStorage.h"
#include "recording/recordertidy.h"
#include "recording/recordingjobs.h"
#include "recording/recordingset.h"
#include "text/texts.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <optional>

class QTimer;

namespace telmora {

class RecordingLimits;

enum class AcquisitionMode { Automatic, Manual };

// Which pages an export covers.
enum class ExportPages { Current, Range, All };

// The recorder without its window: sampling (automatic at an interval or at full
// speed, or manual), the temporary file of each acquisition, the recording with its
// extremes, the pages, clearing, and opening and saving recordings as a Job (one
// at a time: job() reports their progress and takes Abort). Messages for the user
// leave as signals carrying their text number.
class RecorderController : public QObject {
    Q_OBJECT

public:
    static constexpr std::int32_t kFullSpeedMs = 500;

    RecorderController(DecodedReplySource source, QString temporaryDirectory,
                       QObject* parent = nullptr);
    // Stops a running job (its job waits for it); deletes every temporary file of the run.
    ~RecorderController() override;

    // The recording shown: the first track's, whose times and ticks every track shares.
    const Recording& recording() const { return m_tracks.track(0).recording(); }
    // Some samples of the recording can no longer be read: the file they are kept in
    // (an opened file, or the temporary file of an acquisition) has become shorter.
    // They show nothing and count in no statistics; a save or an export refuses.
    bool isDamaged() const { return m_damaged; }
    bool hasUnsavedData() const;

    // --- statistics of the main readings, per function and unit ---
    // The whole recording; follows every new sample.
    const GroupedStatistics& wholeStatistics() const { return statistics().whole(); }
    // The whole recording and its blocks, for views that take their own ranges.
    const RecordingStatistics& statistics() const { return m_tracks.track(0).countedStatistics(); }
    // An opened recording's statistics are counted after it is shown (a job of
    // their own); until then they are empty. statisticsChanged() tells when they
    // have come.
    bool statisticsPending() const { return m_statisticsJob.isRunning(); }
    // Samples first .. end - 1 (buffer indices), from the precounted blocks; in a
    // damaged recording read one by one, counting only the samples that can be read.
    GroupedStatistics rangeStatistics(std::int64_t first, std::int64_t end) const;
    // The samples page `page` shows.
    GroupedStatistics pageStatistics(std::int32_t page) const;

    // --- several meters ---
    // A recording may take several meters at the same ticks. Each meter gets one
    // sample per tick; a meter without a fresh reading at a tick (none arrived
    // since its previous sample, the reading is invalid, its link is gone) gets a
    // gap sample there (see GapSample.h), so that sample i of every meter belongs
    // to tick i. A scheduled tick at which no meter has a fresh reading is not
    // taken. With one meter everything works as it always did.
    // Every meter to record, in order, with its name and serial number: they make
    // the meters of a new recording at once when the recording is empty and not
    // running, otherwise when it is cleared; meanwhile their names follow. With
    // none the constructor's source is the one meter.
    // A recording that goes on (started after it was opened, taken up or stopped)
    // records each of its meters from the meter with the same serial number, the
    // others in order; meters not in it yet join it (with gaps before), and a
    // meter of it that none records gets gaps (metersMissing names it).
    void setMeters(std::vector<RecorderMeter> meters);
    // The meters of the recording shown (1 for a single meter).
    int meterCount() const { return m_tracks.count(); }
    const Recording& meterRecording(int meter) const;
    // The statistics of the whole recording of one meter (0: wholeStatistics()).
    const GroupedStatistics& meterStatistics(int meter) const;
    // Samples first .. end - 1 of one meter (0: rangeStatistics()).
    GroupedStatistics meterRangeStatistics(int meter, std::int64_t first, std::int64_t end) const;
    QString meterName(int meter) const { return m_tracks.name(meter); }
    QString meterSerial(int meter) const { return m_tracks.serial(meter); }
    // Meter `meter` stopped delivering (its cable was pulled): it records only gaps
    // from now on. The recording stops when every meter has ended; with a single
    // meter this is linkEnded().
    void meterEnded(int meter);
    // A meter's link ended: each meter of the recording whose live meter is no
    // longer linked records only gaps from now on (see meterEnded()).
    void meterLinkEnded();

    // How each meter's main readings lie against the limits given for it (see
    // RecordingLimits); set from outside, followed sample by sample.
    RecordingLimits& limitCounts() const { return *m_limitCounts; }

    // --- math channel ---
    // An expression over the meters' values at each tick, M1..Mn in SI base units
    // (see MathChannel); empty removes it. False, with the parser's message in
    // `error`, when the expression cannot be used. Every tick so far is computed
    // again as a job of its own: until then mathPending() is true and the values are
    // NaN; metersChanged() comes when they are there. New ticks get theirs at once.
    bool setMathExpression(const QString& expression, QString* error = nullptr);
    bool hasMath() const { return m_tracks.math().isSet(); }
    bool mathPending() const { return m_tracks.math().pending(); }
    QString mathExpression() const { return m_tracks.math().channel().expression(); }
    // The unit of the math values where it follows from the meters' units, else empty.
    QString mathUnit() const { return QString::fromStdString(m_tracks.mathUnit()); }
    // The value at tick `index`; NaN where it has none (a gap, an overload).
    double mathValueAt(std::int64_t index) const { return m_tracks.math().valueAt(index); }
    // Count, mean, deviation and extremes of the math values that have a value.
    const RunningStatistics& mathStatistics() const { return m_tracks.math().statistics(); }

    // --- sampling ---
    AcquisitionMode acquisitionMode() const { return m_mode; }
    std::int32_t sampleInterval() const { return m_intervalMs; }
    bool isRecording() const { return m_recordingOn; }
    bool isBusy() const { return m_files.isBusy(); }
    // Sets mode and interval (ms; 0 or less is full speed). Changing the mode ends
    // a manual series' temporary file.
    void setAcquisition(AcquisitionMode mode, std::int32_t intervalMs);
    // Starts the automatic recording: needs the link (message 9002) and its
    // temporary file (message 9003, with the reason). False when it did not start.
    // With several meters one linked meter is enough; meters that had ended and
    // are linked again deliver again.
    bool startRecording();
    // Stops the recording and closes its temporary file.
    void stopRecording();
    // The link ended: a running recording stops.
    void linkEnded();
    // The readings stopped for a while but the link stays (the cable is being
    // waited for): a running recording or manual series goes on when they come
    // back, with a gap after its newest sample.
    void readingsInterrupted();
    // One sample now (manual mode); needs the link (message 9002).
    bool takeManualSample();
    // The sampling timer's tick: a sample when the newest reading is valid.
    void takeScheduledSample();
    // Takes the newest reading as the next sample.
    void takeSample();
    // Appends a sample built elsewhere as if it had just been taken (the new page,
    // the temporary file, the extremes, the signals), with the date and time it was
    // taken (now when none is given).
    void addSample(const SampleEntry& entry, std::optional<WallClock> clock = std::nullopt);

    // --- trigger ---
    // When a recording started by startRecording() begins keeping samples and when
    // it stops by itself (see RecordingTrigger). While the start is awaited the
    // recording is on, takes its ticks and keeps none of them; the first tick that
    // meets the start is its first sample. A stop that comes ends the recording as
    // stopRecording() does. The trigger stays for every later start and is saved
    // with a recording of several meters.
    void setTrigger(const RecordingTrigger& trigger);
    const RecordingTrigger& trigger() const { return m_trigger; }
    bool waitingForTrigger() const { return m_recordingOn && m_watch.waiting(); }

    // --- temporary file ---
    // The recording is mirrored to one temporary file from its first sample on: a
    // recording that is stopped and started again, or continued after it was
    // opened, goes on in its file, so that after a crash it comes back whole. A
    // recording whose file does not hold all its samples (it was opened from a
    // recorder file, or the disk refused samples) gets them written first.
    bool temporaryFileOpen() const { return m_tracks.track(0).fileOpen(); }
    QString temporaryFilePath() const { return m_tracks.track(0).filePath(); }
    // A new temporary file for the recording, which receives its samples so far.
    bool startTemporaryFile();
    void closeTemporaryFile() { m_tracks.closeFiles(); }
    // Where the temporary files of the acquisitions are kept.
    const QString& temporaryDirectory() const { return m_temporaryDirectory; }
    // Takes over a temporary file left by an earlier run (with its claim): it is
    // deleted with this run's own files. A group file (see OrphanedRecordings.h)
    // takes over every meter's file it names, with the claims joined to `claim`. When the recording
    // was just opened from it, the recording goes on in that file when it is continued.
    void adoptTemporaryFile(const QString& path, std::unique_ptr<TemporaryFileClaim> claim);

    // --- markers ---
    // The markers of the recording shown. While it is recorded they are kept beside
    // its temporary files too; they are saved with it and come back with it.
    const RecordingMarkers& markers() const { return m_markers; }
    // Marks sample `sample` (the newest one with -1) with `note`; `meter` (from 0) is
    // the meter of the recording a marker came from (-1: the recording's, the
    // user's own). Returns the marker's index, -1 when there is no such sample or
    // the recording holds the most markers it may.
    int addMarker(const QString& note, std::int64_t sample = -1, int meter = -1);
    // The meter of the recording recorded from the meter with serial number
    // `serial`; -1 when none is.
    int meterOfSerial(const QString& serial) const;
    bool setMarkerNote(int index, const QString& note);
    bool removeMarker(int index);

    // --- pages ---
    std::int32_t lastPage() const { return m_lastPage; }
    std::int32_t currentPage() const { return m_currentPage; }
    // Shows page `page` (kept inside 1..lastPage).
    void showPage(std::int32_t page);
    void showFirstPage() { showPage(1); }
    void showLastPage() { showPage(m_lastPage); }
    // One page back or forward; at the end a notice (8008, 8009).
    void showPreviousPage();
    void showNextPage();
    // The pages an export covers: the current one, a range (put in order and kept
    // inside the recording) or all. Pictures to the clipboard or a file are one page.
    std::pair<std::int32_t, std::int32_t> exportPages(ExportPages scope, std::int32_t from,
                                                      std::int32_t to) const;

    // --- clearing and files ---
    // Empties the recording (the window asks first when it holds unsaved data).
    void clear();
    // Opens a recording file: an unopenable file is message 9004 at once (with the
    // file's name and the reason); otherwise the samples load as the job (its
    // progress: ReadingFile, then AddingToRecording) and end in loadFinished. False
    // when nothing was started.
    // A manifest ("NAME.telmora") opens every meter's file as one recording of
    // several meters (metersChanged); a manifest that cannot be read, a file of it
    // that cannot be opened or files of different lengths are message 9004 naming
    // the file. A recorder file always opens as one meter.
    bool startLoad(const QString& path);
    // The same by the bytes the system knows the file by (names given on the command
    // line need not be valid UTF-8).
    bool startLoad(const QByteArray& nativePath);
    // Stops the running job: a load in its reading stage (the recording is left
    // empty), a save or a text export (the target file stays as it was).
    void abortJob();
    // Saves the whole recording as a .g53 file as the job (its progress: WritingFile,
    // samples written of all); ends in saveFinished. False when it did not start (the
    // controller is busy).
    // A recording of several meters is saved as the manifest `path` (the caller
    // gives it the ".telmora" ending) with a .g53 file per meter beside it, see
    // SaveRecordingSet.
    bool startSave(const QString& path);
    // Writes the text export of pages first..last as the job; ends in
    // textExportFinished. Destroying the controller stops it, leaving the file as it was.
    // The tidy format of a several-meter recording covers every meter and the math
    // channel in `layout`; the standard format writes a file per meter beside `path`
    // (see meterexport.h) and then tells them by textExportedPerMeter.
    void startTextExport(const QString& path, std::int32_t first, std::int32_t last,
                         TextExportFormat format = TextExportFormat::Standard,
                         TidyLayout layout = TidyLayout::Long);
    // The file the recording was opened from or last saved to; empty for a
    // recording that never was in a file (printed pages name it).
    const QString& documentPath() const { return m_documentPath; }
    // The job opens, saves and exports run as (a progress window binds to it).
    Job& job() { return m_files.job(); }

signals:
    void sampleAdded(qsizetype index);
    void cleared();
    // A whole recording replaced the samples (an opened file); `count` samples.
    void recordingLoaded(qsizetype count);
    void pageChanged(std::int32_t currentPage, std::int32_t lastPage);
    void extremesChanged();
    // The statistics of an opened recording have been counted.
    void statisticsChanged();
    void recordingStateChanged(bool recording);
    void acquisitionChanged();
    void unsavedChanged();
    void busyChanged(bool busy);
    void loadFinished(telmora::LoadOutcome outcome, bool cutShort);
    // `reason` is empty when the user stopped it.
    void saveFinished(bool saved, const QString& path, const QString& reason);
    void textExportFinished(bool written, const QString& path, const QString& reason);
    // The standard text export of several meters wrote these files, one per meter.
    void textExportedPerMeter(const QStringList& files);
    // A message for the user: an error (caption "Error[E…]") or a notice
    // (caption "Warning[W…]") with its text number.
    // `reason`, when not empty, is a line that says why (mostly the system's words;
    // for a file, its name and why).
    void errorRaised(telmora::TextId textId, const QString& reason);
    void noticeRaised(telmora::TextId textId);
    // The recording was found damaged (see isDamaged()); once per recording, with
    // the error message that tells the user.
    void recordingDamaged();
    // A sample was stored whose reading shows the low-battery sign while the one
    // before did not (or it is the first of a recording). The sample is kept and
    // sampling goes on; whoever tells the user may stop the recording.
    void lowBatteryAppeared();
    // The meters of the recording (their count or names) or its math channel changed.
    void metersChanged();
    // A recording went on without these meters of it: no linked meter records
    // them, so they get gaps (their names, "Meter n" for an unnamed one).
    void metersMissing(const QStringList& names);
    // The trigger was set (also by opening a recording that has one).
    void triggerChanged();
    // The recording began or ended waiting for its start.
    void triggerWaitingChanged(bool waiting);
    // The markers changed (added, edited, removed, or those of another recording).
    void markersChanged();
    // A marker was added (by the user or by the recorder itself).
    void markerAdded(const telmora::Marker& marker);

private:
    // One tick of the recording; `always` takes it even when no meter has a fresh
    // reading (a manual sample).
    void takeTick(bool always);
    // The tick's sample of every track: the newest reading where it is fresh, a gap
    // elsewhere. Nothing when no track has a fresh reading and `always` is not set.
    // `lowBattery` tells whether a reading taken shows the low-battery sign.
    std::optional<std::vector<SampleEntry>> tickSamples(const std::string& timeText, bool always,
                                                        bool& lowBattery);
    // Stores one sample per track (files first, when a recording or manual series
    // keeps them), the math value, and tells of it.
    void storeTick(const std::vector<SampleEntry>& samples, WallClock clock);
    // Whether samples go to the temporary files now.
    bool writesFiles() const;
    // A recording started again takes up the meters whose links are up again.
    void reviveMeters();
    // A new recording takes the configured meters.
    void applyConfiguredMeters();
    // A recording that goes on binds its meters to the configured ones; false
    // when memory ran out (told).
    bool bindMeters();
    // Takes over the temporary files of a several-meter recording an earlier run
    // left, as its group file names them; `claim` holds the claims of all of them.
    void adoptTemporaryGroup(const QString& groupPath, std::unique_ptr<TemporaryFileClaim> claim);
    // What the tidy export of every meter reads.
    TidyMeterSet tidyMeterSet() const;
    void setRecordingOn(bool on);
    // Puts the tracks of an opened recording in place (an empty recording when the
    // load failed), shows it and tells how its load ended.
    void takeOpened(RecordingSetLoad result, const QString& shownPath);
    void finishSave(bool saved, const QString& path, const QString& reason);
    // Passes the file service's news on.
    void watchFiles();
    // Counts the statistics of the first `count` samples as a job of their own.
    void countStatistics(std::int64_t count);
    void takeCountedStatistics(const RecordingStatistics& statistics);
    // Lets the recording tell when one of its samples cannot be read.
    void watchRecording();
    // Marks the recording damaged and tells the user, once per recording. Always
    // delivered later on this object's thread, never inside the read that noticed
    // it (a list or a graph may be painting).
    void reportUnreadableSamples();
    // The date and time now, for a sample given without one.
    WallClock wallClockNow();
    // The disk refused a sample, or a file was cut short under the recording
    // (`fileCut`): it stays in memory only and the recording stops.
    void storageFailed(bool fileCut, const QString& reason);
    // A running recording's scheduled tick through its trigger: false while the
    // start is awaited or when the duration is over (the tick is not kept).
    bool triggerAdmits(const std::vector<SampleEntry>& samples, std::int64_t nowMs);
    // After a kept tick: stops the recording when its trigger says so.
    void triggerAfterTick(const std::vector<SampleEntry>& samples);
    // An opened recording's trigger becomes the trigger; one without a trigger, or
    // with one that cannot be read, leaves it as it was.
    void takeTrigger(const ManifestTrigger& saved);
    // A new recording (cleared, opened): news of the old one is dropped.
    void beginNewRecording();
    // Takes the markers an opened recording came with (past its end they are left
    // out, with a message).
    void takeOpenedMarkers(std::vector<Marker> markers, const QString& error);
    // Keeps the markers beside the temporary files when they are written.
    void keepMarkers();

    QString m_documentPath;
    QString m_temporaryDirectory;
    // One track per meter, their math channel and group file.
    RecordingTracks m_tracks;
    QTimer* m_sampleTimer = nullptr;
    AcquisitionMode m_mode = AcquisitionMode::Automatic;
    std::int32_t m_intervalMs = kFullSpeedMs;
    bool m_recordingOn = false;
    bool m_damaged = false;
    RecordingMarkers m_markers;
    bool m_markersUnsaved = false;
    MarkerJournal m_journal;
    // Counts the recordings this controller has held (cleared, loaded), so that news
    // about a recording that is gone is dropped.
    std::uint64_t m_recordingGeneration = 0;
    // The last tick's readings showed the low-battery sign (the user has been told).
    bool m_lowBatteryShown = false;
    std::int32_t m_lastPage = 1;
    std::int32_t m_currentPage = 1;
    // The local time's offset from UTC in the second m_offsetSecond.
    qint64 m_offsetSecond = std::numeric_limits<qint64>::min();
    std::int32_t m_utcOffsetSeconds = 0;
    RecordingTrigger m_trigger;
    TriggerWatch m_watch;

    // Last: destroyed first, so that the work they wait for finds the recording.
    // The statistics of an opened recording.
    Job m_statisticsJob;
    // The math values of a recording after its expression changed.
    Job m_mathJob;
    // Opening, saving and exporting.
    RecordingFiles m_files;
    // The limit counts of each meter (a job of their own).
    std::unique_ptr<RecordingLimits> m_limitCounts;
};

} // namespace telmora
