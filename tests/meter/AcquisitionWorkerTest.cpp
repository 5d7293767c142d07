#include "meter/AcquisitionWorker.h"
#include "meter/CableAccess.h"

#include "sim/DisplayEncoder.h"
#include "sim/SimulatedMeter.h"

#include <QSignalSpy>
#include <QThread>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace telmora;
using namespace std::chrono_literals;

namespace {

// Collects the worker's signals on the test thread, in the order they arrive.
class WorkerLog : public QObject {
    Q_OBJECT
public:
    std::vector<std::string> events;
    std::vector<DecodedReply> readings;
signals:
    void logged();

public:
    void add(const std::string& event) {
        events.push_back(event);
        emit logged();
    }
    int count(const std::string& event) const {
        return static_cast<int>(std::count(events.begin(), events.end(), event));
    }
    // Waits on logged() until `done` holds; false when nothing more came in time.
    bool waitUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = 10s) {
        QSignalSpy spy(this, &WorkerLog::logged);
        while (!done())
            if (!spy.wait(static_cast<int>(limit.count())))
                return false;
        return true;
    }
};

// One worker on its own thread, as the meter link runs it.
class WorkerRun {
public:
    WorkerRun(std::shared_ptr<CableBackend> backend, WorkerLog& log)
        : m_cable(std::move(backend)), m_worker(m_cable) {
        qRegisterMetaType<DecodedReply>("telmora::DecodedReply");
        m_worker.moveToThread(&m_thread);
        QObject::connect(&m_thread, &QThread::started, &m_worker, &AcquisitionWorker::run);
        QObject::connect(&m_worker, &AcquisitionWorker::finished, &m_thread, &QThread::quit,
                         Qt::DirectConnection);
        QObject::connect(&m_worker, &AcquisitionWorker::readingReceived, &log,
                         [&log, this](const DecodedReply& r) {
                             m_worker.readingDelivered();
                             log.readings.push_back(r);
                             log.add("reading");
                         });
        QObject::connect(&m_worker, &AcquisitionWorker::pollFailed, &log,
                         [&log] { log.add("failed"); });
        QObject::connect(&m_worker, &AcquisitionWorker::noDataReceived, &log,
                         [&log] { log.add("nodata"); });
        QObject::connect(&m_worker, &AcquisitionWorker::linkLost, &log,
                         [&log] { log.add("lost"); });
        QObject::connect(&m_worker, &AcquisitionWorker::finished, &log,
                         [&log] { log.add("finished"); });
        m_thread.start();
    }
    ~WorkerRun() { stop(); }
    void stop() {
        m_worker.requestStop();
        m_thread.wait();
    }
    AcquisitionWorker& worker() { return m_worker; }
    bool running() const { return m_thread.isRunning(); }

private:
    QThread m_thread;
    CableAccess m_cable;
    AcquisitionWorker m_worker;
};

std::array<std::uint8_t, kDataBytes> dataOf(const DesiredReading& r) {
    const auto reply = EncodeDisplay(r);
    std::array<std::uint8_t, kDataBytes> data{};
    for (std::size_t k = 0; k < kDataBytes; ++k)
        data[k] = reply[1 + k + k / 8];
    return data;
}

} // namespace

TEST(AcquisitionWorker, SilentMeterGivesThreeFailedPollsOneNoticeAndAfterItLinkLost) {
    auto meter = std::make_shared<SimulatedMeter>(SimScenario::Silent, false);
    WorkerLog log;
    WorkerRun run(meter, log);
    ASSERT_TRUE(log.waitUntil([&] { return log.count("nodata") == 1; }));
    // The worker holds still while the notice is up: no polls, no link loss.
    EXPECT_EQ(meter->polls(), 3);
    EXPECT_EQ(log.events, (std::vector<std::string>{"failed", "failed", "failed", "nodata"}));
    EXPECT_TRUE(run.running());
    // Two reopen pauses between the three polls.
    EXPECT_EQ(meter->pauses(), (std::vector<std::chrono::milliseconds>{10ms, 10ms}));

    run.worker().noticeClosed();
    ASSERT_TRUE(log.waitUntil([&] { return log.count("finished") == 1; }));
    EXPECT_EQ(log.events, (std::vector<std::string>{"failed", "failed", "failed", "nodata", "lost",
                                                    "finished"}));
    EXPECT_EQ(meter->polls(), 3);
    EXPECT_EQ(meter->openDevices(), 0) << "a cable handle was left open";
}

TEST(AcquisitionWorker, StopWhileTheNoticeIsUpEndsWithoutLinkLoss) {
    auto meter = std::make_shared<SimulatedMeter>(SimScenario::Silent, false);
    WorkerLog log;
    WorkerRun run(meter, log);
    ASSERT_TRUE(log.waitUntil([&] { return log.count("nodata") == 1; }));
    run.stop();
    EXPECT_FALSE(run.running());
    ASSERT_TRUE(log.waitUntil([&] { return log.count("finished") == 1; }));
    EXPECT_EQ(log.count("lost"), 0) << "an unlink is no link loss";
}

TEST(AcquisitionWorker, AFailedPollFollowedByAGoodOneRecoversWithTheDecodedReading) {
    auto meter = std::make_shared<SimulatedMeter>(SimScenario::Demo, false);
    DesiredReading r;
    SetDisplayText("-1.234", r.main);
    r.main.code = 0x6;
    meter->setDisplayData(dataOf(r));
    meter->ignoreNextPolls(1);
    WorkerLog log;
    WorkerRun run(meter, log);
    ASSERT_TRUE(log.waitUntil([&] { return log.readings.size() >= 2; }));
    EXPECT_EQ(log.events.front(), "failed");
    EXPECT_EQ(run.worker().retryCount(), 0);
    run.stop();
    EXPECT_EQ(log.count("nodata"), 0);
    EXPECT_EQ(log.count("lost"), 0);

    const DecodedReply& reading = log.readings.front();
    EXPECT_EQ(reading.main.text, "-1.234");
    EXPECT_EQ(reading.main.functionCode(), 0x6u);
    EXPECT_EQ(reading.main.modeLabel, "DC");
    EXPECT_EQ(reading.replyCopy[0], 0);
    EXPECT_EQ(reading.frameData[0], reading.replyCopy[2]) << "frame data start at D1";
    EXPECT_EQ(meter->openDevices(), 0);
}

TEST(AcquisitionWorker, LostCableEndsTheLinkWithoutTheNotice) {
    for (SimScenario scenario : {SimScenario::Demo, SimScenario::NoCable}) {
        auto meter = std::make_shared<SimulatedMeter>(scenario, false);
        meter->unplugAfterPolls(3); // the demo meter: unplugged mid-poll
        WorkerLog log;
        WorkerRun run(meter, log);
        ASSERT_TRUE(log.waitUntil([&] { return log.count("finished") == 1; }));
        EXPECT_EQ(log.count("nodata"), 0);
        EXPECT_EQ(log.count("lost"), 1);
        // The failed poll is reported before the loss, so sampling stops first.
        ASSERT_GE(log.events.size(), 3u);
        EXPECT_EQ(log.events[log.events.size() - 3], "failed");
        EXPECT_EQ(log.events[log.events.size() - 2], "lost");
        EXPECT_EQ(meter->openDevices(), 0);
    }
}

TEST(AcquisitionWorker, StopDuringARealTimeOutEndsWithinThatPoll) {
    // A silent meter in real time: the worker sits in a 4 s wait when asked to end.
    auto meter = std::make_shared<SimulatedMeter>(SimScenario::Silent, true);
    WorkerLog log;
    auto run = std::make_unique<WorkerRun>(meter, log);
    const auto start = std::chrono::steady_clock::now();
    run->stop();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 7s);
    EXPECT_LE(meter->polls(), 1);
    run.reset();
    EXPECT_EQ(log.count("lost"), 0);
    EXPECT_EQ(log.count("nodata"), 0);
}

TEST(AcquisitionWorker, ReadingsInFlightAreBounded) {
    // Nobody takes the readings off the way: the worker keeps polling but never
    // queues more than its bound.
    auto meter = std::make_shared<SimulatedMeter>(SimScenario::Demo, false);
    meter->unplugAfterPolls(200);
    CableAccess cable(meter);
    AcquisitionWorker worker(cable);
    int emitted = 0;
    QObject::connect(&worker, &AcquisitionWorker::readingReceived,
                     [&emitted](const DecodedReply&) { ++emitted; });
    worker.run(); // on this thread: ends when the cable goes
    EXPECT_EQ(emitted, AcquisitionWorker::kMaxReadingsInFlight);
    EXPECT_GT(meter->polls(), 100);
}

#include "AcquisitionWorkerTest.moc"
