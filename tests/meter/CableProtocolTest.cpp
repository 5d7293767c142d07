// Cable operations against the simulated meter in its instant mode: programmed
// results arrive at once and pauses are only recorded.
#include "meter/CableProtocol.h"
#include "sim/DemoLoggerMemory.h"
#include "sim/SimulatedMeter.h"

#include <gtest/gtest.h>

#include <memory>

using namespace telmora;
using namespace std::chrono_literals;
using Command = std::array<std::uint8_t, 2>;

namespace {

class CableAccessTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_meter = std::make_shared<SimulatedMeter>(SimScenario::Demo, false);
        m_meter->setForeignInterfaces(0);
    }

    std::array<std::uint8_t, kDataBytes> pattern() const {
        std::array<std::uint8_t, kDataBytes> data{};
        for (std::size_t k = 0; k < data.size(); ++k)
            data[k] = static_cast<std::uint8_t>(0x10 + k);
        return data;
    }

    std::shared_ptr<SimulatedMeter> m_meter;
};

} // namespace

TEST_F(CableAccessTest, OpenCableClosesEveryInterfaceThatIsNotTheCable) {
    m_meter->setForeignInterfaces(5);
    m_meter->setCablePresent(false);
    EXPECT_FALSE(OpenCable(*m_meter).valid());
    EXPECT_EQ(m_meter->opens(), 5);
    EXPECT_EQ(m_meter->openDevices(), 0);

    m_meter->setCablePresent(true);
    {
        CableHandle h = OpenCable(*m_meter);
        ASSERT_TRUE(h.valid());
        EXPECT_EQ(m_meter->opens(), 5 + 6);
        EXPECT_EQ(m_meter->openDevices(), 1) << "only the cable stays open";
    }
    EXPECT_EQ(m_meter->openDevices(), 0) << "the handle closes the cable when it goes";
}

TEST_F(CableAccessTest, CableAtNumberZeroIsTakenWithoutLookingFurther) {
    m_meter->setForeignInterfaces(0);
    CableHandle h = OpenCable(*m_meter);
    ASSERT_TRUE(h.valid());
    EXPECT_EQ(m_meter->opens(), 1);
    EXPECT_FALSE(OpenHidInterface(*m_meter, 1).valid());
    EXPECT_FALSE(OpenHidInterface(*m_meter, -1).valid());
}

TEST_F(CableAccessTest, OnlyTwentyInterfaceNumbersAreSearched) {
    m_meter->setForeignInterfaces(20); // the cable would be number 20
    EXPECT_FALSE(OpenCable(*m_meter).valid());
    EXPECT_EQ(m_meter->openDevices(), 0);
}

TEST_F(CableAccessTest, PollResultCodes) {
    m_meter->setDisplayData(pattern());
    m_meter->setStatusByte(0x52);
    CableHandle h = OpenCable(*m_meter);
    ASSERT_TRUE(h.valid());
    PollBuffer reply{};

    ASSERT_EQ(PollMeter(h, reply), CableResult::Done);
    for (std::size_t k = 0; k < kDataBytes; ++k) {
        const std::uint8_t expected = k == 19 ? 0x52 : static_cast<std::uint8_t>(0x10 + k);
        EXPECT_EQ(reply[DataByteIndex(k)], expected) << "D" << k;
    }
    EXPECT_EQ(reply[0], 0);
    EXPECT_EQ(reply[9], 0);
    EXPECT_EQ(reply[18], 0);

    m_meter->cutNextReplies(1, 2);
    EXPECT_EQ(PollMeter(h, reply), CableResult::ShortReply);
    m_meter->setMeterOn(false);
    EXPECT_EQ(PollMeter(h, reply), CableResult::NoReply);
    m_meter->setMeterOn(true);

    // A write that is not accepted ends the exchange with its own result.
    m_meter->queueWriteResult(CableResult::TimedOut);
    EXPECT_EQ(PollMeter(h, reply), CableResult::TimedOut);
    // Abandoned and failed reads give their codes.
    m_meter->queueReadResult(CableResult::Abandoned);
    EXPECT_EQ(PollMeter(h, reply), CableResult::Abandoned);
    m_meter->queueReadResult(CableResult::Failed);
    EXPECT_EQ(PollMeter(h, reply), CableResult::Failed);

    CableHandle none;
    EXPECT_EQ(PollMeter(none, reply), CableResult::Failed);
    EXPECT_EQ(SendCableCommand(none, 0x52, 0x88), CableResult::Failed);

    // Unplugged: the open handle fails.
    m_meter->setCablePresent(false);
    EXPECT_EQ(PollMeter(h, reply), CableResult::Failed);
}

TEST_F(CableAccessTest, MemoryStatusIsNormalised) {
    CableHandle h = OpenCable(*m_meter);
    ASSERT_TRUE(h.valid());
    const std::pair<std::uint8_t, std::uint8_t> cases[] = {
        {0xF3, 0x82}, {0x52, 0x52}, {0x17, 0x17}, {0xFF, 0x82}, {0xF7, 0x82},
        {0xF1, 0x82}, {0xF0, 0x82}, {0xE0, 0x82}, {0xC0, 0x82}, {0x80, 0x82},
        {0x00, 0x82}, {0x82, 0x82}, {0xF2, 0xF2}};
    for (auto [d19, expected] : cases) {
        m_meter->setStatusByte(d19);
        std::uint8_t status = 0xAA;
        ASSERT_EQ(QueryMemoryStatus(h, status), CableResult::Done);
        EXPECT_EQ(status, expected) << std::hex << int(d19);
    }
    m_meter->setMeterOn(false);
    std::uint8_t status = 0xAA;
    EXPECT_EQ(QueryMemoryStatus(h, status), CableResult::NoReply);
    EXPECT_EQ(status, 0xAA) << "a failed query leaves the status alone";
}

TEST_F(CableAccessTest, BlockChecksumErrorsAreRetriedWithTheRepeatCommand) {
    const std::vector<std::uint8_t> memory = DemoLoggerImage();
    MemoryBlock block{};
    ASSERT_EQ(ReadMemoryHeader(*m_meter, block), CableResult::Done);
    EXPECT_TRUE(std::equal(block.begin(), block.end(), memory.begin()));

    m_meter->corruptNextChecksums(2);
    const int opensBefore = m_meter->opens();
    const std::size_t commandsBefore = m_meter->commands().size();
    const std::size_t pausesBefore = m_meter->pauses().size();
    ASSERT_EQ(ReadMemoryBlock(*m_meter, block), CableResult::Done);
    EXPECT_TRUE(std::equal(block.begin(), block.end(), memory.begin() + 24));

    const auto commands = m_meter->commands();
    ASSERT_EQ(commands.size() - commandsBefore, 3u);
    EXPECT_EQ(commands[commandsBefore], (Command{0x52, 0x89}));
    EXPECT_EQ(commands[commandsBefore + 1], (Command{0x52, 0x8A}));
    EXPECT_EQ(commands[commandsBefore + 2], (Command{0x52, 0x8A}));
    EXPECT_EQ(m_meter->opens() - opensBefore, 3) << "every attempt opens the cable afresh";
    EXPECT_EQ(m_meter->openDevices(), 0);
    const auto pauses = m_meter->pauses();
    EXPECT_EQ(std::vector(pauses.begin() + pausesBefore, pauses.end()),
              (std::vector<std::chrono::milliseconds>{10ms, 10ms}));
}

TEST_F(CableAccessTest, BlockGivesUpAfterFourBadAttempts) {
    MemoryBlock block{};
    m_meter->corruptNextChecksums(4);
    EXPECT_EQ(ReadMemoryBlock(*m_meter, block), CableResult::TimedOut);
    EXPECT_EQ(m_meter->commands().size(), 4u);
    EXPECT_EQ(m_meter->pauses(), (std::vector<std::chrono::milliseconds>{10ms, 10ms, 10ms, 1ms}));
    EXPECT_EQ(m_meter->openDevices(), 0);
}

TEST_F(CableAccessTest, HeaderGivesUpAfterThreeTimeOuts) {
    MemoryBlock block{};
    m_meter->ignoreNextMemoryCommands(3);
    EXPECT_EQ(ReadMemoryHeader(*m_meter, block), CableResult::TimedOut);
    EXPECT_EQ(m_meter->commands(),
              (std::vector<Command>{{0x52, 0x88}, {0x52, 0x88}, {0x52, 0x88}}));
    EXPECT_EQ(m_meter->pauses(),
              (std::vector<std::chrono::milliseconds>{200ms, 10ms, 200ms, 10ms, 200ms, 1ms}));
    EXPECT_EQ(m_meter->opens(), 3);
    EXPECT_EQ(m_meter->openDevices(), 0);
}

TEST_F(CableAccessTest, MemoryReadsWithoutRetryWhereNoRetryIsDue) {
    MemoryBlock block{};
    // A rejected command ends the read at once.
    m_meter->queueWriteResult(CableResult::TimedOut);
    EXPECT_EQ(ReadMemoryHeader(*m_meter, block), CableResult::TimedOut);
    EXPECT_EQ(m_meter->commands().size(), 1u);
    // A failed read is not a time-out: no retry either.
    m_meter->queueReadResult(CableResult::Failed);
    EXPECT_EQ(ReadMemoryBlock(*m_meter, block), CableResult::Failed);
    EXPECT_EQ(m_meter->commands().size(), 2u);
    // A stray report ahead of the block spoils the checksum; the retry succeeds.
    m_meter->queueReadResult(CableResult::Done, {0, 1, 2, 3, 4, 5, 6, 7, 8});
    EXPECT_EQ(ReadMemoryBlock(*m_meter, block), CableResult::Done);
    EXPECT_EQ(m_meter->openDevices(), 0);
    // No cable.
    m_meter->setCablePresent(false);
    EXPECT_EQ(ReadMemoryHeader(*m_meter, block), CableResult::Failed);
    EXPECT_EQ(ReadMemoryBlock(*m_meter, block), CableResult::Failed);
}

TEST_F(CableAccessTest, ReadReportsStopsAtTheFirstFailedWaitAndNeverOverrunsTheBuffer) {
    CableHandle h = OpenCable(*m_meter);
    ASSERT_TRUE(h.valid());
    std::array<std::uint8_t, 27> reply{};
    m_meter->queueReadResult(CableResult::Done, {0, 1, 1, 1, 1, 1, 1, 1, 1});
    m_meter->queueReadResult(CableResult::TimedOut);
    EXPECT_EQ(ReadReports(h, reply, 27), CableResult::TimedOut);
    EXPECT_EQ(reply[1], 1);
    EXPECT_EQ(reply[10], 0);

    std::array<std::uint8_t, 5> small{};
    m_meter->queueReadResult(CableResult::Done, {9, 9, 9, 9, 9, 9, 9, 9, 9});
    EXPECT_EQ(ReadReports(h, std::span(small), 5), CableResult::Done);
    EXPECT_EQ(small, (std::array<std::uint8_t, 5>{9, 9, 9, 9, 9}));
}

TEST_F(CableAccessTest, CableIdentity) {
    m_meter->setCableIdentity(0x0105, {1, 2, 3, 4, 5, 6, 7, 8});
    CableHandle h = OpenCable(*m_meter);
    ASSERT_TRUE(h.valid());
    CableIdentity id = QueryCableIdentity(h);
    EXPECT_TRUE(id.attributesOk);
    EXPECT_EQ(id.vendorId, kCableVendorId);
    EXPECT_EQ(id.productId, kCableProductId);
    EXPECT_EQ(id.versionNumber, 0x0105);
    EXPECT_TRUE(id.serialOk);
    EXPECT_EQ(id.serial, (std::array<std::uint8_t, 8>{1, 2, 3, 4, 5, 6, 7, 8}));

    m_meter->setCableIdentity(0x0200, {}, false);
    id = QueryCableIdentity(h);
    EXPECT_TRUE(id.attributesOk);
    EXPECT_FALSE(id.serialOk);

    CableHandle none;
    id = QueryCableIdentity(none);
    EXPECT_FALSE(id.attributesOk);
    EXPECT_FALSE(id.serialOk);
}
