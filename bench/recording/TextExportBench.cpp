// Text exports of a large recording against the disk: recorder-csv (standard,
// tidy and tidy per minute, run as the real program with its output in a file)
// and the recorder's text export of all pages (through SaveFile, as the recorder
// window does), each against dd and cat moving as many bytes in the same run.
// Usage: bench_text_export [SAMPLES] (default 10000000); the recorder file is kept
// in TELMORA_BENCH_DIR when that is set, else in a temporary folder.
#include "recording/RecorderFile.h"
#include "recording/recorderexport.h"
#include "recording/recordingjobs.h"
#include "scalebench.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>

#include <sys/resource.h>

using namespace telmora;
using namespace telmora::bench;

namespace {

// The best of `runs` timings of `work`: what the machine can do when nothing else
// gets in the way.
double bestOf(int runs, const std::function<double()>& work) {
    double best = 1e9;
    for (int i = 0; i < runs; ++i)
        best = std::min(best, work());
    return best;
}

// Processor seconds (user and system) of this process or of its waited-for children.
double processorSeconds(int who) {
    rusage usage{};
    getrusage(who, &usage);
    const auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Wall and processor seconds of one run.
struct Timing {
    double wall = 1e9;
    double processor = 0;
};

// The run with the shortest wall time of `runs` runs of `work`, which counts the
// processor time of `who`.
Timing bestRun(int runs, int who, const std::function<void()>& work) {
    Timing best;
    for (int i = 0; i < runs; ++i) {
        const double before = processorSeconds(who);
        const double wall = secondsOf(work);
        if (wall < best.wall)
            best = Timing{wall, processorSeconds(who) - before};
    }
    return best;
}

struct Baselines {
    double dd = 0;  // dd writing the bytes from /dev/zero to a file
    double cat = 0; // cat copying a file of that size to another file
};

// dd and cat producing `bytes` bytes in a file of `dir`.
Baselines baselinesFor(const QString& dir, std::int64_t bytes) {
    const QString source = dir + QStringLiteral("/baseline.in");
    const QString target = dir + QStringLiteral("/baseline.out");
    const qint64 blocks = (bytes + (1 << 20) - 1) >> 20;
    const QString dd = QStringLiteral("dd if=/dev/zero of='%1' bs=1M count=%2 status=none")
                           .arg(target)
                           .arg(blocks);
    Baselines b;
    b.dd = bestOf(3, [&] {
        const double s = shellSeconds(dd);
        QFile::remove(target);
        return s;
    });
    shellSeconds(QStringLiteral("dd if=/dev/zero of='%1' bs=1M count=%2 status=none")
                     .arg(source)
                     .arg(blocks));
    b.cat = bestOf(3, [&] {
        const double s = shellSeconds(QStringLiteral("cat '%1' > '%2'").arg(source, target));
        QFile::remove(target);
        return s;
    });
    QFile::remove(source);
    return b;
}

void report(const std::string& figure, Timing timing, std::int64_t bytes, const QString& dir,
            double target) {
    const Baselines b = baselinesFor(dir, bytes);
    const double seconds = timing.wall;
    const double rate = static_cast<double>(bytes) / seconds / 1e6;
    char measured[64];
    std::snprintf(measured, sizeof measured, "%.3f s %4.0f MB/s", seconds, rate);
    char baseline[64];
    std::snprintf(baseline, sizeof baseline, "dd %.3f s", b.dd);
    char target_[64];
    std::snprintf(target_, sizeof target_, "<= %.2f s", target);
    printRow(figure + " (" + megabytes(bytes) + ")", measured, baseline, seconds / b.dd, target_,
             seconds <= target);
    std::snprintf(baseline, sizeof baseline, "cat %.3f s", b.cat);
    printRow("  the same against cat file > file", measured, baseline, seconds / b.cat, "-", true);
    // On a machine others use, the processor time says what the wall time cannot.
    std::snprintf(measured, sizeof measured, "cpu %.3f s", timing.processor);
    printRow("  processor time (user + system)", measured, "-", 0, "-", true);
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
    const double scale = static_cast<double>(samples) / 1e7; // targets are for 10^7
    printHeader();
    // Every run finds the recorder file in the cache, as cat and dd find theirs.
    shellSeconds(QStringLiteral("cat '%1' > /dev/null").arg(file));
    // The floor under every export: the recorder file read once through the page
    // cache, which each export does as well.
    const Timing reading = bestRun(3, RUSAGE_CHILDREN, [&] {
        shellSeconds(QStringLiteral("cat '%1' > /dev/null").arg(file));
    });
    const qint64 fileBytes = QFileInfo(file).size();
    char measured[64];
    std::snprintf(measured, sizeof measured, "%.3f s %4.0f MB/s", reading.wall,
                  static_cast<double>(fileBytes) / reading.wall / 1e6);
    printRow("reading the file: cat file > /dev/null (" + megabytes(fileBytes) + ")", measured, "-",
             0, "-", true);
    std::snprintf(measured, sizeof measured, "cpu %.3f s", reading.processor);
    printRow("  processor time (user + system)", measured, "-", 0, "-", true);

    const QString out = dir + QStringLiteral("/export.csv");
    const struct {
        const char* figure;
        const char* options;
        double target;
    } commands[] = {{"recorder-csv", "", 0.5},
                    {"recorder-csv --format tidy", "--format tidy", 1.0},
                    // The per-minute figures: the same reading and decoding as the
                    // tidy export, with little text to write.
                    {"recorder-csv --format tidy --every 60", "--format tidy --every 60", 1.0}};
    for (const auto& command : commands) {
        const QString line = QStringLiteral("'%1' recorder-csv '%2' %3 > '%4'")
                                 .arg(QStringLiteral(TELMORA_CLI_PATH), file,
                                      QString::fromLatin1(command.options), out);
        const Timing time = bestRun(2, RUSAGE_CHILDREN, [&] { shellSeconds(line); });
        const qint64 bytes = QFileInfo(out).size();
        QFile::remove(out);
        report(command.figure, time, bytes, dir, command.target * scale);
    }

    RecorderFileReader reader;
    if (reader.open(file) != RecorderFileReader::OpenStatus::Ok)
        return 1;
    const LoadResult loaded =
        LoadRecording(reader, {}, [](JobStage, std::int64_t, std::int64_t) {});
    const std::int32_t lastPage = LastPageForCount(samples);
    bool exported = true;
    const Timing time = bestRun(2, RUSAGE_SELF, [&] {
        exported =
            ExportRecorderText(out, loaded.recording.records(), 1, lastPage, lastPage) && exported;
    });
    const qint64 bytes = QFileInfo(out).size();
    QFile::remove(out);
    if (!exported)
        std::fprintf(stderr, "the text export failed\n");
    report("text export of all pages", time, bytes, dir, 0.8 * scale);
    if (!qEnvironmentVariableIsSet("TELMORA_BENCH_DIR"))
        QFile::remove(file);
    return exported ? 0 : 1;
}
