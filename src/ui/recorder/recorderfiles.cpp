#include "ui/recorder/recorderfiles.h"

#include "app/UserDialogs.h"
#include "recording/RecorderController.h"
#include "recording/recordertext.h"
#include "text/texts.h"
#include "ui/common/ProgressWindow.h"

#include <QDir>
#include <QFileInfo>

namespace telmora {

QString PrintedDocumentName(const RecorderController& controller) {
    const QString& path = controller.documentPath();
    return path.isEmpty() ? UnsavedRecordingName() : QFileInfo(path).fileName();
}

QString UnsavedRecordingName() {
    return translate("RecorderWindow", "unsaved recording");
}

namespace {

const QString kRecorderFilter = QStringLiteral("Data Logger files(*.g53)|*.g53");
// The progress bar of an open counts the reading stage in 64 steps.
constexpr int kReadingSteps = 64;

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

std::optional<QString> askRecordingSaveName(UserDialogs& dialogs, QWidget* owner) {
    FileDialogRequest request =
        recordingDialog(FileDialogRequest::Mode::Save, owner, TextId::MenuFileSaveAs);
    request.fileName = QStringLiteral("Untitled.g53");
    request.overwritePrompt = true;
    return dialogs.chooseFile(request);
}

std::optional<QString> askRecordingToOpen(UserDialogs& dialogs, QWidget* owner) {
    FileDialogRequest request =
        recordingDialog(FileDialogRequest::Mode::Open, owner, TextId::MenuFileOpen);
    request.filter += QStringLiteral("|Temporary files(*.TMP)|*.tmp");
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

void prepareLoadProgress(ProgressWindow& progress) {
    progress.setMessage(noticeLine(TextId::ReadingSelectedFile), Qt::red);
    progress.setDetail(QString());
    progress.setRange(0, kReadingSteps);
    progress.setValue(0);
    progress.setAbortEnabled(true);
}

void showLoadStage(ProgressWindow& progress, LoadStage stage, qint64 done, qint64 total) {
    if (!progress.isVisible())
        progress.show();
    if (stage == LoadStage::Reading) {
        progress.setValue(total > 0 ? static_cast<int>(done * kReadingSteps / total)
                                    : kReadingSteps);
        progress.setDetail(fillNumbers(text(TextId::ReadingDataFormat), {done, total}));
        return;
    }
    if (progress.isAbortEnabled()) {
        progress.setValue(kReadingSteps);
        progress.setDetail(fillNumbers(text(TextId::ReadingDataFormat), {total, total}));
        progress.setAbortEnabled(false);
        progress.setMessage(noticeLine(TextId::AddingDataToBuffer), Qt::blue);
    }
}

} // namespace telmora
