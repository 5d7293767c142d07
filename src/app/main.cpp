// Telmora: live readings, recording and logger import for a USB-linked multimeter.
#include "app/TFormMain.h"

#include <QApplication>
#include <QLocale>

int main(int argc, char** argv) {
    // Numbers become text and text becomes numbers with "." whatever the user's locale.
    QLocale::setDefault(QLocale::c());
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Telmora"));
    QApplication::setApplicationVersion(QStringLiteral(TELMORA_VERSION));

    TFormMain formMain;
    formMain.createWindows();
    formMain.show();
    return QApplication::exec();
}
