#pragma once

#include "sim/SimulatedMeterCore.h"

#include <atomic>
#include <condition_variable>
#include <memory>

namespace telmora {

// Splits 24 data bytes into `reports` (at most three) input reports with report
// number 0.
void QueueDataReports(std::deque<sim::Report>& out,
                      const std::array<std::uint8_t, kDataBytes>& data, int reports);

// A device a simulated meter opens: its cable, answering polls and memory commands
// as the meter would (in real time or at once), or a foreign HID interface that
// answers nothing.
class SimulatedCableDevice final : public CableDevice {
public:
    SimulatedCableDevice(std::shared_ptr<SimulatedMeter::Core> core, bool isCable)
        : m_core(std::move(core)), m_isCable(isCable) {}

    ~SimulatedCableDevice() override {
        std::lock_guard lock(m_core->lock);
        ++m_core->closes;
    }

    std::int32_t write(std::span<const std::uint8_t, kOutputReportSize> report,
                       std::chrono::milliseconds) override {
        std::lock_guard lock(m_core->lock);
        Core& c = *m_core;
        if (!m_isCable)
            return CableResult::Done; // nobody answers on a foreign interface
        if (c.unplugAfter >= 0 && c.answeredPolls >= c.unplugAfter)
            c.unplug();
        if (!c.cablePresent)
            return CableResult::Failed;
        c.commands.push_back({report[2], report[3]});
        if (!c.writeResults.empty()) {
            const std::int32_t result = c.writeResults.front();
            c.writeResults.pop_front();
            if (result != CableResult::Done)
                return result;
        }
        m_pending.clear();
        m_readyAt = Clock::now();
        if (report[2] == CommandByte(CableCommand::Poll) &&
            report[3] == CommandByte(CableCommand::PollArgument))
            answerPoll(c);
        else if (report[2] == CommandByte(CableCommand::MemoryGroup))
            answerMemoryCommand(c, report[3]);
        return CableResult::Done;
    }

    ReadOutcome read(std::span<std::uint8_t, kInputReportSize> report,
                     std::chrono::milliseconds timeout) override {
        if (m_cancelled.load())
            return {CableResult::Abandoned, 0};
        bool realTime = false;
        {
            std::lock_guard lock(m_core->lock);
            Core& c = *m_core;
            if (m_isCable && !c.cablePresent)
                return {CableResult::Failed, 0};
            if (!c.readResults.empty()) {
                auto [result, bytes] = c.readResults.front();
                c.readResults.pop_front();
                std::copy(bytes.begin(), bytes.end(), report.begin());
                return {result, result == CableResult::Done ? kInputReportSize : 0};
            }
            realTime = c.realTime;
        }
        if (m_pending.empty()) {
            if (realTime && !waitUnlessCancelled(timeout))
                return {CableResult::Abandoned, 0};
            return {CableResult::TimedOut, 0};
        }
        if (realTime) {
            const auto wait = m_readyAt - Clock::now();
            if (wait > timeout) {
                if (!waitUnlessCancelled(timeout))
                    return {CableResult::Abandoned, 0};
                return {CableResult::TimedOut, 0};
            }
            if (wait > Clock::duration::zero() && !waitUnlessCancelled(wait))
                return {CableResult::Abandoned, 0};
        }
        {
            // Unplugged while the reply was on its way.
            std::lock_guard lock(m_core->lock);
            if (!m_core->cablePresent)
                return {CableResult::Failed, 0};
        }
        std::copy(m_pending.front().begin(), m_pending.front().end(), report.begin());
        m_pending.pop_front();
        return {CableResult::Done, kInputReportSize};
    }

    void cancel() override {}

    void cancelReads() override {
        {
            std::lock_guard lock(m_cancelLock);
            m_cancelled = true;
        }
        m_cancelWake.notify_all();
    }

    std::optional<HidAttributes> attributes() override {
        std::lock_guard lock(m_core->lock);
        if (!m_isCable)
            return HidAttributes{sim::kForeignVendor, 0xC31C, 0x0110};
        if (!m_core->cablePresent)
            return std::nullopt;
        return HidAttributes{kCableVendorId, kCableProductId, m_core->versionNumber};
    }

    std::optional<std::array<std::uint8_t, kSerialBytes>> serialNumber() override {
        std::lock_guard lock(m_core->lock);
        if (!m_isCable || !m_core->cablePresent || !m_core->serialReadable)
            return std::nullopt;
        return m_core->serial;
    }

private:
    using Core = SimulatedMeter::Core;
    using Report = sim::Report;
    using Clock = sim::Clock;

    void answerPoll(Core& c) {
        ++c.polls;
        if (!c.meterOn)
            return;
        if (c.ignorePolls > 0) {
            --c.ignorePolls;
            return;
        }
        int reports = 3;
        if (c.cutReplies > 0) {
            --c.cutReplies;
            reports = c.cutReports;
        } else if (c.scenario == SimScenario::Flaky && c.rng() % 12 == 0) {
            reports = 1 + static_cast<int>(c.rng() % 2);
        }
        QueueDataReports(m_pending, c.displayNow(), reports);
        ++c.answeredPolls;
        // A real meter takes 100 to 250 ms to answer.
        const std::chrono::milliseconds replyTime(100 + c.rng() % 151);
        if (c.realTime)
            m_readyAt = Clock::now() + replyTime;
        else
            c.virtualClock += replyTime;
    }

    void answerMemoryCommand(Core& c, std::uint8_t command) {
        switch (static_cast<CableCommand>(command)) {
        case CableCommand::MemoryHeader:
            c.memoryPosition = 0;
            break;
        case CableCommand::NextBlock:
            c.memoryPosition += kDataBytes;
            break;
        case CableCommand::RepeatBlock:
            break;
        default:
            return;
        }
        if (!c.meterOn)
            return;
        if (c.ignoreMemory > 0) {
            --c.ignoreMemory;
            return;
        }
        std::array<std::uint8_t, kDataBytes> block{};
        if (c.memoryPosition < c.memory.size()) {
            const std::size_t n = std::min(kDataBytes, c.memory.size() - c.memoryPosition);
            std::memcpy(block.data(), c.memory.data() + c.memoryPosition, n);
        }
        unsigned sum = 0;
        for (std::uint8_t b : block)
            sum += b;
        bool corrupt = false;
        if (c.corruptSums > 0) {
            --c.corruptSums;
            corrupt = true;
        } else if (c.scenario == SimScenario::Flaky &&
                   command == CommandByte(CableCommand::NextBlock) && c.rng() % 10 == 0) {
            // Only the first attempt at a block goes wrong, so a download always succeeds.
            corrupt = true;
        }
        if (corrupt)
            sum += 1 + c.rng() % 200;
        // Now and then the flaky cable delivers a block cut short: a report or two
        // and no checksum.
        if (c.scenario == SimScenario::Flaky && command == CommandByte(CableCommand::NextBlock) &&
            c.rng() % 40 == 0) {
            QueueDataReports(m_pending, block, 1 + static_cast<int>(c.rng() % 2));
            if (c.realTime)
                m_readyAt = Clock::now() + std::chrono::milliseconds(5);
            return;
        }
        QueueDataReports(m_pending, block, 3);
        Report trailer{};
        trailer[1] = static_cast<std::uint8_t>(sum & 0xFF);
        trailer[2] = static_cast<std::uint8_t>((sum >> 8) & 0xFF);
        m_pending.push_back(trailer);
        if (c.realTime)
            m_readyAt = Clock::now() + std::chrono::milliseconds(5);
    }

    // Waits as a real read would; false when the reads were cancelled meanwhile.
    template <class Duration> bool waitUnlessCancelled(Duration duration) {
        std::unique_lock lock(m_cancelLock);
        return !m_cancelWake.wait_for(lock, duration, [this] { return m_cancelled.load(); });
    }

    std::shared_ptr<Core> m_core;
    bool m_isCable;
    std::deque<Report> m_pending;
    Clock::time_point m_readyAt = Clock::now();
    std::mutex m_cancelLock;
    std::condition_variable m_cancelWake;
    std::atomic<bool> m_cancelled{false};
};

} // namespace telmora
