#pragma once

#include "model/ReadingRecord.h"
#include "model/RunningStatistics.h"
#include "recording/MathChannel.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace telmora {

// The math channel of a recording: its expression, one value per tick (NaN where
// it has none) and the statistics of the values it has. A new expression leaves
// the values pending until a count of the ticks so far brings them; ticks taken
// meanwhile are computed when it comes.
class MathTrack {
public:
    const MathChannel& channel() const { return m_math; }
    bool isSet() const { return m_math.isSet(); }
    bool pending() const { return m_pending; }

    // Takes a new expression over `meters` meters; false, with the parser's message
    // in `error`, when it cannot be used. The values are then pending.
    bool setExpression(const QString& expression, int meters, QString* error);
    // The meters changed: an expression that uses a meter that is gone goes. The
    // values start anew.
    void keepFor(int meters);
    // The values of an opened recording, for `meters` meters.
    void setLoaded(const QString& expression, int meters, const std::vector<double>& values);
    // Forgets the values (a new or cleared recording); the expression stays.
    void clearValues();

    // Takes the math value of the newest tick, from each meter's main reading.
    // Nothing while the values are pending (the count takes them up).
    void append(const std::vector<const ReadingRecord*>& mains);
    // The values of the first ticks, counted elsewhere; the ticks up to `ticks`
    // taken since are computed with `operandAt(meter, tick)` of `meters` meters.
    void takeCounted(const std::vector<double>& values, int meters, std::int64_t ticks,
                     const std::function<double(int, std::int64_t)>& operandAt);

    double valueAt(std::int64_t index) const;
    std::int64_t size() const { return static_cast<std::int64_t>(m_values.size()); }
    const RunningStatistics& statistics() const { return m_statistics; }

private:
    void push(double value);

    MathChannel m_math;
    std::vector<double> m_values;
    bool m_pending = false;
    RunningStatistics m_statistics;
};

} // namespace telmora
