// RecorderController and the markers of its recording.
#include "recording/RecorderController.h"

#include "model/tidycsv.h"
#include "text/texts.h"

namespace telmora {

namespace {

// The time of sample `index` for its marker: the date and time where the recording
// knows them, else the time of day its record holds.
QString sampleTime(const Recording& recording, std::int64_t index) {
    if (const std::optional<WallClock> clock = recording.wallClock(static_cast<std::size_t>(index)))
        return QString::fromStdString(IsoDateTime(clock->utcMs, clock->utcOffsetSeconds));
    if (const std::optional<SampleEntry> entry = recording.readSample(index))
        return QString::fromLatin1(entry->main.timeText.view().data(),
                                   static_cast<qsizetype>(entry->main.timeText.view().size()))
            .trimmed();
    return {};
}

} // namespace

int RecorderController::meterOfSerial(const QString& serial) const {
    for (int meter = 0; meter < m_tracks.count() && !serial.isEmpty(); ++meter)
        if (m_tracks.serial(meter) == serial)
            return meter;
    return -1;
}

int RecorderController::addMarker(const QString& note, std::int64_t sample, int meter) {
    const auto count = static_cast<std::int64_t>(recording().size());
    if (sample < 0)
        sample = count - 1;
    if (sample < 0 || sample >= count)
        return -1;
    Marker marker{sample, sampleTime(recording(), sample), note, {}, {}};
    if (meter >= 0 && meter < m_tracks.count()) {
        marker.meter = m_tracks.name(meter);
        if (marker.meter.isEmpty())
            marker.meter = QStringLiteral("M%1").arg(meter + 1);
        marker.serial = m_tracks.serial(meter);
    }
    const int index = m_markers.add(marker);
    if (index < 0)
        return -1;
    m_markersUnsaved = true;
    keepMarkers();
    emit markersChanged();
    emit unsavedChanged();
    emit markerAdded(m_markers.at(index));
    return index;
}

bool RecorderController::setMarkerNote(int index, const QString& note) {
    if (!m_markers.setNote(index, note))
        return false;
    m_markersUnsaved = true;
    keepMarkers();
    emit markersChanged();
    emit unsavedChanged();
    return true;
}

bool RecorderController::removeMarker(int index) {
    if (!m_markers.remove(index))
        return false;
    m_markersUnsaved = true;
    keepMarkers();
    emit markersChanged();
    emit unsavedChanged();
    return true;
}

void RecorderController::takeOpenedMarkers(std::vector<Marker> markers, const QString& error) {
    QString reason = error;
    const auto count = static_cast<std::int64_t>(recording().size());
    m_markers.replace(MarkersWithin(std::move(markers), count, &reason));
    emit markersChanged();
    if (!reason.isEmpty())
        emit errorRaised(TextId::MarkersUnreadable, reason);
}

void RecorderController::keepMarkers() {
    if (!temporaryFileOpen())
        return;
    QString reason;
    if (!m_journal.write(temporaryFilePath(), m_markers.all(), &reason))
        emit errorRaised(TextId::MarkersNotKept, reason);
}

} // namespace telmora
