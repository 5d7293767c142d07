#pragma once

#include <QByteArray>
#include <QRegion>

class QCustomPlot;

namespace telmora {

// A strip chart changes with every sample in a few places only: the lines and
// points, the point labels along the bottom, the cursor. Everything else (the
// layout, the scales and their labels, titles, colours and pens) stays. These
// let the plot repaint just those places when a change leaves the rest alone.

// Everything of `plot`'s look but its data, bottom point labels and item
// positions, from its last layout: equal for two states that differ only there.
// Empty when that cannot be told (a legend is shown): such states never match.
QByteArray FrameSignature(QCustomPlot& plot);

// Where `plot`'s data, bottom point labels and items lie, from its last layout.
QRegion ChangingArea(QCustomPlot& plot);

} // namespace telmora
