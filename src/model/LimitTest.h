#pragma once
// Counts how a series of readings lies against a pair of limits: the samples
// inside (low <= value <= high), above and below them, and the excursions, each a
// run of samples outside the limits. An overload counts above (the reading left
// the range upward). A reading with neither a value nor an overload (a gap) counts
// nowhere and does not end an excursion: a run outside broken only by gaps is one.
// A run that goes from above straight to below stays one excursion.
//
// The limits are in SI base units, or in the units a meter's comparator takes its
// limits in: microfarad for capacitance, nanosiemens for conductance, everything
// else as the reading types it (LimitUnits::Comparator). A reading is compared with
// each limit made in its own unit from the limit's shortest decimal, exactly as a
// stored value is made from its digits: a 2.2 uF reading lies on a 2.2 limit.

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

    bool operator==(const LimitCounts&) const = default;
};

enum class LimitUnits { Si, Comparator };

class LimitTest {
public:
    // `low` <= `high`.
    LimitTest(double low, double high, LimitUnits units = LimitUnits::Si);

    void add(const TypedReading& reading);
    // A value of a computed channel: NaN is a gap.
    void addValue(double value);

    // The limits as given.
    double low() const { return m_low; }
    double high() const { return m_high; }
    LimitUnits units() const { return m_units; }
    const LimitCounts& counts() const { return m_counts; }
    // The same limits with nothing counted yet.
    LimitTest fresh() const { return LimitTest(m_low, m_high, m_units); }
    bool sameLimits(const LimitTest& other) const {
        return m_low == other.m_low && m_high == other.m_high && m_units == other.m_units;
    }

private:
    struct Bounds {
        double low = 0;
        double high = 0;
    };
    void place(double value, const Bounds& bounds);
    void outside(std::int64_t& side);
    const Bounds& boundsOf(std::uint32_t function) const;

    double m_low;
    double m_high;
    LimitUnits m_units;
    Bounds m_si;    // the limits as given
    Bounds m_micro; // in farad for a comparator in microfarad
    Bounds m_nano;  // in siemens for a comparator in nanosiemens
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
