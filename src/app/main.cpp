// Telmora: live readings, recording and logger import for a USB-linked multimeter.
#include <QApplication>
#include <QLocale>
#include <QWidget>

int main(int argc, char** argv) {
    QLocale::setDefault(QLocale::c());
    QApplication app(argc, argv);
    QWidget window;
    window.show();
    return app.exec();
}
