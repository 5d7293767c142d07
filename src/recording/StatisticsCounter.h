#pragma once

#include "recording/RecordStore.h"
#include "recording/RecordingStatistics.h"

#include <QObject>

#include <cstdint>
#include <memory>
#include <optional>
#include <stop_token>
#include <thread>

namespace telmora {

// The statistics of samples 0 .. count - 1 of `records`, decoded from their files
// (a sample its file no longer holds is passed over, see unreadable()); nothing when
// `stop` was requested first.
std::optional<RecordingStatistics>
CountRecordingStatistics(const RecordStore& records, std::int64_t count, std::stop_token stop = {});

// Counts the statistics of an opened recording on a thread of its own, so that the
// recording can be shown at once while its statistics follow: reading every record
// of a large file takes far longer than reading its values.
class StatisticsCounter : public QObject {
    Q_OBJECT

public:
    explicit StatisticsCounter(QObject* parent = nullptr);
    ~StatisticsCounter() override;

    // Starts counting samples 0 .. count - 1 of `records`; a count still running is
    // dropped first.
    void start(RecordStore records, std::int64_t count);
    // Drops the count in progress: its result is never delivered.
    void cancel();
    bool isCounting() const { return m_counting; }
    // Waits for the count in progress and delivers it now.
    void finishNow();

signals:
    // The count started last is done (on this object's thread).
    void counted(const telmora::RecordingStatistics& statistics);

private:
    void deliver(std::uint64_t generation);

    std::jthread m_thread;
    std::uint64_t m_generation = 0;
    bool m_counting = false;
    // Handed from the counting thread to this object's thread.
    std::shared_ptr<std::optional<RecordingStatistics>> m_result;
};

} // namespace telmora
