#pragma once
// What a command writes to its output (standard output): every write and the final
// flush are checked, and the first failure is kept with the system's reason, so
// that every command stops and reports the same way. A reader that went away (a
// broken pipe) ends the command quietly.

#include <cstdio>
#include <string>
#include <string_view>

namespace telmora::cli {

class CommandOutput {
public:
    explicit CommandOutput(std::FILE* file) : m_file(file) {}
    CommandOutput(const CommandOutput&) = delete;
    CommandOutput& operator=(const CommandOutput&) = delete;

    // Writes the bytes as they are; false once anything failed (nothing more is
    // written then).
    bool write(std::string_view text);
    // Hands what is buffered to the system; false once anything failed.
    bool flush();
    bool failed() const { return m_error != 0; }
    // The errno of the first failure, 0 while everything was written.
    int error() const { return m_error; }
    // The reader of the output went away (EPIPE).
    bool readerGone() const;

    // Flushes, and gives `status` when everything was written; otherwise the exit
    // status 1 after report().
    int finish(int status, std::FILE* err);
    // Tells on `err` in one line why the output failed ("telmora-cli: cannot write
    // to standard output: No space left on device"), once; nothing for a reader that
    // went away. Returns the exit status 1.
    int report(std::FILE* err);

private:
    // Writes a large block with write(2) after what the stream holds.
    bool writeDirectly(std::string_view text);
    void keepError();

    std::FILE* m_file;
    int m_error = 0;
    bool m_reported = false;
};

// Writes a usage or help text to standard output; the exit status (0, or 1 when it
// could not be written).
int PrintHelp(const char* text);

// Tells on standard error in one line why a command failed ("telmora-cli: ...");
// the exit status 1.
int Fail(const std::string& message);

} // namespace telmora::cli
