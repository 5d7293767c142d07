#include "ui/main/startup.h"

#include "app/UserDialogs.h"
#include "app/UserFiles.h"
#include "model/fileaccess.h"
#include "text/texts.h"
#include "ui/main/MainWindow.h"

#include <QEvent>
#include <QTimer>

#include <utility>

namespace telmora {

QString FileArgument(const QStringList& arguments) {
    for (qsizetype i = 1; i < arguments.size(); ++i)
        if (!arguments[i].isEmpty() && !arguments[i].startsWith(QLatin1Char('-')))
            return arguments[i];
    return {};
}

QByteArray FileArgument(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i)
        if (argv[i] != nullptr && argv[i][0] != '\0' && argv[i][0] != '-')
            return QByteArray(argv[i]);
    return {};
}

namespace {

// Runs `bringUp` once, in the event loop's turn after the first paint of `window`
// (or after a short while should no paint come, as on a hidden display), so that
// the main window shows before the work of the other windows starts.
class AfterFirstPaint : public QObject {
public:
    AfterFirstPaint(QWidget& window, std::function<void()> bringUp)
        : QObject(&window), m_bringUp(std::move(bringUp)) {
        window.installEventFilter(this);
        QTimer::singleShot(kLatest, this, [this] { run(); });
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            QMetaObject::invokeMethod(
                this, [this] { run(); }, Qt::QueuedConnection);
        return QObject::eventFilter(watched, event);
    }

private:
    static constexpr int kLatest = 250; // ms
    void run() {
        if (!m_bringUp)
            return;
        std::exchange(m_bringUp, {})();
        deleteLater();
    }
    std::function<void()> m_bringUp;
};

} // namespace

void StartMainWindow(MainWindow& mainWindow, const QString& file,
                     std::function<void()> windowsReady) {
    StartMainWindow(mainWindow, file.isEmpty() ? QByteArray() : NativePath(file),
                    std::move(windowsReady));
}

void StartMainWindow(MainWindow& mainWindow, const QByteArray& nativeFile,
                     std::function<void()> windowsReady) {
    mainWindow.show();
    new AfterFirstPaint(mainWindow, [&mainWindow, nativeFile, windowsReady] {
        // The panels, in the arrangement the last run left or the default one.
        mainWindow.createWindows();
        if (!nativeFile.isEmpty())
            mainWindow.openFile(nativeFile);
        if (windowsReady)
            windowsReady();
    });
}

void ReportRefusedFolders(UserDialogs& dialogs, QWidget* owner,
                          const std::vector<RefusedFolder>& folders) {
    if (folders.empty())
        return;
    QString message = text(TextId::FolderNotUsed);
    for (const RefusedFolder& folder : folders) {
        const QString meaning =
            folder.use == RefusedFolder::Use::Settings
                ? translate("Startup", "The settings and window places of this run are not saved.")
                : translate("Startup",
                            "Recordings cannot be kept on the disk while they are taken, so "
                            "recording is refused.");
        message += QStringLiteral("\n\n%1\n(%2)\n%3").arg(folder.path, folder.reason, meaning);
    }
    BoxRequest box;
    box.owner = owner;
    box.caption = errorCaption(TextId::FolderNotUsed);
    box.text = message;
    box.icon = BoxIcon::Error;
    dialogs.showBox(box);
}

void FinishStart(MainWindow& mainWindow) {
    mainWindow.createWindows();
    ReportRefusedFolders(mainWindow.dialogs(), &mainWindow, mainWindow.userFiles().refusedFolders);
    mainWindow.offerOrphanedRecordings();
}

} // namespace telmora
