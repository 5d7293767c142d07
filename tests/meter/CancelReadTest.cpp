// Ending a link while its worker waits in a read: the read is cancelled, so the
// unlink returns at once and the link reports the worker's end by signal.
#include "LinkWaits.h"
#include "meter/CableAccess.h"
#include "meter/CableResult.h"
#include "meter/MeterLink.h"
#include "sim/SimulatedMeter.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>

using namespace telmora;
using namespace std::chrono_literals;

namespace {

// A simulated cable that tells the test when a read has begun to wait.
class ReadLatchMeter final : public CableBackend {
public:
    explicit ReadLatchMeter(std::shared_ptr<SimulatedMeter> meter) : m_meter(std::move(meter)) {}

    std::vector<HidInterfaceInfo> interfaces() override { return m_meter->interfaces(); }
    std::unique_ptr<CableDevice> open(const std::string& path) override {
        std::unique_ptr<CableDevice> device = m_meter->open(path);
        return device ? std::make_unique<Device>(*this, std::move(device)) : nullptr;
    }
    void pause(std::chrono::milliseconds d) override { m_meter->pause(d); }

    // Blocks until a read waits.
    void waitForRead() {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_reading; });
    }

private:
    class Device final : public CableDevice {
    public:
        Device(ReadLatchMeter& owner, std::unique_ptr<CableDevice> inner)
            : m_owner(owner), m_inner(std::move(inner)) {}
        std::int32_t write(std::span<const std::uint8_t, kOutputReportSize> report,
                           std::chrono::milliseconds timeout) override {
            return m_inner->write(report, timeout);
        }
        ReadOutcome read(std::span<std::uint8_t, kInputReportSize> report,
                         std::chrono::milliseconds timeout) override {
            {
                std::lock_guard lock(m_owner.m_mutex);
                m_owner.m_reading = true;
            }
            m_owner.m_changed.notify_all();
            return m_inner->read(report, timeout);
        }
        void cancel() override { m_inner->cancel(); }
        void cancelReads() override { m_inner->cancelReads(); }
        std::optional<HidAttributes> attributes() override { return m_inner->attributes(); }
        std::optional<std::array<std::uint8_t, kSerialBytes>> serialNumber() override {
            return m_inner->serialNumber();
        }

    private:
        ReadLatchMeter& m_owner;
        std::unique_ptr<CableDevice> m_inner;
    };

    std::shared_ptr<SimulatedMeter> m_meter;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_reading = false;
};

} // namespace

TEST(MeterLink, UnlinkCancelsAPendingReadAndReportsTheStopBySignal) {
    // A switched-off meter in real time: every read waits the whole reply time-out.
    auto meter = std::make_shared<SimulatedMeter>(SimScenario::Silent, true);
    auto latch = std::make_shared<ReadLatchMeter>(meter);
    CableAccess cable(latch);
    MeterLink link(cable);
    QSignalSpy stopped(&link, &MeterLink::stopped);
    QSignalSpy linked(&link, &MeterLink::linkedChanged);
    ASSERT_TRUE(LinkAndWait(link));
    latch->waitForRead();

    const auto start = std::chrono::steady_clock::now();
    link.unlink();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 200ms) << "unlink waits for nothing";
    EXPECT_FALSE(link.isLinked());
    ASSERT_EQ(linked.count(), 2);
    EXPECT_TRUE(link.isStopping());

    ASSERT_TRUE(stopped.wait(2000));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 2s) << "the read did not run out";
    EXPECT_FALSE(link.isStopping());
    EXPECT_EQ(meter->openDevices(), 0) << "the worker closed its cable";
    EXPECT_EQ(stopped.count(), 1);

    // The cable is free for the next link.
    ASSERT_TRUE(LinkAndWait(link));
    link.unlink();
    ASSERT_TRUE(stopped.wait(2000));
}

TEST(SimulatedCable, CancelledReadsEndAtOnce) {
    SimulatedMeter meter(SimScenario::Silent, true);
    std::unique_ptr<CableDevice> device = meter.open(meter.interfaces().back().path);
    ASSERT_NE(device, nullptr);
    device->cancelReads();
    std::array<std::uint8_t, kInputReportSize> report{};
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(device->read(report, 4000ms).result, CableResult::Abandoned);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 100ms);
}
