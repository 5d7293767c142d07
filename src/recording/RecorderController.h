#pragma once

#include "jobs/Job.h"
#include "meter/LiveSource.h"
#include "model/DecodedReply.h"
#include "model/exportoptions.h"
#include "recording/Recording.h"
#include "recording/RecordingStatistics.h"
#include "recording/TemporaryStorage.h"
#include "recording/recordingjobs.h"
#include "text/texts.h"

#include <QObject>
#include <QString>

#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <vector>

class QTimer;

namespace telmora {

// Where the recorder gets the meter's readings: whether a link is up, whether the
// newest reading is valid, the newest reading itself and how many readings have
// arrived (empty when the source does not count them).
struct DecodedReplySource {
    std::function<bool()> linked;
    std::function<bool()> readingValid;
    std::function<DecodedReply()> latestReading;
    std::function<std::uint64_t()> readingCount = {};
};

// The three questions asked of a live source (the meter link, or a test's stand-in).
// The source must outlive the recorder that samples it.
inline DecodedReplySource ReadingsOf(const LiveSource& live) {
    return {[&live] { return live.isLinked(); }, [&live] { return live.readingValid(); },
            [&live] { return live.latestReading(); }, [&live] { return live.readingCount(); }};
}

// A further meter recorded beside the main one: its name, serial number and readings.
struct RecorderMeter {
    QString name;
    QString serial;
    DecodedReplySource readings;
};

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

    const Recording& recording() const { return m_recording; }
    // Some samples of the recording can no longer be read: the file they are kept in
    // (an opened file, or the temporary file of an acquisition) has become shorter.
    // They show nothing and count in no statistics; a save or an export refuses.
    bool isDamaged() const { return m_damaged; }
    bool hasUnsavedData() const { return !m_recording.isEmpty() && m_recording.isUnsaved(); }

    // --- statistics of the main readings, per function and unit ---
    // The whole recording; follows every new sample.
    const GroupedStatistics& wholeStatistics() const { return m_statistics.whole(); }
    // The whole recording and its blocks, for views that take their own ranges.
    const RecordingStatistics& statistics() const { return m_statistics; }
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
    void setMeterName(const QString& name, const QString& serial);
    void setCompanionMeters(std::vector<RecorderMeter> meters);
    int meterCount() const { return 1; }
    const Recording& meterRecording(int) const { return m_recording; }
    const GroupedStatistics& meterStatistics(int) const { return wholeStatistics(); }
    QString meterName(int) const { return m_meterName; }
    QString meterSerial(int) const { return m_meterSerial; }
    bool setMathExpression(const QString& expression, QString* error);
    bool hasMath() const { return !m_mathExpression.isEmpty(); }
    QString mathExpression() const { return m_mathExpression; }
    QString mathUnit() const { return {}; }
    float mathValueAt(std::int64_t) const { return std::numeric_limits<float>::quiet_NaN(); }

    // --- sampling ---
    AcquisitionMode acquisitionMode() const { return m_mode; }
    std::int32_t sampleInterval() const { return m_intervalMs; }
    bool isRecording() const { return m_recordingOn; }
    bool isBusy() const { return m_busy; }
    // Sets mode and interval (ms; 0 or less is full speed). Changing the mode ends
    // a manual series' temporary file.
    void setAcquisition(AcquisitionMode mode, std::int32_t intervalMs);
    // Starts the automatic recording: needs the link (message 9002) and its
    // temporary file (message 9003, with the reason). False when it did not start.
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

    // --- temporary file ---
    // The recording is mirrored to one temporary file from its first sample on: a
    // recording that is stopped and started again, or continued after it was
    // opened, goes on in its file, so that after a crash it comes back whole. A
    // recording whose file does not hold all its samples (it was opened from a
    // recorder file, or the disk refused samples) gets them written first.
    bool temporaryFileOpen() const { return m_temporaryFiles.isOpen(); }
    QString temporaryFilePath() const { return m_temporaryFiles.currentPath(); }
    // A new temporary file for the recording, which receives its samples so far.
    bool startTemporaryFile();
    void closeTemporaryFile() { m_temporaryFiles.close(); }
    // Where the temporary files of the acquisitions are kept.
    const QString& temporaryDirectory() const { return m_temporaryFiles.directory(); }
    // Takes over a temporary file left by an earlier run (with its claim): it is
    // deleted with this run's own files. When the recording was just opened from
    // it, the recording goes on in that file when it is continued.
    void adoptTemporaryFile(const QString& path, std::unique_ptr<TemporaryFileClaim> claim);

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
    bool startSave(const QString& path);
    // Writes the text export of pages first..last as the job; ends in
    // textExportFinished. Destroying the controller stops it, leaving the file as it was.
    void startTextExport(const QString& path, std::int32_t first, std::int32_t last,
                         TextExportFormat format = TextExportFormat::Standard,
                         TidyLayout layout = TidyLayout::Long);
    // The file the recording was opened from or last saved to; empty for a
    // recording that never was in a file (printed pages name it).
    const QString& documentPath() const { return m_documentPath; }
    // The job opens, saves and exports run as (a progress window binds to it).
    Job& job() { return m_job; }

signals:
    void metersChanged();
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

private:
    void setBusy(bool busy);
    void setRecordingOn(bool on);
    void finishLoad(LoadResult result, const QString& pathText);
    void finishSave(const SaveResult& result);
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
    // Makes the temporary file ready to take the next sample: open, and holding
    // every sample of the recording so far. False, with the reason in
    // m_temporaryFiles, when that cannot be done.
    bool prepareTemporaryFile();
    // The disk refused a sample, or the file was cut short under the recording
    // (`fileCut`): it stays in memory only and the recording stops.
    void storageFailed(bool fileCut);

    QString m_documentPath;
    QString m_meterName;
    QString m_meterSerial;
    QString m_mathExpression;
    DecodedReplySource m_source;
    TemporaryFileSeries m_temporaryFiles;
    // The current temporary file holds the first samples of this recording (in
    // order, nothing else); false once the recording is cleared or replaced.
    bool m_fileHoldsRecording = false;
    Recording m_recording;
    RecordingStatistics m_statistics;
    QTimer* m_sampleTimer = nullptr;
    AcquisitionMode m_mode = AcquisitionMode::Automatic;
    std::int32_t m_intervalMs = kFullSpeedMs;
    bool m_recordingOn = false;
    bool m_busy = false;
    bool m_damaged = false;
    // Counts the recordings this controller has held (cleared, loaded), so that news
    // about a recording that is gone is dropped.
    std::uint64_t m_recordingGeneration = 0;
    // The last sample showed the low-battery sign (the user has been told).
    bool m_lowBatteryShown = false;
    std::int32_t m_lastPage = 1;
    std::int32_t m_currentPage = 1;
    // The local time's offset from UTC in the second m_offsetSecond.
    qint64 m_offsetSecond = std::numeric_limits<qint64>::min();
    std::int32_t m_utcOffsetSeconds = 0;

    // Last: destroyed first, so that the work they wait for finds the recording.
    // The statistics of an opened recording.
    Job m_statisticsJob;
    // Opening, saving and exporting.
    Job m_job;
};

} // namespace telmora
