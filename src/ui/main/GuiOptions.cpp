#include "ui/main/GuiOptions.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QStringList>

#include <array>
#include <string_view>

namespace telmora {

namespace {

// Options the toolkit takes from the command line itself; hidden from the usage.
constexpr std::array kToolkitOptionsWithValue{"platform",
                                              "platformpluginpath",
                                              "platformtheme",
                                              "plugin",
                                              "qwindowgeometry",
                                              "qwindowicon",
                                              "qwindowtitle",
                                              "session",
                                              "style",
                                              "stylesheet",
                                              "display",
                                              "geometry",
                                              "title",
                                              "name",
                                              "visual",
                                              "qmljsdebugger",
                                              "fn",
                                              "font",
                                              "bg",
                                              "background",
                                              "fg",
                                              "foreground",
                                              "btn",
                                              "button"};
constexpr std::array kToolkitSwitches{"reverse", "widgetcount", "nograb",
                                      "dograb",  "sync",        "testability"};

QCommandLineOption hidden(QCommandLineOption option) {
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    return option;
}

// The argument that became the first positional argument of the parser: the
// first one whose text matches it and that is not an option.
QByteArray nativeArgument(int argc, const char* const* argv, const QString& positional) {
    for (int i = 1; i < argc; ++i) {
        if (argv[i] == nullptr || argv[i][0] == '-')
            continue;
        if (QString::fromLocal8Bit(argv[i]) == positional)
            return QByteArray(argv[i]);
    }
    return positional.toLocal8Bit();
}

} // namespace

GuiOptions ParseGuiOptions(int argc, const char* const* argv) {
    QCommandLineParser parser;
    // "-platform offscreen" as the toolkit writes its options.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(
        QStringList{QStringLiteral("h"), QStringLiteral("help"), QStringLiteral("?")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    parser.addOption(help);
    parser.addOption(version);
    for (const char* name : kToolkitOptionsWithValue)
        parser.addOption(hidden(QCommandLineOption(QLatin1String(name), {}, QStringLiteral("x"))));
    for (const char* name : kToolkitSwitches)
        parser.addOption(hidden(QCommandLineOption(QLatin1String(name))));

    // --simulate takes its name only after "=", so it is read here; the parser
    // sees every other argument.
    GuiOptions options;
    QStringList arguments{QStringLiteral("telmora")};
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i] != nullptr ? argv[i] : "";
        if (arg == "--simulate" || arg.substr(0, 11) == "--simulate=")
            options.simulate = std::string(arg);
        else
            arguments.append(QString::fromLocal8Bit(argv[i] != nullptr ? argv[i] : ""));
    }
    if (!parser.parse(arguments)) {
        options.action = GuiOptions::Action::UsageError;
        options.error = parser.errorText();
        return options;
    }
    if (parser.isSet(help)) {
        options.action = GuiOptions::Action::ShowHelp;
        return options;
    }
    if (parser.isSet(version)) {
        options.action = GuiOptions::Action::ShowVersion;
        return options;
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        options.action = GuiOptions::Action::UsageError;
        options.error = QStringLiteral("only one file can be opened at a time");
        return options;
    }
    if (!files.isEmpty() && !files.front().isEmpty())
        options.file = nativeArgument(argc, argv, files.front());
    return options;
}

QString GuiUsage() {
    return QStringLiteral(
        "Usage: telmora [--simulate[=NAME]] [FILE]\n"
        "Shows, records and downloads the readings of a USB-linked digital multimeter.\n"
        "\n"
        "  FILE                a recording (.g53, .g52, .g51, .TMP, or .telmora for several\n"
        "                      meters) or a session file (.slr) to open at start\n"
        "  --simulate[=NAME]   use the built-in meter simulator instead of the cable; NAME is\n"
        "                      demo (the default), cycle, silent, nocable, unplug, replug,\n"
        "                      lowbatt or flaky; a comma list (demo,demo) simulates one\n"
        "                      cable per name\n"
        "  -h, --help          print this help and leave\n"
        "  -v, --version       print the version and leave\n"
        "\n"
        "The toolkit's own options (-platform NAME, -style NAME, -geometry, -reverse) are\n"
        "accepted as well. See telmora(1) and telmora-cli(1).\n");
}

QString GuiVersionLine() {
    return QStringLiteral("telmora " TELMORA_VERSION "\n");
}

} // namespace telmora
