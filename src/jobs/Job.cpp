#include "jobs/Job.h"

#include <QMetaObject>

namespace telmora {

void JobControl::report(JobStage stage, qint64 done, qint64 total) const {
    Job* job = m_job;
    const std::uint64_t run = m_run;
    const JobProgress progress{stage, done, total};
    QMetaObject::invokeMethod(
        job, [job, run, progress] { job->takeProgress(run, progress); }, Qt::QueuedConnection);
}

Job::Job(QObject* parent) : QObject(parent) {
    qRegisterMetaType<JobProgress>();
    qRegisterMetaType<JobOutcome>();
    // One thread per job: a long download never holds up a save, and the runs of
    // one job keep their order.
    m_pool.setMaxThreadCount(1);
    m_pool.setObjectName(QStringLiteral("Job"));
}

Job::~Job() {
    discard();
    m_pool.waitForDone();
}

void Job::startErased(ErasedWork work, const std::optional<JobProgress>& first) {
    discard();
    m_stop = std::stop_source();
    const std::uint64_t run = ++m_run;
    m_running = true;
    m_lastProgress.reset();
    if (first)
        report(*first);
    if (run != m_run)
        return; // discarded or started anew in answer to the first report
    m_pool.start([this, run, work = std::move(work), token = m_stop.get_token()] {
        const JobControl control(*this, run, token);
        Delivery delivery = work(control);
        QMetaObject::invokeMethod(
            this, [this, run, delivery = std::move(delivery)] { finish(run, delivery); },
            Qt::QueuedConnection);
    });
}

void Job::cancel() {
    m_stop.request_stop();
}

void Job::discard() {
    m_stop.request_stop();
    ++m_run;
    m_running = false;
}

void Job::report(const JobProgress& progress) {
    m_lastProgress = progress;
    emit progressed(progress);
}

void Job::takeProgress(std::uint64_t run, const JobProgress& progress) {
    if (run != m_run || !m_running)
        return;
    report(progress);
}

void Job::finish(std::uint64_t run, const Delivery& delivery) {
    if (run != m_run || !m_running)
        return;
    m_running = false;
    m_error = delivery.error;
    const JobOutcome outcome = delivery.failed           ? JobOutcome::Failed
                               : m_stop.stop_requested() ? JobOutcome::Cancelled
                                                         : JobOutcome::Done;
    emit finished(outcome);
    delivery.deliver(outcome);
}

} // namespace telmora
