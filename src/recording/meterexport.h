#pragma once
// The standard text export of a recording of several meters. The format holds the
// readings of one meter, so each meter is written to a file of its own beside the
// file the user chose: "NAME-<meter>.csv" for "NAME.csv".

#include "recording/RecordStore.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <span>
#include <stop_token>
#include <vector>

namespace telmora {

// One meter of the export: its name and its records.
struct MeterTextExport {
    QString name;
    const RecordStore* records = nullptr;
};

// The files an export to `chosenPath` writes, in the meters' order: the chosen name
// with "-<meter>" before its suffix, where <meter> is the meter's name made safe for
// a file name, or "M<n>" (its number) when it has none; a label that is already
// taken gets the meter's number as well ("NAME-Probe-M2.csv").
QStringList PerMeterExportPaths(const QString& chosenPath, std::span<const QString> meterNames);

// Writes the standard text export of pages first..last of each meter to its file
// of PerMeterExportPaths, each through SaveFile. True with the files in `written`;
// false with the reason in `error` and the file that failed in `failedPath` when a
// file cannot be written (the files written before it stay), false with no reason
// when `stop` was requested.
bool ExportRecorderTextPerMeter(const QString& chosenPath, std::span<const MeterTextExport> meters,
                                std::int32_t first, std::int32_t last, std::int32_t lastPage,
                                QStringList* written, QString* error, QString* failedPath,
                                std::stop_token stop = {});

} // namespace telmora
