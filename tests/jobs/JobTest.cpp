#include "jobs/Job.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <stdexcept>
#include <vector>

using namespace telmora;

namespace {

// Holds the work until its job is cancelled; false if that never happened.
bool WaitForCancel(const JobControl& control) {
    std::mutex mutex;
    std::condition_variable_any wake;
    std::unique_lock lock(mutex);
    wake.wait_for(lock, control.token(), std::chrono::seconds(30), [] { return false; });
    return control.isCancelled();
}

JobProgress ProgressAt(const QSignalSpy& spy, qsizetype i) {
    return spy.at(i).at(0).value<JobProgress>();
}

} // namespace

TEST(Job, ReportsInOrderAndDeliversTheResultOnItsOwnThread) {
    Job job;
    QSignalSpy progress(&job, &Job::progressed);
    QSignalSpy finished(&job, &Job::finished);
    std::atomic<QThread*> workThread = nullptr;
    QThread* deliveryThread = nullptr;
    int result = 0;
    job.start(
        [&](const JobControl& control) {
            workThread = QThread::currentThread();
            for (int i = 1; i <= 3; ++i)
                control.report(JobStage::WritingFile, i, 3);
            return 42;
        },
        [&](int value, JobOutcome) {
            result = value;
            deliveryThread = QThread::currentThread();
        },
        JobProgress{JobStage::ReadingFile, 0, 3});
    EXPECT_TRUE(job.isRunning());
    ASSERT_EQ(progress.size(), 1) << "the first report comes before the work begins";
    ASSERT_TRUE(finished.wait());
    EXPECT_FALSE(job.isRunning());
    EXPECT_EQ(finished.at(0).at(0).value<JobOutcome>(), JobOutcome::Done);
    EXPECT_EQ(result, 42);
    EXPECT_EQ(deliveryThread, QThread::currentThread());
    EXPECT_NE(workThread.load(), QThread::currentThread());
    ASSERT_EQ(progress.size(), 4);
    EXPECT_EQ(ProgressAt(progress, 0), (JobProgress{JobStage::ReadingFile, 0, 3}));
    for (int i = 1; i <= 3; ++i)
        EXPECT_EQ(ProgressAt(progress, i), (JobProgress{JobStage::WritingFile, i, 3}));
    EXPECT_EQ(job.lastProgress(), (JobProgress{JobStage::WritingFile, 3, 3}));
}

TEST(Job, CancelStopsTheWorkWhichStillDeliversAsCancelled) {
    Job job;
    QSignalSpy finished(&job, &Job::finished);
    // Cancelled in answer to the work's first report, as a progress window's Abort.
    QObject::connect(&job, &Job::progressed, &job, &Job::cancel);
    bool stopped = false;
    JobOutcome outcome = JobOutcome::Done;
    job.start(
        [](const JobControl& control) {
            control.report(JobStage::WritingFile, 0, 0);
            return WaitForCancel(control);
        },
        [&](bool value, JobOutcome how) {
            stopped = value;
            outcome = how;
        });
    ASSERT_TRUE(finished.wait());
    EXPECT_TRUE(stopped);
    EXPECT_EQ(outcome, JobOutcome::Cancelled);

    // A work that throws ends as Failed with a default result; the job runs again.
    int value = -1;
    job.start([](const JobControl&) -> int { throw std::runtime_error("broken"); },
              [&](int v, JobOutcome how) {
                  value = v;
                  outcome = how;
              });
    ASSERT_TRUE(finished.wait());
    EXPECT_EQ(value, 0);
    EXPECT_EQ(outcome, JobOutcome::Failed);
    EXPECT_EQ(job.errorString(), QStringLiteral("broken"));
}

TEST(Job, ANewStartOrADiscardDropsTheRunningWork) {
    Job job;
    QSignalSpy finished(&job, &Job::finished);
    std::vector<int> delivered;
    auto held = [](const JobControl& control) { return WaitForCancel(control) ? 1 : -1; };
    auto keep = [&](int v, JobOutcome) { delivered.push_back(v); };
    job.start(held, keep);
    job.start([](const JobControl&) { return 2; }, keep);
    ASSERT_TRUE(finished.wait());
    EXPECT_EQ(delivered, std::vector<int>{2});

    job.start(held, keep);
    job.discard();
    EXPECT_FALSE(job.isRunning());
    EXPECT_FALSE(finished.wait(200));
    EXPECT_EQ(delivered, std::vector<int>{2});
}

TEST(Job, DestroyingARunningJobStopsItsWorkAndDeliversNothing) {
    std::atomic<bool> workEnded = false;
    bool delivered = false;
    {
        Job job;
        QSignalSpy progress(&job, &Job::progressed);
        job.start(
            [&](const JobControl& control) {
                control.report(JobStage::ReadingFile, 0, 1);
                WaitForCancel(control);
                control.report(JobStage::ReadingFile, 1, 1); // to a job going away
                workEnded = true;
                return 0;
            },
            [&](int, JobOutcome) { delivered = true; });
        ASSERT_TRUE(progress.wait()); // the work runs
    }
    EXPECT_TRUE(workEnded);
    QCoreApplication::sendPostedEvents();
    EXPECT_FALSE(delivered);
}
