#include "ui/main/exitflow.h"

#include "app/Application.h"
#include "app/UserDialogs.h"
#include "ui/main/desktopstate.h"
#include "ui/recorder/RecorderWindow.h"

#include <QDir>

namespace telmora {

bool ConfirmClose(UserDialogs& dialogs, QWidget* owner, RecorderWindow* recorder,
                  const std::function<void()>& closeAgain) {
    if (recorder != nullptr && recorder->saveCommandRunning())
        return false; // the save asked for at the last close decides
    if (recorder == nullptr || !recorder->hasUnsavedData())
        return true;
    const BoxButton answer = dialogs.showDirectBox(
        owner, text(TextId::BufferHasData) + QLatin1Char('\n') + text(TextId::AskSaveBeforeExit),
        CaptionKind::Warning, TextId::BufferHasData, BoxIcon::Question,
        {BoxButton::Yes, BoxButton::No, BoxButton::Cancel}, BoxButton::Cancel);
    if (answer == BoxButton::No)
        return true;
    if (answer != BoxButton::Yes)
        return false;
    QObject::connect(
        recorder, &RecorderWindow::saveCommandFinished, owner,
        [closeAgain](bool saved) {
            if (saved)
                closeAgain();
        },
        Qt::SingleShotConnection);
    recorder->saveCommand();
    return false;
}

void SaveAtExit(UserDialogs& dialogs, QWidget* owner, const Application& app,
                const DesktopWindows& windows) {
    QString stateError;
    const bool stateSaved = SaveDesktopState(app.desktopState(), windows, &stateError);
    QString error;
    // Without a usable configuration folder the settings are not written (the user
    // was told at start); the desktop state then lives in memory only.
    const bool settingsSaved = app.writeSettings(&error);
    if (settingsSaved && stateSaved)
        return;
    const TextId message = settingsSaved ? TextId::FileSaveError : TextId::SettingsWriteFailed;
    BoxRequest box;
    box.owner = owner;
    box.caption = errorCaption(message);
    box.text = text(message);
    if (!settingsSaved)
        box.text += QStringLiteral("\n\n%1\n%2\n\nThe comparator limits of this run are lost")
                        .arg(app.userFiles().settingsFile, error);
    if (!stateSaved)
        box.text +=
            QStringLiteral("%1\n\n%2\n%3\n\nThe window places and preferences of this run "
                           "are lost")
                .arg(settingsSaved ? QString() : QStringLiteral(";"),
                     QDir::toNativeSeparators(app.userFiles().desktopStateFile), stateError);
    box.text += QStringLiteral("; the program closes anyway.");
    box.icon = BoxIcon::Warning;
    dialogs.showBox(box);
}

} // namespace telmora
