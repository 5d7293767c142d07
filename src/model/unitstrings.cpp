#include "model/unitstrings.h"

#include "model/functiontable.h"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace telmora {

namespace {

std::size_t WriteText(std::string_view text, std::span<char> out) {
    if (out.empty()) {
        return 0;
    }
    const std::size_t n = std::min(text.size(), out.size() - 1);
    std::copy_n(text.begin(), n, out.begin());
    out[n] = '\0';
    return n;
}

// The decimal-point code as an integer; blanks around it are allowed, anything
// else that is not a complete decimal integer fails.
bool ParseDecimalCode(std::string_view text, int& value) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-') {
            return false;
        }
    }
    if (text.empty()) {
        return false;
    }
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end;
}

} // namespace

int PrefixClass(std::uint32_t code, std::string_view decimalCode) {
    int d = 0;
    if (!ParseDecimalCode(decimalCode, d)) {
        return 0;
    }
    // A code with the low-battery bit has no prefix rule.
    const PrefixRule rule =
        (code & kLowBatteryBit) != 0 ? PrefixRule::None : FunctionRowOf(code).prefixRule;
    switch (rule) {
    case PrefixRule::VoltRange:
        return (d == -2 || d == -1) ? -3 : 1;
    case PrefixRule::Capacitance:
        if (d == -2 || d == -1) {
            return -9;
        }
        if (d >= 0 && d <= 2) {
            return -6;
        }
        if (d == 3 || d == 4) {
            return -3;
        }
        return 0;
    case PrefixRule::Decade:
        return d / 3 * 3; // truncation toward zero: -1 gives 0
    case PrefixRule::Current:
        if (d == -4 || d == -3) {
            return -6;
        }
        if (d == -2 || d == -1) {
            return -3;
        }
        return 0;
    case PrefixRule::Power:
        return (d >= 4 && d <= 6) ? 3 : 0;
    case PrefixRule::Nano:
        return -9;
    case PrefixRule::Milli:
        return -3;
    case PrefixRule::None:
        break;
    }
    return 0;
}

std::string_view PrefixTextView(std::uint32_t code, int prefixClass) {
    switch (prefixClass) {
    case -9:
        return "n";
    case -6:
        return "u";
    case -3:
        return code == FunctionCodeOf(MeterFunction::DecibelMilliwatt) ? "dB" : "m";
    case 3:
        return "k";
    case 6:
        return "M";
    default:
        return "";
    }
}

std::size_t PrefixText(std::uint32_t code, int prefixClass, std::span<char> out) {
    return WriteText(PrefixTextView(code, prefixClass), out);
}

std::string_view UnitTextView(std::uint32_t code) {
    return FunctionRowOf(code).loggedUnit;
}

std::size_t UnitText(std::uint32_t code, std::span<char> out) {
    return WriteText(UnitTextView(code), out);
}

} // namespace telmora
