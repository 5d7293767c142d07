#pragma once

#include <string_view>

namespace telmora {

// A byte the meter's texts treat as blank: a space or a control character.
constexpr bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

// The text without blanks and control characters on either side (the live
// windows' rule).
constexpr std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// The text without spaces on either side (the recorder's and the files' rule).
constexpr std::string_view TrimSpaces(std::string_view s) {
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

// The text without spaces and tabs on either side (what a user types).
constexpr std::string_view TrimSpacesAndTabs(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

} // namespace telmora
