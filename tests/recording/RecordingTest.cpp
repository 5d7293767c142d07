#include "recording/Recording.h"
#include "recording/RecordingStatistics.h"
#include "recording/TemporaryStorage.h"
#include "recording/recorderpages.h"
#include "recording/recorderrules.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <array>
#include <cmath>
#include <span>
#include <vector>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

using namespace telmora;

namespace {

SampleEntry entryWith(float value, int i = 0) {
    SampleEntry e;
    e.hasSub = static_cast<std::uint8_t>(i & 1);
    e.main.value = value;
    e.main.valueText.assign(std::to_string(i));
    e.main.timeText.assign(" 12:00:00." + std::to_string(i % 10));
    e.sub.value = static_cast<float>(i) * 0.5f;
    return e;
}

std::vector<SampleEntry> readTemporaryFile(const QString& path) {
    QFile f(path);
    std::vector<SampleEntry> out;
    if (!f.open(QIODevice::ReadOnly))
        return out;
    const QByteArray all = f.readAll();
    for (qsizetype off = 0; off + qsizetype(kSampleSize) <= all.size(); off += kSampleSize)
        out.push_back(DecodeSample(std::span<const std::uint8_t, kSampleSize>(
            reinterpret_cast<const std::uint8_t*>(all.constData() + off), kSampleSize)));
    return out;
}

bool sameImage(const SampleEntry& a, const SampleEntry& b) {
    std::array<std::uint8_t, kSampleSize> x{}, y{};
    EncodeSample(a, x);
    EncodeSample(b, y);
    return x == y;
}

} // namespace

TEST(Recording, ScaleFollowsSamplesWithMarginAndNeverShrinks) {
    Recording s;
    EXPECT_EQ(s.scaleMax(), 100.0f);
    s.addSample(entryWith(5.0f));
    EXPECT_FLOAT_EQ(s.scaleMax(), 6.65f);
    EXPECT_FLOAT_EQ(s.scaleMin(), -6.65f);
    s.addSample(entryWith(10.0f));
    EXPECT_FLOAT_EQ(s.scaleMax(), 13.3f);
    EXPECT_FLOAT_EQ(s.scaleMin(), -6.65f);
    s.addSample(entryWith(1.0f));
    EXPECT_FLOAT_EQ(s.scaleMax(), 13.3f);
    s.addSample(entryWith(-20.0f));
    EXPECT_FLOAT_EQ(s.scaleMin(), -26.6f);

    s.clear();
    s.addSample(entryWith(0.0f)); // a zero first sample gives +-1
    EXPECT_EQ(s.scaleMax(), 1.0f);
    EXPECT_EQ(s.scaleMin(), -1.0f);
}

TEST(Recording, ExtremesGoToTheNewestOnTies) {
    Recording s;
    s.addSample(entryWith(3.0f));
    EXPECT_EQ(s.maxIndex(), 0);
    EXPECT_EQ(s.minIndex(), 0);
    s.addSample(entryWith(3.0f)); // equal to the maximum: newest becomes the max
    EXPECT_EQ(s.maxIndex(), 1);
    EXPECT_EQ(s.minIndex(), 0);
    s.addSample(entryWith(1.0f));
    EXPECT_EQ(s.minIndex(), 2);
    s.addSample(entryWith(1.0f)); // equal to the minimum
    EXPECT_EQ(s.minIndex(), 3);
    s.addSample(entryWith(2.0f)); // in between: nothing changes
    EXPECT_EQ(s.maxIndex(), 1);
    EXPECT_EQ(s.minIndex(), 3);
    EXPECT_EQ(s.sampleCount(), 5);
    EXPECT_FALSE(s.isEmpty());
    EXPECT_TRUE(s.isUnsaved());

    s.clear();
    EXPECT_EQ(s.sampleCount(), 0);
    EXPECT_EQ(s.maxIndex(), 0);
    EXPECT_TRUE(s.isEmpty());
    EXPECT_FALSE(s.isUnsaved());
    EXPECT_EQ(s.scaleMin(), -100.0f);
    EXPECT_TRUE(s.empty());
}

// Values counted in blocks as a file is opened end up exactly as if each had been
// taken alone: same values across the value array's chunk edge, same scale, same
// extremes (the newest on ties), same block extremes.
TEST(Recording, ValuesCountedInBlocksMatchSamplesTakenOneByOne) {
    constexpr std::size_t n = ValueArray::kChunkValues + 300;
    std::vector<float> values(n);
    for (std::size_t i = 0; i < n; ++i)
        values[i] = float(std::sin(double(i) * 0.37) * 5.0 + double(i % 7));
    values[ValueArray::kChunkValues - 1] = 40.0f; // a maximum just before the edge...
    values[ValueArray::kChunkValues + 1] = 40.0f; // ...and its tie just after it
    values[1000] = std::nanf("");

    Recording blocks;
    for (std::size_t i = 0; i < n; i += 4093)
        blocks.appendCountedValues(
            std::span(values).subspan(i, std::min<std::size_t>(4093, n - i)));
    Recording single; // each value appended, then counted one by one
    for (std::size_t i = 0; i < n; ++i)
        single.appendLoadedValue(values[i]);
    single.recount([](std::int64_t) {});

    ASSERT_EQ(blocks.size(), n);
    for (std::size_t i :
         {std::size_t{0}, ValueArray::kChunkValues - 1, ValueArray::kChunkValues, n - 1})
        EXPECT_EQ(blocks.valueAt(std::int64_t(i)), values[i]) << i;
    EXPECT_EQ(blocks.sampleCount(), single.sampleCount());
    EXPECT_EQ(blocks.maxIndex(), std::int32_t(ValueArray::kChunkValues + 1));
    EXPECT_EQ(blocks.maxIndex(), single.maxIndex());
    EXPECT_EQ(blocks.minIndex(), single.minIndex());
    EXPECT_EQ(blocks.scaleMax(), single.scaleMax());
    EXPECT_EQ(blocks.scaleMin(), single.scaleMin());
    ASSERT_EQ(blocks.blockExtremes().size(), single.blockExtremes().size());
    for (std::size_t b = 0; b < blocks.blockExtremes().size(); ++b) {
        EXPECT_EQ(blocks.blockExtremes()[b].minIndex, single.blockExtremes()[b].minIndex) << b;
        EXPECT_EQ(blocks.blockExtremes()[b].maxIndex, single.blockExtremes()[b].maxIndex) << b;
    }
    blocks.clear();
    EXPECT_TRUE(blocks.empty());
    blocks.appendCountedValues(std::span(values).first(3));
    EXPECT_EQ(blocks.valueAt(2), values[2]);
}

TEST(TemporaryStorage, FileMirrorsTheBufferAndIsDeletedWithTheRecorder) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    Recording recording;
    const Recording& buffer = recording;
    QString first, second;
    {
        TemporaryFileSeries s(dir.path());
        ASSERT_TRUE(s.startNext());
        first = s.currentPath();
        EXPECT_TRUE(first.endsWith(QDir::toNativeSeparators("/~ODMDL1.TMP")));
        for (int i = 0; i < 37; ++i) {
            recording.addSample(entryWith(float(i), i));
            EXPECT_TRUE(s.append(entryWith(float(i), i)));
        }
        // Readable while still open: nothing waits in a user-space buffer.
        const auto onDisk = readTemporaryFile(first);
        ASSERT_EQ(onDisk.size(), 37u);
        EXPECT_EQ(QFileInfo(first).size(), qint64(37 * kSampleSize));
        for (std::size_t i = 0; i < onDisk.size(); ++i)
            EXPECT_TRUE(sameImage(onDisk[i], buffer.sampleAt(static_cast<std::int64_t>(i)))) << i;
        s.close();

        ASSERT_TRUE(s.startNext()); // the next acquisition: file 2
        second = s.currentPath();
        EXPECT_TRUE(second.endsWith(QStringLiteral("~ODMDL2.TMP")));
        EXPECT_TRUE(s.append(entryWith(1.0f)));
        EXPECT_TRUE(QFile::exists(first));
        // destroyed with file 2 still open
    }
    EXPECT_FALSE(QFile::exists(first));
    EXPECT_FALSE(QFile::exists(second));
}

TEST(TemporaryStorage, CreationFailureIsReported) {
    TemporaryFileSeries s(QStringLiteral("/nonexistent-dir/for/telmora"));
    EXPECT_FALSE(s.startNext());
    EXPECT_FALSE(s.isOpen());
    EXPECT_EQ(s.counter(), 1);
    EXPECT_FALSE(s.append(entryWith(1.0f)));
}

#ifdef Q_OS_UNIX
TEST(TemporaryStorage, FullDiskStopsWritingAndKeepsWholeSamples) {
    // A name that is already there is never opened: not even /dev/full.
    TemporaryFile device;
    EXPECT_FALSE(device.create(QStringLiteral("/dev/full")));
    EXPECT_TRUE(device.nameTaken());

    // A child whose files may not grow past three and a half samples meets a full
    // disk in the middle of the fourth.
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = TemporaryFilePath(dir.path(), 1);
    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN); // a write past the limit fails instead of killing
        const rlimit limit{3 * kSampleSize + kSampleSize / 2, 3 * kSampleSize + kSampleSize / 2};
        TemporaryFile f;
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0 || !f.create(path))
            _exit(3);
        for (int i = 0; i < 3; ++i)
            if (!f.append(entryWith(float(i), i)))
                _exit(4);
        std::int64_t offset = -1;
        const bool refused = !f.append(entryWith(3.0f, 3), &offset);
        _exit(refused && offset == 3 * qint64(kSampleSize) && f.sampleCount() == 3 &&
                      !f.errorString().isEmpty()
                  ? 0
                  : 5);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 0);
    const auto onDisk = readTemporaryFile(path);
    EXPECT_EQ(QFileInfo(path).size(), qint64(3 * kSampleSize)) << "the torn fourth is cut off";
    ASSERT_EQ(onDisk.size(), 3u);
    EXPECT_TRUE(sameImage(onDisk[2], entryWith(2.0f, 2)));
}
#endif

#ifdef Q_OS_UNIX
TEST(TemporaryStorage, EverySampleSurvivesAKilledProcess) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    constexpr int kSamples = 500;
    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        auto* s = new TemporaryFileSeries(dir.path()); // never destroyed: the process dies
        if (!s->startNext())
            _exit(3);
        for (int i = 0; i < kSamples; ++i)
            s->append(entryWith(float(i) * 0.25f, i));
        raise(SIGKILL);
        _exit(4);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), SIGKILL);

    const auto onDisk = readTemporaryFile(TemporaryFilePath(dir.path(), 1));
    ASSERT_EQ(onDisk.size(), std::size_t(kSamples));
    for (int i = 0; i < kSamples; ++i)
        EXPECT_TRUE(sameImage(onDisk[i], entryWith(float(i) * 0.25f, i))) << i;
}
#endif

TEST(RecorderPages, CountBackFromTheNewestSample) {
    // 200 samples: one full page.
    EXPECT_EQ(PageOfIndex(199), 1);
    auto c = ContentsOfPage(200, 1, 1);
    EXPECT_EQ(c.firstIndex, 0);
    EXPECT_EQ(c.firstPoint, 0);
    EXPECT_EQ(c.samples, 200);
    // The 201st starts page 2; page 1 then holds only the oldest, right-aligned.
    EXPECT_EQ(PageOfIndex(200), 2);
    c = ContentsOfPage(201, 2, 2);
    EXPECT_EQ(c.firstIndex, 1);
    EXPECT_EQ(c.samples, 200);
    c = ContentsOfPage(201, 2, 1);
    EXPECT_EQ(c.firstIndex, 0);
    EXPECT_EQ(c.firstPoint, 199);
    EXPECT_EQ(c.samples, 1);
    EXPECT_EQ(IndexOfPoint(199, 201, 2, 1), 0);
    EXPECT_LT(IndexOfPoint(198, 201, 2, 1), 0);
    EXPECT_EQ(IndexOfPoint(0, 201, 2, 2), 1);
    // Empty buffer: nothing on the page.
    c = ContentsOfPage(0, 1, 1);
    EXPECT_EQ(c.samples, 0);
    EXPECT_EQ(c.firstPoint, 200);
}

TEST(RecorderRules, ControlsFollowRecordingBusyEmptyModeAndPages) {
    RecorderControlInput in;
    in.importAvailable = in.exportAvailable = in.viewerAvailable = true;
    // Idle, automatic, empty, one page.
    auto s = ComputeRecorderControls(in);
    EXPECT_TRUE(s.start && s.stop && s.option && s.openFile && s.import);
    EXPECT_FALSE(s.manual || s.saveFile || s.clear || s.exportData);
    EXPECT_FALSE(s.firstPage || s.pageUp || s.pageDown || s.lastPage || s.fitView);
    EXPECT_TRUE(s.menuStart);
    EXPECT_FALSE(s.menuStop);

    // Recording: only the start/stop pair (and the stop menu item) stay usable.
    in.recording = true;
    in.empty = false;
    in.lastPage = in.currentPage = 3;
    s = ComputeRecorderControls(in);
    EXPECT_TRUE(s.start && s.stop && s.menuStop);
    EXPECT_FALSE(s.option || s.openFile || s.import || s.saveFile || s.clear || s.pageUp ||
                 s.fitView || s.menuStart || s.menuPrinterSetup);

    // Idle with three pages on the last one: back and fit, not forward.
    in.recording = false;
    s = ComputeRecorderControls(in);
    EXPECT_TRUE(s.saveFile && s.print && s.clear && s.exportData);
    EXPECT_TRUE(s.firstPage && s.pageUp && s.fitView);
    EXPECT_FALSE(s.pageDown || s.lastPage);
    in.currentPage = 1;
    s = ComputeRecorderControls(in);
    EXPECT_FALSE(s.firstPage || s.pageUp);
    EXPECT_TRUE(s.pageDown && s.lastPage);

    // Manual mode: the manual button instead of start/stop; busy disables everything.
    in.manualMode = true;
    s = ComputeRecorderControls(in);
    EXPECT_TRUE(s.manual && s.menuManual);
    EXPECT_FALSE(s.start || s.stop || s.menuStart);
    in.busy = true;
    s = ComputeRecorderControls(in);
    EXPECT_FALSE(s.manual || s.option || s.openFile || s.saveFile || s.pageDown || s.fitView);

    // Windows that do not exist keep their buttons off.
    in = RecorderControlInput{};
    in.empty = false;
    in.lastPage = 2;
    in.currentPage = 2;
    s = ComputeRecorderControls(in);
    EXPECT_FALSE(s.import || s.exportData || s.fitView);
}

TEST(Recording, WallClockIsKeptBesideLiveSamplesOnly) {
    Recording s;
    for (int i = 0; i < 3; ++i)
        s.appendLoadedValue(float(i)); // from a file: time of day only
    s.recount([](std::int64_t) {});
    const WallClock summer{1751371200123, 7200}, winter{1767261600456, 3600};
    EXPECT_EQ(s.addSample(entryWith(3.0f), summer), 3u);
    s.addSample(entryWith(4.0f)); // added without a clock
    EXPECT_EQ(s.addSample(entryWith(5.0f), winter), 5u);

    for (std::size_t i : {0u, 2u, 4u, 6u})
        EXPECT_FALSE(s.wallClock(i).has_value()) << i;
    EXPECT_EQ(s.wallClock(3), summer); // each sample keeps its own UTC offset
    EXPECT_EQ(s.wallClock(5), winter);

    // Many clocked samples: the side array grows with the buffer.
    for (int i = 0; i < 3000; ++i)
        s.addSample(entryWith(float(i), i), WallClock{i * 500LL, -18000});
    EXPECT_EQ(s.wallClock(6 + 2999), (WallClock{2999 * 500LL, -18000}));

    s.clear();
    EXPECT_FALSE(s.wallClock(0).has_value());
    s.addSample(entryWith(1.0f), winter);
    EXPECT_EQ(s.wallClock(0), winter);
}

TEST(RecordingStatistics, AnyRangeEqualsItsSamplesCountedAlone) {
    SampleList samples;
    RecordingStatistics statistics;
    for (int i = 0; i < 5000; ++i) {
        SampleEntry e = entryWith(float(std::sin(i * 0.01)) + (i % 3 == 0 ? 0.25f : 0.0f), i);
        e.main.functionCode = i < 3000 ? 0x6 : 0x80; // volts, then ohms
        e.main.valueText.assign(i % 997 == 0 ? "0.L" : "1.0");
        samples.append(e);
        statistics.add(e);
    }
    const auto at = [&](std::size_t i) -> const SampleEntry& { return samples[i]; };
    const std::pair<std::size_t, std::size_t> ranges[] = {
        {0, 5000},    {0, 1024}, {1, 1023},    {1000, 4100}, {2048, 3072},
        {4999, 5000}, {10, 10},  {4096, 5000}, {4096, 4999}, {3000, 99999}};
    for (const auto& [first, end] : ranges) {
        GroupedStatistics direct;
        for (std::size_t i = first; i < std::min<std::size_t>(end, 5000); ++i)
            direct.add(RecorderMainReading(samples[i]));
        const GroupedStatistics merged = statistics.range(first, end, at);
        ASSERT_EQ(merged.groups().size(), direct.groups().size()) << first;
        for (std::size_t g = 0; g < direct.groups().size(); ++g) {
            const StatisticsGroup& a = merged.groups()[g];
            const StatisticsGroup& b = direct.groups()[g];
            EXPECT_EQ(a.function, b.function);
            EXPECT_EQ(a.overloads, b.overloads);
            EXPECT_EQ(a.values.count(), b.values.count());
            EXPECT_NEAR(a.values.mean(), b.values.mean(), 1e-12);
            EXPECT_NEAR(a.values.standardDeviation(), b.values.standardDeviation(), 1e-12);
            EXPECT_EQ(a.values.minimum(), b.values.minimum());
            EXPECT_EQ(a.values.maximum(), b.values.maximum());
        }
    }
    const GroupedStatistics& whole = statistics.whole();
    ASSERT_EQ(whole.groups().size(), 2u);
    EXPECT_EQ(whole.groups()[0].overloads + whole.groups()[0].values.count(), 3000);
    EXPECT_EQ(whole.groups()[1].overloads, 2); // 3988 and 4985
}
