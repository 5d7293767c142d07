// The acquisition thread against the simulated meter. In instant mode a silent
// meter times out at once, so the three failed polls take no real time.
#include "meter/AcquisitionWorker.h"
#include "sim/DisplayEncoder.h"
#include "sim/SimulatedMeter.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>

using namespace telmora;
using namespace std::chrono_literals;

namespace {

class KorrelThreadTest : public ::testing::Test {
protected:
    void use(SimScenario scenario, bool realTime = false) {
        m_meter = std::make_shared<SimulatedMeter>(scenario, realTime);
        SetCableBackend(m_meter);
    }
    void TearDown() override { SetCableBackend(nullptr); }

    // Waits (bounded) for the thread's last act and drops it, as the owner does.
    void endAndDrop(std::unique_ptr<AcquisitionWorker>& thread) {
        ASSERT_TRUE(m_state.AcquisitionEndedEvent.waitFor(10s)) << "the thread never ended";
        EXPECT_TRUE(thread->finished());
        thread.reset();
        EXPECT_EQ(m_meter->openDevices(), 0) << "a cable handle was left open";
    }

    static std::array<std::uint8_t, kDataBytes> dataOf(const DesiredReading& r) {
        const auto reply = EncodeDisplay(r);
        std::array<std::uint8_t, kDataBytes> data{};
        for (std::size_t k = 0; k < kDataBytes; ++k)
            data[k] = reply[1 + k + k / 8];
        return data;
    }

    SharedState m_state;
    std::shared_ptr<SimulatedMeter> m_meter;
};

} // namespace

TEST_F(KorrelThreadTest, SilentMeterGivesThreeFailedPollsOneNoticeThenLinkLost) {
    use(SimScenario::Silent);
    m_state.setReadingValid(true);
    std::atomic<int> notices{0};
    std::atomic<bool> lostBeforeNotice{false};
    std::atomic<bool> endedBeforeNotice{false};
    auto thread = std::make_unique<AcquisitionWorker>(
        [&] {
            ++notices;
            lostBeforeNotice = m_state.LinkLostEvent.isSet();
            endedBeforeNotice = m_state.AcquisitionEndedEvent.isSet();
        },
        m_state);
    endAndDrop(thread);
    EXPECT_EQ(m_meter->polls(), 3);
    EXPECT_EQ(notices.load(), 1);
    EXPECT_FALSE(lostBeforeNotice.load()) << "LinkLostEvent comes after the notice";
    EXPECT_FALSE(endedBeforeNotice.load());
    EXPECT_TRUE(m_state.LinkLostEvent.waitFor(0ms));
    EXPECT_FALSE(m_state.LinkLostEvent.waitFor(0ms)) << "exactly one LinkLostEvent";
    EXPECT_FALSE(m_state.readingValid());
    // Two reopen pauses between the three polls.
    EXPECT_EQ(m_meter->pauses(), (std::vector<std::chrono::milliseconds>{10ms, 10ms}));
}

TEST_F(KorrelThreadTest, AFailedPollFollowedByAGoodOneRecovers) {
    use(SimScenario::Demo);
    DesiredReading r;
    SetDisplayText("-1.234", r.main);
    r.main.code = 0x6;
    m_meter->setDisplayData(dataOf(r));
    m_meter->ignoreNextPolls(1);
    int notices = 0;
    auto thread = std::make_unique<AcquisitionWorker>([&] { ++notices; }, m_state);
    ASSERT_TRUE(m_state.NewReadingEvent.waitFor(10s));
    EXPECT_TRUE(m_state.readingValid());
    EXPECT_EQ(thread->retryCount(), 0);
    thread->Terminate();
    endAndDrop(thread);
    EXPECT_GE(m_meter->polls(), 2);
    EXPECT_EQ(notices, 0);
    EXPECT_FALSE(m_state.LinkLostEvent.isSet()) << "an unlink is no link loss";

    const LiveReading reading = m_state.copyReading();
    EXPECT_EQ(reading.mainText, "-1.234");
    EXPECT_EQ(reading.mainFunction, 0x6u);
    EXPECT_EQ(reading.mainModeLabel, "DC");
    EXPECT_EQ(reading.replyCopy[0], 0);
    EXPECT_EQ(reading.frameData[0], reading.replyCopy[2]) << "frame data start at D1";
}

TEST_F(KorrelThreadTest, UnpluggedCableEndsTheLinkWithoutTheNotice) {
    use(SimScenario::Demo);
    m_meter->unplugAfterPolls(3);
    int notices = 0;
    auto thread = std::make_unique<AcquisitionWorker>([&] { ++notices; }, m_state);
    endAndDrop(thread);
    EXPECT_EQ(notices, 0);
    EXPECT_TRUE(m_state.LinkLostEvent.isSet());
    EXPECT_FALSE(m_state.readingValid()) << "the recorder stops logging at the failed poll";
}

TEST_F(KorrelThreadTest, CableMissingAtStartEndsTheLinkAtOnce) {
    use(SimScenario::NoCable);
    int notices = 0;
    auto thread = std::make_unique<AcquisitionWorker>([&] { ++notices; }, m_state);
    endAndDrop(thread);
    EXPECT_EQ(notices, 0);
    EXPECT_TRUE(m_state.LinkLostEvent.isSet());
}

TEST_F(KorrelThreadTest, TerminateDuringARealTimeOutWaitsForThatPollOnly) {
    // A silent meter in real time: the thread sits in a 4 s wait when asked to end.
    use(SimScenario::Silent, true);
    int notices = 0;
    auto thread = std::make_unique<AcquisitionWorker>([&] { ++notices; }, m_state);
    std::this_thread::sleep_for(50ms);
    thread->Terminate();
    endAndDrop(thread);
    EXPECT_EQ(m_meter->polls(), 1);
    EXPECT_EQ(notices, 0);
    EXPECT_FALSE(m_state.LinkLostEvent.isSet());
}

TEST_F(KorrelThreadTest, DemoMeterReadingsArriveInTheSharedState) {
    use(SimScenario::Demo, true);
    auto thread = std::make_unique<AcquisitionWorker>(nullptr, m_state);
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(m_state.NewReadingEvent.waitFor(2s)) << "reading " << i;
    const LiveReading reading = m_state.copyReading();
    thread->Terminate();
    endAndDrop(thread);
    // The demo meter starts on DC volts around 12.34.
    EXPECT_EQ(reading.mainFunction, 0x6u);
    EXPECT_EQ(reading.mainUnitLabel, "V");
    EXPECT_EQ(reading.mainText.view().substr(0, 3), "12.");
    EXPECT_EQ(reading.lowBattery, 0);
}
