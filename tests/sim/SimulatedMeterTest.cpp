// The simulated meter: scenarios, its demo readings and its logger memory.
#include "sim/SimulatedMeter.h"
#include "meter/CableProtocol.h"
#include "meter/HidapiBackend.h"
#include "model/decode.h"
#include "sim/DemoLoggerMemory.h"
#include "sim/DemoReadings.h"

#include <gtest/gtest.h>

#include <set>

using namespace telmora;

namespace {

LiveReading decodeDemo(double seconds, bool lowBattery = false) {
    LiveReading r;
    DecodeForDisplay(DemoDisplayData(seconds, 12345, lowBattery), r);
    return r;
}

} // namespace

TEST(SimulateOption, ChoosesTheBackend) {
    const char* argv1[] = {"telmora", "-x", "--simulate=flaky"};
    EXPECT_EQ(FindSimulateOption(3, argv1), "--simulate=flaky");
    const char* argv2[] = {"telmora", "--simulated"};
    EXPECT_EQ(FindSimulateOption(2, argv2), "");

    EXPECT_NE(dynamic_cast<HidapiBackend*>(MakeCableBackend("").get()), nullptr);
    EXPECT_NE(dynamic_cast<SimulatedMeter*>(MakeCableBackend("--simulate").get()), nullptr);
    for (const char* name : {"demo", "silent", "nocable", "unplug", "lowbatt", "flaky"}) {
        EXPECT_NE(MakeCableBackend(std::string("--simulate=") + name), nullptr) << name;
        EXPECT_EQ(SimScenarioName(*ParseSimScenario(name)), name);
    }
    std::string error;
    EXPECT_EQ(MakeCableBackend("--simulate=broken", &error), nullptr);
    EXPECT_NE(error.find("broken"), std::string::npos);
}

TEST(DemoReadings, StepThroughTheMeterFunctions) {
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
        const LiveReading r = decodeDemo(e.seconds);
        EXPECT_EQ(r.mainFunction, e.function) << e.seconds;
        EXPECT_EQ(r.mainPrefixLabel, e.prefix) << e.seconds;
        EXPECT_EQ(r.mainUnitLabel, e.unit) << e.seconds;
        EXPECT_EQ(r.mainText.view().find('?'), std::string_view::npos) << r.mainText.view();
        EXPECT_EQ(r.lowBattery, 0);
    }
    EXPECT_EQ(decodeDemo(6.0).subFunction, 0x400u) << "AC volts carry the frequency";
    EXPECT_EQ(decodeDemo(6.0).subDisplayLine.part2, "Hz");
    EXPECT_EQ(decodeDemo(14.0).mainText, " 0.L ") << "the open-probe overload";
    EXPECT_EQ(decodeDemo(16.0).mainText.view().back(), 'C');
    EXPECT_EQ(decodeDemo(1.0, true).lowBattery, 1);
    EXPECT_EQ(decodeDemo(1.0, true).mainFunction, 0x6u);
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
    {
        auto meter = std::make_shared<SimulatedMeter>(SimScenario::Unplug, false);
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
        LiveReading r;
        DecodeReply(std::span<const std::uint8_t, kReplySize>(reply.data(), kReplySize), r);
        EXPECT_EQ(r.lowBattery, 1);
    }
}
