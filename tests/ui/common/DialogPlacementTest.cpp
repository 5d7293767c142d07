// Dialogs and message boxes are dialogs of the window they belong to: no minimise
// or maximise button, wide enough for their caption, centred on their owner from
// the first time they appear; message boxes can be answered with Alt and a letter.
#include "app/windowplacement.h"
#include "text/texts.h"
#include "ui/common/CountdownNotice.h"
#include "ui/common/LineColorDialog.h"
#include "ui/common/MessageBox.h"
#include "ui/common/ProgressWindow.h"
#include "ui/common/WidgetDialogs.h"
#include "ui/common/windowframes.h"
#include "ui/export/ExportDialog.h"
#include "ui/live/ComparatorLimitsDialog.h"
#include "ui/recorder/IntervalDialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QInputDialog>
#include <QKeySequence>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <string>

using namespace telmora;

namespace {

// A window the dialogs belong to, shown somewhere in the middle of the screen.
struct Owner {
    QWidget window;
    Owner() {
        window.setWindowTitle(QStringLiteral("Owner"));
        const TileRect area = FreeArea(window);
        window.setGeometry(area.left + area.width / 5, area.top + area.height / 6, area.width / 2,
                           area.height * 2 / 3);
        window.show();
    }
    QPoint centre() const { return centreOf(OuterRect(window, nullptr)); }
    static QPoint centreOf(const TileRect& r) {
        return {r.left + r.width / 2, r.top + r.height / 2};
    }
};

// What every dialog shows while `dialog` is up: a dialog of `owner` without
// minimise and maximise buttons, as wide as its caption needs, centred on it.
void expectDialogOf(const QWidget& dialog, const Owner& owner) {
    const std::string name = dialog.windowTitle().toStdString();
    const Qt::WindowFlags flags = dialog.windowFlags();
    EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Dialog) << name;
    EXPECT_FALSE(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)) << name;
    EXPECT_EQ(dialog.parentWidget() ? dialog.parentWidget()->window() : nullptr, &owner.window)
        << name;
    EXPECT_TRUE(dialog.isVisible()) << name;
    if (!(flags & Qt::FramelessWindowHint)) {
        EXPECT_GE(dialog.width(), MessageBoxCaptionWidth(dialog.windowTitle(), dialog.style()))
            << name;
    }
    const QPoint centre = Owner::centreOf(OuterRect(dialog, &owner.window));
    EXPECT_LE((centre - owner.centre()).manhattanLength(), 2) << name;
}

// Runs `look` once the modal window started next is up, then closes it.
void whenModalShown(const std::function<void(QWidget&)>& look) {
    QTimer::singleShot(0, [look] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        look(*modal);
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
    });
}

} // namespace

TEST(DialogPlacement, DialogsAreCentredOnTheirOwnerAndShowTheirCaption) {
    Owner owner;
    WidgetDialogs dialogs;
    IntervalDialog interval(dialogs, &owner.window);
    ComparatorLimitsDialog limits(dialogs, &owner.window);
    ExportDialog exporting(dialogs, ExportDialog::PrinterPages::Any, &owner.window);
    LineColorDialog colours(dialogs, &owner.window);
    const QPoint start = owner.window.pos();
    for (QDialog* dialog :
         std::initializer_list<QDialog*>{&interval, &limits, &exporting, &colours}) {
        owner.window.move(start);
        dialog->show();
        expectDialogOf(*dialog, owner);
        dialog->hide();
        // The same place again at the next showing, even after the owner moved.
        owner.window.move(start + QPoint(30, 20));
        dialog->show();
        expectDialogOf(*dialog, owner);
        dialog->hide();
    }
}

TEST(DialogPlacement, NoticesAndProgressAppearOnTheWindowTheyReportFor) {
    Owner owner;
    CountdownNotice notice(&owner.window);
    notice.startCountdown(CaptionKind::Warning, TextId::MeterBatteryLow,
                          QStringLiteral("The battery power of the DMM is low."),
                          QStringLiteral("(Will continue automatically in 3 seconds.)"), QString());
    expectDialogOf(notice, owner);
    EXPECT_FALSE(notice.windowFlags() & Qt::WindowCloseButtonHint) << "no border icons";
    notice.hide();

    ProgressWindow progress(&owner.window);
    progress.begin(QStringLiteral("Reading data from selected file. Please wait ..."), Qt::red);
    expectDialogOf(progress, owner);
    progress.end();
}

TEST(DialogPlacement, IntervalQuestionShowsItsWholeCaption) {
    Owner owner;
    WidgetDialogs dialogs;
    IntervalDialog interval(dialogs, &owner.window);
    interval.show();
    auto* list = interval.findChild<QComboBox*>(QStringLiteral("intervalBox"));
    ASSERT_NE(list, nullptr);
    bool asked = false;
    whenModalShown([&](QWidget& question) {
        asked = true;
        EXPECT_NE(qobject_cast<QInputDialog*>(&question), nullptr);
        EXPECT_EQ(question.windowTitle(), text(TextId::IntervalSeconds));
        EXPECT_EQ(question.minimumSize(), question.maximumSize()) << "fixed size";
        EXPECT_GE(question.width(),
                  MessageBoxCaptionWidth(question.windowTitle(), question.style()));
        EXPECT_FALSE(question.windowFlags() &
                     (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
        const QPoint centre = Owner::centreOf(OuterRect(question, &interval));
        const QPoint on = Owner::centreOf(OuterRect(interval, nullptr));
        EXPECT_LE((centre - on).manhattanLength(), 2);
    });
    list->setCurrentIndex(1);
    emit list->activated(1);
    EXPECT_TRUE(asked);
}

TEST(DialogPlacement, MessageBoxesAreCentredTheFirstTimeAndTakeAltKeys) {
    WidgetDialogs dialogs;
    Owner owner;
    BoxRequest request;
    request.owner = &owner.window;
    request.caption = QStringLiteral("Recovered recording");
    request.text = QStringLiteral("Open the recording, save it under a name, or discard it?");
    request.icon = BoxIcon::Question;
    request.buttons = {BoxButton::Open, BoxButton::SaveAs, BoxButton::Discard};
    request.defaultButton = BoxButton::Open;
    bool looked = false;
    whenModalShown([&](QWidget& shown) {
        auto* box = qobject_cast<QMessageBox*>(&shown);
        ASSERT_NE(box, nullptr);
        looked = true;
        const QPoint centre = Owner::centreOf(OuterRect(*box, &owner.window));
        EXPECT_LE((centre - owner.centre()).manhattanLength(), 2);
        EXPECT_FALSE(box->windowFlags() &
                     (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
        const std::pair<QMessageBox::StandardButton, QKeySequence> keys[] = {
            {QMessageBox::Open, QKeySequence(Qt::ALT | Qt::Key_O)},
            {QMessageBox::Save, QKeySequence(Qt::ALT | Qt::Key_S)},
            {QMessageBox::Discard, QKeySequence(Qt::ALT | Qt::Key_D)}};
        for (const auto& [which, key] : keys) {
            QAbstractButton* button = box->button(which);
            ASSERT_NE(button, nullptr);
            EXPECT_EQ(QKeySequence::mnemonic(button->text()), key) << button->text().toStdString();
        }
    });
    dialogs.showBox(request);
    EXPECT_TRUE(looked);

    // An owner that is not shown (the recorder at start-up): the screen's middle.
    owner.window.hide();
    looked = false;
    whenModalShown([&](QWidget& box) {
        looked = true;
        const TileRect area = FreeArea(box);
        const QPoint centre = Owner::centreOf(OuterRect(box, nullptr));
        EXPECT_LE((centre - Owner::centreOf(area)).manhattanLength(), 4);
    });
    dialogs.showBox(request);
    EXPECT_TRUE(looked);
}
