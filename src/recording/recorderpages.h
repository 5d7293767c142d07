#pragma once

#include <cstdint>

namespace telmora {

// Recorder pages are counted back from the newest sample: the last page always
// shows the newest `pointsPerPage` samples, each earlier page the ones before, and
// the oldest page is right-aligned when it is only partly filled.

constexpr std::int32_t kPointsPerPage = 200;

// Page that holds buffer index `index` (1-based).
constexpr std::int32_t PageOfIndex(std::int64_t index,
                                   std::int32_t pointsPerPage = kPointsPerPage) {
    return static_cast<std::int32_t>(index / pointsPerPage) + 1;
}

// What page `page` of `lastPage` shows with `count` samples in the buffer: samples
// firstIndex .. firstIndex + samples - 1 on points firstPoint .. pointsPerPage - 1.
// Points before firstPoint are empty.
struct PageContents {
    std::int64_t firstIndex = 0;
    std::int32_t firstPoint = 0;
    std::int32_t samples = 0;
};

constexpr PageContents ContentsOfPage(std::int64_t count, std::int32_t lastPage, std::int32_t page,
                                      std::int32_t pointsPerPage = kPointsPerPage) {
    const std::int64_t a = count - static_cast<std::int64_t>(lastPage - page) * pointsPerPage;
    if (a >= pointsPerPage)
        return {count - static_cast<std::int64_t>(lastPage - page + 1) * pointsPerPage, 0,
                pointsPerPage};
    if (a <= 0)
        return {0, pointsPerPage, 0};
    return {0, static_cast<std::int32_t>(pointsPerPage - a), static_cast<std::int32_t>(a)};
}

// Buffer indices begin .. end - 1: the samples of a run of pages.
struct PageIndexRange {
    std::int64_t begin = 0;
    std::int64_t end = 0;
    std::int64_t size() const { return end > begin ? end - begin : 0; }
};

// The samples pages first..last (1-based, inclusive; pages outside 1..lastPage left
// out) show: neighbouring pages hold neighbouring samples, so that is one range.
constexpr PageIndexRange IndexRangeOfPages(std::int64_t count, std::int32_t first,
                                           std::int32_t last, std::int32_t lastPage,
                                           std::int32_t pointsPerPage = kPointsPerPage) {
    first = first < 1 ? 1 : first;
    last = last > lastPage ? lastPage : last;
    if (first > last)
        return {};
    const PageContents from = ContentsOfPage(count, lastPage, first, pointsPerPage);
    const PageContents to = ContentsOfPage(count, lastPage, last, pointsPerPage);
    const std::int64_t begin = from.firstIndex < 0 ? 0 : from.firstIndex;
    const std::int64_t end =
        to.firstIndex + to.samples < count ? to.firstIndex + to.samples : count;
    return end > begin ? PageIndexRange{begin, end} : PageIndexRange{};
}

// Buffer index of graph point `point` on page `page`; negative for an empty point
// of the partial first page.
constexpr std::int64_t IndexOfPoint(std::int32_t point, std::int64_t count, std::int32_t lastPage,
                                    std::int32_t page,
                                    std::int32_t pointsPerPage = kPointsPerPage) {
    return point + count - static_cast<std::int64_t>(pointsPerPage) * (lastPage - page + 1);
}

} // namespace telmora
