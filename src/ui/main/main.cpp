// Telmora: live readings, recording and logger import for a USB-linked multimeter.
#include "app/Application.h"
#include "app/UserFiles.h"
#include "app/cablebackends.h"
#include "meter/CableBackend.h"
#include "ui/common/AppIcon.h"
#include "ui/common/DbusDesktopNotifier.h"
#include "ui/common/WidgetDialogs.h"
#include "ui/main/GuiOptions.h"
#include "ui/main/MainWindow.h"
#include "ui/main/startup.h"
#include "ui/main/translations.h"

#include <QApplication>
#include <QDir>
#include <QLocale>
#include <QTimer>

#include <cstdio>
#include <string>

namespace {

// Writes `text` to `stream` and gives `status`, or 1 when the text could not be
// written (a full disk behind a redirection).
int PrintAndLeave(std::FILE* stream, const QString& text, int status) {
    const QByteArray bytes = text.toLocal8Bit();
    const bool written = std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()),
                                     stream) == static_cast<std::size_t>(bytes.size()) &&
                         std::fflush(stream) == 0;
    return written ? status : 1;
}

} // namespace

int main(int argc, char** argv) {
    // Numbers become text and text becomes numbers with "." whatever the user's locale.
    QLocale::setDefault(QLocale::c());

    // The command line is read before the display is needed, so that --help and
    // --version answer anywhere and a mistake never starts the program.
    const telmora::GuiOptions options = telmora::ParseGuiOptions(argc, argv);
    switch (options.action) {
    case telmora::GuiOptions::Action::Run:
        break;
    case telmora::GuiOptions::Action::ShowHelp:
        return PrintAndLeave(stdout, telmora::GuiUsage(), 0);
    case telmora::GuiOptions::Action::ShowVersion:
        return PrintAndLeave(stdout, telmora::GuiVersionLine(), 0);
    case telmora::GuiOptions::Action::UsageError:
        return PrintAndLeave(stderr,
                             QStringLiteral("telmora: ") + options.error + QLatin1Char('\n') +
                                 telmora::GuiUsage(),
                             2);
    }

    // --simulate[=NAME] puts a simulated meter behind the cable; without it the
    // real cable is used. The choice is made before any window can look for it.
    std::string error;
    std::shared_ptr<telmora::CableBackend> backend =
        telmora::MakeCableBackend(options.simulate, &error);
    if (!backend) {
        std::fprintf(stderr, "telmora: %s\n", error.c_str());
        return 2;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Telmora"));
    QApplication::setApplicationVersion(QStringLiteral(TELMORA_VERSION));
    // Lets the desktop match the windows to the installed desktop file.
    QGuiApplication::setDesktopFileName(QStringLiteral("telmora"));
    QApplication::setWindowIcon(telmora::AppIcon());
    // The user's language (LANGUAGE, LC_ALL, LC_MESSAGES, LANG), before any window
    // exists; numbers keep the "." of the C locale set above.
    telmora::InstallTranslations(app, QLocale::system());

    // Per-user files: settings and desktop state in the configuration directory,
    // temporary recordings in the data directory (both follow XDG_*), created now.
    const telmora::UserFiles files = telmora::LocateUserFiles(QDir::currentPath());

    // The application (cable, link, controllers, settings) outlives the windows
    // bound to it, and so do the dialogs the windows ask the user through and the
    // desktop's notification service the windows tell of alarms and lost links.
    telmora::Application application(backend, files);
    telmora::WidgetDialogs dialogs;
    telmora::DbusDesktopNotifier notifier;
    telmora::MainWindow formMain(application, dialogs);
    formMain.setDesktopNotifier(&notifier);
    // "telmora FILE" opens a recording or a session file. Once the windows are up,
    // folders that are not used are told, and recordings that a run which ended
    // unexpectedly left behind are offered.
    telmora::StartMainWindow(formMain, options.file, [&formMain] {
        QTimer::singleShot(0, &formMain, [&formMain] { telmora::FinishStart(formMain); });
    });
    return QApplication::exec();
}
