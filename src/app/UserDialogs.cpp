#include "app/UserDialogs.h"

#include <utility>

namespace telmora {

namespace {

BoxRequest textBox(QWidget* owner, CaptionKind kind, TextId id) {
    BoxRequest request;
    request.owner = owner;
    request.caption = caption(kind, id);
    request.text = text(id);
    request.icon = kind == CaptionKind::Warning ? BoxIcon::Warning : BoxIcon::Error;
    request.buttons = {BoxButton::Ok};
    return request;
}

} // namespace

void UserDialogs::showError(QWidget* owner, TextId id) {
    showBox(textBox(owner, CaptionKind::Error, id));
}

void UserDialogs::showWarning(QWidget* owner, TextId id) {
    showBox(textBox(owner, CaptionKind::Warning, id));
}

BoxButton UserDialogs::showDirectBox(QWidget* owner, const QString& text, CaptionKind kind,
                                     TextId captionId, BoxIcon icon, std::vector<BoxButton> buttons,
                                     BoxButton defaultButton) {
    BoxRequest request;
    request.owner = owner;
    request.caption = caption(kind, captionId);
    request.text = text;
    request.icon = icon;
    request.buttons = std::move(buttons);
    request.defaultButton = defaultButton;
    return showBox(request);
}

} // namespace telmora
