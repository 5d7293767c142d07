#pragma once
// The manifest of a several-meter recording ("NAME.telmora"): UTF-8 JSON naming
// the recorder file of each meter, in the meters' order, and the math channel:
//   {"format": "telmora-recording", "version": 1,
//    "meters": [{"name": "...", "serial": "...", "file": "NAME-meter.g53"}, ...],
//    "math": "M1*M2", "trigger": {"start": "M1 > 5 V", "stop": "after 10m"},
//    "markers": [...]}
// File names are relative to the manifest's folder and name no folder. The same
// file, beside the temporary files, ties the meters of a running recording
// together for crash recovery. "markers" (see RecordingMarkers.h) is written only
// when the recording has markers.

#include "recording/RecordingMarkers.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

namespace telmora {

struct ManifestMeter {
    QString name;
    QString serial;
    QString file; // a file name in the manifest's folder
};

// The recording's trigger as RecordingTrigger writes it; empty: at once, by hand.
struct ManifestTrigger {
    QString start;
    QString stop;

    bool isEmpty() const { return start.isEmpty() && stop.isEmpty(); }
};

struct RecordingManifest {
    std::vector<ManifestMeter> meters;
    QString math; // empty: no math channel
    ManifestTrigger trigger{};
    std::vector<Marker> markers{};
    // Why the markers could not be read (the manifest is used without them).
    QString markersError{};
};

inline constexpr int kManifestVersion = 1;
// The most meters a recording holds; a manifest naming more is refused before any
// of its files is opened.
inline constexpr int kMaxManifestMeters = 64;

// Whether `path` names a manifest (it ends in ".telmora", in any case).
bool IsManifestPath(const QString& path);

// The manifest as it is written.
QByteArray ManifestJson(const RecordingManifest& manifest);
// Reads a manifest from its bytes; nothing, with the reason in `error`, when it is
// no manifest, of another version, names more than kMaxManifestMeters meters, names
// a file outside its folder (a name with a folder separator, "." or "..") or names
// one file twice.
std::optional<RecordingManifest> ParseManifest(const QByteArray& json, QString* error = nullptr);
// Reads the manifest at `path` (the reason of a failure names no path).
std::optional<RecordingManifest> ReadManifest(const QString& path, QString* error = nullptr);
// Writes it through SaveFile; false with the system's reason.
bool WriteManifest(const QString& path, const RecordingManifest& manifest,
                   QString* error = nullptr);

// The full path of a file the manifest at `manifestPath` names.
QString ManifestMemberPath(const QString& manifestPath, const QString& file);

// `text` made safe as a part of a file name: characters no file name may hold
// become "_", blanks around it and dots and blanks at its end go (names some
// systems cut off). Empty when nothing is left.
QString FileNamePart(const QString& text);

// The file name of a meter's recorder file beside the manifest "NAME.telmora":
// "NAME-<meter name>.g53", where characters no file name may hold become "_"; a
// name already in `taken` gets a number ("NAME-<meter name>-2.g53").
QString MeterFileName(const QString& manifestPath, const QString& meterName,
                      const std::vector<QString>& taken);

} // namespace telmora
