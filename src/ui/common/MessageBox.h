#pragma once

#include <QString>

#include <functional>
#include <vector>

class QWidget;

namespace telmora {

enum class BoxIcon { None, Information, Question, Warning, Error };

// The buttons a box may carry; also the answer it gives.
enum class BoxButton { None, Ok, Cancel, Yes, No, Abort, Retry, Ignore };

// Everything one message box shows.
struct BoxRequest {
    QWidget* owner = nullptr;
    QString caption;
    QString text;
    BoxIcon icon = BoxIcon::None;
    std::vector<BoxButton> buttons{BoxButton::Ok};
    BoxButton defaultButton = BoxButton::None;
};

// Every message box of the program goes through ShowBox. Tests install an
// interceptor that records the request and answers it instead of the user.
using BoxInterceptor = std::function<BoxButton(const BoxRequest&)>;
void SetBoxInterceptor(BoxInterceptor interceptor);

// Shows the box modally and returns the button the user pressed. Called from a
// worker thread, it runs on the user-interface thread and blocks the caller until
// the box is closed.
BoxButton ShowBox(const BoxRequest& request);

// The message-box routine: caption format `captionFormatId` (9999 "Error[E%d]" or
// 8999 "Warning[W%d]") filled with `textId`, the text of `textId`, an OK button,
// the warning icon with 8999 and the error icon otherwise.
void ShowMessage(QWidget* owner, int captionFormatId, int textId);

// A box with string-table text and the caption convention, but with the caller's
// caption number, buttons, icon and default button (the "direct" boxes).
BoxButton ShowDirectBox(QWidget* owner, const QString& text, int captionFormatId, int captionNumber,
                        BoxIcon icon, std::vector<BoxButton> buttons,
                        BoxButton defaultButton = BoxButton::None);

} // namespace telmora
