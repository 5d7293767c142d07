// The cable backend chosen by the command line: the real cable or a simulated meter.
#include "app/cablebackends.h"

#include "meter/HidapiBackend.h"
#include "sim/SimulatedMeter.h"

#include <gtest/gtest.h>

#include <string>

using namespace telmora;

TEST(SimulateOption, ChoosesTheBackend) {
    const char* argv1[] = {"telmora", "-x", "--simulate=flaky"};
    EXPECT_EQ(FindSimulateOption(3, argv1), "--simulate=flaky");
    const char* argv2[] = {"telmora", "--simulated"};
    EXPECT_EQ(FindSimulateOption(2, argv2), "");

    EXPECT_NE(dynamic_cast<HidapiBackend*>(MakeCableBackend("").get()), nullptr);
    EXPECT_NE(dynamic_cast<SimulatedMeter*>(MakeCableBackend("--simulate").get()), nullptr);
    for (const char* name :
         {"demo", "cycle", "silent", "nocable", "unplug", "replug", "lowbatt", "flaky"}) {
        EXPECT_NE(MakeCableBackend(std::string("--simulate=") + name), nullptr) << name;
        EXPECT_EQ(SimScenarioName(*ParseSimScenario(name)), name);
    }
    std::string error;
    EXPECT_EQ(MakeCableBackend("--simulate=broken", &error), nullptr);
    EXPECT_NE(error.find("broken"), std::string::npos);
}
