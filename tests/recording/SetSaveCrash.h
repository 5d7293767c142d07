#pragma once
// Runs the several-meter save program (SetSaveCrashHelper.cpp) for the tests that
// kill a save part-way.

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <string>

namespace telmora {

// The time text every sample of save number `generation` holds.
inline std::string GenerationTime(int generation) {
    char text[16];
    std::snprintf(text, sizeof text, "%2d:00:00.0", generation % 24);
    return text;
}

#ifdef TELMORA_SET_SAVE_HELPER
// Starts saving `meters` meters of `samples` samples each, all of them of save
// number `generation`, as the manifest `path`; true once the save has begun.
inline bool StartSetSave(QProcess& process, const QString& path, int meters, int samples,
                         int generation) {
    process.start(
        QStringLiteral(TELMORA_SET_SAVE_HELPER),
        {path, QString::number(meters), QString::number(samples), QString::number(generation)});
    if (!process.waitForStarted(10000))
        return false;
    while (!process.canReadLine())
        if (!process.waitForReadyRead(30000))
            return false;
    return process.readLine().trimmed() == "saving";
}
#endif

} // namespace telmora
