#include "recording/MeterTrack.h"

#include "model/sampleconversion.h"

#include <new>

namespace telmora {

// --- fresh readings --------------------------------------------------------------------

bool FreshReadings::hasFresh(const DecodedReplySource& source) const {
    if (m_ended || !source.linked || !source.linked() || !source.readingValid ||
        !source.readingValid() || !source.latestReading)
        return false;
    // A source that does not count its readings offers its valid reading as fresh.
    return !source.readingCount || !m_lastCount || source.readingCount() != *m_lastCount;
}

std::optional<SampleEntry> FreshReadings::take(const DecodedReplySource& source,
                                               std::string_view timeText, DecodedReply* reading) {
    if (!hasFresh(source))
        return std::nullopt;
    if (source.readingCount)
        m_lastCount = source.readingCount();
    const DecodedReply newest = source.latestReading();
    if (reading != nullptr)
        *reading = newest;
    return BuildSample(newest, timeText);
}

// --- a meter's track ---------------------------------------------------------------------

MeterTrack::MeterTrack(RecorderMeter meter, QString temporaryDirectory)
    : m_meter(std::move(meter)), m_boundSerial(m_meter.serial),
      m_files(std::move(temporaryDirectory)) {}

void MeterTrack::setRecording(Recording recording, bool closeFile) {
    if (closeFile)
        m_files.close();
    m_fileHoldsRecording = false;
    m_recording = std::move(recording);
    m_statistics.clear();
}

bool MeterTrack::prepareFile() {
    const auto count = static_cast<std::int64_t>(m_recording.size());
    if (m_files.isOpen() && m_fileHoldsRecording && m_files.sampleCount() == count)
        return true;
    const bool goesOn =
        m_fileHoldsRecording && m_files.sampleCount() <= count && m_files.reopenCurrent();
    if (!goesOn) {
        m_fileHoldsRecording = false;
        if (!m_files.startNext())
            return false;
        m_fileHoldsRecording = true;
    }
    if (m_files.appendFrom(m_recording.records(), m_files.sampleCount(), count))
        return true;
    m_files.close();
    return false;
}

void MeterTrack::adoptFile(const QString& path, std::unique_ptr<TemporaryFileClaim> claim,
                           bool goOnInIt) {
    m_files.adopt(path, std::move(claim));
    if (goOnInIt)
        m_fileHoldsRecording =
            m_files.continueIn(path, static_cast<std::int64_t>(m_recording.size()));
}

MeterTrack::Stored MeterTrack::store(const SampleEntry& entry, std::optional<WallClock> clock,
                                     bool count) {
    std::int64_t offset = 0;
    const bool toFile = m_files.isOpen();
    const bool refused = toFile && !m_files.append(entry, &offset);
    const bool inFile = toFile && !refused && m_files.records();
    try {
        m_recording.addSample(entry, clock, inFile ? m_files.records() : nullptr, offset);
    } catch (const std::bad_alloc&) {
        if (inFile)
            m_files.removeLast(); // the file mirrors the recording
        throw;
    }
    if (count)
        m_statistics.add(entry);
    if (refused) {
        const bool cut = m_files.wasCut();
        m_files.close();
        return cut ? Stored::FileCut : Stored::DiskRefused;
    }
    return inFile ? Stored::InFile : Stored::InMemory;
}

void MeterTrack::clear(bool keepFileOpen) {
    if (!keepFileOpen)
        m_files.close();
    m_fileHoldsRecording = false;
    m_recording.clear();
    m_statistics.clear();
    m_fresh.reset();
}

} // namespace telmora
