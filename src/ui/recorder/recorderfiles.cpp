#include "ui/recorder/recorderfiles.h"

#include "app/UserDialogs.h"
#include "recording/RecorderController.h"
#include "recording/recordertext.h"
#include "text/texts.h"

#include <QDir>
#include <QFileInfo>

namespace telmora {

void showExportedPerMeter(UserDialogs& dialogs, QWidget* owner, const QStringList& files) {
    QStringList shown;
    for (const QString& file : files)
        shown.append(QDir::toNativeSeparators(file));
    dialogs.showDirectBox(
        owner, text(TextId::ExportedPerMeter) + QLatin1Char('\n') + shown.join(QLatin1Char('\n')),
        CaptionKind::Warning, TextId::ExportedPerMeter, BoxIcon::Information, {BoxButton::Ok});
}

QString PrintedDocumentName(const RecorderController& controller) {
    const QString& path = controller.documentPath();
    return path.isEmpty() ? UnsavedRecordingName() : QFileInfo(path).fileName();
}

QString UnsavedRecordingName() {
    return translate("RecorderWindow", "unsaved recording");
}

namespace {

const QString kRecorderFilter = QStringLiteral("Data Logger files(*.g53)|*.g53");
const QString kOpenFilter = QStringLiteral("Data Logger files(*.g53; *.telmora)|*.g53;*.telmora");
const QString kGroupExtension = QStringLiteral("telmora");

} // namespace

namespace {

// A recorder file dialog: the caption is the menu item without its accelerator mark.
FileDialogRequest recordingDialog(FileDialogRequest::Mode mode, QWidget* owner, TextId caption) {
    FileDialogRequest request;
    request.mode = mode;
    request.owner = owner;
    request.caption = text(caption).remove(QLatin1Char('&'));
    request.defaultExt = QStringLiteral("g53");
    request.filter = kRecorderFilter;
    return request;
}

} // namespace

std::optional<QString> askRecordingSaveName(UserDialogs& dialogs, QWidget* owner,
                                            bool severalMeters) {
    FileDialogRequest request =
        recordingDialog(FileDialogRequest::Mode::Save, owner, TextId::MenuFileSaveAs);
    request.fileName = QStringLiteral("Untitled.g53");
    request.overwritePrompt = true;
    if (!severalMeters)
        return dialogs.chooseFile(request);
    request.defaultExt = kGroupExtension;
    request.filter =
        translate("RecorderWindow", "Telmora recording") + QStringLiteral(" (*.telmora)|*.telmora");
    request.fileName = QStringLiteral("Untitled.telmora");
    const std::optional<QString> path = dialogs.chooseFile(request);
    return path ? std::optional<QString>(GroupSavePath(*path)) : std::nullopt;
}

// The group's files are named after the manifest, which the recorder knows by its
// extension.
QString GroupSavePath(const QString& path) {
    if (path.endsWith(QStringLiteral(".telmora"), Qt::CaseInsensitive))
        return path;
    QString base = path;
    if (base.endsWith(QStringLiteral(".g53"), Qt::CaseInsensitive))
        base.chop(4);
    return base + QStringLiteral(".telmora");
}

std::optional<QString> askRecordingToOpen(UserDialogs& dialogs, QWidget* owner) {
    FileDialogRequest request =
        recordingDialog(FileDialogRequest::Mode::Open, owner, TextId::MenuFileOpen);
    request.filter = kOpenFilter + QStringLiteral("|Temporary files(*.TMP)|*.tmp");
    request.filterIndex = 1;
    request.overwritePrompt = false;
    return dialogs.chooseFile(request);
}

void showFileSaveError(UserDialogs& dialogs, QWidget* owner, const QString& path,
                       const QString& reason) {
    QString message = text(TextId::FileSaveError);
    message += QStringLiteral("\n%1").arg(QDir::toNativeSeparators(path));
    if (!reason.isEmpty())
        message += QStringLiteral("\n(%1)").arg(reason);
    dialogs.showDirectBox(owner, message, CaptionKind::Error, TextId::FileSaveError, BoxIcon::Error,
                          {BoxButton::Ok});
}

} // namespace telmora
