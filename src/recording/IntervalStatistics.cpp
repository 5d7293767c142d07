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
    // Spaces, one to three digits of hours and ":MM:SS.T": the fixed tail is read
    // at once, as exports do this for millions of samples.
    constexpr std::size_t kTail = 8; // ":MM:SS.T"
    if (text.size() < kTail + 1)
        return std::nullopt;
    const std::string_view tail = text.substr(text.size() - kTail);
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    if (tail[0] != ':' || tail[3] != ':' || tail[6] != '.' || !digit(tail[1]) || !digit(tail[2]) ||
        !digit(tail[4]) || !digit(tail[5]) || !digit(tail[7]))
        return std::nullopt;
    const int minute = (tail[1] - '0') * 10 + (tail[2] - '0');
    const int second = (tail[4] - '0') * 10 + (tail[5] - '0');
    if (minute > 59 || second > 59)
        return std::nullopt;
    std::string_view head = text.substr(0, text.size() - kTail);
    while (!head.empty() && head.front() == ' ')
        head.remove_prefix(1);
    if (head.empty() || head.size() > 3)
        return std::nullopt;
    std::int64_t hour = 0;
    for (const char c : head) {
        if (!digit(c))
            return std::nullopt;
        hour = hour * 10 + (c - '0');
    }
    return ((hour * 60 + minute) * 60 + second) * 1000 + (tail[7] - '0') * 100;
}

std::int64_t TimeOfDayTimeline::localMs(std::int64_t msOfDay) {
    if (m_started && msOfDay < m_last - IntervalStatistics::kDayMs / 2)
        ++m_day;
    m_started = true;
    m_last = msOfDay;
    return m_day * IntervalStatistics::kDayMs + msOfDay;
}

} // namespace telmora
