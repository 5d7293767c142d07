#include "recording/RecordingLimits.h"

#include "recording/RecorderController.h"
#include "recording/RecordingStatistics.h"

namespace telmora {

namespace {

// Records read at once while counting.
constexpr std::size_t kLimitCountBlock = 4096;

struct MeterCount {
    RecordStore records;
    std::optional<LimitTest> test;
};

struct CountResult {
    std::vector<std::optional<LimitTest>> counts;
    std::int64_t ticks = 0;
    bool done = false;
};

// The limit counts of the first `ticks` samples of each meter with limits.
CountResult countLimits(std::vector<MeterCount>& meters, std::int64_t ticks, std::stop_token stop) {
    CountResult result;
    result.ticks = ticks;
    for (MeterCount& meter : meters) {
        if (meter.test) {
            RecordReader reader(kLimitCountBlock);
            const std::int64_t end = std::min(ticks, meter.records.size());
            for (std::int64_t i = 0; i < end; ++i) {
                if (i % static_cast<std::int64_t>(kLimitCountBlock) == 0 && stop.stop_requested())
                    return {};
                // A sample its file no longer holds counts nowhere.
                if (const std::optional<SampleEntry> sample = reader.tryRead(meter.records, i))
                    meter.test->add(RecorderMainReading(*sample));
            }
        }
        result.counts.push_back(std::move(meter.test));
    }
    result.done = true;
    return result;
}

} // namespace

RecordingLimits::RecordingLimits(RecorderController& recorder, QObject* parent)
    : QObject(parent), m_recorder(recorder) {
    connect(&recorder, &RecorderController::sampleAdded, this, [this] {
        if (!m_job.isRunning())
            catchUp();
    });
    connect(&recorder, &RecorderController::cleared, this, &RecordingLimits::reset);
    connect(&recorder, &RecorderController::recordingLoaded, this, &RecordingLimits::recount);
    connect(&recorder, &RecorderController::metersChanged, this, &RecordingLimits::recount);
}

RecordingLimits::~RecordingLimits() = default;

void RecordingLimits::setLimits(std::vector<std::optional<LimitTest>> limits) {
    for (std::optional<LimitTest>& test : limits)
        if (test)
            test = test->fresh();
    const auto same = [](const std::optional<LimitTest>& a, const std::optional<LimitTest>& b) {
        return a.has_value() == b.has_value() && (!a || a->sameLimits(*b));
    };
    if (limits.size() == m_limits.size() &&
        std::equal(limits.begin(), limits.end(), m_limits.begin(), same))
        return;
    m_limits = std::move(limits);
    recount();
}

const LimitTest* RecordingLimits::counts(int meter) const {
    const auto m = static_cast<std::size_t>(meter);
    if (meter < 0 || m >= m_counts.size() || m_job.isRunning() || !m_counts[m])
        return nullptr;
    return &*m_counts[m];
}

const LimitTest* RecordingLimits::limits(int meter) const {
    const auto m = static_cast<std::size_t>(meter);
    if (meter < 0 || m >= m_limits.size() || !m_limits[m])
        return nullptr;
    return &*m_limits[m];
}

void RecordingLimits::reset() {
    m_job.discard();
    m_counts = m_limits;
    m_counted = 0;
    emit countsChanged();
}

void RecordingLimits::catchUp() {
    const auto ticks = static_cast<std::int64_t>(m_recorder.recording().size());
    const int meters = std::min(m_recorder.meterCount(), static_cast<int>(m_counts.size()));
    if (m_counted >= ticks)
        return;
    for (int m = 0; m < meters; ++m) {
        std::optional<LimitTest>& test = m_counts[static_cast<std::size_t>(m)];
        if (!test)
            continue;
        const Recording& recording = m_recorder.meterRecording(m);
        const std::int64_t end = std::min(ticks, static_cast<std::int64_t>(recording.size()));
        for (std::int64_t i = m_counted; i < end; ++i)
            if (const std::optional<SampleEntry> sample = recording.readSample(i))
                test->add(RecorderMainReading(*sample));
    }
    m_counted = ticks;
    emit countsChanged();
}

void RecordingLimits::recount() {
    const bool any = std::any_of(m_limits.begin(), m_limits.end(),
                                 [](const std::optional<LimitTest>& t) { return t.has_value(); });
    const auto ticks = static_cast<std::int64_t>(m_recorder.recording().size());
    if (!any || ticks == 0) {
        reset();
        return;
    }
    std::vector<MeterCount> meters;
    for (int m = 0; m < m_recorder.meterCount(); ++m) {
        const auto k = static_cast<std::size_t>(m);
        meters.push_back({m_recorder.meterRecording(m).records(),
                          k < m_limits.size() ? m_limits[k] : std::nullopt});
    }
    m_job.start(
        [meters = std::move(meters), ticks](const JobControl& control) mutable {
            return countLimits(meters, ticks, control.token());
        },
        [this](CountResult&& result, JobOutcome outcome) {
            if (outcome != JobOutcome::Done || !result.done)
                return;
            m_counts = std::move(result.counts);
            m_counted = result.ticks;
            catchUp(); // samples taken while the count ran
            emit countsChanged();
        });
    emit countsChanged();
}

} // namespace telmora
