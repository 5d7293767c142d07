#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

namespace telmora {

// Runs the recording helper program until it has recorded `samples` samples into
// `directory`; it goes on running (and owning its temporary file) until killed.
// With `continues` it first takes up the oldest recording a killed run left there
// (as Open of a recovered recording does) and records `samples` more after it;
// `total` is then the size the recording must reach.
// With `twoMeters` it records two meters at the same ticks; `more` are further
// arguments of the helper.
inline bool StartRecorderProcess(QProcess& process, const QString& directory, int samples,
                                 bool continues = false, int total = -1, bool twoMeters = false,
                                 const QStringList& more = {}) {
    QStringList arguments{directory, QString::number(samples)};
    arguments << more;
    if (continues)
        arguments << QStringLiteral("--continue");
    if (twoMeters)
        arguments << QStringLiteral("--two-meters");
    process.start(QStringLiteral(TELMORA_CRASH_HELPER), arguments);
    if (!process.waitForStarted(10000))
        return false;
    while (!process.canReadLine())
        if (!process.waitForReadyRead(30000))
            return false;
    return process.readLine().trimmed() ==
           "recorded " + QByteArray::number(total < 0 ? samples : total);
}

// Kills it the hard way: nothing of it runs any more, no clean-up at all.
inline void KillHard(QProcess& process) {
    process.kill(); // SIGKILL
    process.waitForFinished(10000);
}

// A recording process that was killed while it recorded `samples` samples.
inline void CrashWhileRecording(const QString& directory, int samples, bool twoMeters = false) {
    QProcess process;
    ASSERT_TRUE(StartRecorderProcess(process, directory, samples, false, -1, twoMeters));
    KillHard(process);
    ASSERT_EQ(process.exitStatus(), QProcess::CrashExit);
}

} // namespace telmora
