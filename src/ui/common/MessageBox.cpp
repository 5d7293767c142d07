#include "ui/common/MessageBox.h"

#include "text/texts.h"
#include "ui/common/DialogPlacement.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QMetaObject>
#include <QPointer>
#include <QShowEvent>
#include <QSpacerItem>
#include <QStyle>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <utility>

namespace telmora {

namespace {

QMessageBox::StandardButton toStandard(BoxButton b) {
    switch (b) {
    case BoxButton::Ok:
        return QMessageBox::Ok;
    case BoxButton::Cancel:
        return QMessageBox::Cancel;
    case BoxButton::Yes:
        return QMessageBox::Yes;
    case BoxButton::No:
        return QMessageBox::No;
    case BoxButton::Abort:
        return QMessageBox::Abort;
    case BoxButton::Retry:
        return QMessageBox::Retry;
    case BoxButton::Ignore:
        return QMessageBox::Ignore;
    case BoxButton::Open:
        return QMessageBox::Open;
    case BoxButton::SaveAs:
        return QMessageBox::Save;
    case BoxButton::Discard:
        return QMessageBox::Discard;
    case BoxButton::None:
        break;
    }
    return QMessageBox::NoButton;
}

BoxButton fromStandard(int b) {
    switch (b) {
    case QMessageBox::Ok:
        return BoxButton::Ok;
    case QMessageBox::Cancel:
        return BoxButton::Cancel;
    case QMessageBox::Yes:
        return BoxButton::Yes;
    case QMessageBox::No:
        return BoxButton::No;
    case QMessageBox::Abort:
        return BoxButton::Abort;
    case QMessageBox::Retry:
        return BoxButton::Retry;
    case QMessageBox::Ignore:
        return BoxButton::Ignore;
    case QMessageBox::Open:
        return BoxButton::Open;
    case QMessageBox::Save:
        return BoxButton::SaveAs;
    case QMessageBox::Discard:
        return BoxButton::Discard;
    default:
        return BoxButton::None;
    }
}

QMessageBox::Icon toIcon(BoxIcon icon) {
    switch (icon) {
    case BoxIcon::Information:
        return QMessageBox::Information;
    case BoxIcon::Question:
        return QMessageBox::Question;
    case BoxIcon::Warning:
        return QMessageBox::Warning;
    case BoxIcon::Error:
        return QMessageBox::Critical;
    case BoxIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// Title bars cut a caption that does not fit beside their icon and buttons
// ("Error…015]"). A box is made at least as wide as its caption in a bold title
// font, plus room for the window icon and three title-bar buttons.
void makeRoomForCaption(QMessageBox& box, const QString& caption) {
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (grid == nullptr || caption.isEmpty())
        return;
    const int needed = MessageBoxCaptionWidth(caption, box.style());
    const QMargins margins = grid->contentsMargins();
    const int inner = needed - margins.left() - margins.right();
    grid->addItem(new QSpacerItem(inner, 0, QSizePolicy::Minimum, QSizePolicy::Minimum),
                  grid->rowCount(), 0, 1, grid->columnCount());
}

// A message box that appears centred on its owner (the main window's narrow bar
// gives the screen's middle), also the first time, when its size is known only
// as it is shown.
class CentredMessageBox : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    void showEvent(QShowEvent* event) override {
        QMessageBox::showEvent(event); // settles the box's size
        if (!event->spontaneous())
            CentreOnOwner(*this);
    }
};

// Every button can be pressed with Alt and its underlined letter.
void giveMnemonics(QMessageBox& box) {
    const std::pair<QMessageBox::StandardButton, const char*> texts[] = {
        {QMessageBox::Open, QT_TRANSLATE_NOOP("MessageBox", "&Open")},
        {QMessageBox::Save, QT_TRANSLATE_NOOP("MessageBox", "&Save As…")},
        {QMessageBox::Discard, QT_TRANSLATE_NOOP("MessageBox", "&Discard")}};
    for (const auto& [which, caption] : texts)
        if (QAbstractButton* button = box.button(which))
            button->setText(translate("MessageBox", caption));
}

BoxButton showOnUiThread(const BoxRequest& request) {
    CentredMessageBox box(toIcon(request.icon), request.caption, request.text,
                          QMessageBox::NoButton, request.owner);
    // Texts may carry file names; never let them be taken for markup.
    box.setTextFormat(Qt::PlainText);
    QMessageBox::StandardButtons buttons;
    for (BoxButton b : request.buttons)
        buttons |= toStandard(b);
    if (!buttons)
        buttons = QMessageBox::Ok;
    box.setStandardButtons(buttons);
    giveMnemonics(box);
    if (request.defaultButton != BoxButton::None)
        box.setDefaultButton(toStandard(request.defaultButton));
    // Closing the box with the window's close button or Escape answers Cancel
    // where there is one, else the only button.
    if (request.buttons.size() == 1)
        box.setEscapeButton(toStandard(request.buttons.front()));
    makeRoomForCaption(box, request.caption);
    const int answer = box.exec();
    BoxButton result = fromStandard(answer);
    if (result == BoxButton::None && !request.closeLeavesUnanswered)
        result = request.buttons.empty() ? BoxButton::Ok : request.buttons.back();
    return result;
}

} // namespace

int MessageBoxCaptionWidth(const QString& caption, const QStyle* style) {
    QFont titleFont = QApplication::font("QMdiSubWindowTitleBar");
    titleFont.setBold(true);
    // Desktops often draw titles somewhat larger than the dialog text.
    if (titleFont.pointSizeF() > 0)
        titleFont.setPointSizeF(titleFont.pointSizeF() * 1.2);
    else if (titleFont.pixelSize() > 0)
        titleFont.setPixelSize(titleFont.pixelSize() * 6 / 5);
    const int titleBar = std::max(16, style->pixelMetric(QStyle::PM_TitleBarHeight));
    return QFontMetrics(titleFont).horizontalAdvance(caption) + 5 * titleBar;
}

BoxButton ShowMessageBox(const BoxRequest& request) {
    QCoreApplication* app = QCoreApplication::instance();
    if (app == nullptr) {
        // No user interface (yet or any more): say it on the terminal instead.
        std::fprintf(stderr, "%s: %s\n", qPrintable(request.caption), qPrintable(request.text));
        return request.buttons.empty() ? BoxButton::Ok : request.buttons.front();
    }
    if (QThread::currentThread() == app->thread())
        return showOnUiThread(request);
    // From a worker thread: run on the user-interface thread and wait for the answer.
    BoxButton result = BoxButton::None;
    BoxRequest copy = request;
    copy.owner = nullptr; // a widget pointer is only safe to use on the UI thread
    QMetaObject::invokeMethod(
        app, [&result, &copy] { result = showOnUiThread(copy); }, Qt::BlockingQueuedConnection);
    return result;
}

} // namespace telmora
