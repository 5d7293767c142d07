#include "recording/MathChannel.h"

#include "model/TypedReading.h"
#include "text/texts.h"

#include <muParser.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace telmora {

struct MathChannel::Parser {
    mu::Parser parser;
    // The variables the parser reads (M1..Mn), at fixed addresses for its lifetime.
    std::vector<double> variables;
    // Which of them the expression uses.
    std::vector<std::size_t> used;
};

namespace {

// "[E9041] M4 is not a meter of this recording (it has 3)." and the like: what is
// wrong with an expression the parser refused, its position counted from 1.
QString expressionFault(const mu::Parser::exception_type& failure, const std::string& expression,
                        int meters) {
    const std::string& token = failure.GetToken();
    const auto numbered = [](TextId id, std::initializer_list<long long> numbers) {
        return QStringLiteral("[E%1] ").arg(textNumber(id)) + fillNumbers(text(id), numbers);
    };
    if (failure.GetCode() == mu::ecUNASSIGNABLE_TOKEN && token.size() > 1 && token.size() < 12 &&
        token[0] == 'M' &&
        std::all_of(token.begin() + 1, token.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return numbered(TextId::MathUnknownMeter, {std::atoll(token.c_str() + 1), meters});
    if (failure.GetCode() == mu::ecUNEXPECTED_EOF || failure.GetCode() == mu::ecMISSING_PARENS)
        return numbered(TextId::MathUnfinished, {});
    const long long position =
        std::clamp<long long>(failure.GetPos(), 0, static_cast<long long>(expression.size())) + 1;
    return numbered(TextId::MathFaultAt, {position});
}

} // namespace

MathChannel::MathChannel() = default;
MathChannel::~MathChannel() = default;
MathChannel::MathChannel(MathChannel&&) noexcept = default;
MathChannel& MathChannel::operator=(MathChannel&&) noexcept = default;

bool MathChannel::setExpression(const QString& expression, int meters, QString* error) {
    const QString trimmed = expression.trimmed();
    if (trimmed.isEmpty()) {
        m_expression.clear();
        m_parser.reset();
        return true;
    }
    auto parser = std::make_unique<Parser>();
    parser->variables.assign(static_cast<std::size_t>(std::max(meters, 0)), 0.0);
    const std::string text = trimmed.toStdString();
    try {
        for (std::size_t i = 0; i < parser->variables.size(); ++i)
            parser->parser.DefineVar("M" + std::to_string(i + 1), &parser->variables[i]);
        parser->parser.SetExpr(text);
        for (const auto& [name, address] : parser->parser.GetUsedVar())
            parser->used.push_back(static_cast<std::size_t>(address - parser->variables.data()));
        parser->parser.Eval(); // reports what the syntax check leaves to the first run
    } catch (const mu::Parser::exception_type& failure) {
        if (error != nullptr)
            *error = expressionFault(failure, text, std::max(meters, 0));
        return false;
    }
    m_expression = trimmed;
    m_parser = std::move(parser);
    return true;
}

double MathChannel::evaluate(std::span<const double> values) const {
    constexpr double kNone = std::numeric_limits<double>::quiet_NaN();
    if (!m_parser)
        return kNone;
    for (const std::size_t i : m_parser->used)
        if (i >= values.size() || std::isnan(values[i]))
            return kNone;
    for (std::size_t i = 0; i < m_parser->variables.size(); ++i)
        m_parser->variables[i] = i < values.size() ? values[i] : 0.0;
    double result = 0.0;
    try {
        result = m_parser->parser.Eval();
    } catch (const mu::Parser::exception_type&) {
        return kNone;
    }
    return std::isfinite(result) ? result : kNone;
}

std::string MathChannel::unit(std::span<const std::string> units) const {
    return isSet() ? DeriveMathUnit(m_expression.toStdString(), units) : std::string();
}

double MathOperand(const TypedReading& reading) {
    return reading.hasValue() ? reading.value : std::numeric_limits<double>::quiet_NaN();
}

double MathOperand(const ReadingRecord& main) {
    return MathOperand(ReadingOfRecord(main, RecordOrigin::Recorder));
}

// --- the unit of an expression -------------------------------------------------------

namespace {

const std::string kVolt = "V";
const std::string kAmpere = "A";
const std::string kWatt = "W";
const std::string kOhm = "\u03A9";

// The unit of a product or a quotient of two readings; empty when it has none.
std::string combined(const std::string& a, char op, const std::string& b) {
    const auto is = [&](const std::string& x, const std::string& y) { return a == x && b == y; };
    if (op == '*') {
        if (is(kVolt, kAmpere) || is(kAmpere, kVolt))
            return kWatt;
        if (is(kAmpere, kOhm) || is(kOhm, kAmpere))
            return kVolt;
        return {};
    }
    if (is(kVolt, kAmpere))
        return kOhm;
    if (is(kVolt, kOhm) || is(kWatt, kVolt))
        return kAmpere;
    if (is(kWatt, kAmpere))
        return kVolt;
    return {};
}

// Splits `text` at the operators of `ops` outside parentheses. A sign that begins
// the text, follows another operator or belongs to a number's exponent ("1e-3")
// does not split. Each piece keeps the operator before it (the first one '+').
std::vector<std::pair<char, std::string>> splitAt(const std::string& text, std::string_view ops) {
    std::vector<std::pair<char, std::string>> pieces{{'+', {}}};
    int depth = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        depth += c == '(' ? 1 : c == ')' ? -1 : 0;
        const bool isOp = depth == 0 && ops.find(c) != std::string_view::npos;
        const bool sign =
            (c == '+' || c == '-') &&
            (i == 0 || std::string_view("+-*/^(,").find(text[i - 1]) != std::string_view::npos ||
             ((text[i - 1] == 'e' || text[i - 1] == 'E') && i >= 2 &&
              std::isdigit(static_cast<unsigned char>(text[i - 2]))));
        if (isOp && !sign) {
            pieces.emplace_back(c, std::string());
            continue;
        }
        pieces.back().second += c;
    }
    return pieces;
}

// Strips parentheses that enclose the whole text.
std::string unwrapped(std::string text) {
    while (text.size() >= 2 && text.front() == '(' && text.back() == ')') {
        int depth = 0;
        bool enclosesAll = true;
        for (std::size_t i = 0; i + 1 < text.size(); ++i) {
            depth += text[i] == '(' ? 1 : text[i] == ')' ? -1 : 0;
            if (depth == 0) {
                enclosesAll = false;
                break;
            }
        }
        if (!enclosesAll)
            break;
        text = text.substr(1, text.size() - 2);
    }
    return text;
}

std::optional<std::string> expressionUnit(const std::string& text,
                                          std::span<const std::string> units);

// The unit of a factor: a meter's reading, a plain number (an empty unit) or a
// parenthesised expression; nothing for anything else (a function, a power).
std::optional<std::string> factorUnit(std::string factor, std::span<const std::string> units) {
    while (!factor.empty() && (factor.front() == '+' || factor.front() == '-'))
        factor.erase(0, 1);
    if (const std::string inner = unwrapped(factor); inner != factor)
        return expressionUnit(inner, units);
    if (factor.size() >= 2 && factor[0] == 'M') {
        std::size_t n = 0;
        for (std::size_t i = 1; i < factor.size(); ++i) {
            if (!std::isdigit(static_cast<unsigned char>(factor[i])))
                return std::nullopt;
            n = n * 10 + static_cast<std::size_t>(factor[i] - '0');
            if (n > units.size())
                return std::nullopt;
        }
        if (n == 0 || units[n - 1].empty())
            return std::nullopt;
        return units[n - 1];
    }
    char* end = nullptr;
    std::strtod(factor.c_str(), &end);
    if (factor.empty() || end != factor.c_str() + factor.size())
        return std::nullopt;
    return std::string();
}

// The unit of a product or quotient of factors; an empty unit for a number.
std::optional<std::string> termUnit(const std::string& term, std::span<const std::string> units) {
    std::string unit;
    for (const auto& [op, text] : splitAt(term, "*/")) {
        const std::optional<std::string> its = factorUnit(text, units);
        if (!its)
            return std::nullopt;
        if (its->empty())
            continue; // a number scales the term
        if (unit.empty()) {
            if (op == '/')
                return std::nullopt; // the reciprocal of a reading
            unit = *its;
            continue;
        }
        unit = combined(unit, op, *its);
        if (unit.empty())
            return std::nullopt;
    }
    return unit;
}

// The unit of a sum of terms: all that are no numbers share it.
std::optional<std::string> expressionUnit(const std::string& text,
                                          std::span<const std::string> units) {
    std::string unit;
    for (const auto& [op, term] : splitAt(unwrapped(text), "+-")) {
        const std::optional<std::string> its = termUnit(term, units);
        if (!its)
            return std::nullopt;
        if (its->empty())
            continue; // a constant takes the unit of the rest
        if (!unit.empty() && unit != *its)
            return std::nullopt;
        unit = *its;
    }
    return unit;
}

} // namespace

std::string DeriveMathUnit(const std::string& expression, std::span<const std::string> units) {
    std::string text;
    for (const char c : expression)
        if (c != ' ' && c != '\t')
            text += c;
    return expressionUnit(text, units).value_or(std::string());
}

} // namespace telmora
