#pragma once
// One piece of long work at a time on a worker thread of its own, with a stop
// token. The work gets the token and checks it between its steps; it reports
// back by posting to objects of the user-interface thread. Destroying the job
// asks the work to stop and waits for it, so no thread outlives its owner.

#include <QObject>

#include <functional>
#include <memory>
#include <stop_token>

class QThread;

namespace telmora {

class WorkerJob : public QObject {
    Q_OBJECT

public:
    explicit WorkerJob(QObject* parent = nullptr);
    ~WorkerJob() override;
    WorkerJob(const WorkerJob&) = delete;
    WorkerJob& operator=(const WorkerJob&) = delete;

    // Starts `work` on a new thread; false (and nothing started) while a work is
    // still running.
    bool start(std::function<void(std::stop_token)> work);
    bool isRunning() const;
    // Asks the running work to stop at its next check.
    void requestStop();
    // Waits until the running work has returned (nothing when none runs).
    void wait();

signals:
    // The work has returned (on the thread that owns the job).
    void finished();

private:
    std::unique_ptr<QThread> m_thread;
    std::stop_source m_stop;
};

} // namespace telmora
