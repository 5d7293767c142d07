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
struct SampleEntry;

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
// What the data list shows of one sample of any meter: the main reading with its
// mode, a comma and the sub reading with its mode ("4.700 kΩ  [AUTO],60.00 Hz"),
// units written alike for every meter (Ω, °C); a single blank for a sample
// without a sub reading.
QString DataListReadings(const SampleEntry& sample);
// A line of the data list's first column: the sample's number, time and readings.
QString DataListLineOf(const SampleEntry& sample, std::int64_t index);
// Meter `meter`'s column of the data list at buffer index `index`, "-" without a
// reading.
QString MeterDataListText(const RecorderController& controller, int meter, std::int64_t index);
// Takes the values of `trace` at the points whose unit (`units`, one per point;
// empty: none known) is not the trace's own out of it, into one line per unit
// added to `out`: same colour, named with their unit, on that unit's axis. So a
// change of function starts a new line instead of joining readings of two units.
void SplitByUnit(ChartWidget::Trace& trace, const std::vector<QString>& units,
                 std::vector<ChartWidget::Trace>& out);
// Meter `meter`'s reading at buffer index `index` ("1.500 V"), "-" without one.
QString MeterReadingAt(const RecorderController& controller, int meter, std::int64_t index);
// The reading of every meter and of the math channel at buffer index `index`, one
// "name: reading unit" per line; "-" for a meter without a reading then.
QStringList ReadingsAt(const RecorderController& controller, std::int64_t index);
// Several lines are drawn: more than one meter, or a math channel.
bool HasSeveralTraces(const RecorderController& controller);

} // namespace telmora
