#pragma once
// Long work off the user-interface thread. A job runs one piece of work at a time
// on a worker thread of its own; the work gets a JobControl with the stop token it
// checks between its steps and the way to report its progress. Progress, the end
// and the result come back as queued signals and a callback on the thread that
// owns the job, so nobody there ever waits for the work. Destroying the job asks
// the work to stop and waits for it (the only wait, at shutdown).
//
// A new start discards a run still going (its result is never delivered); a
// cancelled run still delivers its result, with the outcome Cancelled.

#include "jobs/JobProgress.h"

#include <QObject>
#include <QString>
#include <QThreadPool>

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <stop_token>
#include <type_traits>
#include <utility>

namespace telmora {

class Job;

// What the work sees of its job. Used on the worker thread.
class JobControl {
public:
    std::stop_token token() const { return m_token; }
    bool isCancelled() const { return m_token.stop_requested(); }
    // Sends a progress report to the job's thread.
    void report(JobStage stage, qint64 done, qint64 total) const;

private:
    friend class Job;
    JobControl(Job& job, std::uint64_t run, std::stop_token token)
        : m_job(&job), m_run(run), m_token(std::move(token)) {}

    Job* m_job;
    std::uint64_t m_run;
    std::stop_token m_token;
};

class Job : public QObject {
    Q_OBJECT

public:
    explicit Job(QObject* parent = nullptr);
    ~Job() override;
    Job(const Job&) = delete;
    Job& operator=(const Job&) = delete;

    // True from start until the result has been delivered (or the run discarded).
    bool isRunning() const { return m_running; }

    // Runs `work(const JobControl&)` on the worker thread; its result goes to
    // `deliver(Result&&, JobOutcome)` on this object's thread, right after
    // finished(). A work that throws delivers a default-made result (Failed).
    // `first`, when given, is reported before the work begins, so that a cancel in
    // answer to it reaches the work before its first step.
    template <class Work, class Deliver>
    void start(Work work, Deliver deliver, std::optional<JobProgress> first = std::nullopt);

    // Asks the running work to stop at its next check; its result still comes.
    void cancel();
    // Asks the running work to stop and drops its result: nothing more comes of it.
    void discard();
    // The newest report of the current run, if any came yet.
    std::optional<JobProgress> lastProgress() const { return m_lastProgress; }
    // What the work of the last run that ended as Failed threw (empty otherwise).
    const QString& errorString() const { return m_error; }

signals:
    void progressed(const telmora::JobProgress& progress);
    void finished(telmora::JobOutcome outcome);

private:
    friend class JobControl;
    // What the worker hands back: the delivery of its result, and whether it threw.
    struct Delivery {
        std::function<void(JobOutcome)> deliver;
        bool failed = false;
        QString error;
    };
    using ErasedWork = std::function<Delivery(const JobControl&)>;

    void startErased(ErasedWork work, const std::optional<JobProgress>& first);
    // Keeps and signals a report of the current run (on this object's thread).
    void report(const JobProgress& progress);
    void takeProgress(std::uint64_t run, const JobProgress& progress);
    void finish(std::uint64_t run, const Delivery& delivery);

    QThreadPool m_pool;
    std::stop_source m_stop;
    std::uint64_t m_run = 0; // the current run; news of earlier ones is dropped
    bool m_running = false;
    std::optional<JobProgress> m_lastProgress;
    QString m_error;
};

template <class Work, class Deliver>
void Job::start(Work work, Deliver deliver, std::optional<JobProgress> first) {
    using Result = std::invoke_result_t<Work&, const JobControl&>;
    static_assert(std::is_default_constructible_v<Result>, "a job's result needs a default");
    startErased(
        [work = std::move(work),
         deliver = std::move(deliver)](const JobControl& control) mutable -> Delivery {
            auto result = std::make_shared<Result>();
            bool failed = false;
            QString error;
            try {
                *result = work(control);
            } catch (const std::exception& thrown) {
                failed = true;
                error = QString::fromLocal8Bit(thrown.what());
            }
            return {[deliver, result](JobOutcome outcome) mutable {
                        deliver(std::move(*result), outcome);
                    },
                    failed, error};
        },
        first);
}

} // namespace telmora
