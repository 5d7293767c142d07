#include "app/cablebackends.h"

#include "meter/HidapiBackend.h"
#include "sim/SimulatedCables.h"
#include "sim/SimulatedMeter.h"

#include <optional>
#include <string>
#include <vector>

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
    // A comma list simulates one cable per name, each with a serial number of its own.
    std::vector<std::shared_ptr<SimulatedMeter>> meters;
    while (true) {
        const std::size_t comma = name.find(',');
        const std::string_view one = name.substr(0, comma);
        const std::optional<SimScenario> scenario = ParseSimScenario(one);
        if (!scenario) {
            if (error)
                *error =
                    "unknown simulation '" + std::string(one) +
                    "' (choose demo, cycle, silent, nocable, unplug, replug, lowbatt or flaky)";
            return nullptr;
        }
        meters.push_back(std::make_shared<SimulatedMeter>(*scenario));
        if (comma == std::string_view::npos)
            break;
        name.remove_prefix(comma + 1);
    }
    if (meters.size() == 1)
        return meters.front();
    auto cables = std::make_shared<SimulatedCables>(std::move(meters));
    cables->nameCables();
    return cables;
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
