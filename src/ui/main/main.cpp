// Telmora: live readings, recording and logger import for a USB-linked multimeter.
#include "meter/CableBackend.h"
#include "meter/MeterLink.h"
#include "sim/SimulatedMeter.h"
#include "ui/common/AppIcon.h"
#include "ui/main/MainWindow.h"

#include <QApplication>
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
    QApplication::setWindowIcon(telmora::AppIcon());

    // The link outlives the windows it feeds.
    telmora::MeterLink link(backend);
    telmora::MainWindow formMain(link);
    formMain.createWindows();
    formMain.show();
    // Start with the windows laid out side by side, as the tile command does, once
    // the desktop has framed them (their frame sizes enter the layout).
    // A second pass corrects the places of windows whose frames were not known
    // at the first.
    QTimer::singleShot(300, &formMain, [&formMain] { formMain.tileWindows(); });
    QTimer::singleShot(900, &formMain, [&formMain] { formMain.tileWindows(); });
    return QApplication::exec();
}
