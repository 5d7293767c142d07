#include "recording/recordingview.h"

namespace telmora {

std::pair<std::int64_t, std::int64_t> RecordingExtremesOf(const Recording& recording,
                                                          std::int64_t start, std::int64_t end) {
    constexpr std::int64_t k = Recording::kBlockSamples;
    std::int64_t lo = start;
    std::int64_t hi = start;
    float loValue = recording.valueAt(start);
    float hiValue = loValue;
    // Strict comparisons keep the earliest of equal values, as the plain scan does; a
    // block's extremes are its first ones, so visiting them in order finds the same.
    const auto visitMin = [&](std::int64_t i) {
        const float v = recording.valueAt(i);
        if (v < loValue) {
            loValue = v;
            lo = i;
        }
    };
    const auto visitMax = [&](std::int64_t i) {
        const float v = recording.valueAt(i);
        if (v > hiValue) {
            hiValue = v;
            hi = i;
        }
    };
    std::int64_t i = start + 1;
    for (; i < end && i % k != 0; ++i) {
        visitMax(i);
        visitMin(i);
    }
    const auto& blocks = recording.blockExtremes();
    for (; i + k <= end; i += k) {
        const Recording::BlockExtremes& block = blocks[static_cast<std::size_t>(i / k)];
        if (block.maxIndex < 0)
            continue; // every value of the block is NaN: no comparison holds for it
        visitMax(block.maxIndex);
        visitMin(block.minIndex);
    }
    for (; i < end; ++i) {
        visitMax(i);
        visitMin(i);
    }
    return {lo, hi};
}

ViewReduction ReduceRecordingForView(const Recording& recording) {
    return ReduceForViewBy(static_cast<std::int64_t>(recording.size()), recording.maxIndex(),
                           recording.minIndex(), [&](std::int64_t start, std::int64_t end) {
                               return RecordingExtremesOf(recording, start, end);
                           });
}

} // namespace telmora
