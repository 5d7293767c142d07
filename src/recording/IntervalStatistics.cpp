#include "recording/IntervalStatistics.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace telmora {

namespace {

std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}

} // namespace

IntervalStatistics::IntervalStatistics(std::int64_t lengthMs, std::size_t meters,
                                       std::function<void(const IntervalRows&)> finished)
    : m_lengthMs(std::clamp(lengthMs, kShortestMs, kLongestMs)), m_finished(std::move(finished)),
      m_current(meters), m_lastUnit(meters, 0), m_limits(meters) {}

void IntervalStatistics::setLimits(std::size_t meter, const LimitTest& limits) {
    if (meter < m_limits.size())
        m_limits[meter] = limits.fresh();
}

void IntervalStatistics::enter(IntervalTime time) {
    if (!m_started) {
        // Intervals count from the midnight before the first sample: a length that
        // does not divide a day keeps that alignment into the next days.
        m_started = true;
        m_origin = floorDiv(time.localMs, kDayMs) * kDayMs;
    }
    const std::int64_t interval = floorDiv(time.localMs - m_origin, m_lengthMs);
    if (m_open && interval == m_interval)
        return;
    finish();
    m_open = true;
    m_interval = interval;
    m_offset = time.utcOffsetSeconds;
}

IntervalFigures& IntervalStatistics::figuresOf(std::size_t meter, std::string_view unit) {
    std::vector<IntervalFigures>& units = m_current[meter];
    std::size_t& last = m_lastUnit[meter];
    if (last < units.size() && units[last].unit == unit)
        return units[last];
    for (std::size_t i = 0; i < units.size(); ++i) {
        if (units[i].unit == unit) {
            last = i;
            return units[i];
        }
    }
    IntervalFigures& added = units.emplace_back();
    added.meter = meter;
    added.unit = unit;
    added.limits = m_limits[meter];
    last = units.size() - 1;
    return added;
}

void IntervalStatistics::add(std::size_t meter, IntervalTime time, const TypedReading& reading) {
    if (meter >= m_current.size() || (!reading.hasValue() && !reading.overloaded()))
        return;
    enter(time);
    IntervalFigures& figures = figuresOf(meter, reading.unit);
    if (figures.limits)
        figures.limits->add(reading);
    if (reading.hasValue())
        figures.values.add(reading.value);
    else
        ++figures.overloads;
}

void IntervalStatistics::addValue(std::size_t meter, IntervalTime time, double value,
                                  std::string_view unit) {
    if (meter >= m_current.size() || !std::isfinite(value))
        return;
    enter(time);
    figuresOf(meter, unit).values.add(value);
}

void IntervalStatistics::finish() {
    if (!m_open)
        return;
    m_open = false;
    m_rows.startMs = m_origin + m_interval * m_lengthMs;
    m_rows.utcOffsetSeconds = m_offset;
    m_rows.figures.clear();
    for (std::vector<IntervalFigures>& units : m_current) {
        for (IntervalFigures& figures : units)
            m_rows.figures.push_back(std::move(figures));
        units.clear();
    }
    std::fill(m_lastUnit.begin(), m_lastUnit.end(), 0);
    if (m_finished)
        m_finished(m_rows);
}

std::optional<std::int64_t> StoredTimeOfDayMs(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size() && text[at] == ' ')
        ++at;
    // Reads from `least` to `most` digits.
    const auto digits = [&](std::size_t least, std::size_t most) -> std::optional<int> {
        int value = 0;
        std::size_t n = 0;
        while (n < most && at < text.size() && text[at] >= '0' && text[at] <= '9') {
            value = value * 10 + (text[at++] - '0');
            ++n;
        }
        return n >= least ? std::optional<int>(value) : std::nullopt;
    };
    const auto take = [&](char c) {
        if (at >= text.size() || text[at] != c)
            return false;
        ++at;
        return true;
    };
    const std::optional<int> hour = digits(1, 3);
    if (!hour || !take(':'))
        return std::nullopt;
    const std::optional<int> minute = digits(2, 2);
    if (!minute || *minute > 59 || !take(':'))
        return std::nullopt;
    const std::optional<int> second = digits(2, 2);
    if (!second || *second > 59 || !take('.'))
        return std::nullopt;
    const std::optional<int> tenths = digits(1, 1);
    if (!tenths || at != text.size())
        return std::nullopt;
    return ((std::int64_t{*hour} * 60 + *minute) * 60 + *second) * 1000 + *tenths * 100;
}

std::int64_t TimeOfDayTimeline::localMs(std::int64_t msOfDay) {
    if (m_started && msOfDay < m_last - IntervalStatistics::kDayMs / 2)
        ++m_day;
    m_started = true;
    m_last = msOfDay;
    return m_day * IntervalStatistics::kDayMs + msOfDay;
}

} // namespace telmora
