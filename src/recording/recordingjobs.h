#pragma once

#include "jobs/JobProgress.h"
#include "recording/RecorderFile.h"
#include "recording/Recording.h"

#include <QMetaType>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>
#include <stop_token>

namespace telmora {

enum class LoadOutcome {
    Loaded,      // every sample, or every complete one of a cut-short .g53 file
    Unreadable,  // the data could not be read (message 9004)
    Damaged,     // a record no writer makes (message 9001, with the sample and why)
    OutOfMemory, // message 9006
    Aborted,     // the user pressed Abort
};

struct LoadResult {
    LoadOutcome outcome = LoadOutcome::Aborted;
    Recording recording;   // the loaded samples, empty unless Loaded
    bool cutShort = false; // a .g53 header announced more samples than were present
    RecordDamage damage;   // the first damaged record (Damaged)
};

// Progress of a load: the stage (ReadingFile while the samples are read, which
// may be aborted; AddingToRecording once they are counted), samples done and the
// total.
using LoadProgress = std::function<void(JobStage, std::int64_t, std::int64_t)>;

// Reads the value of every sample of an opened reader into a new recording, which
// then reads its records from the reader's file, and counts it (scale, extremes,
// count; the statistics are counted afterwards, see CountRecordingStatistics). Runs on a
// worker thread; `progress` is called now and then (not for every sample) and the
// stop token is honoured between blocks of samples while reading.
// `limit`, when not negative, reads no more than that many samples.
LoadResult LoadRecording(RecorderFileReader& reader, std::stop_token stop,
                         const LoadProgress& progress, std::int64_t limit = -1);

struct SaveResult {
    QString path;
    bool saved = false;
    QString reason;      // why the file could not be written
    QStringList written; // an export of several meters: the file of each meter
};

} // namespace telmora

Q_DECLARE_METATYPE(telmora::LoadOutcome)
