#include "recording/recordingset.h"

#include "model/SaveFileSet.h"
#include "model/TypedReading.h"
#include "model/fileaccess.h"
#include "recording/GapSample.h"
#include "recording/TemporaryGroupFile.h"
#include "recording/markerfiles.h"
#include "text/texts.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cmath>

namespace telmora {

namespace {
QString fileText(const QString& path) {
    return QDir::toNativeSeparators(path);
}
} // namespace

std::optional<RecordingSetFiles> OpenRecordingSet(const QString& path, QString* error) {
    QString reason;
    std::optional<RecordingManifest> manifest = ReadManifest(path, &reason);
    if (!manifest) {
        *error = fileText(path) + QStringLiteral(": ") + reason;
        return std::nullopt;
    }
    RecordingSetFiles files;
    files.manifest = std::move(*manifest);
    bool allTemporary = true;
    for (const ManifestMeter& meter : files.manifest.meters) {
        const QString member = ManifestMemberPath(path, meter.file);
        auto reader = std::make_shared<RecorderFileReader>();
        // A member is the file in the manifest's folder, never where a link points.
        QString problem;
        switch (reader->open(member, FileLinks::Refuse)) {
        case RecorderFileReader::OpenStatus::Ok:
            problem = NoSamplesProblem(*reader);
            break;
        case RecorderFileReader::OpenStatus::CannotOpen:
            problem = reader->openError();
            break;
        case RecorderFileReader::OpenStatus::NegativeCount:
            problem = QStringLiteral("the file is damaged (its sample count is negative)");
            break;
        }
        if (!problem.isEmpty()) {
            *error = fileText(member) + QStringLiteral(": ") + problem;
            return std::nullopt;
        }
        allTemporary &= reader->format() == RecorderFormat::Tmp;
        files.cutShort |= reader->cutShort();
        files.paths.push_back(member);
        files.readers.push_back(std::move(reader));
    }
    files.count = files.readers.front()->count();
    for (std::size_t i = 1; i < files.readers.size(); ++i) {
        const std::int64_t count = files.readers[i]->count();
        if (count != files.count && !allTemporary) {
            *error =
                fileText(files.paths[i]) + QStringLiteral(": holds %1 samples, but %2 holds %3")
                                               .arg(count)
                                               .arg(fileText(files.paths.front()))
                                               .arg(files.count);
            return std::nullopt;
        }
        files.count = std::min(files.count, count);
    }
    return files;
}

RecordingSetLoad LoadRecordingSet(RecordingSetFiles& files, std::stop_token stop,
                                  const LoadProgress& progress) {
    RecordingSetLoad result;
    const auto meters = static_cast<std::int64_t>(files.readers.size());
    const std::int64_t total = files.count * meters;
    for (std::int64_t m = 0; m < meters; ++m) {
        const auto at = static_cast<std::size_t>(m);
        LoadResult loaded = LoadRecording(
            *files.readers[at], stop,
            [&](JobStage stage, std::int64_t done, std::int64_t) {
                if (stage == JobStage::ReadingFile)
                    progress(JobStage::ReadingFile, m * files.count + done, total);
            },
            files.count);
        if (loaded.outcome != LoadOutcome::Loaded) {
            result.outcome = loaded.outcome;
            result.damage = loaded.damage;
            result.failedFile = files.paths[at];
            result.meters.clear();
            return result;
        }
        LoadedMeter meter{files.manifest.meters[at].name,
                          files.manifest.meters[at].serial,
                          std::move(loaded.recording),
                          {}};
        if (m > 0) {
            std::optional<RecordingStatistics> counted =
                CountRecordingStatistics(meter.recording.records(), files.count, stop);
            if (!counted)
                return {};
            meter.statistics = std::move(*counted);
        }
        result.meters.push_back(std::move(meter));
    }
    progress(JobStage::AddingToRecording, total, total);
    MathChannel math;
    if (math.setExpression(files.manifest.math, static_cast<int>(meters))) {
        result.math = math.expression();
        std::vector<const RecordStore*> stores;
        for (const LoadedMeter& meter : result.meters)
            stores.push_back(&meter.recording.records());
        result.mathValues = ComputeMathValues(math, stores, files.count, stop);
    }
    result.trigger = files.manifest.trigger;
    result.cutShort = files.cutShort;
    result.outcome = stop.stop_requested() ? LoadOutcome::Aborted : LoadOutcome::Loaded;
    return result;
}

std::vector<double> ComputeMathValues(const MathChannel& math,
                                      std::span<const RecordStore* const> stores,
                                      std::int64_t count, std::stop_token stop) {
    std::vector<double> out;
    if (!math.isSet())
        return out;
    constexpr std::size_t kBlockRecords = 1024;
    std::vector<RecordReader> readers(stores.size(), RecordReader(kBlockRecords));
    std::vector<double> values(stores.size());
    out.reserve(static_cast<std::size_t>(std::max<std::int64_t>(count, 0)));
    for (std::int64_t i = 0; i < count; ++i) {
        if (i % 4096 == 0 && stop.stop_requested())
            return {};
        for (std::size_t m = 0; m < stores.size(); ++m) {
            const std::optional<SampleEntry> sample = readers[m].tryRead(*stores[m], i);
            values[m] = sample ? MathOperand(sample->main) : std::nan("");
        }
        out.push_back(math.evaluate(values));
    }
    return out;
}

std::string FirstUnitOf(const RecordStore& records) {
    constexpr std::int64_t kSearched = 4096;
    RecordReader reader;
    const std::int64_t end = std::min(records.size(), kSearched);
    for (std::int64_t i = 0; i < end; ++i) {
        const std::optional<SampleEntry> sample = reader.tryRead(records, i);
        if (sample && !IsGapSample(*sample))
            return std::string(FunctionRowOf(sample->main.function()).siUnit);
    }
    return {};
}

std::vector<RecordStore> RecordStoresOf(RecordingSetFiles& files) {
    std::vector<RecordStore> stores(files.readers.size());
    for (std::size_t m = 0; m < files.readers.size(); ++m) {
        RecorderFileReader& reader = *files.readers[m];
        stores[m].appendStored(std::make_shared<RecordFile>(reader.releaseDevice()),
                               reader.format(), reader.dataOffset(), files.count);
    }
    return stores;
}

TidyMeterSet TidySetOf(const RecordingSetFiles& files, const std::vector<RecordStore>& stores) {
    TidyMeterSet set;
    set.markers = TidyMarkerNotes(MarkersWithin(files.manifest.markers, files.count));
    std::vector<const RecordStore*> pointers;
    std::vector<std::string> units;
    for (std::size_t m = 0; m < stores.size(); ++m) {
        QString name = files.manifest.meters[m].name;
        if (name.isEmpty())
            name = QStringLiteral("M%1").arg(m + 1);
        set.meters.push_back({name.toStdString(), &stores[m]});
        pointers.push_back(&stores[m]);
        units.push_back(FirstUnitOf(stores[m]));
    }
    MathChannel math;
    if (math.setExpression(files.manifest.math, static_cast<int>(stores.size())) && math.isSet()) {
        set.hasMath = true;
        set.mathExpression = math.expression().toStdString();
        set.mathUnit = math.unit(units);
        set.mathValues = ComputeMathValues(math, pointers, files.count);
    }
    return set;
}

namespace {

// Names tried for one meter's new file before the save gives up.
constexpr int kMemberNameAttempts = 1000;

// What a failed set save says: the file that failed and why, and that the
// recording already at that place was left as it was.
QString setSaveFailure(const QString& file, const QString& reason) {
    return fileText(file) + QStringLiteral(": ") + reason + QLatin1Char(' ') +
           text(TextId::SaveSetNothingReplaced);
}

// Makes the new file of the meter `meterName` beside the manifest, under a name
// that neither a file there nor the old manifest uses, and adds it to `taken`.
// Nothing, with why in `failure`, when no such file can be made.
std::optional<QString> claimMemberFile(SaveFileSet& set, const QString& manifestPath,
                                       const QString& meterName, std::vector<QString>& taken,
                                       QString& failure) {
    for (int attempt = 0; attempt < kMemberNameAttempts; ++attempt) {
        const QString file = MeterFileName(manifestPath, meterName, taken);
        taken.push_back(file);
        switch (set.claimNew(ManifestMemberPath(manifestPath, file))) {
        case SaveFileSet::NewFile::Claimed:
            return file;
        case SaveFileSet::NewFile::Taken:
            continue;
        case SaveFileSet::NewFile::Failed:
            failure = setSaveFailure(set.failedFile(), set.errorString());
            return std::nullopt;
        }
    }
    failure =
        setSaveFailure(ManifestMemberPath(manifestPath, MeterFileName(manifestPath, meterName, {})),
                       QStringLiteral("every name for this meter's file is taken"));
    return std::nullopt;
}

} // namespace

bool SaveRecordingSet(const QString& path, std::span<const RecordingSetMember> members,
                      const QString& math, QString* error, std::stop_token stop,
                      const SaveProgress& progress, const ManifestTrigger& trigger,
                      const std::vector<Marker>& markers) {
    const auto failWith = [error](const QString& reason) {
        if (error != nullptr)
            *error = reason;
        return false;
    };
    // The meters' files go beside the file the manifest replaces. The recording
    // already there stays whole until the new manifest replaces the old one: the
    // new files get names the old manifest does not use, and the old files are
    // removed only after that.
    const QString manifestPath = SaveFileSet::ReplacedFile(path);
    std::vector<QString> taken;
    SaveFileSet set;
    if (const std::optional<RecordingManifest> old = ReadManifest(manifestPath)) {
        for (const ManifestMeter& meter : old->meters) {
            taken.push_back(meter.file);
            set.removeAfterCommit(ManifestMemberPath(manifestPath, meter.file));
        }
    }
    RecordingManifest manifest;
    manifest.math = math;
    manifest.trigger = trigger;
    manifest.markers = markers;
    std::int64_t total = 0;
    for (const RecordingSetMember& member : members)
        total += member.records->size();
    std::int64_t before = 0;
    for (const RecordingSetMember& member : members) {
        QString failure;
        const std::optional<QString> file =
            claimMemberFile(set, manifestPath, member.name, taken, failure);
        if (!file)
            return failWith(failure);
        const QString target = ManifestMemberPath(manifestPath, *file);
        QString reason;
        const SaveProgress inSet = [&](std::int64_t done, std::int64_t) {
            if (progress)
                progress(before + done, total);
        };
        if (!SaveRecordStore(target, *member.records, &reason, stop, inSet))
            return failWith(reason.isEmpty() ? QString() : setSaveFailure(target, reason));
        before += member.records->size();
        manifest.meters.push_back({member.name, member.serial, *file});
    }
    if (stop.stop_requested())
        return failWith(QString());
    const QString staged = set.stageReplacement(manifestPath);
    QString reason;
    if (staged.isEmpty() || !WriteManifest(staged, manifest, &reason))
        return failWith(setSaveFailure(path, staged.isEmpty() ? set.errorString() : reason));
    if (!set.commit())
        return failWith(setSaveFailure(path, set.errorString()));
    return true;
}

bool SaveRecordingWithMarkers(const QString& path, const RecordingSetMember& member,
                              const std::vector<Marker>& markers, QString* error,
                              std::stop_token stop, const SaveProgress& progress) {
    const QString recorderPath = SaveFileSet::ReplacedFile(path);
    const QString manifestPath = MarkersManifestPath(recorderPath);
    const bool ours = ManifestBelongsTo(manifestPath, recorderPath);
    if (markers.empty() && !ours)
        return SaveRecordStore(path, *member.records, error, stop, progress);
    const auto failWith = [error](const QString& reason) {
        if (error != nullptr)
            *error = reason;
        return false;
    };
    // A manifest of that name that names other files is another recording: never
    // replaced by the markers of this one.
    if (!ours && NameIsTaken(manifestPath))
        return failWith(setSaveFailure(
            manifestPath, QStringLiteral("this name is taken by another recording, where the "
                                         "markers of this one would go; save under another name")));
    SaveFileSet set;
    const QString stagedFile = set.stageReplacement(recorderPath);
    if (stagedFile.isEmpty())
        return failWith(setSaveFailure(recorderPath, set.errorString()));
    QString reason;
    if (!SaveRecordStore(stagedFile, *member.records, &reason, stop, progress))
        return failWith(reason.isEmpty() ? QString() : setSaveFailure(recorderPath, reason));
    RecordingManifest manifest;
    manifest.meters.push_back({member.name, member.serial, QFileInfo(recorderPath).fileName()});
    manifest.markers = markers;
    const QString stagedManifest = set.stageReplacement(manifestPath);
    if (stagedManifest.isEmpty() || !WriteManifest(stagedManifest, manifest, &reason))
        return failWith(
            setSaveFailure(manifestPath, stagedManifest.isEmpty() ? set.errorString() : reason));
    if (stop.stop_requested())
        return failWith(QString());
    if (!set.commit())
        return failWith(setSaveFailure(recorderPath, set.errorString()));
    return true;
}

} // namespace telmora
