#pragma once

#include "model/viewreduction.h"
#include "recording/RecordingMarkers.h"
#include "ui/chart/ChartWidget.h"

#include <vector>

namespace telmora {

// The markers of a whole recording shown as the overview shows it: each at the
// first point that shows its sample or a later one.
std::vector<ChartMarker> OverviewMarkers(const RecordingMarkers& markers,
                                         const ViewReduction& reduction);

} // namespace telmora
