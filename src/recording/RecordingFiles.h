#pragma once

#include "jobs/Job.h"
#include "model/exportoptions.h"
#include "recording/Recording.h"
#include "recording/meterexport.h"
#include "recording/recordertidy.h"
#include "recording/recordingjobs.h"
#include "recording/recordingset.h"
#include "text/texts.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace telmora {

// What a text export of pages first..last writes: one meter's records in the
// standard or tidy format, every meter and the math channel in the tidy format
// (`several`), or one standard file per meter beside the chosen path (`perMeter`).
struct TextExportRequest {
    QString path;
    std::int32_t first = 1;
    std::int32_t last = 1;
    std::int32_t lastPage = 1;
    TextExportFormat format = TextExportFormat::Standard;
    TidyLayout layout = TidyLayout::Long;
    const Recording* single = nullptr;
    TidyMarkerNotes markers; // of the tidy export of `single`
    std::optional<TidyMeterSet> several;
    std::vector<MeterTextExport> perMeter;
};

// The files of a recording: opening a recorder file or the manifest of several
// meters, saving, and the text exports, one at a time as the job (job() reports
// their progress and takes Abort). The caller keeps the recording unchanged while
// the service is busy; destroying the service stops its job and waits for it,
// leaving every target file as it was.
class RecordingFiles : public QObject {
    Q_OBJECT

public:
    explicit RecordingFiles(QObject* parent = nullptr);

    Job& job() { return m_job; }
    bool isBusy() const { return m_busy; }
    // The owner ends the busy state once it has taken an opened recording up.
    void setBusy(bool busy);

    // Hears the meters of an opened file (one for a recorder file) and how the
    // reading ended, with the path to name in messages.
    using Opened = std::function<void(RecordingSetLoad&& result, const QString& shownPath)>;
    // Opens a recorder file or a manifest ("NAME.telmora"): a file that cannot be
    // opened is an error at once (false); otherwise the samples load as the job
    // (ReadingFile, then AddingToRecording) and `opened` hears them.
    bool startLoad(const QByteArray& nativePath, Opened opened);
    // Saves one meter as a .g53 file, several as the manifest `path` with a .g53
    // file per meter beside it (see SaveRecordingSet), as the job.
    // One meter with markers gets the manifest of its markers beside its file (see
    // SaveRecordingWithMarkers).
    bool startSave(const QString& path, std::vector<RecordingSetMember> members,
                   const QString& math, const ManifestTrigger& trigger = {},
                   std::vector<Marker> markers = {});
    bool startTextExport(TextExportRequest request);
    void abort() { m_job.cancel(); }

signals:
    void busyChanged(bool busy);
    // `reason` is empty when the user stopped it.
    void saveFinished(bool saved, const QString& path, const QString& reason);
    void textExportFinished(bool written, const QString& path, const QString& reason);
    // The standard text export of several meters wrote these files, one per meter.
    void textExportedPerMeter(const QStringList& files);
    // A file that could not be opened, with its name and the reason.
    void errorRaised(telmora::TextId textId, const QString& reason);

private:
    bool startFileLoad(const QByteArray& nativePath, Opened opened);
    bool startManifestLoad(const QString& path, Opened opened);

    bool m_busy = false;
    // Last: destroyed first, so that the work it waits for finds its inputs.
    Job m_job;
};

} // namespace telmora
