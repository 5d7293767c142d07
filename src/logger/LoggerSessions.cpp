#include "logger/LoggerSessions.h"

#include "meter/CableAccess.h"

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
constexpr qint64 kOpenProgressMaximum = 64;

// The message, and on the next line the file and, when known, why it failed.
QString withPath(TextId message, const QString& path, const QString& reason = QString()) {
    QString line = text(message) + QLatin1Char('\n') + QDir::toNativeSeparators(path);
    if (!reason.isEmpty())
        line += QStringLiteral(": ") + reason;
    return line;
}

// "Reading Data : %d of %d" filled with the two numbers.
QString readingDetail(qint64 entry, qint64 count) {
    return fillNumbers(text(TextId::ReadingDataFormat), {entry, count});
}

} // namespace

// What a job hands back; written on the worker, read once it has ended.
struct LoggerSessions::JobResult {
    DownloadResult download;
    SessionFileStatus fileStatus = SessionFileStatus::Ok;
    std::vector<SampleList> sessions;
    bool written = false;
    QString error;
};

// Reports the download's steps as progress and answers its abort question with
// the job's stop token. Runs on the worker thread.
class DownloadJobObserver : public MemoryDownloadObserver {
public:
    DownloadJobObserver(std::function<void(LoggerProgress)> post, std::stop_token token)
        : m_post(std::move(post)), m_token(std::move(token)) {}

    bool confirmDownload() override { return true; }
    void stageChanged(DownloadStage stage) override {
        m_progress.title = DownloadStageTitle(stage);
        m_progress.detail =
            stage == DownloadStage::Acquiring ? QString() : text(TextId::Translating);
        if (stage == DownloadStage::Acquiring) {
            m_progress.value = 0;
            m_progress.maximum = 100;
        }
        m_post(m_progress);
    }
    void blockProgress(std::size_t position, std::size_t maximum,
                       const std::string& detail) override {
        m_progress.value = static_cast<qint64>(position);
        m_progress.maximum = static_cast<qint64>(maximum);
        m_progress.detail = QString::fromStdString(detail);
        m_post(m_progress);
    }
    void conversionProgress(int, std::size_t done, std::size_t total) override {
        m_progress.value = static_cast<qint64>(done);
        m_progress.maximum = static_cast<qint64>(total);
        m_post(m_progress);
    }
    bool abortRequested() override { return m_token.stop_requested(); }

private:
    std::function<void(LoggerProgress)> m_post;
    std::stop_token m_token;
    LoggerProgress m_progress;
};

LoggerSessions::LoggerSessions(CableAccess& cable, QObject* parent)
    : QObject(parent), m_cable(cable) {
    qRegisterMetaType<LoggerProgress>();
    connect(&m_job, &WorkerJob::finished, this, &LoggerSessions::jobFinished);
}

LoggerSessions::~LoggerSessions() {
    m_job.requestStop();
    m_job.wait();
}

std::span<const SampleList> LoggerSessions::shownSessions() const {
    return sessions().first(static_cast<std::size_t>(std::clamp(m_shown, 0, sessionCount())));
}

// --- jobs ---------------------------------------------------------------------------

bool LoggerSessions::begin(Operation operation) {
    if (m_operation != Operation::None)
        return false;
    m_operation = operation;
    m_result = std::make_unique<JobResult>();
    return true;
}

void LoggerSessions::runJob(std::function<void(std::stop_token, JobResult&)> work) {
    JobResult* result = m_result.get();
    m_job.start([work = std::move(work), result](std::stop_token token) {
        try {
            work(token, *result);
        } catch (const std::bad_alloc&) {
            result->download.status = DownloadResult::Status::OutOfMemory;
            result->download.messageId = TextId::OutOfMemory;
            result->download.resetRequested = true;
            result->fileStatus = SessionFileStatus::OutOfMemory;
            result->sessions.clear();
        }
    });
}

void LoggerSessions::postProgress(LoggerProgress progress) {
    QMetaObject::invokeMethod(
        this, [this, progress] { emit progressChanged(progress); }, Qt::QueuedConnection);
}

void LoggerSessions::jobFinished() {
    m_job.wait();
    const Operation operation = std::exchange(m_operation, Operation::None);
    std::unique_ptr<JobResult> result = std::move(m_result);
    if (!result)
        return;
    switch (operation) {
    case Operation::Checking:
        finishCheck(*result);
        break;
    case Operation::Downloading:
        finishDownload(*result);
        break;
    case Operation::Opening:
        finishOpen(*result);
        break;
    case Operation::Saving:
        finishSave(*result);
        break;
    case Operation::Exporting:
        finishExport(*result);
        break;
    case Operation::None:
        break;
    }
}

void LoggerSessions::abort() {
    m_job.requestStop();
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
    CableAccess* cable = &m_cable;
    runJob([cable](std::stop_token, JobResult& result) {
        const CableAccess::Use use = cable->exclusiveUse();
        result.download.status = CheckLoggerMemory(*cable->backend());
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
    CableAccess* cable = &m_cable;
    runJob([this, cable](std::stop_token token, JobResult& result) {
        DownloadJobObserver observer([this](LoggerProgress p) { postProgress(std::move(p)); },
                                     token);
        const CableAccess::Use use = cable->exclusiveUse();
        result.download = ReadLoggerMemory(*cable->backend(), observer);
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
    LoggerProgress progress;
    progress.title = noticeLine(TextId::ReadingSelectedFile);
    progress.alert = true;
    progress.maximum = kOpenProgressMaximum;
    emit progressChanged(progress);
    setBusy(true);
    replaceSessions({}, false);
    emit stateChanged();
    runJob([this, nativePath, progress](std::stop_token token, JobResult& result) mutable {
        qint64 lastShown = -1;
        result.fileStatus = LoadSessionFile(
            nativePath, result.sessions,
            [&](int, std::int64_t entry, std::int64_t count) {
                if (entry == count || entry - lastShown >= kReadProgressEvery ||
                    entry < lastShown) {
                    lastShown = entry;
                    progress.value = entry;
                    progress.maximum = std::max<qint64>(count, 1);
                    progress.detail = readingDetail(entry, count);
                    postProgress(progress);
                }
                return !token.stop_requested();
            },
            &result.error);
        progress.value = progress.maximum;
        progress.abortEnabled = false;
        postProgress(progress);
    });
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
    runJob([path, all](std::stop_token, JobResult& result) {
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
    runJob([path, shown, first, last, format](std::stop_token, JobResult& result) {
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
