#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

namespace telmora {

// Where a recording was interrupted: the indexes of the samples after which the
// readings stopped for a while (the cable was away) before the recording went on.
// Kept beside the samples, not in them: the recorder files have no room for it.
class SampleGaps {
public:
    // A gap after sample `index`; marks arrive in increasing order, a repeated
    // or older one changes nothing.
    void markAfter(std::size_t index) {
        if (m_after.empty() || index > m_after.back())
            m_after.push_back(index);
    }
    bool isGapAfter(std::size_t index) const {
        return std::binary_search(m_after.begin(), m_after.end(), index);
    }
    // A gap after one of the samples from..to-1, so between samples from and to.
    bool anyBetween(std::size_t from, std::size_t to) const {
        const auto it = std::lower_bound(m_after.begin(), m_after.end(), from);
        return it != m_after.end() && *it < to;
    }
    // The indexes after which a gap lies, in increasing order.
    const std::vector<std::size_t>& indexes() const { return m_after; }
    bool empty() const { return m_after.empty(); }
    void clear() { m_after.clear(); }

private:
    std::vector<std::size_t> m_after;
};

} // namespace telmora
