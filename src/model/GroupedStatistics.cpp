#include "model/GroupedStatistics.h"

namespace telmora {

void GroupedStatistics::add(const SiReading& reading) {
    StatisticsGroup& group = groupFor(reading.function, reading.unit, reading.mode);
    if (reading.overload)
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

const StatisticsGroup* GroupedStatistics::find(std::uint32_t function,
                                               std::string_view unit) const {
    for (const StatisticsGroup& group : m_groups)
        if (group.function == function && group.unit == unit)
            return &group;
    return nullptr;
}

StatisticsGroup& GroupedStatistics::groupFor(std::uint32_t function, std::string_view unit,
                                             std::string_view mode) {
    if (m_lastUsed < m_groups.size()) {
        StatisticsGroup& last = m_groups[m_lastUsed];
        if (last.function == function && last.unit == unit)
            return last;
    }
    for (std::size_t i = 0; i < m_groups.size(); ++i) {
        if (m_groups[i].function == function && m_groups[i].unit == unit) {
            m_lastUsed = i;
            return m_groups[i];
        }
    }
    m_groups.push_back({function, std::string(unit), std::string(mode), {}, 0});
    m_lastUsed = m_groups.size() - 1;
    return m_groups.back();
}

} // namespace telmora
