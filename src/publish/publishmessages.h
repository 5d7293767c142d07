#pragma once
// The JSON payloads of the published messages: compact, UTF-8, "." decimals
// whatever the locale, numbers in their shortest round-trip form.

#include "model/LimitTest.h"
#include "model/Measurement.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace telmora {

// The running statistics of one meter's recording as they are published.
struct PublishedStatistics {
    QString meterName;
    QString unit;
    qint64 samples = 0;
    qint64 overloads = 0;
    double mean = 0, stddev = 0, minimum = 0, maximum = 0;
    // The meter's limits and how the recording's samples lie against them; nothing
    // for a meter without limits.
    std::optional<LimitTest> limits;
};

// {"time":"2026-12-08T22:30:01.125+01:00","value":1.2345,"unit":"V","mode":"DC",
//  "display":"1.2345","overload":false,"meter":"Meter 1","serial":"5310"}
// value is null for an overload, an open input or a display without a number.
QByteArray ReadingJson(const Measurement& main, qint64 utcMs, qint32 utcOffsetSeconds,
                       const QString& meterName, const QString& serial);

// {"time":…,"meter":…,"serial":…,"unit":"V","samples":N,"overloads":K,"mean":…,
//  "stddev":…,"min":…,"max":…}; mean to max are null without samples. With limits
//  a last key "limits":{"low":…,"high":…,"inside":…,"above":…,"below":…,
//  "excursions":…}, the limits written as the shortest text that reads back the same.
QByteArray StatisticsJson(const PublishedStatistics& statistics, qint64 utcMs,
                          qint32 utcOffsetSeconds, const QString& serial);

// {"time":"14:05:12","sample":12,"note":"valve opened","meter":"Meter 1","serial":"5310"}:
// a marker of the recording; sample counts from 0, meter is the meter it came from
// (empty for one the user made).
QByteArray MarkerJson(const QString& time, qint64 sample, const QString& note,
                      const QString& meterName, const QString& serial);

} // namespace telmora
