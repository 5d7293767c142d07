#pragma once

#include "model/LimitTest.h"

#include <optional>
#include <vector>

namespace telmora {

class Meter;
class RecorderController;

// The limits each meter of the recorder's recording is counted against: the
// comparator limits of the meter that records it, found by serial number. A
// recording of one meter without a serial number (a file opened, a cable that
// reports none) belongs to the one meter when only one is known. A meter whose
// limits are both 0 has never had them set and gets none.
std::vector<std::optional<LimitTest>> RecorderLimitsOf(const RecorderController& recorder,
                                                       const std::vector<const Meter*>& meters);

} // namespace telmora
