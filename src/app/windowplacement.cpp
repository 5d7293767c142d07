#include "app/windowplacement.h"

#include <algorithm>
#include <cstdlib>
#include <tuple>

namespace telmora {

namespace {

long long coveredArea(const TileRect& a, const TileRect& b) {
    const long long w = std::min(a.right(), b.right()) - std::max(a.left, b.left);
    const long long h = std::min(a.bottom(), b.bottom()) - std::max(a.top, b.top);
    return w > 0 && h > 0 ? w * h : 0;
}

bool liesInside(const TileRect& r, const TileRect& area) {
    return r.left >= area.left && r.top >= area.top && r.right() <= area.right() &&
           r.bottom() <= area.bottom();
}

// How bad a place is, worst part first: covering the main window, the pixels of
// other windows it covers, and its distance from the place it started from.
using PlaceCost = std::tuple<bool, long long, long long>;

PlaceCost costOf(const TileRect& r, const TileRect& start, const TileRect& main,
                 const std::vector<TileRect>& others) {
    long long covered = coveredArea(r, main);
    for (const TileRect& other : others)
        covered += coveredArea(r, other);
    const long long distance = std::llabs(static_cast<long long>(r.left) - start.left) +
                               std::llabs(static_cast<long long>(r.top) - start.top);
    return {Overlaps(r, main), covered, distance};
}

// The room between the bottom of `owner` and the bottom of the area.
TileRect roomBelow(const TileRect& owner, const TileRect& area) {
    const int top = std::clamp(owner.bottom(), area.top, area.bottom());
    return {area.left, top, area.width, area.bottom() - top};
}

} // namespace

TileRect MoveInside(TileRect r, const TileRect& area) {
    r.left = std::max(std::min(r.left, area.right() - r.width), area.left);
    r.top = std::max(std::min(r.top, area.bottom() - r.height), area.top);
    return r;
}

bool Overlaps(const TileRect& a, const TileRect& b) {
    return coveredArea(a, b) > 0;
}

TileRect ComputeOpeningPlace(const TileRect& wanted, const TileRect& area, const TileRect& main,
                             const std::vector<TileRect>& others) {
    const TileRect start = MoveInside(wanted, area);
    const int w = start.width;
    const int h = start.height;
    // Places that touch the area's edges or an edge of a window already there:
    // beside, above, below (free places always include one of these).
    std::vector<int> xs{start.left, area.left, area.right() - w};
    std::vector<int> ys{start.top, area.top, area.bottom() - h};
    const auto addEdgesOf = [&](const TileRect& t) {
        xs.insert(xs.end(), {t.left, t.right(), t.left - w});
        ys.insert(ys.end(), {t.top, t.bottom(), t.top - h});
    };
    addEdgesOf(main);
    for (const TileRect& other : others)
        addEdgesOf(other);

    TileRect best = start;
    PlaceCost bestCost = costOf(start, start, main, others);
    for (const int x : xs) {
        for (const int y : ys) {
            const TileRect r{x, y, w, h};
            if (!liesInside(r, area))
                continue;
            const PlaceCost cost = costOf(r, start, main, others);
            if (cost < bestCost) {
                best = r;
                bestCost = cost;
            }
        }
    }
    return best;
}

TileRect ComputeDialogPlace(TileSize box, const std::optional<TileRect>& owner,
                            const TileRect& area) {
    TileRect r{0, 0, box.width, box.height};
    const auto centreVertically = [&](const TileRect& on) {
        r.top = on.top + (on.height - box.height) / 2;
    };
    if (owner && owner->width > 0 && owner->height > 0) {
        r.left = owner->left + (owner->width - box.width) / 2;
        const TileRect below = roomBelow(*owner, area);
        if (owner->height >= box.height)
            centreVertically(*owner);
        else if (below.height >= box.height)
            centreVertically(below);
        else
            centreVertically(area);
    } else {
        r.left = area.left + (area.width - box.width) / 2;
        centreVertically(area);
    }
    return MoveInside(r, area);
}

TileRect ComputeViewerPlace(const TileRect& area, const TileRect& main, TileSize smallest) {
    TileRect room = roomBelow(main, area);
    if (room.height < smallest.height)
        room = area;
    const int width = std::min(std::max(room.width * 7 / 8, smallest.width), area.width);
    const int height = std::min(std::max(room.height * 7 / 8, smallest.height), area.height);
    const TileRect r{room.left + (room.width - width) / 2, room.top + (room.height - height) / 2,
                     width, height};
    return MoveInside(r, area);
}

} // namespace telmora
