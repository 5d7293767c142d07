#include "cli/CommandOutput.h"

#include <cerrno>
#include <cstring>

#include <unistd.h>

namespace telmora::cli {

namespace {

// Blocks from this size go to the system in one write of their own: an export hands
// over pieces of hundreds of kilobytes, which the stream would only cut up.
constexpr std::size_t kDirectWriteBytes = std::size_t{64} << 10;

} // namespace

bool CommandOutput::write(std::string_view text) {
    if (failed()) {
        return false;
    }
    if (text.empty()) {
        return true;
    }
    if (text.size() >= kDirectWriteBytes && fileno(m_file) >= 0) {
        return writeDirectly(text);
    }
    errno = 0;
    if (std::fwrite(text.data(), 1, text.size(), m_file) != text.size()) {
        keepError();
        return false;
    }
    return true;
}

bool CommandOutput::writeDirectly(std::string_view text) {
    // What the stream holds goes first, so that the bytes stay in order.
    if (!flush()) {
        return false;
    }
    const int fd = fileno(m_file);
    while (!text.empty()) {
        errno = 0;
        const ssize_t n = ::write(fd, text.data(), text.size());
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            keepError();
            return false;
        }
        text.remove_prefix(static_cast<std::size_t>(n));
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

int Fail(const std::string& message) {
    std::fprintf(stderr, "telmora-cli: %s\n", message.c_str());
    return 1;
}

} // namespace telmora::cli
