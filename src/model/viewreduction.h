#pragma once

#include "model/SampleLists.h"

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

namespace telmora {

// How the graph viewer shows a whole recording. Below 8192 samples every sample is
// a point. Above, the samples are cut into blocks of b = N / 4096 and each block
// contributes its largest and its smallest sample, in time order, so every peak and
// dip stays visible with at most 12288 points.
struct ViewReduction {
    bool direct = true;
    std::int64_t blockSize = 1;
    std::int64_t samplesUsed = 0;      // N, or N - 1 when the newest sample is left out
    std::vector<std::int64_t> indexes; // buffer index of each point (reduced case)
    std::int64_t maxPoint = 0;         // graph point of the recorder's max sample
    std::int64_t minPoint = 0;         // graph point of the recorder's min sample

    std::int64_t pointCount() const {
        return direct ? samplesUsed : static_cast<std::int64_t>(indexes.size());
    }
    // Buffer index shown at graph point `point`.
    std::int64_t indexOfPoint(std::int64_t point) const {
        return direct ? point : indexes[static_cast<std::size_t>(point)];
    }
};

inline constexpr std::int64_t kViewBlockDivisor = 4096;

// The first smallest and first largest sample of samples start..end-1 (end > start),
// by a plain scan of `valueAt`.
template <typename ValueAt>
std::pair<std::int64_t, std::int64_t> ScanBlockExtremes(std::int64_t start, std::int64_t end,
                                                        ValueAt&& valueAt) {
    std::int64_t hi = start;
    std::int64_t lo = start;
    float hiValue = valueAt(start);
    float loValue = hiValue;
    for (std::int64_t i = start + 1; i < end; ++i) {
        const float v = valueAt(i);
        if (v > hiValue) {
            hiValue = v;
            hi = i;
        }
        if (v < loValue) {
            loValue = v;
            lo = i;
        }
    }
    return {lo, hi};
}

// As below, with `extremesOf(start, end)` giving the pair {first smallest, first
// largest} of samples start..end-1 as ScanBlockExtremes finds it (a caller may
// answer from a summary of its samples instead of scanning them).
template <typename ExtremesOf>
ViewReduction ReduceForViewBy(std::int64_t n, std::int64_t maxIndex, std::int64_t minIndex,
                              ExtremesOf&& extremesOf) {
    ViewReduction r;
    if (n <= 0)
        return r;
    const std::int64_t b = std::max<std::int64_t>(n / kViewBlockDivisor, 1);
    r.blockSize = b;
    if (b == 1) {
        r.samplesUsed = n;
        r.maxPoint = std::clamp<std::int64_t>(maxIndex, 0, n - 1);
        r.minPoint = std::clamp<std::int64_t>(minIndex, 0, n - 1);
        return r;
    }
    r.direct = false;
    if (n % b == 1)
        --n;
    r.samplesUsed = n;
    const std::int64_t blocks = (n + b - 1) / b;
    const std::int64_t maxBlock = std::clamp<std::int64_t>(maxIndex / b, 0, blocks - 1);
    const std::int64_t minBlock = std::clamp<std::int64_t>(minIndex / b, 0, blocks - 1);
    r.indexes.reserve(static_cast<std::size_t>(blocks * 2));
    for (std::int64_t block = 0; block < blocks; ++block) {
        const std::int64_t start = block * b;
        const std::int64_t end = std::min(start + b, n);
        const auto [lo, hi] = extremesOf(start, end);
        const auto pos = static_cast<std::int64_t>(r.indexes.size());
        const bool minFirst = lo <= hi;
        r.indexes.push_back(minFirst ? lo : hi);
        r.indexes.push_back(minFirst ? hi : lo);
        if (block == maxBlock)
            r.maxPoint = minFirst ? pos + 1 : pos;
        if (block == minBlock)
            r.minPoint = minFirst ? pos : pos + 1;
    }
    return r;
}

// `valueAt(i)` gives the main value of sample i; `maxIndex` and `minIndex` are the
// recorder's extreme samples. Within a block the earliest of equal values wins; the
// block's pair is listed earliest first (the minimum first when both are the same
// sample, which is then listed twice). The max and min points are the points of the
// blocks that hold the recorder's extreme samples, so a click on the max panel lands
// on a point with the maximum value even when equal values make another sample of
// that block its first maximum.
template <typename ValueAt>
ViewReduction ReduceForView(std::int64_t n, std::int64_t maxIndex, std::int64_t minIndex,
                            ValueAt valueAt) {
    return ReduceForViewBy(n, maxIndex, minIndex, [&](std::int64_t start, std::int64_t end) {
        return ScanBlockExtremes(start, end, valueAt);
    });
}

inline ViewReduction ReduceForView(const SampleList& samples, std::int64_t maxIndex,
                                   std::int64_t minIndex) {
    return ReduceForView(
        static_cast<std::int64_t>(samples.size()), maxIndex, minIndex,
        [&](std::int64_t i) { return samples[static_cast<std::size_t>(i)].main.value; });
}

} // namespace telmora
