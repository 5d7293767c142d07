#pragma once

#include "text/texts.h"

#include <QString>

#include <functional>
#include <vector>

class QStyle;
class QWidget;

namespace telmora {

enum class BoxIcon { None, Information, Question, Warning, Error };

// The buttons a box may carry; also the answer it gives.
enum class BoxButton { None, Ok, Cancel, Yes, No, Abort, Retry, Ignore, Open, SaveAs, Discard };

// Everything one message box shows.
struct BoxRequest {
    QWidget* owner = nullptr;
    QString caption;
    QString text;
    BoxIcon icon = BoxIcon::None;
    std::vector<BoxButton> buttons{BoxButton::Ok};
    BoxButton defaultButton = BoxButton::None;
    // Closing the box without pressing a button answers None (the question is
    // left for later) instead of the last button.
    bool closeLeavesUnanswered = false;
};

// Every message box of the program goes through ShowBox. Tests install an
// interceptor that records the request and answers it instead of the user.
using BoxInterceptor = std::function<BoxButton(const BoxRequest&)>;
void SetBoxInterceptor(BoxInterceptor interceptor);

// The smallest width (pixels) at which a box shows `caption` uncut in its title
// bar, beside the window icon and the title-bar buttons.
int MessageBoxCaptionWidth(const QString& caption, const QStyle* style);

// Shows the box modally and returns the button the user pressed. Called from a
// worker thread, it runs on the user-interface thread and blocks the caller until
// the box is closed.
BoxButton ShowBox(const BoxRequest& request);

// The message-box routine: caption "Error[E<n>]" with the number of `id`, the
// text of `id`, an OK button and the error icon.
void showError(QWidget* owner, TextId id);

// The same with caption "Warning[W<n>]" and the warning icon.
void showWarning(QWidget* owner, TextId id);

// A box with the caller's text, a caption of `kind` numbered with `captionId`,
// and the caller's buttons, icon and default button (the "direct" boxes).
BoxButton showDirectBox(QWidget* owner, const QString& text, CaptionKind kind, TextId captionId,
                        BoxIcon icon, std::vector<BoxButton> buttons,
                        BoxButton defaultButton = BoxButton::None);

} // namespace telmora
