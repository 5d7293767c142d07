#include "cli/recordinginput.h"

#include "model/fileaccess.h"
#include "recording/RecorderFile.h"
#include "recording/recordingset.h"

#include <QByteArray>
#include <QDir>

#include <charconv>

namespace telmora::cli {

std::optional<RecordingManifest> ReadManifestInput(const char* path, std::FILE* err) {
    QString reason;
    std::optional<RecordingManifest> manifest = ReadManifest(PathText(QByteArray(path)), &reason);
    if (!manifest)
        std::fprintf(err, "telmora-cli: cannot open the recording '%s': %s\n", path,
                     reason.toStdString().c_str());
    return manifest;
}

std::string MeterListText(const RecordingManifest& manifest) {
    std::string text;
    for (std::size_t m = 0; m < manifest.meters.size(); ++m) {
        const ManifestMeter& meter = manifest.meters[m];
        if (m > 0)
            text += ", ";
        text += std::to_string(m + 1) + ": " + meter.name.toStdString();
        if (!meter.serial.isEmpty())
            text += " (serial " + meter.serial.toStdString() + ")";
    }
    return text;
}

std::optional<std::size_t> ChooseMeter(const RecordingManifest& manifest, std::string_view wanted,
                                       std::string& problem) {
    const QString text = QString::fromUtf8(wanted.data(), static_cast<qsizetype>(wanted.size()));
    const auto unique = [&](auto&& fits, const char* what) -> std::optional<std::size_t> {
        std::optional<std::size_t> found;
        for (std::size_t m = 0; m < manifest.meters.size(); ++m) {
            if (!fits(manifest.meters[m]))
                continue;
            if (found) {
                problem = "more than one meter has the " + std::string(what) + " '" +
                          std::string(wanted) + "' (" + MeterListText(manifest) +
                          "): choose it by its number";
                return std::nullopt;
            }
            found = m;
        }
        return found;
    };
    // Meters are known by their serial numbers first; names and numbers follow.
    if (auto bySerial = unique([&](const ManifestMeter& m) { return m.serial == text; }, "serial");
        bySerial || !problem.empty())
        return bySerial;
    if (auto byName = unique([&](const ManifestMeter& m) { return m.name == text; }, "name");
        byName || !problem.empty())
        return byName;
    std::size_t number = 0;
    const auto [end, error] = std::from_chars(wanted.data(), wanted.data() + wanted.size(), number);
    if (error == std::errc() && end == wanted.data() + wanted.size() && number >= 1 &&
        number <= manifest.meters.size())
        return number - 1;
    problem = "the recording has no meter '" + std::string(wanted) +
              "'; its meters: " + MeterListText(manifest);
    return std::nullopt;
}

bool CheckRecordsOf(RecorderFileReader& reader, const char* path, std::FILE* err) {
    if (reader.checkRest())
        return true;
    if (reader.damaged())
        std::fprintf(err, "telmora-cli: '%s' is damaged: %s\n", path,
                     DamageText(reader.damage()).toStdString().c_str());
    else
        std::fprintf(err, "telmora-cli: reading '%s' failed\n", path);
    return false;
}

bool CheckRecordsOf(RecordingSetFiles& files, std::FILE* err) {
    for (std::size_t m = 0; m < files.readers.size(); ++m) {
        const QByteArray path = NativePath(QDir::toNativeSeparators(files.paths[m]));
        if (!CheckRecordsOf(*files.readers[m], path.constData(), err))
            return false;
    }
    return true;
}

int ReportSetCutShort(std::FILE* err, const char* path, std::int64_t count, const char* outcome) {
    std::fprintf(err,
                 "telmora-cli: a file of '%s' was cut short: only %lld complete samples per "
                 "meter %s\n",
                 path, static_cast<long long>(count), outcome);
    return 1;
}

} // namespace telmora::cli
