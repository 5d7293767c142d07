#include "meter/MeterLink.h"
#include "LinkWaits.h"
#include "meter/CableAccess.h"

#include "sim/SimulatedMeter.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

using namespace telmora;
using namespace std::chrono_literals;

namespace {

// Waits on `spy` until it holds `count` signals.
bool waitForCount(QSignalSpy& spy, int count, int ms = 10000) {
    while (spy.count() < count)
        if (!spy.wait(ms))
            return false;
    return true;
}

} // namespace

// A cable whose opening waits until the test lets it go, and which notes the
// threads that opened it.
class GatedBackend final : public CableBackend {
public:
    explicit GatedBackend(std::shared_ptr<SimulatedMeter> meter) : m_meter(std::move(meter)) {}

    std::vector<HidInterfaceInfo> interfaces() override { return m_meter->interfaces(); }
    std::unique_ptr<CableDevice> open(const std::string& path) override {
        {
            std::unique_lock lock(m_mutex);
            m_openers.push_back(std::this_thread::get_id());
            m_released.wait_for(lock, 10s, [this] { return m_open; });
        }
        return m_meter->open(path);
    }
    void release() {
        {
            std::lock_guard lock(m_mutex);
            m_open = true;
        }
        m_released.notify_all();
    }
    std::vector<std::thread::id> openers() {
        std::lock_guard lock(m_mutex);
        return m_openers;
    }

private:
    std::shared_ptr<SimulatedMeter> m_meter;
    std::mutex m_mutex;
    std::condition_variable m_released;
    bool m_open = false;
    std::vector<std::thread::id> m_openers;
};

// The system lists the cable, but opening it is refused.
struct RefusingBackend final : CableBackend {
    std::vector<HidInterfaceInfo> interfaces() override {
        return {{"/dev/hidraw7", {kCableVendorId, kCableProductId, 0x0100}}};
    }
    std::unique_ptr<CableDevice> open(const std::string&) override { return nullptr; }
};

TEST(MeterLink, LinkWithoutCableChangesNothingAndSaysWhetherTheCableIsListed) {
    for (const bool listed : {false, true}) {
        std::shared_ptr<CableBackend> backend =
            listed ? std::shared_ptr<CableBackend>(std::make_shared<RefusingBackend>())
                   : std::make_shared<SimulatedMeter>(SimScenario::NoCable, false);
        CableAccess cable(backend);
        MeterLink link(cable);
        QSignalSpy linked(&link, &MeterLink::linkedChanged);
        QSignalSpy finished(&link, &MeterLink::linkFinished);
        EXPECT_FALSE(LinkAndWait(link));
        EXPECT_FALSE(link.isLinked());
        EXPECT_FALSE(link.isLinking());
        EXPECT_EQ(linked.count(), 0);
        ASSERT_EQ(finished.count(), 1);
        EXPECT_FALSE(finished.at(0).at(0).toBool());
        EXPECT_EQ(link.cableListed(), listed);
    }
}

TEST(MeterLink, LinkOpensTheCableOffTheCallersThreadAndReportsByASignal) {
    auto meter = std::make_shared<SimulatedMeter>(SimScenario::Demo, false);
    auto gated = std::make_shared<GatedBackend>(meter);
    CableAccess cable(gated);
    MeterLink link(cable);
    QSignalSpy linked(&link, &MeterLink::linkedChanged);
    QSignalSpy finished(&link, &MeterLink::linkFinished);
    link.link(); // returns while the cable is still being opened
    EXPECT_TRUE(link.isLinking());
    EXPECT_FALSE(link.isLinked());
    EXPECT_EQ(linked.count(), 0);
    gated->release();
    ASSERT_TRUE(finished.wait(10000));
    EXPECT_TRUE(finished.at(0).at(0).toBool());
    ASSERT_EQ(linked.count(), 1) << "linkedChanged comes before linkFinished";
    EXPECT_TRUE(link.isLinked());
    EXPECT_FALSE(link.isLinking());
    ASSERT_FALSE(gated->openers().empty());
    for (const std::thread::id opener : gated->openers())
        EXPECT_NE(opener, std::this_thread::get_id()) << "the cable was opened on the UI thread";

    QSignalSpy stopped(&link, &MeterLink::stopped);
    link.unlink();
    ASSERT_TRUE(stopped.wait(5000));
    EXPECT_EQ(meter->openDevices(), 0);
}

TEST(MeterLink, UnlinkWhileLinkingDropsTheAttemptQuietly) {
    auto meter = std::make_shared<SimulatedMeter>(SimScenario::Demo, false);
    auto gated = std::make_shared<GatedBackend>(meter);
    CableAccess cable(gated);
    MeterLink link(cable);
    QSignalSpy linked(&link, &MeterLink::linkedChanged);
    QSignalSpy finished(&link, &MeterLink::linkFinished);
    QSignalSpy stopped(&link, &MeterLink::stopped);
    link.link();
    link.unlink();
    EXPECT_FALSE(link.isLinking());
    gated->release();
    ASSERT_TRUE(stopped.wait(10000));
    EXPECT_EQ(finished.count(), 0);
    EXPECT_EQ(linked.count(), 0);
    EXPECT_FALSE(link.isLinked());
    EXPECT_EQ(meter->openDevices(), 0) << "the worker closed the cable it had opened";

    // The next link goes through as usual.
    EXPECT_TRUE(LinkAndWait(link));
}

TEST(MeterLink, ReadingsArriveInOrderAndUnlinkEndsThemPromptly) {
    auto meter = std::make_shared<SimulatedMeter>(SimScenario::Demo, true);
    CableAccess cable(meter);
    MeterLink link(cable);
    QSignalSpy linked(&link, &MeterLink::linkedChanged);
    QSignalSpy readings(&link, &MeterLink::readingReceived);
    ASSERT_TRUE(LinkAndWait(link));
    EXPECT_TRUE(link.isLinked());
    ASSERT_EQ(linked.count(), 1);
    EXPECT_TRUE(linked.at(0).at(0).toBool());
    EXPECT_FALSE(link.readingValid()) << "no reading yet";

    ASSERT_TRUE(waitForCount(readings, 3));
    EXPECT_TRUE(link.readingValid());
    // The demo meter starts on the DC volts of a cell around 1.5 V.
    const DecodedReply latest = link.latestReading();
    EXPECT_EQ(latest.main.functionCode(), 0x6u);
    EXPECT_EQ(latest.main.unitLabel, "V");
    EXPECT_EQ(latest.main.text.view().substr(0, 3), "1.5");
    EXPECT_EQ(latest.replyCopy, readings.last().at(0).value<DecodedReply>().replyCopy)
        << "the latest reading is the last one delivered";

    QSignalSpy stopped(&link, &MeterLink::stopped);
    const auto start = std::chrono::steady_clock::now();
    link.unlink();
    EXPECT_FALSE(link.isLinked());
    ASSERT_EQ(linked.count(), 2);
    EXPECT_FALSE(linked.at(1).at(0).toBool());
    ASSERT_TRUE(stopped.wait(1000));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1s) << "a demo reply takes 250 ms at most";
    EXPECT_EQ(meter->openDevices(), 0);

    // Readings already on their way when the link ended are not delivered.
    const int before = readings.count();
    EXPECT_FALSE(readings.wait(300));
    EXPECT_EQ(readings.count(), before);
}

TEST(MeterLink, CablePulledMidPollGivesTheNoticeThenUnlinks) {
    auto meter = std::make_shared<SimulatedMeter>(SimScenario::Demo, false);
    meter->unplugAfterPolls(5);
    CableAccess cable(meter);
    MeterLink link(cable);
    std::vector<std::string> order;
    QObject::connect(&link, &MeterLink::linkLostNotice, [&] {
        order.push_back(link.isLinked() ? "notice while linked" : "notice after unlink");
    });
    QObject::connect(&link, &MeterLink::linkedChanged,
                     [&](bool on) { order.push_back(on ? "linked" : "unlinked"); });
    QSignalSpy noData(&link, &MeterLink::noDataNotice);
    QSignalSpy linked(&link, &MeterLink::linkedChanged);
    ASSERT_TRUE(LinkAndWait(link));
    ASSERT_TRUE(waitForCount(linked, 2));
    EXPECT_EQ(order, (std::vector<std::string>{"linked", "notice while linked", "unlinked"}));
    EXPECT_EQ(noData.count(), 0) << "a lost cable gives no 'No data received.'";
    EXPECT_FALSE(link.isLinked());
    EXPECT_FALSE(link.readingValid());
}

TEST(MeterLink, SilentMeterHaltsUntilTheNoticeIsClosedAndThenLosesTheLink) {
    auto meter = std::make_shared<SimulatedMeter>(SimScenario::Silent, false);
    CableAccess cable(meter);
    MeterLink link(cable);
    QSignalSpy noData(&link, &MeterLink::noDataNotice);
    // The cable is still plugged in: the meter is what does not answer.
    QSignalSpy lost(&link, &MeterLink::meterSilentNotice);
    QSignalSpy cableLost(&link, &MeterLink::linkLostNotice);
    QSignalSpy linked(&link, &MeterLink::linkedChanged);
    ASSERT_TRUE(LinkAndWait(link));
    ASSERT_TRUE(waitForCount(noData, 1));
    EXPECT_EQ(meter->polls(), 3);
    // Nothing goes on while the notice is up.
    EXPECT_FALSE(lost.wait(200));
    EXPECT_EQ(meter->polls(), 3);
    EXPECT_TRUE(link.isLinked());

    QSignalSpy stopped(&link, &MeterLink::stopped);
    link.noticeClosed();
    ASSERT_TRUE(waitForCount(lost, 1));
    ASSERT_TRUE(waitForCount(linked, 2));
    ASSERT_TRUE(waitForCount(stopped, 1));
    EXPECT_FALSE(link.isLinked());
    EXPECT_EQ(noData.count(), 1);
    EXPECT_EQ(cableLost.count(), 0);
    EXPECT_EQ(meter->openDevices(), 0);
}

TEST(MeterLink, UnlinkWhileTheNoticeIsUpEndsWithoutALinkLoss) {
    auto meter = std::make_shared<SimulatedMeter>(SimScenario::Silent, false);
    CableAccess cable(meter);
    MeterLink link(cable);
    QSignalSpy noData(&link, &MeterLink::noDataNotice);
    QSignalSpy lost(&link, &MeterLink::linkLostNotice);
    ASSERT_TRUE(LinkAndWait(link));
    ASSERT_TRUE(waitForCount(noData, 1));
    link.unlink();
    link.noticeClosed(); // the notice closes after the unlink: nothing more happens
    EXPECT_FALSE(lost.wait(200));
    EXPECT_FALSE(link.isLinked());
}

TEST(MeterLink, DestroyingALinkedLinkEndsItsThread) {
    auto meter = std::make_shared<SimulatedMeter>(SimScenario::Demo, false);
    {
        CableAccess cable(meter);
        MeterLink link(cable);
        QSignalSpy readings(&link, &MeterLink::readingReceived);
        ASSERT_TRUE(LinkAndWait(link));
        ASSERT_TRUE(waitForCount(readings, 1));
    }
    EXPECT_EQ(meter->openDevices(), 0) << "the worker closed its cable before the link went";
}
