#pragma once

#include "model/ReadingRecord.h"
#include "model/TypedReading.h"

#include <QString>

#include <memory>
#include <span>
#include <string>

namespace telmora {

// The math channel of a several-meter recording: an expression over the meters'
// readings at each tick, with the variables M1..Mn for the meters' values in SI
// base units (M1 is the first meter). Parsing and evaluating are left to muParser,
// which brings operators, constants and functions ("sqrt(M1^2+M2^2)").
class MathChannel {
public:
    MathChannel();
    ~MathChannel();
    MathChannel(MathChannel&&) noexcept;
    MathChannel& operator=(MathChannel&&) noexcept;

    // Takes `expression` for a recording of `meters` meters; an empty (or blank)
    // expression removes the channel. False, with a numbered message in `error`
    // ("[E9041] M4 is not a meter of this recording (it has 3).", or the position of
    // the fault counted from 1), when the expression cannot be used (then nothing
    // changes).
    bool setExpression(const QString& expression, int meters, QString* error = nullptr);
    bool isSet() const { return !m_expression.isEmpty(); }
    const QString& expression() const { return m_expression; }

    // The value at one tick from the meters' values (values[0] is M1). NaN when a
    // meter the expression uses has no value (a gap, an open input or an overload:
    // NaN in `values`), or when the result is no finite number (a division by zero).
    // Evaluated and kept in double precision.
    double evaluate(std::span<const double> values) const;

    // The unit of the result where it follows from the meters' units (units[0] is
    // M1's, UTF-8): a product of volts and amperes is watts, a quotient of volts by
    // amperes ohms (and the like for W/V, W/A, V/Ω, A·Ω); sums, differences and
    // constant multiples of readings of one unit keep that unit. Empty otherwise.
    std::string unit(std::span<const std::string> units) const;

private:
    struct Parser;
    QString m_expression;
    std::unique_ptr<Parser> m_parser;
};

// The value a meter's reading gives the math channel: its SI value, NaN for a gap,
// an open input or an overload.
double MathOperand(const TypedReading& reading);
// The same for a meter's stored main record.
double MathOperand(const ReadingRecord& main);

// The unit of `expression` as MathChannel::unit() derives it.
std::string DeriveMathUnit(const std::string& expression, std::span<const std::string> units);

} // namespace telmora
