#pragma once

#include "jobs/Job.h"
#include "model/LimitTest.h"

#include <QObject>

#include <cstdint>
#include <optional>
#include <vector>

namespace telmora {

class RecorderController;

// How the main readings of each meter of the recorder's recording lie against that
// meter's limits (see LimitTest): the samples inside, above and below them and the
// excursions, kept up to date sample by sample.
//
// Limits that change are counted over the whole recording again, from its samples
// and not only from the change on, so that the counts always answer "how did this
// recording do against these limits". So is a recording that is opened or whose
// meters change. The count runs as a job; until it has come, counts() gives nothing
// for every meter and pending() is true.
class RecordingLimits : public QObject {
    Q_OBJECT

public:
    explicit RecordingLimits(RecorderController& recorder, QObject* parent = nullptr);
    ~RecordingLimits() override;

    // The limits of each meter of the recording by its index there; nothing (or a
    // meter past the end) is a meter without limits.
    void setLimits(std::vector<std::optional<LimitTest>> limits);
    // The limits and counts of meter `meter`; null when it has no limits or while
    // they are being counted.
    const LimitTest* counts(int meter) const;
    // The limits set for meter `meter` (nothing counted); null without limits.
    const LimitTest* limits(int meter) const;
    bool pending() const { return m_job.isRunning(); }

signals:
    // The counts changed: a sample was counted, or a count of the whole came.
    void countsChanged();

private:
    // Counts the samples of the recording not counted yet.
    void catchUp();
    // Counts the whole recording again as the job.
    void recount();
    void reset();

    RecorderController& m_recorder;
    std::vector<std::optional<LimitTest>> m_limits;
    std::vector<std::optional<LimitTest>> m_counts;
    // The ticks of the recording counted in m_counts.
    std::int64_t m_counted = 0;
    Job m_job;
};

} // namespace telmora
