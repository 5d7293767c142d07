#pragma once

#include "ui/chart/ChartWidget.h"

#include <QColor>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <vector>

namespace telmora {

class RecorderController;

// The lines and read-outs of a recording of several meters: meter 1 is the
// chart's own series, every further meter and the math channel a trace over the
// same sample instants.

// Which buffer index graph point `point` shows; negative or beyond the recording
// for a point without a sample.
using PointIndex = std::function<std::int64_t(int point)>;

// The name a meter is shown by: its own, or "Meter n" (1-based) without one.
QString MeterLabel(const RecorderController& controller, int meter);
// The unit meter `meter`'s values are drawn in ("(V)", "(mA)", ...), from its newest
// sample with a value among the shown points; empty when none has one.
QString MeterAxisUnit(const RecorderController& controller, int meter, int points,
                      const PointIndex& indexOf);
// The math channel's name in the legend: its expression and, when known, its unit.
QString MathLabel(const RecorderController& controller);
// The colour of trace `trace` (meter 2 is trace 0), on a dark or a light graph.
QColor TraceColour(int trace, bool darkBackground);
// The traces of meters 2.. and of the math channel over `points` graph points.
std::vector<ChartWidget::Trace> RecorderTraces(const RecorderController& controller, int points,
                                               const PointIndex& indexOf, bool darkBackground);
// Meter `meter`'s reading at buffer index `index` ("1.500 V"), "-" without one.
QString MeterReadingAt(const RecorderController& controller, int meter, std::int64_t index);
// The reading of every meter and of the math channel at buffer index `index`, one
// "name: reading unit" per line; "-" for a meter without a reading then.
QStringList ReadingsAt(const RecorderController& controller, std::int64_t index);
// Several lines are drawn: more than one meter, or a math channel.
bool HasSeveralTraces(const RecorderController& controller);

} // namespace telmora
