#include "recording/recordingjobs.h"

#include <QElapsedTimer>

#include <algorithm>
#include <new>
#include <span>
#include <vector>

namespace telmora {

namespace {
constexpr int kProgressIntervalMs = 30; // how often a job reports its progress
// Values read between two looks at the stop token and the progress clock.
constexpr std::int64_t kValuesPerStep = 8192;
} // namespace

LoadResult LoadRecording(RecorderFileReader& reader, std::stop_token stop,
                         const LoadProgress& progress, std::int64_t limit) {
    LoadResult result;
    const std::int64_t n = limit < 0 ? reader.count() : std::min(reader.count(), limit);
    QElapsedTimer sinceReport;
    sinceReport.start();
    progress(JobStage::ReadingFile, 0, n);
    std::vector<float> values(kValuesPerStep);
    const auto fail = [&result](LoadOutcome outcome) {
        result.recording = Recording(); // nothing of the file is kept
        result.outcome = outcome;
        return std::move(result);
    };
    for (std::int64_t i = 0; i < n;) {
        if (stop.stop_requested())
            return fail(LoadOutcome::Aborted);
        if (sinceReport.elapsed() >= kProgressIntervalMs) {
            progress(JobStage::ReadingFile, i, n);
            sinceReport.restart();
        }
        const auto want = static_cast<std::size_t>(
            std::min<std::int64_t>(n - i, static_cast<std::int64_t>(values.size())));
        const std::size_t got = reader.readValues(std::span(values).first(want));
        if (reader.damaged()) {
            result.damage = reader.damage();
            return fail(LoadOutcome::Damaged);
        }
        if (got == 0)
            return fail(LoadOutcome::Unreadable);
        try {
            result.recording.appendCountedValues(std::span<const float>(values).first(got));
        } catch (const std::bad_alloc&) {
            return fail(LoadOutcome::OutOfMemory);
        }
        i += static_cast<std::int64_t>(got);
    }
    // The records stay in the file; only their values were read.
    try {
        result.recording.attachLoadedRecords(std::make_shared<RecordFile>(reader.releaseDevice()),
                                             reader.format(), reader.dataOffset(), n);
    } catch (const std::bad_alloc&) {
        return fail(LoadOutcome::OutOfMemory);
    }
    // Counted while read: the counting stage is over as soon as it begins.
    progress(JobStage::AddingToRecording, n, n);
    result.cutShort = reader.cutShort();
    result.outcome = LoadOutcome::Loaded;
    return result;
}

} // namespace telmora
