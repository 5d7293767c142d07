#include "recording/RecorderState.h"

#include <cmath>

namespace telmora {

RecorderState::RecorderState(SampleList& buffer) : m_buffer(buffer) {}

RecorderState::~RecorderState() {
    deleteTemporaryFiles();
    m_tempFile.close();
    m_buffer.clear();
}

bool RecorderState::startTemporaryFile(const QString& directory) {
    ++m_sessionCounter;
    m_tempDirectory = directory;
    return m_tempFile.create(TemporaryFilePath(directory, m_sessionCounter));
}

void RecorderState::deleteTemporaryFiles() {
    if (m_sessionCounter == 0)
        return;
    for (int n = 1; n <= m_sessionCounter; ++n) {
        const QString path = TemporaryFilePath(m_tempDirectory, n);
        DeleteWithRetry(path, [&] {
            if (m_tempFile.isOpen() && m_tempFile.path() == path)
                m_tempFile.close();
        });
    }
}

RecorderState::AddResult RecorderState::addSample(const SampleEntry& entry) {
    // Append first: if memory runs out nothing has changed yet.
    const float scaleMax = m_scaleMax, scaleMin = m_scaleMin;
    updateScale(entry.main.value);
    AddResult result;
    try {
        result.index = m_buffer.append(entry);
    } catch (...) {
        m_scaleMax = scaleMax;
        m_scaleMin = scaleMin;
        throw;
    }
    if (m_tempFile.isOpen() && !m_tempFile.append(entry))
        result.storageFailed = true;
    updateExtremes(entry.main.value);
    countSample();
    return result;
}

void RecorderState::countSample() {
    ++m_sampleCount;
    m_empty = false;
    m_unsaved = true;
}

void RecorderState::clearBuffer() {
    m_buffer.clear();
    m_sampleCount = 0;
    m_maxIndex = 0;
    m_minIndex = 0;
    m_scaleMax = 100.0f;
    m_scaleMin = -100.0f;
    m_empty = true;
    m_unsaved = false;
}

void RecorderState::updateScale(float x) {
    const float magnitude = std::fabs(x) * kScaleFactor;
    if (m_sampleCount == 0) {
        m_scaleMax = magnitude != 0.0f ? magnitude : 1.0f;
        m_scaleMin = magnitude != 0.0f ? -magnitude : -1.0f;
        return;
    }
    if (m_scaleMax * kInverseScaleFactor <= x)
        m_scaleMax = magnitude != 0.0f ? magnitude : 1.0f;
    if (m_scaleMin * kInverseScaleFactor >= x)
        m_scaleMin = magnitude != 0.0f ? -magnitude : -1.0f;
}

void RecorderState::updateExtremes(float x) {
    const std::int32_t n = m_sampleCount;
    if (n == 0 || m_buffer.empty()) {
        m_maxIndex = m_minIndex = 0;
        return;
    }
    const auto valueAt = [&](std::int32_t i) {
        return i >= 0 && static_cast<std::size_t>(i) < m_buffer.size() ? m_buffer[i].main.value : x;
    };
    if (valueAt(m_maxIndex) > x) {
        if (x <= valueAt(m_minIndex))
            m_minIndex = n;
    } else {
        m_maxIndex = n;
    }
}

} // namespace telmora
