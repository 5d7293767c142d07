// Publishing as the user sets it up: Link → Publish readings... opens the dialog
// with the kept settings and where the password is kept; an address that cannot
// be used is refused with the reason; OK keeps the settings and the status panel
// says whether the broker is connected.
#include "LinkWaits.h"
#include "ScriptedDialogs.h"
#include "app/Application.h"
#include "app/ReadingPublisher.h"
#include "app/UserFiles.h"
#include "publish/MqttPublisher.h"
#include "sim/SimulatedMeter.h"
#include "ui/main/MainWindow.h"
#include "ui/main/PublishCommands.h"
#include "ui/main/PublishDialog.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace telmora;

TEST(PublishWindow, TheDialogKeepsTheSettingsAndTheStatusPanelFollowsTheBroker) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const UserFiles files = UserFilesIn(dir.path(), dir.path(), dir.path());
    QStringList boxes;
    ScriptedDialogs dialogs;
    dialogs.onBox = [&](const BoxRequest& box) {
        boxes << box.text;
        return BoxButton::Ok;
    };
    Application app(std::make_shared<SimulatedMeter>(SimScenario::Demo, true), files);
    MainWindow form(app, dialogs);
    QLabel* status = form.findChild<QLabel*>(QStringLiteral("publishStatusPanel"));
    ASSERT_NE(status, nullptr);
    EXPECT_FALSE(status->isVisibleTo(&form)) << "publishing is off until the user sets it up";

    QAction* entry = nullptr;
    for (QAction* action : form.linkMenu()->actions())
        if (action->text() == QStringLiteral("&Publish readings..."))
            entry = action;
    ASSERT_NE(entry, nullptr);
    QSignalSpy shown(&form.publishCommands(), &PublishCommands::dialogShown);
    entry->trigger();
    ASSERT_TRUE(shown.count() > 0 || shown.wait(10000));
    PublishDialog* dialog = form.publishCommands().dialog();
    ASSERT_TRUE(dialog && dialog->isVisible());
    EXPECT_FALSE(dialog->findChild<QLabel*>(QStringLiteral("passwordPlaceLabel"))->text().isEmpty())
        << "the dialog says where the password is kept";

    dialog->findChild<QCheckBox*>(QStringLiteral("publishEnabledBox"))->setChecked(true);
    auto* url = dialog->findChild<QLineEdit*>(QStringLiteral("brokerUrlEdit"));
    url->setText(QStringLiteral("http://lab"));
    auto* ok = dialog->findChild<QPushButton*>(QStringLiteral("okButton"));
    ok->click();
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_TRUE(boxes.front().startsWith(QStringLiteral("The broker address cannot be used.")));
    EXPECT_TRUE(dialog->isVisible()) << "the user corrects the address in the open dialog";

    // Nothing listens on port 1: the broker cannot be reached.
    url->setText(QStringLiteral("mqtt://127.0.0.1:1"));
    ok->click();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(app.publishing().settings().enabled);
    EXPECT_EQ(app.publishing().settings().brokerUrl, QStringLiteral("mqtt://127.0.0.1:1"));
    EXPECT_EQ(status->text(), QStringLiteral("MQTT: no meter linked"));
    form.linkButton()->click();
    ASSERT_TRUE(WaitForLink(app.link()));
    QSignalSpy changed(&app.publishing(), &ReadingPublisher::statusChanged);
    // The publisher's thread reaches its state before the status panel hears of it:
    // the panel is what the user sees, so it is what is waited for.
    while (status->text() != QStringLiteral("MQTT: not connected"))
        ASSERT_TRUE(changed.wait(15000)) << status->text().toStdString();
    EXPECT_TRUE(status->isVisibleTo(&form));
    EXPECT_EQ(status->text(), QStringLiteral("MQTT: not connected"));
    EXPECT_TRUE(status->toolTip().contains(QStringLiteral("mqtt://127.0.0.1:1")));
}
