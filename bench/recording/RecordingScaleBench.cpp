// Recordings far larger than memory: resident memory for 10^6 samples taken and
// for an opened 10^7-sample file, and opening, saving and exporting that file, each
// against what `cat`, `cp` and `dd` take on the same file or the same bytes.
// Usage: bench_recording_scale [SAMPLES] (default 10000000); the file is kept in
// TELMORA_BENCH_DIR when that is set, else in a temporary folder.
#include "recording/RecorderController.h"
#include "recording/RecorderFile.h"
#include "recording/recorderexport.h"
#include "recording/recordingjobs.h"
#include "scalebench.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>

using namespace telmora;
using namespace telmora::bench;

namespace {

constexpr double kMB = 1e6;

// Resident memory added by taking `count` samples the way the recorder takes them:
// each one written to the temporary file and counted.
std::int64_t memoryForTakenSamples(const QString& directory, std::int64_t count) {
    const std::int64_t before = residentBytes();
    DecodedReplySource never{[] { return true; }, [] { return false; },
                             [] { return DecodedReply{}; }};
    RecorderController controller(never, directory);
    controller.setAcquisition(AcquisitionMode::Manual, 500); // each sample goes to disk
    for (std::int64_t i = 0; i < count; ++i)
        controller.addSample(generatedSample(i));
    return residentBytes() - before;
}

Recording openRecording(const QString& path) {
    RecorderFileReader reader;
    if (reader.open(path) != RecorderFileReader::OpenStatus::Ok)
        return {};
    LoadResult result = LoadRecording(reader, {}, [](JobStage, std::int64_t, std::int64_t) {});
    return std::move(result.recording);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const std::int64_t samples = sampleCountArgument(argc, argv, 10'000'000);
    QTemporaryDir temporary;
    const QString dir = qEnvironmentVariableIsSet("TELMORA_BENCH_DIR")
                            ? qEnvironmentVariable("TELMORA_BENCH_DIR")
                            : temporary.path();
    const QString file = dir + QStringLiteral("/scale.g53");
    std::printf("%lld samples, file %s\n", static_cast<long long>(samples), qPrintable(file));
    if (!writeGeneratedG53(file, samples)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
        return 1;
    }
    const qint64 fileBytes = QFileInfo(file).size();
    const double scale = static_cast<double>(samples) / 1e7; // targets are for 10^7
    printHeader();
    const std::int64_t taken = memoryForTakenSamples(dir, 1'000'000);
    printRow("memory, 10^6 samples taken (RSS growth)", megabytes(taken), "-", 0, "<= 40 MB",
             taken <= 40 * kMB);

    // Opening: every run after one warming read, so all find the file in the cache;
    // the best of three of each, as both vary with what else the machine does.
    shellSeconds(QStringLiteral("cat '%1' > /dev/null").arg(file));
    double cat = 1e9;
    for (int i = 0; i < 3; ++i)
        cat = std::min(cat, shellSeconds(QStringLiteral("cat '%1' > /dev/null").arg(file)));
    double open = 1e9;
    for (int i = 0; i < 2; ++i) {
        const double once = secondsOf([&] { openRecording(file); });
        open = std::min(open, once);
    }
    const std::int64_t before = residentBytes();
    Recording recording;
    open = std::min(open, secondsOf([&] { recording = openRecording(file); }));
    const std::int64_t opened = residentBytes() - before;
    if (static_cast<std::int64_t>(recording.size()) != samples) {
        std::fprintf(stderr, "opened %zu samples\n", recording.size());
        return 1;
    }
    printRow("memory, opened file (RSS growth)", megabytes(opened), "-", 0,
             "<= " + megabytes(static_cast<std::int64_t>(400 * kMB * scale)),
             opened <= 400 * kMB * scale);
    printRow("open (.g53, " + megabytes(fileBytes) + ")", seconds(open), seconds(cat), open / cat,
             "<= 3 s, <= 2x cat", open <= 3.0 * scale && open <= 2.0 * cat);

    // Saving, against cp of the same file (and cp followed by a flush to the disk, as
    // the save commits its file).
    const QString saved = dir + QStringLiteral("/saved.g53");
    const QString copied = dir + QStringLiteral("/copied.g53");
    const double cp = shellSeconds(QStringLiteral("cp '%1' '%2'").arg(file, copied));
    QFile::remove(copied);
    const double cpSync =
        shellSeconds(QStringLiteral("cp '%1' '%2' && sync '%2'").arg(file, copied));
    QFile::remove(copied);
    bool savedOk = false;
    const double save = secondsOf([&] { savedOk = SaveRecordStore(saved, recording.records()); });
    QFile::remove(saved);
    // The save flushes its file to the disk before it replaces the old one (a power
    // cut never leaves half a recording), which plain cp does not: the fair baseline
    // is cp followed by sync.
    printRow("save, against cp + sync", seconds(save), seconds(cpSync), save / cpSync,
             "<= 1.5x cp + sync", savedOk && save <= 1.5 * cpSync);
    printRow("save, against plain cp", seconds(save), seconds(cp), save / cp, "-", savedOk);

    // Text export of every page, against dd writing as many bytes.
    const QString text = dir + QStringLiteral("/all.csv");
    const std::int32_t lastPage = LastPageForCount(samples);
    bool exported = false;
    const double exportTime = secondsOf(
        [&] { exported = ExportRecorderText(text, recording.records(), 1, lastPage, lastPage); });
    const qint64 textBytes = QFileInfo(text).size();
    QFile::remove(text);
    const QString ddFile = dir + QStringLiteral("/dd.out");
    const qint64 blocks = (textBytes + (1 << 20) - 1) >> 20;
    const double dd =
        shellSeconds(QStringLiteral("dd if=/dev/zero of='%1' bs=1M count=%2 status=none")
                         .arg(ddFile)
                         .arg(blocks));
    QFile::remove(ddFile);
    const double ddSync =
        shellSeconds(QStringLiteral("dd if=/dev/zero of='%1' bs=1M count=%2 conv=fsync status=none")
                         .arg(ddFile)
                         .arg(blocks));
    QFile::remove(ddFile);
    printRow("text export (" + megabytes(textBytes) + ")", seconds(exportTime), seconds(dd),
             exportTime / dd, "<= 1.5x dd", exported && exportTime <= 1.5 * dd);
    printRow("text export, against dd conv=fsync", seconds(exportTime), seconds(ddSync),
             exportTime / ddSync, "-", exported);
    // The export has to read every record too: reading the file as cat does and
    // writing the text as dd does is the least any export can take.
    printRow("text export, against cat + dd", seconds(exportTime), seconds(cat + dd),
             exportTime / (cat + dd), "-", exported);
    if (!qEnvironmentVariableIsSet("TELMORA_BENCH_DIR"))
        QFile::remove(file);
    return 0;
}
