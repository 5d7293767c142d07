#pragma once

#include "model/viewreduction.h"
#include "recording/Recording.h"

#include <cstdint>
#include <utility>

namespace telmora {

// The first smallest and first largest sample of samples start..end-1 of the
// recording (end > start), the same pair a scan of every value finds, but with
// whole blocks answered from the recording's block extremes.
std::pair<std::int64_t, std::int64_t> RecordingExtremesOf(const Recording& recording,
                                                          std::int64_t start, std::int64_t end);

// The whole-recording view of the graph viewer (see ReduceForView).
ViewReduction ReduceRecordingForView(const Recording& recording);

} // namespace telmora
