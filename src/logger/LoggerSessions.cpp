#include "logger/LoggerSessions.h"

#include "meter/CableAccess.h"
#include "meter/cablelist.h"

#include "logger/sessiontidy.h"
#include "model/fileaccess.h"

#include "text/texts.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <new>

namespace telmora {

namespace {

constexpr qint64 kReadProgressEvery = 256; // entries between two progress reports

// The message, and on the next line the file and, when known, why it failed.
QString withPath(TextId message, const QString& path, const QString& reason = QString()) {
    QString line = text(message) + QLatin1Char('\n') + QDir::toNativeSeparators(path);
    if (!reason.isEmpty())
        line += QStringLiteral(": ") + reason;
    return line;
}

} // namespace

// What a job hands back.
struct LoggerSessions::JobResult {
    DownloadResult download;
    SessionFileStatus fileStatus = SessionFileStatus::Ok;
    std::vector<SampleList> sessions;
    bool written = false;
    QString error;
};

// Reports the download's steps as the job's progress: the bytes read of the
// announced length, then the samples converted of each session. Runs on the
// worker thread.
class DownloadJobObserver : public MemoryDownloadObserver {
public:
    explicit DownloadJobObserver(const JobControl& control) : m_control(control) {}

    bool confirmDownload() override { return true; }
    void lengthAnnounced(std::uint32_t length) override { m_length = length; }
    void stageChanged(DownloadStage stage) override {
        if (stage == DownloadStage::Acquiring)
            m_control.report(JobStage::AcquiringMemory, 0, m_length);
        else
            m_control.report(JobStage::ProcessingMemory, 1, 1); // the bar stays full
    }
    void blockProgress(std::size_t position, std::size_t, const std::string& detail) override {
        // Before the first block nothing has been counted yet; the bytes shown never
        // count past the announced length.
        const qint64 shown =
            detail.empty() ? 0 : std::min<qint64>(static_cast<qint64>(position), m_length);
        m_control.report(JobStage::AcquiringMemory, shown, m_length);
    }
    void conversionProgress(int, std::size_t done, std::size_t total) override {
        m_control.report(JobStage::ProcessingMemory, static_cast<qint64>(done),
                         static_cast<qint64>(total));
    }

private:
    const JobControl& m_control;
    qint64 m_length = 0;
};

LoggerSessions::LoggerSessions(CableAccess& cable, QObject* parent)
    : QObject(parent), m_cable(&cable) {}

void LoggerSessions::setCable(CableAccess& cable) {
    if (!isWorking())
        m_cable = &cable;
}

LoggerSessions::~LoggerSessions() = default;

std::span<const SampleList> LoggerSessions::shownSessions() const {
    return sessions().first(static_cast<std::size_t>(std::clamp(m_shown, 0, sessionCount())));
}

// --- jobs ---------------------------------------------------------------------------

bool LoggerSessions::begin(Operation operation) {
    if (m_operation != Operation::None)
        return false;
    m_operation = operation;
    return true;
}

void LoggerSessions::runJob(std::function<void(const JobControl&, JobResult&)> work,
                            std::optional<JobProgress> first) {
    m_job.start(
        [work = std::move(work)](const JobControl& control) {
            JobResult result;
            try {
                work(control, result);
            } catch (const std::bad_alloc&) {
                result.download.status = DownloadResult::Status::OutOfMemory;
                result.download.messageId = TextId::OutOfMemory;
                result.download.resetRequested = true;
                result.fileStatus = SessionFileStatus::OutOfMemory;
                result.sessions.clear();
            }
            return result;
        },
        [this](JobResult&& result, JobOutcome) { jobFinished(std::move(result)); }, first);
}

void LoggerSessions::jobFinished(JobResult&& result) {
    const Operation operation = std::exchange(m_operation, Operation::None);
    switch (operation) {
    case Operation::Checking:
        finishCheck(result);
        break;
    case Operation::Downloading:
        finishDownload(result);
        break;
    case Operation::Opening:
        finishOpen(result);
        break;
    case Operation::Saving:
        finishSave(result);
        break;
    case Operation::Exporting:
        finishExport(result);
        break;
    case Operation::None:
        break;
    }
}

void LoggerSessions::abort() {
    m_job.cancel();
}

void LoggerSessions::setBusy(bool busy) {
    if (m_busy == busy)
        return;
    m_busy = busy;
    emit busyChanged(busy);
}

// --- download -----------------------------------------------------------------------

void LoggerSessions::startDownload() {
    if (m_busy || !begin(Operation::Checking))
        return;
    CableAccess* cable = m_cable;
    runJob([cable](const JobControl&, JobResult& result) {
        const CableAccess::Use use = cable->exclusiveUse();
        result.download.status =
            CheckLoggerMemory(KeyedCableOpener(*cable->backend(), cable->cableKey()));
    });
}

void LoggerSessions::finishCheck(const JobResult& result) {
    switch (result.download.status) {
    case DownloadResult::Status::NoCable:
        emit failed(TextId::CableNotFound, DownloadMessageText(TextId::CableNotFound));
        emit downloadFinished(DownloadResult::Status::NoCable);
        break;
    case DownloadResult::Status::NoDataLogger:
        emit failed(TextId::MeterOffOrNoLogger, DownloadMessageText(TextId::MeterOffOrNoLogger));
        emit downloadFinished(DownloadResult::Status::NoDataLogger);
        break;
    default:
        emit downloadConfirmationNeeded();
        break;
    }
}

void LoggerSessions::confirmDownload(bool yes) {
    if (!yes) {
        emit downloadFinished(DownloadResult::Status::Declined);
        return;
    }
    if (m_busy || !begin(Operation::Downloading))
        return;
    // From here on the sessions held before are gone, whatever the outcome.
    replaceSessions({}, false);
    setBusy(true);
    emit stateChanged();
    CableAccess* cable = m_cable;
    runJob([cable](const JobControl& control, JobResult& result) {
        DownloadJobObserver observer(control);
        const CableAccess::Use use = cable->exclusiveUse();
        CableBackend& backend = *cable->backend();
        result.download = ReadLoggerMemory(backend, KeyedCableOpener(backend, cable->cableKey()),
                                           observer, control.token());
    });
}

void LoggerSessions::finishDownload(JobResult& result) {
    DownloadResult& download = result.download;
    emit progressEnded();
    if (download.status == DownloadResult::Status::Done) {
        replaceSessions(std::move(download.sessions), false);
        m_empty = false;
    } else {
        // The import reset: no sessions, nothing offered.
        replaceSessions({}, false);
    }
    setBusy(false);
    emit stateChanged();
    if (download.messageId && download.status != DownloadResult::Status::Aborted)
        emit failed(*download.messageId, DownloadMessageText(*download.messageId));
    if (!download.notice.empty())
        emit noticed(QString::fromStdString(download.notice));
    emit downloadFinished(download.status);
}

// --- files ----------------------------------------------------------------------------

void LoggerSessions::openFile(const QString& path) {
    openFile(NativePath(path));
}

void LoggerSessions::openFile(const QByteArray& nativePath) {
    if (m_busy || m_operation != Operation::None)
        return;
    const QString path = PathText(nativePath);
    {
        // Checked here so that a file that cannot be read leaves the sessions held.
        QFile probe;
        QString reason;
        if (!OpenRegularFile(probe, nativePath, &reason)) {
            emit failed(TextId::FileOpenError, withPath(TextId::FileOpenError, path, reason));
            emit fileOpened(SessionFileStatus::OpenFailed);
            return;
        }
    }
    begin(Operation::Opening);
    m_path = path;
    setBusy(true);
    replaceSessions({}, false);
    emit stateChanged();
    runJob(
        [nativePath](const JobControl& control, JobResult& result) {
            qint64 lastShown = -1;
            JobProgress shown{JobStage::ReadingFile, 0, 0};
            result.fileStatus = LoadSessionFile(
                nativePath, result.sessions,
                [&](int, std::int64_t entry, std::int64_t count) {
                    if (entry == count || entry - lastShown >= kReadProgressEvery ||
                        entry < lastShown) {
                        lastShown = entry;
                        shown = {JobStage::ReadingFile, entry, count};
                        control.report(shown.stage, shown.done, shown.total);
                    }
                    return !control.isCancelled();
                },
                &result.error);
            // Read: the sessions are taken over, which cannot be aborted.
            control.report(JobStage::StoringSessions, shown.done, shown.total);
        },
        // The window shows the reading from the start, before the first entry is read.
        JobProgress{JobStage::ReadingFile, 0, 0});
}

void LoggerSessions::finishOpen(JobResult& result) {
    const SessionFileStatus status = result.fileStatus;
    if (status == SessionFileStatus::Ok) {
        replaceSessions(std::move(result.sessions), true);
        m_documentPath = m_path;
    } else {
        replaceSessions({}, false);
    }
    emit progressEnded();
    setBusy(false);
    emit stateChanged();
    if (status == SessionFileStatus::OutOfMemory)
        emit failed(TextId::OutOfMemory, text(TextId::OutOfMemory));
    else if (status != SessionFileStatus::Ok && status != SessionFileStatus::Cancelled)
        emit failed(TextId::FileOpenError, withPath(TextId::FileOpenError, m_path, result.error));
    emit fileOpened(status);
}

void LoggerSessions::saveFile(const QString& path) {
    if (m_empty || m_busy || !begin(Operation::Saving))
        return;
    m_path = path;
    setBusy(true);
    emit stateChanged();
    const std::span<const SampleList> all = sessions();
    runJob([path, all](const JobControl&, JobResult& result) {
        result.fileStatus = SaveSessionFile(path, all, &result.error);
    });
}

void LoggerSessions::finishSave(const JobResult& result) {
    if (result.fileStatus == SessionFileStatus::Ok) {
        m_empty = false;
        m_saved = true;
        m_documentPath = m_path;
    }
    setBusy(false);
    emit stateChanged();
    if (result.fileStatus != SessionFileStatus::Ok)
        emit failed(TextId::FileSaveError, withPath(TextId::FileSaveError, m_path, result.error));
    emit fileSaved(result.fileStatus);
}

void LoggerSessions::exportText(const QString& path, int first, int last, TextExportFormat format) {
    if (m_empty || m_busy || !begin(Operation::Exporting))
        return;
    m_path = path;
    setBusy(true);
    emit stateChanged();
    const std::span<const SampleList> shown = shownSessions();
    runJob([path, shown, first, last, format](const JobControl&, JobResult& result) {
        result.written = format == TextExportFormat::Tidy
                             ? ExportSessionsTidyFile(path, shown, first, last, &result.error)
                             : ExportSessionsTextFile(path, shown, first, last, &result.error);
    });
}

void LoggerSessions::finishExport(const JobResult& result) {
    setBusy(false);
    emit stateChanged();
    if (!result.written) {
        QString message = withPath(TextId::FileSaveError, m_path);
        if (!result.error.isEmpty())
            message += QStringLiteral("\n(%1)").arg(result.error);
        emit failed(TextId::FileSaveError, message);
    }
    emit textExported(result.written);
}

ExportPlan LoggerSessions::planExport(const ExportRequest& request) const {
    ExportPlan plan;
    if (request.destination == ExportDestination::File && request.fileName.isEmpty()) {
        plan.action = ExportPlan::Action::MissingFileName;
        return plan;
    }
    const int current = m_current + 1;
    int first = current;
    int last = current;
    if (request.scope == PageScope::Range) {
        // Page numbers that are no whole numbers fall back to the whole range.
        first = request.pageFrom.value_or(1);
        last = request.pageTo.value_or(m_shown);
    } else if (request.scope == PageScope::AllPages) {
        first = 1;
        last = m_shown;
    }
    plan.pages = ClampPageRange(first, last, m_shown);
    if (plan.pages.empty())
        return plan;
    if (request.type == ExportType::Text || request.type == ExportType::TidyText) {
        plan.action = ExportPlan::Action::Text;
        if (request.type == ExportType::TidyText)
            plan.textFormat = TextExportFormat::Tidy;
        return plan;
    }
    plan.action = ExportPlan::Action::Picture;
    plan.bitmap = request.type == ExportType::BitMap;
    plan.destination = request.destination;
    // Clipboard and file take the session on the graph; the range is for printing.
    if (request.destination != ExportDestination::Printer)
        plan.pages = PageRange{current, current};
    return plan;
}

// --- paging and state --------------------------------------------------------------------

void LoggerSessions::select(int s) {
    m_current = s;
    emit currentSessionChanged(s);
}

void LoggerSessions::showFirst() {
    if (m_shown > 0)
        select(0);
}

void LoggerSessions::pageUp() {
    if (m_shown == 0)
        return;
    if (m_current == 0) {
        emit warned(TextId::AtFirstPage);
        return;
    }
    select(m_current - 1);
}

void LoggerSessions::pageDown() {
    if (m_shown == 0)
        return;
    if (m_current + 1 >= m_shown) {
        emit warned(TextId::AtLastPage);
        return;
    }
    select(m_current + 1);
}

void LoggerSessions::showLast() {
    if (m_shown > 0)
        select(m_shown - 1);
}

void LoggerSessions::clear() {
    if (m_operation != Operation::None)
        return;
    replaceSessions({}, false);
    emit stateChanged();
}

void LoggerSessions::adopt(std::vector<SampleList>&& sessions, bool saved) {
    if (m_operation != Operation::None)
        return;
    replaceSessions(std::move(sessions), saved);
    m_empty = false;
    emit stateChanged();
}

void LoggerSessions::replaceSessions(std::vector<SampleList>&& sessions, bool saved) {
    if (sessions.size() > kMaxSessions)
        sessions.resize(kMaxSessions);
    m_sessions = std::move(sessions);
    m_documentPath.clear();
    m_shown = sessionCount();
    m_current = std::max(m_shown - 1, 0);
    m_empty = m_sessions.empty();
    m_saved = saved;
    if (saved)
        m_empty = false;
    emit sessionsReplaced();
}

} // namespace telmora
