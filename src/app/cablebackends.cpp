#include "app/cablebackends.h"

#include "meter/HidapiBackend.h"
#include "sim/SimulatedMeter.h"

#include <optional>
#include <string>

namespace telmora {

std::shared_ptr<CableBackend> MakeCableBackend(std::string_view option, std::string* error) {
    if (option.empty())
        return std::make_shared<HidapiBackend>();
    constexpr std::string_view kFlag = "--simulate";
    if (option.substr(0, kFlag.size()) != kFlag) {
        if (error)
            *error = "unknown option '" + std::string(option) + "'";
        return nullptr;
    }
    std::string_view name = option.substr(kFlag.size());
    if (name.empty())
        return std::make_shared<SimulatedMeter>(SimScenario::Demo);
    if (name.front() != '=') {
        if (error)
            *error = "unknown option '" + std::string(option) + "'";
        return nullptr;
    }
    name.remove_prefix(1);
    if (name.empty())
        return std::make_shared<SimulatedMeter>(SimScenario::Demo);
    const std::optional<SimScenario> scenario = ParseSimScenario(name);
    if (!scenario) {
        if (error)
            *error = "unknown simulation '" + std::string(name) +
                     "' (choose demo, cycle, silent, nocable, unplug, replug, lowbatt or flaky)";
        return nullptr;
    }
    return std::make_shared<SimulatedMeter>(*scenario);
}

std::string_view FindSimulateOption(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i] ? argv[i] : "";
        if (arg == "--simulate" || arg.substr(0, 11) == "--simulate=")
            return arg;
    }
    return {};
}

} // namespace telmora
