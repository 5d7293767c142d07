// Shared pieces of the large-recording benchmarks: resident memory, a generated
// recorder file of any size, shell baselines and the printed table.
#pragma once

#include "model/ReadingRecord.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace telmora::bench {

// Resident memory of this process in bytes.
inline std::int64_t residentBytes() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').front().toLongLong() * 1024;
    return 0;
}

// Samples to use: the first argument, else `fallback`.
inline std::int64_t sampleCountArgument(int argc, char** argv, std::int64_t fallback) {
    return argc > 1 ? std::atoll(argv[1]) : fallback;
}

// Sample `i` of the generated recordings: a slow sine in volts with a frequency on
// the sub display every other sample, the time advancing a tenth of a second.
inline SampleEntry generatedSample(std::int64_t i) {
    SampleEntry e;
    const auto v = static_cast<float>(std::sin(static_cast<double>(i) * 0.001) * 12.0);
    char text[24];
    std::snprintf(text, sizeof text, "%.3f", static_cast<double>(v));
    e.main.valueText.assign(text);
    e.main.exponentText.assign("0");
    e.main.functionCode = 0x6;
    std::snprintf(text, sizeof text, "%3d:%02d:%02d.%1d", static_cast<int>((i / 36000) % 24),
                  static_cast<int>((i / 600) % 60), static_cast<int>((i / 10) % 60),
                  static_cast<int>(i % 10));
    e.main.timeText.assign(text);
    e.main.displayText.assign(e.main.valueText.view());
    e.main.unitText.assign("V");
    e.main.value = v;
    e.main.modeText.assign("DC");
    e.sub.timeText = e.main.timeText;
    if (i % 2 == 0) {
        e.hasSub = 1;
        e.sub.functionCode = 0x400;
        e.sub.displayText.assign("50.00");
        e.sub.unitText.assign("Hz");
        e.sub.value = 50.0f;
    }
    return e;
}

// Writes a .g53 file of `count` generated samples (unless one of that size exists).
inline bool writeGeneratedG53(const QString& path, std::int64_t count) {
    const qint64 size = 4 + count * static_cast<qint64>(kSampleSize);
    if (QFile(path).size() == size)
        return true;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const auto n = static_cast<std::uint32_t>(count);
    const char header[4] = {static_cast<char>(n), static_cast<char>(n >> 8),
                            static_cast<char>(n >> 16), static_cast<char>(n >> 24)};
    file.write(header, 4);
    std::vector<std::uint8_t> block;
    block.reserve(8192 * kSampleSize);
    for (std::int64_t i = 0; i < count; ++i) {
        const std::size_t at = block.size();
        block.resize(at + kSampleSize);
        EncodeSample(generatedSample(i),
                     std::span<std::uint8_t, kSampleSize>(block.data() + at, kSampleSize));
        if (block.size() >= 8192 * kSampleSize || i + 1 == count) {
            if (file.write(reinterpret_cast<const char*>(block.data()), qint64(block.size())) !=
                qint64(block.size()))
                return false;
            block.clear();
        }
    }
    return file.flush();
}

// Seconds a shell command takes.
inline double shellSeconds(const QString& command) {
    QElapsedTimer t;
    t.start();
    QProcess::execute(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), command});
    return static_cast<double>(t.nsecsElapsed()) / 1e9;
}

// Seconds `work` takes.
inline double secondsOf(const std::function<void()>& work) {
    QElapsedTimer t;
    t.start();
    work();
    return static_cast<double>(t.nsecsElapsed()) / 1e9;
}

// One row of the result table: figure, measured value, baseline, ratio, target and
// whether it is met.
inline void printHeader() {
    std::printf("%-46s %12s %12s %7s  %-24s %s\n", "figure", "measured", "baseline", "ratio",
                "target", "met");
}

inline void printRow(const std::string& figure, const std::string& measured,
                     const std::string& baseline, double ratio, const std::string& target,
                     bool met) {
    char ratioText[16] = "-";
    if (ratio > 0)
        std::snprintf(ratioText, sizeof ratioText, "%.2f", ratio);
    std::printf("%-46s %12s %12s %7s  %-24s %s\n", figure.c_str(), measured.c_str(),
                baseline.c_str(), ratioText, target.c_str(), met ? "yes" : "NO");
    std::fflush(stdout);
}

inline std::string megabytes(std::int64_t bytes) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f MB", static_cast<double>(bytes) / 1e6);
    return text;
}

inline std::string seconds(double s) {
    char text[32];
    if (s < 1.0)
        std::snprintf(text, sizeof text, "%.2f ms", s * 1e3);
    else
        std::snprintf(text, sizeof text, "%.2f s", s);
    return text;
}

} // namespace telmora::bench
