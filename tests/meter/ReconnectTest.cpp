// Reconnecting: with it switched on, a lost cable or a silent meter keeps the link
// and is waited for in the background, with the simulated meter's cable pulled
// and plugged in again by script.
#include "LinkWaits.h"
#include "meter/CableAccess.h"
#include "meter/MeterLink.h"

#include "sim/SimulatedMeter.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include <chrono>
#include <memory>

using namespace telmora;
using namespace std::chrono_literals;

namespace {

bool waitForCount(QSignalSpy& spy, int count) {
    while (spy.count() < count)
        if (!spy.wait(10000))
            return false;
    return true;
}

struct Reconnect : ::testing::Test {
    std::shared_ptr<SimulatedMeter> meter =
        std::make_shared<SimulatedMeter>(SimScenario::Demo, false);
    CableAccess cable{meter};
    MeterLink link{cable};
    QSignalSpy linked{&link, &MeterLink::linkedChanged};
    QSignalSpy waiting{&link, &MeterLink::waitingForCableChanged};
    QSignalSpy readings{&link, &MeterLink::readingReceived};
    QSignalSpy lost{&link, &MeterLink::linkLostNotice};
    QSignalSpy noData{&link, &MeterLink::noDataNotice};

    void SetUp() override {
        meter->setRandomSeed(7);
        link.setReconnectAutomatically(true);
        link.setReconnectPause(5ms);
    }
};

} // namespace

TEST_F(Reconnect, PulledCableIsWaitedForAndReadingsResumeWhenItReturns) {
    meter->unplugAfterPolls(4);
    meter->replugAfter(30ms);
    ASSERT_TRUE(LinkAndWait(link));
    ASSERT_TRUE(waitForCount(waiting, 1));
    EXPECT_TRUE(waiting.at(0).at(0).toBool());
    EXPECT_TRUE(link.isLinked());
    EXPECT_TRUE(link.isWaitingForCable());
    EXPECT_FALSE(link.readingValid());
    const int before = readings.count();

    ASSERT_TRUE(waitForCount(waiting, 2)) << "the cable came back";
    EXPECT_FALSE(waiting.at(1).at(0).toBool());
    ASSERT_TRUE(waitForCount(readings, before + 1));
    EXPECT_TRUE(link.readingValid());
    EXPECT_TRUE(link.isLinked());
    EXPECT_EQ(lost.count(), 0) << "no message while reconnecting";
    EXPECT_EQ(linked.count(), 1) << "the link never ended";

    // A second outage is waited for the same way.
    meter->unplugAfterPolls(2);
    ASSERT_TRUE(waitForCount(waiting, 4));
    EXPECT_EQ(lost.count(), 0);
    QSignalSpy stopped(&link, &MeterLink::stopped);
    link.unlink();
    ASSERT_TRUE(stopped.wait(5000));
    EXPECT_EQ(meter->openDevices(), 0);
}

TEST_F(Reconnect, SilentMeterIsWaitedForWithoutTheNotice) {
    meter->ignoreNextPolls(5);
    ASSERT_TRUE(LinkAndWait(link));
    ASSERT_TRUE(waitForCount(waiting, 2)) << "waited, then the meter answered again";
    ASSERT_TRUE(waitForCount(readings, 1));
    EXPECT_EQ(noData.count(), 0);
    EXPECT_EQ(lost.count(), 0);
    EXPECT_TRUE(link.isLinked());
}

TEST_F(Reconnect, UnlinkEndsTheWaitAtOnce) {
    // The cable never comes back and the pause between looks is long: an unlink
    // that waited for the pause would hang here.
    link.setReconnectPause(std::chrono::hours(1));
    meter->unplugAfterPolls(3);
    ASSERT_TRUE(LinkAndWait(link));
    ASSERT_TRUE(waitForCount(waiting, 1));
    QSignalSpy stopped(&link, &MeterLink::stopped);
    link.unlink();
    EXPECT_FALSE(link.isLinked());
    EXPECT_FALSE(link.isWaitingForCable());
    ASSERT_EQ(waiting.count(), 2);
    EXPECT_FALSE(waiting.at(1).at(0).toBool());
    EXPECT_EQ(lost.count(), 0);
    ASSERT_TRUE(stopped.wait(5000));
    EXPECT_EQ(meter->openDevices(), 0);
}

TEST_F(Reconnect, SwitchingItOffWhileWaitingEndsTheLinkAsALoss) {
    link.setReconnectPause(std::chrono::hours(1));
    meter->unplugAfterPolls(3);
    ASSERT_TRUE(LinkAndWait(link));
    ASSERT_TRUE(waitForCount(waiting, 1));
    link.setReconnectAutomatically(false);
    ASSERT_TRUE(waitForCount(linked, 2));
    EXPECT_EQ(lost.count(), 1) << "the lost link is reported as without reconnecting";
    EXPECT_FALSE(link.isLinked());
    EXPECT_FALSE(link.isWaitingForCable());
}

TEST(ReconnectOff, ALostCableStillEndsTheLinkWithTheMessage) {
    auto meter = std::make_shared<SimulatedMeter>(SimScenario::Demo, false);
    meter->unplugAfterPolls(3);
    meter->replugAfter(10s);
    CableAccess cable(meter);
    MeterLink link(cable);
    EXPECT_FALSE(link.reconnectsAutomatically());
    QSignalSpy lost(&link, &MeterLink::linkLostNotice);
    QSignalSpy waiting(&link, &MeterLink::waitingForCableChanged);
    ASSERT_TRUE(LinkAndWait(link));
    ASSERT_TRUE(waitForCount(lost, 1));
    EXPECT_FALSE(link.isLinked());
    EXPECT_EQ(waiting.count(), 0);
}
