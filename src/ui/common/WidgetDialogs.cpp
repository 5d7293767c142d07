#include "ui/common/WidgetDialogs.h"

#include "ui/common/CountdownNotice.h"
#include "ui/common/FileDialogs.h"
#include "ui/common/MessageBox.h"
#include "ui/common/PrintDialog.h"

#include <QColor>
#include <QDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QPageSetupDialog>

#include <algorithm>
#include <limits>

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

bool WidgetDialogs::setUpPage(QWidget* owner, QPrinter& printer) {
    QPageSetupDialog dialog(&printer, owner);
    return dialog.exec() == QDialog::Accepted;
}

std::optional<QColor> WidgetDialogs::pickColor(QWidget* owner, const QColor& initial,
                                               const QString& title) {
    return ShowColorDialog(owner, initial, title);
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

std::optional<qint64> WidgetDialogs::askNumber(const NumberInputRequest& request) {
    bool ok = false;
    const int chosen = QInputDialog::getInt(
        request.owner, request.caption, request.label, static_cast<int>(request.value),
        static_cast<int>(request.minimum),
        static_cast<int>(std::min<qint64>(request.maximum, std::numeric_limits<int>::max())), 1,
        &ok);
    if (!ok)
        return std::nullopt;
    return chosen;
}

bool WidgetDialogs::runDialog(QDialog& dialog) {
    return dialog.exec() == QDialog::Accepted;
}

} // namespace telmora
