// Common main for the test executables: a Qt application object first (widgets
// for UI tests), so that tests can use timers, events and windows.
#include <gtest/gtest.h>

#ifdef TELMORA_TEST_UI
#include <QApplication>
using TestApplication = QApplication;
#else
#include <QCoreApplication>
using TestApplication = QCoreApplication;
#endif

#include <QLocale>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    QLocale::setDefault(QLocale::c());
    TestApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
