#include "ui/main/GuiOptions.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>

#include <initializer_list>
#include <vector>

using namespace telmora;

namespace {

GuiOptions parse(std::initializer_list<const char*> args) {
    std::vector<const char*> argv{"telmora"};
    argv.insert(argv.end(), args.begin(), args.end());
    return ParseGuiOptions(static_cast<int>(argv.size()), argv.data());
}

// Runs the real program with no display at all.
struct ProgramRun {
    int status = -1;
    QString out;
    QString err;
};

ProgramRun runWithoutDisplay(const QStringList& arguments) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QLatin1String(name));
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(TELMORA_GUI_PATH), arguments);
    ProgramRun run;
    if (!process.waitForFinished(20000)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
    run.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    run.err = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}

} // namespace

TEST(GuiOptionsTest, ReadsTheProgramsOwnOptionsAndLeavesTheToolkitsAlone) {
    GuiOptions o = parse({"--simulate=cycle", "-platform", "offscreen", "rec.g53"});
    EXPECT_EQ(o.action, GuiOptions::Action::Run);
    EXPECT_EQ(o.simulate, "--simulate=cycle");
    EXPECT_EQ(o.file, QByteArray("rec.g53")) << "the platform's value is not the file";

    o = parse({"-style", "Fusion", "-reverse"});
    EXPECT_EQ(o.action, GuiOptions::Action::Run);
    EXPECT_TRUE(o.file.isEmpty());
    EXPECT_TRUE(o.simulate.empty());

    // A file name that is not valid UTF-8 keeps its bytes.
    o = parse({"--simulate", "caf\xe9.slr"});
    EXPECT_EQ(o.simulate, "--simulate");
    EXPECT_EQ(o.file, QByteArray("caf\xe9.slr"));

    EXPECT_EQ(parse({"--help"}).action, GuiOptions::Action::ShowHelp);
    EXPECT_EQ(parse({"-h", "x.g53"}).action, GuiOptions::Action::ShowHelp);
    EXPECT_EQ(parse({"--version"}).action, GuiOptions::Action::ShowVersion);

    o = parse({"--bogus"});
    EXPECT_EQ(o.action, GuiOptions::Action::UsageError);
    EXPECT_TRUE(o.error.contains(QLatin1String("bogus"))) << o.error.toStdString();
    EXPECT_EQ(parse({"a.g53", "b.g53"}).action, GuiOptions::Action::UsageError);
}

TEST(GuiOptionsTest, HelpAndVersionNeedNoDisplayAndMistakesAreUsageErrors) {
    ProgramRun help = runWithoutDisplay({QStringLiteral("--help")});
    EXPECT_EQ(help.status, 0) << help.err.toStdString();
    EXPECT_TRUE(help.out.startsWith(QLatin1String("Usage: telmora"))) << help.out.toStdString();
    EXPECT_TRUE(help.err.isEmpty()) << help.err.toStdString();

    ProgramRun version = runWithoutDisplay({QStringLiteral("--version")});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, QStringLiteral("telmora " TELMORA_VERSION "\n"));

    ProgramRun wrong = runWithoutDisplay({QStringLiteral("--frobnicate")});
    EXPECT_EQ(wrong.status, 2);
    EXPECT_TRUE(wrong.out.isEmpty());
    EXPECT_TRUE(wrong.err.startsWith(QLatin1String("telmora: Unknown option 'frobnicate'")))
        << wrong.err.toStdString();
    EXPECT_TRUE(wrong.err.contains(QLatin1String("Usage: telmora")));
}
