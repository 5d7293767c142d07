#pragma once
// What a job reports while it runs: the stage it is in and how far it has come.
// The windows turn a stage into its words; the work only names it.

#include <QMetaType>
#include <QtGlobal>

namespace telmora {

// Every stage a long piece of work can be in.
enum class JobStage {
    ReadingFile,       // reading the entries or samples of a file: done of total
    AddingToRecording, // an opened recording is being taken over (no abort any more)
    StoringSessions,   // the sessions of a read file are being taken over (no abort)
    AcquiringMemory,   // the logger memory is read block by block: bytes done of total
    ProcessingMemory,  // the sessions of the logger memory are converted: samples done of total
    WritingFile,       // a file is written: samples done of total (total 0: not known)
};

struct JobProgress {
    JobStage stage = JobStage::WritingFile;
    qint64 done = 0;
    qint64 total = 0;

    friend bool operator==(const JobProgress&, const JobProgress&) = default;
};

// How a run of a job ended.
enum class JobOutcome {
    Done,      // the work returned
    Cancelled, // the work returned after it was asked to stop
    Failed,    // the work threw; its result is the default one
};

} // namespace telmora

Q_DECLARE_METATYPE(telmora::JobProgress)
Q_DECLARE_METATYPE(telmora::JobOutcome)
