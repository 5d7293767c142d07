#pragma once
// Opening and saving the recording of several meters: one recorder file per meter
// and the manifest that names them (see RecordingManifest.h).

#include "recording/MathChannel.h"
#include "recording/RecordStore.h"
#include "recording/RecorderFile.h"
#include "recording/RecordingManifest.h"
#include "recording/RecordingTracks.h"
#include "recording/recordertidy.h"
#include "recording/recordingjobs.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <stop_token>
#include <vector>

namespace telmora {

// The files of a manifest, opened and checked on the caller's thread.
struct RecordingSetFiles {
    RecordingManifest manifest;
    std::vector<QString> paths;
    std::vector<std::shared_ptr<RecorderFileReader>> readers;
    std::int64_t count = 0; // samples of each meter that are read
    bool cutShort = false;  // a file's header announced more samples than it held
};

// Opens every file the manifest at `path` names. Nothing, with a reason that names
// the file, when the manifest is unreadable, a file cannot be opened (a symbolic
// link is not followed), is damaged or the files hold different numbers of samples. The temporary
// files of a recording that ended in a crash may differ by the tick that was being written: they
// are read as far as all of them go.
std::optional<RecordingSetFiles> OpenRecordingSet(const QString& path, QString* error);

struct RecordingSetLoad {
    LoadOutcome outcome = LoadOutcome::Aborted;
    std::vector<LoadedMeter> meters; // the first meter's statistics are counted later
    QString math;
    std::vector<double> mathValues;
    ManifestTrigger trigger{};
    bool cutShort = false;
    QString failedFile;  // the file that could not be read (Unreadable, Damaged)
    RecordDamage damage; // its first damaged record (Damaged)
    std::vector<Marker> markers;
    QString markersError; // why markers kept for it could not be taken up
};

// Reads every meter's values and counts the companions' statistics and the math
// channel, on a worker thread.
RecordingSetLoad LoadRecordingSet(RecordingSetFiles& files, std::stop_token stop,
                                  const LoadProgress& progress);

// The math values of `count` ticks of the meters' stores (stores[0] is M1).
std::vector<double> ComputeMathValues(const MathChannel& math,
                                      std::span<const RecordStore* const> stores,
                                      std::int64_t count, std::stop_token stop = {});

// The unit of the first sample of `records` that holds a reading (UTF-8, as
// the function table gives it); empty when the first few thousand samples hold none.
std::string FirstUnitOf(const RecordStore& records);

// The records of each meter of opened set files, `count` samples each (the readers
// give up their files).
std::vector<RecordStore> RecordStoresOf(RecordingSetFiles& files);
// What the tidy export of opened set files reads: the meters' names and stores
// (from RecordStoresOf), the math channel and its values. The files keep no date:
// the export gives the time of day.
TidyMeterSet TidySetOf(const RecordingSetFiles& files, const std::vector<RecordStore>& stores);

// One meter of a recording to save.
struct RecordingSetMember {
    QString name;
    QString serial;
    const RecordStore* records = nullptr;
};

// Saves a several-meter recording as the manifest `path` ("NAME.telmora") and one
// .g53 file per meter beside it ("NAME-<meter>.g53", or "NAME-<meter>-2.g53" and so
// on where that name is in use), as one SaveFileSet: the meters' files are written
// under names no file and no manifest already there uses, the new manifest then
// replaces the old one, and only after that are the old manifest's files removed.
// A failure or a crash at any moment leaves the recording that was there whole.
// False with the reason (naming the file that failed and saying that nothing was
// replaced) when a file cannot be written; false without one when `stop` was
// requested.
// The manifest holds `markers`.
bool SaveRecordingSet(const QString& path, std::span<const RecordingSetMember> members,
                      const QString& math, QString* error = nullptr, std::stop_token stop = {},
                      const SaveProgress& progress = {}, const ManifestTrigger& trigger = {},
                      const std::vector<Marker>& markers = {});

// Saves one meter as the recorder file `path` ("NAME.g53") with the manifest
// "NAME.telmora" beside it that names it and holds `markers`, as one SaveFileSet
// (the recorder file is replaced first, the manifest last). A recording without
// markers whose file has no such manifest yet is saved as the recorder file alone.
bool SaveRecordingWithMarkers(const QString& path, const RecordingSetMember& member,
                              const std::vector<Marker>& markers, QString* error = nullptr,
                              std::stop_token stop = {}, const SaveProgress& progress = {});

} // namespace telmora
