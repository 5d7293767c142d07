#include "model/GroupedStatistics.h"

#include <functional>

namespace telmora {

void GroupedStatistics::add(const TypedReading& reading) {
    // A reading without a value (the gap a meter leaves in a several-meter recording)
    // belongs to no group and would spoil every figure it entered.
    if (reading.state == ReadingState::None)
        return;
    StatisticsGroup& group = groupFor(reading.function, reading.unit, reading.modeText());
    if (reading.overloaded())
        ++group.overloads;
    else
        group.values.add(reading.value);
}

void GroupedStatistics::merge(const GroupedStatistics& other) {
    for (const StatisticsGroup& theirs : other.m_groups) {
        StatisticsGroup& ours = groupFor(theirs.function, theirs.unit, theirs.mode);
        ours.values.merge(theirs.values);
        ours.overloads += theirs.overloads;
    }
}

void GroupedStatistics::clear() {
    m_groups.clear();
    m_index.clear();
    m_lastUsed = 0;
}

std::size_t GroupedStatistics::KeyHash::operator()(KeyView key) const noexcept {
    return std::hash<std::string_view>{}(key.unit) * 1000003u ^ key.function;
}

const StatisticsGroup* GroupedStatistics::find(std::uint32_t function,
                                               std::string_view unit) const {
    const auto it = m_index.find(KeyView{function, unit});
    return it == m_index.end() ? nullptr : &m_groups[it->second];
}

StatisticsGroup& GroupedStatistics::groupFor(std::uint32_t function, std::string_view unit,
                                             std::string_view mode) {
    if (m_lastUsed < m_groups.size()) {
        StatisticsGroup& last = m_groups[m_lastUsed];
        if (last.function == function && last.unit == unit)
            return last;
    }
    if (const auto it = m_index.find(KeyView{function, unit}); it != m_index.end()) {
        m_lastUsed = it->second;
        return m_groups[m_lastUsed];
    }
    m_groups.push_back({function, std::string(unit), std::string(mode), {}, 0});
    try {
        m_index.emplace(Key{function, std::string(unit)}, m_groups.size() - 1);
    } catch (...) {
        m_groups.pop_back(); // no group without its place in the index
        throw;
    }
    m_lastUsed = m_groups.size() - 1;
    return m_groups.back();
}

} // namespace telmora
