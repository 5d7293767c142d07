// Telmora: live readings, recording and logger import for a USB-linked multimeter.
#include "meter/CableBackend.h"
#include "meter/MeterLink.h"
#include "meter/UserFiles.h"
#include "sim/SimulatedMeter.h"
#include "ui/common/AppIcon.h"
#include "ui/main/MainWindow.h"
#include "ui/main/startup.h"

#include <QApplication>
#include <QDir>
#include <QLocale>
#include <QTimer>

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    // Numbers become text and text becomes numbers with "." whatever the user's locale.
    QLocale::setDefault(QLocale::c());

    // --simulate[=NAME] puts a simulated meter behind the cable; without it the
    // real cable is used. The choice is made before any window can look for it.
    const std::string_view simulate = telmora::FindSimulateOption(argc, argv);
    std::string error;
    std::shared_ptr<telmora::CableBackend> backend = telmora::MakeCableBackend(simulate, &error);
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

    // Per-user files: settings and desktop state in the configuration directory,
    // temporary recordings in the data directory (both follow XDG_*), created now.
    const telmora::UserFiles files = telmora::LocateUserFiles(QDir::currentPath());

    // The link outlives the windows it feeds.
    telmora::MeterLink link(backend);
    telmora::MainWindow formMain(link, files);
    // "telmora FILE" opens a recording or a session file.
    telmora::StartMainWindow(formMain, telmora::FileArgument(QApplication::arguments()));
    // Once the windows are up: folders that are not used are told, and recordings
    // that a run which ended unexpectedly left behind are offered.
    QTimer::singleShot(0, &formMain, [&formMain] { telmora::FinishStart(formMain); });
    return QApplication::exec();
}
