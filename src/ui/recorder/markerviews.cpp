#include "ui/recorder/markerviews.h"

#include <algorithm>

namespace telmora {

std::vector<ChartMarker> OverviewMarkers(const RecordingMarkers& markers,
                                         const ViewReduction& reduction) {
    std::vector<ChartMarker> shown;
    const std::int64_t points = reduction.pointCount();
    for (const Marker& marker : markers.all()) {
        std::int64_t point = marker.sample;
        if (!reduction.direct) {
            const auto at =
                std::lower_bound(reduction.indexes.begin(), reduction.indexes.end(), marker.sample);
            point = at - reduction.indexes.begin();
        }
        if (point >= points)
            continue;
        if (!shown.empty() && shown.back().point == point) {
            if (!marker.note.isEmpty())
                shown.back().label +=
                    (shown.back().label.isEmpty() ? QString() : QStringLiteral("; ")) + marker.note;
            continue;
        }
        shown.push_back({static_cast<int>(point), marker.note});
    }
    return shown;
}

} // namespace telmora
