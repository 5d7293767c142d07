#pragma once
// The command line of the desktop program, read before any window or display is
// needed: --help and --version answer without a display, and a mistake is told
// as a usage error instead of starting the program with the option ignored.

#include <QByteArray>
#include <QString>

#include <string>

namespace telmora {

struct GuiOptions {
    enum class Action {
        Run,         // start the program
        ShowHelp,    // print the usage and leave (status 0)
        ShowVersion, // print the version and leave (status 0)
        UsageError,  // print `error` and the usage and leave (status 2)
    };
    Action action = Action::Run;
    // "--simulate" or "--simulate=NAME" as given, or empty for the real cable.
    std::string simulate;
    // The file to open, as the bytes the system knows it by (may be empty).
    QByteArray file;
    // What was wrong with the command line.
    QString error;
};

// Reads the program's arguments. The options of the Qt toolkit (-platform NAME,
// -style NAME, -geometry WxH+X+Y, -reverse, ...) are accepted and left for it.
GuiOptions ParseGuiOptions(int argc, const char* const* argv);

// The text --help prints.
QString GuiUsage();

// The line --version prints.
QString GuiVersionLine();

} // namespace telmora
