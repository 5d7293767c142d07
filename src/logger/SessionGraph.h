#pragma once
// What the import window plots of one session: every sample below 8192 samples,
// otherwise the largest and the smallest sample of each bucket of N div 4096
// samples (between 8192 and 12286 points); the Y range that grows with the plotted
// values; and the samples holding the extreme main and sub values.

#include "model/SampleLists.h"

#include <cstdint>
#include <vector>

namespace telmora {

inline constexpr int kSessionGraphBlankPoints = 200;
inline constexpr double kSessionGraphNull = -99999.0;

struct SessionPlot {
    int points = kSessionGraphBlankPoints; // graph points in use
    bool direct = true;                    // every sample is a point
    std::vector<std::int64_t> indexes;     // sample of each point (reduced mode)
    float upper = 100.0f;
    float lower = -100.0f;
    std::int64_t mainMax = 0, mainMin = 0;
    std::int64_t subMax = 0, subMin = 0;

    // Blank graph of 200 points, bounds 100 and -100, no point list.
    void reset();
    // Sample shown at graph point `point`; -1 when there is none.
    std::int64_t sampleOfPoint(std::int64_t point) const;
    // Widens the Y range for value y at graph point j (point 0 starts it afresh):
    // the bounds are 1.33 times the value that came close to them, never 0.
    void extendRange(float y, int j);
};

// The plotted value of a sample: its main value, or its sub value when `sub`.
float PlottedValue(const SampleEntry& entry, bool sub);

// Chooses the points of a session: direct mode below 8192 samples (indexes left
// empty), else the min/max pairs of each bucket, the earlier sample first.
void ChooseSessionPoints(SessionPlot& plot, const SampleList& samples, bool sub);

// The extreme-sample rule while plotting sample r with value x: sample 0 starts
// both; a value at least the maximum moves the maximum (the last of equal values
// wins), else one at most the minimum moves the minimum.
void TrackExtreme(std::int64_t& maxIndex, std::int64_t& minIndex, std::int64_t r, float x,
                  float maxValue, float minValue);

} // namespace telmora
