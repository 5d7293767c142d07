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

#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Windows are drawn offscreen unless the caller chose a platform, so the tests
    // (and their discovery) run on machines without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QLocale::setDefault(QLocale::c());
    // Per-user files (settings, desktop state, temporary recordings) go to folders
    // of this run, never into the home directory of whoever runs the tests.
    const QTemporaryDir userDirectory;
    if (userDirectory.isValid()) {
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(userDirectory.filePath("config")));
        qputenv("XDG_DATA_HOME", QFile::encodeName(userDirectory.filePath("data")));
    }
    TestApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
