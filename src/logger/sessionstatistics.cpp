#include "logger/sessionstatistics.h"

namespace telmora {

GroupedStatistics SessionStatistics(const SampleList& session) {
    GroupedStatistics statistics;
    StoredValueCache last;
    for (std::size_t i = 0; i < session.size(); ++i)
        statistics.add(ReadingOfRecord(session[i].main, RecordOrigin::Session, DisplayKind::Main,
                                       &last, DisplayShape::Skip));
    return statistics;
}

GroupedStatistics SessionsStatistics(std::span<const SampleList> sessions) {
    GroupedStatistics statistics;
    for (const SampleList& session : sessions)
        statistics.merge(SessionStatistics(session));
    return statistics;
}

const StatisticsGroup* NewestReadingGroup(const GroupedStatistics& statistics,
                                          const SampleList& session) {
    if (session.empty())
        return nullptr;
    const TypedReading newest = ReadingOfRecord(session.back().main, RecordOrigin::Session);
    return statistics.find(newest.function, newest.unit);
}

} // namespace telmora
