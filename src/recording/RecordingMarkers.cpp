#include "recording/RecordingMarkers.h"

#include <QJsonObject>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace telmora {

namespace {

const QString kSample = QStringLiteral("sample");
const QString kTime = QStringLiteral("time");
const QString kNote = QStringLiteral("note");
const QString kMeter = QStringLiteral("meter");
const QString kSerial = QStringLiteral("serial");
// Sample indices a recorder file can hold.
constexpr double kMaxSample = 2147483647.0;

std::optional<std::vector<Marker>> failWith(QString* error, const QString& reason) {
    if (error != nullptr)
        *error = reason;
    return std::nullopt;
}

bool optionalText(const QJsonObject& object, const QString& key) {
    const QJsonValue value = object.value(key);
    return value.isUndefined() || value.isString();
}

} // namespace

int RecordingMarkers::add(Marker marker) {
    if (count() >= kMaxMarkers)
        return -1;
    marker.note.truncate(kMaxMarkerNote);
    const auto at = std::upper_bound(
        m_markers.begin(), m_markers.end(), marker.sample,
        [](std::int64_t sample, const Marker& other) { return sample < other.sample; });
    const auto placed = m_markers.insert(at, std::move(marker));
    return static_cast<int>(placed - m_markers.begin());
}

bool RecordingMarkers::setNote(int index, const QString& note) {
    if (index < 0 || index >= count())
        return false;
    m_markers[static_cast<std::size_t>(index)].note = note.left(kMaxMarkerNote);
    return true;
}

bool RecordingMarkers::remove(int index) {
    if (index < 0 || index >= count())
        return false;
    m_markers.erase(m_markers.begin() + index);
    return true;
}

void RecordingMarkers::replace(std::vector<Marker> markers) {
    std::stable_sort(markers.begin(), markers.end(),
                     [](const Marker& a, const Marker& b) { return a.sample < b.sample; });
    if (markers.size() > static_cast<std::size_t>(kMaxMarkers))
        markers.resize(static_cast<std::size_t>(kMaxMarkers));
    m_markers = std::move(markers);
}

int RecordingMarkers::nextAfter(std::int64_t sample) const {
    const auto at =
        std::upper_bound(m_markers.begin(), m_markers.end(), sample,
                         [](std::int64_t s, const Marker& other) { return s < other.sample; });
    return at == m_markers.end() ? -1 : static_cast<int>(at - m_markers.begin());
}

int RecordingMarkers::previousBefore(std::int64_t sample) const {
    const auto at =
        std::lower_bound(m_markers.begin(), m_markers.end(), sample,
                         [](const Marker& other, std::int64_t s) { return other.sample < s; });
    return at == m_markers.begin() ? -1 : static_cast<int>(at - m_markers.begin()) - 1;
}

QString RecordingMarkers::noteAt(std::int64_t sample) const {
    QStringList notes;
    const int first = previousBefore(sample) + 1;
    for (int i = first; i < count() && at(i).sample == sample; ++i)
        if (!at(i).note.isEmpty())
            notes << at(i).note;
    return notes.join(QStringLiteral("; "));
}

QJsonArray MarkersJson(const std::vector<Marker>& markers) {
    QJsonArray array;
    for (const Marker& marker : markers) {
        QJsonObject object{{kSample, static_cast<qint64>(marker.sample)},
                           {kTime, marker.time},
                           {kNote, marker.note}};
        if (!marker.meter.isEmpty())
            object.insert(kMeter, marker.meter);
        if (!marker.serial.isEmpty())
            object.insert(kSerial, marker.serial);
        array.append(object);
    }
    return array;
}

std::optional<std::vector<Marker>> ParseMarkers(const QJsonValue& value, QString* error) {
    if (!value.isArray())
        return failWith(error, QStringLiteral("the markers are no list"));
    const QJsonArray array = value.toArray();
    if (array.size() > kMaxMarkers)
        return failWith(error, QStringLiteral("%1 markers, but a recording keeps at most %2")
                                   .arg(array.size())
                                   .arg(kMaxMarkers));
    std::vector<Marker> markers;
    markers.reserve(static_cast<std::size_t>(array.size()));
    for (qsizetype i = 0; i < array.size(); ++i) {
        const QJsonObject object = array.at(i).toObject();
        const double sample = object.value(kSample).toDouble(-1.0);
        const bool whole = sample >= 0.0 && sample <= kMaxSample && std::floor(sample) == sample;
        if (!array.at(i).isObject() || !object.value(kSample).isDouble() || !whole)
            return failWith(error, QStringLiteral("marker %1 names no sample").arg(i + 1));
        if (!optionalText(object, kTime) || !optionalText(object, kNote) ||
            !optionalText(object, kMeter) || !optionalText(object, kSerial))
            return failWith(error,
                            QStringLiteral("marker %1 holds a note that is no text").arg(i + 1));
        if (object.value(kNote).toString().size() > kMaxMarkerNote)
            return failWith(error, QStringLiteral("the note of marker %1 is longer than %2 "
                                                  "characters")
                                       .arg(i + 1)
                                       .arg(kMaxMarkerNote));
        markers.push_back({static_cast<std::int64_t>(sample), object.value(kTime).toString(),
                           object.value(kNote).toString(), object.value(kMeter).toString(),
                           object.value(kSerial).toString()});
    }
    std::stable_sort(markers.begin(), markers.end(),
                     [](const Marker& a, const Marker& b) { return a.sample < b.sample; });
    return markers;
}

std::vector<Marker> MarkersWithin(std::vector<Marker> markers, std::int64_t sampleCount,
                                  QString* error) {
    const auto past =
        std::remove_if(markers.begin(), markers.end(),
                       [sampleCount](const Marker& m) { return m.sample >= sampleCount; });
    const auto dropped = std::distance(past, markers.end());
    markers.erase(past, markers.end());
    if (dropped > 0 && error != nullptr)
        *error = QStringLiteral("%1 of the markers lie past the recording's last sample (%2 "
                                "samples) and were left out")
                     .arg(dropped)
                     .arg(sampleCount);
    return markers;
}

} // namespace telmora
