#pragma once

#include "model/RunningStatistics.h"
#include "model/TypedReading.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace telmora {

// The figures of the readings of one function and unit (a recording may hold volts,
// then ohms): statistics of the values and the number of overloads, which have no
// value and are only counted.
struct StatisticsGroup {
    std::uint32_t function = 0;
    std::string unit; // UTF-8, as TypedReading gives it
    std::string mode;
    RunningStatistics values;
    std::int64_t overloads = 0;
};

// Statistics per function and unit, groups in the order their first reading came.
// Mergeable like RunningStatistics: merging the figures of consecutive ranges gives
// those of the whole.
class GroupedStatistics {
public:
    // A reading without a value and without an overload (a gap) is left out.
    void add(const TypedReading& reading);
    void merge(const GroupedStatistics& other);
    void clear();

    bool empty() const { return m_groups.empty(); }
    const std::vector<StatisticsGroup>& groups() const { return m_groups; }
    // The group of a reading's function and unit; null when no reading of it came.
    const StatisticsGroup* find(std::uint32_t function, std::string_view unit) const;

private:
    // A group's identity, and the same as views for looking up a reading's group
    // without copying its unit.
    struct KeyView {
        std::uint32_t function;
        std::string_view unit;
    };
    struct Key {
        std::uint32_t function;
        std::string unit;
        operator KeyView() const { return {function, unit}; }
    };
    struct KeyHash {
        using is_transparent = void;
        std::size_t operator()(KeyView key) const noexcept;
    };
    struct KeyEqual {
        using is_transparent = void;
        bool operator()(KeyView a, KeyView b) const noexcept {
            return a.function == b.function && a.unit == b.unit;
        }
    };

    StatisticsGroup& groupFor(std::uint32_t function, std::string_view unit, std::string_view mode);

    std::vector<StatisticsGroup> m_groups;
    // The place of each group in m_groups, found by its identity: a recording with
    // thousands of groups costs no search through all of them per reading.
    std::unordered_map<Key, std::size_t, KeyHash, KeyEqual> m_index;
    std::size_t m_lastUsed = 0; // readings come in runs of one function
};

} // namespace telmora
