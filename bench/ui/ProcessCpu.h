#pragma once
// What the benches of the running program read of their own process: the CPU
// time it has used and the memory it holds.

#include <QByteArray>
#include <QFile>
#include <QString>

#include <sys/resource.h>

namespace telmora::bench {

// User and system CPU seconds of this process so far.
inline double ProcessCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) {
        return double(t.tv_sec) + double(t.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Resident memory of this process in megabytes (0 where /proc cannot be read).
inline double ResidentMegabytes() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0.0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').front().toDouble() / 1024.0;
    return 0.0;
}

} // namespace telmora::bench
