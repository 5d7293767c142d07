// Any 27 bytes must decode to something defined: texts within their fields, only
// table characters, exponents from the known set, labels from the known sets.
#include "model/decode.h"
#include "model/unitstrings.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace {

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

template <std::size_t N> void CheckTerminated(const telmora::FixedText<N>& t) {
    Check(std::memchr(t.data, '\0', N) != nullptr);
}

bool OneOf(std::string_view s, std::initializer_list<std::string_view> set) {
    return std::find(set.begin(), set.end(), s) != set.end();
}

void CheckText(std::string_view text) {
    static constexpr std::string_view kChars = " LCiu-rtFEnob561U702PdyH3g9A84?.";
    Check(text.size() >= 4 && text.size() <= 6);
    for (char c : text) {
        Check(kChars.find(c) != std::string_view::npos);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::array<std::uint8_t, telmora::kReplySize> reply{};
    std::memcpy(reply.data(), data, std::min(size, reply.size()));

    telmora::DecodedReply r;
    telmora::DecodeReply(reply, r);

    CheckTerminated(r.main.text);
    CheckTerminated(r.sub.text);
    CheckText(r.main.text.view());
    CheckText(r.sub.text.view());
    for (int e : {r.main.prefixExponent, r.sub.prefixExponent}) {
        Check(e == -9 || e == -6 || e == -3 || e == 0 || e == 3 || e == 6);
    }
    for (auto p : {r.main.prefixLabel.view(), r.sub.prefixLabel.view()}) {
        Check(OneOf(p, {"k", "M", "n", "u", "m", ""}));
    }
    Check(OneOf(r.main.modeLabel.view(), {"AC", "DC", "DC+AC", "T1", "T2", "T1-T2", ""}));
    Check(OneOf(r.sub.modeLabel.view(), {"AC", "T1", "T2", "T1-T2", ""}));
    Check(r.main.functionCode() == (r.main.code & telmora::kFunctionMask));
    Check(r.lowBattery == ((r.main.code >> 31) & 1u));
    Check(r.main.line.text == r.main.text);
    Check(r.sub.functionCode() != 0 || r.sub.line.text.empty());

    // The function and unit strings on the same bytes.
    std::uint32_t code = 0;
    std::memcpy(&code, reply.data() + 1, sizeof code);
    const std::string_view decimal(reinterpret_cast<const char*>(data) +
                                       std::min<std::size_t>(size, 5),
                                   size > 5 ? std::min<std::size_t>(size - 5, 12) : 0);
    const int cls = telmora::PrefixClass(code, decimal);
    std::array<char, 4> buf{};
    Check(telmora::PrefixText(code, cls, buf) <= 3 && buf[3] == '\0');
    Check(telmora::UnitText(code, buf) <= 3 && buf[3] == '\0');
    return 0;
}
