#include "cli/formatoption.h"

#include <cstdio>
#include <string_view>

namespace telmora::cli {

OptionMatch TakeFormatOption(int argc, char** argv, int& i, TextExportFormat& format) {
    const std::string_view arg = argv[i];
    std::string_view value;
    if (arg == "--format") {
        if (i + 1 >= argc) {
            std::fputs("telmora-cli: --format needs a value: standard or tidy\n", stderr);
            return OptionMatch::Bad;
        }
        value = argv[++i];
    } else if (arg.starts_with("--format=")) {
        value = arg.substr(9);
    } else {
        return OptionMatch::NotThis;
    }
    if (value == "tidy") {
        format = TextExportFormat::Tidy;
    } else if (value == "standard") {
        format = TextExportFormat::Standard;
    } else {
        std::fprintf(stderr, "telmora-cli: unknown --format '%.*s' (standard or tidy)\n",
                     static_cast<int>(value.size()), value.data());
        return OptionMatch::Bad;
    }
    return OptionMatch::Taken;
}

OptionMatch TakeLimitsOption(int argc, char** argv, int& i, std::optional<LimitTest>& limits) {
    const std::string_view arg = argv[i];
    std::string_view value;
    if (arg == "--limits") {
        if (i + 1 >= argc) {
            std::fputs("telmora-cli: --limits needs LOW:HIGH, e.g. 5m:2.2k\n", stderr);
            return OptionMatch::Bad;
        }
        value = argv[++i];
    } else if (arg.starts_with("--limits=")) {
        value = arg.substr(9);
    } else {
        return OptionMatch::NotThis;
    }
    limits = ReadLimits(value);
    if (!limits) {
        std::fprintf(stderr,
                     "telmora-cli: --limits '%.*s' are no limits LOW:HIGH with LOW not above HIGH "
                     "(numbers with an SI prefix or none, e.g. 5m:2.2k)\n",
                     static_cast<int>(value.size()), value.data());
        return OptionMatch::Bad;
    }
    return OptionMatch::Taken;
}

} // namespace telmora::cli
