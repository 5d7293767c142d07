#include "model/LimitTest.h"

#include "model/decimaltext.h"
#include "model/functiontable.h"

#include <cmath>
#include <string>

namespace telmora {

namespace {

// `value` times 10^exponent, made from its shortest decimal as a stored value is.
double shifted(double value, int exponent) {
    if (exponent == 0 || !std::isfinite(value))
        return value;
    std::string text;
    AppendShortestDouble(text, value);
    const std::size_t e = text.find('e');
    if (e != std::string::npos) { // "4.7e-9": the exponents add up
        exponent += std::stoi(text.substr(e + 1));
        text.resize(e);
    }
    text += 'e';
    text += std::to_string(exponent);
    return ReadDecimal(text).value_or(value * std::pow(10.0, exponent));
}

} // namespace

LimitTest::LimitTest(double low, double high, LimitUnits units)
    : m_low(low), m_high(high), m_units(units), m_si{low, high},
      m_micro{shifted(low, -6), shifted(high, -6)}, m_nano{shifted(low, -9), shifted(high, -9)} {}

const LimitTest::Bounds& LimitTest::boundsOf(std::uint32_t function) const {
    if (m_units == LimitUnits::Si)
        return m_si;
    const FunctionRow& row = FunctionRowOf(function);
    // A decibel reading is typed in the comparator's dBm already.
    if (row.decibel || row.comparatorScale == 1.0)
        return m_si;
    return row.comparatorScale > 1e7 ? m_nano : m_micro;
}

void LimitTest::outside(std::int64_t& side) {
    ++side;
    if (!m_outside)
        ++m_counts.excursions;
    m_outside = true;
}

void LimitTest::add(const TypedReading& reading) {
    if (reading.hasValue() && !std::isnan(reading.value))
        place(reading.value, boundsOf(reading.function));
    else if (reading.overloaded())
        outside(m_counts.above);
}

void LimitTest::addValue(double value) {
    if (!std::isnan(value))
        place(value, m_si);
}

void LimitTest::place(double value, const Bounds& bounds) {
    if (value > bounds.high) {
        outside(m_counts.above);
    } else if (value < bounds.low) {
        outside(m_counts.below);
    } else {
        ++m_counts.inside;
        m_outside = false;
    }
}

namespace {

// The power of ten of a prefix at the end of `text`, and the prefix's length.
struct Prefix {
    int exponent = 0;
    std::size_t length = 0;
};

Prefix prefixAtEnd(std::string_view text) {
    if (text.ends_with("\u00b5"))
        return {-6, 2};
    if (text.empty())
        return {};
    switch (text.back()) {
    case 'p':
        return {-12, 1};
    case 'n':
        return {-9, 1};
    case 'u':
        return {-6, 1};
    case 'm':
        return {-3, 1};
    case 'k':
        return {3, 1};
    case 'M':
        return {6, 1};
    case 'G':
        return {9, 1};
    case 'T':
        return {12, 1};
    default:
        return {};
    }
}

} // namespace

std::optional<double> ReadPrefixedDecimal(std::string_view text) {
    const Prefix prefix = prefixAtEnd(text);
    if (prefix.length == 0)
        return ReadDecimal(text);
    const std::string_view number = text.substr(0, text.size() - prefix.length);
    if (number.find_first_of("eE") != std::string_view::npos || !ReadDecimal(number))
        return std::nullopt;
    // The decimal with its exponent, read once: the nearest double to it.
    std::string scaled(number);
    scaled += 'e';
    scaled += std::to_string(prefix.exponent);
    return ReadDecimal(scaled);
}

std::optional<LimitTest> ReadLimits(std::string_view text) {
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos)
        return std::nullopt;
    const std::optional<double> low = ReadPrefixedDecimal(text.substr(0, colon));
    const std::optional<double> high = ReadPrefixedDecimal(text.substr(colon + 1));
    if (!low || !high || *low > *high)
        return std::nullopt;
    return LimitTest(*low, *high);
}

} // namespace telmora
