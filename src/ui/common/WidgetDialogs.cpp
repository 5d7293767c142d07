#include "ui/common/WidgetDialogs.h"

#include "ui/common/CountdownNotice.h"
#include "ui/common/FileDialogs.h"
#include "ui/common/MessageBox.h"
#include "ui/common/PrintDialog.h"

#include <QColor>
#include <QInputDialog>
#include <QLineEdit>

namespace telmora {

BoxButton WidgetDialogs::showBox(const BoxRequest& request) {
    return ShowMessageBox(request);
}

std::optional<QString> WidgetDialogs::chooseFile(const FileDialogRequest& request) {
    return ShowFileDialog(request, m_lastDirectory);
}

bool WidgetDialogs::choosePrinter(const PrintDialogRequest& request) {
    return ShowPrintDialog(request);
}

std::optional<QColor> WidgetDialogs::pickColor(QWidget* owner, const QColor& initial) {
    return ShowColorDialog(owner, initial);
}

CountdownResult WidgetDialogs::showCountdown(const CountdownRequest& request) {
    CountdownNotice notice(request.owner);
    return notice.showCountdown(request.captionKind, request.captionId, request.lines[0],
                                request.lines[1], request.lines[2]);
}

std::optional<QString> WidgetDialogs::askText(const TextInputRequest& request) {
    QInputDialog dialog(request.owner);
    dialog.setWindowTitle(request.caption);
    dialog.setLabelText(request.label);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setTextEchoMode(QLineEdit::Normal);
    dialog.setTextValue(request.text);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

} // namespace telmora
