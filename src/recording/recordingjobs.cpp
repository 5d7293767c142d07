#include "recording/recordingjobs.h"

#include <QElapsedTimer>

#include <new>

namespace telmora {

namespace {
constexpr int kProgressIntervalMs = 30; // how often a job reports its progress
} // namespace

LoadResult LoadRecording(RecorderFileReader& reader, std::stop_token stop,
                         const LoadProgress& progress) {
    LoadResult result;
    const std::int64_t n = reader.count();
    QElapsedTimer sinceReport;
    sinceReport.start();
    progress(LoadStage::Reading, 0, n);
    ReadingRecord main;
    for (std::int64_t i = 0; i < n; ++i) {
        if (stop.stop_requested()) {
            result.recording = Recording(); // Aborted: nothing of the file is kept
            return result;
        }
        if (sinceReport.elapsed() >= kProgressIntervalMs) {
            progress(LoadStage::Reading, i, n);
            sinceReport.restart();
        }
        if (!reader.readNextMain(main)) {
            result.outcome = LoadOutcome::Unreadable;
            result.recording = Recording();
            return result;
        }
        try {
            result.recording.appendLoadedValue(main.value);
            result.statistics.add(main);
        } catch (const std::bad_alloc&) {
            result.recording = Recording();
            result.outcome = LoadOutcome::OutOfMemory;
            return result;
        }
    }
    // The records stay in the file; only their values were read.
    try {
        result.recording.attachLoadedRecords(std::make_shared<RecordFile>(reader.releaseDevice()),
                                             reader.format(), reader.dataOffset(), n);
    } catch (const std::bad_alloc&) {
        result.recording = Recording();
        result.outcome = LoadOutcome::OutOfMemory;
        return result;
    }
    progress(LoadStage::Counting, n, n);
    result.recording.recount([&](std::int64_t j) {
        if (sinceReport.elapsed() >= kProgressIntervalMs) {
            progress(LoadStage::Counting, j, n);
            sinceReport.restart();
        }
    });
    result.cutShort = reader.cutShort();
    result.outcome = LoadOutcome::Loaded;
    return result;
}

} // namespace telmora
