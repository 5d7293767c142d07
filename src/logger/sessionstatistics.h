#pragma once
// Statistics of the main readings of imported sessions, per function and unit
// (see GroupedStatistics), computed when asked: sessions do not grow.

#include "model/GroupedStatistics.h"
#include "model/SampleLists.h"

#include <span>

namespace telmora {

GroupedStatistics SessionStatistics(const SampleList& session);

// All the sessions together.
GroupedStatistics SessionsStatistics(std::span<const SampleList> sessions);

// The group of a session's newest reading, or null for an empty session.
const StatisticsGroup* NewestReadingGroup(const GroupedStatistics& statistics,
                                          const SampleList& session);

} // namespace telmora
