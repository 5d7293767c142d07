#pragma once
// The application and its main window, built as main() builds them, for the
// tests of the main window.

#include "app/Application.h"
#include "app/UserFiles.h"
#include "meter/CableBackend.h"
#include "ui/main/MainWindow.h"

#include <QDir>

#include <memory>

namespace telmora {

struct MainUnderTest {
    // Without `files`: the per-user files, with the current directory as the
    // start directory.
    MainUnderTest(std::shared_ptr<CableBackend> backend, UserDialogs& dialogs)
        : MainUnderTest(std::move(backend), dialogs, LocateUserFiles(QDir::currentPath())) {}
    MainUnderTest(std::shared_ptr<CableBackend> backend, UserDialogs& dialogs, UserFiles files)
        : app(std::move(backend), std::move(files)), window(app, dialogs) {}

    Application app;
    MainWindow window;
};

} // namespace telmora
