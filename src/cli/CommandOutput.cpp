#include "cli/CommandOutput.h"

#include <cerrno>
#include <cstring>

namespace telmora::cli {

bool CommandOutput::write(std::string_view text) {
    if (failed()) {
        return false;
    }
    if (text.empty()) {
        return true;
    }
    errno = 0;
    if (std::fwrite(text.data(), 1, text.size(), m_file) != text.size()) {
        keepError();
        return false;
    }
    return true;
}

bool CommandOutput::flush() {
    if (failed()) {
        return false;
    }
    errno = 0;
    if (std::fflush(m_file) != 0 || std::ferror(m_file) != 0) {
        keepError();
        return false;
    }
    return true;
}

bool CommandOutput::readerGone() const {
    return m_error == EPIPE;
}

void CommandOutput::keepError() {
    // A stream can fail without the system setting errno (an earlier failure left
    // in the stream); it is still a failed write.
    m_error = errno != 0 ? errno : EIO;
}

int CommandOutput::finish(int status, std::FILE* err) {
    return flush() ? status : report(err);
}

int CommandOutput::report(std::FILE* err) {
    if (!m_reported && !readerGone()) {
        std::fprintf(err, "telmora-cli: cannot write to standard output: %s\n",
                     std::strerror(m_error != 0 ? m_error : EIO));
        std::fflush(err);
    }
    m_reported = true;
    return 1;
}

int PrintHelp(const char* text) {
    CommandOutput out(stdout);
    out.write(text);
    return out.finish(0, stderr);
}

} // namespace telmora::cli
