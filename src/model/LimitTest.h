#pragma once
// Counts how a series of readings lies against a pair of limits: the samples
// inside (low <= value <= high), above and below them, and the excursions, each a
// run of samples outside the limits. An overload counts above (the reading left
// the range upward). A reading with neither a value nor an overload (a gap) counts
// nowhere and does not end an excursion: a run outside broken only by gaps is one.
// A run that goes from above straight to below stays one excursion.

#include "model/TypedReading.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace telmora {

struct LimitCounts {
    std::int64_t inside = 0;
    std::int64_t above = 0;
    std::int64_t below = 0;
    std::int64_t excursions = 0;
};

class LimitTest {
public:
    // `low` <= `high`.
    LimitTest(double low, double high) : m_low(low), m_high(high) {}

    void add(const TypedReading& reading);
    // A value of a computed channel: NaN is a gap.
    void addValue(double value);

    double low() const { return m_low; }
    double high() const { return m_high; }
    const LimitCounts& counts() const { return m_counts; }

private:
    void outside(std::int64_t& side);

    double m_low;
    double m_high;
    LimitCounts m_counts;
    bool m_outside = false; // the last sample counted lay outside
};

// Reads a number with an optional SI prefix right after it ("5m", "2.2k", "-10u",
// "4.7n", "1.5M", "100"): p, n, u or µ, m, k, M, G, T. The number is read as
// ReadDecimal reads it; a prefix after an exponent ("1e3k") or anything else
// gives nothing. The result is the double nearest to the decimal ("5m" is 0.005).
std::optional<double> ReadPrefixedDecimal(std::string_view text);

// Reads "LOW:HIGH", each side as ReadPrefixedDecimal reads it, LOW not above HIGH.
std::optional<LimitTest> ReadLimits(std::string_view text);

} // namespace telmora
