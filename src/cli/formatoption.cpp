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

} // namespace telmora::cli
