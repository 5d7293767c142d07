#pragma once
// The sessions of the data logger window and everything done with them: the
// download from the meter, session files, paging, clearing and the export
// decisions. Long work (the download, reading and writing files, the text export)
// runs as a Job on its worker thread; progress (job().progressed), results and
// messages come back as signals on the thread that owns this object, so a window
// only has to draw.
//
// Data state: the sessions held (at most 999), how many are offered for paging
// and export, the session on the graph, and whether there are none (empty) or
// they are in a file (saved). Busy is set from the moment a confirmed download or
// an opened file starts replacing the sessions until it has ended, and while the
// sessions are written.

#include "jobs/Job.h"
#include "logger/LoggerDownload.h"
#include "logger/SessionFile.h"
#include "logger/sessiontext.h"
#include "model/SampleLists.h"
#include "model/exportoptions.h"
#include "text/texts.h"

#include <QObject>
#include <QString>

#include <memory>
#include <optional>
#include <span>
#include <vector>

namespace telmora {

class CableAccess;

// The export chosen in the export dialog.
struct ExportRequest {
    ExportType type = ExportType::Text;
    ExportDestination destination = ExportDestination::File;
    PageScope scope = PageScope::ThisPage;
    std::optional<int> pageFrom; // nothing when the field is no whole number
    std::optional<int> pageTo;
    QString fileName;
};

// What to do about an export request.
struct ExportPlan {
    enum class Action {
        Nothing,         // the page range holds no session
        MissingFileName, // message BrowseForFileName
        Text,            // text export of `pages`
        Picture,         // pictures of `pages` to `destination`
    };
    Action action = Action::Nothing;
    PageRange pages;
    bool bitmap = false;
    ExportDestination destination = ExportDestination::File;
    TextExportFormat textFormat = TextExportFormat::Standard;
};

class LoggerSessions : public QObject {
    Q_OBJECT

public:
    // Downloads through `cable`, which outlives the sessions: while the memory is
    // checked or read, live polling of the same cable pauses.
    explicit LoggerSessions(CableAccess& cable, QObject* parent = nullptr);
    ~LoggerSessions() override;

    // Downloads through `cable` from now on (it outlives the sessions too); ignored
    // while a job runs, so that a download keeps its cable.
    void setCable(CableAccess& cable);
    CableAccess& cable() const { return *m_cable; }

    int sessionCount() const { return static_cast<int>(m_sessions.size()); }
    int sessionsShown() const { return m_shown; }
    int currentSession() const { return m_current; }
    bool isEmpty() const { return m_empty; }
    bool isSaved() const { return m_saved; }
    // The session file the sessions were opened from or last saved to; empty for
    // sessions downloaded and not saved.
    QString documentPath() const { return m_documentPath; }
    bool isBusy() const { return m_busy; }
    // True while a job runs (also before busy is set, while the cable is checked).
    bool isWorking() const { return m_operation != Operation::None; }
    // The job the long work runs as: its progress, its end, and Abort (cancel).
    Job& job() { return m_job; }
    // The close query asks to save only after an import that was not saved.
    bool needsSaveQuestion() const { return !m_empty && !m_saved; }

    const SampleList& session(int s) const { return m_sessions.at(static_cast<std::size_t>(s)); }
    std::span<const SampleList> sessions() const { return m_sessions; }
    std::span<const SampleList> shownSessions() const;

    // --- download ---
    // Checks the cable and the meter's logger memory; then downloadConfirmationNeeded
    // or failed(CableNotFound / MeterOffOrNoLogger).
    void startDownload();
    // The answer to the question: Yes empties the window and downloads.
    void confirmDownload(bool yes);
    // Stops the running download, file read or write at its next step.
    void abort();

    // --- files and export ---
    // Reads a session file. When it cannot be opened: failed(FileOpenError) and nothing
    // changes; otherwise the sessions held are replaced (empty when it is damaged).
    void openFile(const QString& path);
    // The same by the bytes the system knows the file by.
    void openFile(const QByteArray& nativePath);
    // Writes every session; fileSaved tells the outcome.
    void saveFile(const QString& path);
    // Text export of sessions first..last (1-based, clamped); textExported tells.
    void exportText(const QString& path, int first, int last,
                    TextExportFormat format = TextExportFormat::Standard);
    ExportPlan planExport(const ExportRequest& request) const;

    // --- paging and clearing ---
    void showFirst();
    void pageUp();   // warned(AtFirstPage) on the first session
    void pageDown(); // warned(AtLastPage) on the last session
    void showLast();
    // Discards every session: empty, not saved.
    void clear();
    // Takes sessions as if they had been imported or read (tests, benchmarks).
    void adopt(std::vector<SampleList>&& sessions, bool saved);

signals:
    // The sessions were replaced or discarded; the current session is drawn.
    void sessionsReplaced();
    // Paging chose session s (also when it was already the current one).
    void currentSessionChanged(int s);
    // Empty, saved or busy changed.
    void stateChanged();
    void busyChanged(bool busy);
    void downloadConfirmationNeeded();
    void progressEnded();
    // An error for the user: its caption is the error caption of `message`,
    // `wording` the whole message.
    void failed(telmora::TextId message, const QString& wording);
    // A warning with the text `message` (AtFirstPage, AtLastPage).
    void warned(telmora::TextId message);
    // A sentence without a numbered text (a memory with too many sessions).
    void noticed(const QString& text);
    void downloadFinished(telmora::DownloadResult::Status status);
    void fileOpened(telmora::SessionFileStatus status);
    void fileSaved(telmora::SessionFileStatus status);
    void textExported(bool written);

private:
    enum class Operation { None, Checking, Downloading, Opening, Saving, Exporting };
    struct JobResult;

    bool begin(Operation operation);
    void runJob(std::function<void(const JobControl&, JobResult&)> work,
                std::optional<JobProgress> first = std::nullopt);
    void jobFinished(JobResult&& result);
    void finishCheck(const JobResult& result);
    void finishDownload(JobResult& result);
    void finishOpen(JobResult& result);
    void finishSave(const JobResult& result);
    void finishExport(const JobResult& result);
    void setBusy(bool busy);
    void replaceSessions(std::vector<SampleList>&& sessions, bool saved);
    void select(int s);

    CableAccess* m_cable; // never null
    std::vector<SampleList> m_sessions;
    int m_shown = 0;
    int m_current = 0;
    bool m_empty = true;
    bool m_saved = false;
    bool m_busy = false;
    Operation m_operation = Operation::None;
    QString m_path;
    QString m_documentPath;
    // Last: destroyed first, so that the work it waits for finds everything it reads.
    Job m_job;
};

} // namespace telmora

Q_DECLARE_METATYPE(telmora::DownloadResult::Status)
Q_DECLARE_METATYPE(telmora::SessionFileStatus)
Q_DECLARE_METATYPE(telmora::TextId)
