#include "logger/WorkerJob.h"

#include <QThread>

namespace telmora {

WorkerJob::WorkerJob(QObject* parent) : QObject(parent) {}

WorkerJob::~WorkerJob() {
    requestStop();
    wait();
}

bool WorkerJob::start(std::function<void(std::stop_token)> work) {
    if (isRunning()) {
        return false;
    }
    wait();
    m_stop = std::stop_source();
    m_thread.reset(
        QThread::create([work = std::move(work), token = m_stop.get_token()] { work(token); }));
    m_thread->setObjectName(QStringLiteral("WorkerJob"));
    connect(m_thread.get(), &QThread::finished, this, &WorkerJob::finished, Qt::QueuedConnection);
    m_thread->start();
    return true;
}

bool WorkerJob::isRunning() const {
    return m_thread != nullptr && !m_thread->isFinished();
}

void WorkerJob::requestStop() {
    m_stop.request_stop();
}

void WorkerJob::wait() {
    if (m_thread != nullptr) {
        m_thread->wait();
    }
}

} // namespace telmora
