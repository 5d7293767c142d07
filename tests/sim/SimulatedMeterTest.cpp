// The simulated meter: scenarios, its demo readings and its logger memory.
#include "sim/SimulatedMeter.h"
#include "meter/CableProtocol.h"
#include "model/decode.h"
#include "sim/DemoLoggerMemory.h"
#include "sim/DemoReadings.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <optional>
#include <set>

using namespace telmora;

namespace {

DecodedReply decodeCycle(double seconds, bool lowBattery = false) {
    DecodedReply r;
    DecodeForDisplay(CycleDisplayData(seconds, 12345, lowBattery), r);
    return r;
}

// The number a display shows ("63.8C" gives 63.8, "- 5.12" -5.12); nothing for
// an overload.
std::optional<double> shownNumber(std::string_view shown) {
    std::string text;
    for (char c : shown)
        if (c != ' ' && c != 'C')
            text += c;
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

struct TimedReading {
    double seconds; // the meter's clock when it was asked
    DecodedReply reading;
};

// Polls `meter` until its clock has passed `seconds`.
std::vector<TimedReading> pollFor(SimulatedMeter& meter, double seconds) {
    CableHandle cable = OpenCable(meter);
    std::vector<TimedReading> readings;
    while (meter.clockSeconds() < seconds) {
        PollBuffer reply{};
        const double now = meter.clockSeconds();
        if (PollMeter(cable, reply) != CableResult::Done)
            break;
        DecodedReply r;
        DecodeReply(std::span<const std::uint8_t, kReplySize>(reply.data(), kReplySize), r);
        readings.push_back({now, r});
    }
    return readings;
}

} // namespace

TEST(CycleReadings, StepThroughTheMeterFunctionsQuickly) {
    struct Expect {
        double seconds;
        std::uint32_t function;
        std::string_view prefix;
        std::string_view unit;
    };
    const Expect cases[] = {
        {1.0, 0x6, "", "V"},       {6.0, 0x5, "", "V"},   {11.0, 0x80, "k", "W"},
        {16.0, 0x8020, "", ""},    {21.0, 0x8, "n", "F"}, {26.0, 0x202, "m", "A"},
        {31.0, 0x2000, "m", "dB"}, {36.0, 0x6, "", "V"},
    };
    for (const Expect& e : cases) {
        const DecodedReply r = decodeCycle(e.seconds);
        EXPECT_EQ(r.main.functionCode(), e.function) << e.seconds;
        EXPECT_EQ(r.main.prefixLabel, e.prefix) << e.seconds;
        EXPECT_EQ(r.main.unitLabel, e.unit) << e.seconds;
        EXPECT_EQ(r.main.text.view().find('?'), std::string_view::npos) << r.main.text.view();
        EXPECT_EQ(r.lowBattery, 0);
    }
    EXPECT_EQ(decodeCycle(6.0).sub.functionCode(), 0x400u) << "AC volts carry the frequency";
    EXPECT_EQ(decodeCycle(6.0).sub.line.part2, "Hz");
    EXPECT_EQ(decodeCycle(14.0).main.text, " 0.L ") << "the open-probe overload";
    EXPECT_EQ(decodeCycle(16.0).main.text.view().back(), 'C');
    EXPECT_EQ(decodeCycle(1.0, true).lowBattery, 1);
    EXPECT_EQ(decodeCycle(1.0, true).main.functionCode(), 0x6u);
}

// One minute of the demo meter: the function it shows, the range its readings
// stay in and the largest step between two readings in a row.
struct DemoMinute {
    std::uint32_t function;
    std::string_view prefix;
    std::string_view unit;
    double low;
    double high;
    double maxStep;
};

TEST(DemoMeter, HoldsEachFunctionForAMinuteWithSlowlyChangingReadings) {
    using F = MeterFunction;
    const auto code = [](F f) { return FunctionCodeOf(f); };
    const DemoMinute minutes[] = {
        {code(F::VoltsDc), "", "V", 1.45, 1.55, 0.005},
        {code(F::VoltsAc), "", "V", 226.0, 234.0, 0.6},
        {code(F::Resistance), "k", "W", 4.69, 4.80, 0.005},
        {code(F::TemperatureT1Celsius), "", "", 20.0, 65.0, 1.2},
        {code(F::Capacitance), "n", "F", 46.7, 47.2, 0.05},
        {code(F::CurrentDc), "m", "A", 17.0, 42.1, 0.3},
        {code(F::DecibelMilliwatt), "m", "dB", -8.5, -3.5, 0.3},
    };
    SimulatedMeter meter(SimScenario::Demo, false);
    const std::vector<TimedReading> readings = pollFor(meter, 7 * kDemoSecondsPerFunction);
    ASSERT_GT(readings.size(), 1600u) << "one reply every 100 to 250 ms";

    std::size_t i = 0;
    for (const DemoMinute& minute : minutes) {
        SCOPED_TRACE(minute.function);
        const std::size_t first = i;
        int overloads = 0;
        bool afterNumber = false;
        double previous = 0;
        for (; i < readings.size() && readings[i].reading.main.functionCode() == minute.function;
             ++i) {
            const DecodedReply& r = readings[i].reading;
            EXPECT_EQ(r.main.prefixLabel, minute.prefix);
            EXPECT_EQ(r.main.unitLabel, minute.unit);
            const std::optional<double> value = shownNumber(r.main.text.view());
            if (!value) {
                EXPECT_EQ(r.main.text, " 0.L ");
                overloads += afterNumber ? 1 : 0;
                afterNumber = false;
                continue;
            }
            EXPECT_GE(*value, minute.low) << readings[i].seconds;
            EXPECT_LE(*value, minute.high) << readings[i].seconds;
            if (afterNumber) {
                EXPECT_LE(std::fabs(*value - previous), minute.maxStep) << readings[i].seconds;
            }
            previous = *value;
            afterNumber = true;
        }
        ASSERT_GT(i, first + 1);
        const double held = readings[i - 1].seconds - readings[first].seconds;
        EXPECT_GT(held, 59.0);
        EXPECT_LT(held, 60.0);
        EXPECT_EQ(overloads, minute.function == code(F::Resistance) ? 1 : 0)
            << "the probes slip once";
    }
    EXPECT_EQ(i, readings.size()) << "then the first function again";

    const auto readingAt = [&](double seconds) {
        for (const TimedReading& r : readings)
            if (r.seconds >= seconds)
                return r.reading;
        return DecodedReply();
    };
    const auto valueAt = [&](double seconds) {
        return shownNumber(readingAt(seconds).main.text.view()).value_or(0);
    };
    EXPECT_GT(valueAt(0), valueAt(59) + 0.02) << "the battery discharges";
    EXPECT_LT(valueAt(180), 25.0) << "the temperature starts cool";
    EXPECT_GT(valueAt(225), 60.0) << "rises";
    EXPECT_NEAR(valueAt(225), valueAt(239), 0.6) << "and settles";
    EXPECT_EQ(readingAt(90).sub.unitLabel, "Hz") << "the mains frequency";
    EXPECT_NEAR(shownNumber(readingAt(90).sub.text.view()).value_or(0), 50.0, 0.05);
}

TEST(DemoMeter, RepliesTakeRealisticTimesAndRepeatForTheSameSeed) {
    const auto replies = [](std::uint32_t seed, SimScenario scenario) {
        SimulatedMeter meter(scenario, false);
        meter.setRandomSeed(seed);
        std::vector<std::string> texts;
        for (const TimedReading& r : pollFor(meter, 20))
            texts.push_back(std::to_string(r.seconds) + r.reading.main.text.str());
        return texts;
    };
    EXPECT_EQ(replies(7, SimScenario::Demo), replies(7, SimScenario::Demo));
    EXPECT_NE(replies(7, SimScenario::Demo), replies(8, SimScenario::Demo));
    EXPECT_EQ(replies(3, SimScenario::Cycle), replies(3, SimScenario::Cycle));

    SimulatedMeter meter(SimScenario::Demo, false);
    const std::vector<TimedReading> readings = pollFor(meter, 30);
    for (std::size_t i = 1; i < readings.size(); ++i) {
        const double replyTime = readings[i].seconds - readings[i - 1].seconds;
        EXPECT_GE(replyTime, 0.0999);
        EXPECT_LE(replyTime, 0.2501);
    }
}

TEST(DemoMeter, MemoryHoldsSessionsOfSeveralTypesOneLongerThanAGraph) {
    const std::vector<LoggerSession> sessions = DemoLoggerSessions();
    std::set<std::uint8_t> types;
    std::size_t longest = 0;
    for (const LoggerSession& s : sessions) {
        types.insert(s.type);
        longest = std::max(longest, s.main.size());
    }
    EXPECT_GE(types.size(), 5u);
    EXPECT_GT(longest, 8192u);
}

TEST(SimulatedMeter, WholeDemoMemoryDownloadsIntact) {
    for (SimScenario scenario : {SimScenario::Demo, SimScenario::Flaky}) {
        auto meter = std::make_shared<SimulatedMeter>(scenario, false);
        const std::vector<std::uint8_t> memory = DemoLoggerImage();
        std::vector<std::uint8_t> copy;
        MemoryBlock block{};
        ASSERT_EQ(ReadMemoryHeader(*meter, block), CableResult::Done);
        copy.insert(copy.end(), block.begin(), block.end());
        const std::size_t length = block[1] | (block[2] << 8) | (block[3] << 16);
        while (copy.size() < length) {
            ASSERT_EQ(ReadMemoryBlock(*meter, block), CableResult::Done) << copy.size();
            copy.insert(copy.end(), block.begin(), block.end());
        }
        EXPECT_EQ(copy, memory);
        EXPECT_EQ(meter->openDevices(), 0);
        CableHandle h = OpenCable(*meter);
        std::uint8_t status = 0;
        if (scenario == SimScenario::Demo) {
            ASSERT_EQ(QueryMemoryStatus(h, status), CableResult::Done);
            EXPECT_EQ(status, MemoryStatus::LoggerReady);
        }
    }
}

TEST(SimulatedMeter, ScenariosMisbehaveAsNamed) {
    PollBuffer reply{};
    {
        auto meter = std::make_shared<SimulatedMeter>(SimScenario::NoCable, false);
        EXPECT_FALSE(OpenCable(*meter).valid());
    }
    {
        auto meter = std::make_shared<SimulatedMeter>(SimScenario::Silent, false);
        CableHandle h = OpenCable(*meter);
        ASSERT_TRUE(h.valid());
        EXPECT_EQ(PollMeter(h, reply), CableResult::NoReply);
    }
    for (SimScenario scenario : {SimScenario::Unplug, SimScenario::Replug}) {
        auto meter = std::make_shared<SimulatedMeter>(scenario, false);
        CableHandle h = OpenCable(*meter);
        int good = 0;
        while (PollMeter(h, reply) == CableResult::Done && good < 1000)
            ++good;
        EXPECT_GT(good, 5);
        EXPECT_LT(good, 1000);
        EXPECT_FALSE(OpenCable(*meter).valid()) << "the cable is gone";
    }
    {
        auto meter = std::make_shared<SimulatedMeter>(SimScenario::Flaky, false);
        CableHandle h = OpenCable(*meter);
        std::set<std::int32_t> results;
        for (int i = 0; i < 200; ++i)
            results.insert(PollMeter(h, reply));
        EXPECT_EQ(results, (std::set<std::int32_t>{CableResult::Done, CableResult::ShortReply}));
    }
    {
        auto meter = std::make_shared<SimulatedMeter>(SimScenario::LowBatt, false);
        CableHandle h = OpenCable(*meter);
        ASSERT_EQ(PollMeter(h, reply), CableResult::Done);
        DecodedReply r;
        DecodeReply(std::span<const std::uint8_t, kReplySize>(reply.data(), kReplySize), r);
        EXPECT_EQ(r.lowBattery, 1);
    }
}
