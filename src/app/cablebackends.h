#pragma once

#include "meter/CableBackend.h"

#include <memory>
#include <string>
#include <string_view>

namespace telmora {

// The cable backend chosen by a command-line option: `option` is the argument
// "--simulate" or "--simulate=NAME" (a simulated meter), or empty for the real
// cable. NAME may be a comma list ("demo,replug"): one simulated cable per name,
// each with its own serial number. Returns null with a message in `error` when a
// name is no scenario.
std::shared_ptr<CableBackend> MakeCableBackend(std::string_view option,
                                               std::string* error = nullptr);

// The "--simulate[=NAME]" argument among `args`, or empty when there is none.
std::string_view FindSimulateOption(int argc, const char* const* argv);

} // namespace telmora
