#include "recording/StatisticsCounter.h"

#include <QMetaObject>

namespace telmora {

namespace {
// Records read at once while counting.
constexpr std::size_t kCountBlockRecords = 4096;
} // namespace

std::optional<RecordingStatistics>
CountRecordingStatistics(const RecordStore& records, std::int64_t count, std::stop_token stop) {
    RecordingStatistics statistics;
    RecordReader reader(kCountBlockRecords);
    count = std::min(count, records.size());
    for (std::int64_t i = 0; i < count; ++i) {
        if (i % static_cast<std::int64_t>(kCountBlockRecords) == 0 && stop.stop_requested())
            return std::nullopt;
        if (const std::optional<SampleEntry> sample = reader.tryRead(records, i))
            statistics.add(*sample);
        else
            statistics.skip(); // its file was cut short: it counts in no figure
    }
    return statistics;
}

StatisticsCounter::StatisticsCounter(QObject* parent) : QObject(parent) {}

StatisticsCounter::~StatisticsCounter() {
    cancel();
}

void StatisticsCounter::start(RecordStore records, std::int64_t count) {
    cancel();
    const std::uint64_t generation = m_generation;
    auto result = std::make_shared<std::optional<RecordingStatistics>>();
    m_result = result;
    m_counting = true;
    m_thread = std::jthread(
        [this, result, generation, records = std::move(records), count](std::stop_token stop) {
            *result = CountRecordingStatistics(records, count, stop);
            if (!stop.stop_requested())
                QMetaObject::invokeMethod(
                    this, [this, generation] { deliver(generation); }, Qt::QueuedConnection);
        });
}

void StatisticsCounter::cancel() {
    ++m_generation; // a delivery already queued is ignored
    m_counting = false;
    if (m_thread.joinable()) {
        m_thread.request_stop();
        m_thread.join();
    }
    m_result.reset();
}

void StatisticsCounter::finishNow() {
    if (!m_counting)
        return;
    if (m_thread.joinable())
        m_thread.join();
    deliver(m_generation);
}

void StatisticsCounter::deliver(std::uint64_t generation) {
    if (generation != m_generation || !m_counting || !m_result || !*m_result)
        return;
    if (m_thread.joinable())
        m_thread.join();
    m_counting = false;
    const auto result = std::move(m_result);
    emit counted(**result);
}

} // namespace telmora
