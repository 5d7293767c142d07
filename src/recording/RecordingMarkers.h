#pragma once
// The markers of a recording: moments the user (or the recorder itself, on an
// alarm or a lost cable) marked, each at one sample with an optional note. A
// marker of a several-meter recording is for the whole recording; it names the
// meter it came from where it came from one.
//
// In files they are a JSON array, kept in the recording's manifest and, while the
// recording runs, in a small file beside its temporary files:
//   [{"sample": 12, "time": "14:05:12", "note": "valve opened",
//     "meter": "Supply", "serial": "S1"}, ...]

#include <QJsonArray>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace telmora {

struct Marker {
    std::int64_t sample = 0; // index of the sample, from 0
    QString time;            // the sample's time as the recording gives it
    QString note;            // may be empty
    QString meter;           // the name of the meter it came from; empty: the user's own
    QString serial;          // that meter's serial number

    friend bool operator==(const Marker&, const Marker&) = default;
};

// The most markers a recording keeps, and the longest note (in characters);
// files holding more are refused.
inline constexpr int kMaxMarkers = 10000;
inline constexpr int kMaxMarkerNote = 500;

// The markers in the order of their samples (markers of one sample in the order
// they were made).
class RecordingMarkers {
public:
    const std::vector<Marker>& all() const { return m_markers; }
    bool empty() const { return m_markers.empty(); }
    int count() const { return static_cast<int>(m_markers.size()); }
    const Marker& at(int index) const { return m_markers[static_cast<std::size_t>(index)]; }

    // Adds `marker` in its place; returns its index, or -1 when the recording
    // already holds kMaxMarkers. A note longer than kMaxMarkerNote is cut.
    int add(Marker marker);
    // A new note for marker `index`; false when there is no such marker.
    bool setNote(int index, const QString& note);
    bool remove(int index);
    void clear() { m_markers.clear(); }
    void replace(std::vector<Marker> markers);

    // The first marker after sample `sample` / the last one before it; -1: none.
    int nextAfter(std::int64_t sample) const;
    int previousBefore(std::int64_t sample) const;
    // The note of the markers at sample `sample`, joined by "; " (empty: none).
    QString noteAt(std::int64_t sample) const;

private:
    std::vector<Marker> m_markers;
};

// The markers as they are written.
QJsonArray MarkersJson(const std::vector<Marker>& markers);
// Reads markers; nothing, with the reason in `error`, when the value is not an array
// of markers (a sample that is no whole number from 0, a note that is no text, more
// than kMaxMarkers markers or a note longer than kMaxMarkerNote).
std::optional<std::vector<Marker>> ParseMarkers(const QJsonValue& value, QString* error = nullptr);
// Leaves out the markers at sample `sampleCount` or later; the reason names how many
// went when any did.
std::vector<Marker> MarkersWithin(std::vector<Marker> markers, std::int64_t sampleCount,
                                  QString* error = nullptr);

} // namespace telmora
