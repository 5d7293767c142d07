#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

namespace telmora {

// A zero-terminated text in a fixed field of N bytes (at most N-1 characters).
// Trivially copyable and allocation-free, so it can live in records that are
// copied under a lock or written to files as they stand.
template <std::size_t N> struct FixedText {
    static_assert(N >= 1);
    char data[N] = {};

    FixedText() = default;
    FixedText(std::string_view s) { assign(s); }

    // Copies as much of `s` as fits, always leaving the terminating zero inside.
    void assign(std::string_view s) {
        const std::size_t n = std::min(s.size(), N - 1);
        if (n > 0) // an empty view may carry a null pointer, which memcpy must not get
            std::memcpy(data, s.data(), n);
        std::memset(data + n, 0, N - n);
    }
    void clear() { std::memset(data, 0, N); }
    std::string_view view() const {
        std::size_t n = 0;
        while (n < N && data[n] != '\0')
            ++n;
        return std::string_view(data, n);
    }
    std::string str() const { return std::string(view()); }
    std::size_t size() const { return view().size(); }
    bool empty() const { return data[0] == '\0'; }
    static constexpr std::size_t capacity() { return N - 1; }

    friend bool operator==(const FixedText& a, const FixedText& b) { return a.view() == b.view(); }
    friend bool operator==(const FixedText& a, std::string_view b) { return a.view() == b; }
};

} // namespace telmora
