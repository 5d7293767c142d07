#include "recording/MathTrack.h"

#include <cmath>
#include <limits>

namespace telmora {

bool MathTrack::setExpression(const QString& expression, int meters, QString* error) {
    MathChannel channel;
    if (!channel.setExpression(expression, meters, error))
        return false;
    m_math = std::move(channel);
    clearValues();
    m_pending = m_math.isSet();
    return true;
}

void MathTrack::keepFor(int meters) {
    QString ignored;
    if (!m_math.setExpression(m_math.expression(), meters, &ignored))
        m_math = MathChannel(); // it uses a meter that is gone
    clearValues();
}

void MathTrack::setLoaded(const QString& expression, int meters,
                          const std::vector<double>& values) {
    m_math = MathChannel();
    clearValues();
    if (m_math.setExpression(expression, meters))
        for (const double value : values)
            push(value);
}

void MathTrack::clearValues() {
    m_values.clear();
    m_statistics = {};
    m_pending = false;
}

void MathTrack::push(double value) {
    m_values.push_back(value);
    if (!std::isnan(value))
        m_statistics.add(value);
}

void MathTrack::append(const std::vector<const ReadingRecord*>& mains) {
    if (!m_math.isSet() || m_pending)
        return;
    std::vector<double> operands;
    operands.reserve(mains.size());
    for (const ReadingRecord* main : mains)
        operands.push_back(MathOperand(*main));
    push(m_math.evaluate(operands));
}

void MathTrack::takeCounted(const std::vector<double>& values, int meters, std::int64_t ticks,
                            const std::function<double(int, std::int64_t)>& operandAt) {
    if (!m_pending)
        return;
    clearValues();
    for (const double value : values)
        push(value);
    std::vector<double> operands(static_cast<std::size_t>(meters));
    for (auto i = static_cast<std::int64_t>(m_values.size()); i < ticks; ++i) {
        for (int meter = 0; meter < meters; ++meter)
            operands[static_cast<std::size_t>(meter)] = operandAt(meter, i);
        push(m_math.evaluate(operands));
    }
}

double MathTrack::valueAt(std::int64_t index) const {
    if (index < 0 || index >= size())
        return std::numeric_limits<double>::quiet_NaN();
    return m_values[static_cast<std::size_t>(index)];
}

} // namespace telmora
