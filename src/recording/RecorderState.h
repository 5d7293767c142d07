#pragma once

#include "model/ReadingRecord.h"
#include "model/SampleLists.h"
#include "recording/TemporaryStorage.h"

#include <QString>

#include <cstddef>
#include <cstdint>

namespace telmora {

// The recorder's data model beside its buffer: sample count, extremes, vertical
// scale, the temporary file of the running acquisition and the empty/unsaved flags.
// No widgets; the recorder window owns one and draws from it.
class RecorderState {
public:
    static constexpr float kScaleFactor = 1.33f;
    static constexpr double kInverseScaleFactor = 0.7518796992481203; // 1 / 1.33

    explicit RecorderState(SampleList& buffer = RecorderBuffer());
    // Releases the buffer's entries and deletes every temporary file of the run.
    ~RecorderState();
    RecorderState(const RecorderState&) = delete;
    RecorderState& operator=(const RecorderState&) = delete;

    SampleList& buffer() { return m_buffer; }
    const SampleList& buffer() const { return m_buffer; }

    // --- temporary storage ---
    // Counts a new acquisition and creates its file in `directory`. False when the
    // file cannot be created (the caller reports it and stops the acquisition).
    bool startTemporaryFile(const QString& directory);
    void closeTemporaryFile() { m_tempFile.close(); }
    bool temporaryFileOpen() const { return m_tempFile.isOpen(); }
    QString temporaryFilePath() const { return m_tempFile.path(); }
    std::int32_t sessionCounter() const { return m_sessionCounter; }
    // Deletes files 1..session counter in the directory given to the last start.
    void deleteTemporaryFiles();

    // --- samples ---
    struct AddResult {
        std::size_t index = 0;
        bool storageFailed = false; // the temporary file refused the sample
    };
    // Tracks the scale, appends the sample to the buffer and the temporary file,
    // tracks the extremes, counts it and marks the buffer non-empty and unsaved.
    // Throws std::bad_alloc when memory runs out, with nothing changed.
    AddResult addSample(const SampleEntry& entry);

    // Empties the buffer and resets count, extremes, scale and flags.
    void clearBuffer();

    // The two trackers, with the sample count before the new sample is counted.
    void updateScale(float x);
    void updateExtremes(float x);
    // Counts one sample that was appended to the buffer by a loader.
    void countSample();

    std::int32_t sampleCount() const { return m_sampleCount; }
    std::int32_t maxIndex() const { return m_maxIndex; }
    std::int32_t minIndex() const { return m_minIndex; }
    float scaleMax() const { return m_scaleMax; }
    float scaleMin() const { return m_scaleMin; }
    bool isEmpty() const { return m_empty; }
    bool isUnsaved() const { return m_unsaved; }
    void setUnsaved(bool on) { m_unsaved = on; }
    void setEmpty(bool on) { m_empty = on; }

private:
    SampleList& m_buffer;
    TemporaryFile m_tempFile;
    QString m_tempDirectory;
    std::int32_t m_sessionCounter = 0;
    std::int32_t m_sampleCount = 0;
    std::int32_t m_maxIndex = 0;
    std::int32_t m_minIndex = 0;
    float m_scaleMax = 100.0f;
    float m_scaleMin = -100.0f;
    bool m_empty = true;
    bool m_unsaved = false;
};

} // namespace telmora
