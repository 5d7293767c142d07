#include "ui/main/startup.h"

#include "ui/main/MainWindow.h"

#include <QTimer>

namespace telmora {

QString FileArgument(const QStringList& arguments) {
    for (qsizetype i = 1; i < arguments.size(); ++i)
        if (!arguments[i].isEmpty() && !arguments[i].startsWith(QLatin1Char('-')))
            return arguments[i];
    return {};
}

void StartMainWindow(MainWindow& mainWindow, const QString& file) {
    mainWindow.createWindows();
    mainWindow.show();
    if (!mainWindow.restoredWindowPlaces()) {
        // Start with the windows laid out side by side, as the tile command does,
        // once the desktop has framed them (their frame sizes enter the layout).
        // A second pass corrects the places of windows whose frames were not known
        // at the first.
        QTimer::singleShot(300, &mainWindow, [&mainWindow] { mainWindow.tileWindows(); });
        QTimer::singleShot(900, &mainWindow, [&mainWindow] { mainWindow.tileWindows(); });
    }
    if (!file.isEmpty())
        mainWindow.openFile(file);
}

} // namespace telmora
