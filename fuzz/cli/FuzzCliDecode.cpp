// The hexadecimal line parser of `telmora-cli decode` and its JSON output, on
// arbitrary bytes: no crash, and every output line is one JSON object without
// raw control characters.
#include "cli/CmdDecode.h"

#include "model/decode.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

void CheckJsonLine(const std::string& json) {
    Check(!json.empty() && json.front() == '{' && json.back() == '}');
    for (char c : json) {
        const auto u = static_cast<unsigned char>(c);
        Check(u >= 0x20 && u < 0x7F);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);

    // One line straight into the parser.
    std::array<std::uint8_t, telmora::kReplySize> reply{};
    std::string error;
    std::string json;
    if (telmora::cli::ParseReplyHex(input, reply, error)) {
        telmora::DecodedReply reading;
        telmora::DecodeReply(reply, reading);
        telmora::cli::AppendReadingJson(reading, json);
    } else {
        Check(!error.empty());
        telmora::cli::AppendErrorJson(error, json);
    }
    CheckJsonLine(json);

    // The whole stream path: input split into lines, output lines.
    if (size == 0) {
        return 0;
    }
    std::FILE* in = fmemopen(const_cast<std::uint8_t*>(data), size, "rb");
    if (in == nullptr) {
        return 0;
    }
    char* outBuf = nullptr;
    std::size_t outSize = 0;
    std::FILE* out = open_memstream(&outBuf, &outSize);
    static std::FILE* const err = std::fopen("/dev/null", "w"); // kept for the whole run
    if (out != nullptr && err != nullptr) {
        const int status = telmora::cli::RunDecode(in, out, err);
        Check(status == 0 || status == 1);
        std::fflush(out);
        std::string_view text(outBuf, outSize);
        while (!text.empty()) {
            const std::size_t nl = text.find('\n');
            Check(nl != std::string_view::npos);
            CheckJsonLine(std::string(text.substr(0, nl)));
            text.remove_prefix(nl + 1);
        }
    }
    if (out != nullptr) {
        std::fclose(out);
    }
    std::free(outBuf);
    std::fclose(in);
    return 0;
}
