#include "model/LimitTest.h"

#include "model/decimaltext.h"

#include <cmath>
#include <string>

namespace telmora {

void LimitTest::outside(std::int64_t& side) {
    ++side;
    if (!m_outside)
        ++m_counts.excursions;
    m_outside = true;
}

void LimitTest::add(const TypedReading& reading) {
    if (reading.hasValue())
        addValue(reading.value);
    else if (reading.overloaded())
        outside(m_counts.above);
}

void LimitTest::addValue(double value) {
    if (std::isnan(value))
        return;
    if (value > m_high) {
        outside(m_counts.above);
    } else if (value < m_low) {
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
