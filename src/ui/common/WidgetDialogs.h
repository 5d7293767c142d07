#pragma once

#include "app/UserDialogs.h"

#include <QString>

namespace telmora {

// The dialogs of the desktop: Qt's message boxes, file, print and colour dialogs
// and the auto-closing notice. It remembers the folder of the last chosen file for
// the next file dialog. main() makes one and hands it to every window.
class WidgetDialogs final : public UserDialogs {
public:
    BoxButton showBox(const BoxRequest& request) override;
    std::optional<QString> chooseFile(const FileDialogRequest& request) override;
    bool choosePrinter(const PrintDialogRequest& request) override;
    bool setUpPage(QWidget* owner, QPrinter& printer) override;
    std::optional<QColor> pickColor(QWidget* owner, const QColor& initial,
                                    const QString& title) override;
    CountdownResult showCountdown(const CountdownRequest& request) override;
    std::optional<QString> askText(const TextInputRequest& request) override;
    std::optional<qint64> askNumber(const NumberInputRequest& request) override;
    bool runDialog(QDialog& dialog) override;

private:
    QString m_lastDirectory; // the folder of the last chosen file
};

} // namespace telmora
