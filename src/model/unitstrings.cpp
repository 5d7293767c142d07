#include "model/unitstrings.h"

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
    std::memcpy(out.data(), text.data(), n);
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
    switch (code) {
    case 0x5:
    case 0x6:
    case 0x7:
    case 0x10800:
    case 0x1000005:
    case 0x1000006:
        return (d == -2 || d == -1) ? -3 : 1;
    case 0x8:
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
    case 0x80:
    case 0x180:
    case 0x400:
        return d / 3 * 3; // truncation toward zero: -1 gives 0
    case 0x201:
    case 0x202:
    case 0x203:
        if (d == -4 || d == -3) {
            return -6;
        }
        if (d == -2 || d == -1) {
            return -3;
        }
        return 0;
    case 0x205:
    case 0x20205:
    case 0x40001:
        return (d >= 4 && d <= 6) ? 3 : 0;
    case 0x800:
        return 0;
    case 0x1000:
        return -9;
    case 0x2000:
        return -3;
    default:
        return 0;
    }
}

std::string_view PrefixTextView(std::uint32_t code, int prefixClass) {
    switch (prefixClass) {
    case -9:
        return "n";
    case -6:
        return "u";
    case -3:
        return code == 0x2000 ? "dB" : "m";
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
    switch (code & 0x7FFFFFFFu) {
    case 0x4:
    case 0x5:
    case 0x6:
    case 0x7:
    case 0x14:
    case 0x1000005:
    case 0x1000006:
        return "V";
    case 0x8:
        return "F";
    case 0x20:
    case 0x4020:
    case 0x8020:
    case 0xC020:
        return "C";
    case 0x40:
    case 0x4040:
    case 0x8040:
    case 0xC040:
        return "F";
    case 0x80:
    case 0x180:
    case 0x2080:
        return "W";
    case 0x201:
    case 0x202:
    case 0x203:
        return "A";
    case 0x205:
        return "VA";
    case 0x400:
        return "Hz";
    case 0x800:
    case 0x10800:
        return "%";
    case 0x1000:
        return "S";
    case 0x2000:
        return "m";
    case 0x20205:
        return "VAR";
    case 0x40001:
        return "W";
    default:
        return "";
    }
}

std::size_t UnitText(std::uint32_t code, std::span<char> out) {
    return WriteText(UnitTextView(code), out);
}

} // namespace telmora
